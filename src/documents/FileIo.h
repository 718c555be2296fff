#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace talvex {

// The whole file, or nothing with the reason in error.
std::optional<std::string> readWholeFile(const std::filesystem::path& path, std::string& error);

// Writes to a temporary file in the same folder, flushes it, then renames it over the target,
// so a failure never leaves a half-written file and the old one stays as it was. A target
// whose write permission is off is refused, as Windows refuses a read-only file.
bool writeFileAtomically(const std::filesystem::path& path, std::string_view content,
                         std::string& error);

// The path as given when it exists; else a file of the same name in any letter case in the
// same folder ("!default.kwt" finds "!Default.kwt"); else nothing.
std::optional<std::filesystem::path> findFile(const std::filesystem::path& path);

}  // namespace talvex
