// A read-only Qt model over an in-memory table: one column per field, headed by the field name
// or its caption. DisplayRole gives the table's display text, EditRole and UserRole the raw
// value (see MemTable::value), TextAlignmentRole right for numbers. It can be detached while a
// worker refills the table and attached again afterwards; while detached it shows nothing and
// does not touch the table. A table refilled in place on the UI thread is re-read by attach().
#pragma once

#include <QAbstractTableModel>
#include <QHash>

#include "platform/DetachableModel.h"
#include "platform/MemTable.h"

namespace kv::platform {

class MemTableModel : public QAbstractTableModel, public DetachableModel {
    Q_OBJECT
  public:
    explicit MemTableModel(MemTable* table = nullptr, QObject* parent = nullptr);

    MemTable* table() const { return table_; }
    // Binds another table (or none); the views reset.
    void setTable(MemTable* table);
    // Cut off from the table (it may then be refilled on another thread) and bind again.
    void detach() override;
    void attach() override;
    bool attached() const { return attached_; }

    // Header captions by field name; fields without one show their name.
    void setCaption(const QString& field, const QString& caption);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation o, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

  private:
    bool live() const { return table_ && attached_ && table_->isActive(); }
    MemTable* table_;
    bool attached_ = true;
    QHash<QString, QString> captions_;
};

}  // namespace kv::platform
