#pragma once

#include <QColor>
#include <QIcon>

namespace talvex {

// Up or down arrows for the go-to buttons (0 first, 1 previous, 2 next, 3 last line).
QIcon gotoIcon(int index, const QColor& colour);
// The tape switch's lamp.
QIcon lampIcon(const QColor& fill, const QColor& rim);

}  // namespace talvex
