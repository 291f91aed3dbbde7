#include "content/Tkullanicikayit.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/identity/Kimlik.h"
#include "common/BaglantiKur.h"
#include "common/MesajKutusu.h"
#include "platform/Fonts.h"
#include "remote/TServerMethods1Client.h"

namespace kv::content {

namespace {

QLineEdit* field(QWidget* parent, const char* name) {
    auto* e = new QLineEdit(parent);
    e->setObjectName(QLatin1String(name));
    return e;
}

QLabel* heading(QWidget* parent, const QString& text) {
    auto* l = new QLabel(text, parent);
    l->setAlignment(Qt::AlignCenter);
    l->setStyleSheet(QStringLiteral("color: #8a6a1f; font-size: 15px; padding: 6px;"));
    return l;
}

}  // namespace

Tkullanicikayit::Tkullanicikayit(QWidget* owner, const remote::TSonucBilgisi& bilgi,
                                 const remote::ServerConnection& baglanti)
    : QDialog(owner), con(baglanti.clone()) {
    setObjectName(QStringLiteral("kullanicikayit"));
    setFixedSize(705, 514);
    setFont(platform::uiFont(13, true));
    Bilgim.Kopyala(bilgi);

    auto* v = new QVBoxLayout(this);
    v->setContentsMargins(24, 12, 24, 12);
    lblid = new QLabel(this);
    lblid->setObjectName(QStringLiteral("lblid"));
    v->addWidget(lblid);

    firmaadi = field(this, "firmaadi");
    adres1 = field(this, "adres1");
    adres2 = field(this, "adres2");
    ilce = field(this, "ilce");
    sehir = field(this, "sehir");
    telefon = field(this, "telefon");
    fax = field(this, "fax");
    vd = field(this, "vd");
    vn = field(this, "vn");
    yetkili = field(this, "yetkili");
    kullaniciadi = field(this, "kullaniciadi");
    sifre = field(this, "sifre");
    mail = field(this, "mail");
    kargoambar = field(this, "kargoambar");

    auto grid = [this](const std::vector<std::pair<QString, std::vector<QLineEdit*>>>& rows) {
        auto* w = new QWidget(this);
        auto* g = new QGridLayout(w);
        g->setContentsMargins(0, 0, 0, 0);
        g->setVerticalSpacing(6);
        g->setColumnMinimumWidth(0, 150);
        int r = 0;
        for (const auto& [caption, edits] : rows) {
            auto* l = new QLabel(caption, w);
            l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
            g->addWidget(l, r, 0);
            if (edits.size() == 1) {
                g->addWidget(edits[0], r, 1, 1, 2);
            } else {
                g->addWidget(edits[0], r, 1);
                g->addWidget(edits[1], r, 2);
            }
            ++r;
        }
        return w;
    };
    v->addWidget(heading(this, QStringLiteral("Firma Bilgileri")));
    v->addWidget(grid({{QStringLiteral("Firma Adı:"), {firmaadi}},
                       {QStringLiteral("Adres:"), {adres1}},
                       {QStringLiteral("Adres2:"), {adres2}},
                       {QStringLiteral("İlçe/Şehir:"), {ilce, sehir}},
                       {QStringLiteral("Telefon/Fax:"), {telefon, fax}},
                       {QStringLiteral("Vergi Dairesi / No:"), {vd, vn}}}));
    v->addWidget(heading(this, QStringLiteral("Kullanıcı Bilgileri")));
    v->addWidget(grid({{QStringLiteral("Yetkili:"), {yetkili}},
                       {QStringLiteral("Kullanıcı Adı:"), {kullaniciadi}},
                       {QStringLiteral("Şifre:"), {sifre}},
                       {QStringLiteral("Mail:"), {mail}},
                       {QStringLiteral("Kargo Ambar:"), {kargoambar}}}));
    v->addStretch(1);

    auto* buttons = new QHBoxLayout;
    Button2 = new QPushButton(QStringLiteral("Gönder"), this);
    Button2->setObjectName(QStringLiteral("Button2"));
    Button1 = new QPushButton(QStringLiteral("Kapat"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    for (auto* b : {Button2, Button1}) {
        b->setAutoDefault(false);
        b->setMinimumSize(110, 36);
    }
    buttons->addWidget(Button2);
    buttons->addStretch(1);
    buttons->addWidget(Button1);
    v->addLayout(buttons);
    connect(Button2, &QPushButton::clicked, this, &Tkullanicikayit::Button2Click);
    connect(Button1, &QPushButton::clicked, this, &Tkullanicikayit::Button1Click);

    QWidget* order[] = {firmaadi, adres1, adres2,  ilce,         sehir, telefon, fax,
                        vd,       vn,     yetkili, kullaniciadi, sifre, mail,    kargoambar};
    for (std::size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);

    _idsi = app::identity::BilgisayarIdAl();
    lblid->setText(QStringLiteral("Bilgisayar ID: ") + _idsi);
}

Tkullanicikayit* Tkullanicikayit::Yeni(QWidget* owner, const remote::TSonucBilgisi& bilgi,
                                       const remote::ServerConnection& baglanti) {
    auto* w = new Tkullanicikayit(owner, bilgi, baglanti);
    w->setWindowTitle(QStringLiteral("B2B İstek Formu"));
    w->durum = TIstek::tyeni;
    return w;
}

Tkullanicikayit* Tkullanicikayit::Ac(QWidget* owner, const remote::TSonucBilgisi& bilgi,
                                     const remote::ServerConnection& baglanti) {
    auto* w = new Tkullanicikayit(owner, bilgi, baglanti);
    w->kullaniciadi->setText(w->Bilgim.ADI());
    w->firmaadi->setText(w->Bilgim.CariAdi());
    w->bilgileriDoldur();
    w->setWindowTitle(QStringLiteral("Şifre Değiştirme İsteği"));
    w->durum = TIstek::teski;
    return w;
}

void Tkullanicikayit::bilgileriDoldur() {
    con->close();
    if (!common::BaglantiKur(*con, true))
        return;
    try {
        remote::TServerMethods1Client proxy(con.get());
        if (const remote::TMobilCariBilgisi* kart = proxy.MobilCariBilgisiGetir(0, _idsi)) {
            adres1->setText(kart->ADRES1());
            adres2->setText(kart->ADRES2());
            ilce->setText(kart->ILCE());
            sehir->setText(kart->SEHIR());
            telefon->setText(kart->TEL1());
            fax->setText(kart->FAX1());
            vd->setText(kart->VERGIDAIRESI());
            vn->setText(kart->VERGINO());
        }
    } catch (const remote::RemoteError& e) {
        common::MesajKutusu(e.message(), common::MesajTuru::Hata, QMessageBox::Ok, 2);
    }
    con->close();
}

bool Tkullanicikayit::dogrula() {
    const std::pair<QLineEdit*, const char*> zorunlu[] = {
        {firmaadi, "Firma Adı boş olamaz !"},
        {adres1, "Adres boş olamaz !"},
        {ilce, "İlçe Adı boş olamaz !"},
        {sehir, "Şehir Adı boş olamaz !"},
        {telefon, "Telefon  boş olamaz !"},
        {yetkili, "Yetkili  boş olamaz !"},
        {kullaniciadi, "Kullanıcı  boş olamaz !"},
        {sifre, "Şifre  boş olamaz !"},
        {mail, "Mail  boş olamaz !"},
    };
    for (const auto& [alan, mesaj] : zorunlu) {
        if (alan->text().trimmed().isEmpty()) {
            alan->selectAll();
            alan->setFocus();
            common::MesajKutusu(QString::fromUtf8(mesaj), common::MesajTuru::Uyari, QMessageBox::Ok,
                                2);
            return false;
        }
    }
    return true;
}

void Tkullanicikayit::Button2Click() {
    if (!dogrula())
        return;
    const QString baslik = durum == TIstek::tyeni ? QStringLiteral("B2B Yeni Kullanıcı İstek")
                                                  : QStringLiteral("Şifre Değiştirme İsteği");
    con->close();
    if (!common::BaglantiKur(*con, true))
        return;
    try {
        remote::TServerMethods1Client proxy(con.get());
        proxy.MailGonserCari(_idsi, baslik, firmaadi->text(), adres1->text(), adres2->text(),
                             ilce->text(), sehir->text(), telefon->text(), fax->text(), vd->text(),
                             vn->text(), yetkili->text(), kullaniciadi->text(), sifre->text(),
                             mail->text(), kargoambar->text());
    } catch (const remote::RemoteError& e) {
        con->close();
        common::MesajKutusu(e.message(), common::MesajTuru::Hata, QMessageBox::Ok, 2);
        return;
    }
    con->close();
    common::MesajKutusu(QStringLiteral("İsteğiniz Gönderildi!"), common::MesajTuru::Bilgi,
                        QMessageBox::Ok, 2);
}

void Tkullanicikayit::Button1Click() {
    reject();
}

}  // namespace kv::content
