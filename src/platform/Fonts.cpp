#include "platform/Fonts.h"

#include <QStringList>

namespace kv::platform {

namespace {
QFont make(const QStringList& families, int pixelSize, bool bold) {
    QFont f;
    f.setFamilies(families);
    f.setPixelSize(pixelSize);
    f.setBold(bold);
    return f;
}
}  // namespace

QFont uiFont(int pixelSize, bool bold) {
    return make({QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")}, pixelSize,
                bold);
}

QFont arialFont(int pixelSize, bool bold) {
    return make({QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")}, pixelSize,
                bold);
}

QFont fixedFont(int pixelSize, bool bold) {
    QFont f = make({QStringLiteral("Liberation Mono"), QStringLiteral("DejaVu Sans Mono")},
                   pixelSize, bold);
    f.setStyleHint(QFont::Monospace);
    f.setFixedPitch(true);
    return f;
}

}  // namespace kv::platform
