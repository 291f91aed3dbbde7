// The in-memory table, its Qt model and the number pictures.
#include <gtest/gtest.h>
#include <QAbstractItemModelTester>
#include <QLocale>
#include <QTableView>
#include <thread>
#include <vector>

#include "platform/MemTable.h"
#include "platform/MemTableModel.h"
#include "platform/NumberFormat.h"
#include "remote/TableJson.h"

using namespace kv::platform;

namespace {

// One column of every type; row 1 is all nulls (but its number), row 2 holds edge values.
const char* const kAllTypes = R"({"columns":[
 {"name":"STOK_STOKNO","type":"int32"},{"name":"BARKOD","type":"text"},
 {"name":"FIYAT","type":"double"},{"name":"MALIYET","type":"currency"},
 {"name":"ADET","type":"int64"},{"name":"AKTIF","type":"bool"},
 {"name":"TARIH","type":"datetime"},{"name":"RESIM","type":"blob"}],
 "rows":[[100042,"FR-0042 Şişe ĞÜÇİÖı",1234567.5,12.5,9007199254740993,true,46000.5,"AAEC"],
         [43,null,null,null,null,null,null,null],
         [-2147483648,"",0.1,0,-5,false,46001,""]]})";

MemTable decode(const char* json) {
    std::string s(json);
    MemTable t;
    kv::remote::decodeTable(s, t);
    return t;
}

}  // namespace

TEST(MemTable, HoldsEveryTypeAndNullsApart) {
    const MemTable t = decode(kAllTypes);
    ASSERT_TRUE(t.isActive());
    ASSERT_EQ(t.columnCount(), 8);
    ASSERT_EQ(t.rowCount(), 3);
    EXPECT_EQ(t.columnType(6), FieldType::DateTime);

    struct Cell {
        int col;
        QVariant value;
    } row0[] = {
        {0, QVariant(qint32(100042))},
        {1, QVariant(QStringLiteral("FR-0042 Şişe ĞÜÇİÖı"))},
        {2, QVariant(1234567.5)},
        {3, QVariant(12.5)},
        {4, QVariant(qint64(9007199254740993LL))},
        {5, QVariant(true)},
        {6, QVariant(46000.5)},
        {7, QVariant(QByteArray("\x00\x01\x02", 3))},
    };
    for (const Cell& c : row0) {
        const QVariant v = t.value(0, c.col);
        EXPECT_EQ(v.metaType(), c.value.metaType()) << c.col;
        EXPECT_EQ(v, c.value) << c.col;
        EXPECT_FALSE(t.isNull(0, c.col)) << c.col;
        EXPECT_TRUE(t.isNull(1, c.col) == (c.col != 0)) << c.col;
        if (c.col != 0) {
            EXPECT_FALSE(t.value(1, c.col).isValid()) << c.col;
            EXPECT_EQ(t.toInt(1, c.col), 0) << c.col;
            EXPECT_EQ(t.toText(1, c.col), QString()) << c.col;
        }
    }
    // Typed reads without QVariant.
    EXPECT_EQ(t.toInt(0, 4), 9007199254740993LL);
    EXPECT_EQ(t.toInt(2, 0), -2147483648LL);
    EXPECT_EQ(t.toDouble(0, 0), 100042.0);
    EXPECT_EQ(t.toInt(0, 2), 1234567) << "reals truncate";
    EXPECT_TRUE(t.toBool(0, 5));
    EXPECT_FALSE(t.toBool(2, 5));
    EXPECT_EQ(t.toText(2, 2), QStringLiteral("0.1"));
    EXPECT_EQ(t.bytes(0, 1), std::string_view("FR-0042 Şişe ĞÜÇİÖı"));
    EXPECT_EQ(t.toBlob(0, 7), QByteArray("\x00\x01\x02", 3));
    // An empty text is a value, not a null.
    EXPECT_FALSE(t.isNull(2, 1));
    EXPECT_EQ(t.value(2, 1), QVariant(QString()));
    EXPECT_TRUE(t.value(2, 1).isValid());

    EXPECT_EQ(t.columnIndex(u"BARKOD"), 1);
    EXPECT_EQ(t.columnIndex(u"barkod"), -1) << "field names are matched exactly";
    EXPECT_EQ(t.columnIndex(u"BARKOD "), -1);
    EXPECT_EQ(t.columnIndex(u"YOK"), -1);
}

