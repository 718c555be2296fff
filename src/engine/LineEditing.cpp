// Inserting and deleting lines, the rows that writes in the middle of the tape make room
// for or take away, and moving between lines.
#include <algorithm>

#include "engine/Engine.h"
#include "engine/LineCodes.h"
#include "engine/Text.h"

namespace talvex {

namespace {

constexpr std::string_view kTableFullOnInsert = "Table Full";
constexpr std::string_view kTableFull = "Table full";
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
    return opAt(row).empty() && cell(row, roles_.amount).empty();
}

// The blank line that always follows a total (and a result line while StarLine is on).
bool Engine::isTrailerLine(int row) const {
    return row > 1 && row < lastRow_ && isBlankLine(row) &&
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
    follow(entry_.refPickRow);
    follow(lastClearRow_);
    if (wasPicking && !picking()) clearEntry();
}

void Engine::renumberFrom(int row) {
    for (int r = std::max(row, 1); r <= lastRow_; ++r) writeLineNumber(r);
}

// A row that a write in the middle of the tape needs; without one the operation changes nothing.
bool Engine::insertEmptyRow(int row) {
    if (lastRow_ >= maxRows_) {
        refuse(kTableFull);
        return false;
    }
    table_.insertRow(row);
    followRowShift(row, 1);
    ++lastRow_;
    renumberFrom(row);
    view_.rowCountChanged(lastRow_);
    return true;
}

void Engine::removeRows(int row, int count) {
    count = std::min(count, lastRow_ - row);
    if (count <= 0) return;
    table_.removeRows(row, count);
    followRowShift(row, -count);
    lastRow_ -= count;
    renumberFrom(row);
    view_.rowCountChanged(lastRow_);
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
    if (row >= lastRow_) return row;
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
    if (lastRow_ >= maxRows_) {
        statusError(std::string(kTableFullOnInsert));
        return false;
    }
    int row = std::min(curRow_, lastRow_);
    if (tapeOn_) row = insertionPoint(row);
    table_.insertRow(row);
    followRowShift(row, 1);
    ++lastRow_;
    clearRow(row);
    if (tapeOn_) setRecordFromAbove(row);
    renumberFrom(row);
    modified_ = true;
    view_.rowCountChanged(lastRow_);
    view_.rowsChanged(row, lastRow_);
    if (row != curRow_) {
        curRow_ = row;
        view_.currentRowChanged(row);
    }
    return true;
}

// How many lines go with the current one, and from which row: a total takes its trailer, an
// "=" its result and blank line, a grand total the group lines above it. Only lines that are
// really there are counted, so a damaged tape never loses an unrelated line. 0: refused.
int Engine::dependentLines(int& first) const {
    const int row = curRow_;
    first = row;
    const std::string_view code = baseCode(opAt(row));
    int count = 1;
    if (isTotalLine(code)) {
        if (code == op::kGrandTotal) {
            while (first > 1 && isGroupLine(opAt(first - 1))) --first;
            for (int r = first; r < row; ++r) {
                if (!cell(r, roles_.reference).empty()) {
                    view_.showStatus(std::string(kGrandTotalHasReferences), true);
                    return 0;
                }
            }
            count = row - first + 1;
        }
        if (row + 1 < lastRow_ && isBlankLine(row + 1)) ++count;
    } else if (isResultKeyCode(code) && baseCode(opAt(row + 1)) == op::kStar) {
        ++count;
        if (settings_.starLine && row + 2 < lastRow_ && isBlankLine(row + 2)) ++count;
    } else if (code != op::kStar &&
               hasTrailer(code, settings_.starLine, settings_.resultLine, addins_) &&
               row + 1 < lastRow_ && isBlankLine(row + 1)) {
        ++count;
    }
    return count;
}

// A source with users refuses the deletion; otherwise sources are freed and users unlinked.
bool Engine::guardReferences(int first, int count) {
    for (int row = first; row < first + count; ++row) {
        const std::string& ref = cell(row, roles_.reference);
        if (ref.empty() || usesReference(opAt(row))) continue;
        if (references_.linkCount(slotNumber(ref)) >= 1) {
            statusError(std::string(kHasLinkedReferences));
            return false;
        }
    }
    const int saved = curRow_;
    for (int row = first; row < first + count; ++row) {
        if (cell(row, roles_.reference).empty()) continue;
        curRow_ = row;
        if (usesReference(opAt(row))) {
            removeLink();
        } else if (removeSource()) {
            status(std::string(kSourceRemoved));
        }
    }
    curRow_ = saved;
    return true;
}

bool Engine::deleteRow() {
    bool deleted = false;
    return atomically([this, &deleted] { deleted = deleteLines(); }) && deleted;
}

bool Engine::deleteLines() {
    if (curRow_ >= lastRow_ || curRow_ < 1) return false;
    int first = curRow_;
    int count = 1;
    if (tapeOn_) {
        count = dependentLines(first);
        if (count == 0 || !guardReferences(first, count)) return false;
    }
    removeRows(first, count);
    curRow_ = std::min(first, lastRow_);
    if (curRow_ == lastRow_) setRecordFromAbove(lastRow_);
    modified_ = true;
    view_.rowsChanged(first, lastRow_);
    if (tapeOn_ && curRow_ < lastRow_)
        recalculate(curRow_);
    else
        selectRow(curRow_);
    return true;
}

void Engine::gotoLine(int index) {
    int target = 0;
    switch (index) {
        case 0:
            target = hiddenRows_ + 1;
            break;
        case 1:
            target = std::max(curRow_ - 1, hiddenRows_ + 1);
            break;
        case 2:
            target = curRow_ + 1;
            break;
        case 3:
            target = lastRow_;
            break;
        default:
            break;
    }
    if (target < 1 || target > lastRow_) return;
    if (amountEditPending_ && !finishPendingEdit()) return;
    curRow_ = target;
    backspaceState_ = false;
    // Figures keyed on the line left behind do not follow to the new line.
    if (!picking()) {
        entry_.entryText.clear();
        entry_.entryStarted = false;
    }
    view_.currentRowChanged(target);
    loadRegistersAbove(target);
    updateLCD();
}

// Group lines are inserted, never written over an entry; a grand total first takes away the
// group lines left over from an earlier run.
void Engine::prepareRowForWrite() {
    if (curRow_ >= lastRow_) return;
    const std::string_view code = baseCode(entry_.entryOp);
    const bool groupCode = (!code.empty() && code.front() == 'g') || code == op::kGroupsTotal;
    if (groupCode && !isGroupLine(opAt(curRow_))) {
        insertEmptyRow(curRow_);
        return;
    }
    if (code != op::kGrandTotal) return;
    while (curRow_ < lastRow_ && isGroupLine(opAt(curRow_))) removeRows(curRow_, 1);
    if (curRow_ < lastRow_ && !isBlankLine(curRow_) && baseCode(opAt(curRow_)) != op::kGrandTotal)
        insertEmptyRow(curRow_);
}

// After a line in the middle was written again: make room for a new result or trailer, or
// take away the result line of an "=" that is no longer one.
void Engine::fixTrailerAfterRewrite(const std::string& oldCode) {
    const std::string_view now = baseCode(entry_.entryOp);
    const int below = curRow_ + 1;
    if (isResultKeyCode(now)) {
        if (baseCode(opAt(below)) != op::kStar) insertEmptyRow(below);
        return;
    }
    const bool trailer = hasTrailer(now, settings_.starLine, settings_.resultLine, addins_);
    if (!trailer && isResultKeyCode(baseCode(oldCode))) {
        // The result goes with the blank line that follows it.
        if (below < lastRow_ && baseCode(opAt(below)) == op::kStar)
            removeRows(below, isTrailerLine(below + 1) ? 2 : 1);
        else
            view_.beep();
        return;
    }
    if (trailer && !isBlankLine(below)) insertEmptyRow(below);
}

}  // namespace talvex
