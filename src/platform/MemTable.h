// The client's in-memory table: typed columns whose rows are replaced wholesale by a remote
// result and shown in grids; the program never edits them. Storage is column-wise (texts in
// one UTF-8 arena per column, a null bitmap per column) so a 100 000-row result stays compact.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringView>
#include <QVariant>
#include <cstdint>
#include <stdexcept>
#include <vector>

namespace kv::platform {

enum class FieldType : std::uint8_t { Int32, Int64, Double, Currency, Text, Bool, DateTime, Blob };

// Name as on the wire ("int32", ...); parse returns false for an unknown name.
const char* fieldTypeName(FieldType t);
bool parseFieldType(std::string_view name, FieldType& out);

class MemTableError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

class MemTable {
  public:
    struct Column {
        QString name;
        FieldType type;
        QString displayFormat;
        std::vector<std::int64_t> ints;      // Int32, Int64, Bool
        std::vector<double> reals;           // Double, Currency, DateTime
        std::vector<std::uint32_t> offsets;  // Text, Blob: end offset of each cell in arena
        std::vector<char> arena;
        std::vector<std::uint64_t> nulls;  // bit per row
    };

    MemTable() = default;

    // Structure
    void clear();
    bool isActive() const { return active_; }
    int columnCount() const { return int(columns_.size()); }
    int rowCount() const { return rows_; }
    const QString& columnName(int col) const { return columns_[col].name; }
    FieldType columnType(int col) const { return columns_[col].type; }
    int columnIndex(QStringView name) const;

    // Cells
    bool isNull(int row, int col) const {
        const auto& n = columns_[col].nulls;
        return (n[std::size_t(row) >> 6] >> (row & 63)) & 1u;
    }
    QVariant value(int row, int col) const;
    std::int64_t toInt(int row, int col) const;  // 0 for null; bool as 0/1; reals truncated
    double toDouble(int row, int col) const;     // 0 for null
    QString toText(int row, int col) const;      // texts as stored, numbers in C locale
    QByteArray toBlob(int row, int col) const;

    // Display
    void setDisplayFormat(int col, const QString& pattern) {
        columns_[col].displayFormat = pattern;
    }
    const QString& displayFormat(int col) const { return columns_[col].displayFormat; }
    // The text a grid shows: numbers under the default locale (with the column's display
    // format for Double columns), dates as dd.MM.yyyy, null as empty text.
    QString displayText(int row, int col) const;

    // Cursor
    bool first();
    bool next();
    bool eof() const { return rows_ == 0 || recNo_ >= rows_; }
    int recNo() const { return recNo_; }
    void setRecNo(int row) { recNo_ = row; }
    QVariant fieldByName(QStringView name) const;

    // Wholesale replace by another table (columns with their types, then every row in order).
    void copyFrom(const MemTable& other);

    // Controls: a grid bound to this table ignores it while disabled.
    void disableControls() { ++disabled_; }
    void enableControls() {
        if (disabled_ > 0)
            --disabled_;
    }
    bool controlsDisabled() const { return disabled_ > 0; }

    std::size_t memoryBytes() const;

    // Building, used by the wire decoder: start with the columns, then append cells row by
    // row (exactly one per column, in order) and end each row.
    void beginBuild();
    void addColumn(const QString& name, FieldType type);
    void endColumns();
    void appendNull(int col);
    void appendInt(int col, std::int64_t v);
    void appendReal(int col, double v);
    void appendBytes(int col, const char* data, std::size_t size);
    void endRow();
    void endBuild();

    const Column& column(int col) const { return columns_[col]; }

  private:
    void setNullBit(Column& c, int row);
    std::vector<Column> columns_;
    int rows_ = 0;
    int recNo_ = 0;
    int disabled_ = 0;
    bool active_ = false;
};

}  // namespace kv::platform
