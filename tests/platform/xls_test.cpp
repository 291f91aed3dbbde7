// The .xls writer and the grid export, read back with an independent reader (FreeXL).
#include <freexl.h>
#include <gtest/gtest.h>
#include <QFile>
#include <QHeaderView>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <algorithm>
#include <functional>
#include <optional>

#include "platform/CompoundFile.h"
#include "platform/DataGrid.h"
#include "platform/GridExport.h"
#include "platform/MemTable.h"
#include "platform/XlsWriter.h"

using namespace kv::platform;

namespace {

// One cell as FreeXL reads it: its kind and its value as text ("%.17g" for numbers).
struct Cell {
    int type = FREEXL_CELL_NULL;
    QString value;
    bool operator==(const Cell& o) const { return type == o.type && value == o.value; }
};

std::ostream& operator<<(std::ostream& os, const Cell& c) {
    return os << "{" << c.type << ", \"" << c.value.toStdString() << "\"}";
}

Cell text(const QString& s) {
    return {FREEXL_CELL_SST_TEXT, s};
}
Cell number(double v) {
    return {FREEXL_CELL_DOUBLE, QString::number(v, 'g', 17)};
}
Cell integer(int v) {
    return {FREEXL_CELL_INT, QString::number(v)};
}
Cell date(const char* iso) {
    return {FREEXL_CELL_DATE, QString::fromLatin1(iso)};
}
Cell dateTime(const char* iso) {
    return {FREEXL_CELL_DATETIME, QString::fromLatin1(iso)};
}
const Cell kEmpty{};

class XlsFile {
  public:
    explicit XlsFile(const QString& path) {
        rc_ = freexl_open(QFile::encodeName(path).constData(), &handle_);
        if (rc_ == FREEXL_OK)
            rc_ = freexl_select_active_worksheet(handle_, 0);
        if (rc_ == FREEXL_OK)
            rc_ = freexl_worksheet_dimensions(handle_, &rows_, &columns_);
    }
    ~XlsFile() {
        if (handle_)
            freexl_close(handle_);
    }
    int error() const { return rc_; }
    unsigned rows() const { return rows_; }
    unsigned columns() const { return columns_; }
    unsigned info(unsigned short what) const {
        unsigned v = 0;
        freexl_get_info(handle_, what, &v);
        return v;
    }
    QString sheetName() const {
        const char* name = nullptr;
        freexl_get_worksheet_name(handle_, 0, &name);
        return QString::fromUtf8(name);
    }
    Cell cell(unsigned row, unsigned col) const {
        FreeXL_CellValue v;
        if (freexl_get_cell_value(handle_, row, (unsigned short)col, &v) != FREEXL_OK)
            return {-1, QStringLiteral("okunamadı")};
        switch (v.type) {
            case FREEXL_CELL_INT:
                return {v.type, QString::number(v.value.int_value)};
            case FREEXL_CELL_DOUBLE:
                return {v.type, QString::number(v.value.double_value, 'g', 17)};
            case FREEXL_CELL_NULL:
                return {};
            default:
                return {v.type == FREEXL_CELL_TEXT ? FREEXL_CELL_SST_TEXT : v.type,
                        QString::fromUtf8(v.value.text_value)};
        }
    }

