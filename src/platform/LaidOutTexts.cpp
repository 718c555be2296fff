#include "platform/LaidOutTexts.h"

#include <QPainter>
#include <QTextOption>

namespace talvex {

namespace {

// Enough for every text of a tall window several times over.
constexpr qsizetype kMostTexts = 4096;

}  // namespace

const QStaticText& LaidOutTexts::laidOut(const QString& text, const QFont& font) {
    if (font != font_ || texts_.size() > kMostTexts) {
        texts_.clear();
        font_ = font;
    }
    auto found = texts_.find(text);
    if (found != texts_.end()) return *found;
    QStaticText shaped(text);
    shaped.setTextFormat(Qt::PlainText);
    QTextOption option;
    option.setWrapMode(QTextOption::NoWrap);
    option.setFlags(QTextOption::IncludeTrailingSpaces);
    shaped.setTextOption(option);
    shaped.setPerformanceHint(QStaticText::AggressiveCaching);
    shaped.prepare(QTransform(), font);
    return *texts_.insert(text, shaped);
}

bool LaidOutTexts::draw(QPainter& painter, const QRectF& rect, const QString& text,
                        Qt::Alignment alignment) {
    const QStaticText& shaped = laidOut(text, painter.font());
    const QSizeF size = shaped.size();
    if (size.width() > rect.width()) return false;
    double x = rect.left();
    if (alignment & Qt::AlignRight)
        x = rect.right() - size.width();
    else if (alignment & Qt::AlignHCenter)
        x = rect.left() + (rect.width() - size.width()) / 2;
    const double y = rect.top() + (rect.height() - size.height()) / 2;
    painter.drawStaticText(QPointF(x, y), shaped);
    return true;
}

}  // namespace talvex
