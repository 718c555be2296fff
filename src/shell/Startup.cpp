// The entry routine's decisions, kept apart from windows so every path can be tested.
#include "shell/Startup.h"

#include <array>
#include <system_error>
#include <utility>

#include "documents/Documents.h"
#include "documents/FileIo.h"
#include "shell/SettingText.h"

namespace talvex {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kReinstall = "Please reinstall Talvex.";
constexpr std::string_view kConfigMissingTitle = "Talvex Configuration not found";
constexpr std::string_view kFolderTitle = "Cannot Locate Talvex Directory ";
constexpr std::string_view kTemplateQuestion =
    "Do you want to try and find it (or an alternative)?";
constexpr std::string_view kAlreadyRunningText = "Use Tray Icon to Activate";
constexpr std::string_view kAlreadyRunningTitle = " is already running";
constexpr std::string_view kNotATape = "is not a valid tape";
constexpr std::string_view kTrayOption = "-L";

std::string joined(std::string_view a, std::string_view b, std::string_view c = {}) {
    std::string text(a);
    text.append(b).append(c);
    return text;
}

StartupPlan endWith(StartupMessage message) {
    StartupPlan plan;
    plan.message = std::move(message);
    return plan;
}

StartupMessage configMissing() {
    return {std::string(kReinstall), std::string(kConfigMissingTitle)};
}

// The system's sentence, then a blank line, then the advice.
StartupMessage folderUnreachable(const fs::path& folder, const std::string& error) {
    return {joined(error, ".\n\n", kReinstall), joined(kFolderTitle, folder.string())};
}

StartupMessage templateQuestion() {
    return {std::string(kTemplateQuestion),
            joined("Talvex Default Template (", Documents::kDefaultTemplate, ") not found"),
            Buttons::yesNo};
}

StartupMessage alreadyRunning() {
    return {std::string(kAlreadyRunningText), joined(kProductName, kAlreadyRunningTitle)};
}

std::string_view trimmed(std::string_view text) {
    constexpr std::string_view kBlanks = " \t\r\n";
    const size_t first = text.find_first_not_of(kBlanks);
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

// Without a blank nothing follows the option: "-L" alone names no file.
std::string_view afterTrayOption(std::string_view commandLine) {
    const size_t blank = commandLine.find(' ');
    if (blank == std::string_view::npos) return {};
    return trimmed(commandLine.substr(blank + 1));
}

// The status line shows the name as the user typed it.
void setStartFile(StartupPlan& plan, std::string_view text, const fs::path& startFolder) {
    const std::string typed = withoutQuotes(text);
    plan.startFile = fromStartFolder(typed, startFolder);
    if (!typed.empty() && !isTapeFileName(typed)) plan.statusText = notATapeStatus(typed);
}

// The installation checks; a plan to end, or nothing when the start may go on.
std::optional<StartupPlan> checkInstallation(const std::optional<ConfigStore>& config,
                                             StartupProbe& probe) {
    if (!config || config->workingFolder().empty()) return endWith(configMissing());
    const fs::path folder = config->workingFolder();
    const std::string error = probe.enterFolder(folder);
    if (!error.empty()) return endWith(folderUnreachable(folder, error));
    if (!probe.templateExists(folder) && !probe.confirm(templateQuestion())) return StartupPlan{};
    return std::nullopt;
}

StartupPlan planTrayStart(std::string_view commandLine, const fs::path& startFolder,
                          const ConfigStore& config, StartupProbe& probe) {
    if (probe.anotherInstanceRuns()) {
        if (probe.restoreRunningInstance()) return StartupPlan{};
        return endWith(alreadyRunning());
    }
    StartupPlan plan;
    plan.outcome = StartupOutcome::showMain;
    plan.waitsInTray = true;
    if (commandLine.starts_with(kTrayOption)) {
        setStartFile(plan, afterTrayOption(commandLine), startFolder);
        if (!config.autoLoad()) plan.outcome = StartupOutcome::trayOnly;
    }
    return plan;
}

StartupPlan planDocumentStart(std::string_view commandLine, const fs::path& startFolder) {
    StartupPlan plan;
    plan.outcome = StartupOutcome::showMain;
    plan.startedWithDocument = true;
    setStartFile(plan, commandLine, startFolder);
    return plan;
}

}  // namespace

std::string StartupProbe::enterFolder(const fs::path& folder) {
    return enterWorkingFolder(folder);
}

bool StartupProbe::templateExists(const fs::path& folder) {
    return defaultTemplateExists(folder);
}

std::string enterWorkingFolder(const fs::path& folder) {
    std::error_code error;
    fs::current_path(folder, error);
    return error ? error.message() : std::string();
}

bool defaultTemplateExists(const fs::path& folder) {
    const auto found = findFile(folder / Documents::kDefaultTemplate);
    std::error_code error;
    return found && fs::is_regular_file(*found, error);
}

std::string notATapeStatus(std::string_view name) {
    return joined(name, " ", kNotATape);
}

std::string withoutQuotes(std::string_view text) {
    if (text.size() >= 2 && text.front() == '"' && text.back() == '"') {
        text = text.substr(1, text.size() - 2);
    }
    return std::string(text);
}

std::string fromStartFolder(std::string_view name, const fs::path& startFolder) {
    const fs::path path(name);
    if (name.empty() || path.is_absolute() || startFolder.empty()) return std::string(name);
    fs::path full;
    for (const fs::path& step : startFolder / path) {
        if (step != ".") full /= step;
    }
    return full.string();
}

StartupPlan planStartup(std::string_view commandLine, const fs::path& startFolder,
                        const std::optional<ConfigStore>& config, StartupProbe& probe) {
    if (auto stop = checkInstallation(config, probe)) return std::move(*stop);
    // Arguments arrive joined with blanks; stray blanks at the ends are no part of a name.
    const std::string_view line = trimmed(commandLine);
    StartupPlan plan = line.empty() || line.starts_with(kTrayOption)
                           ? planTrayStart(line, startFolder, *config, probe)
                           : planDocumentStart(line, startFolder);
    if (plan.outcome != StartupOutcome::end) plan.workingFolder = config->workingFolder();
    return plan;
}

StartupPlan fitToDesktop(StartupPlan plan, bool hasTray) {
    if (hasTray) return plan;
    plan.waitsInTray = false;
    if (plan.outcome == StartupOutcome::trayOnly) plan.outcome = StartupOutcome::showMinimized;
    return plan;
}

}  // namespace talvex
