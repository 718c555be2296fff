// The add-in function key, and the steps an add-in takes through the engine while it handles
// it: an add-in line is an ordinary tape line, written by the same writer as every other.
#include "engine/Engine.h"
#include "engine/KeyCodes.h"
#include "engine/LineCodes.h"
#include "engine/Text.h"

namespace talvex {

bool Engine::keyAddin(std::string_view letter) {
    ChangeGroup group(*this);
    if (busy_) return false;
    state_.entry.entryOp = std::string(letter);
    return keyFront(key::kAddinFunction);
}

// The number keyed for a parameter key, or the one a reference or the line above gives.
// "360" and "360." are one value; a line replayed from its record ("360.") must give the text it
// was keyed with.
std::string Engine::addinEntry() {
    getCurEntry();
    std::string& text = state_.entry.entryText;
    if (text.size() > 1 && text.back() == format_.decSep() && text.find(' ') == std::string::npos)
        text.pop_back();
    return text;
}

// A function's definition stands apart from the figures around it: after its end line the
// calculator goes on with the registers it had before the definition began.
void Engine::takePendingRegistersOf(int row) {
    ChangeGroup group(*this);
    Registers regs;
    if (row >= 1 && row <= state_.lastRow)
        readRegisterRecord(cell(row, kRegisterColumn), recordLayout_, format_, regs);
    state_.regs.accumulator = regs.accumulator;
    state_.regs.itemCount = regs.itemCount;
    state_.regs.operand = regs.operand;
    state_.regs.pendingMode = regs.pendingMode;
}

void Engine::writeAddinLine(std::string_view code, double value) {
    ChangeGroup group(*this);
    if (!numberFits(value)) return;
    state_.entry.entryText = formatNumber(value);
    writeAddinEntry(code);
}

void Engine::writeAddinLine(std::string_view code, double value, const std::string& keyed) {
    ChangeGroup group(*this);
    if (!numberFits(value)) return;
    state_.entry.entryText = formatNumber(value);
    state_.regs.rawEntry = keyed;
    writeAddinEntry(code);
}

void Engine::writeAddinKeyed(std::string_view code, const std::string& keyed) {
    ChangeGroup group(*this);
    state_.entry.entryText = keyed;
    state_.regs.rawEntry = keyed;
    writeAddinEntry(code);
}

void Engine::writeAddinTaken(std::string_view code, double value) {
    if (!numberFits(value)) return;
    state_.entry.entryText = formatNumber(value);
    state_.regs.rawEntry.clear();
    writeAddinEntry(code);
}

// A result line is followed by a blank line when the result-line option asks for one; then the
// engine stands as after any operator.
void Engine::writeAddinEntry(std::string_view code) {
    // A parameter that took a reference keeps the blank that marks it.
    const bool referenced =
        usesReference(state_.entry.entryOp) && baseCode(state_.entry.entryOp) == baseCode(code);
    state_.entry.entryOp = std::string(code) + (referenced && !usesReference(code) ? " " : "");
    state_.regs.displayValue = state_.entry.entryText;
    if (!updateGrid()) return;
    if (hasTrailer(code, settings_.starLine, settings_.resultLine, addins_) &&
        baseCode(code) != op::kStar) {
        const std::string written = state_.entry.entryOp;
        state_.regs.lineRef.clear();
        state_.entry.entryOp.clear();
        updateGrid();
        state_.entry.entryOp = written;
    }
    finishKey(key::kAddinFunction);
}

void Engine::clearLineCell(int col) {
    ChangeGroup group(*this);
    if (ColumnRoles::present(col) && state_.curRow < state_.lastRow)
        table_.setCell(state_.curRow, col, {});
}

void Engine::relabelLine(int row, const std::string& reference, const std::string& description) {
    ChangeGroup group(*this);
    if (row < 1 || row >= state_.lastRow) return;
    if (ColumnRoles::present(layout_.roles.reference))
        table_.setCell(row, layout_.roles.reference, cellText(reference));
    if (ColumnRoles::present(layout_.roles.description))
        table_.setCell(row, layout_.roles.description, cellText(description));
    state_.modified = true;
    view_.rowsChanged(row, row);
}

void Engine::clearPendingRegisters() {
    state_.regs.pendingMode = pending::kNone;
    state_.regs.accumulator = 0.0;
    state_.regs.operand = 1.0;
}

}  // namespace talvex
