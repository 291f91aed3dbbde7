// The program's list grid: a read-only table view over an in-memory table with columns
// described once (field, caption, visibility, offered in the chooser, width weight, how the
// value is shown), picture cells from values, a hook for cells drawn by their owner, widths
// by weight, and row heights. No widget per row: it stays fluid with 100 000 rows.
#pragma once

#include <QAbstractTableModel>

#include <QHash>
#include <QIcon>
#include <QStyledItemDelegate>
#include <QTableView>
#include <functional>
#include "platform/DetachableModel.h"

#include "platform/MemTable.h"

namespace kv::platform {

struct GridColumn {
    enum class Display { Text, Pictures };
    QString field;    // empty for a column bound to no field (drawn by its owner)
    QString caption;  // empty: no caption
    bool visible = true;
    bool chooser = true;  // offered in the column chooser
    int weight = 1;
    Display display = Display::Text;
    QHash<qint64, QIcon> pictures;  // value -> picture, for Display::Pictures
    Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter;
};

class GridModel : public QAbstractTableModel, public DetachableModel {
    Q_OBJECT
  public:
    GridModel(MemTable* table, QObject* parent = nullptr);
    void setColumns(QList<GridColumn> columns);
    const QList<GridColumn>& columns() const { return columns_; }
    GridColumn& column(int i) { return columns_[i]; }
    int columnOf(const QString& fieldOrCaption) const;
    MemTable* table() const { return table_; }

    // Cut off from the table while a worker refills it, and bound again afterwards.
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

  private:
    void resolve();
    MemTable* table_;
    QList<GridColumn> columns_;
    QList<int> fieldIndex_;
    bool attached_ = true;
};

class DataGrid : public QTableView {
    Q_OBJECT
  public:
    explicit DataGrid(MemTable* table, QWidget* parent = nullptr);
    GridModel* gridModel() const { return model_; }

    void setColumns(QList<GridColumn> columns);
    void setColumnShown(int column, bool shown);
    void setColumnOffered(int column, bool offered);
    // Widths by weight: each visible column gets weight x the whole-number part of
    // (available width) / (sum of the visible weights).
    void KolonBoyutla(int availableWidth);
    void setDataRowHeight(int px);
    void setHeaderHeight(int px);

    // A cell drawn by its owner instead of the grid (for a column bound to no field).
    using CellPainter = std::function<void(QPainter*, const QStyleOptionViewItem&, int row)>;
    void setCellPainter(int column, CellPainter painter);

  signals:
    void rowDoubleClicked(int row);

  private:
    class Delegate;
    GridModel* model_;
    Delegate* delegate_;
};

}  // namespace kv::platform
