#pragma once

#include <functional>

#include "engine/EnginePorts.h"

namespace talvex {

// The engine exists before its window does: its view calls go through here to the window
// once there is one.
class ForwardingView : public ViewPort {
  public:
    void setTarget(ViewPort* target) { target_ = target; }
    // Told of every change to the tape's lines.
    void setOnTapeChanged(std::function<void()> onChanged) {
        onTapeChanged_ = std::move(onChanged);
    }

    void showStatus(const std::string& text, bool error) override {
        if (target_) target_->showStatus(text, error);
    }
    void showDisplay(const std::string& text) override {
        if (target_) target_->showDisplay(text);
    }
    void setDisplayColour(int colourIndex) override {
        if (target_) target_->setDisplayColour(colourIndex);
    }
    void rowsChanged(int first, int last) override {
        if (onTapeChanged_) onTapeChanged_();
        if (target_) target_->rowsChanged(first, last);
    }
    void rowCountChanged(int lastRow) override {
        if (onTapeChanged_) onTapeChanged_();
        if (target_) target_->rowCountChanged(lastRow);
    }
    void rowsInserted(int row, int count, int lastRow) override {
        if (onTapeChanged_) onTapeChanged_();
        if (target_) target_->rowsInserted(row, count, lastRow);
    }
    void rowsRemoved(int row, int count, int lastRow) override {
        if (onTapeChanged_) onTapeChanged_();
        if (target_) target_->rowsRemoved(row, count, lastRow);
    }
    void currentRowChanged(int row) override {
        if (target_) target_->currentRowChanged(row);
    }
    void showRowAtTop(int row) override {
        if (target_) target_->showRowAtTop(row);
    }
    void referenceSlotChanged(int slot, const std::string& text) override {
        if (target_) target_->referenceSlotChanged(slot, text);
    }
    void showColumn(int col) override {
        if (target_) target_->showColumn(col);
    }
    void countsCaptionChanged(bool countsOn) override {
        if (target_) target_->countsCaptionChanged(countsOn);
    }
    void beep() override {
        if (target_) target_->beep();
    }
    void columnLayoutChanged() override {
        if (target_) target_->columnLayoutChanged();
    }

  private:
    ViewPort* target_ = nullptr;
    std::function<void()> onTapeChanged_;
};

}  // namespace talvex
