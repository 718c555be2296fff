#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "RecordingView.h"
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

    std::string amount(int row) const {
        return std::string(engine.cell(row, engine.layout().roles.amount));
    }
    std::string op(int row) const {
        return std::string(engine.cell(row, engine.layout().roles.op));
    }
    std::string desc(int row) const {
        return std::string(engine.cell(row, engine.layout().roles.description));
    }
    std::string count(int row) const {
        return std::string(engine.cell(row, engine.layout().roles.itemCount));
    }
    std::string record(int row) const { return std::string(engine.cell(row, kRegisterColumn)); }

    // "amount op" of every written line, e.g. {"5. +", "7. +", "12. s"}.
    std::vector<std::string> lines() const {
        std::vector<std::string> result;
        for (int row = 1; row < engine.state().lastRow; ++row)
            result.push_back(amount(row) + " " + op(row));
        return result;
    }

    std::string ref(int row) const {
        return std::string(engine.cell(row, engine.layout().roles.reference));
    }

    // "amount op desc count ref" of every written line, for whole-tape comparisons.
    std::vector<std::string> rows() const {
        std::vector<std::string> result;
        for (int row = 1; row < engine.state().lastRow; ++row)
            result.push_back(amount(row) + "|" + op(row) + "|" + desc(row) + "|" + count(row) +
                             "|" + ref(row) + "|" + record(row));
        return result;
    }

    std::string lastError() const { return view.lastError(); }

    RecordingView view;
    RecordingProgress progress;
    AddinPort addins;
    Engine engine;
};

}  // namespace talvex::testing
