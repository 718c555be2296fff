// The promise every tape makes, however it came about: saved, it opens again without damage
// and as the same table.
#pragma once

#include <ostream>
#include <string>

#include "FuzzCheck.h"
#include "TapeCells.h"
#include "ToolFolder.h"
#include "ToolSession.h"

namespace talvex::fuzz {

inline void expectSavedTapeReadsBack(ToolSession& session, TapeKind kind, std::ostream& messages) {
    std::string error;
    const auto file = toolFolder() / "saved.kwd";
    expect(session.save(file, kind, error), "a tape saves", error);
    ToolSession reread(messages, session.engine().format().decSep());
    expect(reread.load(file, error), "a saved tape opens", error);
    const auto before = keptCells(session.engine());
    const auto after = keptCells(reread.engine());
    expect(before == after, "a saved tape reads back as the same table",
           firstDifference(before, after));
    const auto& problems = reread.lastLoad().problems;
    expect(problems.empty(), "a saved tape reads back without damage",
           problems.empty() ? "" : problems.front());
}

}  // namespace talvex::fuzz
