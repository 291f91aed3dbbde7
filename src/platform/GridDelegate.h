// How the grid paints a cell: in the grid's palette (its own grid lines, alternate rows and
// selection), text that wraps per column, pictures from values centred at 24 x 24, read-only
// check boxes, and cells drawn by their owner.
#pragma once

#include <QHash>
#include <QStyledItemDelegate>
#include <functional>

#include "platform/GridSkin.h"

namespace kv::platform {

class GridModel;

class GridDelegate : public QStyledItemDelegate {
  public:
    // The row given to a painter is the table row.
    using CellPainter = std::function<void(QPainter*, const QStyleOptionViewItem&, int row)>;

    GridDelegate(GridModel* model, QObject* parent);
    void setGridPalette(const GridPalette& palette) { palette_ = palette; }
    const GridPalette& gridPalette() const { return palette_; }
    void setCellPainter(int column, CellPainter painter);

    void paint(QPainter* p, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;

  private:
    void paintCheckBox(QPainter* p, const QStyleOptionViewItem& opt,
                       const QModelIndex& index) const;

    GridModel* model_;
    GridPalette palette_;
    QHash<int, CellPainter> painters_;
};

}  // namespace kv::platform
