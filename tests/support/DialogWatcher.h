// Answers the message boxes that the code under test opens: records each box's title and
// text and presses the button with the given caption (the default button when none is given).
#pragma once

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>

namespace kv::test {

struct SeenBox {
    QString title;
    QString text;
};

class DialogWatcher : public QObject {
  public:
    explicit DialogWatcher(QString press = QString()) : press_(std::move(press)) {
        timer_.setInterval(20);
        QObject::connect(&timer_, &QTimer::timeout, this, [this] { poll(); });
        timer_.start();
    }
    void setPress(const QString& caption) { press_ = caption; }
    const QList<SeenBox>& seen() const { return seen_; }
    QStringList texts() const {
        QStringList t;
        for (const auto& s : seen_)
            t << s.text;
        return t;
    }
    // Waits until `n` boxes have been answered.
    bool waitFor(int n, int timeoutMs = 30000) {
        return QTest::qWaitFor([&] { return seen_.size() >= n; }, timeoutMs);
    }

  private:
    void poll() {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            auto* box = qobject_cast<QMessageBox*>(w);
            if (!box || !box->isVisible() || handled_.contains(box))
                continue;
            handled_.append(box);
            seen_.append({box->windowTitle(), box->text()});
            QAbstractButton* target = box->defaultButton();
            for (QAbstractButton* b : box->buttons()) {
                if (!press_.isEmpty() && b->text() == press_)
                    target = b;
            }
            if (!target && !box->buttons().isEmpty())
                target = box->buttons().first();
            if (target)
                QMetaObject::invokeMethod(target, &QAbstractButton::click, Qt::QueuedConnection);
        }
    }
    QString press_;
    QTimer timer_;
    QList<SeenBox> seen_;
    QList<QPointer<QMessageBox>> handled_;
};

}  // namespace kv::test
