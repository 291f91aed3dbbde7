#include "remote/TableJson.h"

#include <rapidjson/error/error.h>
#include <rapidjson/reader.h>
#include <QByteArray>
#include <cmath>
#include <cstring>
#include <limits>
#include <string_view>
#include <vector>

#include "remote/RemoteError.h"

namespace kv::remote {

using platform::FieldType;
using platform::MemTable;

namespace {

constexpr unsigned kParseFlags = rapidjson::kParseInsituFlag | rapidjson::kParseFullPrecisionFlag;

RemoteError unreadable(const QString& why) {
    return RemoteError(QStringLiteral("Sunucunun cevabı okunamadı: ") + why);
}

QString parseErrorText(rapidjson::ParseErrorCode code, std::size_t offset) {
    using namespace rapidjson;
    const char* what = "JSON sözdizimi hatası";
    switch (code) {
        case kParseErrorDocumentEmpty:
            what = "cevap boş";
            break;
        case kParseErrorDocumentRootNotSingular:
            what = "değerden sonra fazladan veri var";
            break;
        case kParseErrorValueInvalid:
            what = "geçersiz ya da eksik değer";
            break;
        case kParseErrorObjectMissName:
            what = "nesnede üye adı eksik";
            break;
        case kParseErrorObjectMissColon:
            what = "nesnede ':' eksik";
            break;
        case kParseErrorObjectMissCommaOrCurlyBracket:
            what = "nesnede ',' ya da '}' eksik";
            break;
        case kParseErrorArrayMissCommaOrSquareBracket:
            what = "dizide ',' ya da ']' eksik";
            break;
        case kParseErrorStringUnicodeEscapeInvalidHex:
        case kParseErrorStringUnicodeSurrogateInvalid:
        case kParseErrorStringEscapeInvalid:
            what = "metinde geçersiz kaçış dizisi";
            break;
        case kParseErrorStringMissQuotationMark:
            what = "metnin kapanış tırnağı eksik";
            break;
        case kParseErrorStringInvalidEncoding:
            what = "geçersiz UTF-8";
            break;
        case kParseErrorNumberTooBig:
            what = "sayı çok büyük";
            break;
        case kParseErrorNumberMissFraction:
        case kParseErrorNumberMissExponent:
            what = "eksik yazılmış sayı";
            break;
        default:
            break;
    }
    return QStringLiteral("%1 (konum %2)").arg(QString::fromUtf8(what)).arg(offset);
}

bool isReal(FieldType t) {
    return t == FieldType::Double || t == FieldType::Currency || t == FieldType::DateTime;
}

// Builds a table from the parser's events of one table value (or null). Every refusal leaves a
// Turkish reason in error().
class TableBuilder {
  public:
    explicit TableBuilder(MemTable& t) : t_(t) {}

    // Lets the builder estimate the row count from the bytes left, to size its columns once.
    void watch(rapidjson::InsituStringStream* stream, std::size_t totalBytes) {
        stream_ = stream;
        totalBytes_ = totalBytes;
    }
    bool done() const { return state_ == State::Done; }
    const QString& error() const { return error_; }

