#include "app/Tgirisform.h"

#include <QApplication>
#include <QCheckBox>
#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <QMovie>
#include <QPainter>
#include <QPushButton>
#include <QSvgRenderer>
#include <memory>

#include "app/Tdosyaindir.h"
#include "app/identity/Kimlik.h"
#include "app/settings/AyarDosyasi.h"
#include "app/settings/Dagitim.h"
#include "common/BaglantiKur.h"
#include "common/MesajKutusu.h"
#include "content/Tkullanicikayit.h"
#include "platform/BackgroundCall.h"
#include "platform/Fonts.h"
#include "platform/ProgramExit.h"
#include "platform/UpperCaseEdit.h"
#include "remote/TServerMethods1Client.h"

namespace kv::app {

namespace {

constexpr int kClientVersion = 1;

const char* const kAdres =
    "Kaveltrim Otomotiv A.Ş.\n"
    "Ostim OSB 1203. Cad. No: 27\n"
    "Yenimahalle / ANKARA\n"
    "Tel: 0 (312) 385 47 00\n"
    "siparis@kaveltrim.com.tr";

template <class W>
W* place(W* w, int x, int y, int width, int height) {
    w->setGeometry(x, y, width, height);
    return w;
}

}  // namespace

Tgirisform::Tgirisform(remote::ServerConnection* bagim_, remote::TSonucBilgisi* Bilgim_,
                       QWidget* parent)
    : QDialog(nullptr), bagim(bagim_), Bilgim(Bilgim_) {
    // A top-level window of its own: the main window is not visible yet.
    Q_UNUSED(parent);
    setObjectName(QStringLiteral("girisform"));
    setWindowTitle(QStringLiteral("Giriş"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowCloseButtonHint |
                   Qt::WindowTitleHint);
    setFixedSize(368, 550);
    setFont(platform::uiFont(13, true));

    Image1 = place(new QLabel(this), 0, 0, 368, 550);
    Image1->setObjectName(QStringLiteral("Image1"));
    {
        QPixmap pm(368 * 2, 550 * 2);
        pm.fill(Qt::transparent);
        QPainter p(&pm);
        QSvgRenderer(QStringLiteral(":/app/giris-arka.svg")).render(&p);
        p.end();
        pm.setDevicePixelRatio(2.0);
        Image1->setPixmap(pm);
    }

    benihatirla = place(new QCheckBox(QStringLiteral("Beni hatırla"), this), 42, 280, 200, 20);
    benihatirla->setObjectName(QStringLiteral("benihatirla"));
    benihatirla->setChecked(true);
    benihatirla->setStyleSheet(QStringLiteral("color: #f1ede3;"));

    Label1 = place(new QLabel(QStringLiteral(" Kullanıcı Adı:"), this), 42, 303, 104, 24);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label2 = place(new QLabel(QStringLiteral(" Şifre:"), this), 42, 333, 104, 24);
    Label2->setObjectName(QStringLiteral("Label2"));
    for (QLabel* l : {Label1, Label2}) {
        l->setStyleSheet(QStringLiteral("background: #e8b64a; color: #1f2630;"));
        l->setAlignment(Qt::AlignVCenter | Qt::AlignLeft);
    }

    adi = place(new platform::UpperCaseEdit(this), 152, 303, 171, 24);
    adi->setObjectName(QStringLiteral("adi"));
    sifre = place(new platform::UpperCaseEdit(this), 152, 334, 171, 24);
    sifre->setObjectName(QStringLiteral("sifre"));
    sifre->setEchoMode(QLineEdit::Password);
    // Every character shows as "*".
    sifre->setStyleSheet(QStringLiteral("lineedit-password-character: 42;"));
    adi->installEventFilter(this);
    sifre->installEventFilter(this);

    Button1 = place(new QPushButton(QStringLiteral("Giriş"), this), 46, 363, 100, 41);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button2 = place(new QPushButton(QStringLiteral("Vazgeç"), this), 223, 362, 100, 41);
    Button2->setObjectName(QStringLiteral("Button2"));
    for (QPushButton* b : {Button1, Button2}) {
        b->setAutoDefault(false);
        b->setDefault(false);
    }
    connect(Button1, &QPushButton::clicked, this, &Tgirisform::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &Tgirisform::Button2Click);

    RxGIFAnimator1 = place(new QLabel(this), 311, 235, 32, 32);
    RxGIFAnimator1->setObjectName(QStringLiteral("RxGIFAnimator1"));
    RxGIFAnimator1->setMovie(
        new QMovie(QStringLiteral(":/platform/bekle.gif"), QByteArray(), RxGIFAnimator1));
    RxGIFAnimator1->hide();

    RxLabel1 = place(new QLabel(QString::fromUtf8(kAdres), this), 32, 413, 305, 112);
    RxLabel1->setObjectName(QStringLiteral("RxLabel1"));
    RxLabel1->setAlignment(Qt::AlignCenter);
    RxLabel1->setWordWrap(true);
    RxLabel1->setFont(platform::arialFont(16, true));
    RxLabel1->setStyleSheet(QStringLiteral("color: white;"));

    FormCreate();
    adi->setFocus();
}

void Tgirisform::FormCreate() {
    idsi = identity::BilgisayarIdAl();
    const settings::HatirlananKullanici k = settings::hatirlananKullaniciOku();
    if (!k.dosyaVar)
        return;
    benihatirla->setChecked(k.hatirla);
    if (k.hatirla) {
        adi->setText(k.isim);
        sifre->setText(k.sifre);
    }
}

bool Tgirisform::eventFilter(QObject* watched, QEvent* event) {
    if ((watched == adi || watched == sifre) && event->type() == QEvent::KeyPress) {
        const auto* ke = static_cast<QKeyEvent*>(event);
        if (ke->key() != Qt::Key_Return && ke->key() != Qt::Key_Enter)
            return false;
        QLineEdit* field = static_cast<QLineEdit*>(watched);
        if (field->text().trimmed().isEmpty()) {
            QApplication::beep();
            QMessageBox box(QMessageBox::Warning, windowTitle(),
                            watched == adi ? QStringLiteral("Lütfen kullanıcı adını giriniz !")
                                           : QStringLiteral("Lütfen kullanıcı şifresini giriniz !"),
                            QMessageBox::Ok, this);
            box.button(QMessageBox::Ok)->setText(QStringLiteral("Tamam"));
            box.exec();
            field->selectAll();
            field->setFocus();
            return true;
        }
        if (watched == adi) {
            sifre->selectAll();
            sifre->setFocus();
        } else if (Button1->isEnabled()) {
            Button1Click();
        }
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void Tgirisform::Button2Click() {
    platform::endProgram(0);
}

void Tgirisform::bekleGoster(bool goster) {
    RxGIFAnimator1->setVisible(goster);
    if (goster) {
        RxGIFAnimator1->movie()->start();
    } else {
        RxGIFAnimator1->movie()->stop();
    }
}

void Tgirisform::Button1Click() {
    Button1->setText(QStringLiteral("Bağlanıyor..."));
    Button1->setEnabled(false);
    bekleGoster(true);
    auto adres = std::make_shared<QString>();
    const QString ipUrl = settings::ipAdresi();
    platform::runInBackground(
        this, [adres, ipUrl] { *adres = identity::DisIpAl(ipUrl); },
        [this, adres] {
            Button1->setText(QStringLiteral("Giriş!"));
            bekleGoster(false);
            Devamet(*adres);
        });
}

void Tgirisform::Devamet(const QString& adres) {
    if (adres.trimmed().isEmpty()) {
        common::MesajKutusu(QStringLiteral("Bağlantı Kurulamıyor Lütfen Tekrar Deneyiniz !"),
                            common::MesajTuru::Hata, QMessageBox::Ok, 2);
        Button1->setEnabled(true);
        return;
    }
    Bilgim->setDisip(adres);
    settings::sunucuAdresiniAyarla(*bagim);
    settings::setResimAdresi(settings::webAdresi() + QStringLiteral("resimgoster.ashx?id="));

    // The worker fills the login record while the UI thread waits for the continuation.
    auto basarili = std::make_shared<bool>(false);
    std::shared_ptr<remote::ServerConnection> klon = bagim->clone();
    remote::TSonucBilgisi* kayit = Bilgim;
    const QString kimlik = idsi;
    const QString ipUrl = settings::ipAdresi();
    platform::runInBackground(
        this,
        [basarili, klon, kayit, kimlik, ipUrl] {
            if (!common::BaglantiKur(*klon, false))
                return;
            try {
                remote::TServerMethods1Client proxy(klon.get());
                const remote::TSonucBilgisi* cevap = proxy.BuyukGetir(kimlik);
                if (!cevap)
                    return;
                kayit->Kopyala(*cevap);
            } catch (const std::exception&) {
                return;
            }
            klon->close();
            kayit->setBilgiSayarAdi(identity::BilgisayarAdiAl());
            kayit->setBilgisayarKullanici(identity::KullaniciAdiAl());
            kayit->setIcip(identity::IcIpAl());
            kayit->setBILGISAYARID(identity::BilgisayarIdAl());
            kayit->setDisip(identity::DisIpAl(ipUrl));
            *basarili = true;
        },
        [this, basarili] { girisBitti(*basarili); });
}

void Tgirisform::girisBitti(bool basarili) {
    bekleGoster(false);
    if (!basarili) {
        common::MesajKutusu(QStringLiteral("Bağlantı Kurulamadı !"), common::MesajTuru::Hata,
                            QMessageBox::Ok, 2);
        Button1->setEnabled(true);
        adi->selectAll();
        adi->setFocus();
        return;
    }
    if (Bilgim->Version() != kClientVersion) {
        Tdosyaindir* indir = Tdosyaindir::Yeni(this, Bilgim->Version());
        indir->exec();
        delete indir;
        return;
    }
    if (!Bilgim->Varmi()) {
        content::Tkullanicikayit* istek = content::Tkullanicikayit::Yeni(this, *Bilgim, *bagim);
        istek->exec();
        delete istek;
        platform::endProgram(0);
        return;
    }
    if (adi->text() != Bilgim->ADI() || sifre->text() != Bilgim->SIFRE()) {
        reddet();
        return;
    }
    settings::hatirlananKullaniciYaz(adi->text(), sifre->text(), benihatirla->isChecked());
    if (Bilgim->AKTIF() != 1) {
        reddet();
        return;
    }
    accept();
}

void Tgirisform::reddet() {
    common::MesajKutusu(QStringLiteral("Kullanıcı Adı ve Şifre Hatalı Lütfen Tekrar Deneyiniz !"),
                        common::MesajTuru::Uyari, QMessageBox::Ok, 2);
    Button1->setEnabled(true);
    adi->selectAll();
    adi->setFocus();
}

}  // namespace kv::app
