// Talvex: the entry routine. It finds the configuration and the working folder, makes sure
// one background instance runs, and shows the main window or waits in the tray.
#include <QApplication>
#include <QLocale>
#include <QStringList>

#include <filesystem>
#include <iostream>
#include <memory>
#include <system_error>

#include "app/RecoveryAnswer.h"
#include "app/Session.h"
#include "app/StartupDialogs.h"
#include "app/StartupReport.h"
#include "app/WindowStart.h"
#include "platform/AppIcon.h"
#include "platform/MainWindow.h"
#include "platform/TapeView.h"
#include "platform/ThemeColours.h"
#include "platform/TrayIcon.h"
#include "platform/network/SingleInstance.h"
#include "shell/UserFolder.h"

namespace {

std::string commandLine(int argc, char** argv) {
    std::string line;
    for (int i = 1; i < argc; ++i) line += (i > 1 ? " " : "") + std::string(argv[i]);
    return line;
}

// Taken before anything can change the current folder: a relative start file was typed here.
std::filesystem::path startFolder() {
    std::error_code error;
    std::filesystem::path folder = std::filesystem::current_path(error);
    return error ? std::filesystem::path() : folder;
}

char systemDecimalSeparator() {
    const QString decimal = QLocale::system().decimalPoint();
    return decimal.size() == 1 && decimal[0] == ',' ? ',' : '.';
}

}  // namespace

int main(int argc, char** argv) {
    const std::filesystem::path startedIn = startFolder();
    QApplication app(argc, argv);
    QApplication::setApplicationName("Talvex");
    QApplication::setWindowIcon(talvex::appIcon());
    talvex::applyPaletteFromEnvironment();
    const std::filesystem::path installDir =
        QCoreApplication::applicationDirPath().toLocal8Bit().toStdString();
    std::string folderError;
    auto config =
        talvex::findOrMakeConfig(talvex::ConfigStore::sharedConfigDir(), installDir,
                                 TALVEX_INSTALLED_DATA_DIR, talvex::userDataFolder(), folderError);
    // The start's own message says the configuration is missing; this says what stood in the way.
    if (!folderError.empty()) std::cerr << "talvex: " << folderError << '\n';
    talvex::SingleInstance instance(config);
    talvex::StartupDialogs dialogs(instance);
    const talvex::StartupPlan plan = talvex::fitToDesktop(
        talvex::planStartup(commandLine(argc, argv), startedIn, config, dialogs),
        talvex::TrayIcon::available());
    if (plan.outcome == talvex::StartupOutcome::end || !config) {
        if (plan.message) talvex::StartupDialogs::show(*plan.message);
        return plan.message ? 1 : 0;
    }
    talvex::Session session(std::move(*config), systemDecimalSeparator());
    session.loadMainWindow(plan.fileToOpen());
    QObject::connect(&session.window(), &talvex::MainWindow::closedForGood, &app,
                     &QApplication::quit);
    talvex::WindowStart start(session, instance, plan);
    std::unique_ptr<talvex::StartupReport> report;
    if (talvex::StartupReport::requested())
        report = std::make_unique<talvex::StartupReport>(session.window().tapeView()->viewport());
    start.show();
    const auto scriptedAnswer = talvex::recoveryAnswerFromEnvironment();
    session.keepRecoveryCopies(scriptedAnswer.get());
    const int result = QApplication::exec();
    session.programEnds();
    session.saveWindowSettings();
    return result;
}
