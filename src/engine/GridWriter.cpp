// UpdateGrid, the single writer of tape lines, with the automatic labels and item counts it
// writes beside totals.
#include "engine/Engine.h"
#include "engine/LineCodes.h"
#include "engine/TableFull.h"
#include "engine/Text.h"

namespace talvex {

namespace {

constexpr std::string_view kSubtotalLabel = "Subtotal";
constexpr std::string_view kTotalLabel = "TOTAL";
constexpr std::string_view kStarTotalLabel = "* TOTAL";
constexpr std::string_view kGroupsTotalLabel = "Groups Total";
constexpr std::string_view kGrandTotalLabel = "GRAND TOTAL";

bool endsInDigit(const std::string& text) {
    return !text.empty() && text.back() >= '0' && text.back() <= '9';
}

}  // namespace

std::string Engine::formatNumber(double v) {
    state_.regs.rawEntry = format_.exact(v);
    return format_.format(v);
}

bool Engine::updateGrid() {
    if (state_.curRow >= layout_.maxRows) {
        refuse(kTableFull);
        return false;
    }
    prepareRowForWrite();
    const bool rewriting = state_.curRow < state_.lastRow;
    const std::string oldCode(opAt(state_.curRow));
    const std::string oldRef(cell(state_.curRow, layout_.roles.reference));
    writeAmountCell();
    writeAutoTexts();
    writeRegisterRecord();
    if (ColumnRoles::present(layout_.roles.op))
        table_.setCell(state_.curRow, layout_.roles.op, state_.entry.entryOp);
    if (ColumnRoles::present(layout_.roles.reference))
        table_.setCell(state_.curRow, layout_.roles.reference, state_.regs.lineRef);
    references_.moveLink(oldCode, oldRef, state_.entry.entryOp, state_.regs.lineRef);
    if (const int lost = references_.sourceOverwritten(oldCode, oldRef, state_.entry.entryOp,
                                                       state_.regs.lineRef))
        takeSlotFromTape(lost, state_.curRow);
    if (!state_.regs.lineRef.empty()) keepSourceCurrent(state_.curRow);
    state_.modified = true;
    view_.rowsChanged(state_.curRow, state_.curRow);
    if (rewriting) fixTrailerAfterRewrite(oldCode);
    advanceRow();
    return true;
}

// Whole numbers always show a trailing separator on the tape ("12" is written "12.");
// a fraction under "x", "/" or "=" keeps the text it was keyed as.
void Engine::writeAmountCell() {
    if (!ColumnRoles::present(layout_.roles.amount)) return;
    std::string amount;
    const std::string_view code = baseCode(state_.entry.entryOp);
    const bool keepsFraction = code == op::kMultiply || code == op::kDivide || code == op::kEquals;
    if (state_.entry.entryOp.empty()) {
        amount.clear();
    } else if (keepsFraction && state_.regs.rawEntry.find(' ') != std::string::npos) {
        amount = state_.regs.rawEntry;
    } else {
        amount = state_.entry.entryText;
        if (amount.find(format_.decSep()) == std::string::npos && endsInDigit(amount))
            amount += format_.decSep();
    }
    table_.setCell(state_.curRow, layout_.roles.amount, std::move(amount));
}

void Engine::writeAutoTexts() {
    const std::string_view code = baseCode(state_.entry.entryOp);
    const int label = layout_.roles.description;
    if (code == op::kSubtotal) {
        if (settings_.autoSubtotalText) setAutoText(label, kSubtotalLabel);
        setAutoCount(state_.regs.itemCount);
    } else if (code == op::kTotal) {
        if (settings_.autoTotalText) setAutoText(label, kTotalLabel);
        setAutoCount(state_.regs.itemCount);
    } else if (code == op::kStarTotal) {
        if (settings_.autoTotalText) setAutoText(label, kStarTotalLabel);
    } else if (code == op::kGroupsTotal) {
        if (ColumnRoles::present(label))
            table_.setCell(state_.curRow, label, std::string(kGroupsTotalLabel));
        setAutoCount(state_.regs.groupCount);
    } else if (code == op::kGrandTotal) {
        if (settings_.autoTotalText) setAutoText(label, kGrandTotalLabel);
        setAutoCount(state_.regs.groupCount);
    } else {
        addins_.event(addin_event::kAutoText);
    }
}

void Engine::setAutoText(int col, std::string_view text) {
    if (ColumnRoles::present(col) && cell(state_.curRow, col).empty())
        table_.setCell(state_.curRow, col, std::string(text));
}

// A count cell that is empty or starts with the prefix is the calculator's own; any other
// text was typed by the user and stays.
void Engine::setAutoCount(int count) {
    const int col = layout_.roles.itemCount;
    if (!ColumnRoles::present(col)) return;
    std::string text = trimmed(cell(state_.curRow, col));
    const std::string& prefix = settings_.countPrefix;
    const bool automatic = text.empty() || prefix.empty() || text.starts_with(prefix);
    if (settings_.countsOn) {
        if (automatic) text = prefix + std::to_string(count);
    } else if (text.starts_with(prefix)) {
        text.clear();
    }
    table_.setCell(state_.curRow, col, std::move(text));
}

void Engine::writeRegisterRecord() {
    std::string record = makeRegisterRecord(state_.regs, format_);
    addins_.saveToLine(record);
    table_.setCell(state_.curRow, kRegisterColumn, std::move(record));
}

// The open row always carries the registers of the last line, so that reading the registers
// of the open row is valid.
void Engine::copyRecordDown(int row) {
    table_.setCell(row, kRegisterColumn, cell(row - 1, kRegisterColumn));
}

void Engine::advanceRow() {
    ++state_.curRow;
    if (state_.curRow == state_.lastRow) {
        copyRecordDown(state_.lastRow);
    } else if (state_.curRow > state_.lastRow) {
        state_.lastRow = state_.curRow;
        writeLineNumber(state_.lastRow);
        copyRecordDown(state_.lastRow);
        view_.rowCountChanged(state_.lastRow);
        view_.currentRowChanged(state_.lastRow);
    }
}

std::string Engine::lineNumberText(int row) const {
    return talvex::lineNumberText(row, layout_.hiddenRows);
}

std::string lineNumberText(int row, int hiddenRows) {
    const int number = row - hiddenRows;
    return number == 0 ? std::string() : std::to_string(number);
}

void Engine::writeLineNumber(int row) {
    table_.setCell(row, kLineNumberColumn, lineNumberText(row));
}

}  // namespace talvex
