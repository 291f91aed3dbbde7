#include "platform/BackgroundCall.h"

#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QThread>
#include <QThreadPool>
#include <mutex>

#include "platform/SystemInfo.h"

namespace kv::platform {

namespace {

std::mutex reportMutex;

ErrorReport& errorReport() {
    static ErrorReport r;
    return r;
}

void showErrorBox(const QString& message) {
    QMessageBox box(QMessageBox::Critical, QStringLiteral("Hata"), message, QMessageBox::Ok,
                    QApplication::activeWindow());
    box.setObjectName(QStringLiteral("HataRaporu"));
    box.button(QMessageBox::Ok)->setText(QStringLiteral("Tamam"));
    beep();
    box.exec();
}

}  // namespace

bool onUiThread() {
    const QCoreApplication* app = QCoreApplication::instance();
    return app && QThread::currentThread() == app->thread();
}

void runOnUiThread(const std::function<void()>& f) {
    if (onUiThread() || !QCoreApplication::instance()) {
        f();
        return;
    }
    std::exception_ptr error;
    QMetaObject::invokeMethod(
        QCoreApplication::instance(),
        [&f, &error] {
            try {
                f();
            } catch (...) {
                error = std::current_exception();
            }
        },
        Qt::BlockingQueuedConnection);
    if (error)
        std::rethrow_exception(error);
}

ErrorReport setErrorReport(ErrorReport report) {
    std::lock_guard lock(reportMutex);
    ErrorReport old = std::move(errorReport());
    errorReport() = std::move(report);
    return old;
}

QString errorText(const std::exception_ptr& error) {
    try {
        std::rethrow_exception(error);
    } catch (const std::exception& ex) {
        const QString text = QString::fromUtf8(ex.what());
        return text.isEmpty() ? QStringLiteral("Beklenmeyen bir hata oluştu.") : text;
    } catch (...) {
        return QStringLiteral("Beklenmeyen bir hata oluştu.");
    }
}

void reportError(const std::exception_ptr& error) {
    reportError(errorText(error));
}

void reportError(const QString& message) {
    runOnUiThread([&message] {
        ErrorReport report;
        {
            std::lock_guard lock(reportMutex);
            report = errorReport();
        }
        if (report)
            report(message);
        else
            showErrorBox(message);
    });
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
        QCoreApplication* app = QCoreApplication::instance();
        if (!app)
            return;  // the program is ending
        QMetaObject::invokeMethod(
            app,
            [guard, hasContext, error, continuation = std::move(continuation)] {
                // Exceptions must not run into Qt's event loop: the continuation's own go to
                // the report as well, after the work's.
                std::exception_ptr own;
                if (continuation && (!hasContext || guard)) {
                    try {
                        continuation();
                    } catch (...) {
                        own = std::current_exception();
                    }
                }
                if (error)
                    reportError(error);
                if (own)
                    reportError(own);
            },
            Qt::QueuedConnection);
    });
}

}  // namespace kv::platform
