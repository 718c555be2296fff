// Where talvex-tape finds its Qt back ends, and how it loads them when a command first needs
// one.
#pragma once

#include <filesystem>

#include "ToolPrinter.h"

namespace talvex {

// The devices of the module at path, loaded on their first use; none if there is no module.
ToolDevices lazyQtDevices(const std::filesystem::path& path);
// The module's file, or empty if the program has none.
std::filesystem::path findQtModule();
// Lets a loaded module end its application object before the program's statics go.
void finishQtModule();

}  // namespace talvex
