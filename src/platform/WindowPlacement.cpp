#include "platform/WindowPlacement.h"

#include <QWidget>

namespace kv::platform {

void centreOnOwner(QWidget* window) {
    const QWidget* owner = window->parentWidget();
    if (!owner)
        return;
    QRect r = window->frameGeometry();
    r.moveCenter(owner->window()->frameGeometry().center());
    window->move(r.topLeft());
}

}  // namespace kv::platform
