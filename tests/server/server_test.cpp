#include <gtest/gtest.h>
#include <rapidjson/document.h>
#include <QCryptographicHash>
#include <QEventLoop>
#include <QFile>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QProcess>
#include <QTemporaryDir>

#include "remote/ServerConnection.h"
#include "support/TestServer.h"

using kv::remote::ServerConnection;

namespace {

class Server : public kv::test::ServerTest {
  protected:
    ServerConnection::Reply call(const std::string& method, const std::string& body) {
        if (!conn.isOpen()) {
            conn.setHostName(server.host());
            conn.setPort(QString::number(server.port()));
            conn.open();
        }
        return conn.post(method, body);
    }
    static std::string message(const ServerConnection::Reply& r) {
        rapidjson::Document d;
        d.Parse(r.body.c_str());
        if (!d.IsObject() || !d.HasMember("error"))
            return "<" + r.body + ">";
        EXPECT_STREQ(d["error"]["class"].GetString(), "EServerMethodError");
        return d["error"]["message"].GetString();
    }
    std::pair<int, QByteArray> get(const QString& path) {
        QNetworkAccessManager nam;
        QNetworkReply* r = nam.get(QNetworkRequest(QUrl(server.webUrl() + path)));
        QEventLoop loop;
        QObject::connect(r, &QNetworkReply::finished, &loop, &QEventLoop::quit);
        loop.exec();
        const int status = r->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
        const QByteArray body = r->readAll();
        r->deleteLater();
        return {status, body};
    }
    ServerConnection conn;
};

QByteArray databaseDigest(const QString& db) {
    QProcess p;
    p.start(QStringLiteral("sqlite3"), {db, QStringLiteral(".dump")});
    p.waitForFinished(30000);
    return QCryptographicHash::hash(p.readAllStandardOutput(), QCryptographicHash::Sha256);
}

}  // namespace

TEST_F(Server, RefusesCallsThatDoNotFitTheCatalogue) {
    struct Case {
        const char* method;
        const char* body;
        const char* message;
    } cases[] = {
        {"YokBoyle", R"({"params":[]})", "Bilinmeyen metod: YokBoyle"},
        {"EchoString", R"({"params":[]})", "EchoString metodu 1 parametre bekliyor, 0 geldi"},
        {"EchoString", R"({"params":["a","b"]})",
         "EchoString metodu 1 parametre bekliyor, 2 geldi"},
        {"EchoString", R"({"params":[5]})",
         "EchoString metodunun \"Value\" parametresi metin olmalı"},
        {"SepetVer", R"({"params":[4294967296]})",
         "SepetVer metodunun \"carino\" parametresi 32 bitlik tam sayı olmalı"},
        {"SepetVer", R"({"params":[1.5]})",
         "SepetVer metodunun \"carino\" parametresi 32 bitlik tam sayı olmalı"},
        {"CikisGonder", R"({"params":[{"type":"baglantiu.TTusSonuclari","id":1,"fields":{}}]})",
         "CikisGonder metodunun \"bilgi\" parametresi baglantiu.TSonucBilgisi türünde olmalı, "
         "baglantiu.TTusSonuclari geldi"},
        {"CikisGonder", R"({"params":["metin"]})",
         "CikisGonder metodunun \"bilgi\" parametresi nesne ya da null olmalı"},
        {"EchoString", R"(["a"])",
         "İstek gövdesi {\"params\": [...]} biçiminde JSON olmalı (EchoString)"},
        {"EchoString", R"({"params":["a")",
         "İstek gövdesi {\"params\": [...]} biçiminde JSON olmalı (EchoString)"},
    };
    for (const Case& c : cases) {
        const auto r = call(c.method, c.body);
        EXPECT_EQ(r.status, 400) << c.method << " " << c.body;
        EXPECT_EQ(message(r), c.message);
    }
}

TEST_F(Server, MethodsNotBuiltYetAnswerInTurkish) {
    const auto r = call("KurlariAl", R"({"params":[]})");
    EXPECT_EQ(r.status, 500);
    EXPECT_EQ(message(r), "Bu metod henüz hizmette değil");
}

