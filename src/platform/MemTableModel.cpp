#include "platform/MemTableModel.h"

namespace kv::platform {

MemTableModel::MemTableModel(MemTable* table, QObject* parent)
    : QAbstractTableModel(parent), table_(table) {}

void MemTableModel::setTable(MemTable* table) {
    beginResetModel();
    table_ = table;
    endResetModel();
}

void MemTableModel::detach() {
    if (!attached_)
        return;
    beginResetModel();
    attached_ = false;
    endResetModel();
}

void MemTableModel::attach() {
    // Also when already attached: the views then re-read a table refilled in place.
    beginResetModel();
    attached_ = true;
    endResetModel();
}

void MemTableModel::setCaption(const QString& field, const QString& caption) {
    captions_.insert(field, caption);
    if (live()) {
        const int col = table_->columnIndex(field);
        if (col >= 0)
            emit headerDataChanged(Qt::Horizontal, col, col);
    }
}

int MemTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() || !live() ? 0 : table_->rowCount();
}

int MemTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() || !live() ? 0 : table_->columnCount();
}

QVariant MemTableModel::data(const QModelIndex& index, int role) const {
    if (!live() || !checkIndex(index, CheckIndexOption::IndexIsValid) ||
        index.row() >= table_->rowCount() || index.column() >= table_->columnCount()) {
        return {};
    }
    switch (role) {
        case Qt::DisplayRole:
            return table_->displayText(index.row(), index.column());
        case Qt::EditRole:
        case Qt::UserRole:
            return table_->value(index.row(), index.column());
        case Qt::TextAlignmentRole: {
            const bool number = isNumeric(table_->columnType(index.column()));
            // As an int: every Qt 6 view and delegate reads it that way.
            return int((number ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
        }
        default:
            return {};
    }
}

QVariant MemTableModel::headerData(int section, Qt::Orientation o, int role) const {
    if (o != Qt::Horizontal || role != Qt::DisplayRole || !live() || section < 0 ||
        section >= table_->columnCount()) {
        return QAbstractTableModel::headerData(section, o, role);
    }
    const QString& name = table_->columnName(section);
    const auto it = captions_.constFind(name);
    return it == captions_.constEnd() ? name : *it;
}

Qt::ItemFlags MemTableModel::flags(const QModelIndex& index) const {
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
}

}  // namespace kv::platform
