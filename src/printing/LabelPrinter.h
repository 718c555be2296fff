// "VantPrint", the device add-in that prints the tape on a small label printer: through a
// printer of the system, or byte by byte on a serial port. Its panel offers Setup, Test, Feed,
// Print, the size list and the truncate/wrap switch.
#pragma once

#include <string>
#include <vector>

#include "printing/LabelPrinterSettings.h"

namespace talvex {

class ConfigStore;

inline constexpr const char* kLabelPrinterMenu =
    "VantPrint:Setup,Setup VantPrint Options;Test,Print 1st 2 rows only;Feed,Feed Paper;Print,"
    "Print Tape;;Size,Set Font Size (points or Best Fit);Trnc,Truncate/Wrap Long lines;";

// What the label printer's buttons start; the session prints, feeds and shows the dialog.
class LabelPrinterHost {
  public:
    virtual ~LabelPrinterHost() = default;
    // Rows counted from the first visible line; toRow past the end means the whole tape.
    virtual void printRows(int fromRow, int toRow) = 0;
    virtual void feed() = 0;
    // The "VantPrinter Setup" dialog; true when OK stored new settings.
    virtual bool setup() = 0;
};

// The add-in framework as the label printer sees it: its panel in the device slot and the size
// list under it.
class LabelPrinterPanel {
  public:
    virtual ~LabelPrinterPanel() = default;
    virtual void setDeviceKind(int kind) = 0;
    // Builds the panel from the menu string when the label printer is the slot's add-in.
    virtual void showPanel(const std::string& menu) = 0;
    // Fills the size list, selected chosen; the choice it makes comes back as no event.
    virtual void fillSizes(const std::vector<std::string>& sizes, const std::string& selected) = 0;
    virtual void dropDownSizes() = 0;
    // The size list's current text; empty when it has none.
    virtual std::string chosenSize() const = 0;
};

// The framework's event codes as the label printer answers them.
namespace label_code {
inline constexpr int kLoad = -3;
inline constexpr int kSave = -2;
inline constexpr int kInstall = -1;
inline constexpr int kSetup = 0;
inline constexpr int kTest = 1;
inline constexpr int kFeed = 2;
inline constexpr int kPrint = 3;
inline constexpr int kSizeChosen = 4;
inline constexpr int kSize = 5;
inline constexpr int kTrunc = 6;
}  // namespace label_code

// VpActive: not the output, selected and idle, printing the tape, printing the test rows.
namespace label_active {
inline constexpr int kOff = 0;
inline constexpr int kIdle = 1;
inline constexpr int kPrinting = 2;
inline constexpr int kTesting = 3;
}  // namespace label_active

class LabelPrinter {
  public:
    static constexpr int kDeviceKind = 1;
    static constexpr int kTestRows = 2;

    explicit LabelPrinter(ConfigStore& config);
    void entry(int code);
    void setPanel(LabelPrinterPanel* panel) { panel_ = panel; }
    void setHost(LabelPrinterHost* host) { host_ = host; }
    // VpSize lives with the tape (its "F" record); the session points it there.
    void bindSize(std::string& size) { size_ = &size; }

    const LabelPrinterSettings& settings() const { return settings_; }
    // OK in the setup dialog: the new settings, the mode's size list, and a save due.
    void setSettings(const LabelPrinterSettings& settings);
    const std::string& size() const { return *size_; }
    const std::string& trunc() const { return trunc_; }
    int active() const { return active_; }
    void setActive(int active) { active_ = active; }
    bool dirty() const { return dirty_; }
    bool directConnect() const { return settings_.mode == 1; }
    // The density a serial print uses now; remembered for a "Fit" without a paper width.
    double density(int widestLine, double paperInches);

  private:
    void install();
    void showPanel();
    void chooseSize();
    void saveSettings();

    ConfigStore& config_;
    LabelPrinterPanel* panel_ = nullptr;
    LabelPrinterHost* host_ = nullptr;
    LabelPrinterSettings settings_;
    std::string ownSize_ = "10";
    std::string* size_ = &ownSize_;
    std::string trunc_ = kTruncate;
    int active_ = label_active::kOff;
    bool dirty_ = false;
    bool filling_ = false;
    double lastDensity_ = 12;
};

}  // namespace talvex
