#pragma once

#include <string>

class QWidget;

namespace talvex {

// Shows a tape's title on its window, with the desktop's mark for unsaved changes after it
// (cleared: the title is set when the tape was just loaded or saved).
void showTapeTitle(QWidget* window, const std::string& title);

}  // namespace talvex
