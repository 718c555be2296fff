// Keying a long tape at its end: the cost of one key must not depend on the tape's length.
#include <benchmark/benchmark.h>

#include <limits>
#include <string>

#include "engine/Engine.h"

namespace {

// A block of ordinary adding-machine work: additions, a product, a subtotal and a total.
const std::string kBlock = "125.5+74.25+19.99-12*3=S8+T";

int linesOfBlock() {
    talvex::ViewPort view;
    talvex::AddinPort addins;
    talvex::Engine engine(view, addins);
    for (char c : kBlock) engine.keyChar(c);
    return engine.state().lastRow - 1;
}

// Keys blocks until the tape holds `lines` lines; returns the number of keys pressed.
long keyTape(talvex::Engine& engine, int lines) {
    long keys = 0;
    while (engine.state().lastRow <= lines) {
        for (char c : kBlock) engine.keyChar(c);
        keys += static_cast<long>(kBlock.size());
    }
    return keys;
}

void BM_KeyTapeToLength(benchmark::State& state) {
    const int lines = static_cast<int>(state.range(0));
    long keys = 0;
    size_t undoBytes = 0;
    for (auto _ : state) {
        talvex::ViewPort view;
        talvex::AddinPort addins;
        talvex::Engine engine(view, addins);
        engine.setMaxRows(lines + 2 * linesOfBlock());
        keys += keyTape(engine, lines);
        undoBytes = engine.history().bytes();
        benchmark::DoNotOptimize(engine.state().lastRow);
    }
    state.counters["per_key"] = benchmark::Counter(
        static_cast<double>(keys), benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
    // What the undo history holds once every line of the tape can be taken back.
    state.counters["undo_MB"] = static_cast<double>(undoBytes) / 1e6;
}
// The cost per key stays flat as the tape grows.
BENCHMARK(BM_KeyTapeToLength)->Arg(1000)->Arg(30000)->Arg(200000)->Unit(benchmark::kMillisecond);

// One more block keyed at the end of a tape that already holds `lines` lines.
void BM_KeyAtEndOfLongTape(benchmark::State& state) {
    const int lines = static_cast<int>(state.range(0));
    talvex::ViewPort view;
    talvex::AddinPort addins;
    talvex::Engine engine(view, addins);
    engine.setMaxRows(std::numeric_limits<int>::max());
    keyTape(engine, lines);
    long keys = 0;
    for (auto _ : state) {
        for (char c : kBlock) engine.keyChar(c);
        keys += static_cast<long>(kBlock.size());
    }
    state.counters["per_key"] = benchmark::Counter(
        static_cast<double>(keys), benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_KeyAtEndOfLongTape)->Arg(100)->Arg(30000)->Unit(benchmark::kMicrosecond);

}  // namespace
