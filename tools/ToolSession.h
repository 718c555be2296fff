#pragma once

#include <deque>
#include <filesystem>
#include <iosfwd>
#include <string>

#include "ToolPrinter.h"
#include "documents/TapeReader.h"
#include "documents/TapeWriter.h"
#include "session/TapeSession.h"

namespace talvex {

// Status messages of the engine, one per line on the error stream. A message repeated at once
// (a key held down past the end of the tape) is printed once and then counted, so a long script
// cannot flood the stream.
class ConsoleView : public ViewPort {
  public:
    explicit ConsoleView(std::ostream& err) : err_(err) {}
    ConsoleView(const ConsoleView&) = delete;
    ConsoleView& operator=(const ConsoleView&) = delete;
    ~ConsoleView() override { flush(); }
    void showStatus(const std::string& text, bool error) override;
    // Prints how often the last message came again, if it did.
    void flush();
    // The errors shown so far, repeats included.
    int errorCount() const { return errors_; }

  private:
    std::ostream& err_;
    std::string last_;
    bool lastWasError_ = false;
    int repeats_ = 0;
    int errors_ = 0;
};

// The documents' questions on the command line: messages go to the error stream, questions
// are answered No (or Cancel where offered) and file dialogs are cancelled, so a command that
// needs the user changes nothing.
class ConsoleDialogs : public DialogsPort {
  public:
    explicit ConsoleDialogs(std::ostream& err) : err_(err) {}
    answer::Answer message(const std::string& text, const std::string& title, Buttons buttons,
                           Icon icon) override;
    FileDialogResult chooseFile(const FileDialogRequest&) override { return {}; }
    // The next queued answer; with none the box is cancelled.
    std::optional<std::string> inputBox(const std::string& prompt, const std::string& title,
                                        const std::string& initial) override;

    std::deque<std::string> answers;

  private:
    std::ostream& err_;
};

// One tape as the command line works on it: the engine, the document and its settings, the
// configuration file read as the program reads it.
class ToolSession {
  public:
    ToolSession(std::ostream& err, char decSep);

    // The default template's tape: six columns, tape on, floating decimals, automatic labels,
    // and the calculator and tape settings kept with the tape.
    void startDefaultTape();
    // Loads a tape file; false with the reason in error when it cannot be read.
    bool load(const std::filesystem::path& path, std::string& error);
    // Whether path names the file that load read (under any spelling of its name).
    bool isLoadedFile(const std::filesystem::path& path) const;
    bool save(const std::filesystem::path& path, TapeKind kind, std::string& error);
    // Every row from 1 to LastRow as the tape file writes data rows.
    void printRows(std::ostream& out) const;

    Engine& engine() { return core_.engine; }
    SettingsGroups& settings() { return core_.settings; }
    const OptionTable& options() const { return core_.options; }
    TapeDocument& document() { return core_.document; }
    const CommandTable& commands() const { return core_.commands; }
    AddinHost& addins() { return core_.addins; }
    PageLayout& layout() { return core_.layout; }
    SessionPrinting& printing() { return core_.printing; }
    ToolPrinter& printer() { return printer_; }
    std::deque<std::string>& answers() { return dialogs_.answers; }
    const LoadReport& lastLoad() const { return lastLoad_; }
    int errorCount() const { return view_.errorCount(); }
    void flushMessages() { view_.flush(); }

  private:
    static ConfigStore findConfig();

    ConsoleView view_;
    ConsoleDialogs dialogs_;
    FrontEndPort noWindow_;
    ProgressPort uncancelled_;
    ToolPrinter printer_;
    TapeSession core_;
    LoadReport lastLoad_;
    std::filesystem::path loadedPath_;
};

}  // namespace talvex
