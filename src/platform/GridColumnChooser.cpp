#include "platform/GridColumnChooser.h"

#include "platform/DataGrid.h"

namespace kv::platform {

QString GridColumnChooser::titleCaption() {
    return QStringLiteral("Kolonlar");
}

GridColumnChooser::GridColumnChooser(DataGrid* grid) : GridCheckList(grid), grid_(grid) {
    setObjectName(QStringLiteral("gridColumnChooser"));
    setTitle(titleCaption());
    connect(this, &GridCheckList::toggled, this, [this](int entry, bool checked) {
        if (!grid_->chooseColumn(column(entry), checked))
            setChecked(entry, !checked);
    });
}

void GridColumnChooser::openAt(const QPoint& globalPos) {
    columns_ = grid_->chooserColumns();
    QList<Entry> entries;
    for (int c : columns_) {
        const GridColumn& col = grid_->gridModel()->columns()[c];
        Entry e;
        e.label = col.caption.isEmpty() ? col.field : col.caption;
        e.checked = !grid_->isColumnHidden(c);
        entries.append(std::move(e));
    }
    setEntries(std::move(entries));
    popupAt(globalPos, 180);
}

}  // namespace kv::platform
