#include "platform/GridDelegate.h"

#include <QApplication>
#include <QPainter>

#include "platform/GridModel.h"

namespace kv::platform {

GridDelegate::GridDelegate(GridModel* model, QObject* parent)
    : QStyledItemDelegate(parent),
      model_(model),
      palette_(platform::gridPalette(GridSkin::Whiteprint)) {}

void GridDelegate::setCellPainter(int column, CellPainter painter) {
    if (column >= 0)
        painters_.insert(column, std::move(painter));
}

void GridDelegate::paint(QPainter* p, const QStyleOptionViewItem& option,
                         const QModelIndex& index) const {
    QStyleOptionViewItem opt = option;
    initStyleOption(&opt, index);
    // One row is one record: no focus frame around a single cell.
    opt.state &= ~QStyle::State_HasFocus;
    const bool selected = opt.state & QStyle::State_Selected;
    const bool odd = opt.features & QStyleOptionViewItem::Alternate;
    const QColor background =
        selected ? palette_.selection : (odd ? palette_.alternateBase : palette_.base);
    // The row's own background under both Base and AlternateBase, so a painter that picks
    // either by its own parity still matches the rest of the row.
    for (auto group : {QPalette::Active, QPalette::Inactive}) {
        opt.palette.setColor(group, QPalette::Base, background);
        opt.palette.setColor(group, QPalette::AlternateBase, background);
        opt.palette.setColor(group, QPalette::Text, palette_.text);
        opt.palette.setColor(group, QPalette::Highlight, palette_.selection);
        opt.palette.setColor(group, QPalette::HighlightedText, palette_.selectionText);
    }

    const auto it = painters_.constFind(index.column());
    if (it != painters_.constEnd()) {
        p->save();
        (*it)(p, opt, model_->tableRow(index.row()));
        p->restore();
    } else {
        const QWidget* w = option.widget;
        QStyle* style = w ? w->style() : QApplication::style();
        p->fillRect(opt.rect, background);
        const GridColumn* col = index.column() < model_->columns().size()
                                    ? &model_->columns()[index.column()]
                                    : nullptr;
        const GridColumn::Display display = col ? col->display : GridColumn::Display::Text;
        QStyleOptionViewItem cell = opt;
        cell.backgroundBrush = Qt::NoBrush;
        cell.features &=
            ~(QStyleOptionViewItem::Alternate | QStyleOptionViewItem::HasCheckIndicator);
        // The background is already the row's colour; the style draws only the content.
        cell.state &= ~QStyle::State_Selected;
        cell.palette.setColor(QPalette::Text, selected ? palette_.selectionText : palette_.text);
        if (display == GridColumn::Display::Text) {
            if (col && col->wordWrap) {
                cell.features |= QStyleOptionViewItem::WrapText;
            } else {
                cell.features &= ~QStyleOptionViewItem::WrapText;
                cell.textElideMode = Qt::ElideRight;
            }
            style->drawControl(QStyle::CE_ItemViewItem, &cell, p, w);
        } else if (display == GridColumn::Display::Pictures) {
            // Pictures from values stand alone, centred at 24 x 24.
            const QIcon icon = qvariant_cast<QIcon>(index.data(Qt::DecorationRole));
            if (!icon.isNull()) {
                icon.paint(p, QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, QSize(24, 24),
                                                  opt.rect));
            }
        } else {
            paintCheckBox(p, cell, index);
        }
    }

    p->save();
    p->setPen(palette_.gridLine);
    const QRect r = option.rect;
    p->drawLine(r.topRight(), r.bottomRight());
    p->drawLine(r.bottomLeft(), r.bottomRight());
    p->restore();
}

void GridDelegate::paintCheckBox(QPainter* p, const QStyleOptionViewItem& opt,
                                 const QModelIndex& index) const {
    const QWidget* w = opt.widget;
    QStyle* style = w ? w->style() : QApplication::style();
    QStyleOptionButton box;
    box.initFrom(w);
    box.palette = opt.palette;
    box.palette.setColor(QPalette::Base, palette_.base);
    // The style outlines the box in a darker shade of Window: visible on every palette.
    box.palette.setColor(QPalette::Window, palette_.filterIdle);
    box.palette.setColor(QPalette::Text, palette_.text);
    const int side = style->pixelMetric(QStyle::PM_IndicatorWidth, &box, w);
    const int height = style->pixelMetric(QStyle::PM_IndicatorHeight, &box, w);
    box.rect = QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, QSize(side, height), opt.rect);
    const bool on = index.data(Qt::CheckStateRole).toInt() == Qt::Checked;
    // Read-only: drawn enabled for legibility, never hovered or pressed.
    box.state = QStyle::State_Enabled | (on ? QStyle::State_On : QStyle::State_Off);
    style->drawPrimitive(QStyle::PE_IndicatorCheckBox, &box, p, w);
}

}  // namespace kv::platform
