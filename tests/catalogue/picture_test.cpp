#include <gtest/gtest.h>
#include <QBuffer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>

#include "catalogue/TAsyncResim.h"
#include "support/TestServer.h"

using kv::catalogue::TAsyncResim;

namespace {

// A web host answering every GET with a fixed content type and body (the reference server
// serves only JPEG and PNG pictures); it counts the requests and can hold its answers back.
class PictureHost : public QObject {
  public:
    PictureHost(QByteArray contentType, QByteArray body)
        : type_(std::move(contentType)), body_(std::move(body)) {
        server_.listen(QHostAddress::LocalHost);
        connect(&server_, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket* s = server_.nextPendingConnection()) {
                connect(s, &QTcpSocket::readyRead, this, [this, s] {
                    if (!s->readAll().contains("\r\n\r\n"))
                        return;
                    ++requests;
                    if (hold) {
                        held_.append(s);
                    } else {
                        answer(s);
                    }
                });
            }
        });
    }
    QString url() const {
        return QStringLiteral("http://127.0.0.1:%1/resim").arg(server_.serverPort());
    }
    void releaseAll() {
        for (QTcpSocket* s : held_) {
            if (s)
                answer(s);
        }
        held_.clear();
    }
    int requests = 0;
    bool hold = false;

  private:
    void answer(QTcpSocket* s) {
        s->write("HTTP/1.1 200 OK\r\nContent-Type: " + type_ + "\r\nContent-Length: " +
                 QByteArray::number(body_.size()) + "\r\nConnection: close\r\n\r\n" + body_);
        s->disconnectFromHost();
    }
    QTcpServer server_;
    QByteArray type_, body_;
    QList<QPointer<QTcpSocket>> held_;
};

QByteArray encoded(const char* format) {
    QImage img(8, 6, QImage::Format_RGB32);
    img.fill(Qt::red);
    QByteArray out;
    QBuffer b(&out);
    b.open(QIODevice::WriteOnly);
    img.save(&b, format);
    return out;
}

bool load(TAsyncResim& r, const QString& url) {
    bool done = false;
    QObject::connect(&r, &TAsyncResim::Geldi, [&] { done = true; });
    r.setUrl(url);
    return QTest::qWaitFor([&] { return done; }, 20000);
}

}  // namespace

TEST(TAsyncResim, ContentTypeDecidesWhetherThePictureShows) {
    struct Case {
        const char* type;
        const char* format;
        bool shows;
    } cases[] = {
        {"image/png", "PNG", true},    {"image/jpeg", "JPEG", true},
        {"image/jpg", "JPEG", true},   {"image/bmp", "BMP", true},
        {"image/gif", "PNG", false},   {"image/png; charset=binary", "PNG", false},
        {"image/png", nullptr, false},  // bytes that are no picture
    };
    for (const Case& c : cases) {
        PictureHost host(c.type, c.format ? encoded(c.format) : QByteArray("bu bir resim değil"));
        TAsyncResim r;
        ASSERT_TRUE(load(r, host.url())) << c.type;
        EXPECT_EQ(!r.yerTutucuGosteriliyor(), c.shows) << c.type;
        if (c.shows)
            EXPECT_EQ(r.resim().size(), QSize(8, 6)) << c.type;
    }
}

TEST(TAsyncResim, SameAddressDownloadsOnceAndLateAnswersAreDropped) {
    PictureHost host("image/png", encoded("PNG"));
    {
        TAsyncResim r;
        ASSERT_TRUE(load(r, host.url()));
        r.setUrl(host.url());
        QTest::qWait(100);
        EXPECT_EQ(host.requests, 1);
    }
    host.hold = true;
    auto* r = new TAsyncResim;
    r->setUrl(host.url() + QStringLiteral("?id=2"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return host.requests == 2; }, 10000));
    delete r;  // gone before its picture arrives
    host.releaseAll();
    QTest::qWait(100);
}

using ServerPictures = kv::test::ServerTest;

TEST_F(ServerPictures, PicturesOfTheReferenceServer) {
    const QString withPicture =
        server.query(QStringLiteral("SELECT stokno FROM stoklar WHERE resim = 1 LIMIT 1"));
    const QString without =
        server.query(QStringLiteral("SELECT stokno FROM stoklar WHERE resim = 0 LIMIT 1"));
    TAsyncResim shown;
    ASSERT_TRUE(
        load(shown, server.webUrl() + QStringLiteral("resimgoster.ashx?id=") + withPicture));
    EXPECT_FALSE(shown.yerTutucuGosteriliyor());
    TAsyncResim missing;
    ASSERT_TRUE(load(missing, server.webUrl() + QStringLiteral("resimgoster.ashx?id=") + without));
    EXPECT_TRUE(missing.yerTutucuGosteriliyor());
}
