// Printing a 30,000-line tape as text on Letter pages with header, footer and dividers.
#include <benchmark/benchmark.h>

#include "PrintingTape.h"

namespace {

void BM_PrintTape30000AsText(benchmark::State& state) {
    bench::Printing printing;
    const talvex::PrintJob job = bench::wholeTape();
    talvex::PrintEngine engine(printing.engine, printing.document, printing.layout);
    for (auto _ : state) {
        talvex::TextSink sink;
        const auto outcome = engine.print(job, sink, printing.progress);
        benchmark::DoNotOptimize(outcome);
        benchmark::DoNotOptimize(sink.text().size());
    }
}
BENCHMARK(BM_PrintTape30000AsText)->Unit(benchmark::kMillisecond);

}  // namespace
