#include "platform/GridFooter.h"

#include <QHeaderView>
#include <QPainter>
#include <QScrollBar>
#include <QTableView>
#include <cmath>

#include "platform/GridModel.h"
#include "platform/NumberFormat.h"

namespace kv::platform {

GridFooter::GridFooter(QTableView* view, GridModel* model)
    : QWidget(view), view_(view), model_(model), palette_(gridPalette(GridSkin::Whiteprint)) {
    setObjectName(QStringLiteral("gridFooter"));
    QHeaderView* h = view->horizontalHeader();
    const auto repaint = [this] { update(); };
    connect(h, &QHeaderView::sectionResized, this, repaint);
    connect(h, &QHeaderView::sectionMoved, this, repaint);
    connect(h, &QHeaderView::geometriesChanged, this, repaint);
    connect(view->horizontalScrollBar(), &QScrollBar::valueChanged, this, repaint);
    connect(model, &QAbstractItemModel::modelReset, this, &GridFooter::recompute);
}

void GridFooter::setGridPalette(const GridPalette& palette) {
    palette_ = palette;
    update();
}

QSize GridFooter::sizeHint() const {
    return QSize(100, fontMetrics().height() + 12);
}

QString GridFooter::summaryText(int column) const {
    const GridColumn& c = model_->columns()[column];
    switch (c.summary.kind) {
        case GridSummary::Kind::None:
            return {};
        case GridSummary::Kind::Count: {
            const int n = model_->rowCount();
            return c.summary.picture.isEmpty() ? QString::number(n)
                                               : formatFloat(c.summary.picture, n);
        }
        case GridSummary::Kind::Sum: {
            const int f = model_->fieldIndex(column);
            const MemTable* t = model_->table();
            // Compensated summation: long money columns add up without drifting.
            double sum = 0, carry = 0;
            if (f >= 0 && f < t->columnCount()) {
                model_->forEachRow([&](int r) {
                    if (t->isNull(r, f))
                        return;
                    const double v = t->toDouble(r, f);
                    const double s = sum + v;
                    carry += std::fabs(sum) >= std::fabs(v) ? (sum - s) + v : (v - s) + sum;
                    sum = s;
                });
            }
            return formatFloat(c.summary.picture, sum + carry);
        }
    }
    return {};
}

void GridFooter::recompute() {
    if (!model_->attached())
        return;
    QStringList texts;
    QList<Qt::Alignment> aligns;
    const MemTable* t = model_->table();
    for (int i = 0; i < model_->columns().size(); ++i) {
        texts << summaryText(i);
        // Figures stand where the column's values stand: numbers on the right.
        const int f = model_->fieldIndex(i);
        const bool number = f >= 0 && f < t->columnCount() && isNumeric(t->columnType(f));
        const Qt::Alignment a = model_->columns()[i].alignment & Qt::AlignHorizontal_Mask;
        aligns << (number || !a ? Qt::AlignRight : a);
    }
    texts_ = texts;
    aligns_ = aligns;
    update();
}

void GridFooter::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), palette_.footerBackground);
    p.setPen(palette_.headerLine);
    p.drawLine(rect().topLeft(), rect().topRight());

    const QWidget* vp = view_->viewport();
    const int left = vp->geometry().left() - geometry().left();
    p.setClipRect(QRect(left, 0, vp->width(), height()));
    const QHeaderView* h = view_->horizontalHeader();
    p.setFont(font());
    for (int i = 0; i < h->count(); ++i) {
        if (h->isSectionHidden(i) || i >= texts_.size() || texts_[i].isEmpty())
            continue;
        const QRect cell(left + h->sectionViewportPosition(i), 3, h->sectionSize(i), height() - 6);
        p.setPen(palette_.gridLine);
        p.drawRect(cell.adjusted(1, 0, -2, -1));
        const Qt::Alignment horizontal = aligns_.value(i, Qt::AlignRight);
        p.setPen(palette_.footerText);
        p.drawText(cell.adjusted(5, 0, -6, 0), int(horizontal | Qt::AlignVCenter),
                   fontMetrics().elidedText(texts_[i], Qt::ElideLeft, cell.width() - 11));
    }
}

}  // namespace kv::platform
