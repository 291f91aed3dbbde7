// The column chooser: a popup listing the columns the grid offers (GridColumn::chooser) with
// a check box each, checked when shown. Columns not offered are not listed, so the user can
// neither show nor hide them.
#pragma once

#include "platform/GridCheckList.h"

namespace kv::platform {

class DataGrid;

class GridColumnChooser : public GridCheckList {
    Q_OBJECT
  public:
    static QString titleCaption();  // "Kolonlar"

    explicit GridColumnChooser(DataGrid* grid);
    void openAt(const QPoint& globalPos);
    int column(int entry) const { return columns_.value(entry, -1); }

  private:
    DataGrid* grid_;
    QList<int> columns_;
};

}  // namespace kv::platform