TEST(MemTable, DisplayTextUnderTurkishSeparators) {
    MemTable t = decode(R"({"columns":[
        {"name":"NO","type":"int32"},{"name":"TUTAR","type":"double"},
        {"name":"MALIYET","type":"currency"},{"name":"AKTIF","type":"bool"},
        {"name":"TARIH","type":"datetime"},{"name":"ADI","type":"text"},
        {"name":"RESIM","type":"blob"},{"name":"TOPLAM","type":"int64"}],
        "rows":[[100000,1234567.5,1234567.5,true,46000.5,"Işık",null,-1234567],
                [null,0.125,12.3456,false,46001,"",  "AA==",0],
                [7,null,null,null,46000.75001157407,null,null,null]]})");
    struct Case {
        int row, col;
        const char* format;
        const char* text;
    } cases[] = {
        {0, 0, "", "100000"},  // identifiers are not grouped
        {0, 0, "#,##0", "100.000"},
        {1, 0, "", ""},
        {0, 1, "", "1234567,5"},
        {0, 1, "#,###,##0.00", "1.234.567,50"},
        {1, 1, "#,###,##0.00", "0,13"},
        {2, 1, "#,###,##0.00", ""},
        {0, 2, "", "1234567,5"},
        {1, 2, "", "12,3456"},
        {1, 2, "0.00", "12,35"},
        {0, 3, "", "Evet"},
        {1, 3, "", "Hayır"},
        {0, 4, "", "09.12.2025 12:00"},
        {1, 4, "", "10.12.2025"},
        {2, 4, "", "09.12.2025 18:00:01"},
        {0, 4, "yyyy-MM-dd", "2025-12-09"},
        {0, 5, "", "Işık"},
        {1, 6, "", ""},
        {0, 7, "", "-1234567"},
        {0, 7, "#,##0", "-1.234.567"},
    };
    for (const Case& c : cases) {
        t.setDisplayFormat(c.col, QString::fromLatin1(c.format));
        EXPECT_EQ(t.displayFormat(c.col), QString::fromLatin1(c.format));
        EXPECT_EQ(t.displayText(c.row, c.col), QString::fromUtf8(c.text))
            << c.row << "," << c.col << " " << c.format;
    }
}

TEST(MemTable, DateNumbersAsWallClock) {
    struct Case {
        double days;
        QDateTime expected;
    } cases[] = {
        {0, QDateTime(QDate(1899, 12, 30), QTime(0, 0), Qt::UTC)},
        {46000.5, QDateTime(QDate(2025, 12, 9), QTime(12, 0), Qt::UTC)},
        // Before 1899-12-30 the fraction still counts forward from midnight.
        {-1.25, QDateTime(QDate(1899, 12, 29), QTime(6, 0), Qt::UTC)},
        {-0.5, QDateTime(QDate(1899, 12, 30), QTime(12, 0), Qt::UTC)},
        // A fraction a hair short of midnight rounds to the next day, not to 24:00.
        {45999.9999999999, QDateTime(QDate(2025, 12, 9), QTime(0, 0), Qt::UTC)},
        {-693593, QDateTime(QDate(1, 1, 1), QTime(0, 0), Qt::UTC)},
        {2958465.5, QDateTime(QDate(9999, 12, 31), QTime(12, 0), Qt::UTC)},
        {2958466, QDateTime()},
        {-693594, QDateTime()},
        {1e300, QDateTime()},
        {std::numeric_limits<double>::quiet_NaN(), QDateTime()},
    };
    for (const Case& c : cases)
        EXPECT_EQ(dateTimeFromDays(c.days), c.expected) << c.days;

    // A date the calendar cannot hold shows as its number instead of a wrong date.
    MemTable t = decode(R"({"columns":[{"name":"T","type":"datetime"}],"rows":[[1e300]]})");
    EXPECT_EQ(t.displayText(0, 0), QStringLiteral("1E+300"));
}

