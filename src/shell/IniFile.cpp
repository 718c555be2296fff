// Reading and safely replacing a private-profile file.
#include "shell/IniFile.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <fstream>
#include <sstream>
#include <utility>

#include "documents/FileIo.h"
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

// An exclusive lock on the file a path names, held for one read-modify-write, so two programs
// writing different keys at once keep both. The lock is on the file itself: no extra file is
// left beside it. Replacing the file by rename gives the path a new file, which a writer that
// waited on the old one notices and locks again. Readers need no lock: they always find one
// whole file or the other.
class FileLock {
  public:
    // Makes the file, empty, when it is missing. Nothing when it cannot be opened or is not a
    // regular file.
    static std::optional<FileLock> take(const fs::path& path) {
        for (int attempt = 0; attempt < kLockAttempts; ++attempt) {
            // Non-blocking, so a pipe in the file's place cannot hang the open.
            FileLock lock(::open(path.c_str(), O_RDONLY | O_CREAT | O_NONBLOCK | O_CLOEXEC, 0666));
            struct stat opened {};
            if (lock.fd_ < 0 || ::fstat(lock.fd_, &opened) != 0 || !S_ISREG(opened.st_mode)) {
                return std::nullopt;
            }
            int locked;
            do {
                locked = ::flock(lock.fd_, LOCK_EX);
            } while (locked != 0 && errno == EINTR);
            if (locked != 0) return std::nullopt;
            struct stat named {};
            if (::stat(path.c_str(), &named) == 0 && named.st_dev == opened.st_dev &&
                named.st_ino == opened.st_ino) {
                return lock;
            }
        }
        return std::nullopt;
    }

    FileLock(FileLock&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
    FileLock& operator=(FileLock&&) = delete;
    // Closing the file ends the lock.
    ~FileLock() {
        if (fd_ >= 0) ::close(fd_);
    }

    std::optional<std::string> content() const {
        std::string text;
        char buffer[8192];
        for (;;) {
            const ssize_t got = ::read(fd_, buffer, sizeof buffer);
            if (got == 0) return text;
            if (got < 0 && errno != EINTR) return std::nullopt;
            if (got > 0) text.append(buffer, static_cast<size_t>(got));
        }
    }

  private:
    // Each attempt loses only to a writer that replaced the file meanwhile.
    static constexpr int kLockAttempts = 1000;

    explicit FileLock(int fd) : fd_(fd) {}
    int fd_;
};

std::string singleLine(std::string_view value) {
    std::string line(value);
    for (char& c : line) {
        if (c == '\r' || c == '\n') c = ' ';
    }
    return line;
}

}  // namespace

std::optional<std::string> IniFile::read(std::string_view section, std::string_view key) const {
    const auto content = fileText(path_);
    if (!content) return std::nullopt;
    return IniLines(*content).value(trimmed(section), trimmed(key));
}

bool IniFile::write(std::string_view section, std::string_view key, std::string_view value) const {
    if (!storableNames(section, key)) return false;
    std::string error;
    // Through a link to the file it names, so replacing the file keeps the link.
    const auto target = linkTarget(path_, error);
    if (!target) return false;
    const auto lock = FileLock::take(*target);
    if (!lock) return false;
    // An existing file that cannot be read must not be replaced by one holding only this key.
    const std::optional<std::string> content = lock->content();
    if (!content) return false;
    IniLines lines(*content);
    lines.setValue(trimmed(section), trimmed(key), trimmed(singleLine(value)));
    // A file without write permission is refused, like the read-only attribute on Windows.
    return writeFileAtomically(*target, lines.text(), error);
}

}  // namespace talvex
