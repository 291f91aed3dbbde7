#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "app/identity/Kimlik.h"
#include "app/settings/AyarDosyasi.h"
#include "app/settings/Dagitim.h"
#include "support/TestServer.h"

using namespace kv::app;

namespace {

void write(const QString& path, const QByteArray& data) {
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(data);
}

}  // namespace

TEST(AyarDosyasi, FirstStartWithoutAFileKeepsTheDesignState) {
    kv::test::TestEnvironment env;
    const settings::HatirlananKullanici k = settings::hatirlananKullaniciOku();
    EXPECT_FALSE(k.dosyaVar);
    EXPECT_TRUE(k.hatirla);
    EXPECT_TRUE(k.isim.isEmpty());
    EXPECT_EQ(settings::ayarDosyasiYolu(), env.dataDir() + QStringLiteral("/ayar.ini"));
}

TEST(AyarDosyasi, WritesNameAndPasswordEvenWhenNotRemembered) {
    kv::test::TestEnvironment env;
    ASSERT_TRUE(settings::hatirlananKullaniciYaz(QStringLiteral("ÇAĞRI"), QStringLiteral("ŞİFRE=1"),
                                                 false));
    const settings::HatirlananKullanici k = settings::hatirlananKullaniciOku();
    EXPECT_TRUE(k.dosyaVar);
    EXPECT_FALSE(k.hatirla);
    EXPECT_EQ(k.isim, QStringLiteral("ÇAĞRI"));
    EXPECT_EQ(k.sifre, QStringLiteral("ŞİFRE=1"));

    QFile f(settings::ayarDosyasiYolu());
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(f.readAll());
    EXPECT_TRUE(text.contains(QStringLiteral("[kullanici]")));
    EXPECT_TRUE(text.contains(QStringLiteral("hatırla=0"))) << text.toStdString();
}

TEST(AyarDosyasi, MissingOrUnreadableKeysTakeTheirDefaults) {
    kv::test::TestEnvironment env;
    write(settings::ayarDosyasiYolu(), "[kullanici]\nisim=AHMET\nhatırla=evet\n[baska]\nsifre=X\n");
    const settings::HatirlananKullanici k = settings::hatirlananKullaniciOku();
    EXPECT_TRUE(k.hatirla);
    EXPECT_EQ(k.isim, QStringLiteral("AHMET"));
    EXPECT_TRUE(k.sifre.isEmpty());
}

TEST(AyarDosyasi, ValuesReadBackUnchangedAndOtherLinesStay) {
    kv::test::TestEnvironment env;
    // A file someone edited: a byte-order mark, a comment, another section, spaces around "=".
    write(settings::ayarDosyasiYolu(),
          "\xEF\xBB\xBF; elle yazıldı\r\n[KULLANICI]\r\nISIM = eski\r\nhatırla = 0\r\n\r\n"
          "[pencere]\r\ngenislik=1024\r\n");
    EXPECT_EQ(settings::hatirlananKullaniciOku().isim, QStringLiteral("eski"));
    EXPECT_FALSE(settings::hatirlananKullaniciOku().hatirla);

    const QString values[] = {QStringLiteral("ÇAĞRI ŞİMŞEK ığüöİ"),
                              QStringLiteral("  iki yanı boş "), QStringLiteral("\"tırnaklı\""),
                              QStringLiteral("a=b;c#d[e]"), QString()};
    for (const QString& v : values) {
        ASSERT_TRUE(settings::hatirlananKullaniciYaz(v, v, true));
        const settings::HatirlananKullanici k = settings::hatirlananKullaniciOku();
        EXPECT_EQ(k.isim, v);
        EXPECT_EQ(k.sifre, v);
        EXPECT_TRUE(k.hatirla);
    }
    QFile f(settings::ayarDosyasiYolu());
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(f.readAll());
    EXPECT_TRUE(text.contains(QStringLiteral("; elle yazıldı\n")));
    EXPECT_TRUE(text.contains(QStringLiteral("[pencere]\ngenislik=1024\n")));
    EXPECT_EQ(text.count(QStringLiteral("isim="), Qt::CaseInsensitive), 1) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("hatırla=1")));
}

TEST(Kimlik, DiskSerialWithBlanksBecomesOneUpperCaseWord) {
    QTemporaryDir root;
    write(root.filePath(QStringLiteral("block/loop0/serial")), "LOOPSERIAL\n");
    write(root.filePath(QStringLiteral("block/sda/device/serial")), "  wd-wx 1234 abcd  \n");
    write(root.filePath(QStringLiteral("class/net/eth0/address")), "52:54:00:ab:cd:ef\n");
    EXPECT_EQ(identity::BilgisayarIdAl(root.path(), root.path()), QStringLiteral("WD-WX1234ABCD"));
}

