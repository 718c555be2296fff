// What the dialler needs of the add-in framework: its panel in the device slot, the port list
// and the switch that sends the keypad's digits to it.
#pragma once

#include <string>
#include <vector>

namespace talvex {

class DiallerPanel {
  public:
    virtual ~DiallerPanel() = default;
    virtual void buildPanel(const std::string& menu) = 0;
    // Shows the dialler's panel again when a tape it opened chose another device add-in.
    virtual void reclaimSlot() = 0;
    virtual void setButtonText(int button, const std::string& caption,
                               const std::string& toolTip) = 0;
    virtual void setButtonEnabled(int button, bool enabled) = 0;
    virtual void fillPorts(const std::vector<std::string>& ports, const std::string& selected) = 0;
    // The text chosen in the port list.
    virtual std::string chosenPort() const = 0;
    virtual void dropDownPorts() = 0;
    // While set, the keypad's keys 0 to 12 come to the dialler as manual digits.
    virtual void setDigitCapture(bool capture) = 0;
};

}  // namespace talvex
