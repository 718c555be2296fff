#include "ToolSession.h"

#include <ostream>

#include "documents/DataRow.h"
#include "documents/FileIo.h"
#include "shell/OptionTable.h"

namespace talvex {

namespace {

constexpr int kTapeOnOption = 17;
constexpr int kFirstAutoTextOption = 20;
constexpr int kLastAutoTextOption = 23;

std::filesystem::path programFolder() {
    std::error_code ec;
    const auto self = std::filesystem::read_symlink("/proc/self/exe", ec);
    return ec ? std::filesystem::current_path() : self.parent_path();
}

}  // namespace

void ConsoleView::showStatus(const std::string& text, bool error) {
    err_ << (error ? "error: " : "status: ") << text << '\n';
}

ConfigStore ToolSession::findConfig() {
    if (auto found = ConfigStore::locate(ConfigStore::sharedConfigDir(), programFolder()))
        return std::move(*found);
    return ConfigStore(programFolder() / ConfigStore::kFileName);
}

ToolSession::ToolSession(std::ostream& err, char decSep)
    : view_(err), core_(view_, findConfig(), decSep) {
    startDefaultTape();
}

void ToolSession::startDefaultTape() {
    core_.document.columns.setDefaults();
    core_.settings.setFlag(settings_group::kCalculator, 1);
    core_.settings.setFlag(settings_group::kTape, 1);
    core_.settings.setOption(kTapeOnOption, 1);
    for (int option = kFirstAutoTextOption; option <= kLastAutoTextOption; ++option)
        core_.settings.setOption(option, 1);
    core_.document.currentColumn = core_.engine.roles().amount;
    core_.engine.newTape();
}

bool ToolSession::load(const std::filesystem::path& path, std::string& error) {
    const auto found = findFile(path);
    const auto text = readWholeFile(found.value_or(path), error);
    if (!text) return false;
    lastLoad_ = loadTapeText(*text, core_.document, core_.engine, core_.settings);
    return true;
}

bool ToolSession::save(const std::filesystem::path& path, TapeKind kind, std::string& error) {
    return saveRecords(path, core_.document, core_.engine, core_.settings, kind, error);
}

void ToolSession::printRows(std::ostream& out) const {
    for (int row = 1; row <= core_.engine.lastRow(); ++row)
        out << dataRowText(core_.engine.table(), row, core_.engine.colCount(),
                           core_.engine.tapeOn())
            << '\n';
}

}  // namespace talvex
