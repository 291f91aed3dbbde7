#include "remote/TableJson.h"

#include <rapidjson/reader.h>
#include <QByteArray>
#include <cmath>
#include <limits>
#include <string_view>

#include "remote/RemoteError.h"

namespace kv::remote {

using platform::FieldType;
using platform::MemTable;

namespace {

constexpr unsigned kParseFlags = rapidjson::kParseInsituFlag | rapidjson::kParseFullPrecisionFlag |
                                 rapidjson::kParseStopWhenDoneFlag;

RemoteError unreadable(const std::string& why) {
    return RemoteError(QStringLiteral("Sunucunun cevabı okunamadı: ") +
                       QString::fromStdString(why));
}

// Event handler that builds a table; it is fed the events of one table value.
class TableBuilder {
  public:
    explicit TableBuilder(MemTable& t) : t_(t) {}

    bool done() const { return state_ == State::Done; }
    const std::string& error() const { return error_; }

    bool Null() {
        if (state_ == State::Start) {  // a null table: empty and inactive
            t_.clear();
            state_ = State::Done;
            return true;
        }
        if (state_ != State::Row)
            return fail("beklenmeyen null");
        if (col_ >= t_.columnCount())
            return tooMany();
        t_.appendNull(col_++);
        return true;
    }
    bool Bool(bool b) {
        if (state_ != State::Row)
            return fail("beklenmeyen mantıksal değer");
        if (col_ >= t_.columnCount())
            return tooMany();
        if (t_.columnType(col_) != FieldType::Bool)
            return typeMismatch();
        t_.appendInt(col_++, b ? 1 : 0);
        return true;
    }
    bool Int(int i) { return Int64(i); }
    bool Uint(unsigned u) { return Int64(std::int64_t(u)); }
    bool Uint64(std::uint64_t u) {
        if (u > std::uint64_t(std::numeric_limits<std::int64_t>::max()))
            return Double(double(u));
        return Int64(std::int64_t(u));
    }
    bool Int64(std::int64_t i) {
        if (state_ != State::Row)
            return fail("beklenmeyen sayı");
        if (col_ >= t_.columnCount())
            return tooMany();
        switch (t_.columnType(col_)) {
            case FieldType::Int32:
                if (i < std::numeric_limits<std::int32_t>::min() ||
                    i > std::numeric_limits<std::int32_t>::max()) {
                    return fail("int32 sütununda sınır dışı değer");
                }
                [[fallthrough]];
            case FieldType::Int64:
                t_.appendInt(col_++, i);
                return true;
            case FieldType::Double:
            case FieldType::Currency:
            case FieldType::DateTime:
                t_.appendReal(col_++, double(i));
                return true;
            default:
                return typeMismatch();
        }
    }
    bool Double(double d) {
        if (state_ != State::Row)
            return fail("beklenmeyen sayı");
        if (col_ >= t_.columnCount())
            return tooMany();
        const FieldType ft = t_.columnType(col_);
        if (ft != FieldType::Double && ft != FieldType::Currency && ft != FieldType::DateTime) {
            return typeMismatch();
        }
        t_.appendReal(col_++, d);
        return true;
    }
    bool RawNumber(const char*, rapidjson::SizeType, bool) { return fail("ham sayı"); }
    bool String(const char* s, rapidjson::SizeType len, bool) {
        switch (state_) {
            case State::ColumnObject:
                if (key_ == Slot::Name) {
                    colName_ = QString::fromUtf8(s, qsizetype(len));
                    haveName_ = true;
                } else if (key_ == Slot::Type) {
                    if (!platform::parseFieldType(std::string_view(s, len), colType_)) {
                        return fail("bilinmeyen sütun türü \"" + std::string(s, len) + "\"");
                    }
                    haveType_ = true;
                }
                return true;
            case State::Row: {
                if (col_ >= t_.columnCount())
                    return tooMany();
                const FieldType ft = t_.columnType(col_);
                if (ft == FieldType::Text) {
                    t_.appendBytes(col_++, s, len);
                    return true;
                }
                if (ft == FieldType::Blob) {
                    auto decoded =
                        QByteArray::fromBase64Encoding(QByteArray::fromRawData(s, qsizetype(len)),
                                                       QByteArray::AbortOnBase64DecodingErrors);
                    if (!decoded)
                        return fail("geçersiz base64 verisi");
                    t_.appendBytes(col_++, decoded.decoded.constData(),
                                   std::size_t(decoded.decoded.size()));
                    return true;
                }
                return typeMismatch();
            }
            default:
                return fail("beklenmeyen metin");
        }
    }
    bool Key(const char* s, rapidjson::SizeType len, bool) {
        const std::string_view k(s, len);
        if (state_ == State::TableObject) {
            if (k == "columns") {
                key_ = Slot::Columns;
            } else if (k == "rows") {
                if (!columnsSeen_)
                    return fail("\"columns\" üyesi \"rows\" üyesinden önce gelmeli");
                key_ = Slot::Rows;
            } else {
                key_ = Slot::Other;
            }
            return true;
        }
        if (state_ == State::ColumnObject) {
            key_ = k == "name" ? Slot::Name : k == "type" ? Slot::Type : Slot::Other;
            return true;
        }
        return fail("beklenmeyen üye");
    }
    bool StartObject() {
        if (state_ == State::Start) {
            t_.beginBuild();
            state_ = State::TableObject;
            return true;
        }
        if (state_ == State::Columns) {
            state_ = State::ColumnObject;
            haveName_ = haveType_ = false;
            key_ = Slot::Other;
            return true;
        }
        return fail("beklenmeyen nesne");
    }
    bool EndObject(rapidjson::SizeType) {
        if (state_ == State::ColumnObject) {
            if (!haveName_ || !haveType_)
                return fail("sütunun adı ya da türü yok");
            if (t_.columnIndex(colName_) >= 0) {
                return fail("sütun adı iki kez geçiyor: " + colName_.toStdString());
            }
            t_.addColumn(colName_, colType_);
            state_ = State::Columns;
            return true;
        }
        if (state_ == State::TableObject) {
            if (!columnsSeen_)
                return fail("tablonun \"columns\" üyesi yok");
            t_.endBuild();
            state_ = State::Done;
            return true;
        }
        return fail("beklenmeyen nesne sonu");
    }
    bool StartArray() {
        if (state_ == State::TableObject && key_ == Slot::Columns) {
            if (columnsSeen_)
                return fail("\"columns\" iki kez geçiyor");
            state_ = State::Columns;
            return true;
        }
        if (state_ == State::TableObject && key_ == Slot::Rows) {
            state_ = State::Rows;
            return true;
        }
        if (state_ == State::Rows) {
            state_ = State::Row;
            col_ = 0;
            return true;
        }
        return fail("beklenmeyen dizi");
    }
    bool EndArray(rapidjson::SizeType) {
        switch (state_) {
            case State::Columns:
                t_.endColumns();
                columnsSeen_ = true;
                state_ = State::TableObject;
                return true;
            case State::Row:
                if (col_ != t_.columnCount())
                    return fail("satırdaki hücre sayısı sütun sayısından az");
                t_.endRow();
                state_ = State::Rows;
                return true;
            case State::Rows:
                state_ = State::TableObject;
                return true;
            default:
                return fail("beklenmeyen dizi sonu");
        }
    }

