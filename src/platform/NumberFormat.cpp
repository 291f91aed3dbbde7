#include "platform/NumberFormat.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string>

namespace kv::platform {

namespace {

// The magnitude's digits rounded half away from zero at `decimals`: the integer digits
// (at least one) and exactly `decimals` fraction digits. The rounding works on the shortest
// decimal text that reads back as the same double, i.e. on the number as a person wrote it.
void decimalDigits(double magnitude, int decimals, std::string& intPart, std::string& fracPart) {
    char buf[400];  // the longest fixed form of a double is 309 integer digits
    const auto res = std::to_chars(buf, buf + sizeof buf, magnitude, std::chars_format::fixed);
    const std::string_view s(buf, std::size_t(res.ptr - buf));
    const std::size_t dot = s.find('.');
    const std::string_view whole = s.substr(0, dot);
    const std::string_view frac = dot == std::string_view::npos ? "" : s.substr(dot + 1);
    const std::size_t keep = std::size_t(decimals);

    std::string digits(whole);
    digits.append(frac.substr(0, keep));
    digits.append(keep - std::min(keep, frac.size()), '0');
    if (frac.size() > keep && frac[keep] >= '5') {
        int i = int(digits.size()) - 1;
        for (; i >= 0 && digits[std::size_t(i)] == '9'; --i)
            digits[std::size_t(i)] = '0';
        if (i >= 0)
            ++digits[std::size_t(i)];
        else
            digits.insert(digits.begin(), '1');
    }
    intPart = digits.substr(0, digits.size() - keep);
    fracPart = digits.substr(digits.size() - keep);
}

bool allZero(const std::string& a, const std::string& b) {
    return a.find_first_not_of('0') == std::string::npos &&
           b.find_first_not_of('0') == std::string::npos;
}

bool isPlaceholder(QChar c) {
    return c == u'#' || c == u'0' || c == u'.' || c == u',';
}

// Calls f(i) for each character of s outside quoted text ("..." or '...'), quote marks aside.
template <typename F>
void forEachUnquoted(QStringView s, F f) {
    QChar quote;
    for (qsizetype i = 0; i < s.size(); ++i) {
        const QChar c = s[i];
        if (!quote.isNull()) {
            if (c == quote)
                quote = QChar();
        } else if (c == u'"' || c == u'\'') {
            quote = c;
        } else {
            f(i);
        }
    }
}

PictureSection readSection(QStringView s) {
    // The number runs from the first to the last placeholder outside quotes.
    qsizetype first = -1, last = -1;
    forEachUnquoted(s, [&](qsizetype i) {
        if (isPlaceholder(s[i])) {
            if (first < 0)
                first = i;
            last = i;
        }
    });
    PictureSection p;
    p.empty = s.isEmpty();
    p.hasNumber = first >= 0;
    QString inner;
    bool point = false;
    int intDigits = 0, firstZero = -1, fracDigits = 0;
    QChar quote;
    for (qsizetype i = 0; i < s.size(); ++i) {
        const QChar c = s[i];
        QString& literal = first < 0 || i < first ? p.prefix : i > last ? p.suffix : inner;
        if (!quote.isNull()) {
            if (c == quote)
                quote = QChar();
            else
                literal += c;
            continue;
        }
        if (c == u'"' || c == u'\'') {
            quote = c;
            continue;
        }
        if (&literal != &inner || !isPlaceholder(c)) {
            literal += c;
            continue;
        }
        if (c == u'.') {
            point = true;  // a second point is ignored
        } else if (c == u',') {
            p.grouping = p.grouping || !point;
        } else if (!point) {
            if (c == u'0' && firstZero < 0)
                firstZero = intDigits;
            ++intDigits;
        } else {
            ++fracDigits;
            if (c == u'0')
                p.minFrac = fracDigits;
        }
    }
    p.minInt = firstZero < 0 ? 0 : intDigits - firstZero;
    p.maxFrac = fracDigits;
    p.suffix.prepend(inner);
    return p;
}

QString render(const PictureSection& p, std::string intPart, std::string fracPart, bool minus,
               const QLocale& locale) {
    QString out;
    if (minus)
        out += u'-';
    out += p.prefix;
    if (p.hasNumber) {
        intPart.erase(0, std::min(intPart.find_first_not_of('0'), intPart.size()));
        if (int(intPart.size()) < p.minInt)
            intPart.insert(0, std::size_t(p.minInt) - intPart.size(), '0');
        while (int(fracPart.size()) > p.minFrac && fracPart.back() == '0')
            fracPart.pop_back();
        const QString group = locale.groupSeparator();
        for (std::size_t i = 0; i < intPart.size(); ++i) {
            if (p.grouping && i > 0 && (intPart.size() - i) % 3 == 0)
                out += group;
            out += QLatin1Char(intPart[i]);
        }
        if (!fracPart.empty()) {
            out += locale.decimalPoint();
            out += QLatin1String(fracPart.data(), qsizetype(fracPart.size()));
        }
    }
    out += p.suffix;
    return out;
}

}  // namespace

QVarLengthArray<PictureSection, 3> readNumberPicture(QStringView picture) {
    QVarLengthArray<PictureSection, 3> out;
    qsizetype start = 0;
    forEachUnquoted(picture, [&](qsizetype i) {
        if (picture[i] == u';') {
            out.append(readSection(picture.mid(start, i - start)));
            start = i + 1;
        }
    });
    out.append(readSection(picture.mid(start)));
    return out;
}

double roundDecimal(double value, int decimals) {
    if (!std::isfinite(value))
        return value;
    decimals = std::clamp(decimals, 0, 17);
    std::string ip, fp;
    decimalDigits(std::fabs(value), decimals, ip, fp);
    std::string s = value < 0 ? "-" : "";
    s += ip;
    if (decimals > 0)
        s += "." + fp;
    double out = 0;
    std::from_chars(s.data(), s.data() + s.size(), out);
    return out;
}

QString formatFloat(QStringView pattern, double value, const QLocale& locale) {
    if (!std::isfinite(value))
        return QString::number(value);
    if (pattern.isEmpty()) {
        QLocale plain = locale;
        plain.setNumberOptions(plain.numberOptions() | QLocale::OmitGroupSeparator);
        return plain.toString(value, 'g', 15);
    }
    const auto sections = readNumberPicture(pattern);
    const bool negative = value < 0;
    const bool ownNegative = negative && sections.size() > 1 && !sections[1].empty;
    const PictureSection* p = &sections[ownNegative ? 1 : 0];
    std::string ip, fp;
    decimalDigits(std::fabs(value), p->maxFrac, ip, fp);
    if (!allZero(ip, fp))
        return render(*p, ip, fp, negative && !ownNegative, locale);

    // Zero, or a value that rounds to zero: the zero section, else the first, without sign.
    const bool ownZero = sections.size() > 2 && !sections[2].empty;
    if (ownZero || ownNegative)
        p = &sections[ownZero ? 2 : 0];
    return render(*p, std::string("0"), std::string(std::size_t(p->maxFrac), '0'), false, locale);
}

}  // namespace kv::platform
