// Number pictures of the classic kind: '#' an optional digit, '0' a required digit, ',' digit
// grouping (anywhere in the integer part), '.' the decimal point. Separators come from the
// locale. "#,###,##0.00" shows 1234567.5 as 1.234.567,50 under Turkish separators.
#pragma once

#include <QLocale>
#include <QString>
#include <QStringView>

namespace kv::platform {

QString formatFloat(QStringView pattern, double value, const QLocale& locale = QLocale());

// Rounds half away from zero at the given number of decimals, on the value's shortest
// decimal form (so 2.675 gives 2.68, as written).
double roundDecimal(double value, int decimals);

}  // namespace kv::platform
