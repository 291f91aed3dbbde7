// The program's list grid: a read-only table view over an in-memory table with columns
// described once (field, caption, visibility, offered in the chooser, width weight, how the
// value is shown). It adds what every list of the program uses: filter buttons in the header,
// a footer with counts and sums, a column chooser, incremental search, best fit, widths by
// weight, wrapped headers and cells, picture and check-box cells, cells drawn by their owner,
// and the grid palettes. No widget per row and one row height: fluid with 100 000 rows.
//
// Rows: the grid may show a filtered subset of the table. Everything that names a row to the
// outside (tableRow, currentTableRow, selectedTableRows, rowDoubleClicked, the row given to a
// CellPainter) names the TABLE row.
#pragma once

#include <QElapsedTimer>
#include <QTableView>
#include <functional>

#include "platform/GridDelegate.h"
#include "platform/GridModel.h"
#include "platform/GridSkin.h"
#include "platform/MemTable.h"

namespace kv::platform {

class GridColumnChooser;
class GridFilterPopup;
class GridFooter;
class GridHeader;

class DataGrid : public QTableView {
    Q_OBJECT
  public:
    using Summary = GridSummary;
    using CellPainter = GridDelegate::CellPainter;

    explicit DataGrid(MemTable* table, QWidget* parent = nullptr);
    ~DataGrid() override;
    GridModel* gridModel() const { return model_; }
    GridHeader* gridHeader() const { return header_; }

    // ---- Columns
    void setColumns(QList<GridColumn> columns);
    // Shows or hides any column; for the program's own code (see chooseColumn for the user's).
    void setColumnShown(int column, bool shown);
    void setColumnOffered(int column, bool offered);
    // Widths by weight: each visible column gets weight x the whole-number part of
    // (available width) / (sum of the visible weights).
    void KolonBoyutla(int availableWidth);
    // Every visible column as wide as its caption and its widest value among the rows in
    // view and the first rows of the grid (a bounded sample, whatever the row count).
    void bestFit();
    int bestFitWidth(int column) const;
    void setDataRowHeight(int px);
    void setHeaderHeight(int px);
    void setHeaderWordWrap(bool on);
    // A cell drawn by its owner instead of the grid (for a column bound to no field). The
    // option's palette holds the row's background as both Base and AlternateBase and the
    // grid's selection colours as Highlight and HighlightedText.
    void setCellPainter(int column, CellPainter painter);

    // ---- Rows (table rows; -1 for none)
    int tableRow(int viewRow) const { return model_->tableRow(viewRow); }
    int currentTableRow() const;
    QList<int> selectedTableRows() const;  // ascending
    // Makes the table row current and selected; false when the grid does not show it.
    bool setCurrentTableRow(int tableRow);

    // ---- Header filters (values are displayed texts; an empty text stands for blank cells)
    void setFilterButtonsEnabled(bool on);  // off also lifts every filter
    bool filterButtonsEnabled() const;
    bool setColumnFilter(int column, const QStringList& values);
    void clearFilters();
    void showFilterPopup(int column);

    // ---- Footer
    void setFooterVisible(bool on);
    bool footerVisible() const { return footerOn_; }
    void setFooterSummary(int column, Summary summary);
    QString footerText(int column) const;

    // ---- Column chooser
    QList<int> chooserColumns() const;  // the columns offered, in grid order
    // The chooser's way to show or hide a column: refused (false) for one not offered.
    bool chooseColumn(int column, bool shown);
    void showColumnChooser();

    // ---- Incremental search: typed text jumps to the first row whose text in the focused
    // column starts with it, Turkish letters folded on both sides.
    QString incrementalSearchText() const;
    void resetIncrementalSearch();

    // ---- Look
    void setSkin(GridSkin skin);
    GridSkin skin() const { return skin_; }
    const GridPalette& skinPalette() const { return palette_; }

    int sizeHintForColumn(int column) const override;

  signals:
    void rowDoubleClicked(int tableRow);
    void filtersChanged();

  protected:
    void keyPressEvent(QKeyEvent* e) override;
    void keyboardSearch(const QString& search) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
    void updateGeometries() override;

  private:
    void typeSearch(const QString& typed);
    int searchColumn() const;
    int findRow(int column, const QString& prefix) const;
    void placeFooter();
    void headerMenu(const QPoint& pos);

    GridModel* model_;
    GridDelegate* delegate_;
    GridHeader* header_;
    GridFooter* footer_;
    GridFilterPopup* filterPopup_ = nullptr;
    GridColumnChooser* chooser_ = nullptr;
    bool footerOn_ = false;
    GridSkin skin_ = GridSkin::Whiteprint;
    GridPalette palette_;
    QString search_;
    int searchColumn_ = -1;
    QElapsedTimer lastSearchKey_;
};

}  // namespace kv::platform
