#include "StockStore.h"

#include "StockSearch.h"
#include "TableWriter.h"

namespace kv::server {

namespace {

// The item columns every stock list shares, with the account's prices; %FIYAT% is the
// expression of the FIYAT column, %NET% the net price in kuruş.
const char* const kItemSelect = R"sql(
  s.stokno, s.barkod, s.adi, s.oem1, s.oem2, s.oem3, s.oem4, s.oemno, s.ureticikodu,
  s.finishkod, s.digeradi, s.dpkod, s.pkod, s.birim, s.marka, s.model, s.anagrup, s.ozelkod,
  s.kdv, %FIYAT%,
  CASE WHEN s.kampanyali = 1 THEN 0 ELSE c.iskonto END,
  %NET% / 100.0,
  ((%NET% * (10000 + CAST(round(s.kdv * 100) AS INTEGER)) + 5000) / 10000) / 100.0,
  s.listefiyat,
  CASE WHEN s.kampanyali = 1 THEN s.kampfiyat ELSE 0 END,
  s.kampanyali, s.yeni, s.durum, s.resim, s.kalan, s.alinansiparis, s.verilensiparis,
  s.barkodno)sql";

const std::vector<TableColumn> kItemColumns = {
    {"STOK_STOKNO", "int32"},
    {"BARKOD", "text"},
    {"ADI", "text"},
    {"OEM1", "text"},
    {"OEM2", "text"},
    {"OEM3", "text"},
    {"OEM4", "text"},
    {"OEMNO", "text"},
    {"URETICIKODU", "text"},
    {"FINISHKOD", "text"},
    {"DIGERADI", "text"},
    {"DPKOD", "text"},
    {"PKOD", "text"},
    {"BIRIM", "text"},
    {"MARKA", "text"},
    {"MODEL", "text"},
    {"ANAGRUP", "text"},
    {"OZELKOD", "text"},
    {"KDV", "double"},
    {"FIYAT", "double"},
    {"INDIRIM", "double"},
    {"NETFIYAT", "double"},
    {"KDVDAHIL", "double"},
    {"LISTEFIYAT1", "double"},
    {"KAMPFIYAT", "double"},
    {"K", "int32"},
    {"Y", "int32"},
    {"DURUM", "int32"},
    {"RESIM", "int32"},
    {"KALAN", "double"},
    {"ALINANSIPARIS", "double"},
    {"VERILENSIPARIS", "double"},
    {"BARKOD_BARKODNO", "int32"},
};

// The net price in whole kuruş, computed in integers so that halves round up exactly: the
// campaign price, or the list price less the discount amount rounded to the kuruş (the way
// the basket and the stock item window compute a discounted price).
const char* const kNetKurus =
    "(CASE WHEN s.kampanyali = 1 THEN CAST(round(s.kampfiyat * 100) AS INTEGER) "
    "ELSE CAST(round(s.listefiyat * 100) AS INTEGER) - "
    "(CAST(round(s.listefiyat * 100) AS INTEGER) * CAST(round(c.iskonto * 100) AS INTEGER) "
    "+ 5000) / 10000 END)";

std::string itemSelect(const char* fiyat = "s.listefiyat") {
    std::string sql = kItemSelect;
    const auto put = [&sql](const std::string& mark, const std::string& text) {
        for (auto at = sql.find(mark); at != std::string::npos; at = sql.find(mark)) {
            sql.replace(at, mark.size(), text);
        }
    };
    put("%FIYAT%", fiyat);
    put("%NET%", kNetKurus);
    return sql;
}

std::string u8(const QString& s) {
    return s.toStdString();
}

// A phrase for the trigram index: the text in double quotes, inner quotes doubled.
QString phrase(const QString& s) {
    QString q = s;
    q.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + q + QLatin1Char('"');
}

}  // namespace

