// The operator keys: each applies itself to the registers and writes its lines.
#include "engine/Engine.h"
#include "engine/KeyCodes.h"
#include "engine/LineCodes.h"

namespace talvex {

namespace {

constexpr std::string_view kTableFull = "Table full";

}  // namespace

// At the end of the tape an operator that cannot write all its lines changes nothing, so the
// registers never run ahead of the tape.
bool Engine::hasRoomFor(int lines) {
    if (curRow_ < lastRow_ || curRow_ + lines - 1 < maxRows_) return true;
    statusError(std::string(kTableFull));
    return false;
}

void Engine::keyAddSubtract(int code) {
    if (!hasRoomFor(1)) return;
    entry_.entryOp = std::string(code == key::kAdd ? op::kAdd : op::kSubtract);
    const bool keyed = getCurEntry();
    const bool fraction = regs_.rawEntry.find(' ') != std::string::npos;
    applyAddMode();
    entry_.decimalAllowed = false;
    const std::string raw = !keyed ? std::string() : fraction ? regs_.rawEntry : entry_.entryText;
    const double value = format_.read(entry_.entryText);
    if (!numberFits(value)) return;
    entry_.entryText = formatNumber(value);
    // The accumulator adds exactly what the tape shows, after rounding or truncation.
    const double shown = format_.read(entry_.entryText);
    const double sum = regs_.accumulator + (code == key::kAdd ? shown : -shown);
    if (!numberFits(shown) || !numberFits(sum)) return;
    regs_.itemCount += 1;
    regs_.accumulator = sum;
    regs_.displayValue = formatNumber(regs_.accumulator);
    regs_.rawEntry = raw;
    updateGrid();
}

void Engine::keyMultiplyDivide(int code) {
    if (!hasRoomFor(1)) return;
    const bool multiply = code == key::kMultiply;
    entry_.entryOp = std::string(multiply ? op::kMultiply : op::kDivide);
    takeEntry();
    const double v = format_.read(entry_.entryText);
    double operand = v;
    if (regs_.pendingMode == pending::kMultiply)
        operand = regs_.operand * v;
    else if (regs_.pendingMode == pending::kQuotientTransient ||
             regs_.pendingMode == pending::kDivide)
        operand = v == 0.0 ? 0.0 : regs_.operand / v;
    if (!numberFits(v) || !numberFits(operand)) return;
    regs_.operand = operand;
    if (entryFromReference()) {
        regs_.displayValue = formatNumber(regs_.operand);
        entry_.entryText = formatNumber(v);
    } else {
        regs_.displayValue = format_.plain(regs_.operand);
    }
    regs_.pendingMode = multiply ? pending::kMultiply : pending::kDivide;
    updateGrid();
    entry_.entryText = regs_.displayValue;
}

void Engine::keyEqualsPercent(int code) {
    if (regs_.pendingMode < pending::kProductDone || regs_.pendingMode > pending::kDivide) return;
    if (!hasRoomFor(settings_.starLine ? 3 : 2)) return;
    const bool percent = code == key::kPercent;
    entry_.entryOp = std::string(percent ? op::kPercent : op::kEquals);
    takeEntry();
    double v = format_.read(entry_.entryText);
    if (percent) v /= 100.0;
    double result = v;
    int pendingAfter = regs_.pendingMode;
    double operandAfter = regs_.operand;
    switch (regs_.pendingMode) {
        case pending::kProductDone:
        case pending::kMultiply:
            result = v * regs_.operand;
            pendingAfter = pending::kProductDone;
            break;
        case pending::kQuotientDone:
        case pending::kQuotientTransient:
            result = regs_.operand == 0.0 ? 0.0 : v / regs_.operand;
            break;
        default:  // a pending "/": the divisor stays for a following "="
            result = v == 0.0 ? 0.0 : regs_.operand / v;
            operandAfter = v;
            pendingAfter = pending::kQuotientDone;
            break;
    }
    if (!numberFits(v) || !numberFits(result)) return;
    // The "=" line keeps the registers as the last operand found them.
    if (!updateGrid()) return;
    regs_.pendingMode = pendingAfter;
    regs_.operand = operandAfter;
    const std::string text = formatNumber(result);
    entry_.entryText = result == 0.0 ? "0" : text;
    regs_.displayValue = entry_.entryText;
    regs_.lineRef = cell(curRow_, roles_.reference);
    entry_.entryOp = std::string(op::kStar);
    updateGrid();
    if (settings_.starLine) {
        regs_.lineRef.clear();
        entry_.entryOp.clear();
        updateGrid();
        entry_.entryOp = std::string(op::kStar);
    }
}

void Engine::keyClear() {
    resetRegs();
    if (baseCode(opAt(curRow_ - 1)) != op::kClear && hasRoomFor(1)) {
        lastClearRow_ = curRow_;
        entry_.entryText.clear();
        regs_.rawEntry.clear();
        regs_.displayValue = "0";
        entry_.entryOp = std::string(op::kClear);
        updateGrid();
    }
    clearEntry();
}

void Engine::keySubtotalTotal(int code) {
    const bool total = code == key::kTotal;
    if (!hasRoomFor(total ? 2 : 1)) return;
    const std::string text = formatNumber(regs_.accumulator);
    const bool zeroShown = regs_.accumulator == 0.0 && regs_.displayValue == "0";
    entry_.entryText = zeroShown ? "0" : text;
    regs_.displayValue = entry_.entryText;
    entry_.entryOp = std::string(total ? op::kTotal : op::kSubtotal);
    updateGrid();
    if (!total) return;
    regs_.accumulator = 0.0;
    regs_.itemCount = 0;
    regs_.lineRef.clear();
    entry_.entryOp.clear();
    updateGrid();
    entry_.entryOp = std::string(op::kTotal);
}

void Engine::keyCounts() {
    if (ColumnRoles::present(roles_.itemCount)) view_.showColumn(roles_.itemCount);
    settings_.countsOn = !settings_.countsOn;
    settingsChanged_ = true;
    view_.countsCaptionChanged(settings_.countsOn);
}

void Engine::keyBlankLine() {
    if (!hasRoomFor(1)) return;
    entry_.entryOp.clear();
    updateGrid();
}

}  // namespace talvex
