#include "documents/TapeNames.h"

#include <algorithm>
#include <cctype>

namespace talvex {

namespace {

bool endsWith(std::string_view name, std::string_view ending) {
    if (name.size() < ending.size()) return false;
    return std::equal(ending.begin(), ending.end(), name.end() - ending.size(), [](char a, char b) {
        return std::tolower(static_cast<unsigned char>(a)) ==
               std::tolower(static_cast<unsigned char>(b));
    });
}

}  // namespace

bool isTapeFileName(std::string_view name) {
    return isTemplateName(name) || endsWith(name, kTapeExtension) || endsWith(name, kDataExtension);
}

bool isTemplateName(std::string_view name) {
    return endsWith(name, kTemplateExtension);
}

}  // namespace talvex
