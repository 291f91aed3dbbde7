#include "app/AuricStil.h"

#include <QApplication>
#include <QFile>
#include <QPalette>
#include <QStyleFactory>

#include "platform/Fonts.h"

namespace kv::app {

void AuricStiliniUygula(QApplication& app) {
    app.setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QPalette p;
    p.setColor(QPalette::Window, QColor(0xf4, 0xf1, 0xea));
    p.setColor(QPalette::WindowText, QColor(0x1f, 0x26, 0x30));
    p.setColor(QPalette::Base, Qt::white);
    p.setColor(QPalette::AlternateBase, QColor(0xfa, 0xf6, 0xec));
    p.setColor(QPalette::Text, QColor(0x1f, 0x26, 0x30));
    p.setColor(QPalette::Button, QColor(0xef, 0xe3, 0xbf));
    p.setColor(QPalette::ButtonText, QColor(0x1f, 0x26, 0x30));
    p.setColor(QPalette::Highlight, QColor(0xc9, 0xa2, 0x3c));
    p.setColor(QPalette::HighlightedText, QColor(0x1f, 0x26, 0x30));
    p.setColor(QPalette::ToolTipBase, QColor(0xfb, 0xf8, 0xf1));
    p.setColor(QPalette::ToolTipText, QColor(0x1f, 0x26, 0x30));
    p.setColor(QPalette::Disabled, QPalette::WindowText, QColor(0x8d, 0x8a, 0x82));
    p.setColor(QPalette::Disabled, QPalette::Text, QColor(0x8d, 0x8a, 0x82));
    p.setColor(QPalette::Disabled, QPalette::ButtonText, QColor(0x8d, 0x8a, 0x82));
    app.setPalette(p);
    app.setFont(platform::uiFont(13));

    QFile qss(QStringLiteral(":/app/auric.qss"));
    if (qss.open(QIODevice::ReadOnly))
        app.setStyleSheet(QString::fromUtf8(qss.readAll()));
}

}  // namespace kv::app
