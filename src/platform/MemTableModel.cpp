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
    if (!live() || !index.isValid() || index.row() >= table_->rowCount() ||
        index.column() >= table_->columnCount()) {
        return {};
    }
    switch (role) {
        case Qt::DisplayRole:
            return table_->displayText(index.row(), index.column());
        case Qt::EditRole:
        case Qt::UserRole:
            return table_->value(index.row(), index.column());
        case Qt::TextAlignmentRole: {
            const FieldType t = table_->columnType(index.column());
            const bool number = t == FieldType::Int32 || t == FieldType::Int64 ||
                                t == FieldType::Double || t == FieldType::Currency;
            return QVariant::fromValue(
                Qt::Alignment((number ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter));
        }
        default:
            return {};
    }
}

QVariant MemTableModel::headerData(int section, Qt::Orientation o, int role) const {
    if (o != Qt::Horizontal || role != Qt::DisplayRole || !live() ||
        section >= table_->columnCount()) {
        return QAbstractTableModel::headerData(section, o, role);
    }
    const QString& name = table_->columnName(section);
    const auto it = captions_.constFind(name);
    return it == captions_.constEnd() ? name : *it;
}

Qt::ItemFlags MemTableModel::flags(const QModelIndex& index) const {
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}

}  // namespace kv::platform
