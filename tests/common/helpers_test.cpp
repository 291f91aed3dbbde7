#include <gtest/gtest.h>
#include <QApplication>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QPushButton>
#include <QTcpServer>
#include <QTimer>

#include <QScreen>
#include <QTest>

#include "common/BaglantiKur.h"
#include "common/MesajKutusu.h"
#include "common/Tablolar.h"
#include "platform/BackgroundCall.h"
#include "remote/TableJson.h"
#include "support/DialogWatcher.h"

using namespace kv::common;

namespace {

// Runs `inspect` on the message box once it is open, then presses the button with `press`.
void onMessageBox(std::function<void(QMessageBox*)> inspect, const QString& press) {
    QTimer::singleShot(0, [inspect, press] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        inspect(box);
        for (QAbstractButton* b : box->buttons()) {
            if (b->text() == press)
                b->click();
        }
    });
}

QStringList captions(QMessageBox* box) {
    QStringList out;
    for (QAbstractButton* b : box->buttons())
        out << b->text();
    out.sort();
    return out;
}

kv::platform::MemTable table(const char* json) {
    std::string s(json);
    kv::platform::MemTable t;
    kv::remote::decodeTable(s, t);
    return t;
}

}  // namespace

TEST(MesajKutusu, OkAloneWithFocusCodeTwoCentredOnTheScreen) {
    // An active window away from the middle: the box still takes the screen's centre.
    QWidget owner;
    owner.setGeometry(10, 10, 200, 100);
    owner.show();
    owner.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&owner));
    onMessageBox(
        [&owner](QMessageBox* box) {
            EXPECT_EQ(captions(box), QStringList{QStringLiteral("Tamam")});
            EXPECT_EQ(box->windowTitle(), QStringLiteral("Hata"));
            EXPECT_EQ(box->icon(), QMessageBox::Critical);
            EXPECT_EQ(box->defaultButton()->text(), QStringLiteral("Tamam"));
            EXPECT_EQ(box->focusWidget(), box->defaultButton());
            EXPECT_EQ(box->parentWidget(), &owner);
            // Centred up to the rounding of an even size.
            EXPECT_LE((box->frameGeometry().center() - box->screen()->availableGeometry().center())
                          .manhattanLength(),
                      2);
        },
        QStringLiteral("Tamam"));
    EXPECT_EQ(MesajKutusu(QStringLiteral("x"), MesajTuru::Hata, QMessageBox::Ok, 2), 1);
}

TEST(MesajKutusu, YesNoWithNoFocusedAndTheirResultCodes) {
    struct Case {
        MesajTuru tur;
        const char* title;
        const char* press;
        int result;
    } cases[] = {{MesajTuru::Soru, "Soru", "Hayır", 7},
                 {MesajTuru::Uyari, "Uyarı", "Evet", 6},
                 {MesajTuru::Bilgi, "Bilgi", "Evet", 6}};
    for (const Case& c : cases) {
        onMessageBox(
            [&c](QMessageBox* box) {
                EXPECT_EQ(captions(box),
                          (QStringList{QStringLiteral("Evet"), QStringLiteral("Hayır")}));
                EXPECT_EQ(box->windowTitle(), QString::fromUtf8(c.title));
                EXPECT_EQ(box->defaultButton()->text(), QStringLiteral("Hayır"));
                EXPECT_EQ(box->focusWidget(), box->defaultButton());
            },
            QString::fromUtf8(c.press));
        EXPECT_EQ(MesajKutusu(QStringLiteral("Emin misiniz ?"), c.tur,
                              QMessageBox::Yes | QMessageBox::No, 1),
                  c.result);
    }
}

