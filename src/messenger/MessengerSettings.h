#pragma once

#include <string>

#include "shell/OwnedGroup.h"

namespace talvex {

// The messenger's settings group ("Lgo"): its parameters as one comma-joined list, kept with
// a tape when its flag says so and stored in the "Logo" section.
class MessengerSettings : public OwnedGroup {
  public:
    static constexpr int kParameters = 16;

    std::string field(int index) const override;
    void setField(int index, std::string_view text) override;
    void load(const ConfigStore& config) override;
    bool save(ConfigStore& config) const override;

    // A single parameter, as records of earlier file versions carry them.
    void setParameter(int index, std::string_view text);

  private:
    std::string parameters_;
};

}  // namespace talvex
