#include <gtest/gtest.h>
#include <QApplication>
#include <QLabel>
#include <QMovie>
#include <QTableView>
#include <QTest>
#include <QThread>
#include <QThreadPool>
#include <future>
#include <stdexcept>

#include "app/settings/Dagitim.h"
#include "common/BaglantiKur.h"
#include "common/CagriKaliplari.h"
#include "platform/BackgroundCall.h"
#include "platform/MemTable.h"
#include "platform/MemTableModel.h"
#include "remote/TServerMethods1Client.h"
#include "support/DialogWatcher.h"
#include "support/TestServer.h"

using namespace kv;

namespace {

const QString kBaglantiMesaji = QStringLiteral("Bağlantı Kurulamıyor Lütfen Tekrar Deneyin ...!");
// The server's answer to a search without a login record.
const QString kSunucuHatasi = QStringLiteral("Arama için giriş bilgisi gerekli");

// Records what reaches the application's error report instead of showing it.
class ReportRecorder {
  public:
    explicit ReportRecorder(QStringList* events) {
        old_ = platform::setErrorReport(
            [events](const QString& m) { events->append(QStringLiteral("rapor:") + m); });
    }
    ~ReportRecorder() { platform::setErrorReport(std::move(old_)); }

  private:
    platform::ErrorReport old_;
};

bool waitUntil(const std::function<bool()>& done) {
    return QTest::qWaitFor(done, 60000);
}

// Waits until the pool is idle and its queued continuations have run.
void drainBackgroundCalls() {
    QThreadPool::globalInstance()->waitForDone();
    QCoreApplication::sendPostedEvents();
}

// A tab as the list windows build it: wait image, grid over an in-memory table.
struct Tab {
    Tab() : model(&table) {
        bekle = new QLabel(&window);
        bekle->setMovie(new QMovie(QStringLiteral(":/platform/bekle.gif"), QByteArray(), bekle));
        bekle->hide();
        grid = new QTableView(&window);
        grid->setModel(&model);
        window.show();
    }
    common::ArkaPlanYukleme yukleme(bool korumali) {
        common::ArkaPlanYukleme y;
        y.pencere = &window;
        y.bekleResmi = bekle;
        y.grid = grid;
        y.model = &model;
        y.korumali = korumali;
        return y;
    }
    platform::MemTable table;
    platform::MemTableModel model;
    QWidget window;
    QLabel* bekle;
    QTableView* grid;
};

class CallPatterns : public test::ServerTest {
  protected:
    void SetUp() override {
        test::ServerTest::SetUp();
        app::settings::sunucuAdresiniAyarla(bagc);
    }
    remote::ServerConnection bagc;
    QStringList events;
    ReportRecorder recorder{&events};
    test::DialogWatcher watcher;
};

// The remote work of a tab: the new items of the demo dealer, or a search the server refuses.
void yenileriKopyala(remote::ServerConnection& c, platform::MemTable& t) {
    remote::TServerMethods1Client proxy(&c);
    const platform::MemTable& sonuc = proxy.YenilerVer(1001);
    t.disableControls();
    t.copyFrom(sonuc);
    t.enableControls();
}
void reddedilenArama(remote::ServerConnection& c) {
    remote::TServerMethods1Client proxy(&c);
    proxy.Kaveltrim(QStringLiteral("FREN"), nullptr);
}

}  // namespace

TEST(BackgroundCall, ContinuationOnTheUiThreadDroppedWithItsWindowErrorReportedAfter) {
    struct Case {
        bool deleteWindow;
        bool workThrows;
        QStringList expected;
    } cases[] = {
        {false, false, {QStringLiteral("devam")}},
        {false, true, {QStringLiteral("devam"), QStringLiteral("rapor:iş bozuldu")}},
        {true, false, {}},
        {true, true, {QStringLiteral("rapor:iş bozuldu")}},
    };
    for (const Case& c : cases) {
        QStringList events;
        ReportRecorder recorder(&events);
        auto window = std::make_unique<QWidget>();
        std::promise<void> gate;
        std::shared_future<void> opened = gate.get_future().share();
        QThread* workThread = nullptr;
        QThread* continuationThread = nullptr;
        platform::runInBackground(
            window.get(),
            [&, opened] {
                opened.wait();
                workThread = QThread::currentThread();
                if (c.workThrows)
                    throw std::runtime_error("iş bozuldu");
            },
            [&] {
                continuationThread = QThread::currentThread();
                events << QStringLiteral("devam");
            });
        if (c.deleteWindow)
            window.reset();
        gate.set_value();
        drainBackgroundCalls();
        EXPECT_EQ(events, c.expected) << c.deleteWindow << c.workThrows;
        EXPECT_NE(workThread, qApp->thread());
        if (!c.deleteWindow) {
            EXPECT_EQ(continuationThread, qApp->thread());
        }
    }
}

