#include <gtest/gtest.h>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTabBar>
#include <QTest>
#include <QToolButton>

#include "app/TForm1.h"
#include "content/Tkullanicikayit.h"
#include "platform/CountBadgeTabBar.h"
#include "platform/ProgramExit.h"
#include "support/DialogWatcher.h"
#include "support/TestServer.h"

using namespace kv;

namespace {

class MainWindow : public test::ServerTest {
  protected:
    void SetUp() override {
        test::ServerTest::SetUp();
        old_ = platform::setEndProgramHandler([this](int code) { exits.push_back(code); });
    }
    void TearDown() override { platform::setEndProgramHandler(std::move(old_)); }

    // A main window signed in as the record given, without going through the login window.
    std::unique_ptr<app::TForm1> window(int kind) {
        auto w = std::make_unique<app::TForm1>();
        w->bagc().setHostName(server.host());
        w->bagc().setPort(QString::number(server.port()));
        auto& s = w->sbilgi();
        s.setADI(QStringLiteral("DEMO"));
        s.setCariAdi(QStringLiteral("ÖZTÜRK OTO YEDEK PARÇA LTD. ŞTİ."));
        s.setSaticiAdi(QStringLiteral("Mehmet Yıldırım"));
        s.setSaticiTelefon(QStringLiteral("0532 411 22 33"));
        s.setSaticiMail(QStringLiteral("mehmet.yildirim@kaveltrim.com.tr"));
        s.setCARINO(1001);
        s.setSirano(1);
        s.setBILGISAYARID(QStringLiteral("KVDEMO-BAYI-0"));
        s.setMusteriTipi(kind);
        w->KullaniciTipiUygula();
        w->AnaBilgiAl();
        return w;
    }

    std::vector<int> exits;
    test::DialogWatcher watcher;

  private:
    platform::EndProgramHandler old_;
};

}  // namespace

TEST_F(MainWindow, FrameControlsAndHeader) {
    auto w = window(0);
    w->show();
    EXPECT_EQ(w->kullanicilbl->text(), QStringLiteral("DEMO"));
    EXPECT_EQ(w->cariadilbl->text(), QStringLiteral("ÖZTÜRK OTO YEDEK PARÇA LTD. ŞTİ."));
    EXPECT_EQ(w->saticilbl->text(),
              QStringLiteral("Mehmet Yıldırım Telefonu: 0532 411 22 33 email: "
                             "mehmet.yildirim@kaveltrim.com.tr"));
    const QStringList captions = [&] {
        QStringList c;
        for (int i = 0; i < w->sPageControl1->count(); ++i)
            c << w->sPageControl1->tabText(i);
        return c;
    }();
    EXPECT_EQ(captions,
              (QStringList{QStringLiteral("Stok Listesi"), QStringLiteral("Sepet"),
                           QStringLiteral("Önceki Siparişler"), QStringLiteral("Cari Ekstre"),
                           QStringLiteral("Yeni Stoklar"), QStringLiteral("Kampanyalı Stoklar"),
                           QStringLiteral("Duyurular"), QStringLiteral("Bakiyeler"),
                           QStringLiteral("Dosyalar")}));
    EXPECT_EQ(w->sPageControl1->currentWidget(), w->sstoklistesi);
    for (const char* name : {"gifstokara", "gifyeniler", "gifkampanyali", "gifduyuru",
                             "gifoncekiler", "gifekstre", "gifdosyalar", "kurlabel"}) {
        auto* l = w->findChild<QLabel*>(QLatin1String(name));
        ASSERT_NE(l, nullptr) << name;
        EXPECT_FALSE(l->isVisible()) << name;
    }
    QStringList menu;
    for (QAction* a : w->Genelmenu->actions()) {
        if (!a->isSeparator())
            menu << a->text();
    }
    EXPECT_EQ(menu,
              (QStringList{QStringLiteral("Mail Gönder"), QStringLiteral("Şifre Değiştirme İsteği"),
                           w->webMenu->text(), QStringLiteral("Çıkış")}));
    EXPECT_EQ(w->Genelmenu->actions().size(), 7) << "separators between the entries";
}

