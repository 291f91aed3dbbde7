#include "platform/GridFilterPopup.h"

#include "platform/GridModel.h"

namespace kv::platform {

QString GridFilterPopup::allCaption() {
    return QStringLiteral("(Tümü)");
}

GridFilterPopup::GridFilterPopup(GridModel* model, QWidget* parent)
    : GridCheckList(parent), model_(model) {
    setObjectName(QStringLiteral("gridFilterPopup"));
    connect(this, &GridCheckList::toggled, this, &GridFilterPopup::onToggled);
}

void GridFilterPopup::openFor(int column, const QPoint& globalPos, int minWidth) {
    column_ = column;
    const GridColumn& c = model_->columns()[column];
    const int f = model_->fieldIndex(column);
    const QStringList chosen = model_->columnFilter(column);

    QList<Entry> entries;
    keys_.clear();
    entries.append({allCaption(), QIcon(), chosen.isEmpty()});
    keys_.append(QString());
    const QList<GridModel::FilterValue> values = model_->filterValues(column);
    entries.reserve(values.size() + 1);
    keys_.reserve(values.size() + 1);
    for (const GridModel::FilterValue& v : values) {
        Entry e;
        e.label = v.key.isEmpty() ? GridModel::blankCaption() : v.key;
        if (c.display == GridColumn::Display::Pictures && v.tableRow >= 0 && f >= 0)
            e.icon = c.pictures.value(model_->table()->toInt(v.tableRow, f));
        e.checked = chosen.contains(v.key);
        entries.append(std::move(e));
        keys_.append(v.key);
    }
    setEntries(std::move(entries));
    popupAt(globalPos, minWidth);
}

void GridFilterPopup::onToggled(int index, bool checked) {
    if (column_ < 0)
        return;
    if (index == 0) {
        // "(Tümü)" only switches the filter off; it cannot be unchecked by itself.
        setChecked(0, true);
        for (int i = 1; i < count(); ++i)
            setChecked(i, false);
        model_->setColumnFilter(column_, {});
        return;
    }
    Q_UNUSED(checked);
    QStringList keys;
    for (int i = 1; i < count(); ++i) {
        if (entry(i).checked)
            keys.append(keys_[i]);
    }
    setChecked(0, keys.isEmpty());
    model_->setColumnFilter(column_, keys);
}

}  // namespace kv::platform
