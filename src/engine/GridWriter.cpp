// UpdateGrid, the single writer of tape lines, with the automatic labels and item counts it
// writes beside totals.
#include "engine/Engine.h"
#include "engine/LineCodes.h"
#include "engine/Text.h"

namespace talvex {

namespace {

constexpr std::string_view kTableFull = "Table full";
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
    regs_.rawEntry = format_.exact(v);
    return format_.format(v);
}

bool Engine::updateGrid() {
    if (curRow_ >= maxRows_) {
        refuse(kTableFull);
        return false;
    }
    prepareRowForWrite();
    const bool rewriting = curRow_ < lastRow_;
    const std::string oldCode = opAt(curRow_);
    const std::string oldRef = cell(curRow_, roles_.reference);
    writeAmountCell();
    writeAutoTexts();
    writeRegisterRecord();
    if (ColumnRoles::present(roles_.op)) table_.setCell(curRow_, roles_.op, entry_.entryOp);
    if (ColumnRoles::present(roles_.reference))
        table_.setCell(curRow_, roles_.reference, regs_.lineRef);
    maintainLinks(oldCode, oldRef);
    if (!regs_.lineRef.empty()) keepSourceCurrent(curRow_);
    modified_ = true;
    view_.rowsChanged(curRow_, curRow_);
    if (rewriting) fixTrailerAfterRewrite(oldCode);
    advanceRow();
    return true;
}

// Whole numbers always show a trailing separator on the tape ("12" is written "12.");
// a fraction under "x", "/" or "=" keeps the text it was keyed as.
void Engine::writeAmountCell() {
    if (!ColumnRoles::present(roles_.amount)) return;
    std::string amount;
    const std::string_view code = baseCode(entry_.entryOp);
    const bool keepsFraction = code == op::kMultiply || code == op::kDivide || code == op::kEquals;
    if (entry_.entryOp.empty()) {
        amount.clear();
    } else if (keepsFraction && regs_.rawEntry.find(' ') != std::string::npos) {
        amount = regs_.rawEntry;
    } else {
        amount = entry_.entryText;
        if (amount.find(format_.decSep()) == std::string::npos && endsInDigit(amount))
            amount += format_.decSep();
    }
    table_.setCell(curRow_, roles_.amount, std::move(amount));
}

void Engine::writeAutoTexts() {
    const std::string_view code = baseCode(entry_.entryOp);
    const int label = roles_.description;
    if (code == op::kSubtotal) {
        if (settings_.autoSubtotalText) setAutoText(label, kSubtotalLabel);
        setAutoCount(regs_.itemCount);
    } else if (code == op::kTotal) {
        if (settings_.autoTotalText) setAutoText(label, kTotalLabel);
        setAutoCount(regs_.itemCount);
    } else if (code == op::kStarTotal) {
        if (settings_.autoTotalText) setAutoText(label, kStarTotalLabel);
    } else if (code == op::kGroupsTotal) {
        if (ColumnRoles::present(label))
            table_.setCell(curRow_, label, std::string(kGroupsTotalLabel));
        setAutoCount(regs_.groupCount);
    } else if (code == op::kGrandTotal) {
        if (settings_.autoTotalText) setAutoText(label, kGrandTotalLabel);
        setAutoCount(regs_.groupCount);
    } else {
        addins_.event(addin_event::kAutoText);
    }
}

void Engine::setAutoText(int col, std::string_view text) {
    if (ColumnRoles::present(col) && cell(curRow_, col).empty())
        table_.setCell(curRow_, col, std::string(text));
}

// A count cell that is empty or starts with the prefix is the calculator's own; any other
// text was typed by the user and stays.
void Engine::setAutoCount(int count) {
    const int col = roles_.itemCount;
    if (!ColumnRoles::present(col)) return;
    std::string text = trimmed(cell(curRow_, col));
    const std::string& prefix = settings_.countPrefix;
    const bool automatic = text.empty() || prefix.empty() || text.starts_with(prefix);
    if (settings_.countsOn) {
        if (automatic) text = prefix + std::to_string(count);
    } else if (text.starts_with(prefix)) {
        text.clear();
    }
    table_.setCell(curRow_, col, std::move(text));
}

void Engine::writeRegisterRecord() {
    std::string record = makeRegisterRecord(regs_, format_);
    addins_.saveToLine(record);
    table_.setCell(curRow_, kRegisterColumn, std::move(record));
}

// The open row always carries the registers of the last line, so that reading the registers
// of the open row is valid.
void Engine::copyRecordDown(int row) {
    table_.setCell(row, kRegisterColumn, cell(row - 1, kRegisterColumn));
}

void Engine::advanceRow() {
    ++curRow_;
    if (curRow_ == lastRow_) {
        copyRecordDown(lastRow_);
    } else if (curRow_ > lastRow_) {
        lastRow_ = curRow_;
        writeLineNumber(lastRow_);
        copyRecordDown(lastRow_);
        view_.rowCountChanged(lastRow_);
        view_.currentRowChanged(lastRow_);
    }
}

std::string Engine::lineNumberText(int row) const {
    const int number = row - hiddenRows_;
    return number == 0 ? std::string() : std::to_string(number);
}

void Engine::writeLineNumber(int row) {
    table_.setCell(row, kLineNumberColumn, lineNumberText(row));
}

}  // namespace talvex