    bool Null() {
        if (state_ == State::Row) {
            if (!room())
                return false;
            t_.appendNull(col_++);
            return true;
        }
        if (state_ == State::Start) {  // a null table: empty and inactive
            t_.clear();
            state_ = State::Done;
            return true;
        }
        return elsewhere("null");
    }
    bool Bool(bool b) {
        if (state_ != State::Row)
            return elsewhere("mantıksal değer");
        if (!room())
            return false;
        if (types_[std::size_t(col_)] != FieldType::Bool)
            return mismatch("mantıksal değer");
        t_.appendInt(col_++, b ? 1 : 0);
        return true;
    }
    bool Int(int i) { return Int64(i); }
    bool Uint(unsigned u) { return Int64(std::int64_t(u)); }
    bool Uint64(std::uint64_t u) {
        if (u <= std::uint64_t(std::numeric_limits<std::int64_t>::max()))
            return Int64(std::int64_t(u));
        if (state_ != State::Row)
            return elsewhere("sayı");
        if (!room())
            return false;
        const FieldType ft = types_[std::size_t(col_)];
        if (isReal(ft)) {
            t_.appendReal(col_++, double(u));
            return true;
        }
        if (ft == FieldType::Int32 || ft == FieldType::Int64)
            return outOfRange(QString::number(u));
        return mismatch("sayı");
    }
    bool Int64(std::int64_t i) {
        if (state_ != State::Row)
            return elsewhere("sayı");
        if (!room())
            return false;
        switch (types_[std::size_t(col_)]) {
            case FieldType::Int32:
                if (i < std::numeric_limits<std::int32_t>::min() ||
                    i > std::numeric_limits<std::int32_t>::max()) {
                    return outOfRange(QString::number(i));
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
                return mismatch("sayı");
        }
    }
    bool Double(double d) {
        if (state_ != State::Row)
            return elsewhere("sayı");
        if (!room())
            return false;
        const FieldType ft = types_[std::size_t(col_)];
        if (!isReal(ft)) {
            const bool integral = ft == FieldType::Int32 || ft == FieldType::Int64;
            return mismatch(integral ? "kesirli sayı" : "sayı");
        }
        t_.appendReal(col_++, d);
        return true;
    }
    bool RawNumber(const char*, rapidjson::SizeType, bool) { return elsewhere("sayı"); }
    bool String(const char* s, rapidjson::SizeType len, bool) {
        if (state_ == State::Row) {
            if (!room())
                return false;
            const FieldType ft = types_[std::size_t(col_)];
            if (ft == FieldType::Text) {
                t_.appendBytes(col_++, s, len);
                return true;
            }
            if (ft == FieldType::Blob)
                return blob(s, len);
            return mismatch("metin");
        }
        if (state_ == State::ColumnName) {
            name_ = QString::fromUtf8(s, qsizetype(len));
            haveName_ = true;
            state_ = State::ColumnObject;
            return true;
        }
        if (state_ == State::ColumnType) {
            if (!platform::parseFieldType(std::string_view(s, len), type_)) {
                return fail(QStringLiteral("bilinmeyen sütun türü \"%1\"")
                                .arg(QString::fromUtf8(s, qsizetype(len))));
            }
            haveType_ = true;
            state_ = State::ColumnObject;
            return true;
        }
        return elsewhere("metin");
    }
    bool Key(const char* s, rapidjson::SizeType len, bool) {
        const std::string_view k(s, len);
        if (state_ == State::TableObject) {
            if (k == "columns") {
                if (columnsSeen_)
                    return fail(QStringLiteral("tabloda \"columns\" iki kez geçiyor"));
                state_ = State::ColumnsValue;
            } else if (k == "rows") {
                if (rowsSeen_)
                    return fail(QStringLiteral("tabloda \"rows\" iki kez geçiyor"));
                if (!columnsSeen_) {
                    return fail(QStringLiteral(
                        "tabloda \"rows\" üyesi \"columns\" üyesinden önce geliyor; sütunlar "
                        "satırlardan önce gönderilmeli"));
                }
                state_ = State::RowsValue;
            } else {
                skipValue();
            }
            return true;
        }
        if (state_ == State::ColumnObject) {
            if (k == "name")
                state_ = State::ColumnName;
            else if (k == "type")
                state_ = State::ColumnType;
            else
                skipValue();
            return true;
        }
        return state_ == State::Skip;  // any other place is not an object
    }
    bool StartObject() {
        switch (state_) {
            case State::Row:
                return room() && mismatch("nesne");
            case State::Start:
                t_.beginBuild();
                state_ = State::TableObject;
                return true;
            case State::Columns:
                haveName_ = haveType_ = false;
                state_ = State::ColumnObject;
                return true;
            case State::Skip:
                ++skipDepth_;
                return true;
            default:
                return elsewhere("nesne");
        }
    }
    bool EndObject(rapidjson::SizeType) {
        switch (state_) {
            case State::ColumnObject:
                return endColumn();
            case State::TableObject:
                if (!columnsSeen_)
                    return fail(QStringLiteral("tablonun \"columns\" üyesi yok"));
                if (!rowsSeen_)
                    return fail(QStringLiteral("tablonun \"rows\" üyesi yok"));
                t_.endBuild();
                state_ = State::Done;
                return true;
            default:
                return endSkipped();
        }
    }
    bool StartArray() {
        switch (state_) {
            case State::Rows:
                col_ = 0;
                state_ = State::Row;
                return true;
            case State::Row:
                return room() && mismatch("dizi");
            case State::ColumnsValue:
                state_ = State::Columns;
                return true;
            case State::RowsValue:
                rowsStart_ = stream_ ? stream_->Tell() : 0;
                state_ = State::Rows;
                return true;
            case State::Skip:
                ++skipDepth_;
                return true;
            default:
                return elsewhere("dizi");
        }
    }
    bool EndArray(rapidjson::SizeType) {
        switch (state_) {
            case State::Row:
                return endRow();
            case State::Rows:
                rowsSeen_ = true;
                state_ = State::TableObject;
                return true;
            case State::Columns:
                t_.endColumns();
                columnsSeen_ = true;
                state_ = State::TableObject;
                return true;
            default:
                return endSkipped();
        }
    }

  private:
    enum class State {
        Start,
        TableObject,
        ColumnsValue,
        Columns,
        ColumnObject,
        ColumnName,
        ColumnType,
        RowsValue,
        Rows,
        Row,
        Skip,
        Done
    };
    // Rows read before the row count is estimated and the columns are sized.
    static constexpr int kSampleRows = 512;

    bool fail(const QString& why) {
        if (error_.isEmpty())
            error_ = why;
        return false;
    }
    int rowNo() const { return t_.rowCount() + 1; }
    QString cellPlace() const {
        return QStringLiteral("%1. satır, \"%2\" sütunu").arg(rowNo()).arg(t_.columnName(col_));
    }
    bool room() {
        if (col_ < int(types_.size()))
            return true;
        return fail(QStringLiteral("%1. satırda sütun sayısından (%2) fazla hücre var")
                        .arg(rowNo())
                        .arg(types_.size()));
    }
    bool mismatch(const char* got) {
        return fail(QStringLiteral("%1: %2 sütununda %3 olamaz")
                        .arg(cellPlace(),
                             QLatin1String(platform::fieldTypeName(types_[std::size_t(col_)])),
                             QString::fromUtf8(got)));
    }
    bool outOfRange(const QString& number) {
        return fail(QStringLiteral("%1: %2 %3 sınırları dışında")
                        .arg(cellPlace(), number,
                             QLatin1String(platform::fieldTypeName(types_[std::size_t(col_)]))));
    }
    // A value where the table's shape has no place for it.
    bool elsewhere(const char* got) {
        const QString g = QString::fromUtf8(got);
        switch (state_) {
            case State::Skip:
                if (skipDepth_ == 0)
                    state_ = skipReturn_;
                return true;
            case State::Start:
                return fail(QStringLiteral("tablo bekleniyordu, %1 geldi").arg(g));
            case State::ColumnsValue:
                return fail(QStringLiteral("tablonun \"columns\" üyesi bir dizi olmalı"));
            case State::RowsValue:
                return fail(QStringLiteral("tablonun \"rows\" üyesi bir dizi olmalı"));
            case State::Columns:
                return fail(
                    QStringLiteral("%1. sütunun tanımı bir nesne olmalı").arg(types_.size() + 1));
            case State::ColumnName:
                return fail(QStringLiteral("%1. sütunun adı metin olmalı").arg(types_.size() + 1));
            case State::ColumnType:
                return fail(QStringLiteral("%1. sütunun türü metin olmalı").arg(types_.size() + 1));
            case State::Rows:
                return fail(QStringLiteral("%1. satır bir dizi olmalı").arg(rowNo()));
            default:
                return fail(QStringLiteral("tabloda beklenmeyen %1").arg(g));
        }
    }
    void skipValue() {
        skipReturn_ = state_;
        skipDepth_ = 0;
        state_ = State::Skip;
    }
    bool endSkipped() {
        if (state_ != State::Skip)
            return fail(QStringLiteral("tablonun yapısı bozuk"));
        if (--skipDepth_ == 0)
            state_ = skipReturn_;
        return true;
    }
    bool endColumn() {
        const qsizetype no = qsizetype(types_.size()) + 1;
        if (!haveName_)
            return fail(QStringLiteral("%1. sütunun adı yok").arg(no));
        if (!haveType_)
            return fail(QStringLiteral("%1. sütunun (\"%2\") türü yok").arg(no).arg(name_));
        if (t_.columnIndex(name_) >= 0)
            return fail(QStringLiteral("\"%1\" sütun adı iki kez geçiyor").arg(name_));
        t_.addColumn(name_, type_);
        types_.push_back(type_);
        state_ = State::Columns;
        return true;
    }
    bool endRow() {
        if (col_ != int(types_.size())) {
            return fail(QStringLiteral("%1. satırda %2 hücre var, %3 olmalı")
                            .arg(rowNo())
                            .arg(col_)
                            .arg(types_.size()));
        }
        t_.endRow();
        state_ = State::Rows;
        if (t_.rowCount() == kSampleRows)
            reserveForRest();
        return true;
    }
    // From the bytes the sample rows took and the bytes left, sizes every column once
    // instead of growing it step by step (which copies it and leaves up to half unused).
    void reserveForRest() {
        if (!stream_ || totalBytes_ == 0)
            return;
        const std::size_t pos = stream_->Tell();
        if (pos <= rowsStart_ || pos >= totalBytes_)
            return;
        const double perRow = double(pos - rowsStart_) / kSampleRows;
        const double estimate = kSampleRows + double(totalBytes_ - pos) / perRow;
        const double rows = std::min(estimate * 1.02 + 16, double(std::numeric_limits<int>::max()));
        std::vector<double> bytes = t_.arenaBytesPerRow();
        for (double& b : bytes)
            b *= 1.05;
        t_.reserve(int(rows), bytes);
    }
    bool blob(const char* s, rapidjson::SizeType len) {
        const auto decoded = QByteArray::fromBase64Encoding(
            QByteArray::fromRawData(s, qsizetype(len)), QByteArray::AbortOnBase64DecodingErrors);
        if (!decoded)
            return fail(QStringLiteral("%1: geçerli base64 değil").arg(cellPlace()));
        t_.appendBytes(col_++, decoded.decoded.constData(), std::size_t(decoded.decoded.size()));
        return true;
    }

    MemTable& t_;
    State state_ = State::Start;
    std::vector<FieldType> types_;  // the columns' types, close at hand for every cell
    int col_ = 0;
    bool columnsSeen_ = false;
    bool rowsSeen_ = false;
    QString name_;
    FieldType type_ = FieldType::Text;
    bool haveName_ = false;
    bool haveType_ = false;
    State skipReturn_ = State::Start;
    int skipDepth_ = 0;
    rapidjson::InsituStringStream* stream_ = nullptr;
    std::size_t totalBytes_ = 0;
    std::size_t rowsStart_ = 0;
    QString error_;
};

// The events of a whole answer whose result is a table: "result" goes to the table builder,
// "out" to a document (strings copied), other members are skipped.
class TableReplyHandler {
  public:
    TableReplyHandler(TableBuilder& table, rapidjson::Document& out) : table_(table), out_(out) {}

