// Printing the 30,000-line tape into a PDF file through the window's printer back end.
#include <benchmark/benchmark.h>

#include <QTemporaryDir>

#include "PrintingTape.h"
#include "platform/print/QtPrinterSink.h"

namespace {

void BM_PrintTape30000ToPdf(benchmark::State& state) {
    bench::Printing printing;
    talvex::PrintJob job = bench::wholeTape();
    job.charsPerInch = 12;  // a 10-point font
    job.linesPerInch = 7.2;
    talvex::PrintEngine engine(printing.engine, printing.document, printing.layout);
    QTemporaryDir folder;
    talvex::PrinterTarget target;
    target.pdfPath = folder.filePath("tape.pdf").toStdString();
    target.charsPerInch = job.charsPerInch;
    target.linesPerInch = job.linesPerInch;
    for (auto _ : state) {
        talvex::QtPrinterSink sink(target, talvex::PaperSize{8.5, 11});
        const auto outcome = engine.print(job, sink, printing.progress);
        benchmark::DoNotOptimize(outcome);
    }
}
BENCHMARK(BM_PrintTape30000ToPdf)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
