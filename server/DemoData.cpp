#include "DemoData.h"

#include <QString>
#include <array>
#include <random>

#include "Sqlite.h"
#include "Storage.h"

namespace kv::server {

namespace {

struct Rep {
    int no;
    const char* adi;
    const char* telefon;
    const char* mail;
};
constexpr Rep kReps[] = {
    {1, "Mehmet Yıldırım", "0532 411 22 33", "mehmet.yildirim@kaveltrim.com.tr"},
    {2, "Ayşe Karaca", "0533 618 40 27", "ayse.karaca@kaveltrim.com.tr"},
};

struct Account {
    int carino;
    const char* carikod;
    const char* cariadi;
    const char* adres1;
    const char* ilce;
    const char* sehir;
    const char* tel;
    const char* vd;
    const char* vn;
    const char* yetkili;
    double iskonto;
    int satici;
};
// The fixed accounts behind the documented demo users.
constexpr Account kAccounts[] = {
    {1001, "120.01.001", "ÖZTÜRK OTO YEDEK PARÇA LTD. ŞTİ.", "Sanayi Mah. 12. Sok. No: 4",
     "Yenimahalle", "ANKARA", "0312 385 11 20", "Ostim", "6780012345", "Hüseyin Öztürk", 12.5, 1},
    {1002, "120.06.014", "ŞAHİN OTOMOTİV TİC. A.Ş.", "Küçük Sanayi Sitesi C Blok No: 8", "Nilüfer",
     "BURSA", "0224 443 90 10", "Nilüfer", "8010203040", "Gülşen Şahin", 10.0, 1},
    {1003, "120.34.207", "ÇAĞDAŞ FREN VE DEBRİYAJ", "İkitelli OSB Demirciler Sit. No: 31",
     "Başakşehir", "İSTANBUL", "0212 671 45 45", "İkitelli", "2110984756", "Çağlar Doğan", 8.0, 2},
    {1004, "120.35.118", "EGE IŞIK OTO ELEKTRİK", "Gaziemir Sanayi 8012 Sok. No: 3", "Gaziemir",
     "İZMİR", "0232 251 77 02", "Gaziemir", "3320456789", "İsmail Işık", 9.0, 2},
    {1005, "120.07.033", "AKDENİZ OTO PARÇA SAN.", "Yeni Sanayi 713 Sok. No: 22", "Kepez",
     "ANTALYA", "0242 221 16 16", "Kepez", "0450112233", "Ümit Aksoy", 7.5, 1},
    {1006, "120.42.051", "KONYA DÜZGÜN OTOMOTİV", "Karatay Sanayi Çarşısı 3. Blok No: 9", "Karatay",
     "KONYA", "0332 342 61 61", "Selçuk", "5567781122", "Fatma Düzgün", 11.0, 2},
    {1007, "120.BDM.007", "BDM İTHALAT PARÇA DAĞITIM", "Organize Sanayi 3. Cad. No: 15",
     "Şehitkamil", "GAZİANTEP", "0342 337 20 20", "Şehitkamil", "1122334455", "Barış Demir", 15.0,
     1},
};

struct DemoUser {
    const char* adi;
    const char* sifre;
    int tip;
    int aktif;
    int carino;
    const char* kimlik;
    const char* email;
};
constexpr DemoUser kUsers[] = {
    {"DEMO", "1234", 0, 1, 1001, "KVDEMO-BAYI-0", "siparis@ozturkoto.com.tr"},
    {"TEMSILCI1", "1111", 1, 1, 1001, "KVDEMO-TEMSILCI-1", "mehmet.yildirim@kaveltrim.com.tr"},
    {"TEMSILCI2", "2222", 2, 1, 1003, "KVDEMO-TEMSILCI-2", "ayse.karaca@kaveltrim.com.tr"},
    {"SAHIN", "3333", 3, 1, 1002, "KVDEMO-BAYI-3", "satinalma@sahinotomotiv.com.tr"},
    {"ISIK", "4444", 4, 1, 1004, "KVDEMO-BAYI-4", "info@egeisik.com.tr"},
    {"PASIF", "5555", 0, 0, 1005, "KVDEMO-PASIF", "muhasebe@akdenizoto.com.tr"},
    {"BDM", "6666", 0, 1, 1007, "KVDEMO-BDM", "siparis@bdmithalat.com.tr"},
};

const char* const kFirmaKok[] = {"ANADOLU", "KARADENİZ", "MARMARA", "TOROS",  "ERCİYES",
                                 "ULUDAĞ",  "GÜNEY",     "YILDIZ",  "ÖZGÜR",  "ÇINAR",
                                 "DOĞUŞ",   "ŞİMŞEK",    "AYDIN",   "KARTAL", "ASLAN"};
const char* const kFirmaEk[] = {"OTO YEDEK PARÇA", "OTOMOTİV",     "OTO ELEKTRİK",
                                "FREN SİSTEMLERİ", "OTO AKSESUAR", "MOTOR PARÇA"};
const char* const kUnvan[] = {"LTD. ŞTİ.", "A.Ş.", "TİC.", "SAN. TİC. LTD. ŞTİ."};
struct City {
    const char* sehir;
    const char* ilce;
    const char* alan;
};
const City kCities[] = {{"ANKARA", "Yenimahalle", "0312"}, {"İSTANBUL", "Ümraniye", "0216"},
                        {"İZMİR", "Bornova", "0232"},      {"BURSA", "Osmangazi", "0224"},
                        {"KAYSERİ", "Melikgazi", "0352"},  {"SAMSUN", "Tekkeköy", "0362"},
                        {"ADANA", "Seyhan", "0322"},       {"ESKİŞEHİR", "Odunpazarı", "0222"},
                        {"TRABZON", "Ortahisar", "0462"},  {"DİYARBAKIR", "Bağlar", "0412"}};
const char* const kAd[] = {"Ahmet", "Mustafa", "Zeynep", "Emine",   "Oğuz",
                           "Şükrü", "Gökhan",  "Nur",    "İbrahim", "Çiğdem"};

}  // namespace

void fillDemoData(Database& db, std::uint64_t seed, int items) {
    std::mt19937_64 rng(seed);
    const auto pick = [&rng](auto& arr) -> decltype(arr[0]) {
        return arr[std::uniform_int_distribution<std::size_t>(0, std::size(arr) - 1)(rng)];
    };

    Transaction t(db);
    auto rep =
        db.prepare("INSERT INTO saticilar (saticino, adi, telefon, mail) VALUES (?1,?2,?3,?4)");
    for (const Rep& r : kReps) {
        rep.bind(1, r.no).bind(2, r.adi).bind(3, r.telefon).bind(4, r.mail).run();
        rep.reset();
    }

    auto acc = db.prepare(R"sql(
INSERT INTO cariler (carino, carikod, cariadi, adres1, adres2, ilce, sehir, tel1, fax1,
                     vergidairesi, vergino, email, yetkili, anagrup, iskonto, tlborc, tlalacak,
                     saticino)
VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, ?10, ?11, ?12, ?13, ?14, ?15, ?16, ?17, ?18))sql");
    const auto addAccount = [&](const Account& a, const std::string& email, double borc,
                                double alacak) {
        acc.bind(1, a.carino)
            .bind(2, a.carikod)
            .bind(3, a.cariadi)
            .bind(4, a.adres1)
            .bind(5, "")
            .bind(6, a.ilce)
            .bind(7, a.sehir)
            .bind(8, a.tel)
            .bind(9, "")
            .bind(10, a.vd)
            .bind(11, a.vn)
            .bind(12, email)
            .bind(13, a.yetkili)
            .bind(14, "BAYİ")
            .bind(15, a.iskonto)
            .bind(16, borc)
            .bind(17, alacak)
            .bind(18, a.satici)
            .run();
        acc.reset();
    };
    for (const Account& a : kAccounts)
        addAccount(a, "", 15250.40, 9800.15);

