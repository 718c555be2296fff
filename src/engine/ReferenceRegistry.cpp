#include "engine/ReferenceRegistry.h"

#include <algorithm>

namespace talvex {

namespace {
const ReferenceRegistry::Slot kNoSlot;
}

int ReferenceRegistry::linkCount(int n) const {
    return exists(n) ? slot(n).linkCount : kFree;
}

void ReferenceRegistry::setLinkCount(int n, int delta) {
    if (n < 1 || n > kMaxSlots) return;
    ensure(n);
    int& count = slot(n).linkCount;
    if (delta == 0 || delta == kFree)
        count = delta;
    else if (count >= 0)
        count = std::max(0, count + delta);  // a source never turns free by losing links
}

int ReferenceRegistry::freeSlot() const {
    for (int n = 1; n < boxCount(); ++n)
        if (slot(n).linkCount < 0) return n;
    return boxCount() <= kMaxSlots ? boxCount() : 0;
}

const ReferenceRegistry::Slot& ReferenceRegistry::slot(int n) const {
    return n >= 0 && n < boxCount() ? slots_[static_cast<size_t>(n)] : kNoSlot;
}

ReferenceRegistry::Slot& ReferenceRegistry::slot(int n) {
    if (n < 0) n = 0;
    ensure(n);
    return slots_[static_cast<size_t>(n)];
}

void ReferenceRegistry::ensure(int n) {
    if (n >= boxCount()) slots_.resize(static_cast<size_t>(n) + 1);
}

}  // namespace talvex
