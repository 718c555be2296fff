// The operator keys: each applies itself to the registers and writes its lines.
#include "engine/Engine.h"
#include "engine/KeyCodes.h"
#include "engine/LineCodes.h"
#include "engine/TableFull.h"

namespace talvex {

// At the end of the tape an operator that cannot write all its lines changes nothing, so the
// registers never run ahead of the tape.
bool Engine::hasRoomFor(int lines) {
    if (state_.curRow < state_.lastRow || state_.curRow + lines - 1 < layout_.maxRows) return true;
    statusError(std::string(kTableFull));
    return false;
}

void Engine::keyAddSubtract(int code) {
    if (!hasRoomFor(1)) return;
    state_.entry.entryOp = std::string(code == key::kAdd ? op::kAdd : op::kSubtract);
    const bool keyed = getCurEntry();
    const bool fraction = state_.regs.rawEntry.find(' ') != std::string::npos;
    applyAddMode();
    state_.entry.decimalAllowed = false;
    const std::string raw = !keyed     ? std::string()
                            : fraction ? state_.regs.rawEntry
                                       : state_.entry.entryText;
    const double value = format_.read(state_.entry.entryText);
    if (!numberFits(value)) return;
    // Formatted without formatNumber's raw entry: the line keeps the raw entry it was keyed
    // with, and working out another one for each line would cost more than the addition.
    state_.entry.entryText = format_.format(value);
    // The accumulator adds exactly what the tape shows, after rounding or truncation.
    const double shown = format_.read(state_.entry.entryText);
    const double sum = state_.regs.accumulator + (code == key::kAdd ? shown : -shown);
    if (!numberFits(shown) || !numberFits(sum)) {
        state_.regs.rawEntry = format_.exact(value);
        return;
    }
    state_.regs.itemCount += 1;
    state_.regs.accumulator = sum;
    state_.regs.displayValue = format_.format(state_.regs.accumulator);
    state_.regs.rawEntry = raw;
    updateGrid();
}

void Engine::keyMultiplyDivide(int code) {
    if (!hasRoomFor(1)) return;
    const bool multiply = code == key::kMultiply;
    state_.entry.entryOp = std::string(multiply ? op::kMultiply : op::kDivide);
    takeEntry();
    const double v = format_.read(state_.entry.entryText);
    double operand = v;
    if (state_.regs.pendingMode == pending::kMultiply)
        operand = state_.regs.operand * v;
    else if (state_.regs.pendingMode == pending::kQuotientTransient ||
             state_.regs.pendingMode == pending::kDivide)
        operand = v == 0.0 ? 0.0 : state_.regs.operand / v;
    if (!numberFits(v) || !numberFits(operand)) return;
    state_.regs.operand = operand;
    if (entryFromReference()) {
        state_.regs.displayValue = formatNumber(state_.regs.operand);
        state_.entry.entryText = formatNumber(v);
    } else {
        state_.regs.displayValue = format_.plain(state_.regs.operand);
    }
    state_.regs.pendingMode = multiply ? pending::kMultiply : pending::kDivide;
    updateGrid();
    state_.entry.entryText = state_.regs.displayValue;
}

void Engine::keyEqualsPercent(int code) {
    if (state_.regs.pendingMode < pending::kProductDone ||
        state_.regs.pendingMode > pending::kDivide)
        return;
    if (!hasRoomFor(settings_.starLine ? 3 : 2)) return;
    const bool percent = code == key::kPercent;
    state_.entry.entryOp = std::string(percent ? op::kPercent : op::kEquals);
    takeEntry();
    double v = format_.read(state_.entry.entryText);
    if (percent) v /= 100.0;
    double result = v;
    int pendingAfter = state_.regs.pendingMode;
    double operandAfter = state_.regs.operand;
    switch (state_.regs.pendingMode) {
        case pending::kProductDone:
        case pending::kMultiply:
            result = v * state_.regs.operand;
            pendingAfter = pending::kProductDone;
            break;
        case pending::kQuotientDone:
        case pending::kQuotientTransient:
            result = state_.regs.operand == 0.0 ? 0.0 : v / state_.regs.operand;
            break;
        default:  // a pending "/": the divisor stays for a following "="
            result = v == 0.0 ? 0.0 : state_.regs.operand / v;
            operandAfter = v;
            pendingAfter = pending::kQuotientDone;
            break;
    }
    if (!numberFits(v) || !numberFits(result)) return;
    // The "=" line keeps the registers as the last operand found them.
    if (!updateGrid()) return;
    state_.regs.pendingMode = pendingAfter;
    state_.regs.operand = operandAfter;
    const std::string text = formatNumber(result);
    state_.entry.entryText = result == 0.0 ? "0" : text;
    state_.regs.displayValue = state_.entry.entryText;
    state_.regs.lineRef = cell(state_.curRow, layout_.roles.reference);
    state_.entry.entryOp = std::string(op::kStar);
    updateGrid();
    if (settings_.starLine) {
        state_.regs.lineRef.clear();
        state_.entry.entryOp.clear();
        updateGrid();
        state_.entry.entryOp = std::string(op::kStar);
    }
}

void Engine::keyClear() {
    resetRegs();
    if (baseCode(opAt(state_.curRow - 1)) != op::kClear && hasRoomFor(1)) {
        lastClearRow_ = state_.curRow;
        state_.entry.entryText.clear();
        state_.regs.rawEntry.clear();
        state_.regs.displayValue = "0";
        state_.entry.entryOp = std::string(op::kClear);
        updateGrid();
    }
    clearEntry();
}

void Engine::keySubtotalTotal(int code) {
    const bool total = code == key::kTotal;
    if (!hasRoomFor(total ? 2 : 1)) return;
    const std::string text = formatNumber(state_.regs.accumulator);
    const bool zeroShown = state_.regs.accumulator == 0.0 && state_.regs.displayValue == "0";
    state_.entry.entryText = zeroShown ? "0" : text;
    state_.regs.displayValue = state_.entry.entryText;
    state_.entry.entryOp = std::string(total ? op::kTotal : op::kSubtotal);
    updateGrid();
    if (!total) return;
    state_.regs.accumulator = 0.0;
    state_.regs.itemCount = 0;
    state_.regs.lineRef.clear();
    state_.entry.entryOp.clear();
    updateGrid();
    state_.entry.entryOp = std::string(op::kTotal);
}

void Engine::keyCounts() {
    if (ColumnRoles::present(layout_.roles.itemCount)) view_.showColumn(layout_.roles.itemCount);
    settings_.countsOn = !settings_.countsOn;
    view_.countsCaptionChanged(settings_.countsOn);
}

void Engine::keyBlankLine() {
    if (!hasRoomFor(1)) return;
    state_.entry.entryOp.clear();
    updateGrid();
}

}  // namespace talvex
