// Reading, writing and defaulting the main window's geometry.
#include "shell/WindowGeometry.h"

#include <algorithm>

#include "shell/SettingText.h"

namespace talvex {

namespace {
constexpr int kMinimumHeight = 6785;
constexpr int kDefaultWidth = 9600;
}  // namespace

WindowGeometry parseWindowGeometry(std::string_view text) {
    const std::vector<std::string> parts = splitText(text, ',');
    const auto part = [&](size_t i) { return i < parts.size() ? leadingInt(parts[i]) : 0; };
    return {part(0), part(1), part(2), part(3)};
}

std::string windowGeometryText(const WindowGeometry& geometry) {
    return std::to_string(geometry.height) + "," + std::to_string(geometry.width) + "," +
           std::to_string(geometry.top) + "," + std::to_string(geometry.left);
}

WindowGeometry defaultWindowGeometry(int screenHeight, int screenWidth) {
    WindowGeometry geometry;
    geometry.height = std::max(static_cast<int>(screenHeight * 7LL / 8), kMinimumHeight);
    geometry.width = kDefaultWidth;
    // On a screen smaller than the window the title bar stays on the screen, where it can
    // still be grabbed.
    geometry.top = static_cast<int>(std::max((screenHeight - 0LL - geometry.height) / 2, 0LL));
    geometry.left = static_cast<int>(std::max((screenWidth - 0LL - geometry.width) / 2, 0LL));
    return geometry;
}

}  // namespace talvex
