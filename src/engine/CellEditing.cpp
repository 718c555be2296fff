// What the user types, cuts and pastes into the cells of the grid, and selecting lines.
#include "engine/AmountText.h"
#include "engine/Engine.h"
#include "engine/LineCodes.h"
#include "engine/Text.h"

namespace talvex {

namespace {

constexpr std::string_view kPressValidOperator =
    "Press valid operator (+,-,*,/, etc) to terminate edit";
constexpr std::string_view kLinkPrefix = "Talvex|Vantp!";
constexpr std::string_view kNotAnAmount =
    "An amount holds only digits, the decimal point, a fraction or R and a Reference";

}  // namespace

// A cell is one field of a tape file: TAB, CR and LF would split it, and a NUL byte would make
// the saved file binary.
std::string Engine::cellText(std::string_view text) {
    std::string clean;
    clean.reserve(text.size());
    for (const char c : text) {
        if (c == '\0') continue;
        clean += c == '\t' || c == '\r' || c == '\n' ? ' ' : c;
    }
    return clean;
}

// Moving away from an overtyped amount ends the edit with the line's own operator.
bool Engine::finishPendingEdit() {
    const int code = keyToCode(curRow_);
    if (code < 0) {
        statusError(std::string(kPressValidOperator));
        return false;
    }
    // A refused edit keeps the cursor in the cell, with the typed figures still pending.
    if (!keyFront(code)) return false;
    amountEditPending_ = false;
    return true;
}

bool Engine::clickRow(int row) {
    if (row < 1 || row > lastRow_) return false;
    if (amountEditPending_ && row != curRow_ && !finishPendingEdit()) return false;
    // Figures keyed on the open row wait for their operator; moving away would lose them.
    if (tapeOn_ && row != curRow_ && curRow_ == lastRow_ && entry_.entryStarted && !picking()) {
        statusError(std::string(kPressValidOperator));
        return false;
    }
    if (tapeOn_) editMode_ = true;
    selectRow(row);
    if (!picking()) {
        entry_.entryText.clear();
        entry_.entryStarted = false;
    }
    return true;
}

bool Engine::editAmount(std::string_view text) {
    if (!tapeOn_) {
        table_.setCell(curRow_, roles_.amount, cellText(text));
        modified_ = true;
        view_.rowsChanged(curRow_, curRow_);
        return true;
    }
    // Only what the keys could have entered reaches the entry and the register record.
    const auto keyable = keyableAmount(text, format_.symbols());
    if (!keyable) {
        statusError(std::string(kNotAnAmount));
        return false;
    }
    const std::string& clean = *keyable;
    entry_.entryText = clean;
    entry_.entryStarted = true;
    entry_.operatorLast = false;
    entry_.entryOp.clear();
    entry_.decimalAllowed = clean.find(format_.decSep()) == std::string::npos;
    entry_.fractionState = clean.find(' ') == std::string::npos ? 0 : 2;
    regs_.displayValue = clean;
    amountEditPending_ = true;
    updateLCD();
    return true;
}

void Engine::editDescription(std::string_view text) {
    atomically([this, text] { describeLine(text); });
}

void Engine::describeLine(std::string_view text) {
    if (!ColumnRoles::present(roles_.description)) return;
    table_.setCell(curRow_, roles_.description, cellText(text));
    modified_ = true;
    view_.rowsChanged(curRow_, curRow_);
    if (!tapeOn_ || curRow_ >= lastRow_) return;
    // Descriptions decide the groups, so group totals follow a changed description.
    for (int row = curRow_; row < lastRow_; ++row) {
        if (isGroupLine(opAt(row))) {
            recalculate(curRow_);
            return;
        }
    }
}

bool Engine::cellEditable(int col) const {
    if (col < 2 || col > colCount_) return false;
    if (!tapeOn_ || col == roles_.amount || col == roles_.description) return true;
    return col != roles_.itemCount && col != roles_.type13 && col != roles_.op &&
           col != roles_.reference;
}

void Engine::copyCell(int col) {
    std::string link;
    if (col == roles_.amount) {
        const int n = slotNumber(cell(curRow_, roles_.reference));
        if (n > 0) link = std::string(kLinkPrefix) + "Ref(" + std::to_string(n) + ")";
    }
    clipboard_->setText(cell(curRow_, col), link);
}

void Engine::copyDisplay() {
    clipboard_->setText(lcdText(), std::string(kLinkPrefix) + "Display");
}

void Engine::cutCell(int col) {
    copyCell(col);
    editCell(col, {});
}

void Engine::pasteCell(int col) {
    editCell(col, clipboard_->text());
}

bool Engine::editCell(int col, std::string_view text) {
    if (!cellEditable(col)) return false;
    const std::string clean = cellText(text);
    if (col == roles_.amount) {
        return editAmount(clean);
    } else if (col == roles_.description) {
        editDescription(clean);
    } else {
        table_.setCell(curRow_, col, clean);
        modified_ = true;
        view_.rowsChanged(curRow_, curRow_);
    }
    return true;
}

int Engine::columnWidth(int col) const {
    return col >= 0 && static_cast<size_t>(col) < columnWidths_.size()
               ? columnWidths_[static_cast<size_t>(col)]
               : 0;
}

void Engine::setColumnWidth(int col, int width) {
    if (col < 0) return;
    if (static_cast<size_t>(col) >= columnWidths_.size())
        columnWidths_.resize(static_cast<size_t>(col) + 1);
    columnWidths_[static_cast<size_t>(col)] = width;
}

}  // namespace talvex
