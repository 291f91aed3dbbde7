#include <gtest/gtest.h>
#include <rapidjson/document.h>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

#include "content/Tkullanicikayit.h"
#include "support/DialogWatcher.h"
#include "support/TestServer.h"

using namespace kv;
using content::Tkullanicikayit;

namespace {

class Request : public test::ServerTest {
  protected:
    void SetUp() override {
        test::ServerTest::SetUp();
        env.set("KAVELTRIM_WORKSTATION_ID", QString::fromLatin1(test::kDealerWorkstation));
        bagc.setHostName(server.host());
        bagc.setPort(QString::number(server.port()));
        bilgi.setADI(QStringLiteral("DEMO"));
        bilgi.setCariAdi(QStringLiteral("ÖZTÜRK OTO YEDEK PARÇA LTD. ŞTİ."));
    }
    static void fillRequired(Tkullanicikayit& w) {
        w.firmaadi->setText(QStringLiteral("Yıldız Oto Yedek Parça"));
        w.adres1->setText(QStringLiteral("Sanayi Sitesi 4. Blok No: 12"));
        w.ilce->setText(QStringLiteral("Çankaya"));
        w.sehir->setText(QStringLiteral("ANKARA"));
        w.telefon->setText(QStringLiteral("0312 555 12 12"));
        w.yetkili->setText(QStringLiteral("Şükrü Yıldız"));
        w.kullaniciadi->setText(QStringLiteral("YILDIZ"));
        w.sifre->setText(QStringLiteral("gizli 1"));
        w.mail->setText(QStringLiteral("info@yildizoto.com.tr"));
    }
    // The requests in the server's outbox, each as its list of (name, value).
    std::vector<std::vector<std::pair<std::string, std::string>>> outbox() {
        std::vector<std::vector<std::pair<std::string, std::string>>> out;
        const QString rows =
            server.query(QStringLiteral("SELECT alanlar FROM posta_kutusu ORDER BY id"));
        for (const QString& row : rows.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
            rapidjson::Document d;
            const QByteArray json = row.toUtf8();
            d.Parse(json.constData());
            std::vector<std::pair<std::string, std::string>> fields;
            for (const auto& p : d.GetArray())
                fields.emplace_back(p[0].GetString(), p[1].GetString());
            out.push_back(fields);
        }
        return out;
    }

    remote::ServerConnection bagc;
    remote::TSonucBilgisi bilgi;
    test::DialogWatcher watcher;
};

}  // namespace

TEST_F(Request, RequiredFieldsAreCheckedInOrder) {
    std::unique_ptr<Tkullanicikayit> w(Tkullanicikayit::Yeni(nullptr, bilgi, bagc));
    w->show();
    struct Case {
        QLineEdit* Tkullanicikayit::*field;
        const char* message;
    } cases[] = {
        {&Tkullanicikayit::firmaadi, "Firma Adı boş olamaz !"},
        {&Tkullanicikayit::adres1, "Adres boş olamaz !"},
        {&Tkullanicikayit::ilce, "İlçe Adı boş olamaz !"},
        {&Tkullanicikayit::sehir, "Şehir Adı boş olamaz !"},
        {&Tkullanicikayit::telefon, "Telefon  boş olamaz !"},
        {&Tkullanicikayit::yetkili, "Yetkili  boş olamaz !"},
        {&Tkullanicikayit::kullaniciadi, "Kullanıcı  boş olamaz !"},
        {&Tkullanicikayit::sifre, "Şifre  boş olamaz !"},
        {&Tkullanicikayit::mail, "Mail  boş olamaz !"},
    };
    // Every required field filled but one (blanks only count as empty).
    for (const Case& c : cases) {
        fillRequired(*w);
        (w.get()->*c.field)->setText(QStringLiteral("   "));
        const int before = int(watcher.seen().size());
        w->Button2Click();
        ASSERT_EQ(int(watcher.seen().size()), before + 1);
        EXPECT_EQ(watcher.seen().last().text, QString::fromUtf8(c.message));
        EXPECT_EQ(watcher.seen().last().title, QStringLiteral("Uyarı"));
        EXPECT_EQ(w->focusWidget(), w.get()->*c.field) << c.message;
    }
    // The first empty field wins.
    w->firmaadi->clear();
    w->mail->clear();
    w->Button2Click();
    EXPECT_EQ(watcher.seen().last().text, QStringLiteral("Firma Adı boş olamaz !"));
    EXPECT_TRUE(outbox().empty());
}

