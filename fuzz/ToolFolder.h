// A folder of its own for the tool-session targets: its Talvex.ini keeps every user's settings
// away from the runs, and the tapes they save go nowhere else.
#pragma once

#include "TempFolder.h"

namespace talvex::fuzz {

inline const testing::TempFolder& toolFolder() {
    static const testing::TempFolder folder;
    static const bool written =
        (testing::writeFile(folder / "Talvex.ini", "[Talvex]\nPath=.\n"), true);
    (void)written;
    return folder;
}

}  // namespace talvex::fuzz
