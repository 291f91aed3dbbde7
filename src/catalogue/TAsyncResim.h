// A picture control that fetches its own picture over HTTP in the background: it shows a
// placeholder at once and the picture when it arrives (JPEG, PNG or BMP, by the answer's
// content type). A download that ends after the control is gone is dropped.
#pragma once

#include <QImage>
#include <QNetworkAccessManager>
#include <QPointer>
#include <QWidget>

class QNetworkReply;

namespace kv::catalogue {

class TAsyncResim : public QWidget {
    Q_OBJECT
  public:
    explicit TAsyncResim(QWidget* owner = nullptr);
    ~TAsyncResim() override;

    const QString& Url() const { return FUrl; }
    // A new address starts its download; the same address again does nothing.
    void setUrl(const QString& adres);

    // Loads picture bytes of the given content type; false (picture unchanged) when the type
    // is not image/jpeg, image/jpg, image/bmp or image/png exactly, or the bytes do not decode.
    bool GrafikYukle(const QString& icerikTuru, const QByteArray& veri);

    bool yerTutucuGosteriliyor() const { return !hasPicture_; }
    const QImage& resim() const { return image_; }

  signals:
    // A download has ended (with or without a new picture).
    void Geldi();

  protected:
    void paintEvent(QPaintEvent* e) override;

  private:
    void IstekBaslat();

    QString FUrl;
    QNetworkAccessManager FHTTPClient;
    QPointer<QNetworkReply> FHTTPRequest;
    QImage image_;
    bool hasPicture_ = false;
};

}  // namespace kv::catalogue
