// Pictures of the demo catalogue's items, drawn on request: a part silhouette of the item's
// group on a studio background, the same picture every time for the same item. Even stock
// numbers are served as JPEG, odd ones as PNG.
#pragma once

#include <QByteArray>
#include <QString>

namespace kv::server {

struct Picture {
    QByteArray bytes;
    QByteArray contentType;
};

Picture drawStockPicture(qint64 stokno, const QString& group);

}  // namespace kv::server
