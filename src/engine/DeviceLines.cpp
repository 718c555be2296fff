// What a device add-in does through the engine: texts on the display and the status bar, and
// lines whose figures come from outside the keypad (a phone service's transactions).
#include "engine/Engine.h"
#include "engine/LineCodes.h"
#include "engine/Text.h"

namespace talvex {

void Engine::showDisplayValue(const std::string& value) {
    state_.regs.displayValue = value;
    updateLCD();
}

void Engine::setDisplayStyle(int colourIndex) {
    if (colourIndex < 0)
        setLCDColor();
    else
        view_.setDisplayColour(colourIndex);
}

void Engine::clearEntryAfterCall() {
    state_.entry.entryText = "0";
    state_.regs.displayValue = "0";
    state_.entry.entryOp.clear();
    state_.entry.operatorLast = true;
    updateLCD();
}

// The calculator's own columns (amount, code, reference) are the engine's to write: a text
// from outside never replaces them, or the tape would no longer add up. Transactions go to the
// end of the tape, never over a line the cursor happens to stand on.
bool Engine::writeTransaction(std::string_view code, double amount,
                              const std::vector<std::pair<int, std::string>>& cells) {
    ChangeGroup group(*this);
    if (!numberFits(amount)) return false;
    if (state_.curRow != state_.lastRow) selectRow(state_.lastRow);
    const bool total = code == op::kTotal;
    if ((total || code == op::kSubtotal) && state_.curRow == 2 && state_.lastRow == 2 &&
        baseCode(opAt(1)) == op::kClear) {
        selectRow(1);
        deleteLines();
        selectRow(state_.lastRow);
    }
    state_.regs.pendingMode = pending::kNone;
    state_.regs.accumulator = amount;
    state_.regs.operand = 1.0;
    state_.entry.entryText = formatNumber(amount);
    state_.regs.rawEntry = state_.entry.entryText;
    state_.entry.entryOp = std::string(code);
    state_.regs.displayValue = state_.entry.entryText;
    const int row = state_.curRow;
    if (!updateGrid()) return false;
    if (state_.tapeOn) {
        for (const auto& [col, text] : cells) {
            const bool calculatorColumn = col == layout_.roles.amount || col == layout_.roles.op ||
                                          col == layout_.roles.reference;
            if (col < 2 || col > layout_.colCount || calculatorColumn) continue;
            table_.setCell(row, col, text);
        }
        view_.rowsChanged(row, row);
    }
    if (total) {
        state_.regs.accumulator = 0.0;
        state_.entry.entryOp.clear();
        if (!updateGrid()) return false;
    }
    state_.entry.operatorLast = true;
    updateLCD();
    return true;
}

// A link is not part of the calculation: setting one changes the file, not the tape's figures.
void Engine::setLineLink(int row, const std::string& address) {
    ChangeGroup group(*this);
    if (row < 1 || row >= state_.lastRow || !state_.tapeOn) return;
    table_.setCell(row, layout_.colCount + 1, cellText(address));
    state_.modified = true;
    view_.rowsChanged(row, row);
}

int Engine::writeEmptyLine() {
    ChangeGroup group(*this);
    if (!state_.tapeOn || state_.curRow != state_.lastRow || !hasRoomFor(1)) return 0;
    state_.entry.entryText.clear();
    state_.regs.rawEntry.clear();
    state_.entry.entryOp.clear();
    const int row = state_.curRow;
    if (!updateGrid()) return 0;
    selectRow(row);
    return row;
}

void Engine::describeEmptyLine(int row, const std::string& text) {
    ChangeGroup group(*this);
    const int col = layout_.roles.description;
    if (row < 1 || row >= state_.lastRow || !ColumnRoles::present(col)) return;
    if (!cell(row, col).empty()) return;
    table_.setCell(row, col, cellText(text));
    state_.modified = true;
    view_.rowsChanged(row, row);
}

}  // namespace talvex
