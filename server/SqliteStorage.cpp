#include <rapidjson/document.h>
#include <QDateTime>
#include <mutex>

#include "BasketSchema.h"
#include "Dispatcher.h"
#include "Sqlite.h"
#include "StockStore.h"
#include "Storage.h"

namespace kv::server {

namespace {

// Numbered schema steps; a database remembers the last one applied (user_version).
const char* const kMigrations[] = {
    // 1: accounts, users, workstations, sessions, settings, mail outbox
    R"sql(
CREATE TABLE ayarlar (
  anahtar TEXT PRIMARY KEY,
  deger TEXT NOT NULL
);
CREATE TABLE saticilar (
  saticino INTEGER PRIMARY KEY,
  adi TEXT NOT NULL,
  telefon TEXT NOT NULL DEFAULT '',
  mail TEXT NOT NULL DEFAULT ''
);
CREATE TABLE cariler (
  carino INTEGER PRIMARY KEY,
  carikod TEXT NOT NULL UNIQUE,
  cariadi TEXT NOT NULL,
  adres1 TEXT NOT NULL DEFAULT '',
  adres2 TEXT NOT NULL DEFAULT '',
  ilce TEXT NOT NULL DEFAULT '',
  sehir TEXT NOT NULL DEFAULT '',
  ulke TEXT NOT NULL DEFAULT 'TÜRKİYE',
  tel1 TEXT NOT NULL DEFAULT '',
  tel2 TEXT NOT NULL DEFAULT '',
  gsm TEXT NOT NULL DEFAULT '',
  fax1 TEXT NOT NULL DEFAULT '',
  fax2 TEXT NOT NULL DEFAULT '',
  vergidairesi TEXT NOT NULL DEFAULT '',
  vergino TEXT NOT NULL DEFAULT '',
  email TEXT NOT NULL DEFAULT '',
  yetkili TEXT NOT NULL DEFAULT '',
  anagrup TEXT NOT NULL DEFAULT '',
  altgrup TEXT NOT NULL DEFAULT '',
  ozelkod TEXT NOT NULL DEFAULT '',
  iskonto REAL NOT NULL DEFAULT 0 CHECK (iskonto >= 0 AND iskonto <= 100),
  tlborc REAL NOT NULL DEFAULT 0,
  tlalacak REAL NOT NULL DEFAULT 0,
  saticino INTEGER REFERENCES saticilar(saticino)
);
CREATE TABLE kullanicilar (
  sirano INTEGER PRIMARY KEY,
  adi TEXT NOT NULL UNIQUE,
  sifre TEXT NOT NULL,
  musteritipi INTEGER NOT NULL CHECK (musteritipi BETWEEN 0 AND 4),
  aktif INTEGER NOT NULL DEFAULT 1,
  email TEXT NOT NULL DEFAULT '',
  carino INTEGER NOT NULL REFERENCES cariler(carino)
);
CREATE TABLE istasyonlar (
  kimlik TEXT PRIMARY KEY,
  sirano INTEGER NOT NULL REFERENCES kullanicilar(sirano),
  kayit_zamani TEXT NOT NULL
);
CREATE TABLE oturum_kayitlari (
  id INTEGER PRIMARY KEY,
  olay TEXT NOT NULL,
  sirano INTEGER,
  carino INTEGER,
  kimlik TEXT NOT NULL DEFAULT '',
  bilgisayar TEXT NOT NULL DEFAULT '',
  kullanici TEXT NOT NULL DEFAULT '',
  icip TEXT NOT NULL DEFAULT '',
  disip TEXT NOT NULL DEFAULT '',
  adres TEXT NOT NULL DEFAULT '',
  zaman TEXT NOT NULL
);
CREATE TABLE posta_kutusu (
  id INTEGER PRIMARY KEY,
  tur TEXT NOT NULL,
  kimlik TEXT NOT NULL,
  baslik TEXT NOT NULL,
  alanlar TEXT NOT NULL,
  zaman TEXT NOT NULL,
  gonderildi INTEGER NOT NULL DEFAULT 0
);
INSERT INTO ayarlar (anahtar, deger) VALUES ('istemci_surumu', '1');
)sql",
    // 2: the stock catalogue, its code index and its text search index
    R"sql(
CREATE TABLE stoklar (
  stokno INTEGER PRIMARY KEY,
  barkod TEXT NOT NULL,
  barkodno INTEGER NOT NULL,
  adi TEXT NOT NULL,
  digeradi TEXT,
  oem1 TEXT, oem2 TEXT, oem3 TEXT, oem4 TEXT, oemno TEXT,
  ureticikodu TEXT,
  finishkod TEXT,
  dpkod TEXT, pkod TEXT,
  birim TEXT NOT NULL DEFAULT 'ADET',
  marka TEXT NOT NULL, model TEXT,
  anagrup TEXT NOT NULL, altgrup TEXT, ozelkod TEXT,
  kdv REAL NOT NULL DEFAULT 20 CHECK (kdv >= 0),
  listefiyat REAL NOT NULL CHECK (listefiyat >= 0),
  kampanyali INTEGER NOT NULL DEFAULT 0,
  kampfiyat REAL NOT NULL DEFAULT 0 CHECK (kampfiyat >= 0),
  maliyet TEXT NOT NULL DEFAULT '',
  yeni INTEGER NOT NULL DEFAULT 0,
  kalan REAL NOT NULL DEFAULT 0,
  alinansiparis REAL NOT NULL DEFAULT 0,
  verilensiparis REAL NOT NULL DEFAULT 0,
  durum INTEGER NOT NULL DEFAULT 1 CHECK (durum BETWEEN 0 AND 5),
  resim INTEGER NOT NULL DEFAULT 0,
  kayit_tarihi TEXT NOT NULL
);
CREATE INDEX stoklar_yeni ON stoklar(yeni) WHERE yeni = 1;
CREATE INDEX stoklar_kampanyali ON stoklar(kampanyali) WHERE kampanyali = 1;
CREATE TABLE stok_kodlari (
  kod TEXT NOT NULL,
  stokno INTEGER NOT NULL REFERENCES stoklar(stokno),
  PRIMARY KEY (kod, stokno)
) WITHOUT ROWID;
CREATE VIRTUAL TABLE stok_ara USING fts5(kodlar, adlar, content='', tokenize='trigram');
)sql",
    // 3: baskets, orders with their lines and status history, delivery modes, cargo types
    // and companies
    kBasketSchema,
};

