// The login window: the workstation's account is fetched from the server and the typed name
// and password are compared with it here.
#pragma once

#include <QDialog>

#include "remote/ServerConnection.h"
#include "remote/baglantiu.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace kv::app {

class Tgirisform : public QDialog {
    Q_OBJECT
  public:
    Tgirisform(remote::ServerConnection* bagim, remote::TSonucBilgisi* Bilgim,
               QWidget* parent = nullptr);

    QString idsi;
    remote::ServerConnection* bagim;
    remote::TSonucBilgisi* Bilgim;

    QLabel* Image1;
    QCheckBox* benihatirla;
    QLabel* Label1;
    QLineEdit* adi;
    QLabel* Label2;
    QLineEdit* sifre;
    QPushButton* Button1;
    QPushButton* Button2;
    QLabel* RxGIFAnimator1;
    QLabel* RxLabel1;

    void Button1Click();
    void Button2Click();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void FormCreate();
    void Devamet(const QString& adres);
    void girisBitti(bool basarili);
    void reddet();
    void bekleGoster(bool goster);
};

}  // namespace kv::app
