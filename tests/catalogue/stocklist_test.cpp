#include <gtest/gtest.h>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>

#include "app/TForm1.h"
#include "catalogue/HazirStokListesi.h"
#include "catalogue/StokListesi.h"
#include "platform/CountBadgeTabBar.h"
#include "remote/TableJson.h"
#include "support/DialogWatcher.h"
#include "support/TestServer.h"

using namespace kv;
using catalogue::StokListesi;

namespace {

class StockList : public test::ServerTest {
  protected:
    std::unique_ptr<app::TForm1> window(int kind = 0, int width = 1344) {
        auto w = std::make_unique<app::TForm1>();
        w->bagc().setHostName(server.host());
        w->bagc().setPort(QString::number(server.port()));
        w->sbilgi().setCARINO(1001);
        w->sbilgi().setMusteriTipi(kind);
        w->KullaniciTipiUygula();
        w->resize(width, 700);
        w->show();
        return w;
    }
    // Types the text into the search box and presses Enter; waits for the search to end.
    void search(app::TForm1& w, const QString& text) {
        w.araedit->clear();
        QTest::keyClicks(w.araedit, text);
        bool done = false;
        QObject::connect(w.stokListesi, &StokListesi::aramaBitti, [&] { done = true; });
        QTest::keyClick(w.araedit, Qt::Key_Return);
        if (w.araedit->isEnabled())
            return;  // refused before any call
        ASSERT_TRUE(QTest::qWaitFor([&] { return done; }, 30000));
    }
    static QString caption(app::TForm1& w) { return w.sPageControl1->tabText(0); }
    static bool shown(app::TForm1& w, const char* field) {
        auto* g = w.stokListesi->cxGrid1DBTableView1;
        return !g->isColumnHidden(g->gridModel()->columnOf(QString::fromUtf8(field)));
    }

    test::DialogWatcher watcher;
};

}  // namespace

TEST_F(StockList, KeyFilterShowsTurkishLettersAsLatinCapitals) {
    auto w = window();
    QLineEdit* e = w->araedit;
    e->insert(QStringLiteral("şişe ğüöç ıİ"));
    EXPECT_EQ(e->text(), QStringLiteral("SISE GUOC II"));
    EXPECT_EQ(catalogue::AramaTusFiltresi::donustur(QStringLiteral("Fren balatası ön")),
              QStringLiteral("FREN BALATASI ON"));
}

TEST_F(StockList, FewerThanThreeLettersAreRefusedThreeAfterABlankAreSearched) {
    auto w = window();
    search(*w, QStringLiteral(" fr "));
    ASSERT_EQ(watcher.seen().size(), 1);
    EXPECT_EQ(watcher.seen()[0].text, QStringLiteral("Lütfen en az 3 harf giriniz !"));
    EXPECT_EQ(watcher.seen()[0].title, QStringLiteral("Uyarı"));
    EXPECT_EQ(caption(*w), QStringLiteral("Stok Listesi"));

    search(*w, QStringLiteral(" fre"));
    EXPECT_EQ(watcher.seen().size(), 1) << "no warning";
    EXPECT_EQ(w->araedit->text(), QStringLiteral(" FRE")) << "the text is sent as shown";
    const int rows = w->stokListesi->stok.rowCount();
    EXPECT_GT(rows, 0);
    EXPECT_EQ(caption(*w), QStringLiteral("%1=Stok Listesi").arg(rows));
    EXPECT_EQ(w->stokListesi->cxGrid1DBTableView1->model()->rowCount(), rows);
    EXPECT_EQ(platform::parseCountCaption(caption(*w)).baslik, QStringLiteral("Stok Listesi"));
    EXPECT_TRUE(w->araedit->isEnabled());
    EXPECT_FALSE(w->gifstokara->isVisible());

    w->temizlebuton->click();
    EXPECT_EQ(caption(*w), QStringLiteral("Stok Listesi"));
    EXPECT_TRUE(w->araedit->text().isEmpty());
    EXPECT_FALSE(w->stokListesi->stok.isActive());
}

