#pragma once

#include <string>
#include <vector>

namespace talvex {

// The numbered references of a tape: slot n holds the value of the line that is reference
// source n and counts the lines that use it. Slot 0 exists but is never handed out.
class ReferenceRegistry {
  public:
    static constexpr int kMaxSlots = 50;
    static constexpr int kFree = -2;

    struct Slot {
        std::string shown;  // the source line's amount as displayed
        int linkCount = kFree;
        std::string raw;  // the value a using line receives
        std::string description;
    };

    // Boxes in the reference panel, box 0 included: slots 1..boxCount()-1 exist.
    int boxCount() const { return static_cast<int>(slots_.size()); }
    bool exists(int n) const { return n >= 1 && n < boxCount(); }
    // A slot that is a source (free slots are not valid references).
    bool isLive(int n) const { return exists(n) && slots_[static_cast<size_t>(n)].linkCount >= 0; }
    int linkCount(int n) const;
    // delta 0 sets the count to 0, kFree frees the slot, anything else is added.
    void setLinkCount(int n, int delta);
    // The lowest free slot, or a new one; 0 when all kMaxSlots are taken.
    int freeSlot() const;
    const Slot& slot(int n) const;
    Slot& slot(int n);
    void clear() { slots_.assign(1, Slot{}); }

  private:
    void ensure(int n);
    std::vector<Slot> slots_ = std::vector<Slot>(1);
};

}  // namespace talvex
