#pragma once

#include "platform/network/SingleInstance.h"
#include "shell/Startup.h"

namespace talvex {

// The start-up questions as message boxes, and the single-instance guard behind them.
class StartupDialogs : public StartupProbe {
  public:
    static constexpr int kHandOverTimeoutMs = 3000;

    explicit StartupDialogs(SingleInstance& instance) : instance_(instance) {}

    bool confirm(const StartupMessage& question) override;
    bool anotherInstanceRuns() override { return !instance_.tryBecomePrimary(); }
    bool restoreRunningInstance() override {
        return SingleInstance::askPrimaryToRestore(kHandOverTimeoutMs);
    }
    static void show(const StartupMessage& message);

  private:
    SingleInstance& instance_;
};

}  // namespace talvex
