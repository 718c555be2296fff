#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "documents/DialogsPort.h"
#include "documents/TapeReader.h"
#include "documents/TapeWriter.h"

namespace talvex {

class Engine;
class SettingsPort;
struct TapeDocument;

// Save keeps the tape's file name; Save As always asks for one.
enum class SaveMode { save = 3, saveAs = 4 };

// The one open document: new from a template, open, save, and the prompt that guards changes.
class Documents {
  public:
    static constexpr const char* kDefaultTemplate = "!Default.kwt";

    Documents(TapeDocument& document, Engine& engine, SettingsPort& settings, DialogsPort& dialogs,
              std::filesystem::path workingFolder);

    // A new tape from the template tapeType, or from one the user chooses.
    bool newGrid(const std::string& tapeType);
    // Opens the file tapeType, or one the user chooses.
    bool openGrid(const std::string& tapeType);
    // Reads FileName into the tape; an unreadable file leaves the tape as it was.
    bool loadGrid();
    // Reads a copy of unsaved changes as the open tape: modified, and named after the tape it
    // belongs to (a new name when that was never saved), so that Save writes that tape.
    bool recoverGrid(const std::string& copy, const std::string& belongsTo);
    // Saves under FileName, asking for a name for Save As or when there is none yet.
    bool saveDocument(SaveMode mode);
    // Asks whether to save a modified tape; the answer is kept in SaveAnswer.
    answer::Answer savePrompt();
    std::string newFileName() const;
    void setTitle();
    void addNote(std::string_view line);
    std::string title() const;
    const std::filesystem::path& workingFolder() const { return workingFolder_; }
    const LoadReport& lastLoad() const { return lastLoad_; }

    static constexpr const char* kOpenFilter =
        "Talvex Calculator Tapes (*.kwd)|*.kwd|Talvex Data Files (*.kwb)|*.kwb|Talvex Templates "
        "(*.kwt)|*.kwt|All Files (*.*)|*.*|";
    static constexpr const char* kSaveTapeFilter =
        "Talvex Calculator Tape (*.kwd)|*.kwd|Talvex Template with Data (*.kwt)|*.kwt|Talvex "
        "Template without Data (*.kwt)|*.kwt";
    static constexpr const char* kSaveDataFilter =
        "Talvex Data File (*.kwb)|*.kwb|Talvex Template with Data (*.kwt)|*.kwt|Talvex Template "
        "without Data (*.kwt)|*.kwt";

  private:
    std::string existingFile(const std::string& name) const;
    bool loadChosenFile();
    bool chooseSaveName();
    void reportLoadProblems(const std::string& path);

    TapeDocument& document_;
    Engine& engine_;
    SettingsPort& settings_;
    DialogsPort& dialogs_;
    std::filesystem::path workingFolder_;
    int saveFilter_ = 1;
    LoadReport lastLoad_;
};

}  // namespace talvex
