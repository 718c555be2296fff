#pragma once

#include <string>
#include <vector>

namespace talvex {

// What only a front end with a window can do for a command. Without one (the command line),
// the commands that need it are disabled.
class FrontEndPort {
  public:
    virtual ~FrontEndPort() = default;
    virtual bool hasWindow() const { return false; }
    // Ends the program, after the save prompt.
    virtual void exit() {}
    virtual void showOptions() {}
    // The options dialog on its printer tab, whose "&Print" prints the tape.
    virtual void showPrinterOptions() {}
    virtual void showAbout() {}
    virtual void enterWhatsThis() {}
    // A web address, or an absolute path of a local page.
    virtual void openPage(const std::string& /*address*/) {}
    // The messenger's settings, behind its password when Edit Lock asks for one.
    virtual void editMessenger() {}
    // The tape rows selected in the grid, top to bottom; none without a grid.
    virtual std::vector<int> selectedLines() const { return {}; }
};

}  // namespace talvex
