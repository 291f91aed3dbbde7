#include "platform/MemTable.h"

#include <QLocale>
#include <algorithm>
#include <cmath>
#include <limits>

#include "platform/NumberFormat.h"

namespace kv::platform {

namespace {

constexpr const char* kTypeNames[] = {"int32", "int64", "double",   "currency",
                                      "text",  "bool",  "datetime", "blob"};

constexpr double kMsPerDay = 86400000.0;
// 1 January 0001 and 31 December 9999 as date numbers.
constexpr double kFirstDay = -693593.0;
constexpr double kLastDay = 2958466.0;

template <class V>
std::size_t bytesOf(const std::vector<V>& v) {
    return v.capacity() * sizeof(V);
}

template <class V>
void shrinkIfLoose(std::vector<V>& v) {
    // Giving back a few percent is not worth copying the whole column.
    if (v.capacity() - v.size() > v.capacity() / 16)
        v.shrink_to_fit();
}

QLocale plainLocale() {
    QLocale loc;
    loc.setNumberOptions(loc.numberOptions() | QLocale::OmitGroupSeparator);
    return loc;
}

}  // namespace

const char* fieldTypeName(FieldType t) {
    return kTypeNames[int(t)];
}

bool parseFieldType(std::string_view name, FieldType& out) {
    for (int i = 0; i < int(std::size(kTypeNames)); ++i) {
        if (name == kTypeNames[i]) {
            out = FieldType(i);
            return true;
        }
    }
    return false;
}

bool isNumeric(FieldType t) {
    return t == FieldType::Int32 || t == FieldType::Int64 || t == FieldType::Double ||
           t == FieldType::Currency;
}

QDateTime dateTimeFromDays(double days) {
    if (!std::isfinite(days) || days < kFirstDay || days >= kLastDay)
        return QDateTime();
    double whole = std::trunc(days);
    qint64 ms = std::llround(std::fabs(days - whole) * kMsPerDay);
    if (ms >= qint64(kMsPerDay)) {  // a fraction that rounds up to the next midnight
        ms = 0;
        whole += 1;  // the next calendar day, for negative day numbers as well
    }
    const QDate date = QDate(1899, 12, 30).addDays(qint64(whole));
    // Wall-clock values: no time zone, so no daylight-saving gap can shift them.
    return QDateTime(date, QTime::fromMSecsSinceStartOfDay(int(ms)), Qt::UTC);
}

MemTable::Storage MemTable::storageOf(FieldType t) {
    switch (t) {
        case FieldType::Int32:
        case FieldType::Bool:
            return Storage::I32;
        case FieldType::Int64:
            return Storage::I64;
        case FieldType::Double:
        case FieldType::Currency:
        case FieldType::DateTime:
            return Storage::Real;
        case FieldType::Text:
        case FieldType::Blob:
            break;
    }
    return Storage::Bytes;
}

const MemTable::Column& MemTable::cell(int row, int col) const {
    Q_ASSERT(col >= 0 && col < columnCount());
    Q_ASSERT(row >= 0 && row < rows_);
    return columns_[std::size_t(col)];
}

void MemTable::clear() {
    columns_.clear();
    columns_.shrink_to_fit();
    rows_ = 0;
    recNo_ = 0;
    active_ = false;
}

int MemTable::columnIndex(QStringView name) const {
    for (int i = 0; i < int(columns_.size()); ++i) {
        if (columns_[std::size_t(i)].name == name)
            return i;
    }
    return -1;
}

QVariant MemTable::value(int row, int col) const {
    if (isNull(row, col))
        return QVariant();
    const Column& c = cell(row, col);
    const std::size_t r = std::size_t(row);
    switch (c.type) {
        case FieldType::Int32:
            return QVariant(qint32(c.i32[r]));
        case FieldType::Bool:
            return QVariant(c.i32[r] != 0);
        case FieldType::Int64:
            return QVariant(qint64(c.i64[r]));
        case FieldType::Double:
        case FieldType::Currency:
        case FieldType::DateTime:
            return QVariant(c.reals[r]);
        case FieldType::Text:
            return QVariant(toText(row, col));
        case FieldType::Blob:
            return QVariant(toBlob(row, col));
    }
    return QVariant();
}

std::string_view MemTable::bytes(int row, int col) const {
    const Column& c = cell(row, col);
    if (c.storage != Storage::Bytes || isNull(row, col))
        return {};
    const std::uint32_t begin = row == 0 ? 0 : c.ends[std::size_t(row) - 1];
    return std::string_view(c.arena.data() + begin, c.ends[std::size_t(row)] - begin);
}

std::int64_t MemTable::toInt(int row, int col) const {
    if (isNull(row, col))
        return 0;
    const Column& c = cell(row, col);
    const std::size_t r = std::size_t(row);
    switch (c.storage) {
        case Storage::I32:
            return c.i32[r];
        case Storage::I64:
            return c.i64[r];
        case Storage::Real: {
            const double v = std::trunc(c.reals[r]);
            // Out-of-range reals saturate instead of overflowing the conversion.
            if (v >= 9.2233720368547758e18)
                return std::numeric_limits<std::int64_t>::max();
            if (v <= -9.2233720368547758e18)
                return std::numeric_limits<std::int64_t>::min();
            return std::int64_t(v);
        }
        case Storage::Bytes:
            break;
    }
    return toText(row, col).trimmed().toLongLong();
}

double MemTable::toDouble(int row, int col) const {
    if (isNull(row, col))
        return 0.0;
    const Column& c = cell(row, col);
    const std::size_t r = std::size_t(row);
    switch (c.storage) {
        case Storage::I32:
            return c.i32[r];
        case Storage::I64:
            return double(c.i64[r]);
        case Storage::Real:
            return c.reals[r];
        case Storage::Bytes:
            break;
    }
    return toText(row, col).trimmed().toDouble();
}

QString MemTable::toText(int row, int col) const {
    if (isNull(row, col))
        return QString();
    const Column& c = cell(row, col);
    const std::size_t r = std::size_t(row);
    switch (c.storage) {
        case Storage::I32:
            return QString::number(c.i32[r]);
        case Storage::I64:
            return QString::number(c.i64[r]);
        case Storage::Real:
            return QString::number(c.reals[r], 'g', QLocale::FloatingPointShortest);
        case Storage::Bytes:
            break;
    }
    const std::string_view b = bytes(row, col);
    return QString::fromUtf8(b.data(), qsizetype(b.size()));
}

QByteArray MemTable::toBlob(int row, int col) const {
    if (isNull(row, col))
        return QByteArray();
    if (cell(row, col).storage != Storage::Bytes)
        return toText(row, col).toUtf8();
    const std::string_view b = bytes(row, col);
    return QByteArray(b.data(), qsizetype(b.size()));
}

QString MemTable::displayText(int row, int col) const {
    if (isNull(row, col))
        return QString();
    const Column& c = cell(row, col);
    const std::size_t r = std::size_t(row);
    switch (c.type) {
        case FieldType::Int32:
        case FieldType::Int64: {
            const std::int64_t v = c.type == FieldType::Int32 ? c.i32[r] : c.i64[r];
            if (!c.displayFormat.isEmpty())
                return formatFloat(c.displayFormat, double(v));
            return plainLocale().toString(qlonglong(v));
        }
        case FieldType::Double:
        case FieldType::Currency:
            if (!c.displayFormat.isEmpty())
                return formatFloat(c.displayFormat, c.reals[r]);
            return plainLocale().toString(c.reals[r], 'g', 15);
        case FieldType::Bool:
            return c.i32[r] ? QStringLiteral("Evet") : QStringLiteral("Hayır");
        case FieldType::DateTime: {
            const QDateTime dt = dateTimeFromDays(c.reals[r]);
            if (!dt.isValid())
                return plainLocale().toString(c.reals[r], 'g', 15);
            if (!c.displayFormat.isEmpty())
                return dt.toString(c.displayFormat);
            const QTime t = dt.time();
            if (t.msecsSinceStartOfDay() == 0)
                return dt.toString(QStringLiteral("dd.MM.yyyy"));
            return dt.toString(t.second() == 0 ? QStringLiteral("dd.MM.yyyy HH:mm")
                                               : QStringLiteral("dd.MM.yyyy HH:mm:ss"));
        }
        case FieldType::Text:
            return toText(row, col);
        case FieldType::Blob:
            return QString();
    }
    return QString();
}

bool MemTable::first() {
    recNo_ = 0;
    return rows_ > 0;
}

bool MemTable::next() {
    if (recNo_ < rows_)
        ++recNo_;
    return recNo_ < rows_;
}

void MemTable::setRecNo(int row) {
    recNo_ = row < 0 ? 0 : row > rows_ ? rows_ : row;
}

QVariant MemTable::fieldByName(QStringView name) const {
    const int col = columnIndex(name);
    if (col < 0)
        throw MemTableError(QStringLiteral("Tabloda \"%1\" adlı alan yok").arg(name));
    if (eof())
        throw MemTableError(
            QStringLiteral("Tabloda geçerli satır yok (\"%1\" okunamadı)").arg(name));
    return value(recNo_, col);
}

void MemTable::copyFrom(const MemTable& other) {
    if (&other == this) {
        recNo_ = 0;
        return;
    }
    // Copy first, then swap, so a failed allocation leaves this table as it was.
    std::vector<Column> columns = other.columns_;
    columns_.swap(columns);
    rows_ = other.rows_;
    active_ = other.active_;
    recNo_ = 0;
}

std::size_t MemTable::memoryBytes() const {
    std::size_t n = sizeof(*this) + bytesOf(columns_);
    for (const Column& c : columns_) {
        n += bytesOf(c.i32) + bytesOf(c.i64) + bytesOf(c.reals) + bytesOf(c.ends) +
             bytesOf(c.arena) + bytesOf(c.nulls);
        n += std::size_t(c.name.capacity() + c.displayFormat.capacity()) * sizeof(QChar);
    }
    return n;
}

// ---- Building

void MemTable::beginBuild() {
    clear();
}

void MemTable::addColumn(const QString& name, FieldType type) {
    Q_ASSERT(!active_);
    Column c;
    c.name = name;
    c.type = type;
    c.storage = storageOf(type);
    columns_.push_back(std::move(c));
}

void MemTable::endColumns() {
    active_ = true;
}

void MemTable::appendNull(int col) {
    Column& c = columns_[std::size_t(col)];
    const std::size_t word = std::size_t(rows_) >> 6;
    if (c.nulls.size() <= word) {
        // Room for the rows still expected, so a column full of nulls grows its bitmap rarely.
        const std::size_t want = std::max(word + 1, (c.i32.capacity() + c.i64.capacity() +
                                                     c.reals.capacity() + c.ends.capacity() + 63) >>
                                                        6);
        c.nulls.reserve(want);
        c.nulls.resize(word + 1, 0);
    }
    c.nulls[word] |= std::uint64_t(1) << (rows_ & 63);
    switch (c.storage) {
        case Storage::I32:
            c.i32.push_back(0);
            break;
        case Storage::I64:
            c.i64.push_back(0);
            break;
        case Storage::Real:
            c.reals.push_back(0.0);
            break;
        case Storage::Bytes:
            c.ends.push_back(std::uint32_t(c.arena.size()));
            break;
    }
}

void MemTable::arenaFull(const Column& c) {
    throw MemTableError(QStringLiteral("\"%1\" sütununun verisi 4 GB sınırını aşıyor").arg(c.name));
}

void MemTable::endRow() {
#ifndef NDEBUG
    for (const Column& c : columns_) {
        const std::size_t n = c.i32.size() + c.i64.size() + c.reals.size() + c.ends.size();
        Q_ASSERT(n == std::size_t(rows_) + 1);
    }
#endif
    ++rows_;
}

void MemTable::endBuild() {
    for (Column& c : columns_) {
        shrinkIfLoose(c.i32);
        shrinkIfLoose(c.i64);
        shrinkIfLoose(c.reals);
        shrinkIfLoose(c.ends);
        shrinkIfLoose(c.arena);
        shrinkIfLoose(c.nulls);
    }
    recNo_ = 0;
}

void MemTable::reserve(int rows, const std::vector<double>& bytesPerRow) {
    const std::size_t n = std::size_t(std::max(rows, rows_));
    for (std::size_t i = 0; i < columns_.size(); ++i) {
        Column& c = columns_[i];
        switch (c.storage) {
            case Storage::I32:
                c.i32.reserve(n);
                break;
            case Storage::I64:
                c.i64.reserve(n);
                break;
            case Storage::Real:
                c.reals.reserve(n);
                break;
            case Storage::Bytes: {
                c.ends.reserve(n);
                const double per = i < bytesPerRow.size() ? bytesPerRow[i] : 0.0;
                const double want = std::min(per * double(n), 4294967295.0);
                if (want > double(c.arena.capacity()))
                    c.arena.reserve(std::size_t(want));
                break;
            }
        }
    }
}

std::vector<double> MemTable::arenaBytesPerRow() const {
    std::vector<double> out(columns_.size(), 0.0);
    if (rows_ == 0)
        return out;
    for (std::size_t i = 0; i < columns_.size(); ++i)
        out[i] = double(columns_[i].arena.size()) / double(rows_);
    return out;
}

}  // namespace kv::platform