QString now() {
    return QDateTime::currentDateTime().toString(Qt::ISODate);
}
QString q(std::string_view s) {
    return QString::fromUtf8(s.data(), qsizetype(s.size()));
}
std::string s8(const QString& s) {
    return s.toStdString();
}

// A small pool of connections: one per thread that works at a time.
class Pool {
  public:
    explicit Pool(std::string path) : path_(std::move(path)) {}
    class Lease {
      public:
        Lease(Pool& p, std::unique_ptr<Database> db) : p_(p), db_(std::move(db)) {}
        ~Lease() { p_.release(std::move(db_)); }
        Database& operator*() { return *db_; }
        Database* operator->() { return db_.get(); }

      private:
        Pool& p_;
        std::unique_ptr<Database> db_;
    };
    Lease acquire() {
        std::unique_ptr<Database> db;
        {
            std::lock_guard lock(m_);
            if (!free_.empty()) {
                db = std::move(free_.back());
                free_.pop_back();
            }
        }
        if (!db)
            db = std::make_unique<Database>(path_, false);
        return Lease(*this, std::move(db));
    }

  private:
    void release(std::unique_ptr<Database> db) {
        std::lock_guard lock(m_);
        free_.push_back(std::move(db));
    }
    std::string path_;
    std::mutex m_;
    std::vector<std::unique_ptr<Database>> free_;
};

class SqliteStorage : public Storage {
  public:
    explicit SqliteStorage(const std::string& path) : pool_(path) {}

    int expectedClientVersion() override {
        auto db = pool_.acquire();
        auto st = db->prepare("SELECT deger FROM ayarlar WHERE anahtar = 'istemci_surumu'");
        return st.step() ? q(st.getText(0)).toInt() : 1;
    }

    void setExpectedClientVersion(int version) override {
        auto db = pool_.acquire();
        Transaction t(*db);
        db->prepare(
              "INSERT INTO ayarlar (anahtar, deger) VALUES ('istemci_surumu', ?1) "
              "ON CONFLICT(anahtar) DO UPDATE SET deger = excluded.deger")
            .bind(1, std::to_string(version))
            .run();
        t.commit();
    }

    std::optional<ExchangeRates> exchangeRates() override {
        auto db = pool_.acquire();
        auto st = db->prepare(
            "SELECT (SELECT deger FROM ayarlar WHERE anahtar = 'kur_usd'), "
            "(SELECT deger FROM ayarlar WHERE anahtar = 'kur_eur')");
        if (!st.step() || st.isNull(0) || st.isNull(1))
            return std::nullopt;
        bool okUsd = false, okEur = false;
        const ExchangeRates r{q(st.getText(0)).toDouble(&okUsd), q(st.getText(1)).toDouble(&okEur)};
        if (!okUsd || !okEur)
            return std::nullopt;
        return r;
    }

