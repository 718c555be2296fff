#pragma once

#include <string_view>

namespace talvex {

// The tape has no row left for a new line. Inserting a line says it in its own spelling.
inline constexpr std::string_view kTableFull = "Table full";
inline constexpr std::string_view kTableFullOnInsert = "Table Full";

}  // namespace talvex