TEST_F(StockList, NarrowAt1152WideAt1153) {
    struct Case {
        int width;
        bool wide;
        int rowHeight;
    } cases[] = {{1152, false, 100}, {1153, true, 60}};
    for (const Case& c : cases) {
        auto w = window(0, c.width);
        search(*w, QStringLiteral("FREN"));
        ASSERT_EQ(w->width(), c.width);
        for (const char* f : {"KDVDAHIL", "NETFIYAT", "INDIRIM", "KAMPFIYAT", "LISTEFIYAT1"}) {
            EXPECT_EQ(shown(*w, f), c.wide) << c.width << " " << f;
        }
        EXPECT_EQ(shown(*w, "Fiyat Bilgisi"), !c.wide) << c.width;
        EXPECT_EQ(w->stokListesi->cxGrid1DBTableView1->verticalHeader()->defaultSectionSize(),
                  c.rowHeight);
    }
}

TEST_F(StockList, PriceSummaryLines) {
    std::string json =
        R"({"columns":[{"name":"LISTEFIYAT1","type":"double"},{"name":"KAMPFIYAT","type":"double"},
      {"name":"INDIRIM","type":"double"},{"name":"NETFIYAT","type":"double"},{"name":"KDVDAHIL","type":"double"}],
      "rows":[[1200,0,0,1200,1440],[100,85,0,85,102],[1234.5,0,12.5,1080.19,1296.23]]})";
    platform::MemTable t;
    remote::decodeTable(json, t);
    EXPECT_EQ(
        StokListesi::fiyatBilgisi(t, 0),
        QStringLiteral("Liste Fiyatı: 1.200,00\nNetFiyat: 1.200,00\nKDV li Fiyat: 1.440,00\n"));
    EXPECT_EQ(StokListesi::fiyatBilgisi(t, 1),
              QStringLiteral("Liste Fiyatı: 100,00\nKampanyalı Fiyat: 85,00\nNetFiyat: 85,00\nKDV "
                             "li Fiyat: 102,00\n"));
    EXPECT_EQ(StokListesi::fiyatBilgisi(t, 2),
              QStringLiteral("Liste Fiyatı: 1.234,50\nİskonto %: 12,50\nNetFiyat: 1.080,19\nKDV li "
                             "Fiyat: 1.296,23\n"));
}

TEST_F(StockList, FailedSearchShowsTheErrorAndEmptiesTheList) {
    auto w = window();
    search(*w, QStringLiteral("FREN"));
    ASSERT_TRUE(w->stokListesi->stok.isActive());
    server.stop();
    search(*w, QStringLiteral("FREN"));
    ASSERT_EQ(watcher.seen().size(), 1);
    EXPECT_EQ(watcher.seen()[0].text,
              QStringLiteral("Bağlantı Kurulamıyor Lütfen Tekrar Deneyin ...!"));
    EXPECT_FALSE(w->stokListesi->stok.isActive());
    EXPECT_EQ(caption(*w), QStringLiteral("Stok Listesi"));
    EXPECT_TRUE(w->araedit->isEnabled());
}

namespace {

// Passes a connection through to the server but holds the server's answers back until
// released: a search that stays in progress for as long as a test needs.
class HoldingRelay : public QTcpServer {
  public:
    explicit HoldingRelay(int serverPort) : port_(serverPort) {
        listen(QHostAddress::LocalHost);
        connect(this, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket* client = nextPendingConnection()) {
                auto* up = new QTcpSocket(client);
                up->connectToHost(QHostAddress::LocalHost, quint16(port_));
                connect(client, &QTcpSocket::readyRead, up,
                        [client, up] { up->write(client->readAll()); });
                connect(up, &QTcpSocket::readyRead, client, [this, client, up] {
                    held_.append({client, up->readAll()});
                    if (!holding_)
                        release();
                });
            }
        });
    }
    void release() {
        holding_ = false;
        for (auto& [client, bytes] : held_) {
            if (client)
                client->write(bytes);
        }
        held_.clear();
    }

  private:
    int port_;
    bool holding_ = true;
    QList<std::pair<QPointer<QTcpSocket>, QByteArray>> held_;
};

}  // namespace

TEST_F(StockList, AResizeDuringASearchWaitsForItsEnd) {
    auto w = window(0, 1344);
    HoldingRelay relay(server.port());
    w->bagc().setPort(QString::number(relay.serverPort()));
    bool done = false;
    QObject::connect(w->stokListesi, &StokListesi::aramaBitti, [&] { done = true; });
    w->araedit->setText(QStringLiteral("FREN"));
    QTest::keyClick(w->araedit, Qt::Key_Return);
    ASSERT_FALSE(w->araedit->isEnabled()) << "searching";
    w->resize(1100, 700);
    QTest::qWait(200);
    ASSERT_FALSE(done);
    EXPECT_EQ(w->width(), 1100);
    EXPECT_TRUE(shown(*w, "KDVDAHIL")) << "still the wide layout while searching";
    EXPECT_EQ(w->stokListesi->cxGrid1DBTableView1->verticalHeader()->defaultSectionSize(), 60);
    relay.release();
    ASSERT_TRUE(QTest::qWaitFor([&] { return done; }, 30000));
    EXPECT_GT(w->stokListesi->stok.rowCount(), 0);
    EXPECT_FALSE(shown(*w, "KDVDAHIL")) << "the narrow layout once the search has ended";
    EXPECT_TRUE(shown(*w, "Fiyat Bilgisi"));
    EXPECT_EQ(w->stokListesi->cxGrid1DBTableView1->verticalHeader()->defaultSectionSize(), 100);
}

