// What a start of the program decides before any window exists: whether the installation is
// usable, whether this start hands over to a running instance, whether the main window is
// shown, and which tape it opens.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "documents/DialogsPort.h"
#include "documents/TapeNames.h"
#include "shell/ConfigStore.h"

namespace talvex {

inline constexpr std::string_view kProductName = "Talvex";

struct StartupMessage {
    std::string text;
    std::string title;
    Buttons buttons = Buttons::ok;
    Icon icon = Icon::error;

    bool operator==(const StartupMessage&) const = default;
};

// What the start has to ask of the system. The window layer answers; tests script it.
class StartupProbe {
  public:
    virtual ~StartupProbe() = default;
    // Makes the folder the current one; the system's description of the failure, or empty.
    virtual std::string enterFolder(const std::filesystem::path& folder);
    virtual bool templateExists(const std::filesystem::path& folder);
    // Shows a Yes/No question; true for Yes.
    virtual bool confirm(const StartupMessage& question) = 0;
    // Asked only by starts that take part in the hand-over. False means this start is now the
    // one instance the others hand over to.
    virtual bool anotherInstanceRuns() = 0;
    // Asks the running instance to restore its main window; false when it cannot be reached.
    virtual bool restoreRunningInstance() = 0;
};

enum class StartupOutcome {
    end,            // show the message, if any, and end
    trayOnly,       // load the main window without showing it and wait in the tray
    showMinimized,  // show the main window minimised (a tray start where there is no tray)
    showMain,       // show the main window
};

struct StartupPlan {
    StartupOutcome outcome = StartupOutcome::end;
    std::optional<StartupMessage> message;  // shown before ending
    std::filesystem::path workingFolder;
    // A document start: closing the main window ends the program, no tray icon is added and
    // the instance neither asks nor answers the hand-over.
    bool startedWithDocument = false;
    // Closing the main window hides it and the program waits in the tray; otherwise closing
    // the window ends the program.
    bool waitsInTray = false;
    // The start file, without its quotes and, when it was relative, taken from the folder the
    // program was started in; empty when none was named.
    std::string startFile;
    // Set when the start file was named but is no tape: the status line reads it and the
    // untitled tape from the template stays open.
    std::string statusText;

    // The tape the main window opens after its template: empty when none or not a tape.
    std::string fileToOpen() const { return statusText.empty() ? startFile : std::string(); }
};

// The working folder becomes the current folder; the system's error text when it cannot.
std::string enterWorkingFolder(const std::filesystem::path& folder);

// "!Default.kwt" in the folder, in any letter case.
bool defaultTemplateExists(const std::filesystem::path& folder);

// The status text for a start file that is not a tape.
std::string notATapeStatus(std::string_view name);

// The text without one pair of surrounding double quotes.
std::string withoutQuotes(std::string_view text);

// The decisions of one start, asking the probe only what each step needs, in its order.
// commandLine is the text after the program's name; startFolder the current folder when the
// program started, before the working folder is entered; config is ConfigStore::locate's result.
StartupPlan planStartup(std::string_view commandLine, const std::filesystem::path& startFolder,
                        const std::optional<ConfigStore>& config, StartupProbe& probe);

// A relative name taken from the folder it was typed in; "." steps go, ".." steps stay because
// they mean the real parent of a linked folder. Empty names and absolute ones stay as given.
std::string fromStartFolder(std::string_view name, const std::filesystem::path& startFolder);

// The plan fitted to the desktop. Where it has no tray a hidden window could never be found
// again: a tray-only start shows its window minimised, and closing the window ends the program.
StartupPlan fitToDesktop(StartupPlan plan, bool hasTray);

}  // namespace talvex
