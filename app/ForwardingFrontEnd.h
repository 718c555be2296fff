#pragma once

#include "session/FrontEndPort.h"

namespace talvex {

// The commands are made before the window they open dialogs in: their calls go through here
// to the window once there is one.
class ForwardingFrontEnd : public FrontEndPort {
  public:
    void setTarget(FrontEndPort* target) { target_ = target; }

    bool hasWindow() const override { return target_ && target_->hasWindow(); }
    void exit() override {
        if (target_) target_->exit();
    }
    void showOptions() override {
        if (target_) target_->showOptions();
    }
    void showPrinterOptions() override {
        if (target_) target_->showPrinterOptions();
    }
    void showAbout() override {
        if (target_) target_->showAbout();
    }
    void enterWhatsThis() override {
        if (target_) target_->enterWhatsThis();
    }
    void openPage(const std::string& address) override {
        if (target_) target_->openPage(address);
    }

    void editMessenger() override {
        if (target_) target_->editMessenger();
    }
    std::vector<int> selectedLines() const override {
        return target_ ? target_->selectedLines() : std::vector<int>{};
    }

  private:
    FrontEndPort* target_ = nullptr;
};

}  // namespace talvex
