// Drawing the messenger panel: where a picture goes for its placement code, where the text
// goes for its position code, and the bevelled frame.
#pragma once

#include <QRect>
#include <Qt>

class QImage;
class QPainter;

namespace talvex {

struct MessengerRecord;

// The rectangle a picture of this size takes in area: placements 0 to 8 anchor it left,
// centre or right (by thirds of the code) and top, centre or bottom (by its remainder);
// "Stretch" fills the area. "Tile" and "None" have no single rectangle: the area is returned.
QRect placedPicture(QSize picture, const QRect& area, int placement);

// Draws the picture as its placement says; nothing for "None" or an empty picture.
void drawPlacedPicture(QPainter& painter, const QImage& picture, const QRect& area, int placement);

// Text position codes 0 to 8, in the same order as the picture placements.
Qt::Alignment textAlignment(int position);

// Draws the record's bevel (style, sides, width) and border inside rect and returns the room
// left inside them for the pictures and the text.
QRect drawMessengerFrame(QPainter& painter, const QRect& rect, const MessengerRecord& record);

}  // namespace talvex
