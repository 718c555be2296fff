#pragma once

#include <string_view>

namespace talvex {

// The endings of the three kinds of tape file, compared in any letter case.
inline constexpr std::string_view kTemplateExtension = ".kwt";
inline constexpr std::string_view kTapeExtension = ".kwd";
inline constexpr std::string_view kDataExtension = ".kwb";

// The name ends in ".kwt", ".kwd" or ".kwb".
bool isTapeFileName(std::string_view name);
bool isTemplateName(std::string_view name);

}  // namespace talvex
