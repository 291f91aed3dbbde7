#include <gtest/gtest.h>
#include <QEventLoop>
#include <QImage>
#include <QNetworkAccessManager>
#include <QNetworkReply>

#include <cmath>

#include "common/Tablolar.h"
#include "platform/MemTable.h"
#include "remote/ServerConnection.h"
#include "remote/TServerMethods1Client.h"
#include "support/TestServer.h"

using namespace kv;

namespace {

class Catalogue : public test::ServerTest {
  protected:
    void SetUp() override {
        test::ServerTest::SetUp();
        conn.setHostName(server.host());
        conn.setPort(QString::number(server.port()));
        proxy = std::make_unique<remote::TServerMethods1Client>(&conn);
    }
    // Searches as the dealer of account 1001 (discount 12.5 %).
    const platform::MemTable& search(const QString& text) {
        auto bilgi = std::make_unique<remote::TSonucBilgisi>();
        bilgi->setCARINO(1001);
        return proxy->Kaveltrim(text, std::move(bilgi));
    }
    static QStringList column(const platform::MemTable& t, const char* name) {
        QStringList out;
        const int c = t.columnIndex(QString::fromLatin1(name));
        for (int r = 0; r < t.rowCount(); ++r)
            out << t.toText(r, c);
        return out;
    }
    QString one(const QString& sql) { return server.query(sql); }

    remote::ServerConnection conn;
    std::unique_ptr<remote::TServerMethods1Client> proxy;
};

}  // namespace

TEST_F(Catalogue, CodesMatchWithoutBlanksDashesDotsAndSlashesExactFirst) {
    // An item and the way a counter clerk might type its codes.
    const QStringList item = one(QStringLiteral("SELECT stokno, barkod, oem1, ureticikodu FROM "
                                                "stoklar WHERE oem1 LIKE '% % %' LIMIT 1"))
                                 .split(QLatin1Char('|'));
    ASSERT_EQ(item.size(), 4);
    const QString stokno = item[0], barkod = item[1], oem = item[2], uretici = item[3];

    for (const QString& typed : {barkod, QString(barkod).remove(QLatin1Char('-')),
                                 QString(barkod).replace(QLatin1Char('-'), QLatin1Char('/')), oem,
                                 QString(oem).remove(QLatin1Char(' ')).toLower(),
                                 QString(uretici).replace(QLatin1Char(' '), QLatin1Char('.'))}) {
        const auto& t = search(typed);
        ASSERT_GT(t.rowCount(), 0) << typed.toStdString();
        EXPECT_EQ(column(t, "STOK_STOKNO").first(), stokno) << typed.toStdString();
    }

    // A prefix finds every code that starts with it; exact matches precede them.
    const QString prefix = barkod.left(5);  // "XX-01"
    const auto& t = search(prefix);
    const QStringList codes = column(t, "BARKOD");
    ASSERT_GT(codes.size(), 1);
    for (QString c : codes.mid(0, 10)) {
        EXPECT_TRUE(c.remove(QLatin1Char('-')).startsWith(QString(prefix).remove(QLatin1Char('-'))))
            << c.toStdString();
    }
}

TEST_F(Catalogue, NamesMatchByEveryWordWithTurkishLettersFolded) {
    const auto& t = search(QStringLiteral("AMORTISOR ARKA"));
    ASSERT_GT(t.rowCount(), 0);
    for (const QString& name : column(t, "ADI")) {
        EXPECT_TRUE(name.contains(QStringLiteral("Amortisör arka"))) << name.toStdString();
    }
    const auto& typedTurkish = search(QStringLiteral("amortisör ARKA"));
    EXPECT_EQ(typedTurkish.rowCount(), t.rowCount());
    // Short words count as whole words: "ön" keeps the rear pads out.
    const auto& front = search(QStringLiteral("FREN BALATASI ON"));
    ASSERT_GT(front.rowCount(), 0);
    for (const QString& name : column(front, "ADI")) {
        EXPECT_TRUE(name.contains(QStringLiteral("Fren balatası ön"))) << name.toStdString();
    }
    EXPECT_EQ(search(QStringLiteral("YOKBOYLEPARCA")).rowCount(), 0);
    EXPECT_TRUE(search(QStringLiteral("YOKBOYLEPARCA")).isActive())
        << "an empty result keeps its columns";
}