  private:
    const void* handle_ = nullptr;
    int rc_ = FREEXL_OK;
    unsigned rows_ = 0;
    unsigned short columns_ = 0;
};

// Every cell of the sheet against the expected grid (missing trailing cells are empty).
void expectCells(const XlsFile& f, const std::vector<std::vector<Cell>>& expected) {
    ASSERT_EQ(f.error(), FREEXL_OK);
    ASSERT_EQ(f.rows(), expected.size());
    std::size_t width = 0;
    for (const auto& row : expected)
        width = std::max(width, row.size());
    ASSERT_EQ(f.columns(), width);
    for (unsigned r = 0; r < expected.size(); ++r) {
        for (unsigned c = 0; c < width; ++c) {
            const Cell want = c < expected[r].size() ? expected[r][c] : kEmpty;
            ASSERT_EQ(f.cell(r, c), want) << "row " << r << " column " << c;
        }
    }
}

std::uint32_t le32(const QByteArray& b, qsizetype at) {
    std::uint32_t v = 0;
    for (int i = 3; i >= 0; --i)
        v = (v << 8) | std::uint8_t(b[at + i]);
    return v;
}

// The record types of a BIFF stream, in order.
std::vector<std::uint16_t> recordTypes(const QByteArray& stream) {
    std::vector<std::uint16_t> types;
    for (qsizetype at = 0; at + 4 <= stream.size();) {
        const auto type =
            std::uint16_t(std::uint8_t(stream[at]) | std::uint8_t(stream[at + 1]) << 8);
        const int size = std::uint8_t(stream[at + 2]) | std::uint8_t(stream[at + 3]) << 8;
        types.push_back(type);
        at += 4 + size;
    }
    return types;
}

QByteArray readAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

class Xls : public ::testing::Test {
  protected:
    QString path(const char* name) const { return dir_.filePath(QString::fromLatin1(name)); }
    QTemporaryDir dir_;
};

}  // namespace

TEST_F(Xls, CellsReadBackWithTheirTypesAndValues) {
    XlsWriter w(QStringLiteral("Sepet Özeti"));
    const int bold = w.addStyle(QString(), true);
    const int money = w.addStyle(QStringLiteral("#,##0.00"));
    const int whole = w.addStyle(QStringLiteral("0"));
    const int day = w.addStyle(QStringLiteral("dd.mm.yyyy"));
    const int stamp = w.addStyle(QStringLiteral("dd.mm.yyyy hh:mm:ss"));
    EXPECT_EQ(w.addStyle(QStringLiteral("#,##0.00")), money);  // the same style once
    w.newRow();
    for (const char* h : {"Ürün", "Tutar", "Adet", "Tarih", "Saat", "Boş", "Seç"})
        w.addText(QString::fromUtf8(h), bold);
    w.newRow();
    w.addText(QString::fromUtf8("Şişe Ğİıöç"));
    w.addNumber(1234567.891, money);
    w.addNumber(42, whole);
    w.addNumber(45429, day);              // 17.05.2024
    w.addNumber(45429.604224537, stamp);  // 14:30:05
    w.addEmpty();
    w.addBool(true);
    w.newRow();
    w.addText(QStringLiteral("plain latin"));
    w.addNumber(-0.5, money);
    w.addEmpty(4);
    w.addBool(false);
    w.newRow();  // a row without cells
    w.newRow();
    w.addEmpty(2);
    w.addText(QString::fromUtf8("Şişe Ğİıöç"));  // shared with row 1
    const QString file = path("hucreler.xls");
    w.save(file);

    const XlsFile f(file);
    EXPECT_EQ(f.sheetName(), QString::fromUtf8("Sepet Özeti"));
    EXPECT_EQ(f.info(FREEXL_BIFF_VERSION), unsigned(FREEXL_BIFF_VER_8));
    EXPECT_EQ(f.info(FREEXL_BIFF_STRING_COUNT), 9u);  // 7 captions, 2 texts
    expectCells(f, {
                       {text(QString::fromUtf8("Ürün")), text(QStringLiteral("Tutar")),
                        text(QStringLiteral("Adet")), text(QStringLiteral("Tarih")),
                        text(QStringLiteral("Saat")), text(QString::fromUtf8("Boş")),
                        text(QString::fromUtf8("Seç"))},
                       {text(QString::fromUtf8("Şişe Ğİıöç")), number(1234567.891), number(42),
                        date("2024-05-17"), dateTime("2024-05-17 14:30:05"), kEmpty, integer(1)},
                       {text(QStringLiteral("plain latin")), number(-0.5), kEmpty, kEmpty, kEmpty,
                        kEmpty, integer(0)},
                       {},
                       {kEmpty, kEmpty, text(QString::fromUtf8("Şişe Ğİıöç"))},
                   });

    // A workbook this small is still an ordinary stream of at least 4096 bytes: no mini stream.
    const QByteArray bytes = readAll(file);
    ASSERT_GE(bytes.size(), 512 * 10);
    EXPECT_EQ(le32(bytes, 60), cfb::kEndOfChain);  // first mini FAT sector
    EXPECT_EQ(le32(bytes, 64), 0u);                // mini FAT sectors
    const qsizetype dir = 512 * (1 + qsizetype(le32(bytes, 48)));
    EXPECT_EQ(bytes.mid(dir + 128, 16), QByteArray("W\0o\0r\0k\0b\0o\0o\0k\0", 16));
    EXPECT_GE(le32(bytes, dir + 128 + 120), 4096u);  // the Workbook stream's size
    EXPECT_EQ(bytes.size() % 512, 0);
}

