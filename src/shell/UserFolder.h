// An installed program keeps its working folder read-only under share/talvex; each user works
// in a copy of it. This is where that shipped folder is found and how a user's copy is made.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "shell/ConfigStore.h"

namespace talvex {

// The shipped working folder of an installed program: share/talvex beside the program's bin
// folder (a package, or an installation moved to another prefix), else installedDataDir (the
// folder the build was configured to install to). Empty when neither holds a "Talvex.ini".
std::filesystem::path findShippedFolder(const std::filesystem::path& programFolder,
                                        const std::filesystem::path& installedDataDir);

// $XDG_DATA_HOME/talvex, or $HOME/.local/share/talvex; empty when neither names an absolute
// folder.
std::filesystem::path userDataFolder();

// Copies the shipped files into folder (files already there are the user's and stay) and makes
// "Talvex.ini" in configDir from the shipped one, its "Path" naming the folder. A "Talvex.ini"
// already in configDir keeps its other settings. Nothing, and the reason in error, on failure.
std::optional<ConfigStore> makeUserFolder(const std::filesystem::path& shipped,
                                          const std::filesystem::path& configDir,
                                          const std::filesystem::path& folder, std::string& error);

// The configuration a start uses: ConfigStore::locate's, and where it finds none, a new
// user's folder made from the shipped one. Nothing when there is neither; error then says why
// the folder could not be made, and is empty when there was no shipped folder to make it from.
std::optional<ConfigStore> findOrMakeConfig(const std::filesystem::path& configDir,
                                            const std::filesystem::path& programFolder,
                                            const std::filesystem::path& installedDataDir,
                                            const std::filesystem::path& userFolder,
                                            std::string& error);

}  // namespace talvex
