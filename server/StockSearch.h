// Text folding for the catalogue search: names and codes are compared in upper-case Latin
// letters (ş as S, İ and ı as I, ğ as G, ...), codes also without blanks, dashes, dots and
// slashes, so "1k0-698.151 a" finds 1K0698151A.
#pragma once

#include <QString>
#include <QStringList>

namespace kv::server {

QString foldText(const QString& s);
QString normalizeCode(const QString& s);
// The folded words of a text (split on anything that is not a letter or a digit).
QStringList foldedWords(const QString& s);

}  // namespace kv::server