TEST_F(Xls, ManyLongStringsSpanContinueRecords) {
    // Texts of many lengths, one byte per character and two, so that the shared string table
    // breaks records at every kind of place: before a string, inside one, in both encodings.
    XlsWriter w;
    std::vector<std::vector<Cell>> expected;
    for (int i = 0; i < 600; ++i) {
        const bool turkish = i % 3 == 0;
        const QString unit =
            turkish ? QString::fromUtf8("çığ-%1 ").arg(i) : QStringLiteral("abc-%1 ").arg(i);
        const QString s = unit.repeated(1 + (i * 37) % 150);
        w.newRow();
        w.addText(s);
        w.addText(s);  // the same text again: one table entry
        w.addNumber(i);
        expected.push_back({text(s), text(s), number(i)});
    }
    const QByteArray stream = w.workbookStream();
    const auto types = recordTypes(stream);
    EXPECT_GE(std::count(types.begin(), types.end(), 0x003C), 20);  // CONTINUE records
    EXPECT_EQ(std::count(types.begin(), types.end(), 0x00FF), 1);   // EXTSST
    const QString file = path("sst.xls");
    w.save(file);
    const XlsFile f(file);
    EXPECT_EQ(f.info(FREEXL_BIFF_STRING_COUNT), 600u);
    expectCells(f, expected);
}

TEST_F(Xls, LargeWorkbookNeedsDifatSectorsAndReadsBackWhole) {
    // 16 000 rows of 30 numbers: about 8.6 MB, more FAT sectors than the header can list.
    constexpr int kRows = 16000, kColumns = 30;
    XlsWriter w;
    const int money = w.addStyle(QStringLiteral("#,##0.00"));
    for (int r = 0; r < kRows; ++r) {
        w.newRow();
        for (int c = 0; c < kColumns; ++c)
            w.addNumber(r * 100.0 + c + 0.25, c % 2 ? money : 0);
    }
    const QString file = path("buyuk.xls");
    w.save(file);

    const QByteArray bytes = readAll(file);
    const std::uint32_t fatSectors = le32(bytes, 44), difatSectors = le32(bytes, 72);
    EXPECT_GT(fatSectors, 109u);
    EXPECT_GE(difatSectors, 1u);
    // Every sector of the file is described: the FAT sectors cover the whole file.
    EXPECT_GE(std::uint64_t(fatSectors) * 128, std::uint64_t(bytes.size() / 512 - 1));

    const XlsFile f(file);
    ASSERT_EQ(f.error(), FREEXL_OK);
    ASSERT_EQ(f.rows(), unsigned(kRows));
    ASSERT_EQ(f.columns(), unsigned(kColumns));
    for (int r = 0; r < kRows; ++r) {
        for (int c = 0; c < kColumns; ++c)
            ASSERT_EQ(f.cell(r, c), number(r * 100.0 + c + 0.25)) << r << "," << c;
    }
}

