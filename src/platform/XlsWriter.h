// A writer of legacy Excel workbooks (.xls: BIFF8 records in a compound document) with one
// worksheet. Cells go in row by row, left to right: texts (kept once in the shared string
// table, Unicode intact), numbers with a number format, booleans and empty cells; dates are
// numbers (Excel serials) with a date format. The file is written atomically.
//
// The format's limits are refused with a Turkish message instead of writing a file that Excel
// would cut or reject: 65 536 rows, 256 columns, 32 767 characters in a cell.
#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <stdexcept>
#include <vector>

namespace kv::platform {

class XlsError : public std::runtime_error {
  public:
    explicit XlsError(const QString& message)
        : std::runtime_error(message.toStdString()), message_(message) {}
    const QString& message() const { return message_; }

  private:
    QString message_;
};

// Days since 1899-12-30 (the program's date numbers) as the serial Excel shows as the same
// date and time. False before 1 March 1900, where Excel's calendar counts a day that never
// was, and from the year 10000 on.
bool excelDateSerial(double days, double& serial);

class XlsWriter {
  public:
    static constexpr int kMaxRows = 65536;
    static constexpr int kMaxColumns = 256;
    static constexpr int kMaxTextLength = 32767;

    // Throws XlsError for a sheet name Excel does not accept (1 to 31 characters, none of
    // : \ / ? * [ ], not starting or ending with an apostrophe).
    explicit XlsWriter(const QString& sheetName = QStringLiteral("Sayfa1"));

    // A cell style: an Excel number format ("" for General, "#,##0.00", "dd.mm.yyyy", ...)
    // and the font weight. The same pair gives the same style; style 0 is General, not bold.
    int addStyle(const QString& numberFormat, bool bold = false);
    // Column width in characters of the default font (0 to 255).
    void setColumnWidth(int column, double characters);

    // Starts the next row; the first cell written before any call starts row 0.
    void newRow();
    // Cells of the current row, at the next column. An empty text makes an empty cell.
    void addText(const QString& text, int style = 0);
    void addNumber(double value, int style = 0);
    void addBool(bool value, int style = 0);
    void addEmpty(int count = 1);

    int rowCount() const { return int(rows_.size()); }

    // The workbook stream (globals, then the sheet) as stored in the file.
    QByteArray workbookStream() const;
    // Writes the compound file atomically; throws XlsError when it cannot.
    void save(const QString& path) const;

  private:
    struct Style {
        int format = 0;  // format index: 0 General, 164 and on our own
        bool bold = false;
    };
    struct Row {
        std::uint16_t firstColumn = 0;
        std::uint16_t endColumn = 0;  // one past the last cell
        std::size_t begin = 0;        // its cell records in cells_
        std::size_t end = 0;
    };
    std::uint16_t takeColumn();
    void appendCell(std::uint16_t type, std::uint16_t col, int style, const char* data, int size);
    // The globals with the sheet's position left open at *sheetPosField.
    QByteArray globals(int* sheetPosField) const;
    QByteArray sheet(std::uint32_t start) const;

    QString sheetName_;
    QStringList formats_;  // our number formats, in index order from 164
    std::vector<Style> styles_;
    QHash<QString, int> styleIndex_;
    std::vector<std::pair<int, std::uint16_t>> widths_;  // column, width in 1/256 characters
    QStringList strings_;
    QHash<QString, std::uint32_t> stringIndex_;
    std::uint32_t stringRefs_ = 0;
    std::vector<Row> rows_;
    QByteArray cells_;
    int nextColumn_ = 0;
};

}  // namespace kv::platform
