// Decoding a 100 000-row, 35-column stock table, as the server sends a large search result,
// into the in-memory table; next to it the same bytes through the JSON library's bare parse.
#include <rapidjson/reader.h>
#include <unistd.h>
#include <QCoreApplication>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <random>
#include <string>

#include "platform/MemTable.h"
#include "remote/TableJson.h"

namespace {

struct Col {
    const char* name;
    const char* type;
};
// The stock list's fields, in the server's order.
const Col kCols[] = {
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
    {"GUNCELLEME", "datetime"},
    {"ACIKLAMA", "text"},
};
static_assert(std::size(kCols) == 35);

const char* const kNames[] = {"Fren balatası ön",        "Debriyaj seti",       "Yağ filtresi",
                              "Amortisör arka sağ",      "Triger kayışı",       "Buji iridyum",
                              "Radyatör hortumu",        "Şanzıman yağ keçesi", "Far ampulü H7",
                              "Silecek süpürgesi 600 mm"};
const char* const kBrands[] = {"BOSCH", "VALEO", "MANN", "SACHS", "FEBİ", "NGK", "GATES", "TRW"};
const char* const kModels[] = {"FIAT DOBLO",   "RENAULT CLIO IV", "FORD TRANSIT",
                               "VW PASSAT B8", "TOYOTA COROLLA",  "HYUNDAI I20"};

std::string makeTable(int rows) {
    std::mt19937 rng(42);
    rapidjson::StringBuffer sb;
    kv::remote::JsonWriter w(sb);
    w.StartObject();
    w.Key("columns");
    w.StartArray();
    for (const Col& c : kCols) {
        w.StartObject();
        w.Key("name");
        w.String(c.name);
        w.Key("type");
        w.String(c.type);
        w.EndObject();
    }
    w.EndArray();
    w.Key("rows");
    w.StartArray();
    char buf[64];
    for (int r = 0; r < rows; ++r) {
        w.StartArray();
        const double fiyat = double(rng() % 500000) / 100.0 + 1.0;
        const double ind = double(rng() % 4) * 5.0;
        for (const Col& c : kCols) {
            const std::string_view n = c.name;
            if (n == "STOK_STOKNO" || n == "BARKOD_BARKODNO") {
                w.Int(100000 + r);
            } else if (n == "ADI") {
                w.String(kNames[rng() % std::size(kNames)]);
            } else if (n == "MARKA") {
                w.String(kBrands[rng() % std::size(kBrands)]);
            } else if (n == "MODEL") {
                w.String(kModels[rng() % std::size(kModels)]);
            } else if (n == "BIRIM") {
                w.String("ADET");
            } else if (n == "DPKOD" || n == "PKOD" || n == "OZELKOD" || n == "DIGERADI") {
                if (rng() % 3 == 0) {
                    w.Null();
                } else {
                    std::snprintf(buf, sizeof buf, "K%05u", unsigned(rng() % 99999));
                    w.String(buf);
                }
            } else if (c.type == std::string_view("text")) {
                std::snprintf(buf, sizeof buf, "%02u-%04u-%03u", unsigned(rng() % 99),
                              unsigned(rng() % 9999), unsigned(rng() % 999));
                w.String(buf);
            } else if (n == "KDV") {
                w.Double(20.0);
            } else if (n == "FIYAT" || n == "LISTEFIYAT1") {
                w.Double(fiyat);
            } else if (n == "INDIRIM") {
                w.Double(ind);
            } else if (n == "NETFIYAT") {
                w.Double(double(std::llround(fiyat * (100 - ind))) / 100.0);
            } else if (n == "KDVDAHIL") {
                w.Double(double(std::llround(fiyat * (100 - ind) * 1.2)) / 100.0);
            } else if (n == "KAMPFIYAT") {
                w.Double(rng() % 10 == 0 ? double(std::llround(fiyat * 85)) / 100.0 : 0.0);
            } else if (n == "GUNCELLEME") {
                w.Double(46000.0 + double(rng() % 365) + double(rng() % 1440) / 1440.0);
            } else if (c.type == std::string_view("double")) {
                w.Double(double(rng() % 200));
            } else {
                w.Int(int(rng() % 6));
            }
        }
        w.EndArray();
    }
    w.EndArray();
    w.EndObject();
    return std::string(sb.GetString(), sb.GetSize());
}

long residentBytes() {
    std::ifstream f("/proc/self/statm");
    long size = 0, resident = 0;
    f >> size >> resident;
    return resident * sysconf(_SC_PAGESIZE);
}

template <class F>
double bestSeconds(int runs, F&& f) {
    double best = 1e9;
    for (int i = 0; i < runs; ++i) {
        const auto t0 = std::chrono::steady_clock::now();
        f();
        const double s =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
        best = std::min(best, s);
    }
    return best;
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const std::string json = makeTable(100000);
    const double mb = double(json.size()) / 1e6;
    std::printf("stock table: 100000 rows x 35 columns, %zu JSON bytes (%.1f MB)\n", json.size(),
                mb);

    const double bare = bestSeconds(5, [&] {
        std::string copy = json;
        rapidjson::InsituStringStream ss(copy.data());
        rapidjson::BaseReaderHandler<> h;
        rapidjson::Reader reader;
        reader.Parse<rapidjson::kParseInsituFlag | rapidjson::kParseFullPrecisionFlag>(ss, h);
    });
    std::printf("bare JSON parse (RapidJSON SAX, in situ): %.0f MB/s\n", mb / bare);

    // The copy of the text is part of a real call too (the body is parsed in place).
    kv::platform::MemTable table;
    const double decode = bestSeconds(5, [&] {
        std::string copy = json;
        kv::remote::decodeTable(copy, table);
    });
    std::printf("decode into the in-memory table:         %.0f MB/s (%.1f ms)\n", mb / decode,
                decode * 1000);

    kv::platform::MemTable fresh;
    const long before = residentBytes();
    {
        std::string copy = json;
        kv::remote::decodeTable(copy, fresh);
    }
    const long after = residentBytes();
    std::printf("table memory: %.1f MB held (%.2f x JSON), resident growth %.1f MB\n",
                double(fresh.memoryBytes()) / 1e6,
                double(fresh.memoryBytes()) / double(json.size()), double(after - before) / 1e6);
    std::printf("rows %d, columns %d\n", fresh.rowCount(), fresh.columnCount());
    return 0;
}
