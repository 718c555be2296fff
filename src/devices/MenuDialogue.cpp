#include "devices/MenuDialogue.h"

#include <algorithm>
#include <fstream>
#include <vector>

#include "documents/DialogsPort.h"
#include "documents/Documents.h"
#include "documents/FileIo.h"
#include "engine/Engine.h"
#include "engine/OptionNumbers.h"

namespace talvex {

namespace {

constexpr int kHangUp = 0;
constexpr int kMore = 1;
constexpr int kMainMenu = 2;
constexpr int kRepeat = 8;
constexpr const char* kSectionExtension = ".1";

struct Section {
    int choice;
    const char* name;
    int pageSize;
};
constexpr Section kSections[] = {{1, "Checks", 5}, {2, "Debits", 5}, {3, "Deposits", 3}};

// The lines of a section file, blank lines left out; nothing when it cannot be read.
std::optional<std::vector<std::string>> sectionLines(const std::filesystem::path& path) {
    std::ifstream in(findFile(path).value_or(path), std::ios::binary);
    if (!in) return std::nullopt;
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (!line.empty()) lines.push_back(line);
    }
    return lines;
}

// An answer counts when it is one digit that the prompt offers ("3=").
std::optional<int> offeredDigit(const std::string& answer, const std::string& choices) {
    const size_t first = answer.find_first_not_of(' ');
    const size_t last = answer.find_last_not_of(' ');
    if (first == std::string::npos || first != last) return std::nullopt;
    const char digit = answer[first];
    if (digit < '0' || digit > '9') return std::nullopt;
    if (choices.find(std::string(1, digit) + "=") == std::string::npos) return std::nullopt;
    return digit - '0';
}

}  // namespace

MenuDialogue::MenuDialogue(Engine& engine, Documents& documents, DialogsPort& dialogs,
                           std::string today)
    : engine_(engine), documents_(documents), dialogs_(dialogs), today_(std::move(today)) {}

void MenuDialogue::run() {
    play("Welcome", 2, 0);
    while (true) {
        const int answer = ask(kMainPrompt);
        if (answer == kHangUp) break;
        if (answer == kRepeat) continue;
        for (const Section& section : kSections) {
            if (section.choice != answer) continue;
            if (play(section.name, section.pageSize, section.pageSize) == kHangUp) {
                play("Goodbye", 2, 0);
                return;
            }
        }
    }
    play("Goodbye", 2, 0);
}

int MenuDialogue::ask(const std::string& prompt) {
    const size_t colon = prompt.find(':');
    const std::string title = prompt.substr(0, colon) + " Menu";
    const size_t start = colon == std::string::npos ? prompt.size() : colon + 1;
    const std::string choices =
        prompt.substr(std::min(prompt.find_first_not_of(' ', start), prompt.size()));
    engine_.showStatusText(choices);
    engine_.showDisplayValue(title);
    engine_.setDisplayStyle(colour::kLcdTapeOff);
    int result = kHangUp;
    while (true) {
        const auto answer = dialogs_.inputBox(choices, title, "");
        if (!answer) break;
        if (const auto digit = offeredDigit(*answer, choices)) {
            result = *digit;
            break;
        }
    }
    engine_.setDisplayStyle(colour::kLcdDataEntry);
    return result;
}

int MenuDialogue::play(const std::string& name, int pageSize, int promptCount) {
    const auto lines = sectionLines(documents_.workingFolder() / (name + kSectionExtension));
    if (!lines) return kMore;
    size_t next = 0;
    while (true) {
        int written = 0;
        while (next < lines->size() && written < pageSize) {
            const SectionRecord record = parseSectionRecord((*lines)[next++], today_);
            write(record);
            if (!record.note) ++written;
        }
        if (next >= lines->size() || promptCount <= 0) return kMainMenu;
        const int answer =
            ask(name + ": 1= " + std::to_string(promptCount) + " More, 2=Main Menu, 0=HangUp");
        if (answer != kMore) return answer;
    }
}

void MenuDialogue::write(const SectionRecord& record) {
    if (record.note)
        documents_.addNote(record.noteText);
    else
        engine_.writeTransaction(record.code, record.amount, record.cells);
}

}  // namespace talvex
