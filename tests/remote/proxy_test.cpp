#include <gtest/gtest.h>

#include "platform/MemTable.h"
#include "remote/ServerConnection.h"
#include "remote/TServerMethods1Client.h"
#include "support/TestServer.h"

using namespace kv::remote;

namespace {

class ProxyTest : public ::testing::Test {
  protected:
    void SetUp() override {
        server.start();
        conn.setHostName(server.host());
        conn.setPort(QString::number(server.port()));
    }
    kv::test::TestServer server;
    ServerConnection conn;
};

}  // namespace

TEST(Proxy, MissingConnectionIsRefusedWithThePlatformText) {
    try {
        TServerMethods1Client proxy(nullptr);
        FAIL() << "a proxy without a connection was made";
    } catch (const RemoteError& e) {
        EXPECT_EQ(
            e.message(),
            QStringLiteral("Connection cannot be nil.  Make sure the connection has been opened."));
    }
}

TEST_F(ProxyTest, SecondCallReusesThePreparedCommandAndTheSocket) {
    TServerMethods1Client proxy(&conn);
    EXPECT_EQ(proxy.preparedCommandCount(), 0);
    EXPECT_EQ(proxy.command("EchoString"), nullptr);

    EXPECT_EQ(proxy.EchoString(QStringLiteral("Şanzıman dişlisi")),
              QStringLiteral("Şanzıman dişlisi"));
    const ServerMethodCommand* first = proxy.command("EchoString");
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->text(), "TServerMethods1.EchoString");

    EXPECT_EQ(proxy.ReverseString(QStringLiteral("çığ")), QStringLiteral("ğıç"));
    EXPECT_EQ(proxy.EchoString(QString()), QString());
    EXPECT_EQ(proxy.command("EchoString"), first);
    EXPECT_EQ(first->executeCount(), 2);
    EXPECT_EQ(proxy.preparedCommandCount(), 2);
    EXPECT_EQ(conn.connectCount(), 1) << "every call of an open connection shares its socket";
}

TEST_F(ProxyTest, LoginRecordOfAKnownAndAnUnknownWorkstation) {
    TServerMethods1Client proxy(&conn);
    const TSonucBilgisi* known = proxy.BuyukGetir(QString::fromUtf8(kv::test::kDealerWorkstation));
    ASSERT_NE(known, nullptr);
    EXPECT_TRUE(known->Varmi());
    EXPECT_FALSE(known->ADI().isEmpty());
    EXPECT_GT(known->CARINO(), 0);
    EXPECT_EQ(known->Version(), 1);

    TSonucBilgisi mine;
    mine.Kopyala(*known);  // the caller's own copy outlives the proxy's result

    const TSonucBilgisi* unknown = proxy.BuyukGetir(QStringLiteral("BOYLE-BIR-ISTASYON-YOK"));
    ASSERT_NE(unknown, nullptr);
    EXPECT_FALSE(unknown->Varmi());
    EXPECT_TRUE(mine.Varmi());
}

TEST_F(ProxyTest, ServerFailureSurfacesWithTheServersText) {
    TServerMethods1Client proxy(&conn);
    try {
        proxy.DuyuruVer();
        FAIL() << "a method that is not served returned";
    } catch (const RemoteError& e) {
        EXPECT_EQ(e.httpStatus(), 500);
        EXPECT_EQ(e.message(), QStringLiteral("Bu metod henüz hizmette değil"));
    }
    // The connection stays usable after a server-side error.
    EXPECT_EQ(proxy.EchoString(QStringLiteral("x")), QStringLiteral("x"));
}

TEST_F(ProxyTest, AbsentRecordArgumentTravelsAsNullAndConsumedRecordIsGone) {
    TServerMethods1Client proxy(&conn);
    // A null login record passes the server's checks and the method runs (and logs nothing).
    EXPECT_NO_THROW(proxy.CikisGonder(nullptr));
    EXPECT_EQ(server.query(QStringLiteral("SELECT count(*) FROM oturum_kayitlari")),
              QStringLiteral("0"));

    TSonucBilgisi mine;
    mine.setSirano(7);
    mine.setCARINO(1001);
    mine.setBILGISAYARID(QStringLiteral("KVDEMO-BAYI-0"));
    auto copy = mine.kopya();
    proxy.CikisGonder(std::move(copy));
    EXPECT_EQ(copy, nullptr) << "the proxy consumes the record it is given";
    EXPECT_EQ(mine.Sirano(), 7) << "the caller's own record is untouched";
    EXPECT_EQ(
        server.query(QStringLiteral("SELECT olay, sirano, carino, kimlik FROM oturum_kayitlari")),
        QStringLiteral("cikis|7|1001|KVDEMO-BAYI-0"));
}

TEST_F(ProxyTest, BrokenServerConnectionIsAnException) {
    TServerMethods1Client proxy(&conn);
    EXPECT_EQ(proxy.EchoString(QStringLiteral("a")), QStringLiteral("a"));
    server.kill();
    EXPECT_THROW(proxy.EchoString(QStringLiteral("b")), RemoteError);
    EXPECT_FALSE(conn.isOpen());
}

TEST(Connection, RefusedPortFailsAtOnceAndCloneCarriesParameters) {
    ServerConnection conn;
    conn.setHostName(QStringLiteral("127.0.0.1"));
    conn.setPort(QStringLiteral("1"));
    EXPECT_THROW(conn.open(), RemoteError);
    EXPECT_FALSE(conn.isOpen());

    conn.setHostName(QStringLiteral("sunucu.example"));
    const auto c = conn.clone();
    EXPECT_EQ(c->params().hostName, QStringLiteral("sunucu.example"));
    EXPECT_EQ(c->params().port, QStringLiteral("1"));
    EXPECT_EQ(c->params().datasnapContext, QStringLiteral("datasnap/"));
    EXPECT_FALSE(c->isOpen());
}
