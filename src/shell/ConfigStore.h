// The configuration store "Talvex.ini": where it is, and every setting the program keeps in
// it. Nothing is cached; each call opens, reads or writes, and closes the file.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "shell/IniFile.h"
#include "shell/WindowGeometry.h"

namespace talvex {

namespace config_section {
inline constexpr std::string_view kTalvex = "Talvex";
inline constexpr std::string_view kIpc = "IPC";
inline constexpr std::string_view kCalculator = "Calculator";
inline constexpr std::string_view kTape = "Tape";
inline constexpr std::string_view kVantCalc = "VantCalc";
inline constexpr std::string_view kPrinter = "Printer";
inline constexpr std::string_view kLogo = "Logo";
inline constexpr std::string_view kWeb = "WEB";
inline constexpr std::string_view kPorts = "Ports";
}  // namespace config_section

class ConfigStore {
  public:
    static constexpr std::string_view kFileName = "Talvex.ini";
    static constexpr size_t kSettingLimit = 511;
    static constexpr size_t kIpcLimit = 255;
    static constexpr int kMaxWebPages = 100;

    // The store whose "Path" is set: the shared folder's file first, then the installation's.
    static std::optional<ConfigStore> locate(const std::filesystem::path& sharedConfigDir,
                                             const std::filesystem::path& installDir);
    // $XDG_CONFIG_HOME, or $HOME/.config; empty when neither names an absolute folder.
    static std::filesystem::path sharedConfigDir();
    // "Talvex.ini" in the folder, or a file whose name differs from it only in case.
    static std::optional<std::filesystem::path> findFile(const std::filesystem::path& folder);

    explicit ConfigStore(std::filesystem::path iniPath) : file_(std::move(iniPath)) {}

    const std::filesystem::path& path() const { return file_.path(); }
    // "Path"; a relative folder is taken from the configuration file's own folder.
    std::filesystem::path workingFolder() const;

    // At most kSettingLimit bytes, never cutting a character in two.
    std::string getSetting(std::string_view section, std::string_view key,
                           std::string_view fallback) const;
    // The whole value, for the settings groups whose joined texts can be longer.
    std::string getLongSetting(std::string_view section, std::string_view key,
                               std::string_view fallback) const;
    bool putSetting(std::string_view section, std::string_view key, std::string_view value);
    // The leading whole number of the value; a missing key gives the fallback.
    long long readNumber(std::string_view section, std::string_view key, long long fallback) const;

    const std::string& appSection() const { return appSection_; }
    // Add-ins keep their own settings ("VantPrint") and switch back when done.
    void setAppSection(std::string section) { appSection_ = std::move(section); }
    std::string readAppSetting(std::string_view key, std::string_view fallback) const;
    bool writeAppSetting(std::string_view key, std::string_view value);
    std::string readIpc(std::string_view key) const;
    bool writeIpc(std::string_view key, std::string_view value);

    bool autoLoad() const;
    bool writeAutoLoad(bool on);
    // A capacity that is not a positive number falls back to the default.
    int maxRows() const;
    int maxCols() const;
    long long starLine() const;
    long long resultLine() const;
    bool vantCalc() const;
    bool writeVantCalc(bool on);
    // List 0 the device add-ins, 1 the calculation add-ins, comma-separated.
    std::string addins(int list) const;
    // "Page1" to "PageN" of section "WEB"; at most kMaxWebPages.
    std::vector<std::string> webPages() const;
    // "Bars" of section "Talvex" ("1,1") or "VantCalc" ("0,0").
    std::string bars(std::string_view section) const;
    bool writeBars(std::string_view section, std::string_view text);
    bool alwaysOnTop() const;
    // The device path of a serial port: "COM1" to "COM4" as section "Ports" maps them
    // (default /dev/ttyS0 to 3), a path starting with "/" as it is, another name under /dev.
    std::string serialPortPath(std::string_view port) const;
    std::string mainWindowText() const;
    // The stored geometry, or the default one for the screen when none is stored.
    WindowGeometry mainWindow(int screenHeight, int screenWidth) const;
    bool writeMainWindow(const WindowGeometry& geometry);

  private:
    IniFile file_;
    std::string appSection_{config_section::kTalvex};
};

}  // namespace talvex
