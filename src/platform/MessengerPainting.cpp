#include "platform/MessengerPainting.h"

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QPixmap>

#include "messenger/MessengerRecord.h"

namespace talvex {

namespace {

enum Bevel {
    none,
    raised,
    raisedOutline,
    inset,
    insetOutline,
    fillet,
    groove,
    shadow,
    raisedNew,
    insetNew
};
enum Sides { both, horizontal, vertical };

const QColor kLight(255, 255, 255);
const QColor kMidLight(227, 227, 227);
const QColor kShadow(128, 128, 128);
const QColor kDark(0, 0, 0);

// One band of the bevel: lit on the top and left, shaded on the bottom and right, on the
// sides the record bevels. Returns what is left inside the band.
QRect drawBand(QPainter& painter, QRect rect, const QColor& lit, const QColor& shaded, int width,
               int sides) {
    if (width <= 0 || rect.isEmpty()) return rect;
    const bool tops = sides != vertical;
    const bool lefts = sides != horizontal;
    if (tops) {
        painter.fillRect(QRect(rect.left(), rect.top(), rect.width(), width), lit);
        painter.fillRect(QRect(rect.left(), rect.bottom() - width + 1, rect.width(), width),
                         shaded);
    }
    if (lefts) {
        painter.fillRect(QRect(rect.left(), rect.top(), width, rect.height()), lit);
        painter.fillRect(QRect(rect.right() - width + 1, rect.top(), width, rect.height()), shaded);
    }
    return rect.adjusted(lefts ? width : 0, tops ? width : 0, lefts ? -width : 0,
                         tops ? -width : 0);
}

QRect drawBevel(QPainter& painter, QRect rect, int style, int sides, int width) {
    switch (style) {
        case raisedOutline:
            rect = drawBand(painter, rect, kDark, kDark, 1, sides);
            [[fallthrough]];
        case raised:
            return drawBand(painter, rect, kLight, kShadow, width, sides);
        case insetOutline:
            rect = drawBand(painter, rect, kDark, kDark, 1, sides);
            [[fallthrough]];
        case inset:
            return drawBand(painter, rect, kShadow, kLight, width, sides);
        case fillet:
            rect = drawBand(painter, rect, kLight, kShadow, width, sides);
            return drawBand(painter, rect, kShadow, kLight, width, sides);
        case groove:
            rect = drawBand(painter, rect, kShadow, kLight, width, sides);
            return drawBand(painter, rect, kLight, kShadow, width, sides);
        case shadow:
            rect = drawBand(painter, rect, kDark, kDark, 1, sides);
            return drawBand(painter, rect, Qt::transparent, kShadow, width + 1, sides);
        case raisedNew:
            rect = drawBand(painter, rect, kMidLight, kDark, 1, sides);
            return drawBand(painter, rect, kLight, kShadow, width, sides);
        case insetNew:
            rect = drawBand(painter, rect, kShadow, kLight, 1, sides);
            return drawBand(painter, rect, kDark, kMidLight, width, sides);
        default:
            return rect;
    }
}

}  // namespace

QRect placedPicture(QSize picture, const QRect& area, int placement) {
    if (placement == placement::kStretch || placement < 0 || placement > 8) return area;
    const int column = placement / 3;  // left, centre, right
    const int row = placement % 3;     // top, centre, bottom
    const int x = area.left() + column * (area.width() - picture.width()) / 2;
    const int y = area.top() + row * (area.height() - picture.height()) / 2;
    return QRect(QPoint(x, y), picture);
}

void drawPlacedPicture(QPainter& painter, const QImage& picture, const QRect& area, int placement) {
    if (picture.isNull() || placement == placement::kNone || area.isEmpty()) return;
    painter.save();
    painter.setClipRect(area);
    if (placement == placement::kTile) {
        painter.drawTiledPixmap(area, QPixmap::fromImage(picture));
    } else {
        painter.drawImage(placedPicture(picture.size(), area, placement), picture);
    }
    painter.restore();
}

Qt::Alignment textAlignment(int position) {
    static const Qt::Alignment columns[] = {Qt::AlignLeft, Qt::AlignHCenter, Qt::AlignRight};
    static const Qt::Alignment rows[] = {Qt::AlignTop, Qt::AlignVCenter, Qt::AlignBottom};
    const int code = position < 0 || position > 8 ? 4 : position;
    return columns[code / 3] | rows[code % 3];
}

QRect drawMessengerFrame(QPainter& painter, const QRect& rect, const MessengerRecord& record) {
    const QRect inside =
        drawBevel(painter, rect, record.bevel, record.bevelSides, record.bevelWidth);
    const int border = record.borderWidth;
    return inside.adjusted(border, border, -border, -border);
}

}  // namespace talvex
