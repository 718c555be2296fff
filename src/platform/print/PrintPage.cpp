#include "platform/print/PrintPage.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>

#include "printing/PrintSink.h"

namespace talvex {

namespace {

bool has(unsigned attributes, int attribute) {
    return (attributes >> attribute) & 1U;
}

}  // namespace

RunPainter::RunPainter(const QFont& printFont, double charsPerInch, double linesPerInch)
    : proportional_(printFont),
      fixed_(fixedPitchFont(printFont)),
      charsPerInch_(charsPerInch > 0 ? charsPerInch : 10),
      linesPerInch_(linesPerInch > 0 ? linesPerInch : 6) {}

// "Courier New" is seldom on a Linux machine; asking for a typewriter face lets the font
// matcher pick the monospace font that is there, and when it still picks a proportional one
// the system's fixed font takes over, so figures line up on every machine.
QFont RunPainter::fixedPitchFont(const QFont& printFont) {
    QFont font = printFont;
    font.setStyleHint(QFont::TypeWriter, QFont::PreferMatch);
    font.setFixedPitch(true);
    if (QFontInfo(font).fixedPitch()) return font;
    QFont system = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    system.setPointSizeF(printFont.pointSizeF());
    system.setBold(printFont.bold());
    system.setItalic(printFont.italic());
    return system;
}

RunPainter::~RunPainter() {
    end();
}

bool RunPainter::begin(QPagedPaintDevice* device) {
    device_ = device;
    page_ = 0;
    failed_ = false;
    painter_ = std::make_unique<QPainter>();
    if (painter_->begin(device)) return true;
    painter_.reset();
    return false;
}

QFont RunPainter::fontFor(const PlacedText& run) const {
    QFont font = run.fixedPitch ? fixed_ : proportional_;
    if (has(run.attributes, print_attribute::kBold)) font.setBold(true);
    if (has(run.attributes, print_attribute::kUnderline)) font.setUnderline(true);
    if (has(run.attributes, print_attribute::kItalic)) font.setItalic(true);
    if (has(run.attributes, print_attribute::kStrikethrough)) font.setStrikeOut(true);
    return font;
}

void RunPainter::paint(const PlacedText& run) {
    if (!painter_) return;
    for (; page_ < run.page; ++page_)
        if (!device_->newPage()) failed_ = true;
    const double dotsX = device_->logicalDpiX();
    const double dotsY = device_->logicalDpiY();
    const double pitch = dotsX / charsPerInch_;
    QFont font = fontFor(run);
    painter_->setFont(font);
    if (run.fixedPitch) {
        // Every character one column wide: the font's own advance corrected to the pitch.
        const double advance = QFontMetricsF(font, device_).horizontalAdvance(QLatin1Char('0'));
        font.setLetterSpacing(QFont::AbsoluteSpacing, pitch - advance);
        painter_->setFont(font);
    }
    const QFontMetricsF metrics(painter_->font(), device_);
    const double baseline = run.line * dotsY / linesPerInch_ + metrics.ascent();
    const bool lined = has(run.attributes, print_attribute::kUnderline) ||
                       has(run.attributes, print_attribute::kStrikethrough);
    if (!run.fixedPitch || lined) {
        painter_->drawText(QPointF(run.column * pitch, baseline), run.text);
        return;
    }
    // Each word starts exactly at its own column: the spacing correction is not kept alike by
    // every font and output across a long run of blanks, and figures must end in one column.
    for (qsizetype start = 0; start < run.text.size();) {
        while (start < run.text.size() && run.text[start] == QLatin1Char(' ')) ++start;
        qsizetype end = start;
        while (end < run.text.size() && run.text[end] != QLatin1Char(' ')) ++end;
        if (end > start)
            painter_->drawText(QPointF((run.column + static_cast<double>(start)) * pitch, baseline),
                               run.text.mid(start, end - start));
        start = end;
    }
}

void RunPainter::end() {
    if (!painter_) return;
    painter_->end();
    painter_.reset();
}

}  // namespace talvex
