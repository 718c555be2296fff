// Taking over a tape read from a file.
#include <algorithm>

#include "engine/Engine.h"
#include "engine/LineCodes.h"

namespace talvex {

// Records of files before version 2 have no raw-entry field. They get one at once: the amount
// the line shows, which is what such a line is keyed again from. The tape then holds one layout,
// so a line re-keyed later (which writes the current layout) never sits among records read the
// other way, and a save (always the current version) writes every record as it reads back.
// A record is adopted when it has the earliest layout, in a tape of either layout, so that no
// record a save writes reads the other way next time; in a tape of the earliest layout also one
// without the "accumulator|count" pair. One that has the pair in another place is damaged and
// stays as it is: adopted, it could take the earliest layout's place.
void Engine::adoptCurrentLayout() {
    const bool earliestTape = recordLayout_ == RecordLayout::withoutRawEntry;
    for (int row = 1; row <= state_.lastRow; ++row) {
        const std::string_view record = cell(row, kRegisterColumn);
        if (!isRegisterRecord(record)) continue;
        const bool withoutPair = record.find('|') == std::string_view::npos;
        if (recordLayoutOf(record) != RecordLayout::withoutRawEntry &&
            !(earliestTape && withoutPair))
            continue;
        const std::string_view code = opAt(row);
        const bool keyed = !code.empty() && !isComputedLine(code);
        std::string current(keyed ? amountAt(row) : std::string_view());
        current += ':';
        current += record;
        table_.setCell(row, kRegisterColumn, current);
    }
    recordLayout_ = RecordLayout::withRawEntry;
}

// A tape kept with the tape off has no register records: those a damaged file carries anyway
// are left out, or the first open would replay from figures no save keeps, and the next open
// would replay from others.
void Engine::dropRegisterRecords() {
    for (int row = 1; row <= state_.lastRow; ++row)
        if (isRegisterRecord(cell(row, kRegisterColumn))) table_.setCell(row, kRegisterColumn, {});
}

// Every step of taking a file's tape over, in the order they depend on each other: the rows and
// references first, then the one record layout, then the slots that follow their source lines.
void Engine::load(LoadedTape tape) {
    table_ = std::move(tape.table);
    references_.registry() = std::move(tape.references);
    const int groupMode = state_.entry.groupMode;
    state_.entry = EntryState{};
    state_.entry.groupMode = groupMode;
    state_.regs = Registers{};
    layout_.hiddenRows = 0;
    layout_.roles = tape.roles;
    layout_.colCount = tape.colCount;
    recordLayout_ = tape.records;
    state_.lastRow = std::max(tape.rows, 1);
    state_.curRow = state_.lastRow;
    if (!state_.tapeOn) dropRegisterRecords();
    adoptCurrentLayout();
    // After the adoption: this record is written in the current layout already.
    if (tape.rows < 1) {
        writeLineNumber(1);
        table_.setCell(1, kRegisterColumn, makeRegisterRecord(Registers{}, format_));
    }
    // A long file is kept whole: the capacity limits only new lines.
    layout_.maxRows = std::max(layout_.maxRows, state_.lastRow);
    // The file keeps each slot's shown value and link count; the value a using line receives
    // and the description come from the source lines themselves.
    for (int row = 1; row < state_.lastRow; ++row) {
        const std::string_view code = opAt(row);
        // A source has an operator: a number on a blank line (whose record every replay copies
        // from the line above) gives its slot nothing.
        if (cell(row, layout_.roles.reference).empty() || code.empty() || usesReference(code))
            continue;
        references_.claimSource(row);
        keepSourceCurrent(row, isGroupLine(code));
    }
    state_.modified = false;
    forgetHistory();
    view_.rowCountChanged(state_.lastRow);
    view_.rowsChanged(1, 0);
    placeCursor(tape.savedRow);
}

// The display shows the last line, or an empty tape starts cleared; the cursor goes back where
// the file was saved, or to the open row of a tape that starts here.
void Engine::placeCursor(int savedRow) {
    setLCDColor();
    if (state_.tapeOn) {
        if (state_.lastRow > 1) {
            getRegs(state_.lastRow);
            updateLCD();
        } else {
            // The clear key's line is not written, so a new tape is one empty row until the
            // user keys.
            selectRow(state_.lastRow);
            resetRegs();
            clearEntry();
            updateLCD();
            return;
        }
    }
    if (savedRow <= 0) return;
    int row = savedRow;
    if (row > state_.lastRow - layout_.hiddenRows) row = state_.lastRow;
    row = std::max(row, layout_.hiddenRows + 1);
    selectRow(row);
}

}  // namespace talvex
