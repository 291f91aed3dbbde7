// The list grid on real widgets (offscreen): filters by API and through the header popup,
// footer figures, table-row mapping, column chooser, incremental search, best fit, check-box
// cells, skins and the footer's place under the rows.
#include <gtest/gtest.h>
#include <QApplication>
#include <QHeaderView>
#include <QListView>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <functional>
#include <set>

#include "platform/DataGrid.h"
#include "platform/GridColumnChooser.h"
#include "platform/GridFilterPopup.h"
#include "platform/GridHeader.h"
#include "platform/NumberFormat.h"

using namespace kv::platform;

namespace {

constexpr int kRows = 3000;
const char* const kNames[] = {"Balata",      "Sıra tutucu",     "şişe kapağı", "Fren diski",
                              "ŞİŞE tutucu", "ılık su hortumu", "İğne rulman", "Çamurluk"};
const char* const kCities[] = {"Bursa", "İzmir", "Ankara", "İstanbul", "Şanlıurfa"};

// Row r of the test table: NO r, ADI a name with the row number, SEHIR null every 7th row and
// empty the row after, TUTAR (r % 100) + 0.25, SEC r % 2, DURUM r % 6.
QString nameOf(int r) {
    return QStringLiteral("%1 %2").arg(QString::fromUtf8(kNames[r % 8])).arg(r);
}
QString cityOf(int r) {  // empty for null and blank
    return r % 7 < 2 ? QString() : QString::fromUtf8(kCities[r % 5]);
}
double amountOf(int r, int shift) {
    return (r + shift) % 100 + 0.25;
}

void appendText(MemTable& t, int col, const QString& s) {
    const QByteArray b = s.toUtf8();
    t.appendBytes(col, b.constData(), std::size_t(b.size()));
}

void fill(MemTable& t, int rows, int shift = 0) {
    t.beginBuild();
    t.addColumn(QStringLiteral("NO"), FieldType::Int32);
    t.addColumn(QStringLiteral("ADI"), FieldType::Text);
    t.addColumn(QStringLiteral("SEHIR"), FieldType::Text);
    t.addColumn(QStringLiteral("TUTAR"), FieldType::Double);
    t.addColumn(QStringLiteral("SEC"), FieldType::Int32);
    t.addColumn(QStringLiteral("DURUM"), FieldType::Int32);
    t.endColumns();
    for (int r = 0; r < rows; ++r) {
        t.appendInt(0, r);
        appendText(t, 1, nameOf(r));
        if (r % 7 == 0)
            t.appendNull(2);
        else
            appendText(t, 2, cityOf(r));
        t.appendReal(3, amountOf(r, shift));
        t.appendInt(4, r % 2);
        t.appendInt(5, r % 6);
        t.endRow();
    }
    t.endBuild();
    t.setDisplayFormat(3, QStringLiteral("#,###,##0.00"));
}

GridColumn col(const char* field, const char* caption, bool chooser = true,
               GridColumn::Display display = GridColumn::Display::Text) {
    GridColumn c;
    c.field = QString::fromLatin1(field);
    c.caption = QString::fromUtf8(caption);
    c.chooser = chooser;
    c.display = display;
    return c;
}

struct Figures {
    int count = 0;
    double sum = 0;
};
Figures expected(int rows, const std::function<bool(int)>& pass, int shift = 0) {
    Figures f;
    for (int r = 0; r < rows; ++r) {
        if (pass(r)) {
            ++f.count;
            f.sum += amountOf(r, shift);
        }
    }
    return f;
}
QString money(double v) {
    return formatFloat(u"#,###,##0.00", v);
}

void sendText(QWidget* w, const QString& text) {
    for (QChar c : text)
        QTest::sendKeyEvent(QTest::Click, w, Qt::Key_unknown, QString(c), Qt::NoModifier);
}

class Grid : public ::testing::Test {
  protected:
    enum Col { No, Adi, Sehir, Tutar, Sec, Durum, Bilgi };