    bool resultSeen() const { return resultSeen_ && table_.done(); }
    bool outSeen() const { return outSeen_; }
    const QString& error() const { return !table_.error().isEmpty() ? table_.error() : error_; }

    // Forwarded strings are copied: the document must not point into the body.
    bool Null() {
        return route([](auto& h) { return h.Null(); });
    }
    bool Bool(bool b) {
        return route([b](auto& h) { return h.Bool(b); });
    }
    bool Int(int i) {
        return route([i](auto& h) { return h.Int(i); });
    }
    bool Uint(unsigned u) {
        return route([u](auto& h) { return h.Uint(u); });
    }
    bool Int64(std::int64_t i) {
        return route([i](auto& h) { return h.Int64(i); });
    }
    bool Uint64(std::uint64_t u) {
        return route([u](auto& h) { return h.Uint64(u); });
    }
    bool Double(double d) {
        return route([d](auto& h) { return h.Double(d); });
    }
    bool RawNumber(const char* s, rapidjson::SizeType n, bool) {
        return route([=](auto& h) { return h.RawNumber(s, n, true); });
    }
    bool String(const char* s, rapidjson::SizeType n, bool) {
        return route([=](auto& h) { return h.String(s, n, true); });
    }
    bool Key(const char* s, rapidjson::SizeType n, bool) {
        if (state_ != State::Members)
            return route([=](auto& h) { return h.Key(s, n, true); });
        const std::string_view k(s, n);
        if (k == "result") {
            if (resultSeen_)
                return fail(QStringLiteral("cevapta \"result\" iki kez geçiyor"));
            resultSeen_ = true;
            state_ = State::Result;
        } else if (k == "out") {
            if (outSeen_)
                return fail(QStringLiteral("cevapta \"out\" iki kez geçiyor"));
            outSeen_ = true;
            state_ = State::Out;
        } else {
            state_ = State::Skip;
        }
        depth_ = 0;
        return true;
    }
    bool StartObject() {
        if (state_ == State::Top) {
            state_ = State::Members;
            return true;
        }
        return route([](auto& h) { return h.StartObject(); }, 1);
    }
    bool EndObject(rapidjson::SizeType n) {
        if (state_ == State::Members) {
            state_ = State::End;
            return true;
        }
        return route([n](auto& h) { return h.EndObject(n); }, -1);
    }
    bool StartArray() {
        return route([](auto& h) { return h.StartArray(); }, 1, true);
    }
    bool EndArray(rapidjson::SizeType n) {
        return route([n](auto& h) { return h.EndArray(n); }, -1);
    }

