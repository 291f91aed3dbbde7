// Number pictures of the classic kind, as used for amounts throughout the program:
//   '0'  a digit that is always shown     '#'  a digit shown only when significant
//   '.'  the decimal separator             ','  digit grouping by thousands (in the integer part)
//   ';'  separates sections: positive;negative;zero (an empty section falls back to the first)
//   "..." or '...'  literal text; any other character is literal text too.
// Separators come from the locale: "#,###,##0.00" shows 1234567.5 as 1.234.567,50 under
// Turkish separators. Rounding is half away from zero on the value's shortest decimal form,
// so 2.675 shows as 2,68 as written. A negative value gets a leading '-' unless a negative
// section supplies its own text; a value that rounds to zero shows without a sign.
#pragma once

#include <QLocale>
#include <QString>
#include <QStringView>
#include <QVarLengthArray>

namespace kv::platform {

// One section of a number picture, read: the number's look and the literal text around it.
struct PictureSection {
    bool empty = true;       // written as nothing: the section stands for the first one
    QString prefix;          // literal text before the number
    QString suffix;          // literal text after it (literal text inside it comes first)
    bool hasNumber = false;  // false when the section is literal text only
    bool grouping = false;   // a ',' before the point
    int minInt = 0;          // digits before the point that are always shown
    int minFrac = 0;         // digits after the point that are always shown
    int maxFrac = 0;         // digits after the point at most
};

// The sections of a picture (split at ';' outside quotes; at least one), each read.
QVarLengthArray<PictureSection, 3> readNumberPicture(QStringView picture);

// An empty pattern gives the general form (up to 15 significant digits, no grouping).
QString formatFloat(QStringView pattern, double value, const QLocale& locale = QLocale());

// Rounds half away from zero at the given number of decimals (0..17), on the value's
// shortest decimal form (so 2.675 gives 2.68, as written).
double roundDecimal(double value, int decimals);

}  // namespace kv::platform
