// The primitives over "Talvex.ini" and where it is found.
#include "shell/ConfigStore.h"

#include <algorithm>
#include <cstdlib>

#include "shell/SettingText.h"

namespace talvex {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kPathKey = "Path";

// Cuts to at most limit bytes, backing off so a UTF-8 sequence is never split.
std::string limited(std::string text, size_t limit) {
    if (text.size() <= limit) return text;
    size_t end = limit;
    while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) --end;
    text.resize(end);
    return text;
}

std::string pathValue(const fs::path& ini) {
    return IniFile(ini).read(config_section::kTalvex, kPathKey).value_or("");
}

}  // namespace

std::optional<fs::path> ConfigStore::findFile(const fs::path& folder) {
    if (folder.empty()) return std::nullopt;
    std::error_code error;
    const fs::path exact = folder / kFileName;
    if (fs::is_regular_file(exact, error)) return exact;
    // Files copied from Windows often change case on the way; the first match in name order
    // keeps the choice the same from one start to the next.
    std::optional<fs::path> found;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        const fs::path name = it->path().filename();
        if (!equalIgnoringCase(name.string(), kFileName) || !it->is_regular_file(error)) continue;
        if (!found || name < found->filename()) found = it->path();
    }
    return found;
}

std::optional<ConfigStore> ConfigStore::locate(const fs::path& sharedConfigDir,
                                               const fs::path& installDir) {
    for (const fs::path& folder : {sharedConfigDir, installDir}) {
        const auto file = findFile(folder);
        if (file && !pathValue(*file).empty()) return ConfigStore(*file);
    }
    return std::nullopt;
}

fs::path ConfigStore::sharedConfigDir() {
    // Relative folders are ignored, as the XDG rules ask: they would depend on where the
    // program happened to be started.
    const char* config = std::getenv("XDG_CONFIG_HOME");
    if (config && fs::path(config).is_absolute()) return config;
    const char* home = std::getenv("HOME");
    if (home && fs::path(home).is_absolute()) return fs::path(home) / ".config";
    return {};
}

// Without "." or ".." steps or a trailing separator: the folder shows in titles and dialogs.
fs::path ConfigStore::workingFolder() const {
    const fs::path folder = pathValue(path());
    if (folder.empty()) return folder;
    fs::path full =
        (folder.is_absolute() ? folder : path().parent_path() / folder).lexically_normal();
    if (!full.has_filename() && full.has_relative_path()) full = full.parent_path();
    return full;
}

std::string ConfigStore::getSetting(std::string_view section, std::string_view key,
                                    std::string_view fallback) const {
    return limited(getLongSetting(section, key, fallback), kSettingLimit);
}

std::string ConfigStore::getLongSetting(std::string_view section, std::string_view key,
                                        std::string_view fallback) const {
    return file_.read(section, key).value_or(std::string(fallback));
}

bool ConfigStore::putSetting(std::string_view section, std::string_view key,
                             std::string_view value) {
    return file_.write(section, key, value);
}

long long ConfigStore::readNumber(std::string_view section, std::string_view key,
                                  long long fallback) const {
    const auto value = file_.read(section, key);
    return value ? leadingInteger(*value) : fallback;
}

std::string ConfigStore::readAppSetting(std::string_view key, std::string_view fallback) const {
    return getSetting(appSection_, key, fallback);
}

bool ConfigStore::writeAppSetting(std::string_view key, std::string_view value) {
    return putSetting(appSection_, key, value);
}

std::string ConfigStore::readIpc(std::string_view key) const {
    return limited(getLongSetting(config_section::kIpc, key, ""), kIpcLimit);
}

bool ConfigStore::writeIpc(std::string_view key, std::string_view value) {
    return putSetting(config_section::kIpc, key, value);
}

}  // namespace talvex
