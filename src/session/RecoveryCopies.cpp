#include "session/RecoveryCopies.h"

#include <algorithm>
#include <charconv>
#include <cstdlib>
#include <system_error>

#include "documents/FileIo.h"

namespace talvex {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kPrefix = "unsaved-";
constexpr std::string_view kTapeExtension = ".kwd";
constexpr std::string_view kNoteExtension = ".note";
constexpr std::string_view kOriginalKey = "original=";
constexpr std::string_view kSavedKey = "saved=";

template <typename Number>
std::optional<Number> wholeNumber(std::string_view text) {
    Number value{};
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size()) return {};
    return value;
}

// The process id in a note's file name ("unsaved-4711.note").
std::optional<int> pidOfNote(const fs::path& path) {
    if (path.extension() != kNoteExtension) return {};
    const std::string stem = path.stem().string();
    if (!stem.starts_with(kPrefix)) return {};
    return wholeNumber<int>(std::string_view(stem).substr(kPrefix.size()));
}

}  // namespace

std::optional<fs::path> recoveryFolder(const char* stateHome, const char* home) {
    if (stateHome && fs::path(stateHome).is_absolute()) return fs::path(stateHome) / "talvex";
    if (home && *home) return fs::path(home) / ".local" / "state" / "talvex";
    return std::nullopt;
}

std::optional<fs::path> recoveryFolder() {
    return recoveryFolder(std::getenv("XDG_STATE_HOME"), std::getenv("HOME"));
}

std::string recoveryNote(const std::string& original, std::time_t saved) {
    return std::string(kOriginalKey) + original + "\n" + std::string(kSavedKey) +
           std::to_string(static_cast<long long>(saved)) + "\n";
}

std::optional<RecoveryCopy> readRecoveryNote(std::string_view text) {
    RecoveryCopy copy;
    bool hasOriginal = false;
    bool hasSaved = false;
    while (!text.empty()) {
        const size_t end = text.find('\n');
        const std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        if (line.starts_with(kOriginalKey)) {
            copy.original = std::string(line.substr(kOriginalKey.size()));
            hasOriginal = true;
        } else if (line.starts_with(kSavedKey)) {
            const auto saved = wholeNumber<long long>(line.substr(kSavedKey.size()));
            if (!saved) return std::nullopt;
            copy.saved = static_cast<std::time_t>(*saved);
            hasSaved = true;
        }
    }
    if (!hasOriginal || !hasSaved) return std::nullopt;
    return copy;
}

RecoveryCopies::RecoveryCopies(fs::path folder, int pid) : folder_(std::move(folder)), pid_(pid) {}

RecoveryCopy RecoveryCopies::copyOf(int pid) const {
    const std::string stem = std::string(kPrefix) + std::to_string(pid);
    RecoveryCopy copy;
    copy.tape = folder_ / (stem + std::string(kTapeExtension));
    copy.note = folder_ / (stem + std::string(kNoteExtension));
    copy.pid = pid;
    return copy;
}

bool RecoveryCopies::write(std::string_view tapeText, const std::string& original,
                           std::time_t saved, std::string& error) const {
    std::error_code ec;
    fs::create_directories(folder_, ec);
    if (ec) {
        error = ec.message();
        return false;
    }
    const RecoveryCopy copy = own();
    return writeFileAtomically(copy.tape, tapeText, error) &&
           writeFileAtomically(copy.note, recoveryNote(original, saved), error);
}

void RecoveryCopies::remove(const RecoveryCopy& copy) {
    std::error_code ec;
    fs::remove(copy.note, ec);
    fs::remove(copy.tape, ec);
}

std::vector<RecoveryCopy> RecoveryCopies::left(const std::function<bool(int)>& running) const {
    std::vector<RecoveryCopy> copies;
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(folder_, ec)) {
        const auto pid = pidOfNote(entry.path());
        if (!pid || *pid == pid_ || running(*pid)) continue;
        std::string error;
        const auto text = readWholeFile(entry.path(), error);
        const auto note = text ? readRecoveryNote(*text) : std::nullopt;
        RecoveryCopy copy = copyOf(*pid);
        if (!note || !fs::is_regular_file(copy.tape, ec)) continue;
        copy.original = note->original;
        copy.saved = note->saved;
        copies.push_back(std::move(copy));
    }
    std::sort(copies.begin(), copies.end(),
              [](const RecoveryCopy& a, const RecoveryCopy& b) { return a.saved > b.saved; });
    return copies;
}

}  // namespace talvex
