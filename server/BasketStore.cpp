#include "BasketStore.h"

#include <QDateTime>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <utility>

#include "TableWriter.h"

namespace kv::server {

namespace {

constexpr const char* kOrderReceived = "Alındı";

std::string u8(const QString& s) {
    return s.toStdString();
}
QString q(std::string_view s) {
    return QString::fromUtf8(s.data(), qsizetype(s.size()));
}
// Local time as stored: "YYYY-MM-DDTHH:MM:SS", which SQLite's date functions read.
std::string now() {
    return u8(QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss")));
}

// amount x rate / 10000, halves up (amount and rate are not negative).
std::int64_t share(std::int64_t amount, int onbinde) {
    return std::int64_t((__int128(amount) * onbinde + 5000) / 10000);
}

bool within(double v, double lo, double hi) {
    return std::isfinite(v) && v >= lo && v <= hi;
}

bool valuesValid(const BasketLineInput& l) {
    return within(l.miktar, 0, kMaxQuantity) && l.miktar > 0 && within(l.fiyat, 0, kMaxUnitPrice) &&
           within(l.indirim, 0, 100) && within(l.kdv, 0, 100);
}

std::int64_t kurus(double tl) {
    return std::llround(tl * 100);
}
int onbinde(double percent) {
    return int(std::lround(percent * 100));
}

bool exists(Database& db, const char* sql, int a) {
    auto st = db.prepare(sql);
    st.bind(1, a);
    return st.step();
}
bool exists(Database& db, const char* sql, int a, int b) {
    auto st = db.prepare(sql);
    st.bind(1, a).bind(2, b);
    return st.step();
}

// Crash tests stop an order at a chosen point: KAVELTRIM_TEST_ORDER_PAUSE set to
// "before-commit:FILE" or "after-commit:FILE" makes placeOrder create FILE at that point
// and wait while FILE exists (two minutes at most). Unset, as it is outside tests, nothing
// happens.
void pauseForTest(std::string_view phase) {
    static const std::pair<std::string, std::string> config =
        []() -> std::pair<std::string, std::string> {
        const char* v = std::getenv("KAVELTRIM_TEST_ORDER_PAUSE");
        if (!v)
            return {};
        const std::string s(v);
        const auto colon = s.find(':');
        if (colon == std::string::npos)
            return {};
        return {s.substr(0, colon), s.substr(colon + 1)};
    }();
    if (config.second.empty() || config.first != phase)
        return;
    std::ofstream(config.second) << phase << '\n';
    const auto until = std::chrono::steady_clock::now() + std::chrono::minutes(2);
    while (std::filesystem::exists(config.second) && std::chrono::steady_clock::now() < until)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
}

// A basket line with its item and account, in the columns of kLineColumns.
const char* const kLineSelect = R"sql(
SELECT l.sirano, NULL, NULL, l.carino, c.carikod, c.cariadi,
       julianday(date(l.zaman)) - 2415018.5, time(l.zaman), julianday(l.zaman) - 2415018.5,
       0, l.sec, l.stokno, l.stokno, l.barkod, l.stokadi,
       s.finishkod, s.oemno, s.oem1, s.oem2, s.oem3, s.oem4, s.digeradi, s.dpkod, s.pkod,
       s.ureticikodu, s.marka, s.model, s.anagrup, s.ozelkod,
       l.miktar, l.birimfiyat_kr / 100.0, l.indirim1_onbinde / 100.0,
       l.indirim2_onbinde / 100.0, l.indirim3_onbinde / 100.0, l.netbirimfiyat_kr / 100.0,
       l.kdv_onbinde / 100.0, l.tutar_kr / 100.0, l.indirimtutar_kr / 100.0,
       l.nettutar_kr / 100.0, l.vergitutari_kr / 100.0,
       (l.nettutar_kr + l.vergitutari_kr) / 100.0,
       'TL', 1.0, l.aciklama, coalesce(k.adi, ''), l.verenid, l.verensatici, NULL, NULL,
       s.durum, s.kalan, l.kampanya, s.resim
FROM sepet l
JOIN stoklar s ON s.stokno = l.stokno
JOIN cariler c ON c.carino = l.carino
LEFT JOIN kullanicilar k ON k.sirano = l.verenid
WHERE l.carino = ?1
ORDER BY l.sirano)sql";

const std::vector<TableColumn> kLineColumns = {
    {"SIRANO", "int32"},
    {"SIPARISNO", "int32"},
    {"IDNO", "int32"},
    {"CARINO", "int32"},
    {"CARIKOD", "text"},
    {"CARIADI", "text"},
    {"TARIH", "datetime"},
    {"SAAT", "text"},
    {"VERILISTARIHI", "datetime"},
    {"AKTAR", "int32"},
    {"SEC", "int32"},
    {"STOKNO", "int32"},
    {"STOK_STOKNO", "int32"},
    {"BARKOD", "text"},
    {"STOKADI", "text"},
    {"FINISHKOD", "text"},
    {"OEMNO", "text"},
    {"OEM1", "text"},
    {"OEM2", "text"},
    {"OEM3", "text"},
    {"OEM4", "text"},
    {"DIGERADI", "text"},
    {"DPKOD", "text"},
    {"PKOD", "text"},
    {"URETICIKODU", "text"},
    {"MARKA", "text"},
    {"MODEL", "text"},
    {"ANAGRUP", "text"},
    {"OZELKOD", "text"},
    {"MIKTAR", "double"},
    {"BIRIMFIYAT", "double"},
    {"INDIRIMORANI1", "double"},
    {"INDIRIMORANI2", "double"},
    {"INDIRIMORANI3", "double"},
    {"NETBIRIMFIYAT", "double"},
    {"KDV", "double"},
    {"TUTAR", "double"},
    {"INDIRIMTUTAR", "double"},
    {"NETTUTAR", "double"},
    {"VERGITUTARI", "double"},
    {"KDVLITUTAR", "double"},
    {"KUR", "text"},
    {"KURTL", "double"},
    {"ACIKLAMA", "text"},
    {"VEREN", "text"},
    {"VERENIDNO", "int32"},
    {"VERENSIRANO", "int32"},
    {"TESLIMID", "int32"},
    {"KARGOID", "int32"},
    {"DURUM", "int32"},
    {"KALAN", "double"},
    {"K", "int32"},
    {"RESIM", "int32"},
};

int writeIdNameTable(Database& db, const char* table, remote::JsonWriter& w) {
    Statement st = db.prepare(std::string("SELECT id, adi FROM ") + table + " ORDER BY sira, id");
    return writeTable(w, st, {{"ID", "int32"}, {"ADI", "text"}});
}

}  // namespace

LineAmounts lineAmounts(double miktar, std::int64_t fiyatKr, int indirimOnbinde, int kdvOnbinde) {
    LineAmounts a;
    a.tutar = std::llround(miktar * double(fiyatKr));
    a.indirimTutar = share(a.tutar, indirimOnbinde);
    a.netBirimFiyat = fiyatKr - share(fiyatKr, indirimOnbinde);
    a.netTutar = a.tutar - a.indirimTutar;
    a.vergiTutari = share(a.netTutar, kdvOnbinde);
    return a;
}

int writeBasket(Database& db, int carino, remote::JsonWriter& w) {
    Statement st = db.prepare(kLineSelect);
    st.bind(1, carino);
    return writeTable(w, st, kLineColumns);
}

int addBasketLine(Database& db, const BasketLineInput& l) {
    if (!valuesValid(l))
        return kLineInvalid;
    Transaction t(db);
    if (!exists(db, "SELECT 1 FROM cariler WHERE carino = ?1", l.carino))
        return kLineNotFound;
    std::string barkod, adi;
    {
        // The item's codes come from the catalogue, so a line always names its own item.
        auto item = db.prepare("SELECT barkod, adi FROM stoklar WHERE stokno = ?1");
        item.bind(1, l.stokno);
        if (!item.step())
            return kLineNotFound;
        barkod = item.getText(0);
        adi = item.getText(1);
    }
    const std::int64_t fiyat = kurus(l.fiyat);
    const int indirim = onbinde(l.indirim), kdv = onbinde(l.kdv);
    const LineAmounts a = lineAmounts(l.miktar, fiyat, indirim, kdv);
    db.prepare(R"sql(
INSERT INTO sepet (carino, stokno, barkod, stokadi, miktar, birimfiyat_kr, indirim1_onbinde,
                   kdv_onbinde, tutar_kr, indirimtutar_kr, netbirimfiyat_kr, nettutar_kr,
                   vergitutari_kr, kampanya, sec, verenid, verensatici, zaman)
VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, ?10, ?11, ?12, ?13, ?14, 1, ?15, ?16, ?17))sql")
        .bind(1, l.carino)
        .bind(2, l.stokno)
        .bind(3, barkod)
        .bind(4, adi)
        .bind(5, l.miktar)
        .bind(6, fiyat)
        .bind(7, indirim)
        .bind(8, kdv)
        .bind(9, a.tutar)
        .bind(10, a.indirimTutar)
        .bind(11, a.netBirimFiyat)
        .bind(12, a.netTutar)
        .bind(13, a.vergiTutari)
        .bind(14, l.kampanya > 0 ? 1 : 0)
        .bind(15, l.verenid)
        .bind(16, l.verenSatici)
        .bind(17, now())
        .run();
    t.commit();
    return kLineStored;
}

