// Key scripts as `talvex-tape keys` plays them, on a short tape: keys, overtyping, inserts,
// deletes, undo and redo, finds and recalculations in any order. Whatever tape they leave
// must save and read back without damage, as the same table.
#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "KeyScript.h"
#include "SavedTape.h"

namespace {

using namespace talvex;

// Short scripts on a short tape keep each run to a few milliseconds.
constexpr size_t kMostScriptBytes = 600;
constexpr int kMostTapeRows = 40;

// The editing commands; the others reach devices, files and add-ins outside the tape.
constexpr std::array<std::string_view, 18> kEditing = {
    "Enter",  "Esc",    "F9",   "Backspace", "key",  "row",   "amount", "desc",   "insert",
    "delete", "recalc", "undo", "redo",      "goto", "group", "option", "answer", "find"};

std::vector<ScriptStep> editingSteps(std::vector<ScriptStep> steps) {
    std::erase_if(steps, [](const ScriptStep& step) {
        return step.isCommand &&
               std::find(kEditing.begin(), kEditing.end(), step.command) == kEditing.end();
    });
    return steps;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size > kMostScriptBytes) return 0;
    fuzz::toolFolder();
    const ParsedScript parsed =
        parseKeyScript(std::string_view(reinterpret_cast<const char*>(data), size));
    if (!parsed.error.empty()) return 0;
    std::ostringstream messages;
    ToolSession session(messages, '.');
    session.engine().setMaxRows(kMostTapeRows);
    playKeyScript(editingSteps(parsed.steps),
                  {session.engine(), session.commands(), session.addins(), session.answers(),
                   &session.document().notes});
    fuzz::expectSavedTapeReadsBack(session, TapeKind::withData, messages);
    return 0;
}
