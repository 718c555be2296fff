// Replaying the tape through the key processor, so every later line, total and reference
// follows an edit exactly as if the tape had been keyed again.
#include <algorithm>

#include "engine/Engine.h"
#include "engine/KeyCodes.h"

namespace talvex {

namespace {

constexpr std::string_view kHalted = "Recalculation halted at row ";
// How often the view hears of the progress (and may ask to cancel).
constexpr int kProgressInterval = 1024;

}  // namespace

// The raw entry of a line as keyed: the record appends a decimal separator to every raw entry,
// which a fraction ("1 3/4.") must not show when its line is written again.
std::string Engine::replayedEntry(int row) const {
    std::string raw(recordField(cell(row, kRegisterColumn), 1, layout_));
    if (raw.find(' ') != std::string::npos && !raw.empty() && raw.back() == format_.decSep())
        raw.pop_back();
    return raw;
}

void Engine::recalculate(int startRow) {
    const int savedRow = curRow_;
    const bool savedRecalculating = recalculating_;
    const bool savedEditMode = editMode_;
    if (startRow > 0) curRow_ = startRow;
    if (curRow_ >= lastRow_) {
        curRow_ = std::min(savedRow, lastRow_);
        return;
    }
    recalculating_ = true;
    editMode_ = false;
    loadRegistersAbove(curRow_);
    int replayed = 0;
    while (curRow_ < lastRow_ && !cancelRequest_) {
        const int row = curRow_;
        entry_.entryText = replayedEntry(row);
        const int code = keyToCode(row);
        if (code >= 0) {
            keyProcess(code);
        } else if (code == key::kBlankLineCode) {
            // A blank line carries on the registers of the line above it.
            setRecordFromAbove(row);
            ++curRow_;
        }
        if (curRow_ == row) {
            statusError(std::string(kHalted) + std::to_string(row));
            break;
        }
        if (++replayed % kProgressInterval == 0) view_.recalcProgress(curRow_, lastRow_);
    }
    if (curRow_ >= lastRow_) setRecordFromAbove(lastRow_);
    recalculating_ = savedRecalculating;
    editMode_ = savedEditMode;
    curRow_ = std::min(savedRow, lastRow_);
    const bool cancelled = cancelRequest_;
    cancelRequest_ = false;
    if (cancelled) return;
    view_.rowsChanged(1, 0);
    entry_.entryText.clear();
    selectRow(curRow_);
}

}  // namespace talvex
