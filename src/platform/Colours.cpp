#include "platform/Colours.h"

#include <algorithm>
#include <cmath>

namespace talvex {

namespace {

QColor mixed(const QColor& from, const QColor& to, double amount) {
    const auto channel = [amount](double a, double b) { return a + (b - a) * amount; };
    return QColor::fromRgbF(channel(from.redF(), to.redF()), channel(from.greenF(), to.greenF()),
                            channel(from.blueF(), to.blueF()));
}

QColor opaqueOn(const QColor& ink, const QColor& ground) {
    return QColor(mixed(ground.toRgb(), ink.toRgb(), ink.alphaF()).rgb());
}

}  // namespace

double relativeLuminance(const QColor& colour) {
    const QColor rgb = colour.toRgb();
    const auto linear = [](double v) {
        return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(rgb.redF()) + 0.7152 * linear(rgb.greenF()) +
           0.0722 * linear(rgb.blueF());
}

double contrastRatio(const QColor& ink, const QColor& ground) {
    const double a = relativeLuminance(opaqueOn(ink, ground)) + 0.05;
    const double b = relativeLuminance(ground) + 0.05;
    return std::max(a, b) / std::min(a, b);
}

QColor inkFor(const QColor& ground) {
    const QColor black(Qt::black), white(Qt::white);
    return contrastRatio(black, ground) >= contrastRatio(white, ground) ? black : white;
}

QColor readableOn(const QColor& ink, const QColor& ground, double minimum) {
    const QColor start = opaqueOn(ink, ground);
    if (contrastRatio(start, ground) >= minimum) return start;
    const QColor pole = inkFor(ground);
    // On the way to the pole the ink may first pass the ground's own lightness, but once it
    // reads it only reads better: halving finds the least change that reads.
    const auto reads = [&](double amount) {
        // Judged as painted, in whole channel steps.
        return contrastRatio(QColor(mixed(start, pole, amount).rgb()), ground) >= minimum;
    };
    double low = 0.0, high = 1.0;
    for (int step = 0; step < 16; ++step) {
        const double middle = (low + high) / 2;
        (reads(middle) ? high : low) = middle;
    }
    return QColor(mixed(start, pole, high).rgb());
}

}  // namespace talvex
