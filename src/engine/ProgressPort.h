#pragma once

#include <string>
#include <string_view>

namespace talvex {

// Long work of any module (recalculating, printing, dialling) reports through here, so the
// window can stay alive and offer to cancel. The defaults never cancel: without a window the
// work simply runs to its end.
class ProgressPort {
  public:
    virtual ~ProgressPort() = default;

    // A long task starts: its caption ("Recalculating the tape...") and the number of steps.
    virtual void begin(std::string_view /*caption*/, int /*steps*/) {}
    // done of steps are done; the number of steps may change as the task runs (a
    // recalculation adds and removes lines). False when the user cancelled.
    virtual bool step(int /*done*/, int /*steps*/) { return true; }
    // The task ended, finished or not.
    virtual void end() {}
};

// One task's progress: the port hears of it from the first report on, which is when the task
// has turned out to be long, and end() follows on every path out, an exception included.
class ProgressScope {
  public:
    ProgressScope(ProgressPort& port, std::string_view caption) : port_(port), caption_(caption) {}
    ~ProgressScope() {
        if (begun_) port_.end();
    }
    ProgressScope(const ProgressScope&) = delete;
    ProgressScope& operator=(const ProgressScope&) = delete;

    // False when the user cancelled.
    bool report(int done, int steps) {
        if (!begun_) {
            begun_ = true;
            port_.begin(caption_, steps);
        }
        return port_.step(done, steps);
    }

  private:
    ProgressPort& port_;
    std::string caption_;
    bool begun_ = false;
};

}  // namespace talvex
