// Every command a front end offers, once: its caption, key, tip, where it shows, when it is
// enabled and what it runs. The window makes one action per row; talvex-tape runs rows by id.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace talvex {

// What a command changed besides the tape (the engine reports the tape itself), so the front
// end knows what to show again.
enum class Aftermath {
    none,
    view,      // panels, columns or colours
    frame,     // bars and the always-on-top layer
    document,  // another tape, or another configuration's settings
};

struct Command {
    std::string id{};
    std::string caption{};   // with its mnemonic: "&Save"
    std::string shortcut{};  // portable key text: "Ctrl+S"
    std::string tip{};
    // Where it shows: a menu path such as "&Edit/&Goto" ("" for none), whether a separator
    // comes before it there, and its toolbar group (groups are parted by separators; 0 for
    // none) with the short text the toolbar shows.
    std::string menu{};
    bool separatorBefore = false;
    int toolbarGroup = 0;
    std::string toolbarText{};
    std::function<bool()> enabled{};  // unset: always enabled
    std::function<bool()> checked{};  // set: the command is a switch and run toggles it
    std::function<void()> run{};
    Aftermath aftermath = Aftermath::none;

    bool isEnabled() const { return !enabled || enabled(); }
    bool isSwitch() const { return static_cast<bool>(checked); }
};

class CommandTable {
  public:
    void add(Command command);
    const Command* find(std::string_view id) const;
    const std::vector<Command>& commands() const { return commands_; }
    // Runs the command and gives it back; nullptr when there is none by that id or it is
    // disabled.
    const Command* run(std::string_view id) const;

  private:
    std::vector<Command> commands_;
};

}  // namespace talvex
