#include "session/CommandTable.h"

#include <cassert>

namespace talvex {

void CommandTable::add(Command command) {
    assert(!find(command.id) && "command ids are unique");
    commands_.push_back(std::move(command));
}

const Command* CommandTable::find(std::string_view id) const {
    for (const Command& command : commands_)
        if (command.id == id) return &command;
    return nullptr;
}

const Command* CommandTable::run(std::string_view id) const {
    const Command* command = find(id);
    if (!command || !command->isEnabled() || !command->run) return nullptr;
    command->run();
    return command;
}

}  // namespace talvex