  private:
    enum class State { Start, TableObject, Columns, ColumnObject, Rows, Row, Done };
    enum class Slot { Other, Columns, Rows, Name, Type };

    bool fail(const std::string& why) {
        if (error_.empty())
            error_ = "tablo: " + why;
        return false;
    }
    bool tooMany() { return fail("satırdaki hücre sayısı sütun sayısından fazla"); }
    bool typeMismatch() {
        std::string why = "\"";
        why += t_.columnName(col_).toStdString();
        why += "\" sütununda türü uymayan değer";
        return fail(why);
    }

    MemTable& t_;
    State state_ = State::Start;
    Slot key_ = Slot::Other;
    bool columnsSeen_ = false;
    QString colName_;
    FieldType colType_ = FieldType::Text;
    bool haveName_ = false;
    bool haveType_ = false;
    int col_ = 0;
    std::string error_;
};

// Event handler of a whole answer whose result is a table: the "result" member's events go to
// the table builder, "out" must be an array whose contents are skipped (table methods have no
// out parameters), other members are skipped.
class TableReplyHandler
    : public rapidjson::BaseReaderHandler<rapidjson::UTF8<>, TableReplyHandler> {
  public:
    explicit TableReplyHandler(MemTable& t) : builder_(t) {}

    bool Default() { return skipping() ? true : fail("beklenmeyen değer"); }
    bool Null() {
        return route([&] { return builder_.Null(); });
    }
    bool Bool(bool b) {
        return route([&] { return builder_.Bool(b); });
    }
    bool Int(int i) {
        return route([&] { return builder_.Int(i); });
    }
    bool Uint(unsigned u) {
        return route([&] { return builder_.Uint(u); });
    }
    bool Int64(std::int64_t i) {
        return route([&] { return builder_.Int64(i); });
    }
    bool Uint64(std::uint64_t u) {
        return route([&] { return builder_.Uint64(u); });
    }
    bool Double(double d) {
        return route([&] { return builder_.Double(d); });
    }
    bool String(const char* s, rapidjson::SizeType n, bool c) {
        return route([&] { return builder_.String(s, n, c); });
    }
    bool Key(const char* s, rapidjson::SizeType n, bool c) {
        if (inResult_)
            return builder_.Key(s, n, c) && finishIfDone();
        if (skipDepth_ > 0)
            return true;
        if (depth_ != 1)
            return fail("beklenmeyen üye");
        const std::string_view k(s, n);
        member_ = k == "result" ? Member::Result : k == "out" ? Member::Out : Member::Other;
        if (member_ == Member::Result) {
            if (resultSeen_)
                return fail("\"result\" iki kez geçiyor");
            resultSeen_ = true;
            inResult_ = true;
        }
        return true;
    }
    bool StartObject() {
        if (inResult_)
            return builder_.StartObject();
        if (depth_ == 0) {
            depth_ = 1;
            return true;
        }
        if (member_ == Member::Out && skipDepth_ == 0)
            return fail("\"out\" bir dizi olmalı");
        ++skipDepth_;
        return true;
    }
    bool EndObject(rapidjson::SizeType n) {
        if (inResult_)
            return builder_.EndObject(n) && finishIfDone();
        if (skipDepth_ > 0) {
            --skipDepth_;
            return true;
        }
        depth_ = 0;
        return true;
    }
    bool StartArray() {
        if (inResult_)
            return builder_.StartArray();
        if (depth_ == 0)
            return fail("cevap bir nesne olmalı");
        ++skipDepth_;
        return true;
    }
    bool EndArray(rapidjson::SizeType n) {
        if (inResult_)
            return builder_.EndArray(n) && finishIfDone();
        --skipDepth_;
        return true;
    }

    bool resultSeen() const { return resultSeen_ && builder_.done(); }
    std::string error() const { return !builder_.error().empty() ? builder_.error() : error_; }

  private:
    enum class Member { Other, Result, Out };
    template <class F>
    bool route(F&& f) {
        if (inResult_)
            return f() && finishIfDone();
        if (skipDepth_ > 0)
            return true;
        if (depth_ == 1 && member_ == Member::Other)
            return true;
        return fail(member_ == Member::Out ? "\"out\" bir dizi olmalı" : "beklenmeyen değer");
    }
    bool finishIfDone() {
        if (builder_.done())
            inResult_ = false;
        return true;
    }
    bool skipping() const { return skipDepth_ > 0; }
    bool fail(const char* why) {
        if (error_.empty())
            error_ = why;
        return false;
    }

    TableBuilder builder_;
    int depth_ = 0;
    int skipDepth_ = 0;
    Member member_ = Member::Other;
    bool inResult_ = false;
    bool resultSeen_ = false;
    std::string error_;
};

std::string parseErrorText(const rapidjson::ParseResult& r) {
    return "JSON hatası, konum " + std::to_string(r.Offset());
}

}  // namespace

void decodeReply(std::string& body, ValueType resultType, MemTable& table,
                 rapidjson::Document& result, rapidjson::Document& out) {
    result.SetNull();
    out.SetArray();
    if (resultType == ValueType::Table) {
        TableReplyHandler handler(table);
        rapidjson::InsituStringStream ss(body.data());
        rapidjson::Reader reader;
        const rapidjson::ParseResult r = reader.Parse<kParseFlags>(ss, handler);
        if (!r) {
            const std::string why = handler.error();
            table.clear();
            throw unreadable(why.empty() ? parseErrorText(r) : why);
        }
        if (!handler.resultSeen()) {
            table.clear();
            throw unreadable("cevapta \"result\" yok");
        }
        return;
    }
    rapidjson::Document whole;
    whole.ParseInsitu<rapidjson::kParseFullPrecisionFlag>(body.data());
    if (whole.HasParseError())
        throw unreadable(parseErrorText(whole));
    if (!whole.IsObject())
        throw unreadable("cevap bir nesne olmalı");
    const auto res = whole.FindMember("result");
    if (res == whole.MemberEnd())
        throw unreadable("cevapta \"result\" yok");
    result.CopyFrom(res->value, result.GetAllocator());
    const auto o = whole.FindMember("out");
    if (o != whole.MemberEnd()) {
        if (!o->value.IsArray())
            throw unreadable("\"out\" bir dizi olmalı");
        out.CopyFrom(o->value, out.GetAllocator());
    }
}

void decodeTable(std::string& json, MemTable& table) {
    TableBuilder builder(table);
    rapidjson::InsituStringStream ss(json.data());
    rapidjson::Reader reader;
    const rapidjson::ParseResult r = reader.Parse<kParseFlags>(ss, builder);
    if (!r || !builder.done()) {
        const std::string why = builder.error();
        table.clear();
        throw unreadable(why.empty() ? parseErrorText(r) : why);
    }
}

void writeTable(JsonWriter& w, const MemTable& t) {
    if (!t.isActive()) {
        w.Null();
        return;
    }
    w.StartObject();
    w.Key("columns");
    w.StartArray();
    for (int c = 0; c < t.columnCount(); ++c) {
        w.StartObject();
        w.Key("name");
        detail::writeValue(w, t.columnName(c));
        w.Key("type");
        w.String(platform::fieldTypeName(t.columnType(c)));
        w.EndObject();
    }
    w.EndArray();
    w.Key("rows");
    w.StartArray();
    for (int r = 0; r < t.rowCount(); ++r) {
        w.StartArray();
        for (int c = 0; c < t.columnCount(); ++c) {
            if (t.isNull(r, c)) {
                w.Null();
                continue;
            }
            switch (t.columnType(c)) {
                case FieldType::Int32:
                case FieldType::Int64:
                    w.Int64(t.toInt(r, c));
                    break;
                case FieldType::Bool:
                    w.Bool(t.toInt(r, c) != 0);
                    break;
                case FieldType::Double:
                case FieldType::Currency:
                case FieldType::DateTime:
                    w.Double(t.toDouble(r, c));
                    break;
                case FieldType::Text: {
                    const auto& col = t.column(c);
                    const std::uint32_t b = r == 0 ? 0 : col.offsets[std::size_t(r) - 1];
                    w.String(col.arena.data() + b, col.offsets[std::size_t(r)] - b);
                    break;
                }
                case FieldType::Blob: {
                    const QByteArray b64 = t.toBlob(r, c).toBase64();
                    w.String(b64.constData(), rapidjson::SizeType(b64.size()));
                    break;
                }
            }
        }
        w.EndArray();
    }
    w.EndArray();
    w.EndObject();
}

}  // namespace kv::remote
