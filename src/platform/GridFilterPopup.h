// The drop-down of a header filter button: "(Tümü)" and the column's distinct values
// (blank cells as "(Boş)"), each with a check box. Checking values lets only rows with
// those values through; checking "(Tümü)", or unchecking the last value, lifts the column's
// filter. Every change applies at once.
#pragma once

#include "platform/GridCheckList.h"

namespace kv::platform {

class GridModel;

class GridFilterPopup : public GridCheckList {
    Q_OBJECT
  public:
    static QString allCaption();  // "(Tümü)"

    GridFilterPopup(GridModel* model, QWidget* parent);
    // Fills the list for the column and shows it.
    void openFor(int column, const QPoint& globalPos, int minWidth);
    int column() const { return column_; }
    // The filter key of an entry (entry 0 is "(Tümü)" and has none).
    QString key(int i) const { return i > 0 && i < keys_.size() ? keys_[i] : QString(); }

  private:
    void onToggled(int index, bool checked);

    GridModel* model_;
    int column_ = -1;
    QStringList keys_;
};

}  // namespace kv::platform