TEST_F(MainWindow, UserKindsShapeTheFrame) {
    struct Case {
        int kind;
        bool otherCustomer;
        bool campaignTab;
    } cases[] = {
        {0, false, true}, {1, true, true}, {2, true, true}, {3, false, true}, {4, false, false}};
    for (const Case& c : cases) {
        auto w = window(c.kind);
        w->show();
        EXPECT_EQ(w->musteritus->isVisible(), c.otherCustomer) << c.kind;
        EXPECT_EQ(w->sPageControl1->isTabVisible(w->sPageControl1->indexOf(w->skampanyali)),
                  c.campaignTab)
            << c.kind;
    }
}

TEST_F(MainWindow, AnsweringNoKeepsTheWindowAndTheLoginRecord) {
    auto w = window(0);
    w->show();
    const remote::TSonucBilgisi before = w->sbilgi();
    watcher.setPress(QStringLiteral("Hayır"));
    w->close();
    ASSERT_EQ(watcher.seen().size(), 1);
    EXPECT_EQ(watcher.seen()[0].text, QStringLiteral("Programdan Çıkmak İstiyor musunuz ?"));
    EXPECT_EQ(watcher.seen()[0].title, QStringLiteral("Soru"));
    EXPECT_TRUE(w->isVisible());
    EXPECT_TRUE(w->sbilgi() == before);
    QTest::qWait(200);
    EXPECT_TRUE(exits.empty());
    EXPECT_EQ(
        server.query(QStringLiteral("SELECT count(*) FROM oturum_kayitlari WHERE olay='cikis'")),
        QStringLiteral("0"));
}

TEST_F(MainWindow, AnsweringYesSendsTheExitNoticeAndEnds) {
    auto w = window(0);
    w->show();
    watcher.setPress(QStringLiteral("Evet"));
    w->cikisMenu->trigger();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !exits.empty(); }, 20000));
    EXPECT_EQ(exits, std::vector<int>{0});
    EXPECT_EQ(server.query(QStringLiteral(
                  "SELECT sirano, carino, kimlik FROM oturum_kayitlari WHERE olay='cikis'")),
              QStringLiteral("1|1001|KVDEMO-BAYI-0"));
}

TEST_F(MainWindow, AnsweringYesEndsAlsoWhenTheServerIsDown) {
    auto w = window(0);
    w->show();
    server.stop();
    watcher.setPress(QStringLiteral("Evet"));
    w->close();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !exits.empty(); }, 30000));
    EXPECT_EQ(exits, std::vector<int>{0});
    EXPECT_TRUE(watcher.seen().size() == 1) << "a failed exit notice is not reported";
}

TEST_F(MainWindow, WebSiteEntrySelectsAndFocusesTheSearchBox) {
    auto w = window(0);
    w->show();
    QApplication::setActiveWindow(w.get());
    w->araedit->setText(QStringLiteral("FREN"));
    EXPECT_EQ(w->webMenu->text(), QStringLiteral("127.0.0.1"));
    w->webMenu->trigger();
    EXPECT_EQ(w->araedit->selectedText(), QStringLiteral("FREN"));
    EXPECT_EQ(w->focusWidget(), w->araedit);
}

TEST_F(MainWindow, RatesGoIntoTheLabelAndThePriceConversion) {
    auto w = window(0);
    EXPECT_FALSE(w->kurlabel->isVisible());
    EXPECT_EQ(w->_USDKUR, 1.0);
    int code = -1;
    server.admin({QStringLiteral("set-rates"), QStringLiteral("27.5"), QStringLiteral("29.75")},
                 &code);
    ASSERT_EQ(code, 0);
    w->show();
    w->KurlariYaz();
    EXPECT_TRUE(w->kurlabel->isVisible());
    EXPECT_EQ(w->kurlabel->text(), QStringLiteral("$: 27,5      €: 29,75"));
    EXPECT_EQ(w->_USDKUR, 27.5);
    EXPECT_EQ(w->_EURKUR, 29.75);
    server.admin({QStringLiteral("set-rates"), QStringLiteral("0"), QStringLiteral("1")}, &code);
    EXPECT_EQ(code, 2) << "a rate of 0 is refused";
}
