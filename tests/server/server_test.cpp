#include <gtest/gtest.h>
#include <rapidjson/document.h>
#include <QCryptographicHash>
#include <QEventLoop>
#include <QFile>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QProcess>
#include <QTemporaryDir>
#include <boost/asio/connect.hpp>
#include <boost/asio/ip/tcp.hpp>
#include <boost/asio/write.hpp>
#include <boost/beast/core/flat_buffer.hpp>
#include <boost/beast/http.hpp>

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

// Sends raw bytes on a new socket and reads one answer: status, body and whether the server
// announced that it closes the connection after it.
struct RawAnswer {
    int status = 0;
    std::string body;
    std::string contentLength;
    bool closed = false;
};
RawAnswer rawExchange(int port, const std::string& request) {
    namespace asio = boost::asio;
    namespace http = boost::beast::http;
    asio::io_context ioc;
    asio::ip::tcp::socket socket(ioc);
    socket.connect({asio::ip::make_address("127.0.0.1"), static_cast<unsigned short>(port)});
    asio::write(socket, asio::buffer(request));
    boost::beast::flat_buffer buffer;
    http::response_parser<http::string_body> parser;
    parser.skip(request.rfind("HEAD ", 0) == 0);
    http::read(socket, buffer, parser);
    RawAnswer a;
    a.status = parser.get().result_int();
    a.body = parser.get().body();
    a.contentLength = std::string(parser.get()[http::field::content_length]);
    a.closed = !parser.get().keep_alive();
    return a;
}

// The whole content of a database as SQL text, digested.
QByteArray databaseDigest(const QString& db) {
    QProcess p;
    p.start(QStringLiteral("sqlite3"), {db, QStringLiteral(".dump")});
    EXPECT_TRUE(p.waitForFinished(30000));
    const QByteArray dump = p.readAllStandardOutput();
    EXPECT_EQ(p.exitCode(), 0);
    EXPECT_TRUE(dump.contains("INSERT INTO cariler")) << "the dump holds the demo data";
    return QCryptographicHash::hash(dump, QCryptographicHash::Sha256);
}

int runServer(const QStringList& args) {
    QProcess p;
    p.start(QStringLiteral(KV_SERVER_EXE), args);
    if (!p.waitForFinished(120000) || p.exitStatus() != QProcess::NormalExit)
        return -1;
    return p.exitCode();
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
        {"EchoString", "{\"params\":[\"\xff\xfe\"]}",
         "İstek gövdesi {\"params\": [...]} biçiminde JSON olmalı (EchoString)"},
        {"EchoString", R"({"params":{"Value":"a"}})",
         "İstek gövdesi {\"params\": [...]} biçiminde JSON olmalı (EchoString)"},
        {"MobilStokaraGeri", R"({"params":["a",null,0,0,{}]})",
         "MobilStokaraGeri metodunun \"geri\" parametresi null olmalı"},
        {"CariEkstreVer2", R"({"params":[1,"2024-01-01",0]})",
         "CariEkstreVer2 metodunun \"TARIH1\" parametresi sayı olmalı"},
    };
    for (const Case& c : cases) {
        const auto r = call(c.method, c.body);
        EXPECT_EQ(r.status, 400) << c.method << " " << c.body;
        EXPECT_EQ(message(r), c.message);
    }
    EXPECT_EQ(conn.connectCount(), 1) << "a refused call keeps the connection";
}

TEST_F(Server, HttpFramingAndPaths) {
    const std::string call =
        "POST /datasnap/call/TServerMethods1.EchoString HTTP/1.1\r\n"
        "Host: x\r\n";
    struct Case {
        std::string request;
        int status;
        bool closed;
    } cases[] = {
        // far over the size limit, refused as soon as the header is read
        {call + "Content-Length: 100000000\r\n\r\n", 413, true},
        {call + "Transfer-Encoding: chunked\r\n\r\n5\r\nabcde\r\n0\r\n\r\n", 411, true},
        {"GARBAGE\r\n\r\n", 400, true},
        {"POST /datasnap/tunnel HTTP/1.1\r\nHost: x\r\nContent-Length: 0\r\n\r\n", 404, false},
        {"POST /datasnap/call/TServerMethods1. HTTP/1.1\r\nHost: x\r\nContent-Length: 0\r\n\r\n",
         404, false},
        {"GET /ip.php HTTP/1.1\r\nHost: x\r\nConnection: close\r\n\r\n", 200, true},
    };
    for (const Case& c : cases) {
        const RawAnswer a = rawExchange(server.port(), c.request);
        EXPECT_EQ(a.status, c.status) << c.request;
        EXPECT_EQ(a.closed, c.closed) << c.request;
    }
    const RawAnswer head = rawExchange(server.port(), "HEAD /ip.php HTTP/1.1\r\nHost: x\r\n\r\n");
    EXPECT_EQ(head.status, 200);
    EXPECT_EQ(head.contentLength, "9") << "the length of 127.0.0.1";
    EXPECT_TRUE(head.body.empty());
}

