#pragma once

#include <filesystem>
#include <iosfwd>
#include <string>

#include "documents/TapeReader.h"
#include "documents/TapeWriter.h"
#include "shell/TapeCore.h"

namespace talvex {

// Status messages of the engine, one per line on the error stream.
class ConsoleView : public ViewPort {
  public:
    explicit ConsoleView(std::ostream& err) : err_(err) {}
    void showStatus(const std::string& text, bool error) override;

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
    bool save(const std::filesystem::path& path, TapeKind kind, std::string& error);
    // Every row from 1 to LastRow as the tape file writes data rows.
    void printRows(std::ostream& out) const;

    Engine& engine() { return core_.engine; }
    SettingsGroups& settings() { return core_.settings; }
    TapeDocument& document() { return core_.document; }
    const LoadReport& lastLoad() const { return lastLoad_; }

  private:
    static ConfigStore findConfig();

    ConsoleView view_;
    TapeCore core_;
    LoadReport lastLoad_;
};

}  // namespace talvex
