// Reading and safely replacing a private-profile file.
#include "shell/IniFile.h"

#include <cstdio>
#include <fstream>
#include <random>
#include <sstream>

#include "engine/Text.h"
#include "shell/IniLines.h"

namespace talvex {

namespace fs = std::filesystem;

namespace {

std::optional<std::string> fileText(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    std::ostringstream text;
    text << in.rdbuf();
    if (in.bad()) return std::nullopt;
    return std::move(text).str();
}

// A name that would read back as something else (a comment, a section, another key) is refused
// rather than written.
bool storableNames(std::string_view section, std::string_view key) {
    const auto hasAny = [](std::string_view text, std::string_view chars) {
        return text.find_first_of(chars) != std::string_view::npos;
    };
    if (hasAny(section, "]\r\n") || hasAny(key, "=\r\n")) return false;
    const std::string name = trimmed(key);
    return !name.empty() && name.front() != '[' && name.front() != ';' && name.front() != '#';
}

// Writes through a link to the file it names, so replacing the file keeps the link.
std::optional<fs::path> realTarget(const fs::path& path) {
    std::error_code error;
    if (!fs::is_symlink(path, error)) return path;
    fs::path target = fs::weakly_canonical(path, error);
    if (error) return std::nullopt;
    return target;
}

// Like the read-only attribute on Windows: a file without write permission is left alone even
// where the folder would allow replacing it.
bool replaceable(const fs::path& target) {
    std::error_code error;
    const fs::file_status status = fs::status(target, error);
    if (status.type() == fs::file_type::not_found) return true;
    if (error || status.type() != fs::file_type::regular) return false;
    return (status.permissions() & fs::perms::owner_write) != fs::perms::none;
}

std::string singleLine(std::string_view value) {
    std::string line(value);
    for (char& c : line) {
        if (c == '\r' || c == '\n') c = ' ';
    }
    return line;
}

fs::path temporaryName(const fs::path& target) {
    static std::mt19937_64 random{std::random_device{}()};
    char suffix[24];
    std::snprintf(suffix, sizeof suffix, ".%016llx", static_cast<unsigned long long>(random()));
    return target.parent_path() / ("." + target.filename().string() + suffix + ".tmp");
}

bool writeNewFile(const fs::path& path, const std::string& content) {
    // "x": never overwrite a file of the same name that someone else has made meanwhile.
    std::FILE* file = std::fopen(path.c_str(), "wbx");
    if (!file) return false;
    const bool written = std::fwrite(content.data(), 1, content.size(), file) == content.size();
    const bool flushed = std::fflush(file) == 0;
    const bool closed = std::fclose(file) == 0;
    return written && flushed && closed;
}

bool replaceFile(const fs::path& target, const std::string& content) {
    const fs::path temporary = temporaryName(target);
    std::error_code error;
    bool done = writeNewFile(temporary, content);
    const fs::file_status old = fs::status(target, error);
    if (done && fs::exists(old)) fs::permissions(temporary, old.permissions(), error);
    if (done) {
        fs::rename(temporary, target, error);
        done = !error;
    }
    if (!done) fs::remove(temporary, error);
    return done;
}

}  // namespace

std::optional<std::string> IniFile::read(std::string_view section, std::string_view key) const {
    const auto content = fileText(path_);
    if (!content) return std::nullopt;
    return IniLines(*content).value(trimmed(section), trimmed(key));
}

bool IniFile::write(std::string_view section, std::string_view key, std::string_view value) const {
    if (!storableNames(section, key)) return false;
    const auto target = realTarget(path_);
    if (!target || !replaceable(*target)) return false;
    std::error_code error;
    const bool exists = fs::status(*target, error).type() != fs::file_type::not_found;
    // An existing file that cannot be read must not be replaced by one holding only this key.
    const std::optional<std::string> content = exists ? fileText(*target) : std::string();
    if (!content) return false;
    IniLines lines(*content);
    lines.setValue(trimmed(section), trimmed(key), trimmed(singleLine(value)));
    return replaceFile(*target, lines.text());
}

}  // namespace talvex
