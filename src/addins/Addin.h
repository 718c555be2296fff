// One add-in: a module with a single entry procedure that takes an event code.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/EnginePorts.h"

namespace talvex {

// Events the framework sends to add-ins (the engine's own are in addin_event); 0 to 7 are the
// panel's buttons and positive codes are also list choices (1 the function list, 4 and 8 a
// device's lists).
namespace addin_code {
inline constexpr int kActivate = -1;
inline constexpr int kSaveSettings = -2;
inline constexpr int kListLoaded = -3;
inline constexpr int kFunctionChosen = 1;
inline constexpr int kAddinKey = 2;  // positions 2 to 7 of the calculation panel
inline constexpr int kDeviceSecondList = 4;
inline constexpr int kDeviceOwnList = 8;
}  // namespace addin_code

class Addin {
  public:
    virtual ~Addin() = default;
    virtual void entry(int code) = 0;
    // A keypad key (0 to 12) while the add-in takes the keypad's digits.
    virtual void manualKey(int key) { entry(key); }
    // The fields the add-in keeps on the line just written, each preceded by ":" (the kind
    // field first); empty when the line is not the add-in's.
    virtual std::string lineFields() { return {}; }
    // The fields after the kind field of a line's record.
    virtual void restoreFields(const std::vector<std::string_view>& /*fields*/) {}
    // An undo or redo put the tape back as it was.
    virtual void tapeRestored() {}
    // The cursor's line was fetched; every installed add-in hears it, whatever the slots hold.
    virtual void lineFetched(int /*row*/) {}
    virtual std::optional<std::string> symbolValue(std::string_view /*name*/) { return {}; }
};

}  // namespace talvex
