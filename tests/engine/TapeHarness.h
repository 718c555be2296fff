#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "engine/Engine.h"

namespace talvex::testing {

// Puts text into a cell as a damaged file may hold it, which no key can: the engine takes its
// tape again through load with that one cell replaced.
inline void reloadWithCell(Engine& engine, int row, int col, std::string text) {
    LoadedTape tape{engine.table(),        engine.state().lastRow,   RecordLayout::withRawEntry,
                    engine.layout().roles, engine.layout().colCount, engine.references(),
                    engine.state().curRow};
    tape.table.setCell(row, col, std::move(text));
    engine.load(std::move(tape));
}

// Remembers what the engine showed, as the window would.
class RecordingView : public ViewPort {
  public:
    void showStatus(const std::string& text, bool error) override {
        statuses.emplace_back(text, error);
    }
    void showDisplay(const std::string& text) override { display = text; }
    void setDisplayColour(int colourIndex) override { displayColour = colourIndex; }
    void showColumn(int col) override { shownColumns.push_back(col); }

    std::vector<std::pair<std::string, bool>> statuses;
    std::string display;
    int displayColour = -1;
    std::vector<int> shownColumns;
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

// A fresh tape keyed like a user at the keyboard: tape.run("5+7+ST").
class Tape {
  public:
    explicit Tape(char decSep = '.') : engine(view, addins, NumberSymbols::forDecSep(decSep)) {
        engine.setProgress(progress);
    }

    // Selects a row as a click would, then keys.
    Tape& at(int row, std::string_view keys = {}) {
        engine.clickRow(row);
        return run(keys);
    }
    // Overtypes the current line's amount and ends the edit with the keys.
    Tape& amend(int row, std::string_view amount, std::string_view keys) {
        engine.clickRow(row);
        engine.editAmount(amount);
        return run(keys);
    }
    Tape& describe(std::string_view text) {
        engine.editCell(engine.layout().roles.description, text);
        return *this;
    }

    Tape& run(std::string_view keys) {
        for (char c : keys) {
            if (c == '\n')
                engine.pressEnter();
            else
                engine.keyChar(c);
        }
        return *this;
    }

    std::string amount(int row) const { return engine.cell(row, engine.layout().roles.amount); }
    std::string op(int row) const { return engine.cell(row, engine.layout().roles.op); }
    std::string desc(int row) const { return engine.cell(row, engine.layout().roles.description); }
    std::string count(int row) const { return engine.cell(row, engine.layout().roles.itemCount); }
    std::string record(int row) const { return engine.cell(row, kRegisterColumn); }

    // "amount op" of every written line, e.g. {"5. +", "7. +", "12. s"}.
    std::vector<std::string> lines() const {
        std::vector<std::string> result;
        for (int row = 1; row < engine.state().lastRow; ++row)
            result.push_back(amount(row) + " " + op(row));
        return result;
    }

    std::string ref(int row) const { return engine.cell(row, engine.layout().roles.reference); }

    // "amount op desc count ref" of every written line, for whole-tape comparisons.
    std::vector<std::string> rows() const {
        std::vector<std::string> result;
        for (int row = 1; row < engine.state().lastRow; ++row)
            result.push_back(amount(row) + "|" + op(row) + "|" + desc(row) + "|" + count(row) +
                             "|" + ref(row) + "|" + record(row));
        return result;
    }

    std::string lastError() const {
        for (auto it = view.statuses.rbegin(); it != view.statuses.rend(); ++it)
            if (it->second) return it->first;
        return {};
    }

    RecordingView view;
    RecordingProgress progress;
    AddinPort addins;
    Engine engine;
};

}  // namespace talvex::testing
