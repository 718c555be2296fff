// The browser links as the add-in framework's "VantBrowser": the framework's codes go to them,
// and their panel and command list are the device slot's.
#pragma once

#include "addins/Addin.h"
#include "devices/BrowserLinks.h"

namespace talvex {

class AddinFramework;

class BrowserAddin : public Addin, public BrowserPanel {
  public:
    static constexpr int kDeviceKind = 2;

    BrowserAddin(AddinFramework& framework, BrowserLinks& links);
    void entry(int code) override;
    void lineFetched(int row) override { links_.lineFetched(row); }

    void buildPanel(const std::string& menu) override;
    bool panelShown() const override;
    void setButtonEnabled(int button, bool enabled) override;
    void fillCommands(const std::vector<std::string>& commands) override;
    void setCommandsEnabled(bool enabled) override;
    void dropDownCommands() override;
    int chosenCommand() const override;

  private:
    AddinFramework& framework_;
    BrowserLinks& links_;
};

}  // namespace talvex
