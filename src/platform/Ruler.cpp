#include "platform/Ruler.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPalette>

namespace talvex {

namespace {

constexpr const char* kRulerTip = "VantPrint Ruler.  Click for Page Layout.";
constexpr int kNumberEvery = 10;
constexpr int kLongTickEvery = 5;

}  // namespace

Ruler::Ruler(QWidget* parent) : QWidget(parent) {
    setObjectName("Ruler");
    setToolTip(QString::fromLatin1(kRulerTip));
    setCursor(Qt::PointingHandCursor);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

void Ruler::setPlacement(const PaperPixels& placement, int characterWidth) {
    placement_ = placement;
    characterWidth_ = std::max(1, characterWidth);
    update();
}

QSize Ruler::sizeHint() const {
    return {100, fontMetrics().height() + 10};
}

// The paper in the base colour, its margins shaded, a tick per character column of the
// printed width and a number every ten, counted from the left margin.
void Ruler::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QPalette& colours = palette();
    painter.fillRect(rect(), colours.color(QPalette::Window).darker(115));
    const QRect paper(0, 0, placement_.paperWidth, height() - 1);
    painter.fillRect(paper, colours.color(QPalette::Base));
    const QColor margin = colours.color(QPalette::Mid).lighter(130);
    painter.fillRect(QRect(0, 0, placement_.left, height() - 1), margin);
    painter.fillRect(
        QRect(placement_.right, 0, placement_.paperWidth - placement_.right, height() - 1), margin);
    painter.setPen(colours.color(QPalette::Text));
    painter.drawRect(paper);
    const int bottom = height() - 1;
    for (int column = 0;; ++column) {
        const int x = placement_.left + column * characterWidth_;
        if (x > placement_.right) break;
        const bool numbered = column % kNumberEvery == 0;
        const int tick = numbered ? bottom / 2 : column % kLongTickEvery == 0 ? 5 : 3;
        painter.drawLine(x, bottom - tick, x, bottom);
        if (numbered && column > 0)
            painter.drawText(QRect(x + 2, 0, 4 * characterWidth_, bottom - 2),
                             Qt::AlignLeft | Qt::AlignVCenter, QString::number(column));
    }
}

void Ruler::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
}

}  // namespace talvex
