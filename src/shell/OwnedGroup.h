#pragma once

#include <string>
#include <string_view>

namespace talvex {

class ConfigStore;

// A settings group that a module owns: the value fields it gives the tape file and takes back,
// and its own section of "Talvex.ini" for "SaveAs Default" and "Reset Defaults".
class OwnedGroup {
  public:
    virtual ~OwnedGroup() = default;
    virtual std::string field(int index) const = 0;
    virtual void setField(int index, std::string_view text) = 0;
    // Keys missing from the configuration keep the values the group has.
    virtual void load(const ConfigStore& config) = 0;
    // False when a write failed.
    virtual bool save(ConfigStore& config) const = 0;
};

}  // namespace talvex