TEST_F(Server, EchoReverseAndLoginRecordOnOneKeptAliveSocket) {
    auto r = call("EchoString", R"({"params":["Şanzıman"]})");
    EXPECT_EQ(r.body, R"({"result":"Şanzıman","out":[]})");
    r = call("ReverseString", R"({"params":["Çığ 𝄞x"]})");
    EXPECT_EQ(r.body, R"({"result":"x𝄞 ğıÇ","out":[]})");

    r = call("BuyukGetir", R"({"params":["KVDEMO-TEMSILCI-2"]})");
    ASSERT_EQ(r.status, 200);
    rapidjson::Document d;
    d.Parse(r.body.c_str());
    const auto& f = d["result"]["fields"];
    EXPECT_TRUE(f["FVarmi"].GetBool());
    EXPECT_STREQ(f["FADI"].GetString(), "TEMSILCI2");
    EXPECT_STREQ(f["FSIFRE"].GetString(), "2222");
    EXPECT_EQ(f["FMusteriTipi"].GetInt(), 2);
    EXPECT_EQ(f["FAKTIF"].GetInt(), 1);
    EXPECT_EQ(f["FCARINO"].GetInt(), 1003);
    EXPECT_STREQ(f["FCariAdi"].GetString(), "ÇAĞDAŞ FREN VE DEBRİYAJ");
    EXPECT_STREQ(f["FSaticiAdi"].GetString(), "Ayşe Karaca");
    EXPECT_EQ(f["FVersion"].GetInt(), 1);

    r = call("BuyukGetir", R"({"params":[""]})");
    d.Parse(r.body.c_str());
    EXPECT_FALSE(d["result"]["fields"]["FVarmi"].GetBool());
    EXPECT_EQ(d["result"]["fields"]["FVersion"].GetInt(), 1);
    EXPECT_EQ(conn.connectCount(), 1);
}

TEST_F(Server, AdministrationCommands) {
    int code = -1;
    const QString users = server.admin({QStringLiteral("list-users")}, &code);
    EXPECT_EQ(code, 0);
    EXPECT_TRUE(users.contains(QStringLiteral("DEMO\t0\t1001\t1\n")));
    EXPECT_TRUE(users.contains(QStringLiteral("PASIF\t0\t1005\t0\n")));

    server.admin(
        {QStringLiteral("register-workstation"), QStringLiteral("--id"),
         QStringLiteral("YENI-ISTASYON"), QStringLiteral("--user"), QStringLiteral("ISIK")},
        &code);
    EXPECT_EQ(code, 0);
    server.admin({QStringLiteral("set-client-version"), QStringLiteral("3")}, &code);
    EXPECT_EQ(code, 0);
    server.admin({QStringLiteral("set-active"), QStringLiteral("--user"), QStringLiteral("ISIK"),
                  QStringLiteral("0")},
                 &code);
    EXPECT_EQ(code, 0);
    const auto r = call("BuyukGetir", R"({"params":["YENI-ISTASYON"]})");
    rapidjson::Document d;
    d.Parse(r.body.c_str());
    EXPECT_STREQ(d["result"]["fields"]["FADI"].GetString(), "ISIK");
    EXPECT_EQ(d["result"]["fields"]["FAKTIF"].GetInt(), 0);
    EXPECT_EQ(d["result"]["fields"]["FVersion"].GetInt(), 3);

    server.admin({QStringLiteral("register-workstation"), QStringLiteral("--id"),
                  QStringLiteral("X"), QStringLiteral("--user"), QStringLiteral("KIMSE")},
                 &code);
    EXPECT_EQ(code, 1);
    server.admin({QStringLiteral("set-active"), QStringLiteral("--user"), QStringLiteral("ISIK")},
                 &code);
    EXPECT_EQ(code, 2);
}

TEST_F(Server, WebHostPages) {
    auto [status, body] = get(QStringLiteral("ip.php"));
    EXPECT_EQ(status, 200);
    EXPECT_EQ(body, QByteArray("127.0.0.1"));
    std::tie(status, body) = get(QString());
    EXPECT_EQ(status, 200);
    EXPECT_TRUE(body.contains("KAVELTRIM"));
    std::tie(status, body) = get(QStringLiteral("yok.html"));
    EXPECT_EQ(status, 404);
    std::tie(status, body) = get(QStringLiteral("exe/KaveltrimDornep.exe"));
    EXPECT_EQ(status, 404) << "no update file is configured";
    std::tie(status, body) = get(QStringLiteral("datasnap/call/TServerMethods1.EchoString"));
    EXPECT_EQ(status, 405);
}

TEST_F(Server, StopsCleanlyOnSigterm) {
    EXPECT_EQ(call("EchoString", R"({"params":["a"]})").status, 200);
    server.stop();
    EXPECT_FALSE(server.running());
    server.start();
    conn.close();
    EXPECT_EQ(call("EchoString", R"({"params":["b"]})").status, 200) << "the database survives";
}

TEST(DemoData, SameSeedGivesTheSameDatabase) {
    QTemporaryDir dir;
    QStringList dbs;
    for (int i = 0; i < 2; ++i) {
        const QString db = dir.filePath(QStringLiteral("d%1.db").arg(i));
        QProcess p;
        p.start(QStringLiteral(KV_SERVER_EXE), {QStringLiteral("init-demo"), QStringLiteral("--db"),
                                                db, QStringLiteral("--seed"), QStringLiteral("7")});
        p.waitForFinished(60000);
        ASSERT_EQ(p.exitCode(), 0);
        dbs << db;
    }
    EXPECT_EQ(databaseDigest(dbs[0]), databaseDigest(dbs[1]));
    QProcess again;
    again.start(QStringLiteral(KV_SERVER_EXE),
                {QStringLiteral("init-demo"), QStringLiteral("--db"), dbs[0]});
    again.waitForFinished(60000);
    EXPECT_EQ(again.exitCode(), 1) << "an existing database is not overwritten";
}
