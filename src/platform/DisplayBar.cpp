#include "platform/DisplayBar.h"

#include <QEvent>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QPaintEvent>
#include <QPainter>
#include <QPalette>
#include <QPen>
#include <QRect>
#include <QRectF>
#include <QSizePolicy>

#include <algorithm>

#include "platform/Colours.h"

namespace talvex {

namespace {

constexpr double kLcdScale = 2.2;
// Long figures shrink to this share of the full size before they are shortened, so they
// stay readable rather than turning into a thin line.
constexpr double kSmallestShrink = 0.6;
constexpr int kPadding = 8;
constexpr int kCornerRadius = 6;
constexpr int kMinimumCharacters = 8;

QFont resized(const QFont& font, double factor) {
    QFont result = font;
    if (font.pointSizeF() > 0) {
        result.setPointSizeF(font.pointSizeF() * factor);
    } else {
        result.setPixelSize(std::max(1, qRound(font.pixelSize() * factor)));
    }
    return result;
}

}  // namespace

DisplayBar::DisplayBar(QWidget* parent) : QWidget(parent) {
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    setWhatsThis(
        tr("The display: the number being keyed, or the result after the current "
           "line of the tape."));
}

void DisplayBar::setText(const QString& text) {
    if (text == text_) return;
    text_ = text;
    // Figures too long for the bar are shortened; the tip keeps every digit readable.
    setToolTip(text_);
    update();
}

void DisplayBar::setTextColour(const QColor& colour) {
    textColour_ = colour;
    update();
}

void DisplayBar::setBackground(const QColor& colour) {
    background_ = colour;
    update();
}

QFont DisplayBar::lcdFont() const {
    QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    fixed.setStyleHint(QFont::Monospace);
    QFont base = font();
    base.setFamilies(fixed.families());
    base.setStyleHint(QFont::Monospace);
    return resized(base, kLcdScale);
}

QRect DisplayBar::figuresRect() const {
    return rect().adjusted(kPadding, 0, -kPadding, 0);
}

QFont DisplayBar::visibleFont() const {
    const QFont full = lcdFont();
    const int available = figuresRect().width();
    const int wanted = QFontMetrics(full).horizontalAdvance(text_);
    if (wanted <= available || available <= 0) return full;
    return resized(full, std::max(kSmallestShrink, double(available) / wanted));
}

// The end of the figures is kept: it holds the digits just keyed and the decimals.
QString DisplayBar::visibleText() const {
    return QFontMetrics(visibleFont())
        .elidedText(text_, Qt::ElideLeft, std::max(0, figuresRect().width()));
}

QColor DisplayBar::shownTextColour() const {
    return readableOn(textColour_.isValid() ? textColour_ : palette().color(QPalette::Text),
                      shownBackground());
}

QColor DisplayBar::shownBackground() const {
    return background_.isValid() ? background_ : palette().color(QPalette::Base);
}

QSize DisplayBar::sizeHint() const {
    const QFontMetrics metrics(lcdFont());
    return {metrics.horizontalAdvance(QLatin1Char('0')) * 16 + 2 * kPadding,
            metrics.height() + 2 * kPadding};
}

// The full height always, so the figures are never cut at top or bottom.
QSize DisplayBar::minimumSizeHint() const {
    const QFontMetrics metrics(lcdFont());
    return {metrics.horizontalAdvance(QLatin1Char('0')) * kMinimumCharacters + 2 * kPadding,
            metrics.height() + 2 * kPadding};
}

void DisplayBar::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(palette().color(QPalette::Mid), 1));
    painter.setBrush(shownBackground());
    painter.drawRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), kCornerRadius,
                            kCornerRadius);
    painter.setFont(visibleFont());
    painter.setPen(shownTextColour());
    painter.drawText(figuresRect(), Qt::AlignRight | Qt::AlignVCenter, visibleText());
}

void DisplayBar::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::FontChange) updateGeometry();
    if (event->type() == QEvent::FontChange || event->type() == QEvent::PaletteChange) update();
}

}  // namespace talvex
