#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace talvex {

// The whole file, or nothing with the reason in error.
std::optional<std::string> readWholeFile(const std::filesystem::path& path, std::string& error);

// The file a path stands for: a symbolic link followed, link by link, to the name it finally
// names (which need not exist yet), so a save replaces the linked file and keeps the link.
// Nothing, with the reason in error, for a loop of links or a link that cannot be read.
std::optional<std::filesystem::path> linkTarget(const std::filesystem::path& path,
                                                std::string& error);

// Writes to a temporary file in the target's folder, flushes it, then renames it over the
// target, so a failure never leaves a half-written file and the old one stays as it was. A link
// is written through to its file. Refused with the reason in error: a target that is not a
// regular file (a folder, a pipe, a device) and one whose write permission is off, as Windows
// refuses a read-only file. A new file gets the permissions the umask allows; a replaced one
// keeps its own.
bool writeFileAtomically(const std::filesystem::path& path, std::string_view content,
                         std::string& error);

// The path as given when it exists; else a file of the same name in any letter case in the
// same folder ("!default.kwt" finds "!Default.kwt"); else nothing.
std::optional<std::filesystem::path> findFile(const std::filesystem::path& path);

}  // namespace talvex
