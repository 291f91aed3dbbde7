// Tables and call answers on the wire. A table value
//   {"columns": [{"name": "...", "type": "int32"}, ...], "rows": [[...], ...]}
// is read straight into an in-memory table from the parser's events (no document in between),
// since results can hold 100 000 rows.
#pragma once

#include <rapidjson/document.h>
#include <string>

#include "platform/MemTable.h"
#include "remote/MethodCatalogue.h"
#include "remote/TransferObject.h"

namespace kv::remote {

// Parses a successful answer {"result": R, "out": [...]}; the body is parsed in place (it is
// changed, and `result` and `out` may point into it, so it must outlive them). A table result
// goes into `table` (a null result leaves it empty and inactive); any other result into
// `result`; the out array into `out` (an empty array when absent). Throws RemoteError when the
// body is not valid JSON of that shape.
void decodeReply(std::string& body, ValueType resultType, platform::MemTable& table,
                 rapidjson::Document& result, rapidjson::Document& out);

// Reads one table value from JSON text (parsed in place). Throws RemoteError.
void decodeTable(std::string& json, platform::MemTable& table);

// Writes a table in its wire form.
void writeTable(JsonWriter& w, const platform::MemTable& table);

}  // namespace kv::remote
