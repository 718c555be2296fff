// The scripted menu of a phone service: prompts answered with one digit, and section files
// whose transactions are written onto the tape a page at a time.
#pragma once

#include <filesystem>
#include <string>

#include "devices/SectionFile.h"

namespace talvex {

class DialogsPort;
class Documents;
class Engine;

class MenuDialogue {
  public:
    MenuDialogue(Engine& engine, Documents& documents, DialogsPort& dialogs, std::string today);
    void run();

    static constexpr const char* kMainPrompt =
        "Main: 1=Checks,2=Debits,3=Deposits,8=Repeat,0=Hangup";

  private:
    // The answer to a prompt ("Title: choices"); a cancelled prompt answers 0 (hang up).
    int ask(const std::string& prompt);
    // Plays a section; its answer decides what follows (0 hangs up).
    int play(const std::string& name, int pageSize, int promptCount);
    void write(const SectionRecord& record);

    Engine& engine_;
    Documents& documents_;
    DialogsPort& dialogs_;
    std::string today_;
};

}  // namespace talvex