TEST(MemTable, CursorWalksTheRowsAndReadsFieldsByName) {
    MemTable t = decode(kAllTypes);
    std::vector<int> seen;
    for (bool more = t.first(); more; more = t.next()) {
        ASSERT_FALSE(t.eof());
        seen.push_back(t.fieldByName(u"STOK_STOKNO").toInt());
    }
    EXPECT_EQ(seen, (std::vector<int>{100042, 43, -2147483648}));
    EXPECT_TRUE(t.eof());
    EXPECT_EQ(t.recNo(), 3);
    EXPECT_FALSE(t.next()) << "next at the end stays at the end";
    EXPECT_EQ(t.recNo(), 3);

    t.setRecNo(1);
    EXPECT_EQ(t.fieldByName(u"STOK_STOKNO").toInt(), 43);
    EXPECT_FALSE(t.fieldByName(u"BARKOD").isValid());
    t.setRecNo(99);
    EXPECT_EQ(t.recNo(), 3);
    t.setRecNo(-4);
    EXPECT_EQ(t.recNo(), 0);

    try {
        t.fieldByName(u"stok_stokno");
        FAIL() << "an unknown field must throw";
    } catch (const MemTableError& e) {
        EXPECT_EQ(e.message(), QStringLiteral("Tabloda \"stok_stokno\" adlı alan yok"));
    }
    t.setRecNo(3);
    EXPECT_THROW(t.fieldByName(u"STOK_STOKNO"), MemTableError) << "no current row at the end";

    MemTable empty;
    EXPECT_FALSE(empty.first());
    EXPECT_TRUE(empty.eof());
    EXPECT_THROW(empty.fieldByName(u"SEC"), MemTableError);
}

TEST(MemTable, CopyFromReplacesColumnsAndRowsWholesale) {
    MemTable source = decode(kAllTypes);
    source.setDisplayFormat(2, QStringLiteral("#,###,##0.00"));
    MemTable target = decode(R"({"columns":[{"name":"ESKI","type":"text"}],"rows":[["a"]]})");
    target.setRecNo(1);
    target.disableControls();

    target.copyFrom(source);
    source.clear();  // the copy owns its data
    ASSERT_EQ(target.columnCount(), 8);
    ASSERT_EQ(target.rowCount(), 3);
    EXPECT_EQ(target.columnIndex(u"ESKI"), -1);
    EXPECT_EQ(target.recNo(), 0);
    EXPECT_TRUE(target.controlsDisabled()) << "the controls count belongs to the table";
    EXPECT_EQ(target.displayFormat(2), QStringLiteral("#,###,##0.00"));
    const MemTable fresh = decode(kAllTypes);
    for (int c = 0; c < 8; ++c) {
        EXPECT_EQ(target.columnName(c), fresh.columnName(c));
        EXPECT_EQ(target.columnType(c), fresh.columnType(c));
        for (int r = 0; r < 3; ++r)
            EXPECT_EQ(target.value(r, c), fresh.value(r, c)) << r << "," << c;
    }

    target.copyFrom(target);
    EXPECT_EQ(target.rowCount(), 3);
    target.copyFrom(MemTable());  // an unopened source closes the target
    EXPECT_FALSE(target.isActive());
    EXPECT_EQ(target.columnCount(), 0);
    EXPECT_EQ(target.rowCount(), 0);
}

