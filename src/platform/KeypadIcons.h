#pragma once

#include <QColor>
#include <QIcon>

namespace talvex {

// Up or down arrows for the go-to buttons (0 first, 1 previous, 2 next, 3 last line).
QIcon gotoIcon(int index, const QColor& colour);
enum class PrinterIconKind { mainPrinter, labelPrinter, current };
// The toolbar's print buttons.
QIcon printerIcon(PrinterIconKind kind, const QColor& ink, const QColor& paper);
// The tape switch's lamp.
QIcon lampIcon(const QColor& fill, const QColor& rim);

}  // namespace talvex
