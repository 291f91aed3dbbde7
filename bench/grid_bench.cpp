// The list grid with 100 000 rows: binding a refilled table, a header filter with its footer
// sum, lifting it, the distinct values a filter popup lists, best fit, a repaint and an
// incremental search that ends far down the list. Runs on the offscreen platform when there
// is no display; prints the median of several runs of each step.
#include <QApplication>
#include <QKeyEvent>
#include <QLocale>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <vector>

#include "platform/DataGrid.h"
#include "platform/GridFilterPopup.h"
#include "platform/MemTable.h"

namespace {

using Clock = std::chrono::steady_clock;
using kv::platform::FieldType;

double median(const std::function<void()>& step, int runs = 7) {
    std::vector<double> t;
    for (int i = 0; i < runs; ++i) {
        const auto t0 = Clock::now();
        step();
        t.push_back(std::chrono::duration<double, std::milli>(Clock::now() - t0).count());
    }
    std::sort(t.begin(), t.end());
    return t[t.size() / 2];
}

void text(kv::platform::MemTable& t, int col, const QString& s) {
    const QByteArray b = s.toUtf8();
    t.appendBytes(col, b.constData(), std::size_t(b.size()));
}

void fill(kv::platform::MemTable& t, int rows) {
    static const char* const brands[] = {"BOSCH", "FEBİ BİLSTEİN", "LUK",  "SKF",   "TRW",
                                         "NGK",   "DENSO",         "MANN", "VALEO", "SACHS"};
    static const char* const names[] = {"Fren balatası ön", "Yağ filtresi", "Amortisör arka",
                                        "Triger seti",      "Buji",         "Debriyaj seti",
                                        "Radyatör"};
    t.beginBuild();
    t.addColumn(QStringLiteral("DURUM"), FieldType::Int32);
    t.addColumn(QStringLiteral("BARKOD"), FieldType::Text);
    t.addColumn(QStringLiteral("ADI"), FieldType::Text);
    t.addColumn(QStringLiteral("MARKA"), FieldType::Text);
    t.addColumn(QStringLiteral("FIYAT"), FieldType::Double);
    t.addColumn(QStringLiteral("KDVDAHIL"), FieldType::Double);
    t.endColumns();
    for (int r = 0; r < rows; ++r) {
        t.appendInt(0, r % 6);
        text(t, 1, QStringLiteral("KV-%1").arg(r, 6, 10, QLatin1Char('0')));
        text(t, 2, QString::fromUtf8(names[r % 7]) + QStringLiteral(" model %1").arg(r % 997));
        text(t, 3, QString::fromUtf8(brands[(r / 7) % 10]));
        t.appendReal(4, 10 + (r % 5000) * 0.37);
        t.appendReal(5, (10 + (r % 5000) * 0.37) * 1.2);
        t.endRow();
    }
    t.endBuild();
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QLocale::setDefault(QLocale(QLocale::Turkish, QLocale::Turkey));  // as the program shows it
    constexpr int kRows = 100000;
    kv::platform::MemTable table;
    fill(table, kRows);
    kv::platform::DataGrid grid(&table);
    QList<kv::platform::GridColumn> cols;
    for (const char* f : {"DURUM", "BARKOD", "ADI", "MARKA", "FIYAT", "KDVDAHIL"}) {
        kv::platform::GridColumn c;
        c.field = QString::fromLatin1(f);
        c.caption = c.field;
        cols << c;
    }
    cols[5].summary = {kv::platform::GridSummary::Kind::Sum, QStringLiteral("#,###,##0.00")};
    cols[1].summary = {kv::platform::GridSummary::Kind::Count, QString()};
    grid.setColumns(cols);
    grid.setFooterVisible(true);
    grid.resize(1344, 700);
    grid.show();
    QApplication::processEvents();

    const double bind = median([&] {
        grid.gridModel()->detach();
        fill(table, kRows);
        grid.gridModel()->attach();
    });
    const double filter = median([&] {
        grid.setColumnFilter(3, {QStringLiteral("LUK")});
        grid.clearFilters();
    });
    grid.setColumnFilter(3, {QStringLiteral("LUK")});
    const QString shown = QString::number(grid.model()->rowCount());
    const QString sum = grid.footerText(5);
    grid.clearFilters();
    const double popup = median(
        [&] {
            grid.showFilterPopup(2);
            if (auto* p = grid.findChild<kv::platform::GridFilterPopup*>())
                p->close();
        },
        3);
    const double fit = median([&] { grid.bestFit(); });
    const double paint = median([&] { grid.viewport()->repaint(); });
    grid.setFocus();
    grid.setCurrentIndex(grid.model()->index(0, 1));
    const double search = median([&] {
        grid.resetIncrementalSearch();
        for (const char c : QByteArray("KV-0999")) {
            QKeyEvent k(QEvent::KeyPress, 0, Qt::NoModifier, QString(QLatin1Char(c)));
            QApplication::sendEvent(&grid, &k);
        }
    });

    std::printf("grid over %d rows (medians):\n", kRows);
    std::printf(
        "  refill (detach, copy, attach with footer):   %7.1f ms (building the table included)\n",
        bind);
    std::printf("  header filter on a brand and lifting it:     %7.1f ms (%s rows, sum %s)\n",
                filter, shown.toUtf8().constData(), sum.toUtf8().constData());
    std::printf("  filter popup of a column of %d names:     %7.1f ms\n", 997 * 7, popup);
    std::printf("  best fit:                                    %7.1f ms\n", fit);
    std::printf("  repaint of the rows in view:                 %7.1f ms\n", paint);
    std::printf("  incremental search \"KV-0999\" (7 keys):       %7.1f ms (row %d)\n", search,
                grid.currentTableRow());
    return 0;
}
