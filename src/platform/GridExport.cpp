#include "platform/GridExport.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QHeaderView>
#include <QMessageBox>
#include <QPushButton>
#include <cmath>
#include <vector>

#include "platform/DataGrid.h"
#include "platform/MemTable.h"
#include "platform/NumberFormat.h"
#include "platform/XlsWriter.h"

namespace kv::platform {

namespace {

// Literal text in an Excel format: quoted, a double quote itself escaped.
QString quoted(QStringView text) {
    QString out;
    bool open = false;
    for (QChar c : text) {
        if (c == u'"') {
            if (open)
                out += u'"';
            open = false;
            out += QStringLiteral("\\\"");
            continue;
        }
        if (!open)
            out += u'"';
        open = true;
        out += c;
    }
    if (open)
        out += u'"';
    return out;
}

// One section of a number picture in Excel's terms, with the same literal text, grouping and
// digits always shown.
QString excelSection(const PictureSection& p) {
    if (!p.hasNumber)
        return quoted(p.prefix);
    QString number;
    if (p.grouping) {
        const int width = std::max(p.minInt, 4);
        number = QString(width - p.minInt, u'#') + QString(p.minInt, u'0');
        number.insert(width - 3, u',');
    } else {
        number = p.minInt == 0 ? QStringLiteral("#") : QString(p.minInt, u'0');
    }
    if (p.maxFrac > 0)
        number += u'.' + QString(p.minFrac, u'0') + QString(p.maxFrac - p.minFrac, u'#');
    return quoted(p.prefix) + number + quoted(p.suffix);
}

int runLength(QStringView s, qsizetype at) {
    qsizetype n = 1;
    while (at + n < s.size() && s[at + n] == s[at])
        ++n;
    return int(n);
}

enum DateKind { DateOnly, DateMinutes, DateSeconds };

struct ColumnPlan {
    int field = -1;
    FieldType type = FieldType::Text;
    int style = 0;
    bool ownDateFormat = false;
    int dateStyles[3] = {0, 0, 0};
};

constexpr double kExactIntegers = 9007199254740992.0;  // 2^53: beyond, doubles skip integers

}  // namespace

QString excelNumberFormat(QStringView picture) {
    if (picture.isEmpty())
        return QString();
    const auto secs = readNumberPicture(picture);
    const QString positive = excelSection(secs[0]);
    if (secs.size() == 1)
        return positive;
    // An empty section means the first one in a picture, but "show nothing" in Excel.
    const QString negative = secs[1].empty ? QStringLiteral("-") + positive : excelSection(secs[1]);
    if (secs.size() == 2)
        return positive + u';' + negative;
    const QString zero = secs[2].empty ? positive : excelSection(secs[2]);
    return positive + u';' + negative + u';' + zero;
}

QString excelDateFormat(QStringView pattern) {
    QString out;
    QString literal;
    auto flushLiteral = [&] {
        out += quoted(literal);
        literal.clear();
    };
    for (qsizetype i = 0; i < pattern.size();) {
        const QChar c = pattern[i];
        const int n = runLength(pattern, i);
        QString code;
        int used = n;
        if (c == u'\'') {
            // 'text' is literal; '' is a single quote.
            if (i + 1 < pattern.size() && pattern[i + 1] == u'\'') {
                literal += u'\'';
                i += 2;
                continue;
            }
            qsizetype j = i + 1;
            for (; j < pattern.size(); ++j) {
                if (pattern[j] == u'\'') {
                    if (j + 1 < pattern.size() && pattern[j + 1] == u'\'') {
                        literal += u'\'';
                        ++j;
                        continue;
                    }
                    break;
                }
                literal += pattern[j];
            }
            i = j + 1;
            continue;
        }
        switch (c.unicode()) {
            case u'd':
                used = std::min(n, 4);
                code = QString(used, u'd');
                break;
            case u'M':
                used = std::min(n, 4);
                code = QString(used, u'm');
                break;
            case u'y':
                used = n >= 4 ? 4 : n >= 2 ? 2 : 0;
                code = QString(used, u'y');
                break;
            case u'h':
            case u'H':
            case u'm':
            case u's':
                used = std::min(n, 2);
                code = QString(used, c.toLower());
                break;
            case u'z':
                used = std::min(n, 3);
                code = used == 3 ? QStringLiteral("000") : QStringLiteral("0");
                break;
            case u'A':
            case u'a': {
                const bool upper = c == u'A';
                used = i + 1 < pattern.size() && (pattern[i + 1] == u'P' || pattern[i + 1] == u'p')
                           ? 2
                           : 1;
                code = upper ? QStringLiteral("AM/PM") : QStringLiteral("am/pm");
                break;
            }
            case u't':
                used = n;  // the time zone has no Excel form
                break;
            default:
                used = 0;
                break;
        }
        if (used == 0) {
            // Separators Excel shows as they are; anything else becomes quoted text ('/' too,
            // which Excel would swap for the locale's date separator).
            if (c == u'.' || c == u':' || c == u'-' || c == u' ' || c == u',') {
                flushLiteral();
                out += c;
            } else {
                literal += c;
            }
            ++i;
            continue;
        }
        flushLiteral();
        out += code;
        i += used;
    }
    flushLiteral();
    return out;
}

QString xlsFileName(const QString& chosen) {
    if (chosen.isEmpty())
        return chosen;
    const qsizetype slash = chosen.lastIndexOf(u'/');
    const qsizetype dot = chosen.lastIndexOf(u'.');
    // A dot that starts the file name belongs to the name (a hidden file), not to an extension.
    const bool hasExtension = dot > slash + 1;
    return (hasExtension ? chosen.left(dot) : chosen) + QStringLiteral(".xls");
}

QString askXlsFileName(QWidget* parent, const QString& caption) {
    QFileDialog d(parent, caption.isEmpty() ? QStringLiteral("Excel Kaydet") : caption, QString(),
                  QStringLiteral("Excel (*.xls*)"));
    d.setObjectName(QStringLiteral("ExcelKaydetDialog"));
    d.setAcceptMode(QFileDialog::AcceptSave);
    d.setFileMode(QFileDialog::AnyFile);
    if (d.exec() != QDialog::Accepted || d.selectedFiles().isEmpty())
        return {};
    const QString chosen = d.selectedFiles().constFirst();
    const QString name = xlsFileName(chosen);
    // The dialog asked about the name the user chose; a different file it turns into is
    // not replaced without asking.
    if (name != chosen && QFileInfo::exists(name)) {
        QMessageBox box(QMessageBox::Question, QStringLiteral("Soru"),
                        QStringLiteral("%1 zaten var.\nÜzerine yazılsın mı ?")
                            .arg(QDir::toNativeSeparators(name)),
                        QMessageBox::Yes | QMessageBox::No, parent);
        box.button(QMessageBox::Yes)->setText(QStringLiteral("Evet"));
        box.button(QMessageBox::No)->setText(QStringLiteral("Hayır"));
        box.setDefaultButton(QMessageBox::No);
        if (box.exec() != QMessageBox::Yes)
            return {};
    }
    return name;
}

void exportGridToXls(const DataGrid& grid, const QString& path, const QString& sheetName) {
    const GridModel* model = grid.gridModel();
    if (!model->attached()) {
        throw XlsError(QStringLiteral(
            "Liste yenilenirken Excel'e aktarılamaz; yükleme bitince tekrar deneyin."));
    }
    const MemTable* table = model->table();
    const int rows = table->isActive() ? table->rowCount() : 0;
    if (rows + 1 > XlsWriter::kMaxRows) {
        throw XlsError(QStringLiteral("Excel dosyası en fazla %1 satır alabilir; listede başlıkla "
                                      "birlikte %2 satır var.")
                           .arg(XlsWriter::kMaxRows)
                           .arg(rows + 1));
    }

    // The shown columns in their on-screen order.
    const QHeaderView* header = grid.horizontalHeader();
    std::vector<int> shown;
    for (int v = 0; v < header->count(); ++v) {
        const int logical = header->logicalIndex(v);
        if (logical >= 0 && !grid.isColumnHidden(logical))
            shown.push_back(logical);
    }
    if (int(shown.size()) > XlsWriter::kMaxColumns) {
        throw XlsError(QStringLiteral("Excel dosyası en fazla %1 sütun alabilir; listede %2 "
                                      "sütun gösteriliyor.")
                           .arg(XlsWriter::kMaxColumns)
                           .arg(shown.size()));
    }

    XlsWriter w(sheetName);
    const int headerStyle = w.addStyle(QString(), true);
    std::vector<ColumnPlan> plan;
    w.newRow();
    for (int c = 0; c < int(shown.size()); ++c) {
        const int logical = shown[std::size_t(c)];
        const QString& field = model->columns()[logical].field;
        QString caption = model->headerData(logical, Qt::Horizontal, Qt::DisplayRole).toString();
        if (caption.isEmpty())
            caption = field;
        w.addText(caption, headerStyle);
        if (grid.columnWidth(logical) > 0)
            w.setColumnWidth(c, grid.columnWidth(logical) / 7.0);

        // The field is looked up in the table as it is now, not as the model last saw it.
        ColumnPlan p;
        p.field = rows > 0 && !field.isEmpty() ? table->columnIndex(field) : -1;
        if (p.field >= 0) {
            p.type = table->columnType(p.field);
            const QString& format = table->displayFormat(p.field);
            switch (p.type) {
                case FieldType::Int32:
                case FieldType::Int64:
                    p.style = w.addStyle(format.isEmpty() ? QStringLiteral("0")
                                                          : excelNumberFormat(format));
                    break;
                case FieldType::Double:
                case FieldType::Currency:
                    p.style = w.addStyle(excelNumberFormat(format));
                    break;
                case FieldType::DateTime:
                    p.ownDateFormat = !format.isEmpty();
                    if (p.ownDateFormat) {
                        p.style = w.addStyle(excelDateFormat(format));
                    } else {
                        // Like the grid: the time only when there is one, seconds only when set.
                        p.dateStyles[DateOnly] = w.addStyle(QStringLiteral("dd.mm.yyyy"));
                        p.dateStyles[DateMinutes] = w.addStyle(QStringLiteral("dd.mm.yyyy hh:mm"));
                        p.dateStyles[DateSeconds] =
                            w.addStyle(QStringLiteral("dd.mm.yyyy hh:mm:ss"));
                    }
                    break;
                default:
                    break;
            }
        }
        plan.push_back(p);
    }

    for (int r = 0; r < rows; ++r) {
        w.newRow();
        for (const ColumnPlan& p : plan) {
            if (p.field < 0 || table->isNull(r, p.field)) {
                w.addEmpty();
                continue;
            }
            switch (p.type) {
                case FieldType::Int32:
                case FieldType::Int64: {
                    const std::int64_t v = table->toInt(r, p.field);
                    if (std::fabs(double(v)) > kExactIntegers)
                        w.addText(table->displayText(r, p.field));
                    else
                        w.addNumber(double(v), p.style);
                    break;
                }
                case FieldType::Double:
                case FieldType::Currency: {
                    const double v = table->toDouble(r, p.field);
                    if (std::isfinite(v))
                        w.addNumber(v, p.style);
                    else
                        w.addText(table->displayText(r, p.field));
                    break;
                }
                case FieldType::DateTime: {
                    double serial = 0;
                    if (!excelDateSerial(table->toDouble(r, p.field), serial)) {
                        // Before March 1900 Excel's calendar is a day off: keep the shown text.
                        w.addText(table->displayText(r, p.field));
                        break;
                    }
                    int style = p.style;
                    if (!p.ownDateFormat) {
                        const QTime t = dateTimeFromDays(serial).time();
                        style = p.dateStyles[t.msecsSinceStartOfDay() == 0 ? DateOnly
                                             : t.second() == 0             ? DateMinutes
                                                                           : DateSeconds];
                    }
                    w.addNumber(serial, style);
                    break;
                }
                case FieldType::Bool:
                    w.addBool(table->toBool(r, p.field));
                    break;
                case FieldType::Text:
                    w.addText(table->toText(r, p.field));
                    break;
                case FieldType::Blob:
                    w.addEmpty();
                    break;
            }
        }
    }
    w.save(path);
}

}  // namespace kv::platform