TEST(MemTable, ControlsNest) {
    MemTable t;
    EXPECT_FALSE(t.controlsDisabled());
    t.disableControls();
    t.disableControls();
    t.enableControls();
    EXPECT_TRUE(t.controlsDisabled());
    t.enableControls();
    EXPECT_FALSE(t.controlsDisabled());
    t.enableControls();  // one too many does no harm
    t.disableControls();
    EXPECT_TRUE(t.controlsDisabled());
}

TEST(MemTable, StoresColumnsCompactly) {
    constexpr int kRows = 20000;
    MemTable t;
    t.beginBuild();
    t.addColumn(QStringLiteral("NO"), FieldType::Int32);
    t.addColumn(QStringLiteral("AKTIF"), FieldType::Bool);
    t.addColumn(QStringLiteral("FIYAT"), FieldType::Double);
    t.addColumn(QStringLiteral("KOD"), FieldType::Text);
    t.endColumns();
    for (int r = 0; r < kRows; ++r) {
        t.appendInt(0, r);
        t.appendInt(1, r % 2);
        if (r % 3 == 0)
            t.appendNull(2);
        else
            t.appendReal(2, r * 0.5);
        t.appendBytes(3, "ABCDEFGH", 8);
        t.endRow();
    }
    t.endBuild();
    ASSERT_EQ(t.rowCount(), kRows);
    EXPECT_TRUE(t.isNull(kRows - 1 - (kRows - 1) % 3, 2));
    EXPECT_EQ(t.toDouble(kRows - 1, 2), (kRows - 1) * 0.5);
    EXPECT_EQ(t.toText(kRows - 1, 3), QStringLiteral("ABCDEFGH"));
    // 4 + 4 + 8 bytes of values, 8 text bytes and a 4-byte offset per row, plus the null bits.
    const std::size_t payload = std::size_t(kRows) * (4 + 4 + 8 + 8 + 4);
    EXPECT_GE(t.memoryBytes(), payload);
    EXPECT_LE(t.memoryBytes(), payload + payload / 8 + 4096);
    t.clear();
    EXPECT_FALSE(t.isActive());
    EXPECT_LT(t.memoryBytes(), 1024u);
}

TEST(MemTableModel, PassesTheModelTesterThroughDetachRefillAttach) {
    MemTable t = decode(kAllTypes);
    MemTableModel model(&t);
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
    QTableView view;
    view.setModel(&model);
    view.resize(800, 300);
    view.show();
    view.grab();

    ASSERT_EQ(model.rowCount(), 3);
    ASSERT_EQ(model.columnCount(), 8);
    EXPECT_EQ(model.headerData(1, Qt::Horizontal, Qt::DisplayRole).toString(),
              QStringLiteral("BARKOD"));
    model.setCaption(QStringLiteral("BARKOD"), QStringLiteral("Barkod"));
    EXPECT_EQ(model.headerData(1, Qt::Horizontal, Qt::DisplayRole).toString(),
              QStringLiteral("Barkod"));
    t.setDisplayFormat(2, QStringLiteral("#,###,##0.00"));
    const QModelIndex price = model.index(0, 2);
    EXPECT_EQ(model.data(price, Qt::DisplayRole).toString(), QStringLiteral("1.234.567,50"));
    EXPECT_EQ(model.data(price, Qt::EditRole), QVariant(1234567.5));
    EXPECT_EQ(model.data(price, Qt::UserRole), QVariant(1234567.5));
    EXPECT_EQ(model.data(price, Qt::TextAlignmentRole).toInt() & Qt::AlignHorizontal_Mask,
              Qt::AlignRight);
    EXPECT_EQ(
        model.data(model.index(0, 1), Qt::TextAlignmentRole).toInt() & Qt::AlignHorizontal_Mask,
        Qt::AlignLeft);
    EXPECT_FALSE(model.flags(price) & Qt::ItemIsEditable);
    EXPECT_TRUE(model.flags(price) & Qt::ItemIsSelectable);

    // Detached, the model shows nothing while a worker thread refills the table.
    model.detach();
    EXPECT_EQ(model.rowCount(), 0);
    EXPECT_EQ(model.columnCount(), 0);
    std::thread worker([&t] {
        t.disableControls();
        std::string s(R"({"columns":[{"name":"A","type":"int32"},{"name":"B","type":"text"}],
                          "rows":[[1,"x"],[2,"y"],[3,"z"],[4,null]]})");
        kv::remote::decodeTable(s, t);
        t.enableControls();
    });
    worker.join();
    view.grab();
    model.attach();
    EXPECT_EQ(model.rowCount(), 4);
    EXPECT_EQ(model.columnCount(), 2);
    EXPECT_EQ(model.data(model.index(1, 0), Qt::DisplayRole).toString(), QStringLiteral("2"));
    EXPECT_EQ(model.data(model.index(3, 1), Qt::DisplayRole).toString(), QString());
    EXPECT_FALSE(model.data(model.index(3, 1), Qt::EditRole).isValid());
    view.grab();

    // Refilled in place on this thread: attach() again makes the views re-read it.
    std::string smaller(R"({"columns":[{"name":"A","type":"int32"}],"rows":[[9]]})");
    model.detach();
    kv::remote::decodeTable(smaller, t);
    model.attach();
    model.attach();
    EXPECT_EQ(model.rowCount(), 1);

    // Another table, and none.
    MemTable other = decode(kAllTypes);
    model.setTable(&other);
    EXPECT_EQ(model.rowCount(), 3);
    EXPECT_EQ(model.headerData(1, Qt::Horizontal, Qt::DisplayRole).toString(),
              QStringLiteral("Barkod"));
    model.setTable(nullptr);
    EXPECT_EQ(model.rowCount(), 0);
    view.grab();
    model.setTable(&t);
    t.clear();  // an inactive table shows nothing either
    model.attach();
    EXPECT_EQ(model.columnCount(), 0);
}