TEST_F(Catalogue, PricesAreConsistent) {
    const auto& t = search(QStringLiteral("FILTRE"));
    ASSERT_GT(t.rowCount(), 0);
    const auto col = [&](const char* n) { return t.columnIndex(QString::fromLatin1(n)); };
    for (int r = 0; r < t.rowCount(); ++r) {
        const double fiyat = t.toDouble(r, col("FIYAT"));
        const double kamp = t.toDouble(r, col("KAMPFIYAT"));
        const bool campaign = t.toInt(r, col("K")) > 0;
        EXPECT_EQ(t.toDouble(r, col("LISTEFIYAT1")), fiyat);
        // What the stock item window computes from the same price and rate.
        const double net = campaign ? kamp : fiyat - common::Yuvarla(fiyat * 12.5 / 100);
        EXPECT_DOUBLE_EQ(t.toDouble(r, col("NETFIYAT")), net) << fiyat;
        EXPECT_EQ(t.toDouble(r, col("INDIRIM")), campaign ? 0.0 : 12.5);
        EXPECT_DOUBLE_EQ(t.toDouble(r, col("KDVDAHIL")),
                         common::Yuvarla(net * (t.toDouble(r, col("KDV")) / 100 + 1)));
        EXPECT_EQ(campaign, kamp > 0);
    }
}

TEST_F(Catalogue, NewAndCampaignLists) {
    const auto& yeni = proxy->YenilerVer(1001);
    EXPECT_EQ(QString::number(yeni.rowCount()),
              one(QStringLiteral("SELECT count(*) FROM stoklar WHERE yeni = 1")));
    for (const QString& y : column(yeni, "Y"))
        EXPECT_EQ(y, QStringLiteral("1"));

    const auto& kamp = proxy->KampanyaliVer(1001, 0);
    ASSERT_GT(kamp.rowCount(), 0);
    const int fiyat = kamp.columnIndex(u"FIYAT"), eski = kamp.columnIndex(u"ESKIFIYAT"),
              maliyet = kamp.columnIndex(u"MALIYET");
    ASSERT_GE(eski, 0);
    ASSERT_GE(maliyet, 0);
    for (int r = 0; r < kamp.rowCount(); ++r) {
        EXPECT_LT(kamp.toDouble(r, fiyat), kamp.toDouble(r, eski));
        const QString m = kamp.toText(r, maliyet);
        EXPECT_TRUE(m.endsWith(QStringLiteral(" TL")) || m.endsWith(QStringLiteral(" $")) ||
                    m.endsWith(QStringLiteral(" €")))
            << m.toStdString();
    }
}

TEST_F(Catalogue, SearchWithoutALoginRecordIsRefused) {
    try {
        proxy->Kaveltrim(QStringLiteral("FREN"), nullptr);
        FAIL();
    } catch (const remote::RemoteError& e) {
        EXPECT_EQ(e.httpStatus(), 500);
        EXPECT_EQ(e.message(), QStringLiteral("Arama için giriş bilgisi gerekli"));
    }
}

TEST_F(Catalogue, PictureHandlerServesRealPicturesForItemsWithOne) {
    const QStringList withPicture =
        one(QStringLiteral("SELECT stokno FROM stoklar WHERE resim = 1 ORDER BY stokno LIMIT 2"))
            .split(QLatin1Char('\n'));
    ASSERT_EQ(withPicture.size(), 2);
    const QString without =
        one(QStringLiteral("SELECT stokno FROM stoklar WHERE resim = 0 LIMIT 1"));
    QNetworkAccessManager nam;
    const auto get = [&](const QString& id) {
        QNetworkReply* r = nam.get(
            QNetworkRequest(QUrl(server.webUrl() + QStringLiteral("resimgoster.ashx?id=") + id)));
        QEventLoop loop;
        QObject::connect(r, &QNetworkReply::finished, &loop, &QEventLoop::quit);
        loop.exec();
        r->deleteLater();
        return std::make_tuple(r->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt(),
                               r->header(QNetworkRequest::ContentTypeHeader).toString(),
                               r->readAll());
    };
    for (const QString& id : withPicture) {
        const auto [status, type, body] = get(id);
        EXPECT_EQ(status, 200);
        EXPECT_EQ(type, id.toLongLong() % 2 == 0 ? QStringLiteral("image/jpeg")
                                                 : QStringLiteral("image/png"));
        QImage img;
        EXPECT_TRUE(img.loadFromData(body)) << id.toStdString();
        EXPECT_EQ(img.size(), QSize(400, 300));
    }
    EXPECT_EQ(std::get<0>(get(without)), 404);
    EXPECT_EQ(std::get<0>(get(QStringLiteral("abc"))), 404);
}
