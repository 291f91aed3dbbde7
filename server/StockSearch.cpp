#include "StockSearch.h"

#include <QRegularExpression>

#include "platform/TurkishFold.h"

namespace kv::server {

QString foldText(const QString& s) {
    return platform::foldTurkishToLatinUpper(s);
}

QString normalizeCode(const QString& s) {
    QString out;
    for (QChar c : foldText(s)) {
        if (c == QLatin1Char(' ') || c == QLatin1Char('-') || c == QLatin1Char('.') ||
            c == QLatin1Char('/') || c.isSpace()) {
            continue;
        }
        out += c;
    }
    return out;
}

QStringList foldedWords(const QString& s) {
    static const QRegularExpression sep(QStringLiteral("[^\\p{L}\\p{N}]+"));
    return foldText(s).split(sep, Qt::SkipEmptyParts);
}

}  // namespace kv::server