TEST_F(Xls, WhatTheFormatCannotHoldIsRefusedInTurkish) {
    struct Case {
        const char* what;
        std::function<void()> act;
        const char* message;  // part of the message
    } cases[] = {
        {"row 65537",
         [] {
             XlsWriter w;
             for (int r = 0; r <= XlsWriter::kMaxRows; ++r)
                 w.newRow();
         },
         "en fazla 65536 satır"},
        {"column 257",
         [] {
             XlsWriter w;
             w.addEmpty(XlsWriter::kMaxColumns);
             w.addNumber(1);
         },
         "en fazla 256 sütun"},
        {"32768 characters",
         [] {
             XlsWriter w;
             w.addText(QString(XlsWriter::kMaxTextLength + 1, u'x'));
         },
         "en fazla 32767 karakter"},
        {"sheet name with a slash", [] { XlsWriter w(QStringLiteral("a/b")); },
         "Geçersiz sayfa adı"},
        {"sheet name of 32 characters", [] { XlsWriter w(QString(32, u's')); },
         "Geçersiz sayfa adı"},
        {"unwritable folder", [] { XlsWriter().save(QStringLiteral("/olmayan-klasor/dosya.xls")); },
         "dosyası kaydedilemedi"},
    };
    for (const Case& c : cases) {
        try {
            c.act();
            ADD_FAILURE() << c.what << ": no error";
        } catch (const XlsError& e) {
            EXPECT_TRUE(e.message().contains(QString::fromUtf8(c.message)))
                << c.what << ": " << e.message().toStdString();
        }
    }
    // At the limits themselves everything still goes in.
    XlsWriter w;
    w.addEmpty(XlsWriter::kMaxColumns - 1);
    w.addText(QString(XlsWriter::kMaxTextLength, u'x'));
    for (int r = 1; r < XlsWriter::kMaxRows; ++r)
        w.newRow();
    EXPECT_EQ(w.rowCount(), XlsWriter::kMaxRows);
}

namespace {

MemTable gridTable() {
    MemTable t;
    t.beginBuild();
    t.addColumn(QStringLiteral("BARKOD"), FieldType::Text);
    t.addColumn(QStringLiteral("STOKADI"), FieldType::Text);
    t.addColumn(QStringLiteral("BIRIMFIYAT"), FieldType::Double);
    t.addColumn(QStringLiteral("MIKTAR"), FieldType::Int32);
    t.addColumn(QStringLiteral("TARIH"), FieldType::DateTime);
    t.addColumn(QStringLiteral("SEC"), FieldType::Bool);
    t.addColumn(QStringLiteral("DURUM"), FieldType::Int32);
    t.addColumn(QStringLiteral("GIZLI"), FieldType::Text);
    t.endColumns();
    struct Row {
        const char* barkod;
        const char* adi;
        std::optional<double> fiyat;
        std::optional<int> miktar;
        std::optional<double> tarih;
        bool sec;
        int durum;
    } rows[] = {
        {"FR-001", "Fren Balatası Ön", 1234.5, 2, 45429.0, true, 1},
        {"YG-17", "Yağ Filtresi Şişe Ğİıöç", 99.99, 10, 45429.604224537, false, 2},
        {"", "", std::nullopt, std::nullopt, std::nullopt, false, 0},
        {"AM-3", "Amortisör", 0.0, -1, 45430.5, true, 3},
    };
    for (const Row& r : rows) {
        const QByteArray barkod(r.barkod), adi(r.adi);
        t.appendBytes(0, barkod.constData(), std::size_t(barkod.size()));
        if (adi.isEmpty())
            t.appendNull(1);
        else
            t.appendBytes(1, adi.constData(), std::size_t(adi.size()));
        r.fiyat ? t.appendReal(2, *r.fiyat) : t.appendNull(2);
        r.miktar ? t.appendInt(3, *r.miktar) : t.appendNull(3);
        r.tarih ? t.appendReal(4, *r.tarih) : t.appendNull(4);
        t.appendInt(5, r.sec);
        t.appendInt(6, r.durum);
        t.appendBytes(7, "gizli", 5);
        t.endRow();
    }
    t.endBuild();
    t.setDisplayFormat(2, QStringLiteral("#,###,##0.00"));
    return t;
}

}  // namespace

