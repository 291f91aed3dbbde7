#include "common/Tablolar.h"

#include <QLocale>

#include "platform/NumberFormat.h"

namespace kv::common {

bool TabloDolu(const platform::MemTable& tablo) {
    return tablo.isActive() && tablo.rowCount() > 0;
}

bool SeciliVar(platform::MemTable& tablo) {
    if (!TabloDolu(tablo))
        return false;
    const int sec = tablo.columnIndex(u"SEC");
    if (sec < 0)
        return false;
    tablo.first();
    while (!tablo.eof()) {
        if (!tablo.isNull(tablo.recNo(), sec) && tablo.toInt(tablo.recNo(), sec) == 1)
            return true;
        tablo.next();
    }
    return false;
}

void ParaBicimi(platform::MemTable& tablo) {
    for (int c = 0; c < tablo.columnCount(); ++c) {
        if (tablo.columnType(c) == platform::FieldType::Double) {
            tablo.setDisplayFormat(c, QString::fromLatin1(kParaBicimi));
        }
    }
}

double AlanSayi(const platform::MemTable& tablo, int row, QStringView alan) {
    const int c = tablo.columnIndex(alan);
    return c < 0 || tablo.isNull(row, c) ? 0.0 : tablo.toDouble(row, c);
}

QString AlanYazi(const platform::MemTable& tablo, int row, QStringView alan) {
    const int c = tablo.columnIndex(alan);
    return c < 0 ? QString() : tablo.displayText(row, c);
}

double Yuvarla(double tutar) {
    const QLocale loc;
    QString s = platform::formatFloat(u"#,###,##.00", tutar, loc);
    s.remove(loc.groupSeparator());
    if (s.startsWith(loc.decimalPoint()))
        s.prepend(QLatin1Char('0'));
    if (s.startsWith(loc.negativeSign() + loc.decimalPoint()))
        s.insert(1, QLatin1Char('0'));
    bool ok = false;
    const double v = loc.toDouble(s, &ok);
    return ok ? v : tutar;
}

}  // namespace kv::common
