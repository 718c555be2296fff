#pragma once

#include "engine/ProgressPort.h"

namespace talvex {

// The engine exists before its window does: its long work reports through here to the
// window once there is one, and runs uncancelled until then.
class ForwardingProgress : public ProgressPort {
  public:
    void setTarget(ProgressPort* target) { target_ = target; }

    void begin(std::string_view caption, int steps) override {
        if (target_) target_->begin(caption, steps);
    }
    bool step(int done, int steps) override { return !target_ || target_->step(done, steps); }
    void end() override {
        if (target_) target_->end();
    }

  private:
    ProgressPort* target_ = nullptr;
};

}  // namespace talvex
