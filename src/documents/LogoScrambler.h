#pragma once

#include <string>
#include <string_view>

namespace talvex {

// The messenger's texts are kept in tape files in a scrambled form. The mapping turns
// printable characters into printable characters (never TAB, CR or LF) and is its own inverse.
std::string scrambleLogo(std::string_view text);
inline std::string unscrambleLogo(std::string_view text) {
    return scrambleLogo(text);
}

}  // namespace talvex