int updateBasketLine(Database& db, int sirano, const BasketLineInput& l) {
    if (!valuesValid(l))
        return kLineInvalid;
    Transaction t(db);
    int kdv = 0;
    {
        auto line = db.prepare("SELECT kdv_onbinde FROM sepet WHERE sirano = ?1 AND carino = ?2");
        line.bind(1, sirano).bind(2, l.carino);
        if (!line.step())
            return kLineNotFound;
        kdv = int(line.getInt(0));
    }
    const std::int64_t fiyat = kurus(l.fiyat);
    const int indirim = onbinde(l.indirim);
    const LineAmounts a = lineAmounts(l.miktar, fiyat, indirim, kdv);
    db.prepare(R"sql(
UPDATE sepet SET miktar = ?1, birimfiyat_kr = ?2, indirim1_onbinde = ?3, tutar_kr = ?4,
                 indirimtutar_kr = ?5, netbirimfiyat_kr = ?6, nettutar_kr = ?7,
                 vergitutari_kr = ?8
WHERE sirano = ?9 AND carino = ?10)sql")
        .bind(1, l.miktar)
        .bind(2, fiyat)
        .bind(3, indirim)
        .bind(4, a.tutar)
        .bind(5, a.indirimTutar)
        .bind(6, a.netBirimFiyat)
        .bind(7, a.netTutar)
        .bind(8, a.vergiTutari)
        .bind(9, sirano)
        .bind(10, l.carino)
        .run();
    t.commit();
    return kLineStored;
}

