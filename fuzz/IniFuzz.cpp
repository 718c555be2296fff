// The configuration file as the program reads it, on any bytes: the lines give the file back
// as it was, every typed setting reads without fault, and a setting written reads back while
// every other setting keeps its value.
#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "FuzzCheck.h"
#include "TempFolder.h"
#include "engine/Text.h"
#include "shell/ConfigStore.h"
#include "shell/IniLines.h"

namespace {

using talvex::ConfigStore;
namespace section = talvex::config_section;

struct Setting {
    std::string_view section;
    std::string_view key;
};

// Settings the program reads; the fuzzer's last byte picks the one it writes.
constexpr std::array<Setting, 10> kSettings = {{{section::kTalvex, "MaxCols"},
                                                {section::kTalvex, "MaxRows"},
                                                {section::kTalvex, "Path"},
                                                {section::kTalvex, "MainWindow"},
                                                {section::kCalculator, "Options"},
                                                {section::kTape, "Font"},
                                                {section::kPorts, "COM1"},
                                                {section::kWeb, "PageCount"},
                                                {section::kWeb, "Page1"},
                                                {section::kIpc, "Command"}}};

// Every typed setting as text, so that a fault in any of them shows and two reads compare.
std::string typedSettings(const ConfigStore& config) {
    std::string all = std::to_string(config.maxRows()) + "," + std::to_string(config.maxCols()) +
                      "," + std::to_string(config.starLine()) + "," +
                      std::to_string(config.resultLine()) + "," + config.addins(0) + "," +
                      config.addins(1) + "," + config.bars(section::kTalvex) + "," +
                      config.workingFolder().string() + "," + config.mainWindowText();
    for (const std::string& page : config.webPages()) all += "," + page;
    for (const char* port : {"COM1", "COM4", "ttyUSB0", "/dev/x"})
        all += "," + config.serialPortPath(port);
    const talvex::WindowGeometry window = config.mainWindow(768, 1024);
    all += "," + std::to_string(window.height) + "," + std::to_string(window.width);
    talvex::fuzz::expect(config.maxRows() > 0 && config.maxCols() > 0,
                         "the capacities are positive");
    return all;
}

std::string storedValue(std::string value) {
    for (char& c : value)
        if (c == '\r' || c == '\n') c = ' ';
    return talvex::trimmed(value);
}

void checkLines(std::string_view text) {
    const talvex::IniLines lines(text);
    talvex::fuzz::expect(lines.text() == text, "the lines give the file back byte for byte");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const talvex::testing::TempFolder folder;
    const std::string input(reinterpret_cast<const char*>(data), size);
    checkLines(input);
    // The first line is the value to write, the rest the file (which may end without a line
    // end, as a hand-edited one can).
    const size_t firstEnd = std::min(input.find('\n'), input.size());
    const std::string value = input.substr(0, firstEnd);
    const std::string file = input.substr(std::min(firstEnd + 1, input.size()));
    talvex::testing::writeFile(folder / "Talvex.ini", file);
    ConfigStore config(folder / "Talvex.ini");
    const std::string before = typedSettings(config);
    const Setting edited = kSettings[size == 0 ? 0 : data[size - 1] % kSettings.size()];
    std::vector<std::string> others;
    for (const Setting& s : kSettings)
        others.push_back(config.getLongSetting(s.section, s.key, "-"));
    talvex::fuzz::expect(config.putSetting(edited.section, edited.key, value),
                         "a setting of the program can be written");
    talvex::fuzz::expect(
        config.getLongSetting(edited.section, edited.key, "-") == storedValue(value),
        "a written setting reads back", std::string(edited.key));
    for (size_t i = 0; i < kSettings.size(); ++i) {
        const Setting& s = kSettings[i];
        if (s.key == edited.key && s.section == edited.section) continue;
        talvex::fuzz::expect(config.getLongSetting(s.section, s.key, "-") == others[i],
                             "writing one setting keeps the others", std::string(s.key));
    }
    if (edited.key != "MaxCols" && edited.key != "MaxRows" && edited.key != "Path" &&
        edited.key != "MainWindow" && edited.section != section::kPorts &&
        edited.section != section::kWeb)
        talvex::fuzz::expect(typedSettings(config) == before, "the typed settings stay as read");
    return 0;
}