    void SetUp() override {
        fill(table, kRows);
        grid = std::make_unique<DataGrid>(&table);
        QList<GridColumn> cols = {
            col("NO", "No", false),
            col("ADI", "Açıklama"),
            col("SEHIR", "Şehir"),
            col("TUTAR", "Tutar"),
            col("SEC", "Seç", false, GridColumn::Display::CheckBox),
            col("DURUM", "", true, GridColumn::Display::Pictures),
            col("", "Bilgi", false),
        };
        cols[Durum].pictures = {{1, QIcon(QStringLiteral(":/platform/durum-mevcut.svg"))}};
        grid->setColumns(cols);
        grid->setFooterSummary(No, {GridSummary::Kind::Count, {}});
        grid->setFooterSummary(Tutar, {GridSummary::Kind::Sum, QStringLiteral("#,###,##0.00")});
        grid->setFooterVisible(true);
        grid->setHeaderHeight(40);
        grid->setDataRowHeight(30);
        grid->resize(1000, 500);
        grid->KolonBoyutla(900);
        grid->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(grid.get()));
    }
    void expectFigures(const Figures& f) {
        EXPECT_EQ(grid->gridModel()->rowCount(), f.count);
        EXPECT_EQ(grid->footerText(No), QString::number(f.count));
        EXPECT_EQ(grid->footerText(Tutar), money(f.sum));
    }
    void click(GridCheckList* list, const QString& label) {
        const int i = list->indexOf(label);
        ASSERT_GE(i, 0) << label.toStdString();
        QTest::mouseClick(list->list()->viewport(), Qt::LeftButton, {},
                          list->entryRect(i).center());
    }
    QStringList labels(const GridCheckList* list) {
        QStringList l;
        for (int i = 0; i < list->count(); ++i)
            l << list->entry(i).label;
        return l;
    }

    MemTable table;
    std::unique_ptr<DataGrid> grid;
};

}  // namespace

