// The dialler as the add-in framework's "VantAtm": the framework's codes go to it, and its
// panel, port list and manual digits are the device slot's.
#pragma once

#include "addins/Addin.h"
#include "devices/Dialler.h"

namespace talvex {

class AddinFramework;

class ModemAddin : public Addin, public DiallerPanel {
  public:
    ModemAddin(AddinFramework& framework, Dialler& dialler);
    void entry(int code) override { dialler_.entry(code); }
    void manualKey(int key) override { dialler_.manualKey(key); }

    void buildPanel(const std::string& menu) override;
    void reclaimSlot() override;
    void setButtonText(int button, const std::string& caption, const std::string& tip) override;
    void setButtonEnabled(int button, bool enabled) override;
    void fillPorts(const std::vector<std::string>& ports, const std::string& selected) override;
    std::string chosenPort() const override;
    void dropDownPorts() override;
    void setDigitCapture(bool capture) override;

  private:
    AddinFramework& framework_;
    Dialler& dialler_;
};

}  // namespace talvex
