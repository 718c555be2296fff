// The changes a user can take back and make again: each step holds the table edits of one
// operation with the calculator's state before and after it. The history keeps to a memory
// budget by forgetting its oldest steps.
#pragma once

#include <any>
#include <cstddef>
#include <deque>
#include <optional>
#include <vector>

#include "engine/EntryState.h"
#include "engine/ReferenceRegistry.h"
#include "engine/Registers.h"
#include "engine/TableEdit.h"
#include "engine/TapeLayout.h"
#include "engine/TapeSettings.h"

namespace talvex {

// Everything about the calculator besides the table that an operation may change.
struct EngineSnapshot {
    Registers regs;
    EntryState entry;
    ReferenceRegistry references;
    TapeLayout layout;
    TapeSettings settings;
    int lastRow = 1;
    int curRow = 1;
    int lastClearRow = 0;
    bool editMode = true;
    bool backspaceState = false;
    bool amountEditPending = false;
    // What the document keeps beside the engine (its columns' captions and types).
    std::any extras;
};

struct UndoStep {
    std::vector<TableEdit> edits;
    EngineSnapshot before;
    EngineSnapshot after;
    size_t bytes = 0;
};

class UndoHistory {
  public:
    static constexpr size_t kDefaultBudget = 40u << 20;

    // A new step forgets every step that was undone before it.
    void push(UndoStep step);
    // The step to take back (and then it is), or none.
    UndoStep* undo();
    UndoStep* redo();
    bool canUndo() const { return position_ > 0; }
    bool canRedo() const { return position_ < steps_.size(); }
    void clear();

    // The tape was saved or read here: undoing or redoing back to this point leaves it
    // unmodified.
    void markSaved() { savedAt_ = position_; }
    bool atSavedPoint() const { return savedAt_ == position_; }
    // The tape differs from its file at every point of the history.
    void forgetSavedPoint() { savedAt_.reset(); }

    void setBudget(size_t bytes) { budget_ = bytes; }
    size_t bytes() const { return bytes_; }
    size_t size() const { return steps_.size(); }
    // The steps applied: the number of undos that would take the tape back to its start.
    size_t position() const { return position_; }

  private:
    void forgetOldest();

    std::deque<UndoStep> steps_;
    size_t position_ = 0;  // steps applied
    size_t bytes_ = 0;
    size_t budget_ = kDefaultBudget;
    std::optional<size_t> savedAt_ = 0;
};

}  // namespace talvex
