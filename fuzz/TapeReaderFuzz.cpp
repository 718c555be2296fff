// The tape file reader on any bytes, as `talvex-tape` and the window open a file. Whatever it
// makes of them is a tape: saved, it must read back without damage and as the same table, or
// a user's next save would lose or move data.
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

#include "SavedTape.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace talvex;
    const auto file = fuzz::toolFolder() / "input.kwd";
    testing::writeFile(file, std::string(reinterpret_cast<const char*>(data), size));
    std::ostringstream messages;
    ToolSession session(messages, '.');
    std::string error;
    fuzz::expect(session.load(file, error), "a file opens", error);
    fuzz::expectSavedTapeReadsBack(session, session.lastLoad().kind, messages);
    return 0;
}
