// Writes the rows of a prepared statement as a wire table, row by row (no document in
// between): {"columns": [{"name", "type"}...], "rows": [[...]...]}.
#pragma once

#include <string>
#include <vector>

#include "Sqlite.h"
#include "remote/TransferObject.h"

namespace kv::server {

struct TableColumn {
    const char* name;
    const char* type;  // int32, int64, double, currency, text, bool, datetime, blob
};

// The statement's result columns map to the given columns by position. Returns the row count.
int writeTable(remote::JsonWriter& w, Statement& st, const std::vector<TableColumn>& columns);

}  // namespace kv::server
