// Restoring the registers from a line, moving the cursor, hiding rows and replaying codes.
#include <algorithm>

#include "engine/Engine.h"
#include "engine/KeyCodes.h"
#include "engine/LineCodes.h"

namespace talvex {

namespace {

constexpr std::string_view kFetchOutOfBounds = "Register Fetch out of bounds";

}  // namespace

bool Engine::getRegs(int row) {
    if (row < 1 || row > lastRow_) {
        statusError(std::string(kFetchOutOfBounds));
        return false;
    }
    // While a reference is picked, moving shows each line's reference instead.
    if (picking() && entry_.entryText.starts_with('R')) {
        if (row != entry_.refPickRow) {
            entry_.entryText = "R" + cell(row, roles_.reference);
            regs_.displayValue = entry_.entryText;
        }
        return true;
    }
    const std::string& record = cell(row, kRegisterColumn);
    readRegisterRecord(record, layout_, format_, regs_);
    const int ownFields = layout_ == RecordLayout::withRawEntry ? 5 : 4;
    if (recordFieldCount(record) > ownFields) addins_.restoreFromLine(record);
    return true;
}

void Engine::resetSRegs() {
    regs_.pendingMode = pending::kNone;
    regs_.accumulator = 0.0;
    regs_.operand = 1.0;
    regs_.itemCount = 0;
}

void Engine::resetRegs() {
    regs_.lineRef.clear();
    resetSRegs();
    addins_.event(addin_event::kReset);
}

void Engine::selectRow(int row) {
    if (row < 1 || row > lastRow_) return;
    curRow_ = row;
    backspaceState_ = false;
    if (!picking()) entry_.entryStarted = false;
    getRegs(row);
    view_.currentRowChanged(row);
    updateLCD();
}

void Engine::hideRows(int rows) {
    if (rows == hiddenRows_ || rows < 0) return;
    hiddenRows_ = rows;
    for (int row = 1; row <= lastRow_; ++row) writeLineNumber(row);
    view_.rowsChanged(1, 0);
    entry_.entryText.clear();
    selectRow(std::min(rows + 1, lastRow_));
}

int Engine::keyToCode(int row) {
    const std::string& code = opAt(row);
    const std::string_view base = baseCode(code);
    regs_.lineRef = cell(row, roles_.reference);
    entry_.operatorLast = usesReference(code);
    if (base.empty()) return key::kBlankLineCode;
    if (base == op::kAdd) return key::kAdd;
    if (base == op::kSubtract) return key::kSubtract;
    if (base == op::kMultiply) return key::kMultiply;
    if (base == op::kDivide) return key::kDivide;
    if (base == op::kPercent) return key::kPercent;
    if (base == op::kEquals) return key::kEquals;
    if (base == op::kClear) return key::kClear;
    if (base == op::kSubtotal) return key::kSubtotal;
    if (base == op::kTotal) return key::kTotal;
    if (base == op::kStarTotal) return key::kStarTotal;
    const auto groupKey = [this](int mode) {
        entry_.groupMode = mode;
        return key::kGrandTotal;
    };
    if (base == op::kGroup) return groupKey(group_mode::kGroupTotals);
    if (base == op::kGroupSigned) return groupKey(group_mode::kSignedGroups);
    if (base == op::kGrandTotal) return groupKey(group_mode::kGrandTotal);
    if (base == op::kPlusItems || base == op::kMinusItems) return groupKey(group_mode::kItems);
    // A "t" line starts a regenerated block only when its block has no group lines.
    if (base == op::kGroupsTotal) return groupKey(group_mode::kSignedGroups);
    if (addins_.isAddinLetter(base)) {
        entry_.entryOp = std::string(1, base.front());
        return key::kAddinFunction;
    }
    return key::kUnknownLine;
}

}  // namespace talvex