TEST(Kimlik, UdevSerialWhenSysfsHasNone) {
    QTemporaryDir root;
    write(root.filePath(QStringLiteral("block/nvme0n1/dev")), "259:0\n");
    write(root.filePath(QStringLiteral("udev/b259:0")),
          "S:disk/by-id/x\nE:ID_SERIAL=Samsung_SSD_S4EWNF0M\nE:ID_SERIAL_SHORT=s4ewnf0m 123\n");
    EXPECT_EQ(identity::BilgisayarIdAl(root.path(), root.filePath(QStringLiteral("udev"))),
              QStringLiteral("S4EWNF0M123"));
}

TEST(Kimlik, AdapterAddressWhenNoDiskSerialSkippingZeroAddresses) {
    QTemporaryDir root;
    write(root.filePath(QStringLiteral("block/vda/dev")), "254:0\n");  // no serial anywhere
    write(root.filePath(QStringLiteral("block/sr0/device/serial")), "CDROM1\n");
    write(root.filePath(QStringLiteral("class/net/dummy0/address")), "00:00:00:00:00:00\n");
    write(root.filePath(QStringLiteral("class/net/gre0/address")), "00:00:00:00\n");  // a tunnel
    write(root.filePath(QStringLiteral("class/net/lo/address")), "00:00:00:00:00:00\n");
    write(root.filePath(QStringLiteral("class/net/wlan0/address")), "52:54:00:ab:cd:ef\n");
    write(root.filePath(QStringLiteral("class/net/wlan1/address")), "52:54:00:00:00:01\n");
    EXPECT_EQ(identity::BilgisayarIdAl(root.path(), root.path()),
              QStringLiteral("52-54-00-AB-CD-EF"));

    // Only zero addresses: no identity rather than one every such machine would share.
    QFile::remove(root.filePath(QStringLiteral("class/net/wlan0/address")));
    QFile::remove(root.filePath(QStringLiteral("class/net/wlan1/address")));
    EXPECT_THROW(identity::MacAdresiAl(root.path()), std::exception);
    EXPECT_EQ(identity::BilgisayarIdAl(root.path(), root.path()), QString());

    QTemporaryDir bare;
    EXPECT_THROW(identity::DiskSeriNoAl(bare.path(), bare.path()), std::exception);
    EXPECT_EQ(identity::BilgisayarIdAl(bare.path(), bare.path()), QString());
}

TEST(Kimlik, EnvironmentOverridesAndFolders) {
    kv::test::TestEnvironment env;
    env.set("KAVELTRIM_WORKSTATION_ID", QStringLiteral("KVTEST-1"));
    EXPECT_EQ(identity::BilgisayarIdAl(), QStringLiteral("KVTEST-1"));
    EXPECT_EQ(identity::BelgelerKlasoru(), env.documentsDir());
    const QString sub = env.dataDir() + QStringLiteral("/yeni/kaveltrimdornep");
    env.set("KAVELTRIM_DATA_DIR", sub);
    EXPECT_FALSE(QDir(sub).exists());
    EXPECT_EQ(identity::VeriKlasoru(), sub);
    EXPECT_TRUE(QDir(sub).exists()) << "created on first use";
    EXPECT_EQ(identity::VeriKlasoru(), sub);
    EXPECT_FALSE(identity::BilgisayarAdiAl().isEmpty());
    EXPECT_FALSE(identity::KullaniciAdiAl().isEmpty());
    EXPECT_FALSE(identity::IcIpAl().isEmpty());
}

using EchoPage = kv::test::ServerTest;

TEST_F(EchoPage, DisIpAlReadsTheEchoPageAndGivesUpOnADeadOne) {
    EXPECT_EQ(identity::DisIpAl(settings::ipAdresi()), QStringLiteral("127.0.0.1"));
    const QString dead = settings::ipAdresi();
    server.stop();
    EXPECT_EQ(identity::DisIpAl(dead, 2), QString());
}

TEST(Dagitim, BuiltInAddressesAndTheirOverrides) {
    kv::test::TestEnvironment env;
    for (const char* v : {"KAVELTRIM_SERVER_HOST", "KAVELTRIM_SERVER_PORT", "KAVELTRIM_WEB_URL"}) {
        env.set(v, QString());
    }
    EXPECT_EQ(settings::sunucuHost(), QStringLiteral("localhost"));
    EXPECT_EQ(settings::sunucuPort(), QStringLiteral("9090"));
    EXPECT_EQ(settings::webAdresi(), QStringLiteral("http://localhost:9090/"));
    env.set("KAVELTRIM_SERVER_HOST", QStringLiteral("sunucu.kaveltrim.com.tr"));
    env.set("KAVELTRIM_WEB_URL", QStringLiteral("http://www.kaveltrim.com.tr"));
    kv::remote::ServerConnection c;
    settings::sunucuAdresiniAyarla(c);
    EXPECT_EQ(c.clone()->params().hostName, QStringLiteral("sunucu.kaveltrim.com.tr"));
    EXPECT_EQ(settings::webAdresi(), QStringLiteral("http://www.kaveltrim.com.tr/"));
    EXPECT_EQ(settings::webSitesiAdi(), QStringLiteral("www.kaveltrim.com.tr"));
}