TEST(BackgroundCall, HandOverToTheUiThreadWaitsAndCarriesErrorsBack) {
    QThread* ranOn = nullptr;
    int value = 0;
    QString error;
    bool done = false;
    platform::runInBackground(
        nullptr,
        [&] {
            platform::runOnUiThread([&] {
                ranOn = QThread::currentThread();
                value = 42;
            });
            value += 1;  // after the UI thread's part, which the worker waited for
            try {
                platform::runOnUiThread([] { throw std::runtime_error("arayüzde hata"); });
            } catch (const std::runtime_error& e) {
                error = QString::fromUtf8(e.what());
            }
        },
        [&] { done = true; });
    ASSERT_TRUE(waitUntil([&] { return done; }));
    EXPECT_EQ(ranOn, qApp->thread());
    EXPECT_EQ(value, 43);
    EXPECT_EQ(error, QStringLiteral("arayüzde hata"));
}

TEST(BackgroundCall, DefaultErrorReportIsAnErrorBox) {
    test::DialogWatcher watcher;
    platform::reportError(QStringLiteral("Dosya yazılamadı"));
    ASSERT_EQ(watcher.seen().size(), 1);
    EXPECT_EQ(watcher.seen()[0].title, QStringLiteral("Hata"));
    EXPECT_EQ(watcher.seen()[0].text, QStringLiteral("Dosya yazılamadı"));
}

TEST_F(CallPatterns, BackgroundTabLoad) {
    struct Case {
        const char* name;
        bool korumali;
        bool refused;  // the server refuses the call
        int boxes;
        QStringList events;
    } cases[] = {
        {"guarded, loads", true, false, 0, {QStringLiteral("devam")}},
        {"unguarded, loads", false, false, 0, {QStringLiteral("devam")}},
        {"guarded, refused", true, true, 1, {QStringLiteral("devam")}},
        {"unguarded, refused",
         false,
         true,
         0,
         {QStringLiteral("devam"), QStringLiteral("rapor:") + kSunucuHatasi}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        events.clear();
        const qsizetype boxesBefore = watcher.seen().size();
        Tab tab;
        bool devam = false;
        platform::MemTable* table = &tab.table;
        common::arkaPlandaYukle(
            tab.yukleme(c.korumali), bagc,
            [refused = c.refused, table](remote::ServerConnection& klon) {
                EXPECT_TRUE(klon.isOpen());
                if (refused)
                    reddedilenArama(klon);
                else
                    yenileriKopyala(klon, *table);
            },
            [&] {
                // The grid is bound, enabled and the wait image gone before the tab's extras.
                EXPECT_TRUE(tab.model.attached());
                EXPECT_TRUE(tab.grid->isEnabled());
                EXPECT_TRUE(tab.bekle->isHidden());
                devam = true;
                events << QStringLiteral("devam");
            });
        // Until the worker is done the grid is cut off and disabled, the wait image running.
        EXPECT_FALSE(tab.model.attached());
        EXPECT_FALSE(tab.grid->isEnabled());
        EXPECT_TRUE(tab.bekle->isVisible());
        EXPECT_EQ(tab.bekle->movie()->state(), QMovie::Running);

        ASSERT_TRUE(waitUntil([&] { return devam; }));  // the continuation has finished
        EXPECT_EQ(events, c.events);
        EXPECT_EQ(watcher.seen().size() - boxesBefore, c.boxes);
        if (c.boxes) {
            EXPECT_EQ(watcher.seen().last().text, kBaglantiMesaji);
        }
        EXPECT_EQ(tab.bekle->movie()->state(), QMovie::NotRunning);
        EXPECT_EQ(tab.model.rowCount() > 0, !c.refused);
        EXPECT_FALSE(bagc.isOpen()) << "the main connection is never used";
    }
}

TEST_F(CallPatterns, InPlaceOnACloneAndOnTheMainConnection) {
    using Pattern =
        bool (*)(remote::ServerConnection&, const std::function<void(remote::ServerConnection&)>&);
    const Pattern onClone = [](remote::ServerConnection& ana,
                               const std::function<void(remote::ServerConnection&)>& is) {
        return common::klondaCagir(ana, is);
    };
    const Pattern onMain = &common::anaBaglantidaCagir;
    for (const auto& [name, pattern, usesMain] :
         {std::tuple{"clone", onClone, false}, std::tuple{"main", onMain, true}}) {
        SCOPED_TRACE(name);
        platform::MemTable table;
        remote::ServerConnection* used = nullptr;
        EXPECT_TRUE(pattern(bagc, [&](remote::ServerConnection& c) {
            used = &c;
            EXPECT_TRUE(c.isOpen());
            yenileriKopyala(c, table);
        }));
        EXPECT_GT(table.rowCount(), 0);
        EXPECT_EQ(used == &bagc, usesMain);
        EXPECT_FALSE(bagc.isOpen()) << "closed after the call";

        events.clear();
        EXPECT_FALSE(pattern(bagc, [](remote::ServerConnection& c) { reddedilenArama(c); }));
        EXPECT_EQ(events, QStringList{QStringLiteral("rapor:") + kSunucuHatasi});
        EXPECT_FALSE(bagc.isOpen());
    }
    EXPECT_TRUE(watcher.seen().isEmpty());

    // Without a server the user sees the connection message and the work does not run.
    server.stop();
    bool ran = false;
    EXPECT_FALSE(common::klondaCagir(bagc, [&](remote::ServerConnection&) { ran = true; }));
    EXPECT_FALSE(ran);
    ASSERT_EQ(watcher.seen().size(), 1);
    EXPECT_EQ(watcher.seen()[0].text, kBaglantiMesaji);
}
