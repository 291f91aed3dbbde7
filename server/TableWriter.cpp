#include "TableWriter.h"

#include <cmath>
#include <cstring>

namespace kv::server {

int writeTable(remote::JsonWriter& w, Statement& st, const std::vector<TableColumn>& columns) {
    w.StartObject();
    w.Key("columns");
    w.StartArray();
    for (const TableColumn& c : columns) {
        w.StartObject();
        w.Key("name");
        w.String(c.name);
        w.Key("type");
        w.String(c.type);
        w.EndObject();
    }
    w.EndArray();
    w.Key("rows");
    w.StartArray();
    int rows = 0;
    while (st.step()) {
        w.StartArray();
        for (int i = 0; i < int(columns.size()); ++i) {
            if (st.isNull(i)) {
                w.Null();
                continue;
            }
            const char* t = columns[std::size_t(i)].type;
            if (!std::strcmp(t, "text")) {
                const auto s = st.getText(i);
                w.String(s.data(), rapidjson::SizeType(s.size()));
            } else if (!std::strcmp(t, "int32") || !std::strcmp(t, "int64")) {
                w.Int64(st.getInt(i));
            } else if (!std::strcmp(t, "bool")) {
                w.Bool(st.getInt(i) != 0);
            } else {
                // The wire has no NaN or infinity: such a cell is sent as empty, not as 0.
                const double d = st.getDouble(i);
                if (std::isfinite(d))
                    w.Double(d);
                else
                    w.Null();
            }
        }
        w.EndArray();
        ++rows;
    }
    w.EndArray();
    w.EndObject();
    return rows;
}

}  // namespace kv::server
