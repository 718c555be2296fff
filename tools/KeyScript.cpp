#include "KeyScript.h"

#include <charconv>
#include <functional>

#include "engine/Engine.h"
#include "engine/KeyCodes.h"
#include "engine/KeyMap.h"
#include "session/AddinHost.h"
#include "session/CommandTable.h"
#include "session/TapeCommands.h"

namespace talvex {

namespace {

enum class Argument { none, integer, twoIntegers, text, slotAndText, twoIntegersText };

// A step runs on the engine, through the command table as the window's menus do, or on the
// add-ins; false when there is no such command, it cannot run without a window, or the add-in
// or button it names is not there.
using Runner = std::function<bool(ScriptTarget&, const std::string&)>;

struct KnownCommand {
    std::string_view name;
    Argument argument;
    Runner run;
};

int toInt(std::string_view text) {
    int value = 0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
}

int secondInt(const std::string& text) {
    return toInt(std::string_view(text).substr(text.find(' ') + 1));
}

template <typename Step>
Runner onEngine(Step step) {
    return [step](ScriptTarget& t, const std::string& a) {
        step(t.engine, a);
        return true;
    };
}

Runner byId(std::string id) {
    return [id](ScriptTarget& t, const std::string&) { return t.table.run(id) != nullptr; };
}

std::string afterBlank(const std::string& text) {
    const size_t blank = text.find(' ');
    return blank == std::string::npos ? std::string() : text.substr(blank + 1);
}

// A panel's button by its number on the panel, 1 to 8, when the panel shows it.
bool pressPanelButton(AddinHost& addins, int slot, int number) {
    const PanelView* panel = addins.framework().panel(slot);
    if (!panel || number < 1 || number > PanelLayout::kButtons) return false;
    const size_t button = static_cast<size_t>(number - 1);
    if (!panel->layout.buttons[button].shown() || !panel->enabled[button]) return false;
    addins.framework().pressButton(slot, number - 1);
    return true;
}

const std::vector<KnownCommand>& commands() {
    static const std::vector<KnownCommand> table = {
        {"Enter", Argument::none, onEngine([](Engine& e, auto&) { e.pressEnter(); })},
        {"Esc", Argument::none, onEngine([](Engine& e, auto&) { e.keyFront(kEscapeKeyCode); })},
        {"F9", Argument::none, onEngine([](Engine& e, auto&) { e.keyFront(kF9KeyCode); })},
        {"Backspace", Argument::none, onEngine([](Engine& e, auto&) { e.pressBackspace(); })},
        {"key", Argument::integer, onEngine([](Engine& e, auto& a) { e.keyFront(toInt(a)); })},
        {"row", Argument::integer, onEngine([](Engine& e, auto& a) { e.clickRow(toInt(a)); })},
        {"amount", Argument::text, onEngine([](Engine& e, auto& a) { e.editAmount(a); })},
        {"desc", Argument::text,
         onEngine([](Engine& e, auto& a) { e.editCell(e.layout().roles.description, a); })},
        {"insert", Argument::none, byId("Insert")},
        {"delete", Argument::none, byId("Delete")},
        {"recalc", Argument::none, byId("ReCalc")},
        {"undo", Argument::none, byId("Undo")},
        {"redo", Argument::none, byId("Redo")},
        {"goto", Argument::integer,
         [](ScriptTarget& t, const std::string& a) { return t.table.run("Goto" + a) != nullptr; }},
        {"group", Argument::integer,
         onEngine([](Engine& e, auto& a) { pressGroupKey(e, toInt(a)); })},
        {"option", Argument::twoIntegers,
         onEngine([](Engine& e, auto& a) { e.setCalcOption(toInt(a), secondInt(a)); })},
        // Any command of the window's menus and toolbar, by its id.
        {"command", Argument::text,
         [](ScriptTarget& t, const std::string& a) { return t.table.run(a) != nullptr; }},
        // An add-in chosen in a slot's list (0 devices, 1 calculations), by its name.
        {"addin", Argument::slotAndText,
         [](ScriptTarget& t, const std::string& a) {
             return t.addins.chooseByName(toInt(a), afterBlank(a));
         }},
        // An entry of the calculation add-in's function list, by its name.
        {"fn", Argument::text,
         [](ScriptTarget& t, const std::string& a) {
             return t.addins.chooseByName(addin_list::kFunctions, a);
         }},
        {"panel", Argument::twoIntegers,
         [](ScriptTarget& t, const std::string& a) {
             return pressPanelButton(t.addins, toInt(a), secondInt(a));
         }},
        // What the next input box is answered; without one it is cancelled.
        {"answer", Argument::text,
         [](ScriptTarget& t, const std::string& a) {
             t.answers.push_back(a);
             return true;
         }},
        // The Find command answered with the text: the next line holding it becomes current.
        {"find", Argument::text,
         [](ScriptTarget& t, const std::string& a) {
             t.answers.push_back(a);
             return t.table.run("Find") != nullptr;
         }},
        // A line of the notes pad: the pad belongs to the document, so playing it needs one.
        {"note", Argument::text, onEngine([](Engine&, auto&) {})},
    };
    return table;
}

const KnownCommand* findCommand(std::string_view name) {
    for (const KnownCommand& known : commands())
        if (known.name == name) return &known;
    return nullptr;
}

bool isInteger(std::string_view text) {
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return !text.empty() && error == std::errc() && end == text.data() + text.size();
}

// Checks one "{...}" body and turns it into a step; returns an error text or "".
std::string parseCommand(std::string_view body, ScriptStep& step) {
    const size_t blank = body.find(' ');
    step.isCommand = true;
    step.command = std::string(body.substr(0, blank));
    step.argument = blank == std::string_view::npos ? "" : std::string(body.substr(blank + 1));
    const KnownCommand* known = findCommand(step.command);
    if (!known) return "unknown command {" + std::string(body) + "}";
    if (known->argument == Argument::none && blank != std::string_view::npos)
        return "command {" + step.command + "} takes no argument";
    if (known->argument == Argument::integer && !isInteger(step.argument))
        return "command {" + step.command + "} needs a whole number";
    if (known->argument == Argument::slotAndText) {
        const size_t space = step.argument.find(' ');
        const std::string_view arg = step.argument;
        if (space == std::string::npos || !isInteger(arg.substr(0, space)) ||
            space + 1 >= arg.size())
            return "command {" + step.command + "} needs a slot number and a name";
    }
    if (known->argument == Argument::twoIntegers) {
        const size_t space = step.argument.find(' ');
        const std::string_view arg = step.argument;
        if (space == std::string::npos || !isInteger(arg.substr(0, space)) ||
            !isInteger(arg.substr(space + 1)))
            return "command {" + step.command + "} needs two whole numbers";
    }
    return {};
}

}  // namespace

ParsedScript parseKeyScript(std::string_view script) {
    ParsedScript parsed;
    for (size_t i = 0; i < script.size(); ++i) {
        const char c = script[i];
        if (c == '\n' || c == '\r') continue;
        if (c == '}') {
            parsed.error = "unexpected } at position " + std::to_string(i + 1);
            return parsed;
        }
        if (c != '{') {
            parsed.steps.push_back(ScriptStep{false, c, {}, {}});
            continue;
        }
        const size_t close = script.find('}', i + 1);
        if (close == std::string_view::npos) {
            parsed.error = "unclosed { at position " + std::to_string(i + 1);
            return parsed;
        }
        ScriptStep step;
        parsed.error = parseCommand(script.substr(i + 1, close - i - 1), step);
        if (!parsed.error.empty()) return parsed;
        parsed.steps.push_back(std::move(step));
        i = close;
    }
    return parsed;
}

std::vector<std::string> playKeyScript(const std::vector<ScriptStep>& steps, ScriptTarget target) {
    std::vector<std::string> refused;
    for (const ScriptStep& step : steps) {
        if (!step.isCommand) {
            target.engine.keyChar(step.character);
            continue;
        }
        if (step.command == "note" && target.notes) {
            if (!target.notes->empty()) *target.notes += "\r\n";
            *target.notes += step.argument;
            target.engine.setModified(true);
            continue;
        }
        if (const KnownCommand* known = findCommand(step.command))
            if (!known->run(target, step.argument))
                refused.push_back("{" + step.command +
                                  (step.argument.empty() ? "" : " " + step.argument) + "}");
    }
    return refused;
}

}  // namespace talvex
