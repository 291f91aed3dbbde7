#include <gtest/gtest.h>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include "app/Tdosyaindir.h"
#include "app/Tgirisform.h"
#include "app/settings/AyarDosyasi.h"
#include "content/Tkullanicikayit.h"
#include "platform/ProgramExit.h"
#include "support/DialogWatcher.h"
#include "support/TestServer.h"

using namespace kv;

namespace {

// Replaces the end of the program by a record of the exit code and closes open dialogs, so
// a test can see where the real program would have ended.
class ExitRecorder {
  public:
    ExitRecorder() {
        old_ = platform::setEndProgramHandler([this](int code) {
            codes.push_back(code);
            for (QWidget* w : QApplication::topLevelWidgets()) {
                if (auto* d = qobject_cast<QDialog*>(w);
                    d && d->isVisible() && !qobject_cast<QMessageBox*>(d)) {
                    QMetaObject::invokeMethod(d, &QDialog::reject, Qt::QueuedConnection);
                }
            }
        });
    }
    ~ExitRecorder() { platform::setEndProgramHandler(std::move(old_)); }
    std::vector<int> codes;

  private:
    platform::EndProgramHandler old_;
};

class Login : public test::ServerTest {
  protected:
    // Signs in from the workstation with the typed name and password; returns when the login
    // window has closed or answered with a message box.
    void signIn(const char* workstation, const QString& name, const QString& password) {
        env.set("KAVELTRIM_WORKSTATION_ID", QString::fromLatin1(workstation));
        form = std::make_unique<app::Tgirisform>(&bagc, &sbilgi);
        form->show();
        attempt(name, password);
    }
    void attempt(const QString& name, const QString& password) {
        const int before = int(watcher.seen().size());
        form->adi->setText(name);
        form->sifre->setText(password);
        QTest::keyClick(form->sifre, Qt::Key_Return);
        ASSERT_TRUE(QTest::qWaitFor(
            [&] {
                return form->result() == QDialog::Accepted || watcher.seen().size() > before ||
                       !exits.codes.empty();
            },
            60000));
        QTest::qWait(50);
    }
    QString lastBox() const {
        return watcher.seen().isEmpty() ? QString() : watcher.seen().last().text;
    }

    remote::ServerConnection bagc;
    remote::TSonucBilgisi sbilgi;
    std::unique_ptr<app::Tgirisform> form;
    test::DialogWatcher watcher;
    ExitRecorder exits;
};

const QString kRefusal = QStringLiteral("Kullanıcı Adı ve Şifre Hatalı Lütfen Tekrar Deneyiniz !");

}  // namespace

TEST_F(Login, MatchingNameAndPasswordSignIn) {
    signIn(test::kDealerWorkstation, QStringLiteral("DEMO"), QStringLiteral("1234"));
    EXPECT_EQ(form->result(), QDialog::Accepted);
    EXPECT_TRUE(watcher.seen().isEmpty());
    EXPECT_EQ(sbilgi.ADI(), QStringLiteral("DEMO"));
    EXPECT_EQ(sbilgi.CARINO(), 1001);
    EXPECT_EQ(sbilgi.Disip(), QStringLiteral("127.0.0.1"));
    EXPECT_EQ(sbilgi.BILGISAYARID(), QString::fromLatin1(test::kDealerWorkstation));
    EXPECT_EQ(bagc.params().hostName, server.host());
    const auto k = app::settings::hatirlananKullaniciOku();
    EXPECT_TRUE(k.dosyaVar);
    EXPECT_EQ(k.isim, QStringLiteral("DEMO"));
}

TEST_F(Login, WrongPasswordIsRefusedAndASecondAttemptLooksTheAddressUpAgain) {
    signIn(test::kDealerWorkstation, QStringLiteral("DEMO"), QStringLiteral("9999"));
    EXPECT_EQ(lastBox(), kRefusal);
    EXPECT_NE(form->result(), QDialog::Accepted);
    EXPECT_TRUE(form->Button1->isEnabled());
    EXPECT_FALSE(app::settings::hatirlananKullaniciOku().dosyaVar) << "nothing is remembered";

    // With the echo page gone the second attempt ends at the address lookup.
    server.stop();
    attempt(QStringLiteral("DEMO"), QStringLiteral("1234"));
    EXPECT_EQ(lastBox(), QStringLiteral("Bağlantı Kurulamıyor Lütfen Tekrar Deneyiniz !"));
    EXPECT_TRUE(form->Button1->isEnabled());
}

TEST_F(Login, InactiveAccountIsRefusedButItsNameAndPasswordAreRemembered) {
    signIn(test::kInactiveWorkstation, QStringLiteral("PASIF"), QStringLiteral("5555"));
    EXPECT_EQ(lastBox(), kRefusal);
    EXPECT_NE(form->result(), QDialog::Accepted);
    const auto k = app::settings::hatirlananKullaniciOku();
    EXPECT_EQ(k.isim, QStringLiteral("PASIF"));
    EXPECT_EQ(k.sifre, QStringLiteral("5555"));
}

TEST_F(Login, ServerUnreachableAfterTheAddress) {
    env.set("KAVELTRIM_SERVER_PORT", QStringLiteral("1"));
    signIn(test::kDealerWorkstation, QStringLiteral("DEMO"), QStringLiteral("1234"));
    EXPECT_EQ(lastBox(), QStringLiteral("Bağlantı Kurulamadı !"));
    EXPECT_TRUE(form->Button1->isEnabled());
    EXPECT_TRUE(form->adi->hasFocus() || form->focusWidget() == form->adi);
}

