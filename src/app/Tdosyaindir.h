// The update window: downloads the new program file, starts it with "/silent" and ends this
// program. Every outcome ends the program.
#pragma once

#include <QDialog>
#include <QUrl>

class QLabel;
class QProgressBar;
class QFrame;

namespace kv::app {

class Tdosyaindir : public QDialog {
    Q_OBJECT
  public:
    // The window for the version the server expects.
    static Tdosyaindir* Yeni(QWidget* owner, int version);

    QLabel* sLabel1;
    QFrame* Panel1;
    QLabel* bilgi;
    QProgressBar* ProgressBar1;
    bool basladi = false;

    // The progress line for a download of `total` bytes with `received` read so far.
    static QString ilerlemeMetni(qint64 received, qint64 total);
    // Where the new program file is saved.
    static QString yerelDosya();

  protected:
    void showEvent(QShowEvent* event) override;
    bool event(QEvent* event) override;

  private:
    explicit Tdosyaindir(QWidget* owner);
    void FormActivate();
    void NetHTTPClient1ReceiveData(qint64 received, qint64 total);
    void NetHTTPClient1RequestError(const QString& hata);

    QUrl adres_;
};

}  // namespace kv::app
