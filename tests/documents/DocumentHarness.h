#pragma once

#include <map>
#include <string>
#include <utility>

#include "../engine/TapeHarness.h"
#include "TempFolder.h"
#include "documents/SettingsPort.h"
#include "documents/TapeDocument.h"
#include "engine/Engine.h"

namespace talvex::testing {

// Settings groups as plain texts, with the tape switch applied to the engine as the real
// option setter does.
class TextSettings : public SettingsPort {
  public:
    explicit TextSettings(Engine& engine) : engine_(engine) {}

    std::string groupField(int group, int index) const override {
        static const char* const kTags[] = {"Clc", "Tpe", "Prt", "Lgo"};
        if (index == -2) return kTags[group];
        const auto found = fields.find({group, index});
        if (found != fields.end()) return found->second;
        return index == -1 ? "0" : "";
    }
    void setGroupField(int group, int index, std::string_view text) override {
        fields[{group, index}] = std::string(text);
        if (group == 0 && index == 1)
            engine_.setTapeOn((std::atoi(fields[{0, 1}].c_str()) & 32) != 0);
    }
    void setOption(int option, int value) override {
        options[option] = value;
        if (option == 17) engine_.setTapeOn(value != 0);
    }
    void setColour(int colour, long long value) override { colours[colour] = value; }
    int maxCols() const override { return mostColumns; }

    std::map<std::pair<int, int>, std::string> fields;
    std::map<int, int> options;
    std::map<int, long long> colours;
    int mostColumns = 0;  // MaxCols; 0 leaves the reader's own bound

  private:
    Engine& engine_;
};

// An engine with a document and its settings, as the window owns them.
struct DocumentFixture {
    DocumentFixture() {
        document.columns.setDefaults();
        document.currentColumn = engine.layout().roles.amount;
        settings.fields[{0, -1}] = "1";
        settings.fields[{0, 0}] = "0,1,2,1,0:0,0,";
        settings.fields[{0, 1}] = "32";
        settings.fields[{0, 2}] = "1,2,3";
    }
    void key(std::string_view keys) {
        for (char c : keys) engine.keyChar(c);
    }

    ViewPort view;
    AddinPort addins;
    Engine engine{view, addins};
    TapeDocument document{engine};
    TextSettings settings{engine};
};

}  // namespace talvex::testing
