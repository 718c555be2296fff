// A key at the end of a 30,000-line tape in the window: the engine, the model and the repaint.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTemporaryDir>

#include <filesystem>
#include <fstream>
#include <memory>

#include "app/Session.h"
#include "platform/MainWindow.h"
#include "platform/TapeView.h"

namespace {

struct Window {
    Window() {
        const std::filesystem::path folder = dir.path().toStdString();
        std::ofstream(folder / "Talvex.ini") << "[Talvex]\nPath=.\nMaxRows=100000\n";
        std::filesystem::copy_file(TALVEX_DATA_DIR "/!Default.kwt", folder / "!Default.kwt");
        session =
            std::make_unique<talvex::Session>(talvex::ConfigStore(folder / "Talvex.ini"), '.');
        session->loadMainWindow({});
        talvex::Engine& engine = session->engine();
        for (int block = 0; engine.state().lastRow <= 30000; ++block)
            for (char c : std::string("12+7-S")) engine.keyChar(c);
        session->window().resize(1000, 700);
        session->window().show();
        QApplication::processEvents();
    }
    QTemporaryDir dir;
    std::unique_ptr<talvex::Session> session;
};

void BM_KeyAndRepaintAtEndOfLongTape(benchmark::State& state) {
    Window window;
    talvex::TapeView* view = window.session->window().tapeView();
    for (auto _ : state) {
        window.session->engine().keyChar('+');
        view->viewport()->repaint();
        QApplication::processEvents();
    }
    state.counters["lines"] = window.session->engine().state().lastRow;
}
BENCHMARK(BM_KeyAndRepaintAtEndOfLongTape)->Unit(benchmark::kMicrosecond)->Iterations(300);

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM",
            qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
