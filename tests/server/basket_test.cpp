// The server's basket, shipping choices and orders, called over HTTP on the real server.
#include <gtest/gtest.h>
#include <QDate>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>
#include <atomic>
#include <latch>
#include <thread>

#include "platform/MemTable.h"
#include "remote/RemoteError.h"
#include "remote/ServerConnection.h"
#include "remote/TServerMethods1Client.h"
#include "support/TestServer.h"

using namespace kv;

namespace {

constexpr int kDealer = 1001;  // DEMO's account
constexpr int kOther = 1003;   // another dealer's account
constexpr int kKargoIle = 2;   // delivery mode "Kargo ile"
constexpr int kAnlasmali = 3;  // cargo type "Anlaşmalı Kargo"
constexpr int kYurtici = 301;  // its first company

struct Line {
    double miktar = 1;
    double fiyat = 100;
    double indirim = 0;
    double kdv = 20;
};

// A proxy on its own connection: one per thread.
struct Client {
    explicit Client(const test::TestServer& server) {
        conn.setHostName(server.host());
        conn.setPort(QString::number(server.port()));
        proxy = std::make_unique<remote::TServerMethods1Client>(&conn);
    }
    remote::ServerConnection conn;
    std::unique_ptr<remote::TServerMethods1Client> proxy;
};

class Basket : public test::ServerTest {
  protected:
    void SetUp() override {
        test::ServerTest::SetUp();
        client = std::make_unique<Client>(server);
        const QStringList items =
            sql("SELECT stokno FROM stoklar ORDER BY stokno LIMIT 3").split(QLatin1Char('\n'));
        ASSERT_EQ(items.size(), 3);
        for (const QString& s : items)
            stokno.push_back(s.toInt());
        demoSirano = sql("SELECT sirano FROM kullanicilar WHERE adi = 'DEMO'").toInt();
    }
    remote::TServerMethods1Client& proxy() { return *client->proxy; }
    QString sql(const QString& q) const { return server.query(q); }
    QString sql(const char* q) const { return server.query(QString::fromUtf8(q)); }

    std::unique_ptr<remote::TSonucBilgisi> login(int carino) const {
        auto b = std::make_unique<remote::TSonucBilgisi>();
        b->setCARINO(carino);
        b->setSirano(demoSirano);
        return b;
    }
    int add(const Line& l, int carino = kDealer, int item = -1,
            remote::TServerMethods1Client* p = nullptr) {
        return (p ? *p : proxy())
            .SepetEkle(login(carino), carino, item < 0 ? stokno[0] : item, QStringLiteral("X"),
                       QStringLiteral("X"), l.miktar, l.kdv, l.fiyat, l.indirim, demoSirano, 0);
    }
    int update(int sirano, const Line& l, int carino = kDealer) {
        return proxy().SepetGuncelle(login(carino), carino, 0, QString(), QString(), l.miktar,
                                     l.kdv, l.fiyat, l.indirim, demoSirano, sirano);
    }
    bool order(int carino = kDealer, int teslim = kKargoIle, int kargo = kAnlasmali,
               int firma = kYurtici, const QString& note = QString(),
               remote::TServerMethods1Client* p = nullptr) {
        return (p ? *p : proxy())
            .SiparisKaydet(login(carino), carino, teslim, kargo, note, demoSirano, firma);
    }
    // The numbers of an account's basket lines, in the basket's order.
    QList<int> lines(int carino = kDealer) {
        const auto& t = proxy().SepetVer(carino);
        QList<int> out;
        for (int r = 0; r < t.rowCount(); ++r)
            out << int(t.toInt(r, t.columnIndex(u"SIRANO")));
        return out;
    }
    // Everything the basket and order tables hold, to see that a refused call changed nothing.
    QString state() const {
        return sql(
            "SELECT 'sepet', sirano, carino, stokno, miktar, birimfiyat_kr, indirim1_onbinde, "
            "kdv_onbinde, tutar_kr, nettutar_kr, sec FROM sepet "
            "UNION ALL SELECT 'siparis', sirano, carino, teslimid, kargoturid, kargofirmaid, "
            "durum, aciklama, 0, 0, 0 FROM siparisler "
            "UNION ALL SELECT 'satir', sirano, siparisno, stokno, miktar, tutar_kr, 0, 0, 0, 0, 0 "
            "FROM siparis_satirlari ORDER BY 1, 2");
    }

