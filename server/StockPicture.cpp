#include "StockPicture.h"

#include <QBuffer>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

namespace kv::server {

namespace {

void drawPart(QPainter& p, const QString& group, const QColor& metal) {
    p.setPen(QPen(metal.darker(160), 4));
    p.setBrush(metal);
    if (group.startsWith(QStringLiteral("FREN"))) {
        p.drawEllipse(QPointF(200, 150), 110, 110);
        p.setBrush(metal.darker(130));
        p.drawEllipse(QPointF(200, 150), 45, 45);
        for (int i = 0; i < 5; ++i) {
            p.save();
            p.translate(200, 150);
            p.rotate(72 * i);
            p.setBrush(Qt::white);
            p.drawEllipse(QPointF(0, -28), 6, 6);
            p.restore();
        }
    } else if (group.startsWith(QStringLiteral("SÜSPANSİYON"))) {
        p.drawRoundedRect(QRectF(175, 40, 50, 150), 10, 10);
        p.setBrush(metal.lighter(130));
        p.drawRect(QRectF(190, 190, 20, 70));
        p.setBrush(Qt::NoBrush);
        for (int i = 0; i < 6; ++i)
            p.drawEllipse(QRectF(150, 60 + i * 22, 100, 24));
    } else if (group.startsWith(QStringLiteral("FİLTRE"))) {
        p.drawRoundedRect(QRectF(130, 60, 140, 180), 18, 18);
        p.setPen(QPen(metal.darker(200), 2));
        for (int x = 140; x < 265; x += 10)
            p.drawLine(x, 75, x, 225);
    } else if (group.startsWith(QStringLiteral("ELEKTRİK"))) {
        p.drawEllipse(QPointF(200, 150), 95, 95);
        p.setBrush(QColor(0xd4, 0xaf, 0x37));
        QPainterPath bolt;
        bolt.moveTo(210, 80);
        bolt.lineTo(170, 160);
        bolt.lineTo(200, 160);
        bolt.lineTo(185, 225);
        bolt.lineTo(235, 135);
        bolt.lineTo(205, 135);
        bolt.closeSubpath();
        p.drawPath(bolt);
    } else {
        // A gear for the other groups.
        p.save();
        p.translate(200, 150);
        for (int i = 0; i < 12; ++i) {
            p.rotate(30);
            p.drawRect(QRectF(-12, -120, 24, 30));
        }
        p.drawEllipse(QPointF(0, 0), 95, 95);
        p.setBrush(metal.darker(140));
        p.drawEllipse(QPointF(0, 0), 35, 35);
        p.restore();
    }
}

}  // namespace

Picture drawStockPicture(qint64 stokno, const QString& group) {
    QImage img(400, 300, QImage::Format_RGB32);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    QRadialGradient bg(200, 120, 260);
    bg.setColorAt(0, QColor(0xfb, 0xfa, 0xf7));
    bg.setColorAt(1, QColor(0xd9, 0xd4, 0xc7));
    p.fillRect(img.rect(), bg);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 40));
    p.drawEllipse(QPointF(200, 275), 130, 14);
    const int hue = int((stokno * 37) % 360);
    drawPart(p, group, QColor::fromHsv(hue, 40, 185));
    p.end();

    Picture out;
    QBuffer buf(&out.bytes);
    buf.open(QIODevice::WriteOnly);
    if (stokno % 2 == 0) {
        img.save(&buf, "JPEG", 85);
        out.contentType = "image/jpeg";
    } else {
        img.save(&buf, "PNG");
        out.contentType = "image/png";
    }
    return out;
}

}  // namespace kv::server
