// The client's in-memory table: typed columns whose rows are replaced wholesale by a remote
// result and shown in grids; the program never edits single cells. Storage is column-wise
// (fixed-size values in one vector per column, texts and blobs in one byte arena per column
// with end offsets, a null bitmap per column) so a 100 000-row result stays compact and no
// cell holds a QString or QVariant of its own.
//
// Threads: a table is used by one thread at a time. A worker may fill a table while every
// model showing it is detached; nothing else touches it meanwhile.
#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QStringView>
#include <QVariant>
#include <cstdint>
#include <stdexcept>
#include <string_view>
#include <vector>

namespace kv::platform {

enum class FieldType : std::uint8_t { Int32, Int64, Double, Currency, Text, Bool, DateTime, Blob };

// The type's name on the wire ("int32", ...); parseFieldType returns false for an unknown name.
const char* fieldTypeName(FieldType t);
bool parseFieldType(std::string_view name, FieldType& out);
// Int32, Int64, Double and Currency: the types a grid right-aligns.
bool isNumeric(FieldType t);

// A date number (days since 30 December 1899, the fraction the time of day; for days before
// that the fraction still counts forward from midnight) as a wall-clock date and time, kept
// in UTC so no time-zone rule shifts it. Invalid outside the years 1 to 9999.
QDateTime dateTimeFromDays(double days);

class MemTableError : public std::runtime_error {
  public:
    explicit MemTableError(const QString& message)
        : std::runtime_error(message.toStdString()), message_(message) {}
    const QString& message() const { return message_; }

  private:
    QString message_;
};

class MemTable {
  public:
    // ---- Structure
    // Drops columns and rows; the table becomes inactive. The controls count is kept.
    void clear();
    // Open: it has its columns, from a copy or a decoded result.
    bool isActive() const { return active_; }
    int columnCount() const { return int(columns_.size()); }
    int rowCount() const { return rows_; }
    const QString& columnName(int col) const { return columns_[std::size_t(col)].name; }
    FieldType columnType(int col) const { return columns_[std::size_t(col)].type; }
    // Exact, case-sensitive match; -1 when there is no such column.
    int columnIndex(QStringView name) const;

    // ---- Cells (row and column must be in range)
    bool isNull(int row, int col) const {
        const auto& n = columns_[std::size_t(col)].nulls;
        const std::size_t word = std::size_t(row) >> 6;
        return word < n.size() && ((n[word] >> (row & 63)) & 1u);
    }
    // Invalid for null; otherwise QString (text), qint32, qint64, double (double, currency and
    // datetime as days since 1899-12-30), bool, or QByteArray (blob).
    QVariant value(int row, int col) const;
    // Typed reads without QVariant; null reads as 0, false or empty. Numbers convert between
    // each other (reals truncate towards zero); texts are parsed in the C locale.
    std::int64_t toInt(int row, int col) const;
    double toDouble(int row, int col) const;
    bool toBool(int row, int col) const { return toInt(row, col) != 0; }
    QString toText(int row, int col) const;  // numbers in the C locale
    QByteArray toBlob(int row, int col) const;
    // The stored bytes of a text (UTF-8) or blob cell; empty for null and other types. Valid
    // until the table changes.
    std::string_view bytes(int row, int col) const;

    // ---- Display
    // A number picture for numeric columns (see NumberFormat.h), a QDateTime pattern for
    // datetime columns; empty for the default form.
    void setDisplayFormat(int col, const QString& pattern) {
        columns_[std::size_t(col)].displayFormat = pattern;
    }
    const QString& displayFormat(int col) const { return columns_[std::size_t(col)].displayFormat; }
    // The text a grid shows, under the default QLocale: numbers by the column's picture, or
    // without digit grouping when it has none; dates as dd.MM.yyyy with the time when there
    // is one; booleans as "Evet"/"Hayır"; null and blobs as empty text.
    QString displayText(int row, int col) const;

    // ---- Cursor
    bool first();  // to the first row; false when there is none
    bool next();   // one row on; false when that passes the last row
    bool eof() const { return recNo_ >= rows_; }
    int recNo() const { return recNo_; }
    void setRecNo(int row);  // clamped to 0..rowCount()
    // The value of the named field in the current row. Throws MemTableError for an unknown
    // field or when there is no current row.
    QVariant fieldByName(QStringView name) const;

    // Wholesale replace: the other table's columns with their types and display formats, then
    // all its rows in order. The cursor goes to the first row; the controls count is kept.
    void copyFrom(const MemTable& other);

    // ---- Controls: nesting count that a bound view may consult before redrawing.
    void disableControls() { ++disabled_; }
    void enableControls() {
        if (disabled_ > 0)
            --disabled_;
    }
    bool controlsDisabled() const { return disabled_ > 0; }

    // Bytes held by the table's storage (allocated capacity included).
    std::size_t memoryBytes() const;

    // ---- Building, used by the wire decoder. beginBuild() empties the table; then the
    // columns; endColumns() opens it; then, row by row, exactly one append per column in
    // column order, each of the column's kind (appendInt for Int32, Int64 and Bool,
    // appendReal for Double, Currency and DateTime, appendBytes for Text and Blob), and
    // endRow(); finally endBuild(). reserve() may be called any time after endColumns().
    void beginBuild();
    void addColumn(const QString& name, FieldType type);
    void endColumns();
    void appendNull(int col);
    void appendInt(int col, std::int64_t v) {
        Column& c = columns_[std::size_t(col)];
        Q_ASSERT(c.storage == Storage::I32 || c.storage == Storage::I64);
        if (c.storage == Storage::I32)
            c.i32.push_back(std::int32_t(v));
        else
            c.i64.push_back(v);
    }
    void appendReal(int col, double v) {
        Column& c = columns_[std::size_t(col)];
        Q_ASSERT(c.storage == Storage::Real);
        c.reals.push_back(v);
    }
    void appendBytes(int col, const char* data, std::size_t size) {
        Column& c = columns_[std::size_t(col)];
        Q_ASSERT(c.storage == Storage::Bytes);
        if (size > kMaxArena - c.arena.size())
            arenaFull(c);
        c.arena.insert(c.arena.end(), data, data + size);
        c.ends.push_back(std::uint32_t(c.arena.size()));
    }
    void endRow();
    void endBuild();
    // Room for `rows` rows in all, and for text and blob columns `bytesPerRow` bytes each.
    void reserve(int rows, const std::vector<double>& bytesPerRow);
    // Average stored bytes per row of each column's arena so far (0 for other columns).
    std::vector<double> arenaBytesPerRow() const;

  private:
    enum class Storage : std::uint8_t { I32, I64, Real, Bytes };
    struct Column {
        QString name;
        FieldType type = FieldType::Text;
        Storage storage = Storage::Bytes;
        QString displayFormat;
        std::vector<std::int32_t> i32;     // Int32, Bool
        std::vector<std::int64_t> i64;     // Int64
        std::vector<double> reals;         // Double, Currency, DateTime
        std::vector<std::uint32_t> ends;   // Text, Blob: end offset of each cell in the arena
        std::vector<char> arena;           // Text (UTF-8), Blob
        std::vector<std::uint64_t> nulls;  // one bit per row, grown only when a null comes
    };
    static constexpr std::size_t kMaxArena = 0xFFFFFFFFu;  // offsets are 32-bit
    static Storage storageOf(FieldType t);
    [[noreturn]] static void arenaFull(const Column& c);
    const Column& cell(int row, int col) const;

    std::vector<Column> columns_;
    int rows_ = 0;
    int recNo_ = 0;
    int disabled_ = 0;
    bool active_ = false;
};

}  // namespace kv::platform
