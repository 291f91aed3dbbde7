#include "platform/GridSkin.h"

namespace kv::platform {

GridPalette gridPalette(GridSkin skin) {
    GridPalette p;
    switch (skin) {
        case GridSkin::Whiteprint:
            p.base = QColor(0xff, 0xff, 0xff);
            p.alternateBase = QColor(0xf6, 0xf8, 0xfa);
            p.text = QColor(0x22, 0x26, 0x2b);
            p.gridLine = QColor(0xe4, 0xe7, 0xeb);
            p.headerTop = QColor(0xff, 0xff, 0xff);
            p.headerBottom = QColor(0xf1, 0xf3, 0xf5);
            p.headerText = QColor(0x33, 0x38, 0x3f);
            p.headerLine = QColor(0xd3, 0xd7, 0xdd);
            p.selection = QColor(0xcd, 0xe3, 0xf8);
            p.selectionText = QColor(0x10, 0x14, 0x18);
            p.footerBackground = QColor(0xf3, 0xf5, 0xf7);
            p.footerText = QColor(0x22, 0x26, 0x2b);
            p.filterIdle = QColor(0x9a, 0xa1, 0xaa);
            p.filterActive = QColor(0x2f, 0x7d, 0xe1);
            p.filterActiveText = QColor(0xff, 0xff, 0xff);
            break;
        case GridSkin::Darkroom:
            p.base = QColor(0x2a, 0x2c, 0x30);
            p.alternateBase = QColor(0x31, 0x34, 0x39);
            p.text = QColor(0xe4, 0xe6, 0xe9);
            p.gridLine = QColor(0x3e, 0x42, 0x48);
            p.headerTop = QColor(0x24, 0x26, 0x2a);
            p.headerBottom = QColor(0x1b, 0x1d, 0x20);
            p.headerText = QColor(0xf2, 0xf3, 0xf5);
            p.headerLine = QColor(0x4a, 0x4e, 0x55);
            p.selection = QColor(0x3d, 0x5f, 0x86);
            p.selectionText = QColor(0xff, 0xff, 0xff);
            p.footerBackground = QColor(0x1f, 0x21, 0x24);
            p.footerText = QColor(0xf2, 0xf3, 0xf5);
            p.filterIdle = QColor(0x8d, 0x93, 0x9b);
            p.filterActive = QColor(0xe8, 0xa3, 0x3d);
            p.filterActiveText = QColor(0x1b, 0x1d, 0x20);
            break;
        case GridSkin::VS2010:
            p.base = QColor(0xff, 0xff, 0xff);
            p.alternateBase = QColor(0xf0, 0xf4, 0xfa);
            p.text = QColor(0x1e, 0x39, 0x5b);
            p.gridLine = QColor(0xd5, 0xdf, 0xed);
            p.headerTop = QColor(0xe3, 0xec, 0xf7);
            p.headerBottom = QColor(0xc2, 0xd4, 0xec);
            p.headerText = QColor(0x15, 0x42, 0x8b);
            p.headerLine = QColor(0x9d, 0xb4, 0xd6);
            p.selection = QColor(0xff, 0xe6, 0x9e);
            p.selectionText = QColor(0x1e, 0x39, 0x5b);
            p.footerBackground = QColor(0xdc, 0xe7, 0xf5);
            p.footerText = QColor(0x15, 0x42, 0x8b);
            p.filterIdle = QColor(0x5f, 0x7b, 0xa3);
            p.filterActive = QColor(0xe5, 0x8a, 0x00);
            p.filterActiveText = QColor(0xff, 0xff, 0xff);
            break;
    }
    return p;
}

QString gridSkinName(GridSkin skin) {
    switch (skin) {
        case GridSkin::Whiteprint:
            return QStringLiteral("Whiteprint");
        case GridSkin::Darkroom:
            return QStringLiteral("Darkroom");
        case GridSkin::VS2010:
            return QStringLiteral("VS2010");
    }
    return {};
}

}  // namespace kv::platform