    void setExchangeRates(ExchangeRates rates) override {
        auto db = pool_.acquire();
        Transaction t(*db);
        const auto put = [&](const char* key, double v) {
            db->prepare(
                  "INSERT INTO ayarlar (anahtar, deger) VALUES (?1, ?2) "
                  "ON CONFLICT(anahtar) DO UPDATE SET deger = excluded.deger")
                .bind(1, std::string(key))
                .bind(2, QString::number(v, 'g', 15).toStdString())
                .run();
        };
        put("kur_usd", rates.usd);
        put("kur_eur", rates.eur);
        t.commit();
    }

    std::optional<remote::TSonucBilgisi> workstationLogin(const QString& kimlik) override {
        auto db = pool_.acquire();
        auto st = db->prepare(R"sql(
SELECT k.sirano, k.adi, k.sifre, k.musteritipi, k.aktif, k.email,
       c.carino, c.carikod, c.cariadi,
       s.saticino, s.adi, s.telefon, s.mail
FROM istasyonlar i
JOIN kullanicilar k ON k.sirano = i.sirano
JOIN cariler c ON c.carino = k.carino
LEFT JOIN saticilar s ON s.saticino = c.saticino
WHERE i.kimlik = ?1)sql");
        st.bind(1, s8(kimlik));
        if (!st.step())
            return std::nullopt;
        remote::TSonucBilgisi b;
        b.setVarmi(true);
        b.setSirano(qint32(st.getInt(0)));
        b.setADI(q(st.getText(1)));
        b.setSIFRE(q(st.getText(2)));
        b.setMusteriTipi(qint32(st.getInt(3)));
        b.setAKTIF(qint32(st.getInt(4)));
        b.setKullanicimail(q(st.getText(5)));
        b.setCARINO(qint32(st.getInt(6)));
        b.setcarikod(q(st.getText(7)));
        b.setCariAdi(q(st.getText(8)));
        b.setSaticiNo(qint32(st.getInt(9)));
        b.setSaticiAdi(q(st.getText(10)));
        b.setSaticiTelefon(q(st.getText(11)));
        b.setSaticiMail(q(st.getText(12)));
        b.setBILGISAYARID(kimlik);
        return b;
    }

    std::optional<remote::TMobilCariBilgisi> workstationCard(const QString& kimlik) override {
        auto db = pool_.acquire();
        auto st = db->prepare(R"sql(
SELECT c.carino, c.carikod, c.cariadi, c.adres1, c.adres2, c.ilce, c.sehir, c.ulke,
       c.tel1, c.tel2, c.gsm, c.fax1, c.fax2, c.vergidairesi, c.vergino, c.email,
       c.yetkili, c.anagrup, c.altgrup, c.ozelkod, c.tlborc, c.tlalacak,
       k.adi, k.sifre, k.email, s.adi, s.telefon, s.mail
FROM istasyonlar i
JOIN kullanicilar k ON k.sirano = i.sirano
JOIN cariler c ON c.carino = k.carino
LEFT JOIN saticilar s ON s.saticino = c.saticino
WHERE i.kimlik = ?1)sql");
        st.bind(1, s8(kimlik));
        if (!st.step())
            return std::nullopt;
        remote::TMobilCariBilgisi c;
        c.setBILGISAYARID(kimlik);
        c.setCARINO(qint32(st.getInt(0)));
        c.setCARIKOD(q(st.getText(1)));
        c.setCARIADI(q(st.getText(2)));
        c.setADRES1(q(st.getText(3)));
        c.setADRES2(q(st.getText(4)));
        c.setILCE(q(st.getText(5)));
        c.setSEHIR(q(st.getText(6)));
        c.setULKE(q(st.getText(7)));
        c.setTEL1(q(st.getText(8)));
        c.setTEL2(q(st.getText(9)));
        c.setGSM(q(st.getText(10)));
        c.setFAX1(q(st.getText(11)));
        c.setFAX2(q(st.getText(12)));
        c.setVERGIDAIRESI(q(st.getText(13)));
        c.setVERGINO(q(st.getText(14)));
        c.setEMAIL(q(st.getText(15)));
        c.setYETKILI(q(st.getText(16)));
        c.setAnaGrup(q(st.getText(17)));
        c.setAltGrup(q(st.getText(18)));
        c.setOzelKod(q(st.getText(19)));
        c.setTLBORC(st.getDouble(20));
        c.setTLALACAK(st.getDouble(21));
        c.setTLBAKIYE(st.getDouble(20) - st.getDouble(21));
        c.setKULLANICIADI(q(st.getText(22)));
        c.setSIFRE(q(st.getText(23)));
        c.setMAIL(q(st.getText(24)));
        c.setSATICIADI(q(st.getText(25)));
        c.setSATICITELEFON(q(st.getText(26)));
        c.setSATICIMAIL(q(st.getText(27)));
        return c;
    }