int deleteBasketLine(Database& db, int carino, int sirano, const QString& aciklama, int silen) {
    Transaction t(db);
    db.prepare(R"sql(
INSERT INTO sepet_silinenler (carino, sepetsirano, stokno, miktar, aciklama, silen, zaman)
SELECT carino, sirano, stokno, miktar, ?3, ?4, ?5 FROM sepet WHERE sirano = ?1 AND carino = ?2)sql")
        .bind(1, sirano)
        .bind(2, carino)
        .bind(3, u8(aciklama))
        .bind(4, silen)
        .bind(5, now())
        .run();
    db.prepare("DELETE FROM sepet WHERE sirano = ?1 AND carino = ?2")
        .bind(1, sirano)
        .bind(2, carino)
        .run();
    const int deleted = db.changes();
    t.commit();
    return deleted;
}

int deleteBasket(Database& db, int carino, int silen) {
    Transaction t(db);
    db.prepare(R"sql(
INSERT INTO sepet_silinenler (carino, sepetsirano, stokno, miktar, aciklama, silen, zaman)
SELECT carino, sirano, stokno, miktar, barkod || '-' || stokadi, ?2, ?3
FROM sepet WHERE carino = ?1 ORDER BY sirano)sql")
        .bind(1, carino)
        .bind(2, silen)
        .bind(3, now())
        .run();
    db.prepare("DELETE FROM sepet WHERE carino = ?1").bind(1, carino).run();
    const int deleted = db.changes();
    t.commit();
    return deleted;
}

bool setBasketSelection(Database& db, int sirano, bool secili) {
    Transaction t(db);
    db.prepare("UPDATE sepet SET sec = ?1 WHERE sirano = ?2")
        .bind(1, secili ? 1 : 0)
        .bind(2, sirano)
        .run();
    const bool found = db.changes() > 0;
    t.commit();
    return found;
}

int writeDeliveryModes(Database& db, remote::JsonWriter& w) {
    return writeIdNameTable(db, "teslim_turleri", w);
}

int writeCargoTypes(Database& db, remote::JsonWriter& w) {
    return writeIdNameTable(db, "kargo_turleri", w);
}

int writeCargoCompanies(Database& db, int kargoTurId, remote::JsonWriter& w) {
    Statement st = db.prepare(
        "SELECT adi, sirano, uyari, tur FROM kargo_firmalari WHERE tur = ?1 "
        "ORDER BY sira, sirano");
    st.bind(1, kargoTurId);
    return writeTable(w, st,
                      {{"ADI", "text"}, {"SIRANO", "int32"}, {"UYARI", "text"}, {"TUR", "int32"}});
}

