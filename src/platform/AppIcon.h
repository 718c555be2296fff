#pragma once

#include <QIcon>

namespace talvex {

// The program's own picture for the title bar, the task switcher and the tray. It is the SVG
// the desktop entry installs, so every size is drawn sharp from one source; reading it needs
// Qt's SVG icon engine at run time.
QIcon appIcon();

}  // namespace talvex
