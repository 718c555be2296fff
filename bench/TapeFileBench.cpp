// Reading and writing tapes with register records at three lengths, so the cost per line is
// seen to stay flat, and the recovery copy of a 30,000-line tape.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <limits>
#include <string>

#include "documents/FileIo.h"
#include "documents/TapeDocument.h"
#include "documents/TapeReader.h"
#include "documents/TapeWriter.h"
#include "engine/Engine.h"
#include "session/RecoveryCopies.h"
#include "shell/ConfigStore.h"
#include "shell/OptionTable.h"
#include "shell/SettingsGroups.h"

namespace {

struct Session {
    talvex::ViewPort view;
    talvex::AddinPort addins;
    talvex::Engine engine{view, addins};
    talvex::TapeDocument document{engine};
    talvex::OptionTable options;
    talvex::ConfigStore config{std::filesystem::temp_directory_path() / "talvex-bench-none.ini"};
    talvex::SettingsGroups settings{engine, options, config};

    Session() {
        document.columns.setDefaults();
        settings.setFlag(0, 1);
        settings.setFlag(1, 1);
        engine.setMaxRows(std::numeric_limits<int>::max());
    }
};

std::string longTapeText(int lines = 30000) {
    Session session;
    const std::string block = "125.5+74.25+19.99-12*3=S8+T";
    while (session.engine.state().lastRow <= lines)
        for (char c : block) session.engine.keyChar(c);
    return talvex::tapeFileText(session.document, session.engine, session.settings,
                                talvex::TapeKind::withData);
}

void perLine(benchmark::State& state, const Session& session) {
    state.counters["per_line"] = benchmark::Counter(
        static_cast<double>(state.iterations()) * (session.engine.state().lastRow - 1),
        benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

void BM_ReadTape(benchmark::State& state) {
    const std::string text = longTapeText(static_cast<int>(state.range(0)));
    Session session;
    for (auto _ : state) {
        const auto report =
            talvex::loadTapeText(text, session.document, session.engine, session.settings);
        benchmark::DoNotOptimize(report.dataRows);
    }
    state.counters["bytes"] = static_cast<double>(text.size());
    perLine(state, session);
}
BENCHMARK(BM_ReadTape)->Arg(1000)->Arg(30000)->Arg(200000)->Unit(benchmark::kMillisecond);

void BM_WriteTape(benchmark::State& state) {
    const std::string text = longTapeText(static_cast<int>(state.range(0)));
    Session session;
    talvex::loadTapeText(text, session.document, session.engine, session.settings);
    const auto path = std::filesystem::temp_directory_path() / "talvex-bench-tape.kwd";
    std::string error;
    for (auto _ : state) {
        if (!talvex::saveRecords(path, session.document, session.engine, session.settings,
                                 talvex::TapeKind::withData, error))
            state.SkipWithError(error.c_str());
    }
    std::filesystem::remove(path);
    perLine(state, session);
}
BENCHMARK(BM_WriteTape)->Arg(1000)->Arg(30000)->Arg(200000)->Unit(benchmark::kMillisecond);

// The recovery copy: the tape turned into file text on the window's thread, and the copy and
// its note written (each to a temporary file, synced, renamed) on a worker thread.
void BM_RecoveryTextOfTape30000(benchmark::State& state) {
    const std::string text = longTapeText();
    Session session;
    talvex::loadTapeText(text, session.document, session.engine, session.settings);
    for (auto _ : state) {
        const std::string copy = talvex::tapeFileText(session.document, session.engine,
                                                      session.settings, talvex::TapeKind::withData);
        benchmark::DoNotOptimize(copy.data());
    }
}
BENCHMARK(BM_RecoveryTextOfTape30000)->Unit(benchmark::kMillisecond);

void BM_RecoveryCopyWrite30000(benchmark::State& state) {
    const std::string text = longTapeText();
    const auto folder = std::filesystem::temp_directory_path() / "talvex-bench-recovery";
    const talvex::RecoveryCopies copies(folder, 1);
    std::string error;
    for (auto _ : state) {
        if (!copies.write(text, "/home/user/Household.kwd", 0, error))
            state.SkipWithError(error.c_str());
    }
    std::filesystem::remove_all(folder);
}
BENCHMARK(BM_RecoveryCopyWrite30000)->Unit(benchmark::kMillisecond);

}  // namespace
