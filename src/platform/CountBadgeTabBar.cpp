#include "platform/CountBadgeTabBar.h"

#include <QPainter>
#include <QPainterPath>
#include <QStyleOptionTab>
#include <QStylePainter>

namespace kv::platform {

CountCaption parseCountCaption(const QString& caption) {
    CountCaption c;
    c.baslik = caption;
    const qsizetype eq = caption.indexOf(QLatin1Char('='));
    if (eq < 0)
        return c;
    c.baslik = caption.mid(eq + 1, 100);
    bool ok = false;
    const int n = caption.left(eq).trimmed().toInt(&ok);
    c.sayi = ok ? n : 0;
    return c;
}

CountBadgeTabBar::CountBadgeTabBar(QWidget* parent) : QTabBar(parent) {
    setExpanding(false);
    setUsesScrollButtons(false);
    setElideMode(Qt::ElideNone);
    setDrawBase(true);
}

QSize CountBadgeTabBar::tabSizeHint(int) const {
    return extent_;
}

void CountBadgeTabBar::paintEvent(QPaintEvent*) {
    QStylePainter p(this);
    for (int i = 0; i < count(); ++i) {
        if (!isTabVisible(i))
            continue;
        QStyleOptionTab opt;
        initStyleOption(&opt, i);
        const CountCaption cc = parseCountCaption(opt.text);
        // The style draws the tab's shape for its state; the text and the badge are ours.
        opt.text.clear();
        const QIcon icon = opt.icon;
        opt.icon = QIcon();
        p.drawControl(QStyle::CE_TabBarTabShape, opt);

        QRect r = opt.rect.adjusted(4, 5, -4, -5);
        const bool vertical = shape() == QTabBar::RoundedWest || shape() == QTabBar::RoundedEast ||
                              shape() == QTabBar::TriangularWest ||
                              shape() == QTabBar::TriangularEast;
        if (vertical) {
            p.save();
            p.translate(opt.rect.center());
            const bool west = shape() == QTabBar::RoundedWest || shape() == QTabBar::TriangularWest;
            p.rotate(west ? -90 : 90);
            const QRect tr(-opt.rect.height() / 2, -opt.rect.width() / 2, opt.rect.height(),
                           opt.rect.width());
            p.drawText(tr, Qt::AlignCenter, cc.baslik);
            p.restore();
            continue;
        }

        const QSize is = iconSize();
        if (!icon.isNull()) {
            const QRect ir(r.left(), r.top() + (r.height() - is.height()) / 2, is.width(),
                           is.height());
            icon.paint(&p, ir, Qt::AlignCenter,
                       (opt.state & QStyle::State_Enabled) ? QIcon::Normal : QIcon::Disabled);
            r.setLeft(ir.right() + 3);
        }
        const QPalette::ColorRole role = QPalette::WindowText;
        p.setPen(opt.palette.color(
            (opt.state & QStyle::State_Enabled) ? QPalette::Active : QPalette::Disabled, role));
        p.drawText(r, Qt::AlignCenter | Qt::TextWordWrap, cc.baslik);

        if (cc.sayi > 0) {
            const QString badge = QStringLiteral("(%1)").arg(cc.sayi);
            QFont bf = font();
            bf.setBold(true);
            bf.setPixelSize(11);
            p.setFont(bf);
            const QRect area = opt.rect.adjusted(2, 2, -2, -2);
            const QFontMetrics fm(bf);
            QRect br = fm.boundingRect(badge).adjusted(-4, -1, 4, 1);
            br.moveTopRight(area.topRight());
            QPainterPath pill;
            pill.addRoundedRect(br, br.height() / 2.0, br.height() / 2.0);
            p.setRenderHint(QPainter::Antialiasing);
            p.fillPath(pill, QColor(0xb8, 0x32, 0x32));
            p.setPen(QColor(255, 255, 255));
            p.drawText(br, Qt::AlignCenter, badge);
            p.setRenderHint(QPainter::Antialiasing, false);
            p.setFont(font());
        }
    }
}

CountBadgeTabWidget::CountBadgeTabWidget(QWidget* parent)
    : QTabWidget(parent), bar_(new CountBadgeTabBar(this)) {
    setTabBar(bar_);
}

}  // namespace kv::platform
