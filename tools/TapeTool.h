#pragma once

#include <iosfwd>
#include <string>
#include <vector>

#include "ToolPrinter.h"

namespace talvex {

inline constexpr int kExitOk = 0;
inline constexpr int kExitFailed = 1;
inline constexpr int kExitUsage = 2;

// The talvex-tape command line: args without the program name. Tape rows go to out, status
// messages and errors to err. defaultDecSep is the decimal separator when --decsep is not given.
// devices are the PDF file and serial port that print can use besides text.
int runTapeTool(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
                std::ostream& err, char defaultDecSep = '.', const ToolDevices& devices = {});

// The decimal separator of the user's numeric locale (LC_ALL, LC_NUMERIC, LANG), as the window
// takes it from the system: "," where the locale writes one, else ".".
char localeDecimalSeparator();

}  // namespace talvex
