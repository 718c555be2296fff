// What the engine showed, remembered as the window would show it; the grid's changes are passed
// on to whoever draws the tape.
#pragma once

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "engine/EnginePorts.h"
#include "engine/ProgressPort.h"

namespace talvex::testing {

class RecordingView : public ViewPort {
  public:
    void showStatus(const std::string& text, bool error) override {
        statuses.emplace_back(text, error);
    }
    void showDisplay(const std::string& text) override {
        display = text;
        if (onDisplay) onDisplay();
    }
    void showColumn(int col) override { shownColumns.push_back(col); }
    void rowsChanged(int first, int last) override {
        if (onRowsChanged) onRowsChanged(first, last);
    }
    void rowCountChanged(int lastRow) override {
        if (onRowCount) onRowCount(lastRow);
    }
    void currentRowChanged(int row) override {
        if (onCurrentRow) onCurrentRow(row);
    }

    void showRowAtTop(int row) override { topRows.push_back(row); }

    std::string lastError() const {
        for (auto it = statuses.rbegin(); it != statuses.rend(); ++it)
            if (it->second) return it->first;
        return {};
    }

    std::vector<std::pair<std::string, bool>> statuses;
    std::string display;
    std::vector<int> shownColumns;
    std::vector<int> topRows;
    std::function<void()> onDisplay;
    std::function<void(int, int)> onRowsChanged;
    std::function<void(int)> onRowCount, onCurrentRow;
};

// Remembers the steps of long work, and cancels it when told to, as the user would.
class RecordingProgress : public ProgressPort {
  public:
    void begin(std::string_view caption, int /*steps*/) override { captions.emplace_back(caption); }
    bool step(int done, int /*steps*/) override {
        steps.push_back(done);
        return !cancel;
    }
    void end() override { ++ends; }

    std::vector<std::string> captions;
    std::vector<int> steps;
    bool cancel = false;
    int ends = 0;
};

}  // namespace talvex::testing