TEST_F(Grid, FiltersByValuesAndTheFooterFollows) {
    expectFigures(expected(kRows, [](int) { return true; }));
    struct Case {
        const char* name;
        QStringList sehir;
        QStringList durum;
        std::function<bool(int)> pass;
    } cases[] = {
        {"one city", {QStringLiteral("Bursa")}, {}, [](int r) { return cityOf(r) == "Bursa"; }},
        {"two cities",
         {QStringLiteral("Bursa"), QStringLiteral("İzmir")},
         {},
         [](int r) { return cityOf(r) == "Bursa" || cityOf(r) == "İzmir"; }},
        {"blank cells (null and empty)", {QString()}, {}, [](int r) { return r % 7 < 2; }},
        {"two columns together",
         {QStringLiteral("Ankara")},
         {QStringLiteral("3"), QStringLiteral("5")},
         [](int r) { return cityOf(r) == "Ankara" && (r % 6 == 3 || r % 6 == 5); }},
        {"a value no row has", {QStringLiteral("Kars")}, {}, [](int) { return false; }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        grid->clearFilters();
        ASSERT_TRUE(grid->setColumnFilter(Sehir, c.sehir));
        ASSERT_TRUE(grid->setColumnFilter(Durum, c.durum));
        expectFigures(expected(kRows, c.pass));
        for (int v = 0; v < grid->gridModel()->rowCount(); ++v)
            ASSERT_TRUE(c.pass(grid->tableRow(v))) << v;
    }
    // An empty list lifts a column's filter; a column without a field cannot be filtered.
    grid->setColumnFilter(Durum, {});
    EXPECT_FALSE(grid->gridModel()->hasColumnFilter(Durum));
    EXPECT_FALSE(grid->setColumnFilter(Bilgi, {QStringLiteral("x")}));
    grid->clearFilters();
    expectFigures(expected(kRows, [](int) { return true; }));
}

TEST_F(Grid, HeaderPopupListsValuesAndTickingFilters) {
    GridHeader* h = grid->gridHeader();
    EXPECT_TRUE(h->filterButtonRect(Bilgi).isNull());  // no field, no button
    ASSERT_FALSE(h->filterButtonRect(Sehir).isNull());
    QTest::mouseClick(h->viewport(), Qt::LeftButton, {}, h->filterButtonRect(Sehir).center());
    auto* popup = grid->findChild<GridFilterPopup*>();
    ASSERT_NE(popup, nullptr);
    ASSERT_TRUE(popup->isVisible());
    EXPECT_EQ(popup->column(), Sehir);
    // "(Tümü)", blanks, then the cities in Turkish order (İ after I, Ş after S).
    EXPECT_EQ(labels(popup), (QStringList{"(Tümü)", "(Boş)", "Ankara", "Bursa", "İstanbul", "İzmir",
                                          "Şanlıurfa"}));
    EXPECT_TRUE(popup->entry(0).checked);

    click(popup, QStringLiteral("Bursa"));
    expectFigures(expected(kRows, [](int r) { return cityOf(r) == "Bursa"; }));
    EXPECT_FALSE(popup->entry(0).checked);
    EXPECT_TRUE(grid->gridModel()->hasColumnFilter(Sehir));
    click(popup, QStringLiteral("(Boş)"));
    expectFigures(expected(kRows, [](int r) { return cityOf(r) == "Bursa" || r % 7 < 2; }));
    click(popup, QStringLiteral("(Tümü)"));
    expectFigures(expected(kRows, [](int) { return true; }));
    EXPECT_FALSE(grid->gridModel()->hasFilters());
    EXPECT_FALSE(popup->entry(popup->indexOf(QStringLiteral("Bursa"))).checked);
    popup->close();

    // Another column's list offers only the values the other filters leave (SEC 1 leaves the
    // odd DURUM codes), with their pictures.
    grid->setColumnFilter(Sec, {QStringLiteral("Evet")});
    QTest::mouseClick(h->viewport(), Qt::LeftButton, {}, h->filterButtonRect(Durum).center());
    EXPECT_EQ(labels(popup), (QStringList{"(Tümü)", "1", "3", "5"}));
    EXPECT_FALSE(popup->entry(popup->indexOf(QStringLiteral("1"))).icon.isNull());
    EXPECT_TRUE(popup->entry(popup->indexOf(QStringLiteral("3"))).icon.isNull());
    click(popup, QStringLiteral("1"));
    expectFigures(expected(kRows, [](int r) { return r % 6 == 1; }));
    click(popup, QStringLiteral("1"));  // unchecking the last value lifts the column's filter
    EXPECT_FALSE(grid->gridModel()->hasColumnFilter(Durum));
    EXPECT_TRUE(popup->entry(0).checked);
    popup->close();

    // Numbers come in numeric order.
    grid->setColumnFilter(Sehir, {QStringLiteral("Bursa")});
    QTest::mouseClick(h->viewport(), Qt::LeftButton, {}, h->filterButtonRect(No).center());
    EXPECT_EQ(labels(popup).mid(0, 9),
              (QStringList{"(Tümü)", "5", "25", "45", "55", "65", "75", "95", "115"}));
    popup->close();

    // Buttons off: no button, no popup, no filter left behind.
    QSignalSpy changed(grid.get(), &DataGrid::filtersChanged);
    grid->setFilterButtonsEnabled(false);
    EXPECT_TRUE(h->filterButtonRect(Sehir).isNull());
    EXPECT_FALSE(grid->gridModel()->hasFilters());
    EXPECT_EQ(changed.count(), 1);
    grid->showFilterPopup(Sehir);
    EXPECT_FALSE(popup->isVisible());
}

TEST_F(Grid, RowsNamedOutsideAreTableRows) {
    grid->setColumnFilter(Sehir, {QStringLiteral("İzmir")});
    const int view = 3;
    const int row = grid->tableRow(view);
    ASSERT_GT(row, view);
    EXPECT_EQ(cityOf(row), QStringLiteral("İzmir"));
    EXPECT_EQ(grid->gridModel()->viewRow(row), view);
    EXPECT_EQ(grid->tableRow(grid->gridModel()->rowCount()), -1);

    QSignalSpy clicked(grid.get(), &DataGrid::rowDoubleClicked);
    const QRect cell = grid->visualRect(grid->gridModel()->index(view, Adi));
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
    QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
    ASSERT_EQ(clicked.count(), 1);
    EXPECT_EQ(clicked.at(0).at(0).toInt(), row);
    EXPECT_EQ(grid->currentTableRow(), row);
    EXPECT_EQ(grid->selectedTableRows(), QList<int>{row});

    EXPECT_FALSE(grid->setCurrentTableRow(0));  // row 0 has no city: filtered out
    ASSERT_TRUE(grid->setCurrentTableRow(row + 5 * 7));
    EXPECT_EQ(grid->currentTableRow(), row + 35);

    // A painter is given table rows: every row it draws passes the filter.
    std::set<int> painted;
    grid->setCellPainter(Bilgi,
                         [&](QPainter*, const QStyleOptionViewItem&, int r) { painted.insert(r); });
    grid->scrollToTop();
    grid->grab();
    ASSERT_FALSE(painted.empty());
    for (int r : painted)
        EXPECT_EQ(cityOf(r), QStringLiteral("İzmir")) << r;
    EXPECT_TRUE(painted.count(grid->tableRow(0)));
}

TEST_F(Grid, RefillKeepsTheFilterAndTheFooterFollows) {
    QSignalSpy changed(grid.get(), &DataGrid::filtersChanged);
    grid->setColumnFilter(Sehir, {QStringLiteral("Bursa")});
    const auto bursa = [](int r) { return cityOf(r) == "Bursa"; };
    const QString before = grid->footerText(Tutar);
    EXPECT_EQ(before, money(expected(kRows, bursa).sum));

    // Detached while a worker would refill: nothing shown, the figures stay as they were.
    grid->gridModel()->detach();
    fill(table, 1200, 37);
    EXPECT_EQ(grid->gridModel()->rowCount(), 0);
    EXPECT_EQ(grid->footerText(Tutar), before);
    grid->gridModel()->attach();
    EXPECT_TRUE(grid->gridModel()->hasColumnFilter(Sehir));
    expectFigures(expected(1200, bursa, 37));

    // Same structure, no filter: the footer counts every row of the new result.
    grid->clearFilters();
    grid->gridModel()->detach();
    fill(table, 40, 3);
    grid->gridModel()->attach();
    expectFigures(expected(
        40, [](int) { return true; }, 3));

    // New columns drop the filter.
    grid->setColumnFilter(Sehir, {QStringLiteral("Bursa")});
    changed.clear();
    grid->gridModel()->detach();
    table.beginBuild();
    table.addColumn(QStringLiteral("SEHIR"), FieldType::Text);
    table.endColumns();
    appendText(table, 0, QStringLiteral("Van"));
    table.endRow();
    table.endBuild();
    grid->gridModel()->attach();
    EXPECT_FALSE(grid->gridModel()->hasFilters());
    EXPECT_EQ(changed.count(), 1);
    EXPECT_EQ(grid->gridModel()->rowCount(), 1);
    EXPECT_EQ(grid->footerText(No), QStringLiteral("1"));
    EXPECT_EQ(grid->footerText(Tutar), QStringLiteral("0,00"));  // no such field now

    // An emptied table shows nothing and counts nothing.
    grid->gridModel()->detach();
    table.clear();
    grid->gridModel()->attach();
    EXPECT_EQ(grid->gridModel()->rowCount(), 0);
    EXPECT_EQ(grid->footerText(No), QStringLiteral("0"));
}

TEST_F(Grid, ChooserOffersOnlyChooserColumns) {
    EXPECT_EQ(grid->chooserColumns(), (QList<int>{Adi, Sehir, Tutar, Durum}));
    grid->showColumnChooser();
    auto* chooser = grid->findChild<GridColumnChooser*>();
    ASSERT_NE(chooser, nullptr);
    ASSERT_TRUE(chooser->isVisible());
    // Captions, or the field name for a column without one.
    EXPECT_EQ(labels(chooser), (QStringList{"Açıklama", "Şehir", "Tutar", "DURUM"}));

    click(chooser, QStringLiteral("Şehir"));
    EXPECT_TRUE(grid->isColumnHidden(Sehir));
    EXPECT_FALSE(grid->gridModel()->columns()[Sehir].visible);
    click(chooser, QStringLiteral("Şehir"));
    EXPECT_FALSE(grid->isColumnHidden(Sehir));
    chooser->close();

    // The chooser's way refuses a column not offered; the program's own way does not.
    EXPECT_FALSE(grid->chooseColumn(No, false));
    EXPECT_FALSE(grid->isColumnHidden(No));
    grid->setColumnShown(No, false);
    EXPECT_TRUE(grid->isColumnHidden(No));
    grid->setColumnOffered(Sehir, false);
    grid->showColumnChooser();
    EXPECT_EQ(labels(chooser), (QStringList{"Açıklama", "Tutar", "DURUM"}));
    chooser->close();
}

TEST_F(Grid, IncrementalSearchJumpsByTurkishLetters) {
    grid->setFocus();
    grid->setCurrentIndex(grid->gridModel()->index(0, Adi));
    struct Step {
        const char* typed;  // "\b" is Backspace
        const char* buffer;
        int row;  // expected current table row
    } steps[] = {
        {"Ş", "Ş", 1},    // "Sıra tutucu 1"
        {"İ", "Şİ", 1},   // still "SI"
        {"Ş", "ŞİŞ", 2},  // "şişe kapağı 2"
        {"x", "ŞİŞ", 2},  // no row goes on so: not taken
        {"\b", "Şİ", 1}, {"\b", "Ş", 1},
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(s.typed);
        if (QByteArray(s.typed) == "\b")
            QTest::keyClick(grid.get(), Qt::Key_Backspace);
        else
            sendText(grid.get(), QString::fromUtf8(s.typed));
        EXPECT_EQ(grid->incrementalSearchText(), QString::fromUtf8(s.buffer));
        EXPECT_EQ(grid->currentTableRow(), s.row);
        EXPECT_EQ(grid->currentIndex().column(), Adi);
    }

    // A fresh search starts from the top again; lower case and dotless i fold alike.
    grid->resetIncrementalSearch();
    sendText(grid.get(), QStringLiteral("ılık"));
    EXPECT_EQ(grid->currentTableRow(), 5);
    QTest::keyClick(grid.get(), Qt::Key_Escape);
    EXPECT_TRUE(grid->incrementalSearchText().isEmpty());

    // Only rows the filter lets through, in view order.
    grid->setColumnFilter(Sehir, {QStringLiteral("Bursa")});
    grid->setCurrentIndex(grid->gridModel()->index(0, Adi));
    sendText(grid.get(), QStringLiteral("şiş"));
    EXPECT_EQ(grid->currentTableRow(), 10);  // "şişe kapağı 10", the first in Bursa
    EXPECT_EQ(cityOf(10), QStringLiteral("Bursa"));

    // Moving to another column starts over.
    grid->setCurrentIndex(grid->gridModel()->index(1, Sehir));
    EXPECT_TRUE(grid->incrementalSearchText().isEmpty());
    sendText(grid.get(), QStringLiteral("b"));
    EXPECT_EQ(grid->currentIndex().column(), Sehir);
    EXPECT_EQ(grid->currentIndex().row(), 0);
}

TEST(GridBestFit, SizesColumnsToTheirContentFromABoundedSample) {
    MemTable t;
    const int rows = 100000;
    const QString longText = QStringLiteral("Ön fren balatası takımı, seramik, sensörlü, 4 adet");
    t.beginBuild();
    t.addColumn(QStringLiteral("KISA"), FieldType::Text);
    t.addColumn(QStringLiteral("UZUN"), FieldType::Text);
    t.addColumn(QStringLiteral("GEC"), FieldType::Text);
    t.endColumns();
    for (int r = 0; r < rows; ++r) {
        appendText(t, 0, QStringLiteral("ab"));
        appendText(t, 1, r == 150 ? longText : QStringLiteral("kısa"));
        appendText(t, 2, r == 90000 ? longText : QStringLiteral("x"));
        t.endRow();
    }
    t.endBuild();
    DataGrid g(&t);
    g.setColumns({col("KISA", "K"), col("UZUN", "U"), col("GEC", "G")});
    g.setDataRowHeight(24);
    g.resize(600, 400);
    g.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&g));
    for (int c = 0; c < 3; ++c)
        g.setColumnWidth(c, 40);
    g.bestFit();
    const int wide = g.fontMetrics().horizontalAdvance(longText);
    EXPECT_GE(g.columnWidth(1), wide);
    EXPECT_LT(g.columnWidth(0), g.columnWidth(1));
    // Row 90 000 is neither among the leading rows nor in view: not measured.
    EXPECT_LT(g.columnWidth(2), wide);
    // In view, it is.
    g.scrollTo(g.gridModel()->index(90000, 2));
    g.bestFit();
    EXPECT_GE(g.columnWidth(2), wide);
}