    // Further dealer accounts for the representatives' desk.
    std::vector<std::string> names;
    for (int i = 0; i < 40; ++i) {
        const City& c = pick(kCities);
        const std::string ad =
            std::string(pick(kFirmaKok)) + " " + pick(kFirmaEk) + " " + pick(kUnvan);
        const std::string kod =
            "120." + std::to_string(10 + i % 80) + "." + std::to_string(300 + i);
        const std::string adres = "Sanayi Sitesi " + std::to_string(1 + rng() % 40) +
                                  ". Blok No: " + std::to_string(1 + rng() % 90);
        const std::string tel = std::string(c.alan) + " " + std::to_string(200 + rng() % 700) +
                                " " + std::to_string(10 + rng() % 89) + " " +
                                std::to_string(10 + rng() % 89);
        const std::string yetkili = std::string(pick(kAd)) + " " + pick(kFirmaKok);
        const std::string vn = std::to_string(1000000000ull + rng() % 8999999999ull);
        names.push_back(ad);
        const Account a{2001 + i,
                        kod.c_str(),
                        names.back().c_str(),
                        adres.c_str(),
                        c.ilce,
                        c.sehir,
                        tel.c_str(),
                        c.ilce,
                        vn.c_str(),
                        yetkili.c_str(),
                        double(5 + rng() % 11),
                        int(1 + rng() % 2)};
        const double borc = double(rng() % 5000000) / 100.0;
        addAccount(a, "", borc, double(rng() % 5000000) / 100.0);
    }

    auto usr = db.prepare(
        "INSERT INTO kullanicilar (adi, sifre, musteritipi, aktif, email, carino) "
        "VALUES (?1, ?2, ?3, ?4, ?5, ?6)");
    auto ws = db.prepare(
        "INSERT INTO istasyonlar (kimlik, sirano, kayit_zamani) VALUES (?1, ?2, "
        "'2026-01-05T09:00:00')");
    for (const DemoUser& u : kUsers) {
        usr.bind(1, u.adi)
            .bind(2, u.sifre)
            .bind(3, u.tip)
            .bind(4, u.aktif)
            .bind(5, u.email)
            .bind(6, u.carino)
            .run();
        usr.reset();
        ws.bind(1, u.kimlik).bind(2, db.lastInsertId()).run();
        ws.reset();
    }

    db.prepare("INSERT INTO ayarlar (anahtar, deger) VALUES ('demo_tohum', ?1)")
        .bind(1, std::to_string(seed))
        .run();
    db.prepare("INSERT INTO ayarlar (anahtar, deger) VALUES ('demo_stok_adedi', ?1)")
        .bind(1, std::to_string(items))
        .run();
    // The day's rates as the distributor publishes them (set-rates changes them).
    db.prepare(
          "INSERT INTO ayarlar (anahtar, deger) VALUES ('kur_usd', '42.35'), ('kur_eur', '49.1')")
        .run();
    t.commit();
}

}  // namespace kv::server
