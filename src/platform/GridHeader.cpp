#include "platform/GridHeader.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

#include "platform/GridModel.h"

namespace kv::platform {

namespace {

constexpr int kButton = 14;        // side of the filter button
constexpr int kButtonGap = 5;      // from the section's right edge, clear of the resize grip
constexpr int kTextMargin = 4;     // around the caption
constexpr int kMinForButton = 24;  // narrower sections show no button

}  // namespace

GridHeader::GridHeader(QWidget* parent) : QHeaderView(Qt::Horizontal, parent) {
    palette_ = gridPalette(GridSkin::Whiteprint);
    setHighlightSections(false);
    setDefaultAlignment(Qt::AlignCenter);
    setSectionsClickable(false);
}

void GridHeader::setGridPalette(const GridPalette& palette) {
    palette_ = palette;
    QPalette p = this->palette();
    for (auto role : {QPalette::Window, QPalette::Button, QPalette::Base})
        p.setColor(role, palette.headerBottom);
    p.setColor(QPalette::WindowText, palette.headerText);
    p.setColor(QPalette::ButtonText, palette.headerText);
    setPalette(p);
    viewport()->update();
}

void GridHeader::setFilterButtonsEnabled(bool on) {
    filterButtons_ = on;
    viewport()->update();
}

void GridHeader::setCaptionWordWrap(bool on) {
    wordWrap_ = on;
    viewport()->update();
}

const GridModel* GridHeader::gridModel() const {
    return qobject_cast<const GridModel*>(model());
}

bool GridHeader::hasFilterButton(int logicalIndex) const {
    const GridModel* m = gridModel();
    return filterButtons_ && m && m->canFilter(logicalIndex);
}

QRect GridHeader::buttonIn(const QRect& section) const {
    if (section.width() < kMinForButton)
        return {};
    return QRect(section.right() - kButtonGap - kButton + 1,
                 section.top() + (section.height() - kButton) / 2, kButton, kButton);
}

QRect GridHeader::filterButtonRect(int logicalIndex) const {
    if (logicalIndex < 0 || logicalIndex >= count() || isSectionHidden(logicalIndex) ||
        !hasFilterButton(logicalIndex)) {
        return {};
    }
    const QRect section(sectionViewportPosition(logicalIndex), 0, sectionSize(logicalIndex),
                        viewport()->height());
    return buttonIn(section);
}

QRect GridHeader::captionRect(const QRect& section, int logicalIndex) const {
    QRect r = section.adjusted(kTextMargin, 2, -kTextMargin, -2);
    if (hasFilterButton(logicalIndex)) {
        const QRect b = buttonIn(section);
        if (!b.isNull())
            r.setRight(b.left() - 2);
    }
    return r;
}

bool GridHeader::wraps(const QRect& rect, const QString& caption) const {
    if (!wordWrap_ || caption.isEmpty())
        return false;
    const QFontMetrics fm(font());
    if (fm.horizontalAdvance(caption) <= rect.width())
        return false;
    const QRect needed =
        fm.boundingRect(QRect(0, 0, rect.width(), 10000), Qt::TextWordWrap, caption);
    return needed.height() <= rect.height() && needed.width() <= rect.width();
}

int GridHeader::captionLines(int logicalIndex) const {
    const QString caption =
        model() ? model()->headerData(logicalIndex, Qt::Horizontal).toString() : QString();
    const QRect section(0, 0, sectionSize(logicalIndex), viewport()->height());
    const QRect r = captionRect(section, logicalIndex);
    if (!wraps(r, caption))
        return 1;
    const QFontMetrics fm(font());
    const QRect needed = fm.boundingRect(QRect(0, 0, r.width(), 10000), Qt::TextWordWrap, caption);
    return qMax(1, (needed.height() + fm.leading()) / fm.lineSpacing());
}

void GridHeader::paintSection(QPainter* p, const QRect& rect, int logicalIndex) const {
    if (!rect.isValid())
        return;
    p->save();
    QLinearGradient g(rect.topLeft(), rect.bottomLeft());
    g.setColorAt(0, palette_.headerTop);
    g.setColorAt(1, palette_.headerBottom);
    p->fillRect(rect, g);
    p->setPen(palette_.headerLine);
    p->drawLine(rect.topRight(), rect.bottomRight());
    p->drawLine(rect.bottomLeft(), rect.bottomRight());

    const QString caption =
        model() ? model()->headerData(logicalIndex, Qt::Horizontal).toString() : QString();
    const QRect text = captionRect(rect, logicalIndex);
    p->setFont(font());
    p->setPen(palette_.headerText);
    if (wraps(text, caption)) {
        p->drawText(text, Qt::AlignCenter | Qt::TextWordWrap, caption);
    } else {
        const QString elided =
            QFontMetrics(font()).elidedText(caption, Qt::ElideRight, text.width());
        p->drawText(text, Qt::AlignCenter, elided);
    }

    if (hasFilterButton(logicalIndex)) {
        const QRect b = buttonIn(rect);
        if (!b.isNull()) {
            const GridModel* m = gridModel();
            const bool active = m && m->hasColumnFilter(logicalIndex);
            p->setRenderHint(QPainter::Antialiasing);
            if (active) {
                p->setPen(Qt::NoPen);
                p->setBrush(palette_.filterActive);
                p->drawRoundedRect(QRectF(b), 2, 2);
            }
            QPainterPath arrow;
            const QPointF c = QRectF(b).center();
            arrow.moveTo(c.x() - 4, c.y() - 2);
            arrow.lineTo(c.x() + 4, c.y() - 2);
            arrow.lineTo(c.x(), c.y() + 3);
            arrow.closeSubpath();
            p->setPen(Qt::NoPen);
            p->setBrush(active ? palette_.filterActiveText : palette_.filterIdle);
            p->drawPath(arrow);
        }
    }
    p->restore();
}

QSize GridHeader::sectionSizeFromContents(int logicalIndex) const {
    QSize s = QHeaderView::sectionSizeFromContents(logicalIndex);
    if (hasFilterButton(logicalIndex))
        s.rwidth() += 2 * (kButton + kButtonGap);
    return s;
}

bool GridHeader::onButton(const QPoint& pos) const {
    const int logical = logicalIndexAt(pos);
    return logical >= 0 && filterButtonRect(logical).contains(pos);
}

void GridHeader::mousePressEvent(QMouseEvent* e) {
    const QPoint pos = e->position().toPoint();
    if (e->button() == Qt::LeftButton && onButton(pos)) {
        e->accept();
        emit filterButtonClicked(logicalIndexAt(pos));
        return;
    }
    QHeaderView::mousePressEvent(e);
}

void GridHeader::mouseReleaseEvent(QMouseEvent* e) {
    if (onButton(e->position().toPoint())) {
        e->accept();
        return;
    }
    QHeaderView::mouseReleaseEvent(e);
}

void GridHeader::mouseDoubleClickEvent(QMouseEvent* e) {
    if (onButton(e->position().toPoint())) {
        e->accept();
        return;
    }
    QHeaderView::mouseDoubleClickEvent(e);
}

}  // namespace kv::platform
