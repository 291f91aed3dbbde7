#include "catalogue/TAsyncResim.h"

#include <QNetworkReply>
#include <QPainter>
#include <QSvgRenderer>

namespace kv::catalogue {

TAsyncResim::TAsyncResim(QWidget* owner) : QWidget(owner) {
    QSvgRenderer placeholder(QStringLiteral(":/platform/resim-yok.svg"));
    image_ = QImage(400, 300, QImage::Format_ARGB32_Premultiplied);
    image_.fill(Qt::transparent);
    QPainter p(&image_);
    placeholder.render(&p);
}

TAsyncResim::~TAsyncResim() {
    // A running transfer is aborted; its end is not delivered any more.
    if (FHTTPRequest) {
        FHTTPRequest->disconnect(this);
        FHTTPRequest->abort();
    }
}

void TAsyncResim::setUrl(const QString& adres) {
    if (adres == FUrl)
        return;
    FUrl = adres;
    IstekBaslat();
}

void TAsyncResim::IstekBaslat() {
    if (FUrl.isEmpty())
        return;
    if (FHTTPRequest) {
        FHTTPRequest->disconnect(this);
        FHTTPRequest->abort();
    }
    QNetworkReply* reply = FHTTPClient.get(QNetworkRequest(QUrl(FUrl)));
    FHTTPRequest = reply;
    connect(reply, &QNetworkReply::finished, this, [this, reply] {
        reply->deleteLater();
        const QByteArray veri = reply->readAll();
        // An empty answer leaves the current picture.
        if (!veri.isEmpty() && reply->error() == QNetworkReply::NoError) {
            if (GrafikYukle(QString::fromLatin1(reply->rawHeader("Content-Type")), veri))
                update();
        }
        emit Geldi();
    });
}

bool TAsyncResim::GrafikYukle(const QString& icerikTuru, const QByteArray& veri) {
    const QString tur = icerikTuru.mid(6).toLower();
    const char* bicim = nullptr;
    if (tur == QLatin1String("jpeg") || tur == QLatin1String("jpg")) {
        bicim = "JPEG";
    } else if (tur == QLatin1String("bmp")) {
        bicim = "BMP";
    } else if (tur == QLatin1String("png")) {
        bicim = "PNG";
    } else {
        return false;
    }
    QImage img;
    if (!img.loadFromData(veri, bicim))
        return false;
    image_ = std::move(img);
    hasPicture_ = true;
    return true;
}

void TAsyncResim::paintEvent(QPaintEvent*) {
    if (image_.isNull())
        return;
    QPainter p(this);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    // Stretched proportionally and centred.
    const QSize s = image_.size().scaled(size(), Qt::KeepAspectRatio);
    const QRect r(QPoint((width() - s.width()) / 2, (height() - s.height()) / 2), s);
    p.drawImage(r, image_);
}

}  // namespace kv::catalogue
