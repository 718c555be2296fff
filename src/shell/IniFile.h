// One private-profile file ("[section]" headers and "key=value" lines). Every read goes to the
// file so another program's edits are seen; every write replaces the whole file at once so
// nobody ever finds it half written.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace talvex {

class IniFile {
  public:
    explicit IniFile(std::filesystem::path path) : path_(std::move(path)) {}

    const std::filesystem::path& path() const { return path_; }

    // The value (without surrounding blanks), or nothing when the file, section or key is
    // missing. Section and key names compare without regard to case.
    std::optional<std::string> read(std::string_view section, std::string_view key) const;

    // Creates the section and key as needed and leaves every other line as it was. CR and LF
    // in the value become blanks. False when the names cannot be stored (an empty key, "=" in
    // a key, "]" in a section) or the file cannot be replaced; the old file is then untouched.
    // Writers in other processes wait for each other, so none loses another's keys; a link is
    // written through to its file.
    bool write(std::string_view section, std::string_view key, std::string_view value) const;

  private:
    std::filesystem::path path_;
};

}  // namespace talvex
