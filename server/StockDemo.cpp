// The demo stock catalogue: parts of the usual groups for the cars on Turkish roads, with the
// distributor's codes, OEM and manufacturer numbers written the way each maker writes them.
#include <QString>
#include <QStringList>
#include <random>

#include "DemoData.h"
#include "Sqlite.h"
#include "StockStore.h"

namespace kv::server {

namespace {

struct Group {
    const char* name;
    const char* prefix;
    std::vector<const char*> items;
    double minPrice, maxPrice;
};

const std::vector<Group> kGroups = {
    {"FREN SİSTEMİ",
     "FR",
     {"Fren balatası ön", "Fren balatası arka", "Fren diski ön havalı", "Fren diski arka",
      "Fren kaliperi ön sol", "ABS sensörü ön sağ", "El freni teli", "Fren hortumu ön"},
     120,
     3400},
    {"MOTOR",
     "MT",
     {"Triger seti", "Triger kayışı", "Silindir kapak contası", "Yağ pompası",
      "Piston segman takımı", "Devirdaim pompası", "Krank keçesi ön", "Motor takozu sağ"},
     90,
     9800},
    {"FİLTRE",
     "FL",
     {"Yağ filtresi", "Hava filtresi", "Polen filtresi karbonlu", "Yakıt filtresi mazot",
      "Şanzıman yağ filtresi"},
     35,
     950},
    {"SÜSPANSİYON",
     "SP",
     {"Amortisör ön sağ", "Amortisör arka", "Salıncak alt sol", "Rotil", "Z rot ön",
      "Helezon yay ön", "Rot başı sağ", "Aks körüğü"},
     80,
     4200},
    {"ELEKTRİK",
     "EL",
     {"Alternatör 90A", "Marş motoru", "Buji iridyum", "Ateşleme bobini", "Şarj kayışı",
      "Cam krikosu motoru sol", "Park sensörü"},
     45,
     7600},
    {"ŞANZIMAN",
     "SN",
     {"Debriyaj seti", "Debriyaj rulmanı", "Vites halatı", "Şanzıman yağ keçesi", "Volant dişlisi"},
     150,
     8900},
    {"SOĞUTMA",
     "SG",
     {"Radyatör", "Termostat", "Fan motoru", "Radyatör hortumu üst", "Klima kompresörü",
      "Genleşme kabı"},
     60,
     9500},
    {"AYDINLATMA",
     "AY",
     {"Far sol", "Stop lambası sağ", "Sis farı", "Ampul H7 12V 55W", "Sinyal lambası ön"},
     25,
     5200},
    {"KAPORTA",
     "KP",
     {"Ön tampon", "Yan ayna sağ", "Kaput menteşesi", "Çamurluk sol", "Kapı kolu dış"},
     70,
     4800},
};

const char* const kBrands[] = {"BOSCH", "VALEO", "SACHS", "MANN-FILTER", "FEBİ BİLSTEİN",
                               "TRW",   "GATES", "NGK",   "LEMFÖRDER",   "MAHLE",
                               "SKF",   "LUK",   "HELLA", "DELPHI",      "DENSO"};

struct Car {
    const char* model;
    int oemStyle;  // how the car maker writes its part numbers
};
const Car kCars[] = {
    {"FIAT DOBLO 1.3 MJT", 0},      {"FIAT EGEA 1.4 FIRE", 0},  {"TOFAŞ ŞAHİN 1.6", 0},
    {"RENAULT CLIO IV 1.5 DCI", 1}, {"RENAULT MEGANE III", 1},  {"DACIA DUSTER 1.5 DCI", 1},
    {"VW PASSAT B8 2.0 TDI", 2},    {"VW GOLF VII 1.6 TDI", 2}, {"SKODA OCTAVIA III", 2},
    {"FORD TRANSIT CONNECT", 3},    {"FORD FOCUS III 1.6", 3},  {"TOYOTA COROLLA 1.6", 4},
    {"HYUNDAI I20 1.4", 4},         {"OPEL ASTRA J 1.6", 5},    {"PEUGEOT 301 1.6 HDI", 5},
};

class Rng {
  public:
    explicit Rng(std::uint64_t seed) : g_(seed) {}
    int in(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(g_); }
    bool chance(int percent) { return in(1, 100) <= percent; }
    QString digits(int n) {
        QString s;
        for (int i = 0; i < n; ++i)
            s += QChar(u'0' + in(0, 9));
        return s;
    }
    QChar letter() { return QChar(u'A' + in(0, 25)); }

