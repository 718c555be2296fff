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

// A printer with its paper coming out: a sheet for the main printer, a narrow strip for the
// label printer, and both for the print that goes where the label printer's state says.
QIcon printerIcon(PrinterIconKind kind, const QColor& ink, const QColor& paper) {
    return QIcon(new PaintedIcon([kind, ink, paper](QPainter& painter, const QRectF& box) {
        const qreal w = box.width();
        const qreal h = box.height();
        const QRectF body(box.left() + w * 0.08, box.top() + h * 0.38, w * 0.84, h * 0.34);
        painter.setPen(QPen(ink, qMax(1.0, w * 0.035)));
        painter.setBrush(paper);
        // The paper behind the printer, then the printer, then the paper coming out of it.
        const auto sheets = [&](qreal top, qreal height) {
            const auto sheet = [&](qreal left, qreal width) {
                painter.drawRect(QRectF(box.left() + w * left, top, w * width, height));
            };
            if (kind != PrinterIconKind::labelPrinter) sheet(0.22, 0.56);
            if (kind != PrinterIconKind::mainPrinter)
                sheet(kind == PrinterIconKind::current ? 0.62 : 0.38, 0.24);
        };
        sheets(box.top() + h * 0.1, h * 0.4);
        // The body halfway between ink and paper, so it reads on a light or a dark toolbar.
        painter.setBrush(QColor((ink.red() + paper.red()) / 2, (ink.green() + paper.green()) / 2,
                                (ink.blue() + paper.blue()) / 2));
        painter.drawRoundedRect(body, w * 0.06, h * 0.06);
        painter.setBrush(paper);
        sheets(body.bottom() - h * 0.08, h * 0.28);
    }));
}

}  // namespace talvex
