#include "app/RecoveryKeeper.h"

#include <QCoreApplication>

#include <signal.h>
#include <cerrno>
#include <ctime>
#include <fstream>
#include <iterator>
#include <string>

#include "documents/TapeWriter.h"
#include "session/RecoveryOffer.h"
#include "session/TapeSession.h"

namespace talvex {

namespace {

constexpr int kTickMilliseconds = 500;
constexpr const char* kProgramName = "talvex";

// The tape's name, or nothing for a tape never saved (its proposed name is not a file yet).
std::string savedName(const std::string& fileName) {
    std::error_code ec;
    return !fileName.empty() && std::filesystem::is_regular_file(fileName, ec) ? fileName
                                                                               : std::string();
}

}  // namespace

// A killed process whose parent has not collected it yet still answers, as a zombie ("Z").
bool talvexRunning(int pid) {
    if (pid <= 0) return false;
    if (::kill(pid, 0) != 0 && errno != EPERM) return false;
    const std::string proc = "/proc/" + std::to_string(pid);
    std::ifstream comm(proc + "/comm");
    std::string name;
    // Without /proc the process is taken to be ours: its copy is better kept than offered twice.
    if (!std::getline(comm, name)) return true;
    std::ifstream stat(proc + "/stat");
    const std::string status((std::istreambuf_iterator<char>(stat)),
                             std::istreambuf_iterator<char>());
    const size_t close = status.rfind(')');
    const char state =
        close != std::string::npos && close + 2 < status.size() ? status[close + 2] : 'R';
    return name == kProgramName && state != 'Z' && state != 'X';
}

RecoveryKeeper::RecoveryKeeper(TapeSession& core, const std::filesystem::path& folder,
                               QObject* parent)
    : QObject(parent),
      core_(core),
      copies_(folder, static_cast<int>(QCoreApplication::applicationPid())) {
    worker_.setMaxThreadCount(1);
    connect(&timer_, &QTimer::timeout, this, [this] { tick(); });
    timer_.start(kTickMilliseconds);
}

RecoveryKeeper::~RecoveryKeeper() {
    worker_.waitForDone();
}

bool RecoveryKeeper::offerLeftCopies(DialogsPort& ask) {
    const bool restored = offerRecovery(core_, ask, copies_, talvexRunning, std::time(nullptr));
    if (restored) schedule_.copyKeptAlready();
    return restored;
}

void RecoveryKeeper::tapeChanged() {
    schedule_.changed(RecoverySchedule::Clock::now());
}

void RecoveryKeeper::tick() {
    switch (schedule_.step(core_.engine.state().modified, RecoverySchedule::Clock::now())) {
        case RecoverySchedule::Step::write:
            write();
            break;
        case RecoverySchedule::Step::remove:
            remove();
            break;
        case RecoverySchedule::Step::none:
            break;
    }
}

void RecoveryKeeper::write() {
    std::string text =
        tapeFileText(core_.document, core_.engine, core_.fileSettings, TapeKind::withData);
    std::string original = savedName(core_.document.fileName);
    worker_.start([copies = copies_, text = std::move(text), original = std::move(original)] {
        std::string error;
        copies.write(text, original, std::time(nullptr), error);
    });
}

void RecoveryKeeper::remove() {
    worker_.start([copies = copies_] { copies.remove(); });
}

void RecoveryKeeper::programEnds() {
    timer_.stop();
    const bool unsavedByFailure =
        core_.engine.state().modified && core_.document.saveAnswer == answer::kYes;
    if (!unsavedByFailure) remove();
    worker_.waitForDone();
}

}  // namespace talvex
