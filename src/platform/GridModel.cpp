#include "platform/GridModel.h"

#include <QCollator>
#include <QLocale>
#include <algorithm>

namespace kv::platform {

namespace {

bool sortsByValue(FieldType t) {
    return isNumeric(t) || t == FieldType::DateTime || t == FieldType::Bool;
}

}  // namespace

QString GridModel::blankCaption() {
    return QStringLiteral("(Boş)");
}

GridModel::GridModel(MemTable* table, QObject* parent)
    : QAbstractTableModel(parent), table_(table) {}

void GridModel::setColumns(QList<GridColumn> columns) {
    const bool hadFilters = !filters_.isEmpty();
    beginResetModel();
    columns_ = std::move(columns);
    filters_.clear();
    rows_.clear();
    resolve();
    endResetModel();
    if (hadFilters)
        emit filtersChanged();
}

int GridModel::columnOf(const QString& name) const {
    for (int i = 0; i < columns_.size(); ++i) {
        if (columns_[i].field == name ||
            (columns_[i].field.isEmpty() && columns_[i].caption == name)) {
            return i;
        }
    }
    return -1;
}

QString GridModel::tableSignature() const {
    if (!table_->isActive())
        return {};
    QString s;
    for (int c = 0; c < table_->columnCount(); ++c) {
        s += table_->columnName(c);
        s += QLatin1Char(':');
        s += QLatin1String(fieldTypeName(table_->columnType(c)));
        s += QLatin1Char(';');
    }
    return s;
}

void GridModel::resolve() {
    fieldIndex_.clear();
    for (const GridColumn& c : columns_) {
        fieldIndex_ << (c.field.isEmpty() || !table_->isActive() ? -1
                                                                 : table_->columnIndex(c.field));
    }
    signature_ = tableSignature();
}

void GridModel::detach() {
    beginResetModel();
    attached_ = false;
    rows_.clear();
    endResetModel();
}

void GridModel::attach() {
    beginResetModel();
    attached_ = true;
    const bool dropped = !filters_.isEmpty() && tableSignature() != signature_;
    if (dropped)
        filters_.clear();
    resolve();
    refilter();
    endResetModel();
    if (dropped)
        emit filtersChanged();
}

bool GridModel::passes(int tableRow, int skipColumn) const {
    for (auto it = filters_.cbegin(); it != filters_.cend(); ++it) {
        if (it.key() != skipColumn && !it.value().contains(filterKey(tableRow, it.key())))
            return false;
    }
    return true;
}

void GridModel::refilter() {
    rows_.clear();
    if (filters_.isEmpty() || !live())
        return;
    const int n = table_->rowCount();
    for (int r = 0; r < n; ++r) {
        if (passes(r, -1))
            rows_.push_back(r);
    }
    rows_.shrink_to_fit();
}

int GridModel::rowCount(const QModelIndex& parent) const {
    if (parent.isValid() || !live())
        return 0;
    return filters_.isEmpty() ? table_->rowCount() : int(rows_.size());
}

int GridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(columns_.size());
}

int GridModel::tableRow(int viewRow) const {
    if (viewRow < 0 || !live())
        return -1;
    int r = viewRow;
    if (!filters_.isEmpty()) {
        if (std::size_t(viewRow) >= rows_.size())
            return -1;
        r = rows_[std::size_t(viewRow)];
    }
    // A table refilled behind the model's back must not be read past its end.
    return r < table_->rowCount() ? r : -1;
}

int GridModel::viewRow(int tableRow) const {
    if (tableRow < 0 || !live() || tableRow >= table_->rowCount())
        return -1;
    if (filters_.isEmpty())
        return tableRow;
    const auto it = std::lower_bound(rows_.begin(), rows_.end(), tableRow);
    return it != rows_.end() && *it == tableRow ? int(it - rows_.begin()) : -1;
}

QString GridModel::displayText(int tableRow, int column) const {
    const int f = fieldIndex(column);
    if (f < 0 || f >= table_->columnCount() ||
        columns_[column].display != GridColumn::Display::Text)
        return {};
    return table_->displayText(tableRow, f);
}

QString GridModel::filterKey(int tableRow, int column) const {
    const int f = fieldIndex(column);
    if (f < 0 || f >= table_->columnCount() || table_->isNull(tableRow, f))
        return {};
    if (columns_[column].display == GridColumn::Display::CheckBox)
        return table_->toInt(tableRow, f) != 0 ? QStringLiteral("Evet") : QStringLiteral("Hayır");
    QString s = table_->displayText(tableRow, f);
    return s.trimmed().isEmpty() ? QString() : s;
}

bool GridModel::canFilter(int column) const {
    return column >= 0 && column < columns_.size() && !columns_[column].field.isEmpty();
}

