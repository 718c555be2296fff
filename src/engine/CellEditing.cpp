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

// Moving away from an overtyped amount ends the edit with the line's own operator.
bool Engine::finishPendingEdit() {
    const int code = replayKey(state_.curRow);
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
    ChangeGroup group(*this);
    if (row < 1 || row > state_.lastRow) return false;
    if (amountEditPending_ && row != state_.curRow && !finishPendingEdit()) return false;
    // Figures keyed on the open row wait for their operator; moving away would lose them.
    if (state_.tapeOn && row != state_.curRow && state_.curRow == state_.lastRow &&
        state_.entry.entryStarted && !picking()) {
        statusError(std::string(kPressValidOperator));
        return false;
    }
    if (state_.tapeOn) editMode_ = true;
    selectRow(row);
    if (!picking()) {
        state_.entry.entryText.clear();
        state_.entry.entryStarted = false;
    }
    return true;
}

bool Engine::editAmount(std::string_view text) {
    ChangeGroup group(*this);
    if (!state_.tapeOn) {
        table_.setCell(state_.curRow, layout_.roles.amount, cellText(text));
        state_.modified = true;
        view_.rowsChanged(state_.curRow, state_.curRow);
        return true;
    }
    // Only what the keys could have entered reaches the entry and the register record.
    const auto keyable = keyableAmount(text, format_.symbols());
    if (!keyable) {
        statusError(std::string(kNotAnAmount));
        return false;
    }
    const std::string& clean = *keyable;
    state_.entry.entryText = clean;
    state_.entry.entryStarted = true;
    state_.entry.operatorLast = false;
    state_.entry.entryOp.clear();
    state_.entry.decimalAllowed = clean.find(format_.decSep()) == std::string::npos;
    state_.entry.fractionState = clean.find(' ') == std::string::npos ? 0 : 2;
    state_.regs.displayValue = clean;
    amountEditPending_ = true;
    updateLCD();
    return true;
}

void Engine::editDescription(std::string_view text) {
    atomically([this, text] { describeLine(text); });
}

void Engine::describeLine(std::string_view text) {
    if (!ColumnRoles::present(layout_.roles.description)) return;
    table_.setCell(state_.curRow, layout_.roles.description, cellText(text));
    state_.modified = true;
    view_.rowsChanged(state_.curRow, state_.curRow);
    if (!state_.tapeOn || state_.curRow >= state_.lastRow) return;
    // Descriptions decide the groups, so group totals follow a changed description.
    for (int row = state_.curRow; row < state_.lastRow; ++row) {
        if (isGroupLine(opAt(row))) {
            recalculate(state_.curRow);
            return;
        }
    }
}

bool Engine::cellEditable(int col) const {
    if (col < 2 || col > layout_.colCount) return false;
    if (!state_.tapeOn || col == layout_.roles.amount || col == layout_.roles.description)
        return true;
    return col != layout_.roles.itemCount && col != layout_.roles.type13 &&
           col != layout_.roles.op && col != layout_.roles.reference;
}

void Engine::copyCell(int col) {
    std::string link;
    if (col == layout_.roles.amount) {
        const int n = slotNumber(cell(state_.curRow, layout_.roles.reference));
        if (n > 0) link = std::string(kLinkPrefix) + "Ref(" + std::to_string(n) + ")";
    }
    clipboard_->setText(std::string(cell(state_.curRow, col)), link);
}

void Engine::copyDisplay() {
    clipboard_->setText(lcdText(), std::string(kLinkPrefix) + "Display");
}

void Engine::cutCell(int col) {
    ChangeGroup group(*this);
    copyCell(col);
    editCell(col, {});
}

void Engine::pasteCell(int col) {
    ChangeGroup group(*this);
    editCell(col, clipboard_->text());
}

bool Engine::editCell(int col, std::string_view text) {
    ChangeGroup group(*this);
    if (!cellEditable(col)) return false;
    const std::string clean = cellText(text);
    if (col == layout_.roles.amount) {
        return editAmount(clean);
    } else if (col == layout_.roles.description) {
        editDescription(clean);
    } else {
        table_.setCell(state_.curRow, col, clean);
        state_.modified = true;
        view_.rowsChanged(state_.curRow, state_.curRow);
    }
    return true;
}

}  // namespace talvex
