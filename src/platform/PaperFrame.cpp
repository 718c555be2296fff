#include "platform/PaperFrame.h"

#include <algorithm>
#include <cmath>

#include <QEvent>
#include <QFontMetrics>
#include <QPainter>

#include "platform/Ruler.h"
#include "platform/TapeModel.h"
#include "platform/TapeView.h"

namespace talvex {

namespace {

// A tape narrower than this cannot show a figure and its description.
constexpr int kLeastCharacters = 30;
// The margins together take at most this share of the pane.
constexpr int kMarginShareDivisor = 3;

int pixels(double characters, int characterWidth) {
    return static_cast<int>(std::lround(std::max(0.0, characters) * characterWidth));
}

}  // namespace

PaperFrame::PaperFrame(Ruler* ruler, TapeView* view, QWidget* parent)
    : QWidget(parent), ruler_(ruler), view_(view) {
    ruler_->setParent(this);
    view_->setParent(this);
    ruler_->installEventFilter(this);
}

PaperPixels PaperFrame::place(const TapePaper& paper, int paneWidth, int characterWidth,
                              int leastGrid) {
    int left = pixels(paper.left, characterWidth);
    int right = pixels(paper.right, characterWidth);
    int gap = pixels(paper.lineNoGap, characterWidth);
    const int most = paneWidth / kMarginShareDivisor;
    if (left + right + gap > most) {
        const double scale = static_cast<double>(most) / (left + right + gap);
        left = static_cast<int>(left * scale);
        right = static_cast<int>(right * scale);
        gap = static_cast<int>(gap * scale);
    }
    // A paper narrower than the tape's columns would hide figures: the tape keeps its columns,
    // the paper only widens the description.
    const int grid = std::max(leastGrid + gap, kLeastCharacters * characterWidth);
    const int least = std::min(paneWidth, grid + left + right);
    const int wanted = paper.width > 0 ? pixels(paper.width, characterWidth) : paneWidth;
    PaperPixels placed;
    placed.paperWidth = std::clamp(wanted, least, std::max(least, paneWidth));
    placed.left = left;
    placed.right = std::max(left, placed.paperWidth - right);
    placed.gap = gap;
    return placed;
}

void PaperFrame::setPaper(const TapePaper& paper) {
    paper_ = paper;
    arrange();
}

int PaperFrame::characterWidth() const {
    const QFont font = view_->tapeModel() ? view_->tapeModel()->tapeFont() : view_->font();
    return std::max(1, QFontMetrics(font).horizontalAdvance(QLatin1Char('0')));
}

PaperPixels PaperFrame::placement() const {
    return place(paper_, width(), characterWidth(), view_->leastWidth());
}

void PaperFrame::arrange() {
    const int character = characterWidth();
    const PaperPixels placed = placement();
    int top = 0;
    if (!ruler_->isHidden()) {
        const int rulerHeight = ruler_->sizeHint().height();
        ruler_->setGeometry(0, 0, width(), rulerHeight);
        ruler_->setPlacement(placed, character);
        top = rulerHeight;
    }
    view_->setLineNumberGap(placed.gap);
    view_->setGeometry(placed.left, top, placed.right - placed.left, height() - top);
    update();
}

void PaperFrame::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    arrange();
}

// The ruler shown or hidden gives or takes its room.
bool PaperFrame::event(QEvent* event) {
    if (event->type() == QEvent::LayoutRequest) arrange();
    return QWidget::event(event);
}

bool PaperFrame::eventFilter(QObject* watched, QEvent* event) {
    if (watched == ruler_ && (event->type() == QEvent::Show || event->type() == QEvent::Hide))
        arrange();
    return QWidget::eventFilter(watched, event);
}

QSize PaperFrame::sizeHint() const {
    return view_->sizeHint() + QSize(0, ruler_->isHidden() ? 0 : ruler_->sizeHint().height());
}

QSize PaperFrame::minimumSizeHint() const {
    const QSize least = view_->minimumSizeHint();
    return least + QSize(0, ruler_->isHidden() ? 0 : ruler_->sizeHint().height());
}

// Beside the paper lies the desk; the margins are paper.
void PaperFrame::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Window).darker(115));
    const PaperPixels placed = placement();
    painter.fillRect(QRect(0, 0, placed.paperWidth, height()), palette().color(QPalette::Base));
}

}  // namespace talvex
