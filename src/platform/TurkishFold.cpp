#include "platform/TurkishFold.h"

namespace kv::platform {

QString foldTurkishToLatinUpper(const QString& s) {
    QString out;
    out.reserve(s.size());
    for (QChar c : s) {
        switch (c.unicode()) {
            case u'ğ':
            case u'Ğ':
                out += QLatin1Char('G');
                break;
            case u'ü':
            case u'Ü':
                out += QLatin1Char('U');
                break;
            case u'ş':
            case u'Ş':
                out += QLatin1Char('S');
                break;
            case u'ö':
            case u'Ö':
                out += QLatin1Char('O');
                break;
            case u'ç':
            case u'Ç':
                out += QLatin1Char('C');
                break;
            case u'ı':
            case u'İ':
            case u'i':
                out += QLatin1Char('I');
                break;
            default:
                out += c.toUpper();
        }
    }
    return out;
}

}  // namespace kv::platform
