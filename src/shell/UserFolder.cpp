#include "shell/UserFolder.h"

#include <cstdlib>
#include <system_error>

#include "shell/SettingText.h"

namespace talvex {

namespace fs = std::filesystem;

namespace {

constexpr const char* kShippedFolderName = "talvex";

bool holdsConfig(const fs::path& folder) {
    return ConfigStore::findFile(folder).has_value();
}

// The copy goes beside the target first, so a user never finds half a configuration.
bool copyWhole(const fs::path& from, const fs::path& to, std::string& error) {
    const fs::path partial = to.string() + ".new";
    std::error_code failure;
    fs::copy_file(from, partial, fs::copy_options::overwrite_existing, failure);
    // The copy is the user's to change, however read-only the installation keeps its files.
    if (!failure) fs::permissions(partial, fs::perms::owner_write, fs::perm_options::add, failure);
    if (!failure) fs::rename(partial, to, failure);
    if (!failure) return true;
    fs::remove(partial, failure);
    error = "cannot copy " + from.string() + " to " + to.string();
    return false;
}

}  // namespace

fs::path findShippedFolder(const fs::path& programFolder, const fs::path& installedDataDir) {
    if (!programFolder.empty()) {
        const fs::path beside =
            (programFolder / ".." / "share" / kShippedFolderName).lexically_normal();
        if (holdsConfig(beside)) return beside;
    }
    if (holdsConfig(installedDataDir)) return installedDataDir;
    return {};
}

fs::path userDataFolder() {
    const char* data = std::getenv("XDG_DATA_HOME");
    if (data && fs::path(data).is_absolute()) return fs::path(data) / kShippedFolderName;
    const char* home = std::getenv("HOME");
    if (home && fs::path(home).is_absolute())
        return fs::path(home) / ".local" / "share" / kShippedFolderName;
    return {};
}

std::optional<ConfigStore> makeUserFolder(const fs::path& shipped, const fs::path& configDir,
                                          const fs::path& folder, std::string& error) {
    const auto shippedConfig = ConfigStore::findFile(shipped);
    if (!shippedConfig) {
        error = "no " + std::string(ConfigStore::kFileName) + " in " + shipped.string();
        return std::nullopt;
    }
    if (configDir.empty() || folder.empty()) {
        error = "no folder for the user's settings and tapes";
        return std::nullopt;
    }
    std::error_code failure;
    for (const fs::path& made : {configDir, folder}) {
        fs::create_directories(made, failure);
        if (failure) {
            error = "cannot make " + made.string() + ": " + failure.message();
            return std::nullopt;
        }
    }
    for (fs::directory_iterator it(shipped, failure), end; !failure && it != end;
         it.increment(failure)) {
        const fs::path name = it->path().filename();
        if (!it->is_regular_file(failure) ||
            equalIgnoringCase(name.string(), ConfigStore::kFileName))
            continue;
        if (fs::exists(folder / name)) continue;
        if (!copyWhole(it->path(), folder / name, error)) return std::nullopt;
    }
    if (failure) {
        error = "cannot read " + shipped.string() + ": " + failure.message();
        return std::nullopt;
    }
    fs::path config = ConfigStore::findFile(configDir).value_or(configDir / ConfigStore::kFileName);
    if (!fs::exists(config) && !copyWhole(*shippedConfig, config, error)) return std::nullopt;
    ConfigStore store(config);
    if (!store.putSetting(config_section::kTalvex, "Path", folder.string())) {
        error = "cannot write " + config.string();
        return std::nullopt;
    }
    return store;
}

std::optional<ConfigStore> findOrMakeConfig(const fs::path& configDir,
                                            const fs::path& programFolder,
                                            const fs::path& installedDataDir,
                                            const fs::path& userFolder, std::string& error) {
    error.clear();
    if (auto found = ConfigStore::locate(configDir, programFolder)) return found;
    const fs::path shipped = findShippedFolder(programFolder, installedDataDir);
    if (shipped.empty()) return std::nullopt;
    return makeUserFolder(shipped, configDir, userFolder, error);
}

}  // namespace talvex
