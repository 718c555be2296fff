// The page furniture and output primitives of one print run.
#include "printing/PrintRun.h"

#include <algorithm>
#include <cmath>

#include "documents/TapeDocument.h"
#include "engine/Engine.h"
#include "printing/NotesLines.h"

namespace talvex {

namespace {

constexpr char kEsc = 27;
constexpr char kGs = 29;
constexpr char kRs = 30;
constexpr char kUs = 31;
constexpr char kShiftIn = 15;
constexpr char kDc2 = 18;
constexpr int kCentre = 3;
constexpr int kLeft = 1;

// A measure in whole lines or columns; the small allowance keeps 0.5" at 6 lpi at 3.
int whole(double measure) {
    return measure > 0 ? static_cast<int>(std::floor(measure + 1e-9)) : 0;
}

// The codes that switch attribute position on or off on a printer without fonts.
std::string escapeCodes(OutMode mode, int position, bool on) {
    if (mode == OutMode::deviceFont) {
        switch (position) {
            case print_attribute::kBold:
                return {kEsc, on ? 'E' : 'F'};
            case print_attribute::kUnderline:
                return {kEsc, '-', on ? '1' : '0'};
            case print_attribute::kItalic:
                return {kEsc, on ? '4' : '5'};
            default:
                return {on ? kShiftIn : kDc2};
        }
    }
    if (position == print_attribute::kBold || position == print_attribute::kStrikethrough)
        return {kGs, on ? kRs : kUs};
    return {};
}

}  // namespace

PrintRun::PrintRun(const Engine& engine, const TapeDocument& document, const PageLayout& layout,
                   const PrintJob& job, PrintSink& sink)
    : engine_(engine), document_(document), layout_(layout), job_(job), sink_(sink) {
    format_ = layout.text(layout_text::kFormat);
    if (format_ == kFormatFormReport)
        lineWidth_ = std::max(0, whole(layout.horizontal(layout_text::kWidth, job.charsPerInch) -
                                       layout.horizontal(layout_text::kRight, job.charsPerInch) -
                                       layout.horizontal(layout_text::kLeft, job.charsPerInch)));
    else
        lineWidth_ = PrintEngine(engine, document, layout).lineWidth();
    pageLines_ = vertical(layout_text::kHeight);
    const bool footer = layout.flag(layout_flag::kFooter) != 0 && format_ != kFormatLabel;
    const int footerBlock =
        (footer ? vertical(layout_text::kFooterSpacing) + 1 : 0) + vertical(layout_text::kBottom);
    // A paper shorter than its footer still breaks pages: one body line on each.
    bodyLines_ = pageLines_ > 0 ? std::max(1, pageLines_ - footerBlock) : 0;
}

int PrintRun::firstRow() const {
    return engine_.layout().hiddenRows + std::max(1, job_.fromRow);
}

// The open row at the end of the tape is not a line yet unless something stands in it.
int PrintRun::lastRow() const {
    int last = engine_.state().lastRow;
    bool openRowEmpty = true;
    for (int col = ColumnSet::kFirstColumn; col <= document_.columns.colCount(); ++col)
        openRowEmpty = openRowEmpty && engine_.cell(last, col).empty();
    if (openRowEmpty) --last;
    return std::min(last, engine_.layout().hiddenRows + job_.toRow);
}

int PrintRun::horizontal(int index) const {
    return whole(layout_.horizontal(index, job_.charsPerInch));
}
int PrintRun::vertical(int index) const {
    return whole(layout_.vertical(index, job_.linesPerInch));
}

void PrintRun::put(std::string_view text) {
    if (atLineStart_ && breakPending_ && !inFooter_ && !inStart_) {
        endPage();
        startPage();
    }
    atLineStart_ = false;
    sink_.putText(text);
    failed_ = failed_ || sink_.failed();
}

void PrintRun::newLine() {
    put(finalPage_ && job_.mode == OutMode::deviceFont ? " " : "");
    sink_.endLine();
    failed_ = failed_ || sink_.failed();
    atLineStart_ = true;
    ++lineNo_;
    if (bodyLines_ != 0 && !inFooter_ && !inStart_ && lineNo_ >= bodyLines_) breakPending_ = true;
}

void PrintRun::blankLines(double count) {
    for (int i = 0; i < count; ++i) newLine();
}

void PrintRun::attributes(int style, bool on) {
    if (style <= 0) return;
    const std::string& flags = layout_.text(style);
    for (int position = 0; position < 4; ++position) {
        if (static_cast<size_t>(position) >= flags.size() || flags[position] != 'x') continue;
        if (job_.mode == OutMode::printer)
            sink_.setAttribute(position, on);
        else if (const std::string codes = escapeCodes(job_.mode, position, on); !codes.empty())
            sink_.putText(codes);
    }
}

void PrintRun::startPage() {
    const int page = ++pageNo_;
    lineNo_ = 0;
    breakPending_ = false;
    inStart_ = true;
    if (layout_.flag(layout_flag::kTop) != 0) blankLines(vertical(layout_text::kTop));
    if (format_ != kFormatLabel && layout_.flag(layout_flag::kHeader) != 0) {
        headerLine(layout_.text(layout_text::kHeaderText), layout_text::kHeaderStyle, kCentre);
        blankLines(vertical(layout_text::kHeaderSpacing));
    }
    inStart_ = false;
    // Notes may fill pages of their own; the page they end on has had its column header.
    if (page == 1 && layout_.flag(layout_flag::kNotes) != 0 && !document_.notes.empty())
        printNotes();
    if (pageNo_ != page || format_ == kFormatFormReport || format_ == kFormatLabel) return;
    if (layout_.flag(layout_flag::kColumnHeader) == 0) return;
    inStart_ = true;
    columnHeaderLine();
    blankLines(vertical(layout_text::kColumnHeaderSpacing));
    inStart_ = false;
}

void PrintRun::endPage() {
    inFooter_ = true;
    while (bodyLines_ != 0 && lineNo_ < bodyLines_) newLine();
    if (format_ != kFormatLabel && layout_.flag(layout_flag::kFooter) != 0) {
        blankLines(vertical(layout_text::kFooterSpacing));
        headerLine(layout_.text(layout_text::kFooterText), layout_text::kFooterStyle, kCentre);
    }
    if (layout_.flag(layout_flag::kBottom) != 0) blankLines(vertical(layout_text::kBottom));
    inFooter_ = false;
    breakPending_ = false;
}

void PrintRun::finish() {
    finalPage_ = true;
    endPage();
    finalPage_ = false;
}

// Header, footer and notes lines: the left margin, placeholders, and the text aligned over the
// printed width. Proportional fonts cannot be padded: the line starts where padding would end.
void PrintRun::headerLine(const std::string& text, int style, int code) {
    const int margin = horizontal(layout_text::kLeft);
    put(std::string(static_cast<size_t>(margin), ' '));
    const std::string expanded = expandPlaceholders(text, pageNo_, document_.fileName, job_.now);
    std::string aligned = PrintEngine::align(expanded, lineWidth_, code);
    if (job_.proportional && lineWidth_ > 0) {
        const size_t indent = std::min(aligned.find_first_not_of(' '), aligned.size());
        aligned = PrintEngine::align(expanded, lineWidth_, kLeft);
        aligned.erase(aligned.find_last_not_of(' ') + 1);
        sink_.moveToColumn(margin + static_cast<double>(indent) * 3 / 2);
    }
    attributes(style, true);
    put(aligned);
    newLine();
    attributes(style, false);
}

void PrintRun::printNotes() {
    for (const std::string& line : notesLines(document_.notes, lineWidth_))
        headerLine(line, 0, kLeft);
    newLine();
}

}  // namespace talvex