TEST_F(Xls, GridExportWritesShownColumnsInScreenOrderAndEveryRow) {
    MemTable t = gridTable();
    DataGrid grid(&t);
    auto col = [](const char* field, const char* caption, bool visible = true) {
        GridColumn c;
        c.field = QString::fromLatin1(field);
        c.caption = QString::fromUtf8(caption);
        c.visible = visible;
        return c;
    };
    GridColumn durum = col("DURUM", "Durum");
    durum.display = GridColumn::Display::Pictures;
    grid.setColumns({col("BARKOD", "Barkod"), col("STOKADI", "Stok Açıklama"),
                     col("BIRIMFIYAT", "Birim Fiyat"), col("MIKTAR", "Miktar"), col("TARIH", ""),
                     col("SEC", "Seç"), durum, col("GIZLI", "Gizli", false)});
    // The user dragged "Miktar" in front of "Barkod" and hid a row: neither changes the table.
    grid.horizontalHeader()->moveSection(3, 0);
    grid.setRowHidden(1, true);

    const QString file = path("sepet.xls");
    exportGridToXls(grid, file);
    const XlsFile f(file);
    expectCells(
        f,
        {
            {text(QStringLiteral("Miktar")), text(QStringLiteral("Barkod")),
             text(QString::fromUtf8("Stok Açıklama")), text(QStringLiteral("Birim Fiyat")),
             text(QStringLiteral("TARIH")), text(QString::fromUtf8("Seç")),
             text(QStringLiteral("Durum"))},
            {number(2), text(QStringLiteral("FR-001")), text(QString::fromUtf8("Fren Balatası Ön")),
             number(1234.5), date("2024-05-17"), integer(1), number(1)},
            {number(10), text(QStringLiteral("YG-17")),
             text(QString::fromUtf8("Yağ Filtresi Şişe Ğİıöç")), number(99.99),
             dateTime("2024-05-17 14:30:05"), integer(0), number(2)},
            {kEmpty, kEmpty, kEmpty, kEmpty, kEmpty, integer(0), number(0)},
            {number(-1), text(QStringLiteral("AM-3")), text(QString::fromUtf8("Amortisör")),
             number(0), dateTime("2024-05-18 12:00:00"), integer(1), number(3)},
        });
}

TEST_F(Xls, GridExportRefusesMoreRowsThanExcelHoldsAndKeepsTheOldFile) {
    MemTable t;
    t.beginBuild();
    t.addColumn(QStringLiteral("NO"), FieldType::Int32);
    t.endColumns();
    for (int r = 0; r < XlsWriter::kMaxRows; ++r) {  // one too many with the header row
        t.appendInt(0, r);
        t.endRow();
    }
    t.endBuild();
    DataGrid grid(&t);
    GridColumn no;
    no.field = QStringLiteral("NO");
    no.caption = QStringLiteral("No");
    grid.setColumns({no});

    const QString file = path("eski.xls");
    {
        QFile old(file);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("eski içerik");
    }
    try {
        exportGridToXls(grid, file);
        ADD_FAILURE() << "no error";
    } catch (const XlsError& e) {
        EXPECT_TRUE(e.message().contains(QString::fromUtf8("en fazla 65536 satır")))
            << e.message().toStdString();
    }
    EXPECT_EQ(readAll(file), QByteArray("eski içerik"));
}

TEST_F(Xls, LibreOfficeShowsTheExportInItsFormats) {
    // A second, stricter reader that also applies the number formats; optional on the machine.
    const QString soffice = QStandardPaths::findExecutable(QStringLiteral("soffice"));
    if (soffice.isEmpty())
        GTEST_SKIP() << "LibreOffice is not installed";
    MemTable t = gridTable();
    DataGrid grid(&t);
    QList<GridColumn> columns;
    for (const char* field : {"BARKOD", "STOKADI", "BIRIMFIYAT", "MIKTAR", "TARIH", "SEC"}) {
        GridColumn c;
        c.field = QString::fromLatin1(field);
        columns << c;
    }
    grid.setColumns(columns);
    const QString file = path("lo.xls");
    exportGridToXls(grid, file);

    QProcess lo;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8"));  // en-US separators
    lo.setProcessEnvironment(env);
    lo.start(soffice,
             {QStringLiteral("--headless"), QStringLiteral("--norestore"),
              QStringLiteral("-env:UserInstallation=file://") + path("lo-profile"),
              QStringLiteral("--convert-to"),
              // UTF-8, cells as shown
              QStringLiteral("csv:Text - txt - csv (StarCalc):44,34,76,1,,0,false,true,true"),
              QStringLiteral("--outdir"), path("lo-out"), file});
    ASSERT_TRUE(lo.waitForFinished(100000));
    // Booleans show as LibreOffice shows them, 1 and 0; dates with their time only when set.
    EXPECT_EQ(QString::fromUtf8(readAll(path("lo-out/lo.csv"))).toStdString(),
              "BARKOD,STOKADI,BIRIMFIYAT,MIKTAR,TARIH,SEC\n"
              "FR-001,Fren Balatası Ön,\"1,234.50\",2,17.05.2024,1\n"
              "YG-17,Yağ Filtresi Şişe Ğİıöç,99.99,10,17.05.2024 14:30:05,0\n"
              ",,,,,0\n"
              "AM-3,Amortisör,0.00,-1,18.05.2024 12:00,1\n");
}

