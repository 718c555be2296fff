// The recovery copies of unsaved tapes: one per running window, kept in the user's state
// folder (never beside the user's file) as a normal tape file and a small note naming the tape
// it belongs to and when it was written. A copy whose window is gone was left by a crash.
#pragma once

#include <ctime>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace talvex {

// "$XDG_STATE_HOME/talvex", or "~/.local/state/talvex" when it is unset or not absolute;
// nothing without either.
std::optional<std::filesystem::path> recoveryFolder(const char* stateHome, const char* home);
std::optional<std::filesystem::path> recoveryFolder();

struct RecoveryCopy {
    std::filesystem::path tape;
    std::filesystem::path note;
    int pid = 0;
    std::string original;  // empty for a tape that was never saved
    std::time_t saved = 0;
};

// The note beside a copy, and what it is read back as; nothing for a note that is not one.
std::string recoveryNote(const std::string& original, std::time_t saved);
std::optional<RecoveryCopy> readRecoveryNote(std::string_view text);

class RecoveryCopies {
  public:
    RecoveryCopies(std::filesystem::path folder, int pid);

    // The copy of this window; its files are named after its process.
    RecoveryCopy own() const { return copyOf(pid_); }
    // Writes this window's copy: the tape first, then its note, each replaced whole, so a note
    // never names a tape that is not complete. Any thread may call it.
    bool write(std::string_view tapeText, const std::string& original, std::time_t saved,
               std::string& error) const;
    // Removes a copy (this window's when none is named); the note goes first.
    void remove() const { remove(own()); }
    static void remove(const RecoveryCopy& copy);

    // The copies of windows that no longer run, the newest first. running: whether a process
    // of this program still runs under that id.
    std::vector<RecoveryCopy> left(const std::function<bool(int)>& running) const;

  private:
    RecoveryCopy copyOf(int pid) const;

    std::filesystem::path folder_;
    int pid_;
};

}  // namespace talvex
