#include "platform/ThemeColours.h"

#include <QApplication>
#include <QByteArray>
#include <QCoreApplication>
#include <QEvent>
#include <QStyleFactory>

#include "platform/Colours.h"
#include "shell/OptionTable.h"

namespace talvex {

// Asked for every painted cell, and a luminance takes six powers: the answer is kept for the
// two colours it was worked out from.
bool isDarkPalette(const QPalette& palette) {
    static QRgb window = 0, text = 0;
    static bool known = false, dark = false;
    const QRgb nowWindow = palette.color(QPalette::Active, QPalette::Window).rgba();
    const QRgb nowText = palette.color(QPalette::Active, QPalette::WindowText).rgba();
    if (!known || nowWindow != window || nowText != text) {
        window = nowWindow;
        text = nowText;
        known = true;
        dark =
            relativeLuminance(QColor::fromRgba(window)) < relativeLuminance(QColor::fromRgba(text));
    }
    return dark;
}

QColor shownColour(const OptionTable& options, int colour) {
    return colourFromSetting(options.shownColour(colour, isDarkPalette(QApplication::palette())));
}

QPalette darkPalette() {
    const QColor text(232, 232, 232);
    const QColor window(53, 53, 56), base(30, 30, 32), button(60, 60, 64);
    QPalette palette(text, button, button.lighter(130), base, button.darker(120), text, Qt::white,
                     base, window);
    palette.setColor(QPalette::AlternateBase, window);
    palette.setColor(QPalette::ButtonText, text);
    palette.setColor(QPalette::ToolTipBase, window);
    palette.setColor(QPalette::ToolTipText, text);
    palette.setColor(QPalette::Highlight, QColor(42, 130, 218));
    palette.setColor(QPalette::HighlightedText, Qt::white);
    palette.setColor(QPalette::Link, QColor(120, 170, 255));
    QColor hint = text;
    hint.setAlpha(150);
    palette.setColor(QPalette::PlaceholderText, hint);
    const QColor faint(128, 128, 128);
    for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        palette.setColor(QPalette::Disabled, role, faint);
    return palette;
}

// Desktops differ in how they tell Qt about a dark theme, and a bare X server tells it nothing;
// the switch gives every desktop, and the screenshots, the same dark look.
void applyPaletteFromEnvironment() {
    if (qgetenv("TALVEX_PALETTE") != "dark") return;
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QApplication::setPalette(darkPalette());
}

PaletteWatcher::PaletteWatcher(QObject* parent) : QObject(parent) {
    QCoreApplication::instance()->installEventFilter(this);
}

PaletteWatcher::~PaletteWatcher() {
    if (auto* app = QCoreApplication::instance()) app->removeEventFilter(this);
}

bool PaletteWatcher::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::ApplicationPaletteChange &&
        watched == QCoreApplication::instance())
        emit changed();
    return QObject::eventFilter(watched, event);
}

}  // namespace talvex
