#pragma once

#include <QFont>
#include <QHash>
#include <QRectF>
#include <QStaticText>
#include <QString>

class QPainter;

namespace talvex {

// Texts laid out once and drawn again from their layout. A repaint after a key shows nearly
// all the amounts and numbers the one before it showed, and laying every one of them out again
// is most of what a repaint costs on a long tape.
class LaidOutTexts {
  public:
    // Draws text on one line in rect, aligned left, right or centred and centred vertically,
    // blanks at its end included. False, with nothing drawn, when it does not fit.
    bool draw(QPainter& painter, const QRectF& rect, const QString& text, Qt::Alignment alignment);

  private:
    const QStaticText& laidOut(const QString& text, const QFont& font);

    QHash<QString, QStaticText> texts_;
    QFont font_;
};

}  // namespace talvex
