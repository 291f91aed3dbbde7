#include "platform/GridCheckList.h"

#include <QAbstractListModel>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QListView>
#include <QScreen>
#include <QVBoxLayout>

namespace kv::platform {

class GridCheckList::Model : public QAbstractListModel {
  public:
    using QAbstractListModel::QAbstractListModel;
    QList<Entry> entries;

    void reset(QList<Entry> e) {
        beginResetModel();
        entries = std::move(e);
        endResetModel();
    }
    void setChecked(int i, bool on) {
        entries[i].checked = on;
        const QModelIndex x = index(i);
        emit dataChanged(x, x, {Qt::CheckStateRole});
    }
    int rowCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : int(entries.size());
    }
    QVariant data(const QModelIndex& index, int role) const override {
        if (!index.isValid() || index.row() >= entries.size())
            return {};
        const Entry& e = entries[index.row()];
        switch (role) {
            case Qt::DisplayRole:
                return e.label;
            case Qt::DecorationRole:
                return e.icon.isNull() ? QVariant() : QVariant(e.icon);
            case Qt::CheckStateRole:
                return e.checked ? Qt::Checked : Qt::Unchecked;
            default:
                return {};
        }
    }
    // Not user-checkable: the popup toggles on a click anywhere on the entry itself.
    Qt::ItemFlags flags(const QModelIndex& index) const override {
        return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren
                               : Qt::NoItemFlags;
    }
};

GridCheckList::GridCheckList(QWidget* parent) : QFrame(parent, Qt::Popup), model_(new Model(this)) {
    setFrameShape(QFrame::StyledPanel);
    auto* v = new QVBoxLayout(this);
    v->setContentsMargins(2, 2, 2, 2);
    v->setSpacing(2);
    title_ = new QLabel(this);
    title_->setObjectName(QStringLiteral("title"));
    title_->setContentsMargins(4, 2, 4, 2);
    title_->hide();
    list_ = new QListView(this);
    list_->setObjectName(QStringLiteral("entries"));
    list_->setModel(model_);
    list_->setUniformItemSizes(true);
    list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->installEventFilter(this);
    v->addWidget(title_);
    v->addWidget(list_);
    connect(list_, &QListView::clicked, this, [this](const QModelIndex& i) { toggle(i.row()); });
}

GridCheckList::~GridCheckList() = default;

void GridCheckList::setTitle(const QString& title) {
    title_->setText(title);
    title_->setVisible(!title.isEmpty());
}

void GridCheckList::setEntries(QList<Entry> entries) {
    model_->reset(std::move(entries));
    if (model_->rowCount() > 0)
        list_->setCurrentIndex(model_->index(0));
}

int GridCheckList::count() const {
    return int(model_->entries.size());
}

const GridCheckList::Entry& GridCheckList::entry(int i) const {
    return model_->entries[i];
}

int GridCheckList::indexOf(const QString& label) const {
    for (int i = 0; i < model_->entries.size(); ++i) {
        if (model_->entries[i].label == label)
            return i;
    }
    return -1;
}

void GridCheckList::setChecked(int i, bool checked) {
    if (i >= 0 && i < count() && model_->entries[i].checked != checked)
        model_->setChecked(i, checked);
}

void GridCheckList::toggle(int i) {
    if (i < 0 || i >= count())
        return;
    const bool on = !model_->entries[i].checked;
    model_->setChecked(i, on);
    emit toggled(i, on);
}

QRect GridCheckList::entryRect(int i) const {
    const QModelIndex x = model_->index(i);
    list_->scrollTo(x);
    return list_->visualRect(x);
}

bool GridCheckList::eventFilter(QObject* watched, QEvent* event) {
    if (watched == list_ && event->type() == QEvent::KeyPress) {
        auto* k = static_cast<QKeyEvent*>(event);
        if (k->key() == Qt::Key_Space && list_->currentIndex().isValid()) {
            toggle(list_->currentIndex().row());
            return true;
        }
    }
    return QFrame::eventFilter(watched, event);
}

void GridCheckList::popupAt(const QPoint& globalPos, int minWidth) {
    const QFontMetrics fm(list_->font());
    int widest = 0;
    const int probe = int(qMin<qsizetype>(model_->entries.size(), 500));
    for (int i = 0; i < probe; ++i)
        widest = qMax(widest, fm.horizontalAdvance(model_->entries[i].label));
    const int row = qMax(list_->sizeHintForRow(0), fm.height() + 4);
    const int rows = int(qBound(qsizetype(1), model_->entries.size(), qsizetype(16)));
    const int width = qBound(minWidth, widest + 80, qMax(minWidth, 420));
    const int height = rows * row + 8 + (title_->isVisible() ? title_->sizeHint().height() : 0) +
                       2 * frameWidth() + 6;
    QRect r(globalPos, QSize(width, height));
    if (const QScreen* s = QGuiApplication::screenAt(globalPos)) {
        const QRect a = s->availableGeometry();
        if (r.right() > a.right())
            r.moveRight(a.right());
        if (r.bottom() > a.bottom())
            r.moveBottom(a.bottom());
        r.moveLeft(qMax(r.left(), a.left()));
        r.moveTop(qMax(r.top(), a.top()));
    }
    setGeometry(r);
    show();
    list_->setFocus();
}

}  // namespace kv::platform
