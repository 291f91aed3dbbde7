#include "platform/DataGrid.h"

#include <QApplication>
#include <QHeaderView>
#include <QPainter>

#include "platform/Fonts.h"

namespace kv::platform {

GridModel::GridModel(MemTable* table, QObject* parent)
    : QAbstractTableModel(parent), table_(table) {}

void GridModel::setColumns(QList<GridColumn> columns) {
    beginResetModel();
    columns_ = std::move(columns);
    resolve();
    endResetModel();
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

void GridModel::resolve() {
    fieldIndex_.clear();
    for (const GridColumn& c : columns_) {
        fieldIndex_ << (c.field.isEmpty() || !table_->isActive() ? -1
                                                                 : table_->columnIndex(c.field));
    }
}

void GridModel::detach() {
    beginResetModel();
    attached_ = false;
    endResetModel();
}

void GridModel::attach() {
    beginResetModel();
    attached_ = true;
    resolve();
    endResetModel();
}

int GridModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() || !attached_ || !table_->isActive() ? 0 : table_->rowCount();
}

int GridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(columns_.size());
}

QVariant GridModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || !attached_ || index.row() >= rowCount())
        return {};
    const GridColumn& c = columns_[index.column()];
    const int f = fieldIndex_.value(index.column(), -1);
    switch (role) {
        case Qt::DisplayRole:
            if (f < 0 || c.display == GridColumn::Display::Pictures)
                return {};
            return table_->displayText(index.row(), f);
        case Qt::DecorationRole:
            if (f < 0 || c.display != GridColumn::Display::Pictures)
                return {};
            return c.pictures.value(table_->toInt(index.row(), f));
        case Qt::UserRole:
            return f < 0 ? QVariant() : table_->value(index.row(), f);
        case Qt::TextAlignmentRole: {
            if (f >= 0) {
                const FieldType t = table_->columnType(f);
                if (t == FieldType::Double || t == FieldType::Currency || t == FieldType::Int32 ||
                    t == FieldType::Int64) {
                    return QVariant::fromValue(Qt::Alignment(Qt::AlignRight | Qt::AlignVCenter));
                }
            }
            return QVariant::fromValue(c.alignment);
        }
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
        return QVariant::fromValue(Qt::Alignment(Qt::AlignCenter));
    return {};
}

Qt::ItemFlags GridModel::flags(const QModelIndex& index) const {
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}

class DataGrid::Delegate : public QStyledItemDelegate {
  public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QHash<int, CellPainter> painters;

    void paint(QPainter* p, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        const auto it = painters.constFind(index.column());
        if (it != painters.constEnd()) {
            (*it)(p, option, index.row());
            return;
        }
        QStyleOptionViewItem opt = option;
        initStyleOption(&opt, index);
        if (opt.icon.isNull()) {
            QStyledItemDelegate::paint(p, option, index);
            return;
        }
        // Pictures from values stand alone, centred at 24 x 24.
        const QWidget* w = option.widget;
        QStyle* style = w ? w->style() : QApplication::style();
        opt.text.clear();
        opt.icon = QIcon();
        style->drawControl(QStyle::CE_ItemViewItem, &opt, p, w);
        const QIcon icon = qvariant_cast<QIcon>(index.data(Qt::DecorationRole));
        icon.paint(
            p, QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, QSize(24, 24), option.rect));
    }
};

DataGrid::DataGrid(MemTable* table, QWidget* parent)
    : QTableView(parent), model_(new GridModel(table, this)), delegate_(new Delegate(this)) {
    setModel(model_);
    setItemDelegate(delegate_);
    setFont(uiFont(12));
    horizontalHeader()->setFont(uiFont(12, true));
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setWordWrap(true);
    setAlternatingRowColors(true);
    verticalHeader()->setVisible(false);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setDefaultAlignment(Qt::AlignCenter);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    connect(this, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex& i) {
        if (i.isValid())
            emit rowDoubleClicked(i.row());
    });
}

void DataGrid::setColumns(QList<GridColumn> columns) {
    model_->setColumns(std::move(columns));
    for (int i = 0; i < model_->columns().size(); ++i)
        setColumnHidden(i, !model_->columns()[i].visible);
}

void DataGrid::setColumnShown(int column, bool shown) {
    if (column < 0)
        return;
    model_->column(column).visible = shown;
    setColumnHidden(column, !shown);
}

void DataGrid::setColumnOffered(int column, bool offered) {
    if (column >= 0)
        model_->column(column).chooser = offered;
}

void DataGrid::KolonBoyutla(int availableWidth) {
    int sum = 0;
    for (int i = 0; i < model_->columns().size(); ++i) {
        if (!isColumnHidden(i))
            sum += model_->columns()[i].weight;
    }
    if (sum <= 0)
        return;
    const int unit = availableWidth / sum;
    for (int i = 0; i < model_->columns().size(); ++i) {
        if (!isColumnHidden(i))
            setColumnWidth(i, model_->columns()[i].weight * unit);
    }
}

void DataGrid::setDataRowHeight(int px) {
    verticalHeader()->setDefaultSectionSize(px);
}

void DataGrid::setHeaderHeight(int px) {
    horizontalHeader()->setFixedHeight(px);
}

void DataGrid::setCellPainter(int column, CellPainter painter) {
    delegate_->painters.insert(column, std::move(painter));
    viewport()->update();
}

}  // namespace kv::platform
