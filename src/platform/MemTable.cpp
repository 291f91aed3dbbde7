#include "platform/MemTable.h"

#include <QDate>
#include <QLocale>
#include <cmath>

#include "platform/NumberFormat.h"

namespace kv::platform {

namespace {
constexpr const char* kTypeNames[] = {"int32", "int64", "double",   "currency",
                                      "text",  "bool",  "datetime", "blob"};

bool usesInts(FieldType t) {
    return t == FieldType::Int32 || t == FieldType::Int64 || t == FieldType::Bool;
}
bool usesReals(FieldType t) {
    return t == FieldType::Double || t == FieldType::Currency || t == FieldType::DateTime;
}
}  // namespace

const char* fieldTypeName(FieldType t) {
    return kTypeNames[int(t)];
}

bool parseFieldType(std::string_view name, FieldType& out) {
    for (int i = 0; i < 8; ++i) {
        if (name == kTypeNames[i]) {
            out = FieldType(i);
            return true;
        }
    }
    return false;
}

void MemTable::clear() {
    columns_.clear();
    rows_ = 0;
    recNo_ = 0;
    active_ = false;
}

int MemTable::columnIndex(QStringView name) const {
    for (int i = 0; i < int(columns_.size()); ++i) {
        if (columns_[i].name == name)
            return i;
    }
    return -1;
}

QVariant MemTable::value(int row, int col) const {
    if (isNull(row, col))
        return QVariant();
    const Column& c = columns_[col];
    switch (c.type) {
        case FieldType::Int32:
            return QVariant(qint32(c.ints[row]));
        case FieldType::Int64:
            return QVariant(qint64(c.ints[row]));
        case FieldType::Bool:
            return QVariant(c.ints[row] != 0);
        case FieldType::Double:
        case FieldType::Currency:
        case FieldType::DateTime:
            return QVariant(c.reals[row]);
        case FieldType::Text:
            return QVariant(toText(row, col));
        case FieldType::Blob:
            return QVariant(toBlob(row, col));
    }
    return QVariant();
}

std::int64_t MemTable::toInt(int row, int col) const {
    if (isNull(row, col))
        return 0;
    const Column& c = columns_[col];
    if (usesInts(c.type))
        return c.ints[row];
    if (usesReals(c.type))
        return std::int64_t(c.reals[row]);
    return toText(row, col).trimmed().toLongLong();
}

double MemTable::toDouble(int row, int col) const {
    if (isNull(row, col))
        return 0.0;
    const Column& c = columns_[col];
    if (usesReals(c.type))
        return c.reals[row];
    if (usesInts(c.type))
        return double(c.ints[row]);
    return toText(row, col).trimmed().toDouble();
}

QString MemTable::toText(int row, int col) const {
    if (isNull(row, col))
        return QString();
    const Column& c = columns_[col];
    if (c.type == FieldType::Text || c.type == FieldType::Blob) {
        const std::uint32_t begin = row == 0 ? 0 : c.offsets[row - 1];
        return QString::fromUtf8(c.arena.data() + begin, qsizetype(c.offsets[row] - begin));
    }
    if (usesInts(c.type))
        return QString::number(c.ints[row]);
    return QString::number(c.reals[row], 'g', 15);
}

QByteArray MemTable::toBlob(int row, int col) const {
    if (isNull(row, col))
        return QByteArray();
    const Column& c = columns_[col];
    if (c.type != FieldType::Text && c.type != FieldType::Blob)
        return toText(row, col).toUtf8();
    const std::uint32_t begin = row == 0 ? 0 : c.offsets[row - 1];
    return QByteArray(c.arena.data() + begin, qsizetype(c.offsets[row] - begin));
}

QString MemTable::displayText(int row, int col) const {
    if (isNull(row, col))
        return QString();
    const Column& c = columns_[col];
    const QLocale loc;
    switch (c.type) {
        case FieldType::Int32:
        case FieldType::Int64:
            return loc.toString(qlonglong(c.ints[row]));
        case FieldType::Bool:
            return c.ints[row] ? QStringLiteral("Evet") : QStringLiteral("Hayır");
        case FieldType::Double:
            if (!c.displayFormat.isEmpty())
                return formatFloat(c.displayFormat, c.reals[row], loc);
            return loc.toString(c.reals[row], 'g', 15);
        case FieldType::Currency: {
            QLocale plain = loc;
            plain.setNumberOptions(QLocale::OmitGroupSeparator);
            return plain.toString(c.reals[row], 'g', 15);
        }
        case FieldType::DateTime: {
            const double v = c.reals[row];
            const QDateTime dt = QDateTime(QDate(1899, 12, 30), QTime(0, 0))
                                     .addMSecs(qint64(std::llround(v * 86400000.0)));
            if (std::fabs(v - std::floor(v)) < 1e-9)
                return dt.date().toString(QStringLiteral("dd.MM.yyyy"));
            return dt.toString(QStringLiteral("dd.MM.yyyy HH:mm"));
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

QVariant MemTable::fieldByName(QStringView name) const {
    const int col = columnIndex(name);
    if (col < 0) {
        throw MemTableError("Tabloda \"" + name.toString().toStdString() + "\" alanı yok");
    }
    if (eof())
        throw MemTableError("Tabloda geçerli satır yok");
    return value(recNo_, col);
}

void MemTable::copyFrom(const MemTable& other) {
    if (&other == this)
        return;
    columns_ = other.columns_;
    rows_ = other.rows_;
    active_ = other.active_;
    recNo_ = 0;
}

std::size_t MemTable::memoryBytes() const {
    std::size_t n = sizeof(*this) + columns_.capacity() * sizeof(Column);
    for (const Column& c : columns_) {
        n += c.ints.capacity() * sizeof(std::int64_t) + c.reals.capacity() * sizeof(double) +
             c.offsets.capacity() * sizeof(std::uint32_t) + c.arena.capacity() +
             c.nulls.capacity() * sizeof(std::uint64_t) + std::size_t(c.name.capacity()) * 2;
    }
    return n;
}

void MemTable::beginBuild() {
    clear();
}

void MemTable::addColumn(const QString& name, FieldType type) {
    Column c;
    c.name = name;
    c.type = type;
    columns_.push_back(std::move(c));
}

void MemTable::endColumns() {
    active_ = true;
}

void MemTable::setNullBit(Column& c, int row) {
    const std::size_t word = std::size_t(row) >> 6;
    if (c.nulls.size() <= word)
        c.nulls.resize(word + 1, 0);
    c.nulls[word] |= std::uint64_t(1) << (row & 63);
}

void MemTable::appendNull(int col) {
    Column& c = columns_[col];
    setNullBit(c, rows_);
    if (usesInts(c.type)) {
        c.ints.push_back(0);
    } else if (usesReals(c.type)) {
        c.reals.push_back(0.0);
    } else {
        c.offsets.push_back(std::uint32_t(c.arena.size()));
    }
}

void MemTable::appendInt(int col, std::int64_t v) {
    columns_[col].ints.push_back(v);
}

void MemTable::appendReal(int col, double v) {
    columns_[col].reals.push_back(v);
}

void MemTable::appendBytes(int col, const char* data, std::size_t size) {
    Column& c = columns_[col];
    if (c.arena.size() + size > 0xFFFFFFFFu)
        throw MemTableError("Tablo sütunu çok büyük");
    c.arena.insert(c.arena.end(), data, data + size);
    c.offsets.push_back(std::uint32_t(c.arena.size()));
}

void MemTable::endRow() {
    ++rows_;
    // Keep every null bitmap long enough to answer isNull for every row.
    if ((rows_ & 63) == 1) {
        const std::size_t words = (std::size_t(rows_) + 63) >> 6;
        for (Column& c : columns_) {
            if (c.nulls.size() < words)
                c.nulls.resize(words, 0);
        }
    }
}

void MemTable::endBuild() {
    for (Column& c : columns_) {
        c.ints.shrink_to_fit();
        c.reals.shrink_to_fit();
        c.offsets.shrink_to_fit();
        c.arena.shrink_to_fit();
        c.nulls.shrink_to_fit();
    }
    recNo_ = 0;
}

}  // namespace kv::platform
