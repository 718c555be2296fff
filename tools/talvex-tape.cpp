#include <iostream>
#include <string>
#include <vector>

#include "HeapPages.h"
#include "TapeTool.h"

#if TALVEX_TOOL_QT
#include "QtModule.h"
#endif

namespace {

talvex::ToolDevices qtDevices() {
#if TALVEX_TOOL_QT
    return talvex::lazyQtDevices(talvex::findQtModule());
#else
    return {};
#endif
}

}  // namespace

int main(int argc, char** argv) {
    talvex::preferLargeHeapPages();
    const std::vector<std::string> args(argv + 1, argv + argc);
    const int status = talvex::runTapeTool(args, std::cin, std::cout, std::cerr,
                                           talvex::localeDecimalSeparator(), qtDevices());
#if TALVEX_TOOL_QT
    talvex::finishQtModule();
#endif
    return status;
}
