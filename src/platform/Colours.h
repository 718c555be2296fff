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

// Text reads comfortably from this contrast ratio on (the WCAG level for body text).
inline constexpr double kReadableContrast = 4.5;

// Relative luminance of an sRGB colour, 0 for black to 1 for white.
double relativeLuminance(const QColor& colour);

// Contrast ratio of ink painted on ground, from 1 (invisible) to 21 (black on white). A
// translucent ink counts as what it gives on that ground.
double contrastRatio(const QColor& ink, const QColor& ground);

// Black or white, whichever stands out more on ground.
QColor inkFor(const QColor& ground);

// The ink itself when it reads on ground; otherwise the ink taken just far enough towards
// black or white to read, so a chosen colour keeps its hue. Always opaque.
QColor readableOn(const QColor& ink, const QColor& ground, double minimum = kReadableContrast);

}  // namespace talvex
