// Replaying the tape through the key processor, so every later line, total and reference
// follows an edit exactly as if the tape had been keyed again.
#include <algorithm>
#include <optional>

#include "engine/Engine.h"
#include "engine/KeyCodes.h"
#include "engine/LineCodes.h"
#include "engine/Registers.h"
#include "engine/ReplayKey.h"

namespace talvex {

namespace {

constexpr std::string_view kHalted = "Recalculation halted at row ";
constexpr std::string_view kNothingAtRow = "Nothing to calculate at row ";
constexpr std::string_view kLeftAsItIs = ": left as it is";
constexpr std::string_view kCancelled = "Recalculation cancelled: the tape is as it was before";
constexpr std::string_view kCaption = "Recalculating the tape...";
// Counts a replay for as long as it runs, however it ends: a refusal inside one leaves by an
// exception that takes the whole operation back.
class ReplayScope {
  public:
    explicit ReplayScope(int& depth) : depth_(depth) { ++depth_; }
    ~ReplayScope() { --depth_; }
    ReplayScope(const ReplayScope&) = delete;
    ReplayScope& operator=(const ReplayScope&) = delete;

  private:
    int& depth_;
};

// How often the progress port hears of the progress (and may ask to cancel).
constexpr int kProgressInterval = 1024;

}  // namespace

bool Engine::hasRawEntry(int row) const {
    return recordLayout_ == RecordLayout::withRawEntry &&
           isRegisterRecord(cell(row, kRegisterColumn));
}

// What a line was keyed from: its record's raw entry as a record written now holds it, or, for a
// line without one (read from a data file, or from a record of the earliest files), the amount
// it shows: anything else from that cell would change the line's amount.
std::string Engine::keyedEntry(int row) const {
    if (!hasRawEntry(row)) return std::string(amountAt(row));
    return recordRawEntry(cell(row, kRegisterColumn), recordLayout_, format_.decSep());
}

// The record appends a decimal separator to every raw entry, which a fraction ("1 3/4.") must
// not show when its line is written again.
std::string Engine::replayedEntry(int row) const {
    std::string raw = keyedEntry(row);
    if (hasRawEntry(row) && raw.find(' ') != std::string::npos && raw.back() == format_.decSep())
        raw.pop_back();
    return raw;
}

// A line that took its entry from the display or repeated the line above has an empty raw
// entry, so that it takes the value again wherever that value now comes from. A line without a
// raw entry and without an amount took nothing keyed either: written again, its record says so.
bool Engine::entryNotKeyed(int row) const {
    return takesEntry(opAt(row)) && keyedEntry(row).empty();
}

// The value a line took: its raw entry, or, when none was keyed, the amount it shows.
std::string Engine::lineValue(int row) const {
    std::string raw = keyedEntry(row);
    return raw.empty() ? std::string(amountAt(row)) : raw;
}

// Lines that an edit left without anything to act on: an "=" or "%" with no "x" or "/"
// pending, a result line without its "=", a clear directly under a clear.
bool Engine::replaysToNothing(int row, int code) const {
    if (baseCode(opAt(row)) == op::kStar) return true;
    if (code == key::kEquals || code == key::kPercent)
        return state_.regs.pendingMode < pending::kProductDone ||
               state_.regs.pendingMode > pending::kDivide;
    return code == key::kClear && row > 1 && baseCode(opAt(row - 1)) == op::kClear;
}

// Such a line stays on the tape as it is and keeps its own entry, while the registers carry
// past it unchanged, so an edit below it starts from the values above it.
void Engine::keepInertLine(int row) {
    Registers carried = state_.regs;
    carried.rawEntry = keyedEntry(row);
    std::string record = makeRegisterRecord(carried, format_);
    addins_.saveToLine(record);
    table_.setCell(row, kRegisterColumn, std::move(record));
}

// Replaying starts at the line that owns a block: a trailer belongs to the line above it, a
// result line to its "=", and group lines are written again from the first of their run.
int Engine::blockStart(int row) const {
    if (isTrailerLine(row)) --row;
    const std::string_view above = baseCode(opAt(row - 1));
    if (baseCode(opAt(row)) == op::kStar && (above == op::kEquals || above == op::kPercent)) --row;
    if (isGroupLine(opAt(row)) || baseCode(opAt(row)) == op::kGrandTotal)
        while (row > 1 && isGroupLine(opAt(row - 1))) --row;
    return row;
}

void Engine::recalculate(int startRow) {
    atomically([this, startRow] { recalculateFrom(startRow); });
}

bool Engine::recalculateWatchingUsers() {
    references_.watchReplay();
    recalculate(1);
    return references_.endWatch();
}

// A line is replayed through the key that wrote it; the add-in that wrote an add-in line is
// made active first, so that its letters are known.
bool Engine::replayRow(int row, int& firstInert) {
    state_.entry.entryText = replayedEntry(row);
    // A line the calculator's own keys wrote is written again without add-in fields, whatever
    // its record names: the add-in active above it stays active.
    if (!isCalculatorLine(opAt(row)))
        addins_.lineReplayed(cell(row, kRegisterColumn),
                             recordLayout_ == RecordLayout::withRawEntry);
    const int code = replayKey(row);
    state_.entry.takeAgain = entryNotKeyed(row);
    if (code == key::kBlankLineCode) {
        // A blank line carries on the registers of the line above it.
        setRecordFromAbove(row);
        ++state_.curRow;
    } else if (replaysToNothing(row, code)) {
        keepInertLine(row);
        if (firstInert == 0) firstInert = row;
        ++state_.curRow;
    } else if (code >= 0) {
        keyProcess(code);
    }
    return state_.curRow != row;
}

void Engine::recalculateFrom(int startRow) {
    const int savedRow = state_.curRow;
    const bool savedEditMode = editMode_;
    if (startRow > 0) state_.curRow = startRow;
    if (state_.curRow >= state_.lastRow) {
        state_.curRow = std::min(savedRow, state_.lastRow);
        return;
    }
    state_.curRow = blockStart(state_.curRow);
    const int firstReplayed = state_.curRow;
    editMode_ = false;
    std::optional<ReplayScope> replaying(replayDepth_);
    loadRegistersAbove(state_.curRow);
    int replayed = 0;
    int firstInert = 0;
    ProgressScope progress(*progress_, kCaption);
    bool cancelled = false;
    while (state_.curRow < state_.lastRow) {
        const int row = state_.curRow;
        if (!replayRow(row, firstInert)) {
            statusError(std::string(kHalted) + std::to_string(row));
            break;
        }
        if (++replayed % kProgressInterval == 0 &&
            !progress.report(state_.curRow, state_.lastRow)) {
            replaying.reset();
            // Inside an operation this takes the whole operation back and leaves by an exception.
            callOff(kCancelled);
            cancelled = true;
            break;
        }
    }
    replaying.reset();
    if (state_.curRow >= state_.lastRow) setRecordFromAbove(state_.lastRow);
    state_.entry.takeAgain = false;
    editMode_ = savedEditMode;
    state_.curRow = std::min(savedRow, state_.lastRow);
    if (cancelled) return;
    // Replaying rewrites its lines and those below them; the lines above stay as they were.
    view_.rowsChanged(firstReplayed, state_.lastRow);
    state_.entry.entryText.clear();
    selectRow(state_.curRow);
    if (firstInert > 0)
        statusError(std::string(kNothingAtRow) + std::to_string(firstInert) +
                    std::string(kLeftAsItIs));
}

// A user function is its lines from its declaration to its end line, replayed with the values
// its parameters have now. The line that asked for it is written afterwards, from the registers
// it was keyed with.
void Engine::evaluateFrom(int row) {
    ChangeGroup group(*this);
    if (row < 1 || row >= state_.lastRow) return;
    const int savedRow = state_.curRow;
    const bool savedEditMode = editMode_;
    const Registers savedRegs = state_.regs;
    const EntryState savedEntry = state_.entry;
    state_.curRow = row;
    editMode_ = false;
    stopReplay_ = false;
    {
        const ReplayScope replaying(replayDepth_);
        loadRegistersAbove(row);
        int firstInert = 0;
        while (state_.curRow < state_.lastRow && !stopReplay_) {
            const int at = state_.curRow;
            if (!replayRow(at, firstInert)) {
                statusError(std::string(kHalted) + std::to_string(at));
                break;
            }
        }
    }
    stopReplay_ = false;
    if (state_.curRow >= state_.lastRow) setRecordFromAbove(state_.lastRow);
    editMode_ = savedEditMode;
    state_.curRow = savedRow;
    state_.regs = savedRegs;
    state_.entry = savedEntry;
    view_.rowsChanged(row, state_.lastRow);
}

}  // namespace talvex
