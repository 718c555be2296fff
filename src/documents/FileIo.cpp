#include "documents/FileIo.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <random>
#include <system_error>

namespace talvex {

namespace fs = std::filesystem;

namespace {

bool sameIgnoringCase(const std::string& a, const std::string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

constexpr const char* kFolderError = "it is a folder";
// As many links as the system itself follows before it reports a loop.
constexpr int kMaxLinks = 40;
constexpr int kTemporaryAttempts = 100;

std::string systemError(int number) {
    return std::generic_category().message(number);
}

// A new file beside the target that nobody else can have opened. Its permissions are what the
// umask leaves of read and write for everybody, as for any file a program creates.
int createTemporary(const fs::path& target, std::string& name) {
    thread_local std::mt19937_64 random{std::random_device{}()};
    const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
    for (int attempt = 0; attempt < kTemporaryAttempts; ++attempt) {
        char suffix[24];
        std::snprintf(suffix, sizeof suffix, ".%016llx", static_cast<unsigned long long>(random()));
        name = (folder / ("." + target.filename().string() + suffix)).string();
        const int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    errno = EEXIST;
    return -1;
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
        error = kFolderError;
        return std::nullopt;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        error = std::strerror(errno);
        return std::nullopt;
    }
    // A regular file is read in one block of its size; what is not one, or grew meanwhile, is
    // read on to its end.
    std::error_code sizeError;
    const std::uintmax_t size = fs::file_size(path, sizeError);
    std::string content(sizeError ? 0 : static_cast<size_t>(size), '\0');
    in.read(content.data(), static_cast<std::streamsize>(content.size()));
    content.resize(static_cast<size_t>(in.gcount()));
    std::array<char, 1 << 16> block;
    while (in && (in.read(block.data(), block.size()), in.gcount() > 0))
        content.append(block.data(), static_cast<size_t>(in.gcount()));
    if (in.bad()) {
        error = "it could not be read";
        return std::nullopt;
    }
    return content;
}

std::optional<fs::path> linkTarget(const fs::path& path, std::string& error) {
    fs::path current = path;
    for (int links = 0; links <= kMaxLinks; ++links) {
        struct stat status {};
        if (::lstat(current.c_str(), &status) != 0) {
            // Not there yet: a new file, or the file a dangling link will name once written.
            if (errno == ENOENT) return current;
            error = systemError(errno);
            return std::nullopt;
        }
        if (!S_ISLNK(status.st_mode)) return current;
        std::error_code ec;
        const fs::path target = fs::read_symlink(current, ec);
        if (ec) {
            error = ec.message();
            return std::nullopt;
        }
        // A relative link is taken from the link's own folder.
        current = target.is_absolute() ? target : current.parent_path() / target;
    }
    error = systemError(ELOOP);
    return std::nullopt;
}

bool writeFileAtomically(const fs::path& path, std::string_view content, std::string& error) {
    const auto target = linkTarget(path, error);
    if (!target) return false;
    struct stat existing {};
    const bool exists = ::stat(target->c_str(), &existing) == 0;
    if (!exists && errno != ENOENT) {
        error = systemError(errno);
        return false;
    }
    // Renaming over a pipe or a device would put a plain file in its place and the bytes would
    // never reach what the name stood for.
    if (exists && S_ISDIR(existing.st_mode)) {
        error = kFolderError;
        return false;
    }
    if (exists && !S_ISREG(existing.st_mode)) {
        error = "it is not a regular file";
        return false;
    }
    if (exists && (existing.st_mode & S_IWUSR) == 0) {
        error = "the file is read-only";
        return false;
    }
    std::string temp;
    const int fd = createTemporary(*target, temp);
    if (fd < 0) {
        error = systemError(errno);
        return false;
    }
    // A new file was created with the umask's say; a replaced one keeps its permissions.
    bool done = !exists || ::fchmod(fd, existing.st_mode & 07777) == 0;
    done = done && writeAll(fd, content) && ::fsync(fd) == 0;
    int failure = done ? 0 : errno;
    if (::close(fd) != 0 && done) {
        failure = errno;
        done = false;
    }
    if (done && ::rename(temp.c_str(), target->c_str()) != 0) {
        failure = errno;
        done = false;
    }
    if (!done) {
        error = systemError(failure);
        ::unlink(temp.c_str());
    }
    return done;
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