  private:
    enum class State { Top, Members, Result, Out, Skip, End };

    template <class Event>
    bool route(Event&& event, int nesting = 0, bool arrayStart = false) {
        switch (state_) {
            case State::Result:
                if (!event(table_))
                    return false;
                if (table_.done())
                    state_ = State::Members;
                return true;
            case State::Out:
                if (depth_ == 0 && !arrayStart)
                    return fail(QStringLiteral("cevabın \"out\" üyesi bir dizi olmalı"));
                event(out_);
                break;
            case State::Skip:
                break;
            default:
                return fail(QStringLiteral("cevap bir nesne olmalı"));
        }
        depth_ += nesting;
        if (depth_ == 0)
            state_ = State::Members;
        return true;
    }
    bool fail(const QString& why) {
        if (error_.isEmpty())
            error_ = why;
        return false;
    }

    TableBuilder& table_;
    rapidjson::Document& out_;
    State state_ = State::Top;
    int depth_ = 0;  // nesting inside the "out" or skipped member's value
    bool resultSeen_ = false;
    bool outSeen_ = false;
    QString error_;
};

// Runs the parser over `text` in place with `handler`; on failure throws with the handler's
// reason, or the parser's when the handler has none.
template <class Handler>
void parseInPlace(std::string& text, Handler& handler, TableBuilder& builder) {
    rapidjson::InsituStringStream ss(text.data());
    builder.watch(&ss, text.size());
    rapidjson::Reader reader;
    rapidjson::ParseResult r;
    try {
        r = reader.Parse<kParseFlags>(ss, handler);
    } catch (const platform::MemTableError& e) {  // a column beyond what the table can hold
        throw unreadable(e.message());
    }
    if (!r) {
        const QString why = handler.error();
        throw unreadable(why.isEmpty() ? parseErrorText(r.Code(), r.Offset()) : why);
    }
    // The stream ends at the first NUL; anything after one was not read.
    if (ss.Tell() != text.size()) {
        throw unreadable(parseErrorText(rapidjson::kParseErrorDocumentRootNotSingular, ss.Tell()));
    }
}

// A reply whose result is not a table, into documents that own their data.
void decodeDomReply(const std::string& body, rapidjson::Document& result,
                    rapidjson::Document& out) {
    // JSON text holds no NUL byte; the parser would take one as the end and drop the rest.
    if (const void* nul = std::memchr(body.data(), 0, body.size())) {
        throw unreadable(parseErrorText(rapidjson::kParseErrorDocumentRootNotSingular,
                                        std::size_t(static_cast<const char*>(nul) - body.data())));
    }
    result.Parse<rapidjson::kParseFullPrecisionFlag>(body.data(), body.size());
    if (result.HasParseError()) {
        const QString why = parseErrorText(result.GetParseError(), result.GetErrorOffset());
        result.SetNull();
        throw unreadable(why);
    }
    if (!result.IsObject()) {
        result.SetNull();
        throw unreadable(QStringLiteral("cevap bir nesne olmalı"));
    }
    rapidjson::Value* res = nullptr;
    rapidjson::Value* outs = nullptr;
    QString why;
    for (auto& m : result.GetObject()) {
        const std::string_view name(m.name.GetString(), m.name.GetStringLength());
        rapidjson::Value** slot = name == "result" ? &res : name == "out" ? &outs : nullptr;
        if (!slot)
            continue;
        if (*slot) {
            why = QStringLiteral("cevapta \"%1\" iki kez geçiyor")
                      .arg(QLatin1String(name.data(), qsizetype(name.size())));
            break;
        }
        *slot = &m.value;
    }
    if (why.isEmpty() && !res)
        why = QStringLiteral("cevapta \"result\" yok");
    if (why.isEmpty() && outs && !outs->IsArray())
        why = QStringLiteral("cevabın \"out\" üyesi bir dizi olmalı");
    if (!why.isEmpty()) {
        result.SetNull();
        throw unreadable(why);
    }
    if (outs)
        out.CopyFrom(*outs, out.GetAllocator());  // the parse copied every string
    // The result value becomes the document's root; both live in the document's allocator.
    rapidjson::Value value;
    value.Swap(*res);
    static_cast<rapidjson::Value&>(result).Swap(value);
}

}  // namespace

void decodeReply(std::string& body, ValueType resultType, MemTable& table,
                 rapidjson::Document& result, rapidjson::Document& out) {
    result.SetNull();
    out.SetArray();
    if (resultType != ValueType::Table) {
        decodeDomReply(body, result, out);
        return;
    }
    TableBuilder builder(table);
    try {
        // The out array's events go straight into `out`, which takes them as its value once
        // the whole answer is read.
        auto parse = [&](rapidjson::Document& outValue) {
            TableReplyHandler handler(builder, outValue);
            parseInPlace(body, handler, builder);
            if (!handler.resultSeen())
                throw unreadable(QStringLiteral("cevapta \"result\" yok"));
            if (!handler.outSeen())
                return outValue.StartArray() && outValue.EndArray(0);
            return true;
        };
        out.Populate(parse);
    } catch (...) {
        table.clear();
        out.SetArray();
        throw;
    }
}

void decodeTable(std::string& json, MemTable& table) {
    TableBuilder builder(table);
    try {
        parseInPlace(json, builder, builder);
    } catch (...) {
        table.clear();
        throw;
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
                    w.Bool(t.toBool(r, c));
                    break;
                case FieldType::Double:
                case FieldType::Currency:
                case FieldType::DateTime: {
                    const double d = t.toDouble(r, c);
                    if (!std::isfinite(d)) {
                        throw RemoteError(
                            QStringLiteral("Tablo gönderilemedi: %1. satır, \"%2\" sütununda "
                                           "sayı olmayan değer")
                                .arg(r + 1)
                                .arg(t.columnName(c)));
                    }
                    w.Double(d);
                    break;
                }
                case FieldType::Text: {
                    const std::string_view b = t.bytes(r, c);
                    w.String(b.data(), rapidjson::SizeType(b.size()));
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
