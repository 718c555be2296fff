#include <iostream>
#include <string>
#include <vector>

#include "TapeTool.h"

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    return talvex::runTapeTool(args, std::cin, std::cout, std::cerr,
                               talvex::localeDecimalSeparator());
}
