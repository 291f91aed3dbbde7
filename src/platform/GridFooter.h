// The footer row under a grid: per column a count of the rows or the sum of the column's
// values, over the rows that pass the filters. The figures are computed by one scan of the
// table column when the rows change (binding again, a filter, a new summary), never while the
// model is detached; the row is painted in step with the header's sections and scrolling.
#pragma once

#include <QStringList>
#include <QWidget>

#include "platform/GridSkin.h"

class QTableView;

namespace kv::platform {

class GridModel;

class GridFooter : public QWidget {
    Q_OBJECT
  public:
    GridFooter(QTableView* view, GridModel* model);

    void setGridPalette(const GridPalette& palette);
    // Scans the table again; keeps the previous figures while the model is detached.
    void recompute();
    QString text(int column) const { return texts_.value(column); }
    QSize sizeHint() const override;

  protected:
    void paintEvent(QPaintEvent* e) override;

  private:
    QString summaryText(int column) const;

    QTableView* view_;
    GridModel* model_;
    GridPalette palette_;
    QStringList texts_;
    QList<Qt::Alignment> aligns_;  // taken while bound, so painting never reads the table
};

}  // namespace kv::platform