TEST_F(Login, UnknownWorkstationOpensTheRequestFormEvenWithAWrongPassword) {
    QString title;
    QTimer::singleShot(0, [] {});
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (auto* w = qobject_cast<content::Tkullanicikayit*>(QApplication::activeModalWidget())) {
            title = w->windowTitle();
            w->Button1Click();
        }
    });
    poll.start(20);
    signIn("BILINMEYEN-ISTASYON", QStringLiteral("X"), QStringLiteral("Y"));
    EXPECT_EQ(title, QStringLiteral("B2B İstek Formu"));
    EXPECT_EQ(exits.codes, std::vector<int>{0});
    EXPECT_TRUE(watcher.seen().isEmpty()) << "no refusal before the request form";
}

TEST_F(Login, AnotherExpectedVersionDownloadsAndStartsTheNewProgramBeforeTheCheck) {
    // The "new program" records the arguments it was started with.
    QTemporaryDir dir;
    const QString record = dir.filePath(QStringLiteral("args.txt"));
    const QString exe = dir.filePath(QStringLiteral("yeni.sh"));
    QFile f(exe);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(QStringLiteral("#!/bin/sh\necho \"$@\" > '%1'\n").arg(record).toUtf8());
    f.close();
    server.admin({QStringLiteral("set-client-version"), QStringLiteral("2")});
    server.start({QStringLiteral("--update-file"), exe});
    env.pointAt(server);

    signIn(test::kDealerWorkstation, QStringLiteral("DEMO"), QStringLiteral("yanlis"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !exits.codes.empty(); }, 30000));
    EXPECT_EQ(exits.codes.front(), 0);
    EXPECT_TRUE(watcher.seen().isEmpty()) << "the password is not looked at";
    const QString saved = env.documentsDir() + QStringLiteral("/KaveltrimDornep.exe");
    ASSERT_TRUE(QFile::exists(saved));
    EXPECT_TRUE(QFileInfo(saved).isExecutable());
    ASSERT_TRUE(QTest::qWaitFor([&] { return QFile::exists(record); }, 10000));
    QFile r(record);
    ASSERT_TRUE(r.open(QIODevice::ReadOnly));
    EXPECT_EQ(r.readAll().trimmed(), QByteArray("/silent"));
}

TEST_F(Login, RefusedDownloadShowsTheErrorAndEnds) {
    server.admin({QStringLiteral("set-client-version"), QStringLiteral("3")});
    signIn(test::kDealerWorkstation, QStringLiteral("DEMO"), QStringLiteral("1234"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !exits.codes.empty(); }, 30000));
    ASSERT_FALSE(watcher.seen().isEmpty());
    EXPECT_TRUE(watcher.seen().last().text.startsWith(QStringLiteral("Hata Oluştu !\r\nHata: ")))
        << watcher.seen().last().text.toStdString();
    EXPECT_FALSE(QFile::exists(env.documentsDir() + QStringLiteral("/KaveltrimDornep.exe")));
}

TEST(Tdosyaindir, NoticeAndProgressLine) {
    std::unique_ptr<app::Tdosyaindir> w(app::Tdosyaindir::Yeni(nullptr, 3));
    EXPECT_TRUE(
        w->sLabel1->text().endsWith(QStringLiteral("Lütfen Bekleyiniz...!\r\nVersion: 3-1")));
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Dosya İndir"));
    const qint64 total = qint64(2.66 * 1024 * 1024);
    EXPECT_EQ(app::Tdosyaindir::ilerlemeMetni(total / 2, total),
              QStringLiteral("Bilgi: %50,00  İndirilen: 1,33/2,66 Mb"));
}

TEST_F(Login, RememberedUserFillsTheFormOnlyWhenTicked) {
    app::settings::hatirlananKullaniciYaz(QStringLiteral("DEMO"), QStringLiteral("1234"), true);
    app::Tgirisform a(&bagc, &sbilgi);
    EXPECT_EQ(a.adi->text(), QStringLiteral("DEMO"));
    EXPECT_EQ(a.sifre->text(), QStringLiteral("1234"));
    EXPECT_TRUE(a.benihatirla->isChecked());
    EXPECT_EQ(a.sifre->echoMode(), QLineEdit::Password);

    app::settings::hatirlananKullaniciYaz(QStringLiteral("DEMO"), QStringLiteral("1234"), false);
    app::Tgirisform b(&bagc, &sbilgi);
    EXPECT_TRUE(b.adi->text().isEmpty());
    EXPECT_TRUE(b.sifre->text().isEmpty());
    EXPECT_FALSE(b.benihatirla->isChecked());
}

TEST_F(Login, EnterOnEmptyFieldsWarns) {
    app::Tgirisform f(&bagc, &sbilgi);
    f.show();
    QTest::keyClick(f.adi, Qt::Key_Return);
    ASSERT_TRUE(watcher.waitFor(1));
    EXPECT_EQ(watcher.seen().last().text, QStringLiteral("Lütfen kullanıcı adını giriniz !"));
    QTest::keyClicks(f.adi, QStringLiteral("demo"));
    EXPECT_EQ(f.adi->text(), QStringLiteral("DEMO"));
    QTest::keyClick(f.adi, Qt::Key_Return);
    QTest::keyClick(f.sifre, Qt::Key_Return);
    ASSERT_TRUE(watcher.waitFor(2));
    EXPECT_EQ(watcher.seen().last().text, QStringLiteral("Lütfen kullanıcı şifresini giriniz !"));
}
