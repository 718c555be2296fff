#include "documents/LogoScrambler.h"

namespace talvex {

// Rotates the 94 visible characters "!" to "~" by half their range; blanks and other bytes
// stay as they are.
std::string scrambleLogo(std::string_view text) {
    std::string result(text);
    for (char& c : result) {
        const unsigned char u = static_cast<unsigned char>(c);
        if (u >= 33 && u <= 126) c = static_cast<char>(33 + (u - 33 + 47) % 94);
    }
    return result;
}

}  // namespace talvex
