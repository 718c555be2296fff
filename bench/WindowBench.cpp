// Changes to a 30,000-line tape in the window, each timed until the view has painted its result:
// the engine, the model's announcements and the repaint together.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTemporaryDir>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "app/Session.h"
#include "platform/MainWindow.h"
#include "platform/TapeView.h"

namespace {

constexpr int kTapeLines = 30000;

struct Window {
    Window() {
        const std::filesystem::path folder = dir.path().toStdString();
        std::ofstream(folder / "Talvex.ini") << "[Talvex]\nPath=.\nMaxRows=100000\n";
        std::filesystem::copy_file(TALVEX_DATA_DIR "/!Default.kwt", folder / "!Default.kwt");
        session =
            std::make_unique<talvex::Session>(talvex::ConfigStore(folder / "Talvex.ini"), '.');
        session->loadMainWindow({});
        for (int block = 0; engine().state().lastRow <= kTapeLines; ++block) keys("12+7-S");
        session->window().resize(1000, 700);
        session->window().show();
        QApplication::processEvents();
    }
    talvex::Engine& engine() { return session->engine(); }
    void keys(const std::string& text) {
        for (char c : text) engine().keyChar(c);
    }
    void repaint() {
        session->window().tapeView()->viewport()->repaint();
        QApplication::processEvents();
    }
    // Puts the tape back as it was, outside the timing.
    void undo(benchmark::State& state) {
        state.PauseTiming();
        engine().undo();
        QApplication::processEvents();
        state.ResumeTiming();
    }
    QTemporaryDir dir;
    std::unique_ptr<talvex::Session> session;
};

void countLines(benchmark::State& state, Window& window) {
    state.counters["lines"] = window.engine().state().lastRow;
}

void BM_KeyAndRepaintAtEndOfLongTape(benchmark::State& state) {
    Window window;
    for (auto _ : state) {
        window.engine().keyChar('+');
        window.repaint();
    }
    countLines(state, window);
}
BENCHMARK(BM_KeyAndRepaintAtEndOfLongTape)->Unit(benchmark::kMicrosecond)->Iterations(300);

// Overtyping the first amount re-totals every line below it.
void BM_EditLine1OfLongTape(benchmark::State& state) {
    Window window;
    int round = 0;
    for (auto _ : state) {
        window.engine().clickRow(1);
        window.engine().editAmount(++round % 2 ? "13" : "12");
        window.engine().keyChar('+');
        window.repaint();
    }
    countLines(state, window);
}
BENCHMARK(BM_EditLine1OfLongTape)->Unit(benchmark::kMillisecond)->Iterations(10);

// A line put in or taken out at the top, taken back after each round so every round starts
// from the same tape.
template <typename Change>
void changeAtLine1(benchmark::State& state, Change change) {
    Window window;
    for (auto _ : state) {
        window.engine().clickRow(1);
        change(window.engine());
        window.repaint();
        window.undo(state);
    }
    countLines(state, window);
}

void BM_InsertAtLine1OfLongTape(benchmark::State& state) {
    changeAtLine1(state, [](talvex::Engine& engine) { engine.insertRow(); });
}
BENCHMARK(BM_InsertAtLine1OfLongTape)->Unit(benchmark::kMillisecond)->Iterations(10);

void BM_DeleteLine1OfLongTape(benchmark::State& state) {
    changeAtLine1(state, [](talvex::Engine& engine) { engine.deleteRow(); });
}
BENCHMARK(BM_DeleteLine1OfLongTape)->Unit(benchmark::kMillisecond)->Iterations(10);

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