int writeStockSearch(Database& db, const QString& text, int carino, remote::JsonWriter& w) {
    const QString code = normalizeCode(text);
    QStringList words;
    for (const QString& word : foldedWords(text)) {
        // The index works on three letters at a time: a shorter word ("ON" of "ön") is looked
        // for as a whole word, between the blanks around it.
        words << phrase(word.size() >= 3 ? word : QLatin1Char(' ') + word + QLatin1Char(' '));
    }
    const bool byContains = code.size() >= 3;
    const bool byName = !words.isEmpty();

    // The statement's shape depends only on which kinds of match apply; values are bound.
    std::string sql =
        "WITH aday(stokno, sira) AS (\n"
        "  SELECT stokno, 0 FROM stok_kodlari WHERE kod = ?1\n"
        "  UNION ALL SELECT stokno, 1 FROM stok_kodlari\n"
        "    WHERE ?1 <> '' AND kod > ?1 AND kod < ?1 || '~'\n";
    if (byContains)
        sql += "  UNION ALL SELECT rowid, 2 FROM stok_ara WHERE stok_ara MATCH ?2\n";
    if (byName)
        sql += "  UNION ALL SELECT rowid, 3 FROM stok_ara WHERE stok_ara MATCH ?3\n";
    sql += ")\nSELECT";
    sql += itemSelect();
    sql +=
        "\nFROM (SELECT stokno, min(sira) AS sira FROM aday GROUP BY stokno) a\n"
        "JOIN stoklar s ON s.stokno = a.stokno\n"
        "JOIN cariler c ON c.carino = ?4\n"
        "ORDER BY a.sira, s.barkod\n"
        "LIMIT ?5";
    Statement st = db.prepare(sql);
    st.bind(1, u8(code));
    if (byContains)
        st.bind(2, u8(QStringLiteral("kodlar : ") + phrase(code)));
    if (byName)
        st.bind(3, u8(QStringLiteral("adlar : (") + words.join(QStringLiteral(" AND ")) +
                      QLatin1Char(')')));
    st.bind(4, carino);
    st.bind(5, kMaxSearchRows);
    return writeTable(w, st, kItemColumns);
}

int writeNewItems(Database& db, int carino, remote::JsonWriter& w) {
    Statement st = db.prepare("SELECT" + itemSelect() +
                              "\nFROM stoklar s JOIN cariler c ON c.carino = ?1\n"
                              "WHERE s.yeni = 1 ORDER BY s.kayit_tarihi DESC, s.stokno DESC");
    st.bind(1, carino);
    return writeTable(w, st, kItemColumns);
}

int writeCampaignItems(Database& db, int carino, remote::JsonWriter& w) {
    // In this list FIYAT is the campaign price, ESKIFIYAT the list price before the campaign
    // and MALIYET the cost price text.
    Statement st = db.prepare("SELECT" + itemSelect("s.kampfiyat") +
                              ", s.listefiyat, s.maliyet\n"
                              "FROM stoklar s JOIN cariler c ON c.carino = ?1\n"
                              "WHERE s.kampanyali = 1 ORDER BY s.anagrup, s.barkod");
    st.bind(1, carino);
    std::vector<TableColumn> cols = kItemColumns;
    cols.push_back({"ESKIFIYAT", "double"});
    cols.push_back({"MALIYET", "text"});
    return writeTable(w, st, cols);
}

StockIndexer::StockIndexer(Database& db)
    : code_(db.prepare("INSERT OR IGNORE INTO stok_kodlari (kod, stokno) VALUES (?1, ?2)")),
      text_(db.prepare("INSERT INTO stok_ara (rowid, kodlar, adlar) VALUES (?1, ?2, ?3)")) {}

void StockIndexer::add(qint64 stokno, const QStringList& codes, const QStringList& names) {
    QStringList normalized;
    for (const QString& c : codes) {
        const QString n = normalizeCode(c);
        if (n.isEmpty())
            continue;
        normalized << n;
        code_.bind(1, u8(n)).bind(2, std::int64_t(stokno)).run();
        code_.reset();
    }
    text_.bind(1, std::int64_t(stokno))
        .bind(2, u8(normalized.join(QLatin1Char(' '))))
        // Blanks at both ends, so that the first and the last word are whole words too.
        .bind(3, u8(QLatin1Char(' ') +
                    foldedWords(names.join(QLatin1Char(' '))).join(QLatin1Char(' ')) +
                    QLatin1Char(' ')))
        .run();
    text_.reset();
}

}  // namespace kv::server
