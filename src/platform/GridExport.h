// Export of a grid to a legacy Excel workbook (.xls), and the pieces of the save flow around
// it: the file name rule and the save dialog.
#pragma once

#include <QString>
#include <QStringView>

class QWidget;

namespace kv::platform {

class DataGrid;

// The grid's content as one worksheet: a bold header row with the captions of the shown
// columns in their on-screen order (a column without a caption is headed by its field name),
// then every row of the table, whatever the grid filters. Numbers stay numbers with the
// column's picture as their number format, dates stay dates, booleans stay booleans, texts
// stay texts and null cells stay empty; picture columns give their values. Throws XlsError
// (Turkish message) when the table does not fit the format or the file cannot be written;
// an existing file is then left as it was.
void exportGridToXls(const DataGrid& grid, const QString& path,
                     const QString& sheetName = QStringLiteral("Sayfa1"));

// The chosen file name with its extension replaced by ".xls": "sepet.xlsx" -> "sepet.xls",
// "sepet" -> "sepet.xls". An empty name stays empty.
QString xlsFileName(const QString& chosen);

// Asks for the file to export to with the filter "Excel|*.xls*" and returns the name after
// xlsFileName, or an empty text when the user cancels. When that name differs from the chosen
// one and the file exists, asks before it is replaced.
QString askXlsFileName(QWidget* parent, const QString& caption = QString());

// A number picture of NumberFormat.h as an Excel number format with the same look:
// "#,###,##0.00" -> "#,##0.00", literal text quoted, sections kept. Empty stays empty (General).
QString excelNumberFormat(QStringView picture);
// A QDateTime display pattern as an Excel date format: "dd.MM.yyyy HH:mm" -> "dd.mm.yyyy hh:mm".
QString excelDateFormat(QStringView pattern);

}  // namespace kv::platform
