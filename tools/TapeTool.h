#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace talvex {

inline constexpr int kExitOk = 0;
inline constexpr int kExitUsage = 2;

// The talvex-tape command line: args without the program name. Tape rows go to out, status
// messages and errors to err.
int runTapeTool(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
                std::ostream& err);

}  // namespace talvex
