// Runs talvex-tape in the test's own process and reads the files it writes.
#pragma once

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "TapeTool.h"

namespace talvex {

struct Result {
    int status;
    std::string out, err;
};

inline Result tool(const std::vector<std::string>& args, const std::string& input = "") {
    std::istringstream in(input);
    std::ostringstream out, err;
    const int status = runTapeTool(args, in, out, err);
    return {status, out.str(), err.str()};
}

inline std::string contents(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

}  // namespace talvex
