#include "platform/NumberFormat.h"

#include <charconv>
#include <cmath>
#include <string>

namespace kv::platform {

namespace {

// The value's digits rounded half away from zero at `decimals`: integer digits and exactly
// `decimals` fraction digits, without sign.
void decimalDigits(double value, int decimals, std::string& intPart, std::string& fracPart) {
    char buf[64];
    // Shortest representation that reads back as the same double.
    auto res = std::to_chars(buf, buf + sizeof buf, std::fabs(value), std::chars_format::fixed);
    std::string s(buf, res.ptr);
    const auto dot = s.find('.');
    intPart = dot == std::string::npos ? s : s.substr(0, dot);
    std::string frac = dot == std::string::npos ? std::string() : s.substr(dot + 1);
    if (int(frac.size()) <= decimals) {
        fracPart = frac + std::string(std::size_t(decimals) - frac.size(), '0');
        return;
    }
    const bool up = frac[std::size_t(decimals)] >= '5';
    std::string digits = intPart + frac.substr(0, std::size_t(decimals));
    if (up) {
        int i = int(digits.size()) - 1;
        while (i >= 0) {
            if (digits[std::size_t(i)] == '9') {
                digits[std::size_t(i)] = '0';
                --i;
            } else {
                ++digits[std::size_t(i)];
                break;
            }
        }
        if (i < 0)
            digits.insert(digits.begin(), '1');
    }
    intPart = digits.substr(0, digits.size() - std::size_t(decimals));
    fracPart = digits.substr(digits.size() - std::size_t(decimals));
}

}  // namespace

double roundDecimal(double value, int decimals) {
    if (!std::isfinite(value))
        return value;
    std::string ip, fp;
    decimalDigits(value, decimals, ip, fp);
    const std::string s = (value < 0 ? "-" : "") + ip + (decimals > 0 ? "." + fp : "");
    double out = 0;
    std::from_chars(s.data(), s.data() + s.size(), out);
    return out;
}

QString formatFloat(QStringView pattern, double value, const QLocale& locale) {
    if (!std::isfinite(value))
        return QString::number(value);
    const qsizetype dot = pattern.indexOf(QLatin1Char('.'));
    const QStringView intPattern = dot < 0 ? pattern : pattern.left(dot);
    const QStringView fracPattern = dot < 0 ? QStringView() : pattern.mid(dot + 1);

    int minInt = 0;
    bool grouping = false;
    for (QChar ch : intPattern) {
        if (ch == QLatin1Char('0'))
            ++minInt;
        if (ch == QLatin1Char(','))
            grouping = true;
    }
    int minFrac = 0, maxFrac = 0;
    for (QChar ch : fracPattern) {
        if (ch == QLatin1Char('0')) {
            ++minFrac;
            ++maxFrac;
        } else if (ch == QLatin1Char('#')) {
            ++maxFrac;
        }
    }

    std::string ip, fp;
    decimalDigits(value, maxFrac, ip, fp);
    while (int(fp.size()) > minFrac && !fp.empty() && fp.back() == '0')
        fp.pop_back();
    // Leading zeros only as many as the picture asks for.
    std::size_t lead = 0;
    while (lead < ip.size() && ip[lead] == '0')
        ++lead;
    ip = ip.substr(lead);
    if (int(ip.size()) < minInt)
        ip.insert(0, std::size_t(minInt) - ip.size(), '0');

    const bool negative = value < 0 && (ip.find_first_not_of('0') != std::string::npos ||
                                        fp.find_first_not_of('0') != std::string::npos);
    QString out;
    if (negative)
        out += locale.negativeSign();
    const QString group = locale.groupSeparator();
    for (std::size_t i = 0; i < ip.size(); ++i) {
        if (grouping && i > 0 && (ip.size() - i) % 3 == 0)
            out += group;
        out += QLatin1Char(ip[i]);
    }
    if (!fp.empty()) {
        out += locale.decimalPoint();
        out += QString::fromLatin1(fp.data(), qsizetype(fp.size()));
    }
    return out;
}

}  // namespace kv::platform