TEST(BaglantiKur, GivesUpAfterElevenAttemptsAndShowsTheMessageOnlyWhenAsked) {
    QTcpServer probe;
    ASSERT_TRUE(probe.listen(QHostAddress::LocalHost));
    const quint16 port = probe.serverPort();
    probe.close();  // nothing listens there now

    kv::remote::ServerConnection conn;
    conn.setHostName(QStringLiteral("127.0.0.1"));
    conn.setPort(QString::number(port));
    kv::test::DialogWatcher watcher;
    int failures = 0;
    EXPECT_FALSE(BaglantiKur(conn, false, [&](int n) { failures = n; }));
    EXPECT_EQ(failures, 11);
    EXPECT_FALSE(conn.isOpen());
    EXPECT_TRUE(watcher.seen().isEmpty());

    // Asked for the message on a worker: the box comes up on the UI thread, the worker waits.
    bool open = true;
    bool done = false;
    failures = 0;
    kv::platform::runInBackground(
        nullptr, [&] { open = BaglantiKur(conn, true, [&](int n) { failures = n; }); },
        [&] { done = true; });
    ASSERT_TRUE(QTest::qWaitFor([&] { return done; }, 60000));
    EXPECT_FALSE(open);
    EXPECT_EQ(failures, 11);
    ASSERT_EQ(watcher.seen().size(), 1);
    EXPECT_EQ(watcher.seen()[0].title, QStringLiteral("Hata"));
    EXPECT_EQ(watcher.seen()[0].text,
              QStringLiteral("Bağlantı Kurulamıyor Lütfen Tekrar Deneyin ...!"));
}

TEST(BaglantiKur, OpensOnTheThirdAttemptAfterTwoPauses) {
    QTcpServer listener;
    ASSERT_TRUE(listener.listen(QHostAddress::LocalHost));
    const quint16 port = listener.serverPort();
    listener.close();

    kv::remote::ServerConnection conn;
    conn.setHostName(QStringLiteral("127.0.0.1"));
    conn.setPort(QString::number(port));
    // The server starts accepting after the second failed attempt; each failure is followed
    // by one pause, so the third attempt opens after two.
    int failures = 0;
    bool listening = false;
    const bool open = BaglantiKur(conn, false, [&](int n) {
        failures = n;
        if (n == 2)
            listening = listener.listen(QHostAddress::LocalHost, port);
    });
    ASSERT_TRUE(listening);
    EXPECT_TRUE(open);
    EXPECT_EQ(failures, 2);
    EXPECT_TRUE(conn.isOpen());
    EXPECT_EQ(conn.connectCount(), 1);
}

TEST(Tablolar, SeciliVarStopsOnTheMarkedRow) {
    auto t = table(R"({"columns":[{"name":"NO","type":"int32"},{"name":"SEC","type":"int32"}],
                      "rows":[[1,0],[2,null],[3,1]]})");
    EXPECT_TRUE(TabloDolu(t));
    EXPECT_TRUE(SeciliVar(t));
    EXPECT_EQ(t.recNo(), 2);
    auto none = table(R"({"columns":[{"name":"SEC","type":"int32"}],"rows":[[0],[0]]})");
    EXPECT_FALSE(SeciliVar(none));
    kv::platform::MemTable empty;
    EXPECT_FALSE(TabloDolu(empty));
    EXPECT_FALSE(SeciliVar(empty));
}

TEST(Tablolar, ParaBicimiFormatsOnlyPlainFloatingColumns) {
    auto t = table(R"({"columns":[{"name":"TUTAR","type":"double"},{"name":"ADET","type":"int32"},
                      {"name":"ADI","type":"text"},{"name":"MALIYET","type":"currency"}],
                      "rows":[[1234567.5,1234567,"1234567.5",1234567.5]]})");
    ParaBicimi(t);
    EXPECT_EQ(t.displayText(0, 0), QStringLiteral("1.234.567,50"));
    EXPECT_EQ(t.displayFormat(1), QString());
    EXPECT_EQ(t.displayText(0, 2), QStringLiteral("1234567.5"));
    EXPECT_EQ(t.displayFormat(3), QString());
}

TEST(Tablolar, YuvarlaLeavesTwoDecimals) {
    struct Case {
        double in, out;
    } cases[] = {{90.0, 90.0},  {324.004, 324.0},          {2.675, 2.68},
                 {0.005, 0.01}, {1234567.891, 1234567.89}, {-10.555, -10.56},
                 {0.0, 0.0},    {25.299999, 25.3}};
    for (const Case& c : cases)
        EXPECT_DOUBLE_EQ(Yuvarla(c.in), c.out) << c.in;
}
