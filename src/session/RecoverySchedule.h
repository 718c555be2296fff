// When the recovery copy of a modified tape is written and when it goes: a few seconds after
// the last change, so that a burst of keys writes it once; as soon as the tape has no unsaved
// changes any more (saved, another document loaded, changes discarded), it is removed.
#pragma once

#include <chrono>

namespace talvex {

class RecoverySchedule {
  public:
    using Clock = std::chrono::steady_clock;
    static constexpr std::chrono::milliseconds kQuiet{3000};

    enum class Step { none, write, remove };

    // The tape changed now (a line written, a cell edited).
    void changed(Clock::time_point now);
    // What to do with the copy now. A modification that was not reported (the notes, a column
    // width) counts as a change when it is first seen.
    Step step(bool modified, Clock::time_point now);
    // A copy of the tape as it stands is on disk already (one that was restored).
    void copyKeptAlready() {
        pending_ = false;
        copyKept_ = true;
    }
    // A copy is on disk (or on its way there).
    bool copyKept() const { return copyKept_; }

  private:
    Clock::time_point lastChange_{};
    bool pending_ = false;
    bool copyKept_ = false;
};

}  // namespace talvex
