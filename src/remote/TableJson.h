// Tables and call answers on the wire. A table value
//   {"columns": [{"name": "...", "type": "int32"}, ...], "rows": [[...], ...]}
// is read straight into an in-memory table from the parser's events (no document in between),
// since results can hold 100 000 rows. Checked on the way: known column types, unique column
// names, "columns" before "rows", exactly one cell per column in every row, and each cell of
// its column's type or null (int32 within 32 bits; numbers for double, currency and datetime;
// base64 for blob, stored decoded). Members other than these are skipped.
#pragma once

#include <rapidjson/document.h>
#include <string>

#include "platform/MemTable.h"
#include "remote/MethodCatalogue.h"
#include "remote/TransferObject.h"

namespace kv::remote {

// Reads a successful answer {"result": R, "out": [...]} (members in any order, others
// ignored); `body` is parsed in place and changed. A table result goes into `table` (a null
// result leaves it empty and inactive); any other result is stored in `result` (null when
// the method has none); the out array in `out` (an empty array when absent). `result` and
// `out` own their data and do not point into `body`. Throws RemoteError
// ("Sunucunun cevabı okunamadı: ...") when the body is not valid JSON of that shape; `table`
// is then left empty and inactive.
void decodeReply(std::string& body, ValueType resultType, platform::MemTable& table,
                 rapidjson::Document& result, rapidjson::Document& out);

// Reads one table value (or null) from JSON text, parsed in place. Throws RemoteError and
// leaves `table` empty and inactive when the text is not such a value.
void decodeTable(std::string& json, platform::MemTable& table);

// Writes a table in its wire form (null for an inactive table). Throws RemoteError for a
// value the wire cannot carry (NaN or infinity).
void writeTable(JsonWriter& w, const platform::MemTable& table);

}  // namespace kv::remote
