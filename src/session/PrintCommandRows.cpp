// The print commands as the toolbar and the file menu offer them.
#include "session/CommandTable.h"
#include "session/FrontEndPort.h"
#include "session/PrintCommands.h"
#include "session/TapeCommands.h"

namespace talvex {

namespace {
constexpr int kFileTools = 1;
constexpr const char* kFileMenu = "&File";
}  // namespace

void addPrintCommands(CommandTable& table, PrintCommands& printing, FrontEndPort& frontEnd) {
    table.add({.id = "Print",
               .caption = "Print",
               .tip = "Print the tape on the main printer",
               .toolbarGroup = kFileTools,
               .toolbarText = "Print",
               .run = [&printing] { printing.print(PrintRoute::mainPrinter, {}); }});
    table.add({.id = "Sprint",
               .caption = "Sprint",
               .tip = "Print the tape on the label printer",
               .toolbarGroup = kFileTools,
               .toolbarText = "Sprint",
               .enabled = [&printing] { return printing.labelPrinterAvailable(); },
               .run = [&printing] { printing.print(PrintRoute::labelPrinter, {}); }});
    table.add({.id = "SPrint",
               .caption = "SPrint",
               .tip = "Print the tape on the selected printer",
               .toolbarGroup = kFileTools,
               .toolbarText = "SPrint",
               .run = [&printing] { printing.print(PrintRoute::current, {}); }});
    table.add({.id = "PrintOptions",
               .caption = "&Print...",
               .menu = kFileMenu,
               .separatorBefore = true,
               .enabled = [&frontEnd] { return frontEnd.hasWindow(); },
               .run = [&frontEnd] { frontEnd.showPrinterOptions(); }});
}

}  // namespace talvex
