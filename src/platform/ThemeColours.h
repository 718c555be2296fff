// The desktop's light or dark look and what it does to the colour settings.
#pragma once

#include <QColor>
#include <QObject>
#include <QPalette>

namespace talvex {

class OptionTable;

// A dark desktop paints its windows darker than their text.
bool isDarkPalette(const QPalette& palette);

// The colour setting as the window paints it under the application's palette: the built-in
// defaults follow a dark desktop into their dark set, a colour the user chose stays.
QColor shownColour(const OptionTable& options, int colour);

// A dark palette for the Fusion style, for a desktop that offers none ("TALVEX_PALETTE=dark").
QPalette darkPalette();

// Puts darkPalette() on the application when the environment asks for it.
void applyPaletteFromEnvironment();

// Says when the application's palette changed. Only the application is sure to hear of it: a
// window that has not been through the event loop yet may never get its own palette event.
class PaletteWatcher : public QObject {
    Q_OBJECT

  public:
    explicit PaletteWatcher(QObject* parent);
    ~PaletteWatcher() override;

  signals:
    void changed();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

}  // namespace talvex
