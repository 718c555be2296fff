// Restoring the registers from a line, moving the cursor, hiding rows and replaying codes.
#include <algorithm>

#include "engine/Engine.h"
#include "engine/KeyCodes.h"
#include "engine/LineCodes.h"
#include "engine/ReplayKey.h"

namespace talvex {

namespace {

constexpr std::string_view kFetchOutOfBounds = "Register Fetch out of bounds";

}  // namespace

bool Engine::getRegs(int row) {
    if (row < 1 || row > state_.lastRow) {
        statusError(std::string(kFetchOutOfBounds));
        return false;
    }
    // While a reference is picked, moving shows each line's reference instead.
    if (picking() && state_.entry.entryText.starts_with('R')) {
        if (row != state_.entry.refPickRow) {
            state_.entry.entryText = "R" + std::string(cell(row, layout_.roles.reference));
            state_.regs.displayValue = state_.entry.entryText;
        }
        return true;
    }
    // A copy: the add-ins may write to the row while they take their part of it.
    const std::string record(cell(row, kRegisterColumn));
    readRegisterRecord(record, recordLayout_, format_, state_.regs);
    const int ownFields = recordLayout_ == RecordLayout::withRawEntry ? 5 : 4;
    if (recordFieldCount(record) > ownFields)
        addins_.restoreFromLine(record, recordLayout_ == RecordLayout::withRawEntry,
                                row == state_.curRow && row < state_.lastRow);
    if (row == state_.curRow && !replaying()) addins_.currentLineFetched(row);
    return true;
}

void Engine::resetSRegs() {
    state_.regs.pendingMode = pending::kNone;
    state_.regs.accumulator = 0.0;
    state_.regs.operand = 1.0;
    state_.regs.itemCount = 0;
}

void Engine::resetRegs() {
    state_.regs.lineRef.clear();
    resetSRegs();
    addins_.event(addin_event::kReset);
}

void Engine::selectRow(int row) {
    if (row < 1 || row > state_.lastRow) return;
    state_.curRow = row;
    backspaceState_ = false;
    if (!picking()) state_.entry.entryStarted = false;
    getRegs(row);
    view_.currentRowChanged(row);
    updateLCD();
}

void Engine::hideRows(int rows) {
    if (rows == layout_.hiddenRows || rows < 0) return;
    layout_.hiddenRows = rows;
    for (int row = 1; row <= state_.lastRow; ++row) writeLineNumber(row);
    view_.rowsChanged(1, 0);
    state_.entry.entryText.clear();
    selectRow(std::min(rows + 1, state_.lastRow));
}

// The key that replays a row, with what that key takes from the row: its reference, whether it
// used one, the group mode of a grand-total line and the letter of an add-in line.
int Engine::replayKey(int row) {
    const std::string_view code = opAt(row);
    const ReplayKey replay = keyToCode(code, addins_);
    state_.regs.lineRef = cell(row, layout_.roles.reference);
    state_.entry.operatorLast = usesReference(code);
    if (replay.groupMode >= 0) state_.entry.groupMode = replay.groupMode;
    if (replay.code == key::kAddinFunction)
        state_.entry.entryOp = std::string(1, baseCode(code).front());
    return replay.code;
}

}  // namespace talvex
