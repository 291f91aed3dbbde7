// Placing windows: a dialog in the middle of the window that owns it.
#pragma once

class QWidget;

namespace kv::platform {

// Moves the window so that its frame is centred on its parent's window; nothing when it has
// no parent. Call it once the window is shown (its frame is known then).
void centreOnOwner(QWidget* window);

}  // namespace kv::platform
