// The grids' palettes, our own: cell backgrounds, text, grid lines, header, selection,
// footer and the filter buttons' colours. "Whiteprint" is light with subtle lines,
// "Darkroom" dark, "VS2010" light with bluish headers.
#pragma once

#include <QColor>
#include <QString>

namespace kv::platform {

enum class GridSkin { Whiteprint, Darkroom, VS2010 };

struct GridPalette {
    QColor base;           // cells of even rows
    QColor alternateBase;  // cells of odd rows
    QColor text;
    QColor gridLine;
    QColor headerTop;  // header background, a gradient from top to bottom
    QColor headerBottom;
    QColor headerText;
    QColor headerLine;
    QColor selection;
    QColor selectionText;
    QColor footerBackground;
    QColor footerText;
    QColor filterIdle;        // the arrow of a column without filter
    QColor filterActive;      // the button of a filtered column
    QColor filterActiveText;  // its arrow
};

GridPalette gridPalette(GridSkin skin);
QString gridSkinName(GridSkin skin);

}  // namespace kv::platform
