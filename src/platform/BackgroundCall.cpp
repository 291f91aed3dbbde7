#include "platform/BackgroundCall.h"

#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QThread>
#include <QThreadPool>
#include <exception>

namespace kv::platform {

namespace {

ErrorReport& errorReport() {
    static ErrorReport r;
    return r;
}

QString describe(const std::exception_ptr& e) {
    try {
        std::rethrow_exception(e);
    } catch (const std::exception& ex) {
        return QString::fromUtf8(ex.what());
    } catch (...) {
        return QStringLiteral("Bilinmeyen hata");
    }
}

}  // namespace

bool onUiThread() {
    return QThread::currentThread() == qApp->thread();
}

void runOnUiThread(const std::function<void()>& f) {
    if (onUiThread()) {
        f();
        return;
    }
    QMetaObject::invokeMethod(qApp, f, Qt::BlockingQueuedConnection);
}

ErrorReport setErrorReport(ErrorReport report) {
    ErrorReport old = std::move(errorReport());
    errorReport() = std::move(report);
    return old;
}

void reportError(const QString& message) {
    if (errorReport()) {
        errorReport()(message);
        return;
    }
    QMessageBox box(QMessageBox::Critical, QStringLiteral("Hata"), message, QMessageBox::Ok);
    box.button(QMessageBox::Ok)->setText(QStringLiteral("Tamam"));
    box.exec();
}

void runInBackground(QObject* context, std::function<void()> work,
                     std::function<void()> continuation) {
    QPointer<QObject> guard(context);
    const bool hasContext = context != nullptr;
    QThreadPool::globalInstance()->start([guard, hasContext, work = std::move(work),
                                          continuation = std::move(continuation)]() mutable {
        std::exception_ptr error;
        try {
            work();
        } catch (...) {
            error = std::current_exception();
        }
        QMetaObject::invokeMethod(
            qApp,
            [guard, hasContext, error, continuation = std::move(continuation)] {
                if (hasContext && !guard)
                    return;  // its window is gone
                if (continuation)
                    continuation();
                if (error)
                    reportError(describe(error));
            },
            Qt::QueuedConnection);
    });
}

}  // namespace kv::platform
