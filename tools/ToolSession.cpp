#include "ToolSession.h"
#include "engine/OptionNumbers.h"

#include <ostream>

#include "documents/DataRow.h"
#include "documents/FileIo.h"
#include "shell/OptionTable.h"
#include "shell/UserFolder.h"

namespace talvex {

namespace {

std::filesystem::path programFolder() {
    std::error_code ec;
    const auto self = std::filesystem::read_symlink("/proc/self/exe", ec);
    return ec ? std::filesystem::current_path() : self.parent_path();
}

}  // namespace

void ConsoleView::showStatus(const std::string& text, bool error) {
    // A cleared status bar is no message.
    if (text.empty() && !error) return;
    if (error) ++errors_;
    if (!last_.empty() && text == last_ && error == lastWasError_) {
        ++repeats_;
        return;
    }
    flush();
    err_ << (error ? "error: " : "status: ") << text << '\n';
    last_ = text;
    lastWasError_ = error;
}

void ConsoleView::flush() {
    if (repeats_ > 0) err_ << "status: last message repeated " << repeats_ << " times\n";
    repeats_ = 0;
}

answer::Answer ConsoleDialogs::message(const std::string& text, const std::string& title,
                                       Buttons buttons, Icon icon) {
    err_ << (icon == Icon::error || icon == Icon::warning ? "error: " : "status: ") << title << ": "
         << text << '\n';
    switch (buttons) {
        case Buttons::ok:
            return answer::kOk;
        case Buttons::okCancel:
            return answer::kCancel;
        case Buttons::yesNo:
            return answer::kNo;
        case Buttons::yesNoCancel:
            return answer::kCancel;
    }
    return answer::kCancel;
}

std::optional<std::string> ConsoleDialogs::inputBox(const std::string& prompt,
                                                    const std::string& title, const std::string&) {
    if (answers.empty()) {
        err_ << "status: " << title << ": " << prompt << ": cancelled\n";
        return std::nullopt;
    }
    std::string answer = std::move(answers.front());
    answers.pop_front();
    return answer;
}

ConfigStore ToolSession::findConfig() {
    if (auto found = ConfigStore::locate(ConfigStore::sharedConfigDir(), programFolder()))
        return std::move(*found);
    // An installed tool reads the shipped settings as they are: unlike the window it never
    // makes a folder for the user behind their back.
    const auto shipped = findShippedFolder(programFolder(), TALVEX_INSTALLED_DATA_DIR);
    if (!shipped.empty()) return ConfigStore(*ConfigStore::findFile(shipped));
    return ConfigStore(programFolder() / ConfigStore::kFileName);
}

ToolSession::ToolSession(std::ostream& err, char decSep)
    : view_(err),
      dialogs_(err),
      core_({view_, dialogs_, noWindow_, uncancelled_, printer_}, findConfig(), decSep) {
    printer_.setPaperOf([this](double charsPerInch, double linesPerInch) {
        const auto [width, height] = core_.layout.paperInches(charsPerInch, linesPerInch);
        return PaperInches{width, height};
    });
    startDefaultTape();
}

void ToolSession::startDefaultTape() {
    core_.document.columns.setDefaults();
    core_.settings.setFlag(settings_group::kCalculator, 1);
    core_.settings.setFlag(settings_group::kTape, 1);
    core_.settings.setOption(option::kTapeOn, 1);
    for (int option = option::kAutoClearText; option <= option::kAutoAddFuncText; ++option)
        core_.settings.setOption(option, 1);
    core_.document.currentColumn = core_.engine.layout().roles.amount;
    core_.engine.newTape();
}

bool ToolSession::load(const std::filesystem::path& path, std::string& error) {
    const auto found = findFile(path);
    const auto text = readWholeFile(found.value_or(path), error);
    if (!text) return false;
    loadedPath_ = found.value_or(path);
    lastLoad_ = loadTapeText(*text, core_.document, core_.engine, core_.fileSettings);
    // The name headers and footers print ("$tape"), as the window holds it for an open tape.
    core_.document.fileName = loadedPath_.string();
    return true;
}

bool ToolSession::isLoadedFile(const std::filesystem::path& path) const {
    if (loadedPath_.empty()) return false;
    std::error_code ec;
    if (std::filesystem::equivalent(path, loadedPath_, ec)) return true;
    // Where the file system cannot compare them (a name that does not exist yet), the names do.
    std::error_code pathError, loadedError;
    const auto canonical = std::filesystem::weakly_canonical(path, pathError);
    const auto loaded = std::filesystem::weakly_canonical(loadedPath_, loadedError);
    return !pathError && !loadedError && canonical == loaded;
}

bool ToolSession::save(const std::filesystem::path& path, TapeKind kind, std::string& error) {
    return saveRecords(path, core_.document, core_.engine, core_.fileSettings, kind, error);
}

void ToolSession::printRows(std::ostream& out) const {
    for (int row = 1; row <= core_.engine.state().lastRow; ++row)
        out << dataRowText(core_.engine.table(), row, core_.engine.layout().colCount,
                           core_.engine.state().tapeOn)
            << '\n';
}

}  // namespace talvex
