#pragma once

#include <string>

#include "shell/OwnedGroup.h"

namespace talvex {

// The printer's settings group ("Prt"): the page layout's switches as one number of bits and
// its texts as a comma-joined list, kept with a tape when its flag says so and stored in the
// "Printer" section.
class PrinterSettings : public OwnedGroup {
  public:
    static constexpr int kLayoutFlags = 20;
    static constexpr int kLayoutTexts = 33;

    std::string field(int index) const override;
    void setField(int index, std::string_view text) override;
    void load(const ConfigStore& config) override;
    bool save(ConfigStore& config) const override;

    // Single values, as records of earlier file versions carry them.
    void setLayoutFlag(int index, int value);
    void setLayoutText(int index, std::string_view text);

  private:
    std::string layoutFlags_ = "0";
    std::string layoutTexts_;
};

}  // namespace talvex
