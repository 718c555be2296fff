// Recalculating and deleting on long tapes of mixed lines; recalculation at three lengths, so
// its cost per line is seen to stay flat.
#include <benchmark/benchmark.h>

#include <limits>
#include <memory>
#include <string>

#include "engine/Engine.h"

namespace {

constexpr int kTapeLines = 30000;

// Counts error messages, so a benchmark never measures a tape that stopped half way.
struct ErrorCountingView : talvex::ViewPort {
    void showStatus(const std::string&, bool error) override { errors += error ? 1 : 0; }
    int errors = 0;
};

struct LongTape {
    ErrorCountingView view;
    talvex::AddinPort addins;
    talvex::Engine engine{view, addins};

    void key(const std::string& keys) {
        for (char c : keys) engine.keyChar(c);
    }
};

// Additions, subtractions, products, subtotals, totals, references to the first total, and a
// grand total every 1,000 lines.
std::unique_ptr<LongTape> makeTape(int lines = kTapeLines) {
    auto tape = std::make_unique<LongTape>();
    tape->engine.setMaxRows(std::numeric_limits<int>::max());
    tape->key("100+50-T");
    tape->engine.clickRow(3);
    tape->key("RR");
    tape->engine.gotoLine(talvex::GotoTarget::openRow);
    int nextGrandTotal = 1000;
    while (tape->engine.state().lastRow <= lines) {
        tape->key("125.5+74.25+19.99-12*3=S8+R1+T");
        if (tape->engine.state().lastRow >= nextGrandTotal) {
            tape->key("G");
            nextGrandTotal += 1000;
        }
    }
    return tape;
}

void BM_Recalculate(benchmark::State& state) {
    const auto tape = makeTape(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        tape->engine.recalculate(1);
        benchmark::DoNotOptimize(tape->engine.state().lastRow);
    }
    if (tape->view.errors > 0) state.SkipWithError("the tape did not recalculate cleanly");
    state.counters["lines"] = tape->engine.state().lastRow - 1;
    int grandTotals = 0;
    for (int row = 1; row < tape->engine.state().lastRow; ++row)
        grandTotals += tape->engine.cell(row, tape->engine.layout().roles.op) == "G";
    state.counters["grand_totals"] = grandTotals;
    state.counters["per_line"] = benchmark::Counter(
        static_cast<double>(state.iterations()) * (tape->engine.state().lastRow - 1),
        benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_Recalculate)->Arg(1000)->Arg(30000)->Arg(200000)->Unit(benchmark::kMillisecond);

void BM_DeleteFirstLine30000(benchmark::State& state) {
    std::unique_ptr<LongTape> tape;
    for (auto _ : state) {
        state.PauseTiming();
        tape = makeTape();
        tape->engine.clickRow(1);
        state.ResumeTiming();
        tape->engine.deleteRow();
        benchmark::DoNotOptimize(tape->engine.state().lastRow);
    }
}
BENCHMARK(BM_DeleteFirstLine30000)->Unit(benchmark::kMillisecond)->Iterations(20);

// Taking back the delete of the first line and making it again: every line below moved.
void BM_UndoRedoDelete30000(benchmark::State& state) {
    const auto tape = makeTape();
    tape->engine.history().clear();
    tape->engine.clickRow(1);
    tape->engine.deleteRow();
    for (auto _ : state) {
        tape->engine.undo();
        tape->engine.redo();
        benchmark::DoNotOptimize(tape->engine.state().lastRow);
    }
    state.counters["step_MB"] = static_cast<double>(tape->engine.history().bytes()) / 1e6;
}
BENCHMARK(BM_UndoRedoDelete30000)->Unit(benchmark::kMillisecond);

}  // namespace
