#pragma once

#include <string>

namespace talvex {

// Settings of the tape that the calculation reads (stored with the document).
struct TapeSettings {
    bool countsOn = false;
    std::string countPrefix;
    bool autoClearText = true;     // option 20
    bool autoSubtotalText = true;  // option 21
    bool autoTotalText = true;     // option 22
    bool autoAddFuncText = true;   // option 23
    // A using line without a description takes its source's description.
    bool autoTitle = false;
    bool starLine = true;    // a blank line follows every "*" line
    bool resultLine = true;  // an add-in result line gets a trailer
};

}  // namespace talvex
