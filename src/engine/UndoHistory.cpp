#include "engine/UndoHistory.h"

#include <utility>

namespace talvex {

void UndoHistory::push(UndoStep step) {
    while (steps_.size() > position_) {
        bytes_ -= steps_.back().bytes;
        steps_.pop_back();
    }
    if (savedAt_ && *savedAt_ > position_) savedAt_.reset();
    bytes_ += step.bytes;
    steps_.push_back(std::move(step));
    ++position_;
    // The newest step always stays, however big: it is the one a user most wants back.
    while (bytes_ > budget_ && steps_.size() > 1) forgetOldest();
}

void UndoHistory::forgetOldest() {
    bytes_ -= steps_.front().bytes;
    steps_.pop_front();
    --position_;
    if (savedAt_) savedAt_ = *savedAt_ == 0 ? std::nullopt : std::optional(*savedAt_ - 1);
}

UndoStep* UndoHistory::undo() {
    if (!canUndo()) return nullptr;
    return &steps_[--position_];
}

UndoStep* UndoHistory::redo() {
    if (!canRedo()) return nullptr;
    return &steps_[position_++];
}

void UndoHistory::clear() {
    steps_.clear();
    position_ = 0;
    bytes_ = 0;
    savedAt_ = 0;
}

}  // namespace talvex
