// Inserting and deleting lines, the rows that writes in the middle of the tape make room
// for or take away, and moving between lines.
#include <algorithm>

#include "engine/Engine.h"
#include "engine/LineCodes.h"
#include "engine/TableFull.h"
#include "engine/Text.h"

namespace talvex {

namespace {

constexpr std::string_view kSourceRemoved =
    "Source reference successfully removed prior to deletion";
constexpr std::string_view kHasLinkedReferences = "Cannot delete entry.  Has linked References";
constexpr std::string_view kGrandTotalHasReferences =
    "Cannot delete GrandTotal.  Has Subtotal References";

bool isResultKeyCode(std::string_view code) {
    return code == op::kEquals || code == op::kPercent;
}

}  // namespace

bool Engine::isBlankLine(int row) const {
    return opAt(row).empty() && amountAt(row).empty();
}

// The blank line that always follows a total (and a result line while StarLine is on).
bool Engine::isTrailerLine(int row) const {
    return row > 1 && row < state_.lastRow && isBlankLine(row) &&
           hasTrailer(opAt(row - 1), settings_.starLine, settings_.resultLine, addins_);
}

// Rows the engine remembers follow their lines when rows are inserted (count > 0) or removed
// (count < 0) at row; a reference pick whose line is removed ends.
void Engine::followRowShift(int row, int count) {
    const auto follow = [row, count](int& remembered) {
        if (remembered < row || remembered == 0) return;
        if (count < 0 && remembered < row - count)
            remembered = 0;
        else
            remembered += count;
    };
    const bool wasPicking = picking();
    follow(state_.entry.refPickRow);
    follow(lastClearRow_);
    if (wasPicking && !picking()) clearEntry();
}

void Engine::renumberFrom(int row) {
    for (int r = std::max(row, 1); r <= state_.lastRow; ++r) writeLineNumber(r);
}

// A row that a write in the middle of the tape needs; without one the operation changes nothing.
bool Engine::insertEmptyRow(int row) {
    if (state_.lastRow >= layout_.maxRows) {
        refuse(kTableFull);
        return false;
    }
    table_.insertRow(row);
    followRowShift(row, 1);
    ++state_.lastRow;
    renumberFrom(row);
    view_.rowsInserted(row, 1, state_.lastRow);
    return true;
}

void Engine::removeRows(int row, int count) {
    count = std::min(count, state_.lastRow - row);
    if (count <= 0) return;
    table_.removeRows(row, count);
    followRowShift(row, -count);
    state_.lastRow -= count;
    renumberFrom(row);
    view_.rowsRemoved(row, count, state_.lastRow);
}

void Engine::clearRow(int row) {
    table_.clearRow(row);
    writeLineNumber(row);
}

void Engine::setRecordFromAbove(int row) {
    if (row <= 1)
        table_.setCell(row, kRegisterColumn, makeRegisterRecord(Registers{}, format_));
    else
        copyRecordDown(row);
}

// Insert puts a line before the current one, but never inside a block: not between an "=" and
// its result, nor between a total and its trailer, nor among group lines.
int Engine::insertionPoint(int row) const {
    if (row >= state_.lastRow) return row;
    if (baseCode(opAt(row)) == op::kStar) {
        ++row;
        return isTrailerLine(row) ? row + 1 : row;
    }
    if (isTrailerLine(row)) return row + 1;
    if (isGroupLine(opAt(row)) || baseCode(opAt(row)) == op::kGrandTotal)
        while (row > 1 && isGroupLine(opAt(row - 1))) --row;
    return row;
}

bool Engine::insertRow() {
    bool inserted = false;
    return atomically([this, &inserted] { inserted = insertLine(); }) && inserted;
}

bool Engine::insertLine() {
    if (state_.lastRow >= layout_.maxRows) {
        statusError(std::string(kTableFullOnInsert));
        return false;
    }
    int row = std::min(state_.curRow, state_.lastRow);
    if (state_.tapeOn) row = insertionPoint(row);
    table_.insertRow(row);
    followRowShift(row, 1);
    ++state_.lastRow;
    clearRow(row);
    if (state_.tapeOn) setRecordFromAbove(row);
    renumberFrom(row);
    state_.modified = true;
    view_.rowsInserted(row, 1, state_.lastRow);
    view_.rowsChanged(row, state_.lastRow);
    if (row != state_.curRow) {
        state_.curRow = row;
        view_.currentRowChanged(row);
    }
    return true;
}

// How many lines go with the current one, and from which row: a total takes its trailer, an
// "=" its result and blank line, a grand total the group lines above it. Only lines that are
// really there are counted, so a damaged tape never loses an unrelated line. 0: refused.
int Engine::dependentLines(int& first) const {
    const int row = state_.curRow;
    first = row;
    const std::string_view code = baseCode(opAt(row));
    int count = 1;
    if (isTotalLine(code)) {
        if (code == op::kGrandTotal) {
            while (first > 1 && isGroupLine(opAt(first - 1))) --first;
            for (int r = first; r < row; ++r) {
                if (!cell(r, layout_.roles.reference).empty()) {
                    view_.showStatus(std::string(kGrandTotalHasReferences), true);
                    return 0;
                }
            }
            count = row - first + 1;
        }
        if (row + 1 < state_.lastRow && isBlankLine(row + 1)) ++count;
    } else if (isResultKeyCode(code) && baseCode(opAt(row + 1)) == op::kStar) {
        ++count;
        if (settings_.starLine && row + 2 < state_.lastRow && isBlankLine(row + 2)) ++count;
    } else if (code != op::kStar &&
               hasTrailer(code, settings_.starLine, settings_.resultLine, addins_) &&
               row + 1 < state_.lastRow && isBlankLine(row + 1)) {
        ++count;
    }
    return count;
}

// A source with users refuses the deletion; otherwise sources are freed and users unlinked.
bool Engine::guardReferences(int first, int count) {
    if (references_.anySourceInUse(first, count)) {
        statusError(std::string(kHasLinkedReferences));
        return false;
    }
    for (int row = first; row < first + count; ++row) {
        if (cell(row, layout_.roles.reference).empty()) continue;
        if (usesReference(opAt(row))) {
            removeLink(row);
        } else if (removeSource(row)) {
            status(std::string(kSourceRemoved));
        }
    }
    return true;
}

bool Engine::deleteRow() {
    bool deleted = false;
    return atomically([this, &deleted] { deleted = deleteLines(); }) && deleted;
}

bool Engine::deleteLines() {
    if (state_.curRow >= state_.lastRow || state_.curRow < 1) return false;
    int first = state_.curRow;
    int count = 1;
    if (state_.tapeOn) {
        count = dependentLines(first);
        if (count == 0 || !guardReferences(first, count)) return false;
    }
    removeRows(first, count);
    state_.curRow = std::min(first, state_.lastRow);
    if (state_.curRow == state_.lastRow) setRecordFromAbove(state_.lastRow);
    state_.modified = true;
    view_.rowsChanged(first, state_.lastRow);
    if (state_.tapeOn && state_.curRow < state_.lastRow)
        recalculate(state_.curRow);
    else
        selectRow(state_.curRow);
    return true;
}

void Engine::gotoLine(GotoTarget where) {
    ChangeGroup group(*this);
    int target = 0;
    switch (where) {
        case GotoTarget::firstLine:
            target = layout_.hiddenRows + 1;
            break;
        case GotoTarget::previousLine:
            target = std::max(state_.curRow - 1, layout_.hiddenRows + 1);
            break;
        case GotoTarget::nextLine:
            target = state_.curRow + 1;
            break;
        case GotoTarget::openRow:
            target = state_.lastRow;
            break;
    }
    if (target < 1 || target > state_.lastRow) return;
    if (amountEditPending_ && !finishPendingEdit()) return;
    state_.curRow = target;
    backspaceState_ = false;
    // Figures keyed on the line left behind do not follow to the new line.
    if (!picking()) {
        state_.entry.entryText.clear();
        state_.entry.entryStarted = false;
    }
    view_.currentRowChanged(target);
    loadRegistersAbove(target);
    updateLCD();
}

// Group lines are inserted, never written over an entry; a grand total first takes away the
// group lines left over from an earlier run.
void Engine::prepareRowForWrite() {
    if (state_.curRow >= state_.lastRow) return;
    const std::string_view code = baseCode(state_.entry.entryOp);
    const bool groupCode = (!code.empty() && code.front() == 'g') || code == op::kGroupsTotal;
    if (groupCode && !isGroupLine(opAt(state_.curRow))) {
        insertEmptyRow(state_.curRow);
        return;
    }
    if (code != op::kGrandTotal) return;
    while (state_.curRow < state_.lastRow && isGroupLine(opAt(state_.curRow)))
        removeRows(state_.curRow, 1);
    if (state_.curRow < state_.lastRow && !isBlankLine(state_.curRow) &&
        baseCode(opAt(state_.curRow)) != op::kGrandTotal)
        insertEmptyRow(state_.curRow);
}

// After a line in the middle was written again: make room for a new result or trailer, or
// take away the result line of an "=" that is no longer one.
void Engine::fixTrailerAfterRewrite(const std::string& oldCode) {
    const std::string_view now = baseCode(state_.entry.entryOp);
    const int below = state_.curRow + 1;
    if (isResultKeyCode(now)) {
        if (baseCode(opAt(below)) != op::kStar) insertEmptyRow(below);
        return;
    }
    const bool trailer = hasTrailer(now, settings_.starLine, settings_.resultLine, addins_);
    if (!trailer && isResultKeyCode(baseCode(oldCode))) {
        // The result goes with the blank line that follows it.
        if (below < state_.lastRow && baseCode(opAt(below)) == op::kStar)
            removeRows(below, isTrailerLine(below + 1) ? 2 : 1);
        else
            view_.beep();
        return;
    }
    if (trailer && !isBlankLine(below)) insertEmptyRow(below);
}

}  // namespace talvex
