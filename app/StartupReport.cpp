#include "app/StartupReport.h"

#include <QCoreApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

#include <unistd.h>

namespace talvex {

namespace {

constexpr const char* kVariable = "TALVEX_STARTUP_REPORT";

// Resident memory in kilobytes, from the kernel's view of this process.
long residentKilobytes() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmRSS:", 0) == 0) return std::stol(line.substr(6));
    return 0;
}

// Time since the process started, so loading the program counts too.
qint64 millisecondsSinceProcessStart() {
    std::ifstream stat("/proc/self/stat");
    std::string text((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
    const size_t close = text.rfind(')');
    if (close == std::string::npos) return -1;
    std::istringstream fields(text.substr(close + 2));
    std::string field;
    for (int i = 3; i <= 22 && fields >> field; ++i) {
        if (i != 22) continue;
        const double startTicks = std::stod(field);
        std::ifstream uptimeFile("/proc/uptime");
        double uptime = 0;
        uptimeFile >> uptime;
        return static_cast<qint64>((uptime - startTicks / sysconf(_SC_CLK_TCK)) * 1000.0);
    }
    return -1;
}

}  // namespace

bool StartupReport::requested() {
    return qEnvironmentVariableIsSet(kVariable);
}

StartupReport::StartupReport(QWidget* painted, QObject* parent) : QObject(parent) {
    timer_.start();
    painted->installEventFilter(this);
}

bool StartupReport::eventFilter(QObject* watched, QEvent* event) {
    if (!reported_ && event->type() == QEvent::Paint) {
        reported_ = true;
        watched->removeEventFilter(this);
        std::fprintf(stderr, "first paint: %lld ms after start\nresident memory: %.1f MB\n",
                     static_cast<long long>(millisecondsSinceProcessStart()),
                     static_cast<double>(residentKilobytes()) / 1024.0);
        if (qEnvironmentVariable(kVariable) == "quit")
            QTimer::singleShot(0, [] { QCoreApplication::exit(0); });
    }
    return false;
}

}  // namespace talvex