bool GridModel::setColumnFilter(int column, const QStringList& keys) {
    if (!canFilter(column))
        return false;
    QSet<QString> set;
    for (const QString& k : keys)
        set.insert(k.trimmed().isEmpty() ? QString() : k);
    if (set.isEmpty() && !filters_.contains(column))
        return true;
    if (filters_.value(column) == set && filters_.contains(column))
        return true;
    beginResetModel();
    if (set.isEmpty())
        filters_.remove(column);
    else
        filters_.insert(column, set);
    refilter();
    endResetModel();
    emit filtersChanged();
    return true;
}

QStringList GridModel::columnFilter(int column) const {
    QStringList keys = filters_.value(column).values();
    keys.sort();
    return keys;
}

void GridModel::clearFilters() {
    if (filters_.isEmpty())
        return;
    beginResetModel();
    filters_.clear();
    rows_.clear();
    endResetModel();
    emit filtersChanged();
}

QList<GridModel::FilterValue> GridModel::filterValues(int column) const {
    QList<FilterValue> values;
    if (!canFilter(column))
        return values;
    QHash<QString, int> seen;
    if (live() && fieldIndex(column) >= 0) {
        for (int r = 0, n = table_->rowCount(); r < n; ++r) {
            if (!passes(r, column))
                continue;
            const QString k = filterKey(r, column);
            if (!seen.contains(k)) {
                seen.insert(k, r);
                values.append({k, r});
            }
        }
    }
    for (const QString& k : filters_.value(column)) {
        if (!seen.contains(k))
            values.append({k, -1});
    }

    // While detached the table may be refilled elsewhere: only the chosen keys, as texts.
    const int f = live() ? fieldIndex(column) : -1;
    const bool byValue = f >= 0 && f < table_->columnCount() &&
                         (sortsByValue(table_->columnType(f)) ||
                          columns_[column].display != GridColumn::Display::Text);
    QCollator collator{QLocale(QLocale::Turkish, QLocale::Turkey)};
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    collator.setNumericMode(true);
    struct Keyed {
        FilterValue v;
        double number;
        QCollatorSortKey text;
    };
    std::vector<Keyed> keyed;
    keyed.reserve(std::size_t(values.size()));
    for (const FilterValue& v : values) {
        const double n = byValue && v.tableRow >= 0 ? table_->toDouble(v.tableRow, f) : 0.0;
        keyed.push_back({v, n, collator.sortKey(v.key)});
    }
    std::sort(keyed.begin(), keyed.end(), [byValue](const Keyed& a, const Keyed& b) {
        const bool blankA = a.v.key.isEmpty(), blankB = b.v.key.isEmpty();
        if (blankA != blankB)
            return blankA;
        if (byValue && a.number != b.number && a.v.tableRow >= 0 && b.v.tableRow >= 0)
            return a.number < b.number;
        return a.text.compare(b.text) < 0;
    });
    values.clear();
    for (const Keyed& k : keyed)
        values.append(k.v);
    return values;
}

QVariant GridModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.column() >= columns_.size())
        return {};
    const int r = tableRow(index.row());
    if (r < 0)
        return {};
    const GridColumn& c = columns_[index.column()];
    int f = fieldIndex_.value(index.column(), -1);
    if (f >= table_->columnCount())
        f = -1;
    switch (role) {
        case Qt::DisplayRole:
            if (f < 0 || c.display != GridColumn::Display::Text)
                return {};
            return table_->displayText(r, f);
        case Qt::DecorationRole:
            if (f < 0 || c.display != GridColumn::Display::Pictures)
                return {};
            return c.pictures.value(table_->toInt(r, f));
        case Qt::CheckStateRole:
            if (f < 0 || c.display != GridColumn::Display::CheckBox)
                return {};
            return table_->toInt(r, f) != 0 ? Qt::Checked : Qt::Unchecked;
        case Qt::UserRole:
            return f < 0 ? QVariant() : table_->value(r, f);
        case Qt::TextAlignmentRole:
            // As an int: every Qt 6 view and delegate reads it that way.
            if (f >= 0 && isNumeric(table_->columnType(f)))
                return int(Qt::AlignRight | Qt::AlignVCenter);
            return int(c.alignment);
        default:
            return {};
    }
}

QVariant GridModel::headerData(int section, Qt::Orientation o, int role) const {
    if (o != Qt::Horizontal || section < 0 || section >= columns_.size())
        return {};
    if (role == Qt::DisplayRole)
        return columns_[section].caption;
    if (role == Qt::TextAlignmentRole)
        return int(Qt::AlignCenter);
    return {};
}

Qt::ItemFlags GridModel::flags(const QModelIndex& index) const {
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren
                           : Qt::NoItemFlags;
}

}  // namespace kv::platform
