// The tape's lines as each format prints them: cells aligned in their print widths, dividers,
// form-report records and labels.
#include <algorithm>
#include <cctype>

#include "documents/TapeDocument.h"
#include "engine/Engine.h"
#include "engine/LineCodes.h"
#include "printing/PrintRun.h"

namespace talvex {

namespace {

constexpr int kRight = 2;
constexpr int kNoStyle = 0;

std::string lowerCase(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

std::string blanks(int count) {
    return std::string(static_cast<size_t>(std::max(0, count)), ' ');
}

}  // namespace

bool PrintRun::printed(int col) const {
    return document_.columns.column(col).printWidth > 0;
}

// Cells hold their text as the tape shows it, dates included, so it prints as it stands.
std::string PrintRun::cellText(int row, int col) const {
    return std::string(engine_.cell(row, col));
}

int PrintRun::linePrefix(int row, int style, bool numbered) {
    const int margin = horizontal(layout_text::kLeft);
    put(blanks(margin));
    int length = margin;
    if (printed(kLineNumberColumn)) {
        const int width = document_.lineNumberWidth;
        const std::string number = numbered ? std::to_string(row) : std::string();
        attributes(style == layout_text::kColumnHeaderStyle ? style : kNoStyle, true);
        put(PrintEngine::align(number, width, kRight));
        attributes(style == layout_text::kColumnHeaderStyle ? style : kNoStyle, false);
        length += std::max(0, width);
    }
    const int gap = horizontal(layout_text::kLineNo);
    put(blanks(gap));
    return length + gap;
}

int PrintRun::cellStyle(int row, int col, int style) const {
    const ColumnRoles& roles = engine_.layout().roles;
    const bool description = col == roles.description;
    const bool amount = col == roles.amount;
    switch (style) {
        case layout_text::kColumnHeaderStyle:
            return style;
        case layout_text::kClearStyle:
        case layout_text::kClearDividerStyle:
            return description ? style : kNoStyle;
        case layout_text::kSubtotalStyle:
        case layout_text::kTotalStyle:
            if (description || amount) return style;
            break;
        case layout_text::kSubtotalDividerStyle:
        case layout_text::kTotalDividerStyle:
            return amount ? style : kNoStyle;
        default:
            break;
    }
    if (layout_.flag(layout_flag::kReferences) == 0 || !usesReference(engine_.cell(row, roles.op)))
        return kNoStyle;
    const bool referenceEmpty = engine_.cell(row, roles.reference).empty();
    if ((col == roles.op && referenceEmpty) || (col == roles.reference && !referenceEmpty))
        return layout_text::kReferenceStyle;
    return kNoStyle;
}

// Proportional fonts: the cells before the amount start at their own columns, unpadded; from
// the amount on the fixed-pitch font keeps figures under each other.
void PrintRun::printCells(int row, int style, const std::vector<std::string>& texts,
                          bool numbered) {
    double position = linePrefix(row, style, numbered);
    const int amountColumn = engine_.layout().roles.amount;
    bool first = true;
    bool fixed = !job_.proportional;
    for (int col = ColumnSet::kFirstColumn; col <= document_.columns.colCount(); ++col) {
        if (!printed(col)) continue;
        const Column& column = document_.columns.column(col);
        if (!first && fixed) put(" ");
        if (!fixed && col == amountColumn) {
            sink_.moveToColumn(position);
            sink_.setFixedPitch(true);
            fixed = true;
        }
        const std::string& text = texts[static_cast<size_t>(col)];
        const int cellAttributes = cellStyle(row, col, style);
        attributes(cellAttributes, true);
        if (fixed) {
            put(PrintEngine::align(text, column.printWidth, static_cast<int>(column.alignment)));
        } else {
            sink_.moveToColumn(position);
            put(text);
            position += column.printWidth * 3.0 / 2;
        }
        attributes(cellAttributes, false);
        first = false;
    }
    if (job_.proportional && fixed) sink_.setFixedPitch(false);
    newLine();
}

void PrintRun::printLine(int row, int style) {
    std::vector<std::string> texts(static_cast<size_t>(document_.columns.colCount()) + 1);
    for (int col = ColumnSet::kFirstColumn; col <= document_.columns.colCount(); ++col)
        texts[static_cast<size_t>(col)] = cellText(row, col);
    printCells(row, style, texts, true);
}

void PrintRun::divider(int row, int column, char character, int style) {
    std::vector<std::string> texts(static_cast<size_t>(document_.columns.colCount()) + 1);
    if (column >= ColumnSet::kFirstColumn && column <= document_.columns.colCount())
        texts[static_cast<size_t>(column)] =
            std::string(engine_.cell(row, column).size(), character);
    printCells(row, style, texts, false);
}

void PrintRun::columnHeaderLine() {
    std::vector<std::string> texts(static_cast<size_t>(document_.columns.colCount()) + 1);
    for (int col = ColumnSet::kFirstColumn; col <= document_.columns.colCount(); ++col)
        texts[static_cast<size_t>(col)] = document_.columns.column(col).caption;
    printCells(0, layout_text::kColumnHeaderStyle, texts, false);
}

void PrintRun::printTapeLine(int row) {
    const ColumnRoles& roles = engine_.layout().roles;
    const std::string_view code = baseCode(engine_.cell(row, roles.op));
    const bool totalDividers = layout_.flag(layout_flag::kTotalDividers) != 0;
    if (code == op::kSubtotal) {
        if (layout_.flag(layout_flag::kSubtotalLines) == 0) return;
        if (layout_.flag(layout_flag::kSubtotalDividers) != 0)
            divider(row, roles.amount, '-', layout_text::kSubtotalDividerStyle);
        printLine(row, layout_text::kSubtotalStyle);
    } else if (code == op::kTotal || code == op::kStarTotal || code == op::kGroupsTotal ||
               code == op::kGrandTotal) {
        if (layout_.flag(layout_flag::kTotalLines) == 0) return;
        const char above = code == op::kGrandTotal ? '=' : '-';
        if (totalDividers) divider(row, roles.amount, above, layout_text::kTotalDividerStyle);
        printLine(row, layout_text::kTotalStyle);
        if (totalDividers) divider(row, roles.amount, '=', layout_text::kTotalDividerStyle);
    } else if (code == op::kClear) {
        if (layout_.flag(layout_flag::kClearLines) == 0) return;
        printLine(row, layout_text::kClearStyle);
        if (layout_.flag(layout_flag::kClearDividers) != 0)
            divider(row, roles.description, ' ', layout_text::kClearDividerStyle);
    } else if (code != op::kBlank || layout_.flag(layout_flag::kBlankLines) != 0) {
        printLine(row, kNoStyle);
    }
}

void PrintRun::printFormRecord(int row, bool last) {
    size_t captionWidth = 0;
    for (int col = ColumnSet::kFirstColumn; col <= document_.columns.colCount(); ++col)
        if (printed(col))
            captionWidth = std::max(captionWidth, document_.columns.column(col).caption.size());
    const bool blanksToo = layout_.flag(layout_flag::kBlankLines) != 0;
    const bool captions = layout_.flag(layout_flag::kColumnHeader) != 0;
    bool numbered = true;
    for (int col = ColumnSet::kFirstColumn; col <= document_.columns.colCount(); ++col) {
        const std::string text = cellText(row, col);
        if (!printed(col) || (text.empty() && !blanksToo)) continue;
        linePrefix(row, kNoStyle, numbered);
        numbered = false;
        if (captions) {
            attributes(layout_text::kColumnHeaderStyle, true);
            put(PrintEngine::align(document_.columns.column(col).caption + ":",
                                   static_cast<int>(captionWidth) + 1, kRight));
            attributes(layout_text::kColumnHeaderStyle, false);
        }
        put(blanks(horizontal(layout_text::kColumnHeaderSpacing)));
        put(text);
        newLine();
    }
    if (!last) newLine();
}

// City, state and zip share one line, written when the zip column comes.
void PrintRun::printLabel(int row) {
    const std::string margin = blanks(horizontal(layout_text::kLeft));
    std::string city, state;
    for (int col = ColumnSet::kFirstColumn; col <= document_.columns.colCount(); ++col) {
        if (!printed(col)) continue;
        const std::string caption = lowerCase(document_.columns.column(col).caption);
        const std::string text = cellText(row, col);
        if (caption == "city") {
            city = text;
        } else if (caption == "state") {
            state = text;
        } else if (caption == "zip") {
            put(margin + city + ", " + state + "  " + text);
            newLine();
        } else if (!text.empty()) {
            put(margin + text);
            newLine();
        }
    }
}

}  // namespace talvex
