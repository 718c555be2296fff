#pragma once

#include <deque>
#include <string>
#include <string_view>
#include <vector>

namespace talvex {

class AddinHost;
class CommandTable;
class Engine;

// What a script plays into: the engine, the window's commands, the add-ins and the answers the
// next input boxes receive.
struct ScriptTarget {
    Engine& engine;
    const CommandTable& table;
    AddinHost& addins;
    std::deque<std::string>& answers;
    std::string* notes = nullptr;
};

// One step of a key script: a character for the keyboard map, or a command in braces.
struct ScriptStep {
    bool isCommand = false;
    char character = 0;
    std::string command;   // the command's name, e.g. "Enter" or "key"
    std::string argument;  // the text after the name, without the separating blank
};

struct ParsedScript {
    std::vector<ScriptStep> steps;
    std::string error;  // empty when the script is well formed
};

// Splits a script into steps. Newlines are ignored; "{name}" and "{name argument}" are commands
// that must be known and carry the argument their command expects.
ParsedScript parseKeyScript(std::string_view script);

// Plays the steps into an engine, as a user at the keyboard would; "{note TEXT}" adds a line to
// the notes, when there are notes to write to. Returns the command steps that could not run
// (no such command, or one that needs the window).
std::vector<std::string> playKeyScript(const std::vector<ScriptStep>& steps, ScriptTarget target);

}  // namespace talvex