TEST_F(Grid, CheckBoxCellsShowTheValue) {
    GridModel* m = grid->gridModel();
    EXPECT_EQ(m->data(m->index(1, Sec), Qt::CheckStateRole).toInt(), Qt::Checked);
    EXPECT_EQ(m->data(m->index(2, Sec), Qt::CheckStateRole).toInt(), Qt::Unchecked);
    EXPECT_FALSE(m->data(m->index(1, Sec), Qt::DisplayRole).isValid());
    EXPECT_EQ(m->filterKey(1, Sec), QStringLiteral("Evet"));
    EXPECT_EQ(m->filterKey(2, Sec), QStringLiteral("Hayır"));
    // Read-only: a click does not change the value.
    const QRect cell1 = grid->visualRect(m->index(1, Sec));
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell1.center());
    EXPECT_EQ(m->data(m->index(1, Sec), Qt::CheckStateRole).toInt(), Qt::Checked);

    // A checked and an unchecked box look different, and either differs from an empty cell.
    grid->clearSelection();
    grid->setCurrentIndex({});
    grid->setAlternatingRowColors(false);  // the rows then differ by their boxes only
    const QImage img = grid->viewport()->grab().toImage();
    const auto box = [&](int row) {
        const QRect r = grid->visualRect(m->index(row, Sec));
        return img.copy(QRect(r.center() - QPoint(7, 7), QSize(14, 14)));
    };
    const auto uniform = [](const QImage& i) {
        for (int y = 0; y < i.height(); ++y) {
            for (int x = 0; x < i.width(); ++x) {
                if (i.pixel(x, y) != i.pixel(0, 0))
                    return false;
            }
        }
        return true;
    };
    EXPECT_EQ(box(1), box(3));  // both checked
    EXPECT_EQ(box(2), box(4));  // both unchecked
    EXPECT_NE(box(1), box(2));
    EXPECT_FALSE(uniform(box(2)));
}