    std::unique_ptr<Client> client;
    std::vector<int> stokno;
    int demoSirano = 0;
};

TEST_F(Basket, LineAmountsAreComputedInWholeKurusHalvesUp) {
    struct Case {
        Line line;
        double tutar, indirimTutar, netBirimFiyat, netTutar, vergiTutari;
    };
    const Case cases[] = {
        {{3, 100.00, 10, 20}, 300.00, 30.00, 90.00, 270.00, 54.00},
        {{1, 85.96, 12.5, 20}, 85.96, 10.75, 75.21, 75.21, 15.04},  // 10,745 discount
        {{3, 33.33, 5, 20}, 99.99, 5.00, 31.66, 94.99, 19.00},      // 4,9995 and 18,998
        {{1, 0.05, 10, 20}, 0.05, 0.01, 0.04, 0.04, 0.01},          // half a kuruş up
        {{7, 0.35, 0, 18}, 2.45, 0.00, 0.35, 2.45, 0.44},
        {{2, 12.34, 100, 20}, 24.68, 24.68, 0.00, 0.00, 0.00},
        {{2.5, 3.33, 0, 20}, 8.33, 0.00, 3.33, 8.33, 1.67},  // 8,325 and 1,666
    };
    for (const Case& c : cases)
        ASSERT_EQ(add(c.line), 1);

    const auto& t = proxy().SepetVer(kDealer);
    ASSERT_EQ(t.rowCount(), int(std::size(cases)));
    const auto col = [&](const char* n) {
        const int i = t.columnIndex(QString::fromLatin1(n));
        EXPECT_GE(i, 0) << n;
        return i;
    };
    for (int r = 0; r < t.rowCount(); ++r) {
        const Case& c = cases[r];
        SCOPED_TRACE(testing::Message() << "line " << r);
        EXPECT_DOUBLE_EQ(t.toDouble(r, col("MIKTAR")), c.line.miktar);
        EXPECT_DOUBLE_EQ(t.toDouble(r, col("BIRIMFIYAT")), c.line.fiyat);
        EXPECT_DOUBLE_EQ(t.toDouble(r, col("INDIRIMORANI1")), c.line.indirim);
        EXPECT_DOUBLE_EQ(t.toDouble(r, col("KDV")), c.line.kdv);
        EXPECT_DOUBLE_EQ(t.toDouble(r, col("TUTAR")), c.tutar);
        EXPECT_DOUBLE_EQ(t.toDouble(r, col("INDIRIMTUTAR")), c.indirimTutar);
        EXPECT_DOUBLE_EQ(t.toDouble(r, col("NETBIRIMFIYAT")), c.netBirimFiyat);
        EXPECT_DOUBLE_EQ(t.toDouble(r, col("NETTUTAR")), c.netTutar);
        EXPECT_DOUBLE_EQ(t.toDouble(r, col("VERGITUTARI")), c.vergiTutari);
        EXPECT_EQ(t.toInt(r, col("SEC")), 1) << "a new line is selected";
    }

    // The line names its item from the catalogue, its giver and its day.
    const QStringList item = sql(QStringLiteral("SELECT barkod, adi, durum FROM stoklar WHERE "
                                                "stokno = %1")
                                     .arg(stokno[0]))
                                 .split(QLatin1Char('|'));
    EXPECT_EQ(t.toText(0, col("BARKOD")), item[0]);
    EXPECT_EQ(t.toText(0, col("STOKADI")), item[1]);
    EXPECT_EQ(t.toText(0, col("DURUM")), item[2]);
    EXPECT_EQ(t.toInt(0, col("STOKNO")), stokno[0]);
    EXPECT_EQ(t.toText(0, col("VEREN")), QStringLiteral("DEMO"));
    const double today = double(QDate(1899, 12, 30).daysTo(QDate::currentDate()));
    EXPECT_NEAR(t.toDouble(0, col("VERILISTARIHI")), today + 0.5, 1.0);

    // Every column the basket grid names, amounts as plain floating point.
    for (const char* name :
         {"SIRANO",        "STOKNO",        "SEC",           "BARKOD",        "STOKADI",
          "MARKA",         "FINISHKOD",     "MODEL",         "MIKTAR",        "BIRIMFIYAT",
          "INDIRIMORANI1", "INDIRIMORANI2", "INDIRIMORANI3", "NETBIRIMFIYAT", "KDV",
          "TUTAR",         "INDIRIMTUTAR",  "VERGITUTARI",   "NETTUTAR",      "VERILISTARIHI",
          "VEREN",         "DURUM",         "KALAN",         "SIPARISNO",     "TARIH",
          "OEMNO",         "KUR",           "SAAT",          "ACIKLAMA",      "OEM1",
          "OEM2",          "OEM3",          "OEM4",          "DIGERADI",      "DPKOD",
          "ANAGRUP",       "OZELKOD",       "PKOD",          "CARINO",        "AKTAR",
          "KURTL",         "VERENIDNO",     "TESLIMID",      "KARGOID",       "IDNO",
          "VERENSIRANO",   "CARIKOD",       "CARIADI",       "STOK_STOKNO",   "URETICIKODU"}) {
        col(name);
    }
    for (const char* money : {"BIRIMFIYAT", "NETBIRIMFIYAT", "TUTAR", "INDIRIMTUTAR", "VERGITUTARI",
                              "NETTUTAR", "MIKTAR", "KDV"}) {
        EXPECT_EQ(t.columnType(col(money)), platform::FieldType::Double) << money;
    }
    EXPECT_EQ(t.columnType(col("VERILISTARIHI")), platform::FieldType::DateTime);
}

TEST_F(Basket, BadLinesAreRefusedAndChangeNothing) {
    ASSERT_EQ(add({2, 50, 5, 20}), 1);
    const int line = lines().first();
    const QString before = state();

    struct Case {
        const char* what;
        Line line;
        int carino;
        int item;  // -1: a catalogue item
        int expected;
    };
    const Case cases[] = {
        {"item not in the catalogue", {}, kDealer, 999999999, 0},
        {"unknown account", {}, 9999, -1, 0},
        {"quantity 0", {0, 100, 0, 20}, kDealer, -1, -1},
        {"negative quantity", {-1, 100, 0, 20}, kDealer, -1, -1},
        {"absurd quantity", {1e9, 100, 0, 20}, kDealer, -1, -1},
        {"negative price", {1, -0.01, 0, 20}, kDealer, -1, -1},
        {"discount below 0", {1, 100, -1, 20}, kDealer, -1, -1},
        {"discount above 100", {1, 100, 100.5, 20}, kDealer, -1, -1},
        {"VAT above 100", {1, 100, 0, 101}, kDealer, -1, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(add(c.line, c.carino, c.item), c.expected);
        if (c.item < 0) {
            // The same values refused as a change of the existing line.
            EXPECT_EQ(update(line, c.line, c.carino), c.carino == kDealer ? -1 : 0);
        }
        EXPECT_EQ(state(), before);
    }

    // A quantity the wire cannot carry as a finite number never reaches the basket.
    remote::ServerConnection raw;
    raw.setHostName(server.host());
    raw.setPort(QString::number(server.port()));
    raw.open();
    const auto r = raw.post("SepetEkle", "{\"params\":[null,1001," + std::to_string(stokno[0]) +
                                             ",\"\",\"\",1e999,20,100,0,1,0]}");
    EXPECT_EQ(r.status, 400);
    EXPECT_EQ(state(), before);

    EXPECT_EQ(add({1, 0, 0, 0}), 1) << "a line at price 0 is allowed";
}

TEST_F(Basket, ChangesAndDeletionsReachOnlyTheAccountsOwnLines) {
    ASSERT_EQ(add({1, 100, 0, 20}), 1);
    ASSERT_EQ(add({1, 40, 0, 20}, kOther), 1);
    const int mine = lines().first(), theirs = lines(kOther).first();
    const QString theirsBefore =
        sql(QStringLiteral("SELECT * FROM sepet WHERE sirano = %1").arg(theirs));

    EXPECT_EQ(update(theirs, {9, 1, 0, 20}), 0) << "a line of another account";
    EXPECT_EQ(update(999999, {9, 1, 0, 20}), 0) << "no such line";
    EXPECT_EQ(proxy().SepetSatirSil(login(kDealer), theirs, QStringLiteral("x")), 0);
    EXPECT_EQ(sql(QStringLiteral("SELECT * FROM sepet WHERE sirano = %1").arg(theirs)),
              theirsBefore);

    // A change recomputes the amounts; the line keeps its item and VAT rate.
    EXPECT_EQ(update(mine, {5, 50, 10, 8}), 1);
    const auto& t = proxy().SepetVer(kDealer);
    ASSERT_EQ(t.rowCount(), 1);
    EXPECT_DOUBLE_EQ(t.toDouble(0, t.columnIndex(u"TUTAR")), 250.00);
    EXPECT_DOUBLE_EQ(t.toDouble(0, t.columnIndex(u"NETTUTAR")), 225.00);
    EXPECT_DOUBLE_EQ(t.toDouble(0, t.columnIndex(u"KDV")), 20.0);
    EXPECT_DOUBLE_EQ(t.toDouble(0, t.columnIndex(u"VERGITUTARI")), 45.00);
    EXPECT_EQ(t.toInt(0, t.columnIndex(u"STOKNO")), stokno[0]);

    const QString what = QStringLiteral("FL-1-Yağ filtresi");
    EXPECT_EQ(proxy().SepetSatirSil(login(kDealer), mine, what), 1);
    EXPECT_TRUE(lines().isEmpty());
    EXPECT_EQ(sql(QStringLiteral("SELECT aciklama, silen FROM sepet_silinenler WHERE "
                                 "sepetsirano = %1")
                      .arg(mine)),
              what + QStringLiteral("|%1").arg(demoSirano));

    ASSERT_EQ(add({1, 10, 0, 20}), 1);
    ASSERT_EQ(add({2, 10, 0, 20}), 1);
    EXPECT_EQ(proxy().SepetHepsiniSil(login(kDealer)), 2);
    EXPECT_TRUE(lines().isEmpty());
    EXPECT_EQ(lines(kOther), QList<int>{theirs});
    EXPECT_EQ(proxy().SepetHepsiniSil(login(kDealer)), 0);

    try {
        proxy().SepetHepsiniSil(nullptr);
        FAIL() << "a deletion without a login record";
    } catch (const remote::RemoteError& e) {
        EXPECT_EQ(e.httpStatus(), 500);
        EXPECT_EQ(e.message(), QStringLiteral("Sepet işlemi için giriş bilgisi gerekli"));
    }
    EXPECT_EQ(lines(kOther), QList<int>{theirs});
}

TEST_F(Basket, ShippingChoicesComeInServerOrder) {
    const auto names = [](const platform::MemTable& t, int col) {
        QStringList out;
        for (int r = 0; r < t.rowCount(); ++r)
            out << t.toText(r, col);
        return out;
    };
    const auto& teslim = proxy().TeslimVer();
    EXPECT_EQ(names(teslim, 1), (QStringList{QStringLiteral("Gel Al"), QStringLiteral("Kargo ile"),
                                             QStringLiteral("Servis Aracı")}));
    EXPECT_EQ(teslim.columnType(0), platform::FieldType::Int32);
    EXPECT_EQ(teslim.toInt(1, 0), kKargoIle);

    const auto& kargo = proxy().KargoVer();
    ASSERT_GE(kargo.rowCount(), 3);
    EXPECT_EQ(kargo.columnType(0), platform::FieldType::Int32);
    for (int r = 0; r < kargo.rowCount(); ++r) {
        const int type = int(kargo.toInt(r, 0));
        Client other(server);
        const auto& firms = other.proxy->KargolarVer(type);
        SCOPED_TRACE(kargo.toText(r, 1).toStdString());
        EXPECT_GT(firms.rowCount(), 0);
        for (const char16_t* n : {u"ADI", u"SIRANO", u"UYARI"})
            EXPECT_GE(firms.columnIndex(n), 0);
        // The order is the server's and stays the same from call to call.
        const QString listed = sql(QStringLiteral("SELECT group_concat(sirano) FROM (SELECT "
                                                  "sirano FROM kargo_firmalari WHERE tur = %1 "
                                                  "ORDER BY sira, sirano)")
                                       .arg(type));
        EXPECT_EQ(names(firms, firms.columnIndex(u"SIRANO")).join(QLatin1Char(',')), listed);
    }

    // Two companies of one type share a name; the first of them has its own note.
    const auto& anlasmali = proxy().KargolarVer(kAnlasmali);
    const int adi = anlasmali.columnIndex(u"ADI"), uyari = anlasmali.columnIndex(u"UYARI");
    ASSERT_GE(anlasmali.rowCount(), 2);
    EXPECT_EQ(anlasmali.toText(0, adi), anlasmali.toText(1, adi));
    EXPECT_NE(anlasmali.toText(0, uyari), anlasmali.toText(1, uyari));
    EXPECT_EQ(anlasmali.toInt(0, anlasmali.columnIndex(u"SIRANO")), kYurtici);

    const auto& none = proxy().KargolarVer(999);
    EXPECT_EQ(none.rowCount(), 0);
    EXPECT_GE(none.columnIndex(u"UYARI"), 0) << "an empty list keeps its columns";
}

TEST_F(Basket, AnOrderTakesTheSelectedLinesAndLeavesTheOthers) {
    ASSERT_EQ(add({3, 100, 10, 20}), 1);
    ASSERT_EQ(add({1, 20, 0, 20}, kDealer, stokno[1]), 1);
    ASSERT_EQ(add({2, 5, 0, 20}, kDealer, stokno[2]), 1);
    const QList<int> all = lines();
    proxy().SepetSecimGuncelle(all[1], 0);
    const QString kept = sql(QStringLiteral("SELECT * FROM sepet WHERE sirano = %1").arg(all[1]));

    const QString note = QStringLiteral("Öğlene kadar lütfen.\nFatura adresi değişti\r\n  son");
    EXPECT_TRUE(order(kDealer, kKargoIle, kAnlasmali, kYurtici, note));

    EXPECT_EQ(lines(), QList<int>{all[1]});
    EXPECT_EQ(sql(QStringLiteral("SELECT * FROM sepet WHERE sirano = %1").arg(all[1])), kept);
    EXPECT_EQ(sql("SELECT count(*), carino, durum, teslimid, kargoturid, kargofirmaid, verenid "
                  "FROM siparisler"),
              QStringLiteral("1|1001|Alındı|2|3|301|%1").arg(demoSirano));
    EXPECT_EQ(sql("SELECT aciklama FROM siparisler"), note) << "the note as sent";
    EXPECT_EQ(sql("SELECT group_concat(durum) FROM siparis_durumlari"), QStringLiteral("Alındı"));
    // The lines keep their numbers and amounts.
    EXPECT_EQ(sql("SELECT group_concat(sirano) FROM (SELECT sirano FROM siparis_satirlari "
                  "ORDER BY sirano)"),
              QStringLiteral("%1,%2").arg(all[0]).arg(all[2]));
    EXPECT_EQ(sql(QStringLiteral("SELECT tutar_kr, indirimtutar_kr, nettutar_kr, vergitutari_kr, "
                                 "miktar, bakiye FROM siparis_satirlari WHERE sirano = %1")
                      .arg(all[0])),
              QStringLiteral("30000|3000|27000|5400|3.0|3.0"));

    const QString listed = server.admin({QStringLiteral("orders")});
    EXPECT_TRUE(
        listed.contains(QStringLiteral("Alındı\tKargo ile\tAnlaşmalı Kargo\tYURTİÇİ KARGO")))
        << listed.toStdString();
    EXPECT_TRUE(listed.contains(QStringLiteral("Fatura adresi değişti"))) << listed.toStdString();

    // Nothing selected is left: a second order is refused and changes nothing.
    const QString before = state();
    EXPECT_FALSE(order());
    EXPECT_EQ(state(), before);
}

TEST_F(Basket, RefusedOrdersChangeNothing) {
    ASSERT_EQ(add({1, 100, 0, 20}), 1);
    ASSERT_EQ(add({1, 100, 0, 20}, kOther), 1);
    proxy().SepetSecimGuncelle(lines(kOther).first(), 0);
    const QString before = state();

    struct Case {
        const char* what;
        int carino, teslim, kargo, firma;
    };
    const Case cases[] = {
        {"unknown account", 9999, kKargoIle, kAnlasmali, kYurtici},
        {"unknown delivery mode", kDealer, 99, kAnlasmali, kYurtici},
        {"unknown cargo type", kDealer, kKargoIle, 99, kYurtici},
        {"unknown company", kDealer, kKargoIle, kAnlasmali, 99999},
        {"company of another type", kDealer, kKargoIle, 1, kYurtici},
        {"no selected line", kOther, kKargoIle, kAnlasmali, kYurtici},
        {"empty basket", 1002, kKargoIle, kAnlasmali, kYurtici},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_FALSE(order(c.carino, c.teslim, c.kargo, c.firma, QStringLiteral("not")));
        EXPECT_EQ(state(), before);
    }
    EXPECT_TRUE(order());
}

TEST_F(Basket, TwoOrdersAtOnceTakeTheLinesOnce) {
    constexpr int kRounds = 4, kLines = 3;
    for (int round = 0; round < kRounds; ++round) {
        for (int i = 0; i < kLines; ++i)
            ASSERT_EQ(add({double(i + 1), 10, 0, 20}), 1);
        std::latch go(2);
        std::atomic<int> stored{0}, failures{0};
        const auto send = [&] {
            Client c(server);
            go.arrive_and_wait();
            try {
                stored += order(kDealer, kKargoIle, kAnlasmali, kYurtici, QString(), c.proxy.get());
            } catch (...) {
                ++failures;
            }
        };
        std::thread a(send), b(send);
        a.join();
        b.join();
        EXPECT_EQ(failures, 0);
        EXPECT_EQ(stored, 1) << "round " << round;
    }
    EXPECT_TRUE(lines().isEmpty());
    EXPECT_EQ(sql("SELECT count(*) FROM siparisler"), QString::number(kRounds));
    EXPECT_EQ(sql("SELECT count(DISTINCT siparisno) || ' ' || count(*) || ' ' || CAST(sum(miktar) "
                  "AS INTEGER) "
                  "FROM siparis_satirlari"),
              QStringLiteral("%1 %2 %3").arg(kRounds).arg(kRounds * kLines).arg(kRounds * 6));
}

TEST_F(Basket, LinesAddedDuringOrdersLandWholeInOnePlace) {
    constexpr int kAdded = 30;
    std::atomic<bool> adding{true};
    std::atomic<int> added{0}, failures{0};
    std::thread adder([&] {
        Client c(server);
        for (int i = 0; i < kAdded; ++i) {
            try {
                added += add({2, 12.5, 10, 20}, kDealer, stokno[i % 3], c.proxy.get()) == 1;
            } catch (...) {
                ++failures;
            }
        }
        adding = false;
    });
    std::thread orderer([&] {
        Client c(server);
        do {
            try {
                order(kDealer, kKargoIle, kAnlasmali, kYurtici, QString(), c.proxy.get());
            } catch (...) {
                ++failures;
            }
        } while (adding);
    });
    adder.join();
    orderer.join();
    EXPECT_EQ(failures, 0);
    ASSERT_EQ(added, kAdded);

    // Every line is either still in the basket or in exactly one order, with all its values.
    EXPECT_EQ(sql("SELECT (SELECT count(*) FROM sepet) + (SELECT count(*) FROM siparis_satirlari)"),
              QString::number(kAdded));
    EXPECT_EQ(sql("SELECT count(*) FROM (SELECT sirano FROM sepet UNION SELECT sirano FROM "
                  "siparis_satirlari)"),
              QString::number(kAdded));
    EXPECT_EQ(sql("SELECT count(*) FROM siparis_satirlari WHERE miktar <> 2 OR tutar_kr <> 2500 "
                  "OR nettutar_kr <> 2250 OR vergitutari_kr <> 450"),
              QStringLiteral("0"));
    EXPECT_EQ(sql("SELECT count(*) FROM siparisler WHERE sirano NOT IN "
                  "(SELECT siparisno FROM siparis_satirlari)"),
              QStringLiteral("0"))
        << "no order without lines";
}

// The server is killed inside an order, before or after its commit, and restarted on the same
// database: the order is there whole with its lines gone from the basket, or not at all with
// the basket as it was.
TEST_F(Basket, AnOrderCutByACrashIsAllOrNothing) {
    struct Case {
        const char* phase;
        bool stored;
    };
    for (const Case& c : {Case{"before-commit", false}, Case{"after-commit", true}}) {
        SCOPED_TRACE(c.phase);
        const int left = int(lines().size());
        ASSERT_EQ(proxy().SepetHepsiniSil(login(kDealer)), left);
        ASSERT_EQ(add({3, 100, 10, 20}), 1);
        ASSERT_EQ(add({1, 20, 0, 20}, kDealer, stokno[1]), 1);
        const QList<int> all = lines();
        proxy().SepetSecimGuncelle(all[1], 0);
        const QString ordersBefore = sql("SELECT count(*) FROM siparisler");
        const QString basketBefore = state();

        QTemporaryDir dir;
        const QString marker = dir.filePath(QStringLiteral("duraklama"));
        server.stop();
        env.set("KAVELTRIM_TEST_ORDER_PAUSE",
                QString::fromLatin1(c.phase) + QLatin1Char(':') + marker);
        server.start();
        env.set("KAVELTRIM_TEST_ORDER_PAUSE", QString());

        std::atomic<bool> answered{false};
        std::thread sender([&] {
            Client other(server);
            try {
                order(kDealer, kKargoIle, kAnlasmali, kYurtici, QStringLiteral("kesik"),
                      other.proxy.get());
                answered = true;
            } catch (const remote::RemoteError&) {
            }
        });
        // The server reports that it has reached the point; then it is killed there.
        for (int i = 0; i < 6000 && !QFile::exists(marker); ++i)
            QThread::msleep(10);
        const bool reached = QFile::exists(marker);
        server.kill();
        sender.join();
        ASSERT_TRUE(reached) << "the order did not reach " << c.phase;
        EXPECT_FALSE(answered) << "the answer cannot have been sent";

        server.start();
        client->conn.close();  // its socket went with the killed server
        if (c.stored) {
            EXPECT_EQ(sql("SELECT count(*) FROM siparisler"),
                      QString::number(ordersBefore.toInt() + 1));
            EXPECT_EQ(sql("SELECT aciklama, (SELECT group_concat(sirano) FROM siparis_satirlari "
                          "s WHERE s.siparisno = o.sirano) FROM siparisler o ORDER BY sirano "
                          "DESC LIMIT 1"),
                      QStringLiteral("kesik|%1").arg(all[0]));
            EXPECT_EQ(lines(), QList<int>{all[1]});
        } else {
            EXPECT_EQ(sql("SELECT count(*) FROM siparisler"), ordersBefore);
            EXPECT_EQ(state(), basketBefore);
        }
    }
}

}  // namespace
