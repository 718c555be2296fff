#include "session/RecoverySchedule.h"

namespace talvex {

void RecoverySchedule::changed(Clock::time_point now) {
    lastChange_ = now;
    pending_ = true;
}

RecoverySchedule::Step RecoverySchedule::step(bool modified, Clock::time_point now) {
    if (!modified) {
        pending_ = false;
        if (!copyKept_) return Step::none;
        copyKept_ = false;
        return Step::remove;
    }
    if (!pending_ && !copyKept_) changed(now);
    if (!pending_ || now - lastChange_ < kQuiet) return Step::none;
    pending_ = false;
    copyKept_ = true;
    return Step::write;
}

}  // namespace talvex