TEST_F(Request, NewUserRequestSendsTheSixteenTextsAsTypedTwice) {
    std::unique_ptr<Tkullanicikayit> w(Tkullanicikayit::Yeni(nullptr, bilgi, bagc));
    EXPECT_EQ(w->windowTitle(), QStringLiteral("B2B İstek Formu"));
    EXPECT_EQ(w->lblid->text(), QStringLiteral("Bilgisayar ID: KVDEMO-BAYI-0"));
    EXPECT_TRUE(w->firmaadi->text().isEmpty());
    fillRequired(*w);
    w->firmaadi->setText(QStringLiteral("  Yıldız Oto  "));
    w->Button2Click();
    w->Button2Click();
    ASSERT_EQ(watcher.seen().size(), 2);
    EXPECT_EQ(watcher.seen()[0].text, QStringLiteral("İsteğiniz Gönderildi!"));
    EXPECT_EQ(watcher.seen()[0].title, QStringLiteral("Bilgi"));

    const auto mails = outbox();
    ASSERT_EQ(mails.size(), 2u) << "two requests from one window";
    const std::vector<std::pair<std::string, std::string>> expected = {
        {"idsi", "KVDEMO-BAYI-0"},
        {"baslik", "B2B Yeni Kullanıcı İstek"},
        {"firmaadi", "  Yıldız Oto  "},
        {"adres1", "Sanayi Sitesi 4. Blok No: 12"},
        {"adres2", ""},
        {"ilce", "Çankaya"},
        {"sehir", "ANKARA"},
        {"telefon", "0312 555 12 12"},
        {"fax", ""},
        {"vd", ""},
        {"vn", ""},
        {"yetkili", "Şükrü Yıldız"},
        {"kullaniciadi", "YILDIZ"},
        {"sifre", "gizli 1"},
        {"mail", "info@yildizoto.com.tr"},
        {"kargoambar", ""},
    };
    EXPECT_EQ(mails[0], expected);
    EXPECT_EQ(mails[1], expected);
    EXPECT_TRUE(server.admin({QStringLiteral("outbox")})
                    .contains(QStringLiteral("B2B Yeni Kullanıcı İstek")));
}

TEST_F(Request, PasswordChangeIsPrefilledFromTheServer) {
    std::unique_ptr<Tkullanicikayit> w(Tkullanicikayit::Ac(nullptr, bilgi, bagc));
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Şifre Değiştirme İsteği"));
    EXPECT_EQ(w->kullaniciadi->text(), QStringLiteral("DEMO"));
    EXPECT_EQ(w->firmaadi->text(), QStringLiteral("ÖZTÜRK OTO YEDEK PARÇA LTD. ŞTİ."));
    EXPECT_EQ(w->adres1->text(), QStringLiteral("Sanayi Mah. 12. Sok. No: 4"));
    EXPECT_EQ(w->ilce->text(), QStringLiteral("Yenimahalle"));
    EXPECT_EQ(w->sehir->text(), QStringLiteral("ANKARA"));
    EXPECT_EQ(w->telefon->text(), QStringLiteral("0312 385 11 20"));
    EXPECT_EQ(w->vd->text(), QStringLiteral("Ostim"));
    EXPECT_EQ(w->vn->text(), QStringLiteral("6780012345"));
    EXPECT_TRUE(w->yetkili->text().isEmpty());
    EXPECT_TRUE(w->sifre->text().isEmpty());

    w->yetkili->setText(QStringLiteral("Hüseyin Öztürk"));
    w->sifre->setText(QStringLiteral("YENI1"));
    w->mail->setText(QStringLiteral("h@ozturkoto.com.tr"));
    w->Button2Click();
    const auto mails = outbox();
    ASSERT_EQ(mails.size(), 1u);
    EXPECT_EQ(mails[0][1].second, "Şifre Değiştirme İsteği");
}

TEST_F(Request, PasswordChangeWithoutAServerOpensWithNameAndCompanyOnly) {
    server.stop();
    std::unique_ptr<Tkullanicikayit> w(Tkullanicikayit::Ac(nullptr, bilgi, bagc));
    ASSERT_EQ(watcher.seen().size(), 1);
    EXPECT_EQ(watcher.seen()[0].text,
              QStringLiteral("Bağlantı Kurulamıyor Lütfen Tekrar Deneyin ...!"));
    EXPECT_EQ(w->kullaniciadi->text(), QStringLiteral("DEMO"));
    EXPECT_EQ(w->firmaadi->text(), QStringLiteral("ÖZTÜRK OTO YEDEK PARÇA LTD. ŞTİ."));
    EXPECT_TRUE(w->adres1->text().isEmpty());
}