TEST_F(Grid, SkinsPaintTheirPalettes) {
    grid->clearSelection();
    grid->setCurrentIndex({});
    const GridModel* m = grid->gridModel();
    const auto near = [](QColor a, QColor b, int tolerance) {
        return std::abs(a.red() - b.red()) <= tolerance &&
               std::abs(a.green() - b.green()) <= tolerance &&
               std::abs(a.blue() - b.blue()) <= tolerance;
    };
    for (GridSkin skin : {GridSkin::Whiteprint, GridSkin::Darkroom, GridSkin::VS2010}) {
        SCOPED_TRACE(gridSkinName(skin).toStdString());
        grid->setSkin(skin);
        grid->selectRow(2);
        const GridPalette p = gridPalette(skin);
        const QImage img = grid->grab().toImage();
        const auto at = [&](int row, int column) {
            const QRect r = grid->visualRect(m->index(row, column));
            return img.pixelColor(grid->viewport()->mapTo(grid.get(), r.center()));
        };
        EXPECT_EQ(at(0, Bilgi), p.base);
        EXPECT_EQ(at(1, Bilgi), p.alternateBase);
        EXPECT_EQ(at(2, Bilgi), p.selection);

        // Text in the row's text colour: some pixel of a text cell comes close to it.
        const QRect text = grid->visualRect(m->index(0, Adi));
        bool found = false;
        for (int x = text.left(); x < text.right() && !found; ++x) {
            for (int y = text.top(); y < text.bottom() && !found; ++y)
                found = near(img.pixelColor(grid->viewport()->mapTo(grid.get(), QPoint(x, y))),
                             p.text, 40);
        }
        EXPECT_TRUE(found);

        GridHeader* h = grid->gridHeader();
        const QPoint inHeader(h->sectionViewportPosition(Bilgi) + 2, h->height() / 2);
        const QColor header = img.pixelColor(h->viewport()->mapTo(grid.get(), inHeader));
        const auto between = [](int v, int a, int b) {
            return v >= std::min(a, b) - 2 && v <= std::max(a, b) + 2;
        };
        EXPECT_TRUE(between(header.red(), p.headerTop.red(), p.headerBottom.red()) &&
                    between(header.green(), p.headerTop.green(), p.headerBottom.green()) &&
                    between(header.blue(), p.headerTop.blue(), p.headerBottom.blue()))
            << header.name().toStdString();

        const QWidget* footer = grid->findChild<QWidget*>(QStringLiteral("gridFooter"));
        ASSERT_NE(footer, nullptr);
        const QPoint inFooter(
            grid->viewport()->geometry().left() + h->sectionViewportPosition(Bilgi) + 10,
            footer->height() / 2);
        EXPECT_EQ(img.pixelColor(footer->mapTo(grid.get(), inFooter)), p.footerBackground);
    }
}

