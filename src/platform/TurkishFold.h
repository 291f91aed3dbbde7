// Turkish letters to their Latin base letters in upper case (ş to S, ı and İ to I, ğ to G,
// ...), every other letter upper-cased: how the search box shows its text and how the
// server compares codes and names.
#pragma once

#include <QString>

namespace kv::platform {

QString foldTurkishToLatinUpper(const QString& s);

}  // namespace kv::platform
