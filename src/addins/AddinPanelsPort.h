// What the add-in framework needs of a front end: the two panels of eight buttons and the six
// drop-down lists. Every call has a do-nothing default so a front end without panels (the
// command-line tool, a test) implements only what it shows.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "addins/MenuString.h"

namespace talvex {

// The six lists: the two slots' add-ins, a device add-in's own list, the calculation add-ins'
// function list, a device add-in's second list, and the group-total modes.
namespace addin_list {
inline constexpr int kDevices = 0;
inline constexpr int kCalculations = 1;
inline constexpr int kDeviceOwn = 2;
inline constexpr int kFunctions = 3;
inline constexpr int kDeviceSecond = 4;
inline constexpr int kGroupModes = 5;
inline constexpr int kCount = 6;
}  // namespace addin_list

// A panel as built from an add-in's menu string, with its context-help topics.
struct PanelView {
    PanelLayout layout;
    int topic = 0;
    std::array<int, PanelLayout::kButtons> buttonTopics{};
    std::array<bool, PanelLayout::kButtons> enabled{};
};

class AddinPanelsPort {
  public:
    virtual ~AddinPanelsPort() = default;
    // slot 0 is the device panel, 1 the calculation panel.
    virtual void showPanel(int /*slot*/, const PanelView& /*panel*/) {}
    virtual void hidePanel(int /*slot*/) {}
    virtual void setButtonEnabled(int /*slot*/, int /*button*/, bool /*enabled*/) {}
    // The list's entries, the selected one shown; filling a list chooses nothing.
    virtual void fillList(int /*list*/, const std::vector<std::string>& /*entries*/,
                          int /*selected*/) {}
    virtual void showSelected(int /*list*/, int /*index*/) {}
    virtual void setListEnabled(int /*list*/, bool /*enabled*/) {}
    // Opens the list for the user to choose from.
    virtual void dropDownList(int /*list*/) {}
};

}  // namespace talvex
