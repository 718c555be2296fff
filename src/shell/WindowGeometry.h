// The main window's stored position and size ("MainWindow"), in twips (1/1440 inch).
#pragma once

#include <string>
#include <string_view>

namespace talvex {

struct WindowGeometry {
    int height = 0;
    int width = 0;
    int top = 0;
    int left = 0;

    bool operator==(const WindowGeometry&) const = default;
};

// "height,width,top,left"; each part read as a number, missing parts 0.
WindowGeometry parseWindowGeometry(std::string_view text);
std::string windowGeometryText(const WindowGeometry& geometry);

// Where the window opens when nothing is stored: 7/8 of the screen's height (but at least
// 6785), 9600 wide, centred on the screen.
WindowGeometry defaultWindowGeometry(int screenHeight, int screenWidth);

}  // namespace talvex
