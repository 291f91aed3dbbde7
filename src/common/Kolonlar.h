// Column definitions shared by the program's grids: the column maker and the pictures of the
// status, yes/no and picture-flag cells.
#pragma once

#include <QHash>
#include <QIcon>

#include "platform/DataGrid.h"

namespace kv::common {

inline QIcon kolonResmi(const char* name) {
    return QIcon(QStringLiteral(":/platform/%1.svg").arg(QLatin1String(name)));
}

// Stock status codes: 0 none, 1 in stock, 2 call us, 3 on the way, 4 special order, 5 supply.
inline QHash<qint64, QIcon> durumResimleri() {
    return {{0, kolonResmi("durum-yok")},     {1, kolonResmi("durum-mevcut")},
            {2, kolonResmi("durum-telefon")}, {3, kolonResmi("durum-yolda")},
            {4, kolonResmi("durum-ozel")},    {5, kolonResmi("durum-tedarik")}};
}
inline QHash<qint64, QIcon> evetHayirResimleri() {
    return {{0, kolonResmi("hayir")}, {1, kolonResmi("evet")}};
}
inline QHash<qint64, QIcon> resimVarResimleri() {
    return {{1, kolonResmi("resim-var")}};
}

inline platform::GridColumn kolon(const char* field, const char* caption, bool shown, bool chooser,
                                  int weight, QHash<qint64, QIcon> pictures = {}) {
    platform::GridColumn c;
    c.field = QString::fromLatin1(field);
    c.caption = QString::fromUtf8(caption);
    c.visible = shown;
    c.chooser = chooser;
    c.weight = weight;
    c.display = pictures.isEmpty() ? platform::GridColumn::Display::Text
                                   : platform::GridColumn::Display::Pictures;
    c.pictures = std::move(pictures);
    return c;
}

}  // namespace kv::common
