// What the browser links need of the add-in framework: their panel in the device slot and the
// list of their two commands.
#pragma once

#include <string>
#include <vector>

namespace talvex {

class BrowserPanel {
  public:
    virtual ~BrowserPanel() = default;
    virtual void buildPanel(const std::string& menu) = 0;
    // Whether the links' panel is the one the device slot shows.
    virtual bool panelShown() const = 0;
    virtual void setButtonEnabled(int button, bool enabled) = 0;
    // Fills the list with nothing chosen.
    virtual void fillCommands(const std::vector<std::string>& commands) = 0;
    virtual void setCommandsEnabled(bool enabled) = 0;
    virtual void dropDownCommands() = 0;
    // The position chosen in the list, or -1.
    virtual int chosenCommand() const = 0;
};

}  // namespace talvex
