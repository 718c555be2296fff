#include "documents/FileIo.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <sstream>

namespace talvex {

namespace fs = std::filesystem;

namespace {

bool sameIgnoringCase(const std::string& a, const std::string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

bool writeAll(int fd, std::string_view content) {
    while (!content.empty()) {
        const ssize_t written = ::write(fd, content.data(), content.size());
        if (written < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        content.remove_prefix(static_cast<size_t>(written));
    }
    return true;
}

}  // namespace

std::optional<std::string> readWholeFile(const fs::path& path, std::string& error) {
    std::error_code ec;
    if (fs::is_directory(path, ec)) {
        error = "it is a folder";
        return std::nullopt;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        error = std::strerror(errno);
        return std::nullopt;
    }
    std::ostringstream content;
    content << in.rdbuf();
    if (in.bad()) {
        error = "it could not be read";
        return std::nullopt;
    }
    return content.str();
}

bool writeFileAtomically(const fs::path& path, std::string_view content, std::string& error) {
    std::error_code ec;
    const auto existing = fs::status(path, ec);
    if (!ec && fs::exists(existing) &&
        (existing.permissions() & fs::perms::owner_write) == fs::perms::none) {
        error = "the file is read-only";
        return false;
    }
    const fs::path folder = path.has_parent_path() ? path.parent_path() : fs::path(".");
    std::string temp = (folder / ("." + path.filename().string() + ".XXXXXX")).string();
    const int fd = ::mkstemp(temp.data());
    if (fd < 0) {
        error = std::strerror(errno);
        return false;
    }
    const bool written = writeAll(fd, content) && ::fsync(fd) == 0;
    const int savedErrno = errno;
    ::close(fd);
    // The new file keeps the old one's permissions; a new document is readable by others.
    const fs::perms perms = !ec && fs::exists(existing)
                                ? existing.permissions()
                                : fs::perms::owner_read | fs::perms::owner_write |
                                      fs::perms::group_read | fs::perms::others_read;
    std::error_code permsError;
    if (written) fs::permissions(temp, perms, permsError);
    if (!written || ::rename(temp.c_str(), path.c_str()) != 0) {
        error = std::strerror(written ? errno : savedErrno);
        ::unlink(temp.c_str());
        return false;
    }
    return true;
}

std::optional<fs::path> findFile(const fs::path& path) {
    std::error_code ec;
    if (fs::exists(path, ec)) return path;
    const fs::path folder = path.has_parent_path() ? path.parent_path() : fs::path(".");
    const std::string name = path.filename().string();
    for (const auto& entry : fs::directory_iterator(folder, ec)) {
        if (sameIgnoringCase(entry.path().filename().string(), name)) return entry.path();
    }
    return std::nullopt;
}

}  // namespace talvex