std::int64_t placeOrder(Database& db, const OrderInput& o) {
    // BEGIN IMMEDIATE: the write lock is taken before anything is read, so two orders of one
    // account (or an order and a basket change) follow one another and never interleave.
    Transaction t(db);
    if (!exists(db, "SELECT 1 FROM cariler WHERE carino = ?1", o.carino) ||
        !exists(db, "SELECT 1 FROM teslim_turleri WHERE id = ?1", o.teslimId) ||
        !exists(db, "SELECT 1 FROM kargo_turleri WHERE id = ?1", o.kargoTurId) ||
        !exists(db, "SELECT 1 FROM kargo_firmalari WHERE sirano = ?1 AND tur = ?2", o.kargoFirmaId,
                o.kargoTurId)) {
        return 0;
    }
    int selected = 0;
    {
        auto st = db.prepare("SELECT count(*) FROM sepet WHERE carino = ?1 AND sec = 1");
        st.bind(1, o.carino);
        st.step();
        selected = int(st.getInt(0));
    }
    if (selected == 0)
        return 0;

    const std::string zaman = now();
    db.prepare(R"sql(
INSERT INTO siparisler (carino, verenid, teslimid, kargoturid, kargofirmaid, aciklama, durum,
                        zaman)
VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8))sql")
        .bind(1, o.carino)
        .bind(2, o.verenid)
        .bind(3, o.teslimId)
        .bind(4, o.kargoTurId)
        .bind(5, o.kargoFirmaId)
        .bind(6, u8(o.aciklama))
        .bind(7, kOrderReceived)
        .bind(8, zaman)
        .run();
    const std::int64_t siparisno = db.lastInsertId();
    db.prepare("INSERT INTO siparis_durumlari (siparisno, durum, zaman) VALUES (?1, ?2, ?3)")
        .bind(1, siparisno)
        .bind(2, kOrderReceived)
        .bind(3, zaman)
        .run();
    db.prepare(R"sql(
INSERT INTO siparis_satirlari
  (sirano, siparisno, stokno, barkod, stokadi, miktar, bakiye, birimfiyat_kr,
   indirim1_onbinde, indirim2_onbinde, indirim3_onbinde, kdv_onbinde, tutar_kr,
   indirimtutar_kr, netbirimfiyat_kr, nettutar_kr, vergitutari_kr, kampanya, verenid,
   verensatici, aciklama, zaman)
SELECT sirano, ?1, stokno, barkod, stokadi, miktar, miktar, birimfiyat_kr,
       indirim1_onbinde, indirim2_onbinde, indirim3_onbinde, kdv_onbinde, tutar_kr,
       indirimtutar_kr, netbirimfiyat_kr, nettutar_kr, vergitutari_kr, kampanya, verenid,
       verensatici, aciklama, zaman
FROM sepet WHERE carino = ?2 AND sec = 1 ORDER BY sirano)sql")
        .bind(1, siparisno)
        .bind(2, o.carino)
        .run();
    const int moved = db.changes();
    db.prepare("DELETE FROM sepet WHERE carino = ?1 AND sec = 1").bind(1, o.carino).run();
    if (moved != selected || db.changes() != selected)
        throw DbError("Sipariş satırları sepetle uyuşmuyor; sipariş kaydedilmedi");

    pauseForTest("before-commit");
    t.commit();
    pauseForTest("after-commit");
    return siparisno;
}

std::vector<OrderSummary> listOrders(Database& db) {
    std::vector<OrderSummary> out;
    auto head = db.prepare(R"sql(
SELECT o.sirano, o.zaman, o.carino, o.durum, t.adi, kt.adi, kf.adi, o.verenid, o.aciklama
FROM siparisler o
JOIN teslim_turleri t ON t.id = o.teslimid
JOIN kargo_turleri kt ON kt.id = o.kargoturid
JOIN kargo_firmalari kf ON kf.sirano = o.kargofirmaid
ORDER BY o.sirano)sql");
    while (head.step()) {
        OrderSummary s;
        s.sirano = head.getInt(0);
        s.zaman = q(head.getText(1));
        s.carino = int(head.getInt(2));
        s.durum = q(head.getText(3));
        s.teslim = q(head.getText(4));
        s.kargoTuru = q(head.getText(5));
        s.kargoFirma = q(head.getText(6));
        s.verenid = int(head.getInt(7));
        s.aciklama = q(head.getText(8));
        out.push_back(std::move(s));
    }
    auto lines = db.prepare(
        "SELECT sirano, barkod, stokadi, miktar, birimfiyat_kr, indirim1_onbinde, nettutar_kr "
        "FROM siparis_satirlari WHERE siparisno = ?1 ORDER BY sirano");
    for (OrderSummary& s : out) {
        lines.bind(1, s.sirano);
        while (lines.step()) {
            s.satirlar.push_back({lines.getInt(0), q(lines.getText(1)), q(lines.getText(2)),
                                  lines.getDouble(3), lines.getInt(4), int(lines.getInt(5)),
                                  lines.getInt(6)});
        }
        lines.reset();
    }
    return out;
}

}  // namespace kv::server