TEST_F(Server, MethodsNotBuiltYetAnswerInTurkish) {
    const auto r = call("KayanYaziGetir", R"({"params":[]})");
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
    // A kept-alive connection that waits for its next request does not hold the server up.
    EXPECT_EQ(call("EchoString", R"({"params":["a"]})").status, 200);
    EXPECT_EQ(call("BuyukGetir", R"({"params":["KVDEMO-BAYI-0"]})").status, 200);
    EXPECT_EQ(server.stop(), 0);
    EXPECT_FALSE(server.running());
    EXPECT_EQ(server.query(QStringLiteral("PRAGMA integrity_check")), QStringLiteral("ok"));
    EXPECT_EQ(server.query(QStringLiteral(
                  "SELECT count(*) FROM oturum_kayitlari WHERE kimlik = 'KVDEMO-BAYI-0'")),
              QStringLiteral("1"));
    server.start();
    conn.close();
    const auto r = call("BuyukGetir", R"({"params":["KVDEMO-BAYI-0"]})");
    EXPECT_EQ(r.status, 200) << "the server starts again on the same database";
}

TEST(DemoData, SameSeedGivesTheSameDatabase) {
    QTemporaryDir dir;
    QStringList dbs;
    for (const char* seed : {"7", "7", "8"}) {
        const QString db = dir.filePath(QStringLiteral("d%1.db").arg(dbs.size()));
        ASSERT_EQ(runServer({QStringLiteral("init-demo"), QStringLiteral("--db"), db,
                             QStringLiteral("--seed"), QString::fromLatin1(seed),
                             QStringLiteral("--items"), QStringLiteral("300")}),
                  0);
        dbs << db;
    }
    const QByteArray first = databaseDigest(dbs[0]);
    EXPECT_EQ(first, databaseDigest(dbs[1]));
    EXPECT_NE(first, databaseDigest(dbs[2])) << "another seed gives other data";

    EXPECT_EQ(runServer({QStringLiteral("init-demo"), QStringLiteral("--db"), dbs[0]}), 1)
        << "an existing database is not overwritten";
    EXPECT_EQ(databaseDigest(dbs[0]), first);
    EXPECT_EQ(runServer({QStringLiteral("init-demo"), QStringLiteral("--db"), dbs[0],
                         QStringLiteral("--seed"), QStringLiteral("8"), QStringLiteral("--items"),
                         QStringLiteral("300"), QStringLiteral("--force")}),
              0);
    EXPECT_EQ(databaseDigest(dbs[0]), databaseDigest(dbs[2]));
}

TEST(CommandLine, WrongUseShowsTheUsageWithExitCode2) {
    QTemporaryDir dir;
    const QString db = dir.filePath(QStringLiteral("x.db"));
    const QStringList cases[] = {
        {},
        {QStringLiteral("yap"), QStringLiteral("--db"), db},
        {QStringLiteral("serve"), QStringLiteral("--db"), db, QStringLiteral("--hizli")},
        {QStringLiteral("init-demo")},
        {QStringLiteral("serve"), QStringLiteral("--db")},
    };
    for (const QStringList& args : cases) {
        QProcess p;
        p.start(QStringLiteral(KV_SERVER_EXE), args);
        ASSERT_TRUE(p.waitForFinished(30000));
        EXPECT_EQ(p.exitCode(), 2) << args.join(' ').toStdString();
        EXPECT_TRUE(p.readAllStandardError().contains("Kullanım:"));
    }
    EXPECT_FALSE(QFile::exists(db));
    EXPECT_EQ(runServer({QStringLiteral("serve"), QStringLiteral("--db"), db}), 1)
        << "no database to serve";
}
