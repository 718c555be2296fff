#include "session/FindCommands.h"

#include <memory>
#include <string>

#include "documents/DialogsPort.h"
#include "engine/Engine.h"
#include "session/CommandTable.h"
#include "session/LineSearch.h"

namespace talvex {

namespace {

constexpr const char* kFindTitle = "Find";
constexpr const char* kFindPrompt = "Find the line whose description or amount holds:";
constexpr const char* kNotFound = "Not found: ";

// The text the last search looked for, shared by the three commands.
struct LastSearch {
    std::string text;
};

bool askForText(DialogsPort& dialogs, LastSearch& last) {
    const auto typed = dialogs.inputBox(kFindPrompt, kFindTitle, last.text);
    if (!typed || typed->empty()) return false;
    last.text = *typed;
    return true;
}

// The cursor moves as a click on the line would move it, so the registers and the display
// follow it.
void moveToNextHolder(Engine& engine, const std::string& text, SearchDirection direction) {
    const int row = findLine(engine, text, engine.state().curRow, direction);
    if (row == 0) {
        engine.showStatusText(kNotFound + text);
        return;
    }
    engine.clickRow(row);
}

}  // namespace

void addFindCommands(CommandTable& table, Engine& engine, DialogsPort& dialogs, const char* menu) {
    auto last = std::make_shared<LastSearch>();
    table.add({.id = "Find",
               .caption = "&Find...",
               .shortcut = "Ctrl+F",
               .tip = "Finds a line by its description or amount",
               .menu = menu,
               .separatorBefore = true,
               .run = [&engine, &dialogs, last] {
                   if (askForText(dialogs, *last))
                       moveToNextHolder(engine, last->text, SearchDirection::forward);
               }});
    // Without a text yet, they ask for one as Find does.
    const auto again = [&engine, &dialogs, last](SearchDirection direction) {
        return [&engine, &dialogs, last, direction] {
            if (!last->text.empty() || askForText(dialogs, *last))
                moveToNextHolder(engine, last->text, direction);
        };
    };
    table.add({.id = "FindNext",
               .caption = "Find &Next",
               .shortcut = "F3",
               .menu = menu,
               .run = again(SearchDirection::forward)});
    table.add({.id = "FindPrevious",
               .caption = "Find Pre&vious",
               .shortcut = "Shift+F3",
               .menu = menu,
               .run = again(SearchDirection::backward)});
}

}  // namespace talvex