  private:
    std::mt19937_64 g_;
};

QString oemNumber(Rng& r, int style) {
    switch (style) {
        case 0:
            return QStringLiteral("%1 %2 %3").arg(r.digits(2), r.digits(3), r.digits(3));
        case 1:
            return QStringLiteral("%1 %2 %3").arg(r.digits(4), r.digits(3), r.digits(3));
        case 2:
            return QStringLiteral("%1%2%3 %4 %5 %6")
                .arg(r.digits(1), r.letter(), r.digits(1), r.digits(3), r.digits(3), r.letter());
        case 3:
            return QStringLiteral("%1-%2").arg(r.digits(7), r.letter());
        case 4:
            return QStringLiteral("%1-%2").arg(r.digits(5), r.digits(5));
        default:
            return QStringLiteral("%1.%2.%3").arg(r.digits(2), r.digits(2), r.digits(3));
    }
}

double money(double v) {
    return double(std::llround(v * 100)) / 100;
}

}  // namespace

void fillDemoStock(Database& db, std::uint64_t seed, int items) {
    Rng r(seed ^ 0x5EEDu);
    Transaction t(db);
    Statement ins = db.prepare(R"sql(
INSERT INTO stoklar (stokno, barkod, barkodno, adi, digeradi, oem1, oem2, oem3, oem4, oemno,
  ureticikodu, finishkod, dpkod, pkod, birim, marka, model, anagrup, altgrup, ozelkod, kdv,
  listefiyat, kampanyali, kampfiyat, maliyet, yeni, kalan, alinansiparis, verilensiparis, durum,
  resim, kayit_tarihi)
VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, ?10, ?11, ?12, ?13, ?14, ?15, ?16, ?17, ?18, ?19, ?20,
  ?21, ?22, ?23, ?24, ?25, ?26, ?27, ?28, ?29, ?30, ?31, ?32))sql");
    StockIndexer index(db);
    for (int i = 0; i < items; ++i) {
        const qint64 stokno = 100001 + i;
        const Group& g = kGroups[std::size_t(r.in(0, int(kGroups.size()) - 1))];
        const Car& car = kCars[r.in(0, int(std::size(kCars)) - 1)];
        const QString brand = QString::fromUtf8(kBrands[r.in(0, int(std::size(kBrands)) - 1)]);
        const QString item =
            QString::fromUtf8(g.items[std::size_t(r.in(0, int(g.items.size()) - 1))]);
        const QString adi = item + QLatin1Char(' ') + QString::fromUtf8(car.model);
        const QString barkod = QStringLiteral("%1-%2")
                                   .arg(QLatin1String(g.prefix))
                                   .arg(10000 + i, 6, 10, QLatin1Char('0'));
        QString oem[4];
        const int oemCount = r.in(1, 4);
        for (int k = 0; k < oemCount; ++k)
            oem[k] = oemNumber(r, car.oemStyle);
        const QString uretici =
            QStringLiteral("%1 %2 %3 %4").arg(r.digits(1), r.digits(3), r.digits(3), r.digits(3));
        const QString finish = QStringLiteral("%1 %2").arg(r.digits(3), r.digits(4));
        const QString diger = r.chance(30) ? brand + QLatin1Char(' ') + item : QString();
        const double price =
            money(g.minPrice + (g.maxPrice - g.minPrice) * std::pow(r.in(0, 1000) / 1000.0, 2));
        const bool campaign = r.chance(5);
        const double campaignPrice = campaign ? money(price * (100 - r.in(8, 30)) / 100.0) : 0.0;
        QString maliyet;
        if (campaign) {
            const int kind = r.in(0, 2);
            const double cost = price * 0.6;
            maliyet = kind == 0   ? QStringLiteral("%1 TL").arg(cost, 0, 'f', 2)
                      : kind == 1 ? QStringLiteral("%1 $").arg(cost / 32.5, 0, 'f', 2)
                                  : QStringLiteral("%1 €").arg(cost / 35.2, 0, 'f', 2);
        }
        const bool isNew = r.chance(3);
        const int durumRoll = r.in(1, 100);
        const int durum = durumRoll <= 70   ? 1
                          : durumRoll <= 80 ? 0
                          : durumRoll <= 86 ? 3
                          : durumRoll <= 91 ? 5
                          : durumRoll <= 96 ? 2
                                            : 4;
        const double kalan = durum == 1 ? r.in(1, 240) : 0;
        const QString date = isNew ? QStringLiteral("2026-%1-%2")
                                         .arg(r.in(10, 12))
                                         .arg(r.in(1, 28), 2, 10, QLatin1Char('0'))
                                   : QStringLiteral("20%1-%2-%3")
                                         .arg(r.in(18, 25))
                                         .arg(r.in(1, 12), 2, 10, QLatin1Char('0'))
                                         .arg(r.in(1, 28), 2, 10, QLatin1Char('0'));

        const auto opt = [](const QString& s) { return s.toStdString(); };
        ins.bind(1, std::int64_t(stokno)).bind(2, opt(barkod)).bind(3, std::int64_t(stokno));
        ins.bind(4, opt(adi));
        diger.isEmpty() ? ins.bindNull(5) : ins.bind(5, opt(diger));
        for (int k = 0; k < 4; ++k)
            oem[k].isEmpty() ? ins.bindNull(6 + k) : ins.bind(6 + k, opt(oem[k]));
        ins.bind(10, opt(oem[0]));
        ins.bind(11, opt(uretici)).bind(12, opt(finish));
        ins.bind(13, opt(QStringLiteral("DP%1").arg(r.digits(4))))
            .bind(14, opt(QStringLiteral("P%1").arg(r.digits(3))));
        ins.bind(15, item.startsWith(QStringLiteral("Ampul")) ? "KUTU" : "ADET");
        ins.bind(16, opt(brand))
            .bind(17, car.model)
            .bind(18, g.name)
            .bind(19, opt(item.section(QLatin1Char(' '), 0, 1)));
        ins.bind(20, opt(QStringLiteral("Ö%1").arg(r.in(1, 9))));
        ins.bind(21, 20.0).bind(22, price).bind(23, campaign ? 1 : 0).bind(24, campaignPrice);
        ins.bind(25, opt(maliyet)).bind(26, isNew ? 1 : 0).bind(27, kalan);
        ins.bind(28, double(r.chance(15) ? r.in(1, 40) : 0))
            .bind(29, double(r.chance(20) ? r.in(5, 200) : 0));
        ins.bind(30, durum).bind(31, r.chance(20) ? 1 : 0).bind(32, opt(date));
        ins.run();
        ins.reset();

        QStringList codes{barkod, uretici, finish};
        for (const QString& o : oem) {
            if (!o.isEmpty())
                codes << o;
        }
        index.add(stokno, codes, {adi, diger, brand, QString::fromUtf8(g.name)});
    }
    t.commit();
}

}  // namespace kv::server
