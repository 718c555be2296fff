#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "RecordingView.h"
#include "engine/Engine.h"

namespace talvex::testing {

// A fresh tape keyed like a user at the keyboard: tape.run("5+7+ST").
class Tape {
  public:
    explicit Tape(char decSep = '.') : engine(view, addins, NumberSymbols::forDecSep(decSep)) {}

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
        engine.editDescription(text);
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

    std::string amount(int row) const { return engine.cell(row, engine.roles().amount); }
    std::string op(int row) const { return engine.opAt(row); }
    std::string desc(int row) const { return engine.cell(row, engine.roles().description); }
    std::string count(int row) const { return engine.cell(row, engine.roles().itemCount); }
    std::string record(int row) const { return engine.cell(row, kRegisterColumn); }

    // "amount op" of every written line, e.g. {"5. +", "7. +", "12. s"}.
    std::vector<std::string> lines() const {
        std::vector<std::string> result;
        for (int row = 1; row < engine.lastRow(); ++row)
            result.push_back(amount(row) + " " + op(row));
        return result;
    }

    std::string ref(int row) const { return engine.cell(row, engine.roles().reference); }

    // "amount op desc count ref" of every written line, for whole-tape comparisons.
    std::vector<std::string> rows() const {
        std::vector<std::string> result;
        for (int row = 1; row < engine.lastRow(); ++row)
            result.push_back(amount(row) + "|" + op(row) + "|" + desc(row) + "|" + count(row) +
                             "|" + ref(row) + "|" + record(row));
        return result;
    }

    std::string lastError() const { return view.lastError(); }

    RecordingView view;
    AddinPort addins;
    Engine engine;
};

}  // namespace talvex::testing