TEST(XlsFormats, NumberPicturesBecomeExcelFormatsThatLookTheSame) {
    const struct {
        const char* picture;
        const char* excel;
    } cases[] = {
        {"", ""},
        {"#,###,##0.00", "#,##0.00"},
        {"#,###,##.00", "#,###.00"},
        {"0", "0"},
        {"#", "#"},
        {"0.###", "0.###"},
        {"000", "000"},
        {"#,##0", "#,##0"},
        {"00,000.0", "00,000.0"},
        {"0.00 TL", "0.00\" TL\""},
        {"0.00%", "0.00\"%\""},  // a literal sign in a picture, not Excel's percent
        {"'USD' #,##0.00", "\"USD \"#,##0.00"},
        {"0.00;(0.00)", "0.00;\"(\"0.00\")\""},
        {"0.00;;\"sıfır\"", "0.00;-0.00;\"sıfır\""},
        {"0.00;-0.00;", "0.00;\"-\"0.00;0.00"},
        {"\"a\"\"b\" 0", "\"ab \"0"},
        {"'x\"y' 0", "\"x\"\\\"\"y \"0"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(excelNumberFormat(QString::fromUtf8(c.picture)), QString::fromUtf8(c.excel))
            << c.picture;
    }
}

TEST(XlsFormats, DatePatternsBecomeExcelFormats) {
    const struct {
        const char* pattern;
        const char* excel;
    } cases[] = {
        {"dd.MM.yyyy", "dd.mm.yyyy"},         {"dd.MM.yyyy HH:mm", "dd.mm.yyyy hh:mm"},
        {"d.M.yy h:mm:ss", "d.m.yy h:mm:ss"}, {"dddd, d MMMM yyyy", "dddd, d mmmm yyyy"},
        {"hh:mm AP", "hh:mm AM/PM"},          {"HH:mm:ss.zzz", "hh:mm:ss.000"},
        {"yyyy/MM/dd", "yyyy\"/\"mm\"/\"dd"}, {"dd 'of' MMM", "dd \"of\" mmm"},
        {"'saat' HH'''", "\"saat\" hh\"'\""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(excelDateFormat(QString::fromUtf8(c.pattern)), QString::fromUtf8(c.excel))
            << c.pattern;
    }
}

TEST(XlsFormats, ChosenFileNamesGetTheXlsExtension) {
    const struct {
        const char* chosen;
        const char* saved;
    } cases[] = {
        {"/home/u/sepet.xlsx", "/home/u/sepet.xls"},
        {"/home/u/sepet", "/home/u/sepet.xls"},
        {"/home/u/sepet.xls", "/home/u/sepet.xls"},
        {"/home/u/sepet.XLS", "/home/u/sepet.xls"},
        {"/home/u/rapor.2024.txt", "/home/u/rapor.2024.xls"},
        {"/home/u.v/sepet", "/home/u.v/sepet.xls"},
        {"/home/u/sepet.", "/home/u/sepet.xls"},
        {"/home/u/.xlsx", "/home/u/.xlsx.xls"},
        {"sepet.xlsm", "sepet.xls"},
        {"", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(xlsFileName(QString::fromUtf8(c.chosen)), QString::fromUtf8(c.saved)) << c.chosen;
}
