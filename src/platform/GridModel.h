// The columns of a list grid and the read-only model that shows an in-memory table through
// them. The model never copies the table: a row of the view is a row of the table or, while
// column filters are active, the n-th table row that passes them; the model then keeps only
// the ascending list of those table row numbers.
#pragma once

#include <QAbstractTableModel>
#include <QHash>
#include <QIcon>
#include <QMap>
#include <QSet>
#include <QStringList>
#include <vector>

#include "platform/DetachableModel.h"
#include "platform/MemTable.h"

namespace kv::platform {

// What the footer shows under a column, computed over the rows that pass the filters.
struct GridSummary {
    enum class Kind { None, Count, Sum };
    Kind kind = Kind::None;
    // A number picture (see NumberFormat.h). Empty: a count as a plain integer, a sum in the
    // general form.
    QString picture;
};

struct GridColumn {
    enum class Display { Text, Pictures, CheckBox };
    QString field;    // empty for a column bound to no field (drawn by its owner)
    QString caption;  // empty: no caption
    bool visible = true;
    bool chooser = true;  // offered in the column chooser
    int weight = 1;
    Display display = Display::Text;
    QHash<qint64, QIcon> pictures;  // value -> picture, for Display::Pictures
    Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter;
    bool wordWrap = true;  // text cells continue on further lines within the row height
    GridSummary summary;   // the footer cell
};

class GridModel : public QAbstractTableModel, public DetachableModel {
    Q_OBJECT
  public:
    // The caption under which filter lists offer null and blank cells.
    static QString blankCaption();

    GridModel(MemTable* table, QObject* parent = nullptr);
    void setColumns(QList<GridColumn> columns);
    const QList<GridColumn>& columns() const { return columns_; }
    GridColumn& column(int i) { return columns_[i]; }
    int columnOf(const QString& fieldOrCaption) const;
    MemTable* table() const { return table_; }

    // Cut off from the table while a worker refills it, and bound again afterwards. Binding
    // again re-applies the column filters, or drops them when the table's columns changed.
    void detach() override;
    void attach() override;
    bool attached() const { return attached_; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation o, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    // The table column of a grid column, or -1 (no field, or not in the current table).
    int fieldIndex(int gridColumn) const { return fieldIndex_.value(gridColumn, -1); }

    // ---- Rows: view rows are positions in the grid, table rows are rows of the MemTable.
    int tableRow(int viewRow) const;  // -1 when out of range
    int viewRow(int tableRow) const;  // -1 when filtered out or out of range
    // Calls f(tableRow) for every row the grid shows, in view order.
    template <class F>
    void forEachRow(F&& f) const {
        if (!live())
            return;
        if (filters_.isEmpty()) {
            for (int r = 0, n = table_->rowCount(); r < n; ++r)
                f(r);
        } else {
            for (int r : rows_)
                f(r);
        }
    }
    // The text a cell shows: empty for pictures, check boxes and columns without a field.
    QString displayText(int tableRow, int column) const;

    // ---- Column filters: each column keeps the set of keys it lets through; a row is shown
    // when every filtered column lets its key through.
    // A cell's key: the displayed text for text columns, the value's text for picture
    // columns, "Evet" or "Hayır" for check boxes; empty for null and blank cells.
    QString filterKey(int tableRow, int column) const;
    bool canFilter(int column) const;  // bound to a field
    // An empty list clears the column's filter. False for a column that cannot be filtered.
    bool setColumnFilter(int column, const QStringList& keys);
    QStringList columnFilter(int column) const;  // sorted; empty when none
    bool hasColumnFilter(int column) const { return filters_.contains(column); }
    bool hasFilters() const { return !filters_.isEmpty(); }
    void clearFilters();
    struct FilterValue {
        QString key;
        int tableRow;  // a row holding it, or -1 for a chosen key no row holds now
    };
    // The distinct keys of a column among the rows that pass the other columns' filters,
    // plus the keys chosen for the column itself: blank first, then numbers and dates by
    // value and texts in Turkish order.
    QList<FilterValue> filterValues(int column) const;

  signals:
    void filtersChanged();

  private:
    bool live() const { return attached_ && table_->isActive(); }
    bool passes(int tableRow, int skipColumn) const;
    void resolve();
    void refilter();
    QString tableSignature() const;

    MemTable* table_;
    QList<GridColumn> columns_;
    QList<int> fieldIndex_;
    bool attached_ = true;
    QMap<int, QSet<QString>> filters_;  // grid column -> keys let through
    std::vector<int> rows_;             // table rows passing the filters, while any is active
    QString signature_;                 // the table's columns when the filters were set
};

}  // namespace kv::platform