TEST_F(StockList, UserKindsShowQuantityOrHideCampaignColumns) {
    auto rep = window(1, 1344);
    search(*rep, QStringLiteral("FREN"));  // a refill keeps the columns as they were
    for (const char* f : {"KALAN", "ALINANSIPARIS", "VERILENSIPARIS"})
        EXPECT_TRUE(shown(*rep, f)) << f;
    EXPECT_TRUE(shown(*rep, "K"));
    auto dealer = window(0, 1344);
    for (const char* f : {"KALAN", "ALINANSIPARIS", "VERILENSIPARIS"})
        EXPECT_FALSE(shown(*dealer, f)) << f;
    auto noCampaign = window(4, 1344);
    EXPECT_FALSE(shown(*noCampaign, "K"));
    auto* m = noCampaign->stokListesi->cxGrid1DBTableView1->gridModel();
    EXPECT_FALSE(m->columns()[m->columnOf(QStringLiteral("K"))].chooser);
    EXPECT_FALSE(m->columns()[m->columnOf(QStringLiteral("KAMPFIYAT"))].chooser);
}

TEST_F(StockList, NewAndCampaignTabsLoadEveryTimeTheyAreShown) {
    auto w = window();
    int loads = 0;
    QObject::connect(w->yeniStoklar, &catalogue::HazirStokListesi::yuklendi, [&] { ++loads; });
    w->sPageControl1->setCurrentWidget(w->syeniler);
    ASSERT_TRUE(QTest::qWaitFor([&] { return loads == 1; }, 30000));
    w->sPageControl1->setCurrentWidget(w->sstoklistesi);
    w->sPageControl1->setCurrentWidget(w->syeniler);
    ASSERT_TRUE(QTest::qWaitFor([&] { return loads == 2; }, 30000));
    const int rows = w->yeniStoklar->tablo.rowCount();
    EXPECT_EQ(QString::number(rows),
              server.query(QStringLiteral("SELECT count(*) FROM stoklar WHERE yeni = 1")));
    EXPECT_EQ(w->sPageControl1->tabText(w->sPageControl1->indexOf(w->syeniler)),
              QStringLiteral("%1=Yeni Stoklar").arg(rows));
    EXPECT_TRUE(w->yeniStoklar->grid->isEnabled());
    EXPECT_FALSE(w->gifyeniler->isVisible());

    bool campaignLoaded = false;
    QObject::connect(w->kampanyaliStoklar, &catalogue::HazirStokListesi::yuklendi,
                     [&] { campaignLoaded = true; });
    w->sPageControl1->setCurrentWidget(w->skampanyali);
    ASSERT_TRUE(QTest::qWaitFor([&] { return campaignLoaded; }, 30000));
    EXPECT_EQ(w->sPageControl1->tabText(w->sPageControl1->indexOf(w->skampanyali)),
              QStringLiteral("%1=Kampanyalı").arg(w->kampanyaliStoklar->tablo.rowCount()));
    EXPECT_EQ(platform::parseCountCaption(
                  w->sPageControl1->tabText(w->sPageControl1->indexOf(w->skampanyali)))
                  .baslik,
              QStringLiteral("Kampanyalı"));
}

TEST_F(StockList, KindFourSeesNoCampaignTabNorCampaignColumnsOfNewItems) {
    auto w = window(4);
    EXPECT_FALSE(w->sPageControl1->isTabVisible(w->sPageControl1->indexOf(w->skampanyali)));
    auto* g = w->yeniStoklar->grid;
    for (const char* f : {"K", "KAMPFIYAT"}) {
        const int c = g->gridModel()->columnOf(QString::fromLatin1(f));
        EXPECT_TRUE(g->isColumnHidden(c)) << f;
        EXPECT_FALSE(g->gridModel()->columns()[c].chooser) << f;
    }
}
