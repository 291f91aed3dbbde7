#include "app/Tdosyaindir.h"

#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QFrame>
#include <QLabel>
#include <QMessageBox>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QProcess>
#include <QProgressBar>
#include <QPushButton>
#include <QSaveFile>
#include <QTimer>
#include <QVBoxLayout>

#include "app/identity/Kimlik.h"
#include "app/settings/Dagitim.h"
#include "platform/Fonts.h"
#include "platform/ProgramExit.h"

namespace kv::app {

namespace {
constexpr int kClientVersion = 1;
constexpr int kTimeoutMs = 60000;
}  // namespace

Tdosyaindir::Tdosyaindir(QWidget* owner) : QDialog(owner) {
    setObjectName(QStringLiteral("dosyaindir"));
    setWindowTitle(QStringLiteral("Dosya İndir"));
    setWindowFlags(Qt::Tool | Qt::WindowTitleHint | Qt::CustomizeWindowHint);
    setFixedSize(543, 309);

    auto* v = new QVBoxLayout(this);
    v->setContentsMargins(0, 0, 0, 0);
    v->setSpacing(0);
    sLabel1 = new QLabel(this);
    sLabel1->setObjectName(QStringLiteral("sLabel1"));
    sLabel1->setAlignment(Qt::AlignCenter);
    sLabel1->setWordWrap(true);
    sLabel1->setFont(platform::uiFont(27));
    sLabel1->setStyleSheet(QStringLiteral("color: #584c43;"));
    v->addWidget(sLabel1, 1);

    Panel1 = new QFrame(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setFixedHeight(58);
    auto* pv = new QVBoxLayout(Panel1);
    pv->setContentsMargins(8, 4, 8, 8);
    bilgi = new QLabel(Panel1);
    bilgi->setObjectName(QStringLiteral("bilgi"));
    bilgi->setFont(platform::uiFont(13, true));
    ProgressBar1 = new QProgressBar(Panel1);
    ProgressBar1->setObjectName(QStringLiteral("ProgressBar1"));
    ProgressBar1->setTextVisible(false);
    pv->addWidget(bilgi);
    pv->addWidget(ProgressBar1, 1);
    v->addWidget(Panel1);
}

Tdosyaindir* Tdosyaindir::Yeni(QWidget* owner, int version) {
    auto* w = new Tdosyaindir(owner);
    w->sLabel1->setText(
        QStringLiteral("Kaveltrim Online Sipariş (Dornep) Programının\r\nYeni versiyonu "
                       "indirilecektir\r\nLütfen Bekleyiniz...!\r\nVersion: ") +
        QString::number(version) + QLatin1Char('-') + QString::number(kClientVersion));
    w->adres_ = QUrl(settings::webAdresi() + QStringLiteral("exe/KaveltrimDornep.exe"));
    w->basladi = false;
    return w;
}

QString Tdosyaindir::yerelDosya() {
    return identity::BelgelerKlasoru() + QStringLiteral("/KaveltrimDornep.exe");
}

QString Tdosyaindir::ilerlemeMetni(qint64 received, qint64 total) {
    QLocale loc;
    loc.setNumberOptions(QLocale::OmitGroupSeparator);
    const double yuzde = double(received) / double(total) * 100.0;
    const auto mb = [](qint64 b) { return double(b) / 1024.0 / 1024.0; };
    return QStringLiteral("Bilgi: %") + loc.toString(yuzde, 'f', 2) +
           QStringLiteral("  İndirilen: ") + loc.toString(mb(received), 'f', 2) + QLatin1Char('/') +
           loc.toString(mb(total), 'f', 2) + QStringLiteral(" Mb");
}

void Tdosyaindir::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    // The download starts once the window is on screen.
    QTimer::singleShot(0, this, &Tdosyaindir::FormActivate);
}

bool Tdosyaindir::event(QEvent* e) {
    if (e->type() == QEvent::WindowActivate)
        QTimer::singleShot(0, this, &Tdosyaindir::FormActivate);
    return QDialog::event(e);
}

void Tdosyaindir::NetHTTPClient1ReceiveData(qint64 received, qint64 total) {
    if (total <= 0)
        return;
    bilgi->setText(ilerlemeMetni(received, total));
    ProgressBar1->setMaximum(int(qMin<qint64>(total, INT_MAX)));
    ProgressBar1->setValue(int(qMin<qint64>(received, INT_MAX)));
}

void Tdosyaindir::NetHTTPClient1RequestError(const QString& hata) {
    QMessageBox box(QMessageBox::Critical, windowTitle(),
                    QStringLiteral("Hata Oluştu !\r\nHata: ") + hata, QMessageBox::Ok, this);
    box.button(QMessageBox::Ok)->setText(QStringLiteral("Tamam"));
    box.exec();
    platform::endProgram(0);
}

void Tdosyaindir::FormActivate() {
    if (basladi)
        return;
    basladi = true;

    const QString dosya = yerelDosya();
    if (QFile::exists(dosya))
        QFile::remove(dosya);

    QNetworkAccessManager nam;
    nam.setRedirectPolicy(QNetworkRequest::NoLessSafeRedirectPolicy);
    QNetworkRequest req(adres_);
    req.setTransferTimeout(kTimeoutMs);
    req.setRawHeader("Accept",
                     "text/html,application/xhtml+xml,application/xml;q=0.9,image/webp,image/"
                     "apng,*/*;q=0.8");
    req.setRawHeader("Accept-Language", "en-US,tr-TR;q=0.8,tr;q=0.6,en;q=0.4");
    req.setHeader(QNetworkRequest::UserAgentHeader,
                  QByteArrayLiteral("Mozilla/5.0 (Windows NT 10.0; Win64; x64) AppleWebKit/537.36 "
                                    "(KHTML, like Gecko) Chrome/60.0.3112.32 Safari/537.36"));
    req.setAttribute(QNetworkRequest::CookieSaveControlAttribute, QNetworkRequest::Manual);
    req.setAttribute(QNetworkRequest::CookieLoadControlAttribute, QNetworkRequest::Manual);

    QNetworkReply* reply = nam.get(req);
    connect(reply, &QNetworkReply::downloadProgress, this, &Tdosyaindir::NetHTTPClient1ReceiveData);
    // The request is waited for here; the loop keeps the window painted meanwhile.
    QEventLoop loop;
    connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    loop.exec();

    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (reply->error() != QNetworkReply::NoError) {
        const QString hata = reply->errorString();
        reply->deleteLater();
        NetHTTPClient1RequestError(hata);
        return;
    }
    // An error page is not a program: a status other than success is reported, not run.
    if (status < 200 || status > 299) {
        reply->deleteLater();
        NetHTTPClient1RequestError(QStringLiteral("Sunucu %1 cevabı verdi").arg(status));
        return;
    }
    const QByteArray veri = reply->readAll();
    reply->deleteLater();

    QDir().mkpath(identity::BelgelerKlasoru());
    QSaveFile f(dosya);
    if (!f.open(QIODevice::WriteOnly) || f.write(veri) != veri.size() || !f.commit()) {
        NetHTTPClient1RequestError(QStringLiteral("%1 yazılamadı").arg(dosya));
        return;
    }
    QFile::setPermissions(dosya, QFile::permissions(dosya) | QFileDevice::ExeOwner |
                                     QFileDevice::ExeUser | QFileDevice::ExeGroup);
    if (!QProcess::startDetached(dosya, {QStringLiteral("/silent")}, identity::BelgelerKlasoru())) {
        NetHTTPClient1RequestError(QStringLiteral("%1 başlatılamadı").arg(dosya));
        return;
    }
    platform::endProgram(0);
}

}  // namespace kv::app
