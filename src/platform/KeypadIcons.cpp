#include "platform/KeypadIcons.h"

#include <QIconEngine>
#include <QPainter>
#include <QPixmap>
#include <QPolygonF>

#include <functional>

namespace talvex {

namespace {

// Icons drawn as shapes, so they stay sharp at every scale and take the palette's colours.
class PaintedIcon : public QIconEngine {
  public:
    using Painter = std::function<void(QPainter&, const QRectF&)>;
    explicit PaintedIcon(Painter painter) : painter_(std::move(painter)) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode, QIcon::State) override {
        painter->setRenderHint(QPainter::Antialiasing);
        painter_(*painter, QRectF(rect));
    }
    // The base class would paint onto an uninitialised pixmap.
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        QPixmap pixmap(size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        paint(&painter, QRect(QPoint(0, 0), size), mode, state);
        return pixmap;
    }
    QIconEngine* clone() const override { return new PaintedIcon(painter_); }

  private:
    Painter painter_;
};

}  // namespace

// Up or down arrows for the tape's lines; a bar marks the start or the end of the tape.
QIcon gotoIcon(int index, const QColor& colour) {
    return QIcon(new PaintedIcon([index, colour](QPainter& painter, const QRectF& box) {
        const bool up = index <= 1;
        const bool bar = index == 0 || index == 3;
        const qreal w = box.width();
        const qreal h = box.height();
        const QRectF arrow(box.left() + w * 0.15, box.top() + h * 0.3, w * 0.7, h * 0.4);
        const QPointF tip(arrow.center().x(), up ? arrow.top() : arrow.bottom());
        const QPolygonF shape = up ? QPolygonF{tip, arrow.bottomRight(), arrow.bottomLeft()}
                                   : QPolygonF{arrow.topLeft(), arrow.topRight(), tip};
        painter.setPen(Qt::NoPen);
        painter.setBrush(colour);
        painter.drawPolygon(shape);
        if (bar) {
            const qreal y = up ? box.top() + h * 0.12 : box.bottom() - h * 0.24;
            painter.drawRect(QRectF(arrow.left(), y, arrow.width(), h * 0.12));
        }
    }));
}

// A lamp: filled while the tape is on, hollow while it is off, readable in any palette.
QIcon lampIcon(const QColor& fill, const QColor& rim) {
    return QIcon(new PaintedIcon([fill, rim](QPainter& painter, const QRectF& box) {
        const qreal radius = qMin(box.width(), box.height()) * 0.3;
        painter.setPen(QPen(rim, qMax(1.0, radius * 0.3)));
        painter.setBrush(fill);
        painter.drawEllipse(box.center(), radius, radius);
    }));
}

}  // namespace talvex
