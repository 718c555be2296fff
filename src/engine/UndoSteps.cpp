// Undo and redo: the table edits of each operation are logged as they happen, and the
// calculator's state is kept from before and after it.
#include <utility>

#include "engine/Engine.h"

namespace talvex {

static_assert(TapeTable::kNumberColumn == kLineNumberColumn);

namespace {

// The heap a snapshot holds besides its own object; the document's columns are few and small.
size_t snapshotBytes(const EngineSnapshot& saved) {
    size_t total = saved.layout.widths.capacity() * sizeof(int);
    const ReferenceRegistry& refs = saved.references;
    total += static_cast<size_t>(refs.boxCount()) * sizeof(ReferenceRegistry::Slot);
    for (int n = 1; n < refs.boxCount(); ++n)
        total += heapBytes(refs.slot(n).shown) + heapBytes(refs.slot(n).raw) +
                 heapBytes(refs.slot(n).description);
    for (const std::string* text : {&saved.regs.displayValue, &saved.regs.rawEntry,
                                    &saved.regs.lineRef, &saved.entry.entryText})
        total += heapBytes(*text);
    return total;
}

}  // namespace

void Engine::setUndoExtras(std::function<std::any()> capture,
                           std::function<bool(const std::any&)> restore) {
    captureExtras_ = std::move(capture);
    restoreExtras_ = std::move(restore);
}

EngineSnapshot Engine::snapshot() const {
    return {state_.regs,     state_.entry,       references_.registry(),
            layout_,         settings_,          state_.lastRow,
            state_.curRow,   lastClearRow_,      editMode_,
            backspaceState_, amountEditPending_, captureExtras_ ? captureExtras_() : std::any()};
}

void Engine::beginChange() {
    if (stepping_ || changeDepth_++ > 0) return;
    pendingBefore_ = snapshot();
    pendingEdits_.clear();
    table_.setEditLog(&pendingEdits_);
}

// A change that left the table as it was (keys that only build the entry, a move of the
// cursor, an operation refused and rolled back) is not a step of its own.
void Engine::endChange() {
    if (stepping_ || --changeDepth_ > 0) return;
    table_.setEditLog(nullptr);
    if (pendingEdits_.empty() && !std::exchange(forceStep_, false)) return;
    forceStep_ = false;
    UndoStep step{std::move(pendingEdits_), std::move(pendingBefore_), snapshot(), 0};
    step.bytes = sizeof(UndoStep) + step.edits.capacity() * sizeof(TableEdit) +
                 snapshotBytes(step.before) + snapshotBytes(step.after);
    for (const TableEdit& edit : step.edits) step.bytes += edit.bytes() - sizeof(TableEdit);
    history_.push(std::move(step));
    pendingEdits_ = {};
}

// Called in the middle of a change, the change starts again from here.
void Engine::forgetHistory() {
    history_.clear();
    if (state_.modified) history_.forgetSavedPoint();
    pendingEdits_.clear();
    if (changeDepth_ > 0) pendingBefore_ = snapshot();
}

// A change the history does not hold (the notes, the messenger) means no undo can bring the
// tape back to what its file holds.
void Engine::setModified(bool modified) {
    state_.modified = modified;
    if (modified)
        history_.forgetSavedPoint();
    else
        history_.markSaved();
}

bool Engine::undo() {
    if (changeDepth_ > 0 || operationDepth_ > 0) return false;
    return step(history_.undo(), false);
}

bool Engine::redo() {
    if (changeDepth_ > 0 || operationDepth_ > 0) return false;
    return step(history_.redo(), true);
}

bool Engine::step(UndoStep* step, bool forward) {
    if (!step) return false;
    stepping_ = true;
    if (forward) {
        for (TableEdit& edit : step->edits) table_.toggle(edit);
    } else {
        for (auto edit = step->edits.rbegin(); edit != step->edits.rend(); ++edit)
            table_.toggle(*edit);
    }
    const EngineSnapshot& target = forward ? step->after : step->before;
    rewriteLineNumbers(target.lastRow, target.layout.hiddenRows);
    const int shownBoxes = references_.registry().boxCount();
    const TapeLayout shownLayout = layout_;
    // Before the state goes back: an add-in that replays the tape to rebuild moves the cursor.
    addins_.tapeRestored();
    const bool documentColumnsChanged = restore(target);
    state_.modified = !history_.atSavedPoint();
    stepping_ = false;
    const bool columnsChanged = documentColumnsChanged ||
                                shownLayout.colCount != layout_.colCount ||
                                shownLayout.widths != layout_.widths;
    showRestoredState(shownBoxes, columnsChanged);
    return true;
}

// The log leaves the line numbers out: once its edits are toggled they are written for the
// rows the tape has, and cleared below them.
void Engine::rewriteLineNumbers(int lastRow, int hiddenRows) {
    for (int row = 1; row < table_.storedRows(); ++row)
        table_.setCell(row, kLineNumberColumn,
                       row <= lastRow ? talvex::lineNumberText(row, hiddenRows) : std::string());
}

bool Engine::restore(const EngineSnapshot& saved) {
    state_.regs = saved.regs;
    state_.entry = saved.entry;
    references_.registry() = saved.references;
    layout_ = saved.layout;
    settings_ = saved.settings;
    state_.lastRow = saved.lastRow;
    state_.curRow = saved.curRow;
    lastClearRow_ = saved.lastClearRow;
    editMode_ = saved.editMode;
    backspaceState_ = saved.backspaceState;
    amountEditPending_ = saved.amountEditPending;
    return restoreExtras_ && saved.extras.has_value() && restoreExtras_(saved.extras);
}

}  // namespace talvex
