// Decoding a 100 000-row, 35-column stock table, as the server sends a large search result,
// into the in-memory table; next to it the same bytes through the JSON library's bare parse.
#include <rapidjson/reader.h>
#include <sys/mman.h>
#include <sys/resource.h>
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

// Best time of several runs of `parse` on a fresh copy of the text (copied outside the
// timing, since parsing in place changes it).
template <class F>
double bestSeconds(const std::string& json, int runs, F&& parse) {
    double best = 1e9;
    for (int i = 0; i < runs; ++i) {
        std::string copy = json;
        const auto t0 = std::chrono::steady_clock::now();
        parse(copy);
        const double s =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
        best = std::min(best, s);
    }
    return best;
}

// Time to fault in `bytes` of fresh memory, page by page: the floor of any first decode.
double faultInSeconds(std::size_t bytes) {
    void* p = mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (p == MAP_FAILED)
        return 0;
    const auto t0 = std::chrono::steady_clock::now();
    for (std::size_t i = 0; i < bytes; i += 4096)
        static_cast<volatile char*>(p)[i] = 1;
    const double s = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
    munmap(p, bytes);
    return s;
}

long minorFaults() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return u.ru_minflt;
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    constexpr int kRows = 100000;
    constexpr int kRuns = 7;
    const std::string json = makeTable(kRows);
    const double mb = double(json.size()) / 1e6;
    std::printf("stock table: %d rows x %zu columns, %zu JSON bytes (%.1f MB)\n", kRows,
                std::size(kCols), json.size(), mb);

    // First decode in the process: the table's memory is fresh and every page of it faults in
    // once, as after a search that needs more memory than earlier ones freed.
    kv::platform::MemTable fresh;
    {
        std::string copy = json;
        const long rssBefore = residentBytes();
        const long faultsBefore = minorFaults();
        const auto t0 = std::chrono::steady_clock::now();
        kv::remote::decodeTable(copy, fresh);
        const double s =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
        const long grown = residentBytes() - rssBefore;
        std::printf(
            "first decode, fresh memory:                 %6.0f MB/s (%.1f ms, %ld page "
            "faults)\n",
            mb / s, s * 1000, minorFaults() - faultsBefore);
        std::printf(
            "table memory: %.1f MB held (%.2f x the JSON), resident growth %.1f MB "
            "(%.2f x)\n",
            double(fresh.memoryBytes()) / 1e6, double(fresh.memoryBytes()) / double(json.size()),
            double(grown) / 1e6, double(grown) / double(json.size()));
        std::printf("  (faulting in that much fresh memory alone takes %.1f ms on this machine)\n",
                    faultInSeconds(fresh.memoryBytes()) * 1000);
    }

    const double bare = bestSeconds(json, kRuns, [](std::string& text) {
        rapidjson::InsituStringStream ss(text.data());
        rapidjson::BaseReaderHandler<> nothing;
        rapidjson::Reader reader;
        reader.Parse<rapidjson::kParseInsituFlag | rapidjson::kParseFullPrecisionFlag>(ss, nothing);
    });
    const double dom = bestSeconds(json, kRuns, [](std::string& text) {
        rapidjson::Document d;
        d.ParseInsitu<rapidjson::kParseFullPrecisionFlag>(text.data());
    });
    kv::platform::MemTable table;
    const double decode = bestSeconds(
        json, kRuns, [&table](std::string& text) { kv::remote::decodeTable(text, table); });
    // The same table inside a call answer, as the proxy reads it.
    const std::string reply = "{\"result\":" + json + ",\"out\":[]}";
    rapidjson::Document result, out;
    const double viaReply = bestSeconds(reply, kRuns, [&](std::string& text) {
        kv::remote::decodeReply(text, kv::remote::ValueType::Table, table, result, out);
    });

    std::printf("best of %d runs:\n", kRuns);
    std::printf("  RapidJSON SAX parse, null handler, in place: %6.0f MB/s (%.1f ms)\n", mb / bare,
                bare * 1000);
    std::printf("  RapidJSON document parse, in place:         %6.0f MB/s (%.1f ms)\n", mb / dom,
                dom * 1000);
    std::printf("  decode into the in-memory table:            %6.0f MB/s (%.1f ms)\n", mb / decode,
                decode * 1000);
    std::printf("  decode of the whole call answer:            %6.0f MB/s (%.1f ms)\n",
                mb / viaReply, viaReply * 1000);
    std::printf("rows %d, columns %d\n", fresh.rowCount(), fresh.columnCount());
    return 0;
}