TEST(NumberFormat, PicturesUnderTurkishSeparators) {
    const QLocale tr(QLocale::Turkish, QLocale::Turkey);
    struct Case {
        const char* pattern;
        double value;
        const char* text;
    } cases[] = {
        {"#,###,##0.00", 1234567.5, "1.234.567,50"},
        {"#,###,##0.00", 0, "0,00"},
        {"#,###,##0.00", 2.675, "2,68"},
        {"#,###,##0.00", 1.005, "1,01"},
        {"#,###,##0.00", 0.125, "0,13"},
        {"#,###,##0.00", -1234.005, "-1.234,01"},
        {"#,###,##0.00", -0.001, "0,00"},
        {"#,###,##0.00", 999.995, "1.000,00"},
        {"#,###,##0.00", 1e15, "1.000.000.000.000.000,00"},
        {"#,###,##.00", 0.5, ",50"},
        {"#,###,##.00", 0, ",00"},
        {"#,###,##.00", 1234.567, "1.234,57"},
        {"#,###,##.00", -10.555, "-10,56"},
        {"#,###,##00.00", 5, "05,00"},
        {"#,###,##00.00", 5.5, "05,50"},
        {"#,###,##00.00", 170, "170,00"},
        {"#,###,##00.00", 1234, "1.234,00"},
        {"0.00", 999.995, "1000,00"},
        {"0.00", -3.14159, "-3,14"},
        {"#,##0", 1234.5, "1.235"},
        {"#,##0", -0.4, "0"},
        {"0.0#", 2.5, "2,5"},
        {"0.0#", 2.567, "2,57"},
        {"#", 0, ""},
        {"#.##", 0.004, ""},
        {"000", 7, "007"},
        {",0.00 TL;-,0.00 TL", 1234.5, "1.234,50 TL"},
        {",0.00 TL;-,0.00 TL", -1234.5, "-1.234,50 TL"},
        {"0.00;(0.00);\"sıfır\"", -2, "(2,00)"},
        {"0.00;(0.00);\"sıfır\"", 0.001, "sıfır"},
        {"0.00;;\"sıfır\"", -2, "-2,00"},
        {"'No: '0", 42, "No: 42"},
        {"", 1234567.5, "1234567,5"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(formatFloat(QString::fromUtf8(c.pattern), c.value, tr), QString::fromUtf8(c.text))
            << c.pattern << " " << c.value;
    }
    // The default locale (pinned to Turkish for the tests) and another locale's separators.
    EXPECT_EQ(formatFloat(u"#,###,##0.00", 1234567.5), QStringLiteral("1.234.567,50"));
    EXPECT_EQ(formatFloat(u"#,###,##0.00", 1234567.5, QLocale(QLocale::English)),
              QStringLiteral("1,234,567.50"));
}

TEST(NumberFormat, ReadsPicturesSectionBySection) {
    struct Section {
        bool empty;
        const char* prefix;
        const char* suffix;
        bool hasNumber, grouping;
        int minInt, minFrac, maxFrac;
    };
    const struct {
        const char* picture;
        std::vector<Section> sections;
    } cases[] = {
        {"#,###,##0.00", {{false, "", "", true, true, 1, 2, 2}}},
        // A quoted ';' does not split; text inside the number goes after it.
        {"'a;b' 0 x 0", {{false, "a;b ", " x ", true, false, 2, 0, 0}}},
        // A ',' after the point does not group; a second point is passed over.
        {"#.#0,#.#", {{false, "", "", true, false, 0, 2, 4}}},
        // A section written as nothing stands for the first; empty quoted text is one of its own.
        {"0.00;;\"\"",
         {{false, "", "", true, false, 1, 2, 2},
          {true, "", "", false, false, 0, 0, 0},
          {false, "", "", false, false, 0, 0, 0}}},
        {"\"TL\";",
         {{false, "TL", "", false, false, 0, 0, 0}, {true, "", "", false, false, 0, 0, 0}}},
    };
    for (const auto& c : cases) {
        const auto read = readNumberPicture(QString::fromUtf8(c.picture));
        ASSERT_EQ(std::size_t(read.size()), c.sections.size()) << c.picture;
        for (std::size_t i = 0; i < c.sections.size(); ++i) {
            const Section& want = c.sections[i];
            const PictureSection& got = read[qsizetype(i)];
            EXPECT_EQ(got.empty, want.empty) << c.picture << " " << i;
            EXPECT_EQ(got.prefix, QString::fromUtf8(want.prefix)) << c.picture << " " << i;
            EXPECT_EQ(got.suffix, QString::fromUtf8(want.suffix)) << c.picture << " " << i;
            EXPECT_EQ(got.hasNumber, want.hasNumber) << c.picture << " " << i;
            EXPECT_EQ(got.grouping, want.grouping) << c.picture << " " << i;
            EXPECT_EQ(got.minInt, want.minInt) << c.picture << " " << i;
            EXPECT_EQ(got.minFrac, want.minFrac) << c.picture << " " << i;
            EXPECT_EQ(got.maxFrac, want.maxFrac) << c.picture << " " << i;
        }
    }
    // Empty quoted text is a section of its own: it hides the value instead of falling back.
    EXPECT_EQ(formatFloat(u"0.00;\"\"", -2), QString());
    EXPECT_EQ(formatFloat(u"0.00;", -2), QStringLiteral("-2,00"));
}

TEST(NumberFormat, RoundsHalfAwayFromZeroAsWritten) {
    struct Case {
        double in;
        int decimals;
        double out;
    } cases[] = {
        {2.675, 2, 2.68},
        {1.005, 2, 1.01},
        {-10.555, 2, -10.56},
        {0.125, 2, 0.13},
        {1234567.891, 2, 1234567.89},
        {2.5, 0, 3.0},
        {-2.5, 0, -3.0},
        {0.0, 2, 0.0},
        {99.995, 2, 100.0},
        {1e-9, 2, 0.0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(roundDecimal(c.in, c.decimals), c.out) << c.in << " " << c.decimals;
}
