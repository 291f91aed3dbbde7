// The account request window: a new-user request from an unknown workstation, or a password
// change request of a signed-in dealer. The filled form goes to the server, which mails it.
#pragma once

#include <QDialog>
#include <memory>

#include "remote/ServerConnection.h"
#include "remote/baglantiu.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace kv::content {

enum class TIstek { tyeni, teski };

class Tkullanicikayit : public QDialog {
    Q_OBJECT
  public:
    static Tkullanicikayit* Yeni(QWidget* owner, const remote::TSonucBilgisi& bilgi,
                                 const remote::ServerConnection& baglanti);
    static Tkullanicikayit* Ac(QWidget* owner, const remote::TSonucBilgisi& bilgi,
                               const remote::ServerConnection& baglanti);

    TIstek durum = TIstek::tyeni;
    QString _idsi;
    std::unique_ptr<remote::ServerConnection> con;
    remote::TSonucBilgisi Bilgim;

    QLabel* lblid;
    QLineEdit* firmaadi;
    QLineEdit* adres1;
    QLineEdit* adres2;
    QLineEdit* ilce;
    QLineEdit* sehir;
    QLineEdit* telefon;
    QLineEdit* fax;
    QLineEdit* vd;
    QLineEdit* vn;
    QLineEdit* yetkili;
    QLineEdit* kullaniciadi;
    QLineEdit* sifre;
    QLineEdit* mail;
    QLineEdit* kargoambar;
    QPushButton* Button2;  // "Gönder"
    QPushButton* Button1;  // "Kapat"

    void Button2Click();
    void Button1Click();

  private:
    Tkullanicikayit(QWidget* owner, const remote::TSonucBilgisi& bilgi,
                    const remote::ServerConnection& baglanti);
    void bilgileriDoldur();
    bool dogrula();
};

}  // namespace kv::content