TEST_F(Grid, FooterSitsUnderTheRowsInStepWithTheHeader) {
    const QWidget* footer = grid->findChild<QWidget*>(QStringLiteral("gridFooter"));
    ASSERT_NE(footer, nullptr);
    ASSERT_TRUE(footer->isVisible());
    // Right under the rows, as wide as they are, above the horizontal scroll bar.
    EXPECT_EQ(footer->geometry().top(), grid->viewport()->geometry().bottom() + 1);
    EXPECT_EQ(footer->geometry().left(), grid->viewport()->geometry().left());
    EXPECT_EQ(footer->width(), grid->viewport()->width());
    grid->setColumnWidth(Adi, 900);  // wider than the view: the scroll bar appears
    ASSERT_TRUE(QTest::qWaitFor([&] { return grid->horizontalScrollBar()->isVisible(); }));
    EXPECT_LE(footer->geometry().bottom(),
              grid->horizontalScrollBar()->mapTo(grid.get(), QPoint(0, 0)).y());
    // The last row can be scrolled fully into view above the footer.
    grid->scrollToBottom();
    const QRect last = grid->visualRect(grid->gridModel()->index(kRows - 1, Adi));
    EXPECT_LE(last.bottom(), grid->viewport()->height() - 1);
    EXPECT_GE(last.top(), 0);

    // Off: the view takes the strip back.
    const int withFooter = grid->viewport()->height();
    grid->setFooterVisible(false);
    EXPECT_FALSE(footer->isVisible());
    EXPECT_EQ(grid->viewport()->height(), withFooter + footer->height());
}

TEST_F(Grid, HeaderCaptionsWrapWhenTheHeaderIsHighEnough) {
    GridHeader* h = grid->gridHeader();
    const QString caption = QStringLiteral("Kampanyalı Fiyat");
    QList<GridColumn> cols = grid->gridModel()->columns();
    cols[Tutar].caption = caption;
    grid->setColumns(cols);
    const QFontMetrics fm(h->font());
    const int captionWidth = fm.horizontalAdvance(caption);
    // Room for the longer word, the margins and the filter button, not for both words.
    grid->setColumnWidth(Tutar, fm.horizontalAdvance(QStringLiteral("Kampanyalı")) + 32);
    EXPECT_EQ(h->captionLines(Tutar), 2);
    grid->setHeaderWordWrap(false);
    EXPECT_EQ(h->captionLines(Tutar), 1);
    grid->setHeaderWordWrap(true);
    grid->setHeaderHeight(QFontMetrics(h->font()).height() + 6);  // room for one line only
    EXPECT_EQ(h->captionLines(Tutar), 1);
    grid->setHeaderHeight(40);
    grid->setColumnWidth(Tutar, captionWidth + 60);  // fits on one line
    EXPECT_EQ(h->captionLines(Tutar), 1);
}
