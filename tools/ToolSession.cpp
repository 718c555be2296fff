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
    : view_(err),
      engine_(view_, addins_, NumberSymbols::forDecSep(decSep)),
      config_(findConfig()),
      settings_(engine_, options_, config_) {
    startDefaultTape();
}

void ToolSession::startDefaultTape() {
    document_.columns.setDefaults();
    settings_.setFlag(settings_group::kCalculator, 1);
    settings_.setFlag(settings_group::kTape, 1);
    settings_.setOption(kTapeOnOption, 1);
    for (int option = kFirstAutoTextOption; option <= kLastAutoTextOption; ++option)
        settings_.setOption(option, 1);
    document_.currentColumn = engine_.roles().amount;
    engine_.newTape();
}

bool ToolSession::load(const std::filesystem::path& path, std::string& error) {
    const auto found = findFile(path);
    const auto text = readWholeFile(found.value_or(path), error);
    if (!text) return false;
    lastLoad_ = loadTapeText(*text, document_, engine_, settings_);
    return true;
}

bool ToolSession::save(const std::filesystem::path& path, TapeKind kind, std::string& error) {
    return saveRecords(path, document_, engine_, settings_, kind, error);
}

void ToolSession::printRows(std::ostream& out) const {
    for (int row = 1; row <= engine_.lastRow(); ++row)
        out << dataRowText(engine_.table(), row, engine_.colCount(), engine_.tapeOn()) << '\n';
}

}  // namespace talvex
