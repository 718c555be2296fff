#pragma once

namespace talvex {

class CommandTable;
class DialogsPort;
class Engine;

// "&Find..." asks for a text and moves the cursor to the next line holding it; "Find &Next"
// and "Find Pre&vious" look again for the last text, forwards or backwards. Each goes round
// the tape once; a text no line holds leaves the cursor where it is and says so.
void addFindCommands(CommandTable& table, Engine& engine, DialogsPort& dialogs, const char* menu);

}  // namespace talvex
