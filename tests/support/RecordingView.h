// What the engine showed, remembered as the window would show it; the grid's changes are passed
// on to whoever draws the tape.
#pragma once

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "engine/EnginePorts.h"

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
    void setDisplayColour(int colourIndex) override { displayColour = colourIndex; }
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

    // Recalculation progress: each report is counted, and answered with a cancel when asked.
    bool recalcProgress(int row, int /*lastRow*/) override {
        progressRows.push_back(row);
        return !cancelAtProgress;
    }
    void recalcEnded() override { ++recalcEnds; }

    std::string lastError() const {
        for (auto it = statuses.rbegin(); it != statuses.rend(); ++it)
            if (it->second) return it->first;
        return {};
    }

    std::vector<std::pair<std::string, bool>> statuses;
    std::string display;
    int displayColour = -1;
    std::vector<int> shownColumns;
    std::function<void()> onDisplay;
    std::function<void(int, int)> onRowsChanged;
    std::function<void(int)> onRowCount, onCurrentRow;

    std::vector<int> progressRows;
    bool cancelAtProgress = false;
    int recalcEnds = 0;
};

}  // namespace talvex::testing
