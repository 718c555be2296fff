#include "documents/Documents.h"
#include "documents/TapeNames.h"

#include <cctype>

#include "documents/FileIo.h"
#include "documents/TapeDocument.h"
#include "engine/Engine.h"

namespace talvex {

namespace fs = std::filesystem;

namespace {

constexpr const char* kProduct = "Talvex";
constexpr const char* kNewTitle = "Create New Tape From What Template?";
constexpr const char* kOpenTitle = "Open What File?";
constexpr const char* kSaveTitle = "Save To What File?";
constexpr const char* kPromptText = "Do you want to Save the Current Talvex Tape?";
constexpr const char* kPromptTitle = "Save Current Talvex Tape?";
constexpr const char* kAccounts = "Accounts.kwb";
constexpr int kTemplateWithoutDataFilter = 3;

}  // namespace

Documents::Documents(TapeDocument& document, Engine& engine, SettingsPort& settings,
                     DialogsPort& dialogs, fs::path workingFolder)
    : document_(document),
      engine_(engine),
      settings_(settings),
      dialogs_(dialogs),
      workingFolder_(std::move(workingFolder)) {}

// A name the user gave, as it exists on disk; relative names are in the working folder.
std::string Documents::existingFile(const std::string& name) const {
    if (name.empty()) return {};
    fs::path path(name);
    if (path.is_relative()) path = workingFolder_ / path;
    const auto found = findFile(path);
    return found ? found->string() : std::string();
}

answer::Answer Documents::savePrompt() {
    if (!engine_.state().modified) return document_.saveAnswer = answer::kNone;
    document_.saveAnswer =
        dialogs_.message(kPromptText, kPromptTitle, Buttons::yesNoCancel, Icon::question);
    // Cancelling the save dialog after Yes does not change the answer: the caller goes on.
    if (document_.saveAnswer == answer::kYes) saveDocument(SaveMode::saveAs);
    return document_.saveAnswer;
}

bool Documents::newGrid(const std::string& tapeType) {
    if (savePrompt() == answer::kCancel) return false;
    document_.dialogName = existingFile(tapeType);
    if (document_.dialogName.empty()) {
        // The template's name as it is on disk: file names are case-sensitive here.
        const std::string found = existingFile(kDefaultTemplate);
        const std::string proposed =
            found.empty() ? std::string(kDefaultTemplate) : fs::path(found).filename().string();
        FileDialogRequest request{
            kNewTitle, kOpenFilter, std::string(kTemplateExtension), 3, workingFolder_.string(),
            proposed,  false};
        document_.dialogName = dialogs_.chooseFile(request).path;
    }
    if (document_.dialogName.empty() || !loadChosenFile()) return false;
    document_.fileName = newFileName();
    setTitle();
    return true;
}

bool Documents::openGrid(const std::string& tapeType) {
    if (savePrompt() == answer::kCancel) return false;
    if (tapeType == kAccounts) document_.returnFile = document_.fileName;
    document_.dialogName = tapeType;
    if (document_.dialogName.empty()) {
        FileDialogRequest request{
            kOpenTitle, kOpenFilter, std::string(kTapeExtension), 1, workingFolder_.string(),
            "",         false};
        document_.dialogName = dialogs_.chooseFile(request).path;
    }
    if (document_.dialogName.empty() || !loadChosenFile()) return false;
    setTitle();
    return true;
}

// Loads DialogName; when it cannot be read the open document keeps its name.
bool Documents::loadChosenFile() {
    const std::string previous = document_.fileName;
    document_.fileName = document_.dialogName;
    if (loadGrid()) return true;
    document_.fileName = previous;
    return false;
}

bool Documents::loadGrid() {
    std::string error;
    const std::string path = existingFile(document_.fileName);
    const auto text = readWholeFile(path.empty() ? document_.fileName : path, error);
    if (!text) {
        dialogs_.message("Cannot open " + document_.fileName + ": " + error, kProduct, Buttons::ok,
                         Icon::error);
        return false;
    }
    if (!path.empty()) document_.fileName = path;
    lastLoad_ = loadTapeText(*text, document_, engine_, settings_);
    // The cursor goes back to the column it was saved in, when the tape still has it.
    const int saved = document_.savedColumn;
    if (saved >= ColumnSet::kFirstColumn && saved <= document_.columns.colCount())
        document_.currentColumn = saved;
    reportLoadProblems(document_.fileName);
    return true;
}

bool Documents::recoverGrid(const std::string& copy, const std::string& belongsTo) {
    document_.dialogName = copy;
    if (!loadChosenFile()) return false;
    document_.fileName = belongsTo.empty() ? newFileName() : belongsTo;
    setTitle();
    engine_.setModified(true);
    return true;
}

void Documents::reportLoadProblems(const std::string& path) {
    if (lastLoad_.problems.empty()) return;
    std::string text = path + " is damaged; what could be read was loaded:";
    for (const std::string& problem : lastLoad_.problems) text += "\n- " + problem;
    dialogs_.message(text, kProduct, Buttons::ok, Icon::warning);
}

bool Documents::chooseSaveName() {
    document_.dialogName = document_.fileName.empty() ? newFileName() : document_.fileName;
    FileDialogRequest request;
    request.title = kSaveTitle;
    request.filter = engine_.state().tapeOn ? kSaveTapeFilter : kSaveDataFilter;
    request.defaultExtension = engine_.state().tapeOn ? kTapeExtension : kDataExtension;
    request.initialFilter = isTemplateName(document_.dialogName) ? 2 : 1;
    request.folder = workingFolder_.string();
    request.proposedName = document_.dialogName;
    request.save = true;
    const FileDialogResult result = dialogs_.chooseFile(request);
    if (result.path.empty()) return false;
    document_.fileName = result.path;
    saveFilter_ = result.filter;
    return true;
}

bool Documents::saveDocument(SaveMode mode) {
    saveFilter_ = 1;
    if ((mode == SaveMode::saveAs || document_.fileName.empty()) && !chooseSaveName()) return false;
    const TapeKind kind = saveFilter_ == kTemplateWithoutDataFilter ? TapeKind::templateWithoutData
                                                                    : TapeKind::withData;
    std::string error;
    if (!saveRecords(document_.fileName, document_, engine_, settings_, kind, error)) {
        // Never reported as saved: the old file is intact and the tape stays modified.
        dialogs_.message("The tape could not be saved to " + document_.fileName + ": " + error,
                         kProduct, Buttons::ok, Icon::error);
        return false;
    }
    setTitle();
    return true;
}

std::string Documents::newFileName() const {
    for (int n = 1;; ++n) {
        const fs::path candidate = workingFolder_ / ("Tape" + std::to_string(n) + ".kwd");
        std::error_code ec;
        if (!fs::exists(candidate, ec)) return candidate.string();
    }
}

std::string Documents::title() const {
    return std::string(kProduct) + " - " + fs::path(document_.fileName).lexically_normal().string();
}

void Documents::setTitle() {
    document_.cleanRow = engine_.state().curRow;
    engine_.setModified(false);
    dialogs_.setTitle(title());
}

void Documents::addNote(std::string_view line) {
    if (!document_.notes.empty()) document_.notes += "\r\n";
    document_.notes += line;
}

}  // namespace talvex