    void logSession(const remote::TSonucBilgisi& b, const QString& olay,
                    const std::string& peer) override {
        auto db = pool_.acquire();
        Transaction t(*db);
        db->prepare(R"sql(
INSERT INTO oturum_kayitlari
  (olay, sirano, carino, kimlik, bilgisayar, kullanici, icip, disip, adres, zaman)
VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, ?10))sql")
            .bind(1, s8(olay))
            .bind(2, b.Sirano())
            .bind(3, b.CARINO())
            .bind(4, s8(b.BILGISAYARID()))
            .bind(5, s8(b.BilgiSayarAdi()))
            .bind(6, s8(b.BilgisayarKullanici()))
            .bind(7, s8(b.Icip()))
            .bind(8, s8(b.Disip()))
            .bind(9, peer)
            .bind(10, s8(now()))
            .run();
        t.commit();
    }

    qint64 storeMail(const MailRow& m) override {
        rapidjson::StringBuffer sb;
        remote::JsonWriter w(sb);
        w.StartArray();
        for (const auto& [name, value] : m.alanlar) {
            w.StartArray();
            remote::detail::writeValue(w, name);
            remote::detail::writeValue(w, value);
            w.EndArray();
        }
        w.EndArray();
        auto db = pool_.acquire();
        Transaction t(*db);
        db->prepare(
              "INSERT INTO posta_kutusu (tur, kimlik, baslik, alanlar, zaman) "
              "VALUES (?1, ?2, ?3, ?4, ?5)")
            .bind(1, s8(m.tur))
            .bind(2, s8(m.kimlik))
            .bind(3, s8(m.baslik))
            .bind(4, std::string_view(sb.GetString(), sb.GetSize()))
            .bind(5, s8(now()))
            .run();
        const qint64 id = db->lastInsertId();
        t.commit();
        return id;
    }

    int stockSearch(const QString& text, int carino, remote::JsonWriter& w) override {
        auto db = pool_.acquire();
        return writeStockSearch(*db, text, carino, w);
    }
    int newItems(int carino, remote::JsonWriter& w) override {
        auto db = pool_.acquire();
        return writeNewItems(*db, carino, w);
    }
    int campaignItems(int carino, remote::JsonWriter& w) override {
        auto db = pool_.acquire();
        return writeCampaignItems(*db, carino, w);
    }

    std::optional<QString> pictureGroup(qint64 stokno) override {
        auto db = pool_.acquire();
        auto st = db->prepare("SELECT anagrup FROM stoklar WHERE stokno = ?1 AND resim = 1");
        st.bind(1, std::int64_t(stokno));
        if (!st.step())
            return std::nullopt;
        return q(st.getText(0));
    }

    int basket(int carino, remote::JsonWriter& w) override {
        auto db = pool_.acquire();
        return writeBasket(*db, carino, w);
    }
    int addBasketLine(const BasketLineInput& line) override {
        auto db = pool_.acquire();
        return server::addBasketLine(*db, line);
    }
    int updateBasketLine(int sirano, const BasketLineInput& line) override {
        auto db = pool_.acquire();
        return server::updateBasketLine(*db, sirano, line);
    }
    int deleteBasketLine(int carino, int sirano, const QString& aciklama, int silen) override {
        auto db = pool_.acquire();
        return server::deleteBasketLine(*db, carino, sirano, aciklama, silen);
    }
    int deleteBasket(int carino, int silen) override {
        auto db = pool_.acquire();
        return server::deleteBasket(*db, carino, silen);
    }
    bool setBasketSelection(int sirano, bool secili) override {
        auto db = pool_.acquire();
        return server::setBasketSelection(*db, sirano, secili);
    }
    int deliveryModes(remote::JsonWriter& w) override {
        auto db = pool_.acquire();
        return writeDeliveryModes(*db, w);
    }
    int cargoTypes(remote::JsonWriter& w) override {
        auto db = pool_.acquire();
        return writeCargoTypes(*db, w);
    }
    int cargoCompanies(int kargoTurId, remote::JsonWriter& w) override {
        auto db = pool_.acquire();
        return writeCargoCompanies(*db, kargoTurId, w);
    }
    std::int64_t placeOrder(const OrderInput& order) override {
        auto db = pool_.acquire();
        return server::placeOrder(*db, order);
    }
    std::vector<OrderSummary> orders() override {
        auto db = pool_.acquire();
        return listOrders(*db);
    }

    std::vector<UserRow> users() override {
        auto db = pool_.acquire();
        auto st =
            db->prepare("SELECT adi, musteritipi, carino, aktif FROM kullanicilar ORDER BY sirano");
        std::vector<UserRow> out;
        while (st.step()) {
            out.push_back(
                {q(st.getText(0)), int(st.getInt(1)), int(st.getInt(2)), int(st.getInt(3))});
        }
        return out;
    }

    void registerWorkstation(const QString& kimlik, const QString& kullanici) override {
        if (kimlik.trimmed().isEmpty())
            throw MethodError(QStringLiteral("İstasyon kimliği boş olamaz"));
        auto db = pool_.acquire();
        Transaction t(*db);
        auto st = db->prepare("SELECT sirano FROM kullanicilar WHERE adi = ?1");
        st.bind(1, s8(kullanici));
        if (!st.step())
            throw MethodError(QStringLiteral("Böyle bir kullanıcı yok: %1").arg(kullanici));
        const qint64 sirano = st.getInt(0);
        db->prepare(
              "INSERT INTO istasyonlar (kimlik, sirano, kayit_zamani) VALUES (?1, ?2, ?3) "
              "ON CONFLICT(kimlik) DO UPDATE SET sirano = excluded.sirano, "
              "kayit_zamani = excluded.kayit_zamani")
            .bind(1, s8(kimlik))
            .bind(2, std::int64_t(sirano))
            .bind(3, s8(now()))
            .run();
        t.commit();
    }

    void setActive(const QString& kullanici, bool aktif) override {
        auto db = pool_.acquire();
        Transaction t(*db);
        db->prepare("UPDATE kullanicilar SET aktif = ?1 WHERE adi = ?2")
            .bind(1, aktif ? 1 : 0)
            .bind(2, s8(kullanici))
            .run();
        if (db->changes() == 0) {
            throw MethodError(QStringLiteral("Böyle bir kullanıcı yok: %1").arg(kullanici));
        }
        t.commit();
    }

    std::vector<MailRow> outbox() override {
        auto db = pool_.acquire();
        auto st = db->prepare(
            "SELECT id, zaman, tur, kimlik, baslik, alanlar FROM posta_kutusu ORDER BY id");
        std::vector<MailRow> out;
        while (st.step()) {
            MailRow m;
            m.id = st.getInt(0);
            m.zaman = q(st.getText(1));
            m.tur = q(st.getText(2));
            m.kimlik = q(st.getText(3));
            m.baslik = q(st.getText(4));
            rapidjson::Document d;
            const std::string json(st.getText(5));
            d.Parse(json.c_str());
            if (d.IsArray()) {
                for (const auto& pair : d.GetArray()) {
                    m.alanlar.emplace_back(q(pair[0].GetString()), q(pair[1].GetString()));
                }
            }
            out.push_back(std::move(m));
        }
        return out;
    }

  private:
    Pool pool_;
};

void migrate(Database& db) {
    auto st = db.prepare("PRAGMA user_version");
    st.step();
    int version = int(st.getInt(0));
    const int target = int(std::size(kMigrations));
    if (version > target) {
        throw DbError("Veritabanı bu sunucudan yeni bir sürümle oluşturulmuş (şema " +
                      std::to_string(version) + ", bu sunucu " + std::to_string(target) + ")");
    }
    while (version < target) {
        Transaction t(db);
        db.exec(kMigrations[version]);
        ++version;
        db.exec("PRAGMA user_version = " + std::to_string(version));
        t.commit();
    }
}

}  // namespace

int schemaVersion() {
    return int(std::size(kMigrations));
}

std::unique_ptr<Storage> openSqliteStorage(const std::string& path, bool create) {
    {
        Database db(path, create);
        migrate(db);
    }
    return std::make_unique<SqliteStorage>(path);
}

}  // namespace kv::server
