// The program's faces: a Tahoma-like sans for the windows, an Arial-like sans and a
// fixed-pitch face, all from Debian's packaged fonts, sized in pixels.
#pragma once

#include <QFont>

namespace kv::platform {

QFont uiFont(int pixelSize, bool bold = false);
QFont arialFont(int pixelSize, bool bold = false);
QFont fixedFont(int pixelSize, bool bold = false);

}  // namespace kv::platform
