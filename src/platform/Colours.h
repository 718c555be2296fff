#pragma once

#include <QColor>

namespace talvex {

// Colour settings are Windows RGB integers: red in the low byte, then green, then blue.
inline QColor colourFromSetting(long long value) {
    const auto rgb = static_cast<unsigned long long>(value);
    return QColor(static_cast<int>(rgb & 0xFF), static_cast<int>((rgb >> 8) & 0xFF),
                  static_cast<int>((rgb >> 16) & 0xFF));
}

inline long long settingFromColour(const QColor& colour) {
    return static_cast<long long>(colour.red()) | (static_cast<long long>(colour.green()) << 8) |
           (static_cast<long long>(colour.blue()) << 16);
}

}  // namespace talvex
