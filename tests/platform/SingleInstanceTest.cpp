// One background instance per user: a second start hands over and ends, a crash never blocks
// the next start, and the tray's menu carries the captions users know.
//
// The program runs itself again for the second process: "--second" is a plain start of the
// program, "--hold" an instance that waits until it is killed.
#include <QAction>
#include <QApplication>
#include <QByteArray>
#include <QCoreApplication>
#include <QFile>
#include <QIcon>
#include <QLocalServer>
#include <QLocalSocket>
#include <QMenu>
#include <QProcess>
#include <QSignalSpy>
#include <QSysInfo>
#include <QSystemTrayIcon>
#include <QTemporaryDir>
#include <QTest>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>

#include "platform/SingleInstance.h"
#include "platform/TrayIcon.h"
#include "shell/ConfigStore.h"
#include "shell/Startup.h"

namespace talvex {
namespace {

namespace fs = std::filesystem;

constexpr int kTimeoutMs = 10000;
constexpr int kPlainStartHandedOver = 0;
constexpr int kPlainStartShowedMessage = 1;
constexpr int kPlainStartBecamePrimary = 2;

// The start's questions answered by the real guard, as the program's entry does.
class GuardProbe : public StartupProbe {
  public:
    explicit GuardProbe(SingleInstance& instance) : instance_(instance) {}
    bool confirm(const StartupMessage&) override { return false; }
    bool anotherInstanceRuns() override { return !instance_.tryBecomePrimary(); }
    bool restoreRunningInstance() override {
        return SingleInstance::askPrimaryToRestore(kTimeoutMs);
    }

  private:
    SingleInstance& instance_;
};

std::optional<ConfigStore> locateConfig() {
    return ConfigStore::locate(ConfigStore::sharedConfigDir(), {});
}

int runPlainStart(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    SingleInstance instance(locateConfig());
    GuardProbe probe(instance);
    const StartupPlan plan = planStartup("", locateConfig(), probe);
    if (plan.outcome != StartupOutcome::end) return kPlainStartBecamePrimary;
    return plan.message ? kPlainStartShowedMessage : kPlainStartHandedOver;
}

int runHolder(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    SingleInstance instance;
    if (!instance.tryBecomePrimary()) return 1;
    QObject::connect(&instance, &SingleInstance::restoreRequested, [] {
        std::fputs("restored\n", stdout);
        std::fflush(stdout);
    });
    std::fputs("primary\n", stdout);
    std::fflush(stdout);
    return app.exec();
}

bool waitForLine(QProcess& process, const QByteArray& line) {
    QByteArray seen;
    while (process.waitForReadyRead(kTimeoutMs)) {
        seen += process.readAllStandardOutput();
        if (seen.split('\n').contains(line)) return true;
    }
    return false;
}

// The event loop of a signal wait may already have seen the process end.
bool waitForEnd(QProcess& process) {
    return process.state() == QProcess::NotRunning || process.waitForFinished(kTimeoutMs);
}

void writeText(const QString& path, const QByteArray& text) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(text);
}

}  // namespace

class SingleInstanceTest : public QObject {
    Q_OBJECT

  private slots:
    void init();
    void cleanup();
    void secondPlainStartRestoresTheFirstAndEnds();
    void liveHolderIsRespectedAndItsCrashTakenOver();
    void unusableLockFileDoesNotBlock_data();
    void unusableLockFileDoesNotBlock();
    void secondGuardWaitsForTheFirstToGo();
    void askingWithoutPrimaryFails();
    void onlyRestoreLinesAreRequests_data();
    void onlyRestoreLinesAreRequests();
    void trayMenuHasTheCaptions();
    void trayActivation_data();
    void trayActivation();

  private:
    std::optional<ConfigStore> config() const { return locateConfig(); }
};

void SingleInstanceTest::init() {
    // A configuration whose installation checks pass, so a plain start reaches the guard.
    const fs::path shared = ConfigStore::sharedConfigDir();
    const fs::path work = shared / "work";
    fs::create_directories(work);
    std::ofstream(shared / "Talvex.ini") << "[Talvex]\nPath=" << work.string() << "\n";
    std::ofstream(work / "!Default.kwt") << "";
}

void SingleInstanceTest::cleanup() {
    QFile::remove(SingleInstance::lockFilePath());
    QLocalServer::removeServer(SingleInstance::serverName());
}

void SingleInstanceTest::secondPlainStartRestoresTheFirstAndEnds() {
    SingleInstance primary(config());
    QVERIFY(primary.tryBecomePrimary());
    QCOMPARE(config()->readIpc("Talvex"), SingleInstance::serverName().toStdString());
    QSignalSpy restored(&primary, &SingleInstance::restoreRequested);

    QProcess second;
    second.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--second")});
    QVERIFY(restored.wait(kTimeoutMs));
    QVERIFY(waitForEnd(second));
    QCOMPARE(second.exitStatus(), QProcess::NormalExit);
    QCOMPARE(second.exitCode(), kPlainStartHandedOver);
    QCOMPARE(restored.count(), 1);
    QVERIFY(primary.isPrimary());
}

void SingleInstanceTest::liveHolderIsRespectedAndItsCrashTakenOver() {
    QProcess holder;
    holder.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--hold")});
    QVERIFY(waitForLine(holder, "primary"));

    auto next = std::make_unique<SingleInstance>(config());
    QVERIFY(!next->tryBecomePrimary());
    QVERIFY(SingleInstance::askPrimaryToRestore(kTimeoutMs));
    QVERIFY(waitForLine(holder, "restored"));

    holder.kill();
    QVERIFY(waitForEnd(holder));
    QVERIFY2(QFile::exists(SingleInstance::lockFilePath()), "the crash left its lock");
    QVERIFY2(QFile::exists(SingleInstance::serverName()), "the crash left its socket");

    QVERIFY(next->tryBecomePrimary());
    QSignalSpy restored(next.get(), &SingleInstance::restoreRequested);
    QVERIFY(SingleInstance::askPrimaryToRestore(kTimeoutMs));
    QVERIFY(restored.wait(kTimeoutMs));
}

void SingleInstanceTest::unusableLockFileDoesNotBlock_data() {
    QTest::addColumn<QByteArray>("content");
    const QByteArray host = QSysInfo::machineHostName().toUtf8();
    const QByteArray ownPid = QByteArray::number(QCoreApplication::applicationPid());
    QTest::newRow("empty, the owner died while writing") << QByteArray();
    QTest::newRow("garbage") << QByteArray("\x01\x02 not a lock\n");
    QTest::newRow("dead owner") << QByteArray("2147483000\nTalvex\n" + host + "\n");
    QTest::newRow("owner's number now used by a living process")
        << QByteArray(ownPid + "\nSingleInstanceTest\n" + host + "\n");
}

void SingleInstanceTest::unusableLockFileDoesNotBlock() {
    QFETCH(QByteArray, content);
    writeText(SingleInstance::lockFilePath(), content);
    SingleInstance instance;
    QVERIFY(instance.tryBecomePrimary());
    QSignalSpy restored(&instance, &SingleInstance::restoreRequested);
    QVERIFY(SingleInstance::askPrimaryToRestore(kTimeoutMs));
    QVERIFY(restored.wait(kTimeoutMs));
}

void SingleInstanceTest::secondGuardWaitsForTheFirstToGo() {
    auto first = std::make_unique<SingleInstance>(config());
    auto second = std::make_unique<SingleInstance>(config());
    QVERIFY(first->tryBecomePrimary());
    QVERIFY(!second->tryBecomePrimary());
    QVERIFY(!second->isPrimary());

    first.reset();
    QVERIFY(!QFile::exists(SingleInstance::lockFilePath()));
    QVERIFY(!QFile::exists(SingleInstance::serverName()));
    QCOMPARE(config()->readIpc("Talvex"), std::string());

    QVERIFY(second->tryBecomePrimary());
    QCOMPARE(config()->readIpc("Talvex"), SingleInstance::serverName().toStdString());
    // Whoever wrote the key last owns it.
    config()->writeIpc("Talvex", "written by another");
    second.reset();
    QCOMPARE(config()->readIpc("Talvex"), std::string("written by another"));
}

void SingleInstanceTest::askingWithoutPrimaryFails() {
    QVERIFY(!SingleInstance::askPrimaryToRestore(200));
    // A socket file whose server died.
    writeText(SingleInstance::serverName(), "");
    QVERIFY(!SingleInstance::askPrimaryToRestore(200));
}

void SingleInstanceTest::onlyRestoreLinesAreRequests_data() {
    QTest::addColumn<QByteArrayList>("pieces");
    QTest::addColumn<int>("requests");
    QTest::newRow("one") << QByteArrayList{"restore\n"} << 1;
    QTest::newRow("split") << QByteArrayList{"rest", "ore\n"} << 1;
    QTest::newRow("two in one write") << QByteArrayList{"restore\nrestore\n"} << 2;
    QTest::newRow("other lines") << QByteArrayList{"hello\nrestore\nRESTORE\n"} << 1;
    QTest::newRow("unfinished") << QByteArrayList{"restore"} << 0;
    QTest::newRow("endless line") << QByteArrayList{QByteArray(4096, 'x'), "\nrestore\n"} << 0;
}

void SingleInstanceTest::onlyRestoreLinesAreRequests() {
    QFETCH(QByteArrayList, pieces);
    QFETCH(int, requests);
    SingleInstance instance;
    QVERIFY(instance.tryBecomePrimary());
    QSignalSpy restored(&instance, &SingleInstance::restoreRequested);
    QLocalSocket socket;
    socket.connectToServer(SingleInstance::serverName());
    QVERIFY(socket.waitForConnected(kTimeoutMs));
    for (const QByteArray& piece : pieces) {
        // The server may have hung up on an earlier piece.
        if (socket.state() != QLocalSocket::ConnectedState) break;
        socket.write(piece);
        socket.waitForBytesWritten(kTimeoutMs);
        QTest::qWait(20);
    }
    socket.disconnectFromServer();
    // Time for a wrong request to show; a slow machine gets longer for the right ones.
    QTest::qWait(200);
    QTRY_COMPARE_WITH_TIMEOUT(restored.count(), requests, kTimeoutMs);
}

void SingleInstanceTest::trayMenuHasTheCaptions() {
    TrayIcon tray(QIcon{});
    QCOMPARE(tray.shown(), QSystemTrayIcon::isSystemTrayAvailable());
    QMenu* menu = tray.menu();
    QVERIFY(menu);
    QCOMPARE(menu->title(), QStringLiteral("&SysTray"));
    const QList<QAction*> actions = menu->actions();
    QCOMPARE(actions.size(), 3);
    QCOMPARE(actions[0]->text(), QStringLiteral("&Exit"));
    QVERIFY(actions[1]->isSeparator());
    QCOMPARE(actions[2]->text(), QStringLiteral("&Restore"));

    QSignalSpy exit(&tray, &TrayIcon::exitRequested);
    QSignalSpy restore(&tray, &TrayIcon::restoreRequested);
    actions[0]->trigger();
    QCOMPARE(exit.count(), 1);
    QCOMPARE(restore.count(), 0);
    actions[2]->trigger();
    QCOMPARE(exit.count(), 1);
    QCOMPARE(restore.count(), 1);
}

void SingleInstanceTest::trayActivation_data() {
    QTest::addColumn<QSystemTrayIcon::ActivationReason>("reason");
    QTest::addColumn<int>("restores");
    QTest::newRow("double click") << QSystemTrayIcon::DoubleClick << 1;
    QTest::newRow("single click") << QSystemTrayIcon::Trigger << 0;
    QTest::newRow("menu") << QSystemTrayIcon::Context << 0;
    QTest::newRow("middle click") << QSystemTrayIcon::MiddleClick << 0;
}

void SingleInstanceTest::trayActivation() {
    QFETCH(QSystemTrayIcon::ActivationReason, reason);
    QFETCH(int, restores);
    TrayIcon tray(QIcon{});
    QSignalSpy restore(&tray, &TrayIcon::restoreRequested);
    QSignalSpy exit(&tray, &TrayIcon::exitRequested);
    tray.handleActivation(reason);
    QCOMPARE(restore.count(), restores);
    QCOMPARE(exit.count(), 0);
}

}  // namespace talvex

// The test's own folders, so neither the user's instance nor a parallel run is disturbed;
// the processes it starts inherit them.
int main(int argc, char** argv) {
    if (argc > 1 && std::strcmp(argv[1], "--second") == 0) return talvex::runPlainStart(argc, argv);
    if (argc > 1 && std::strcmp(argv[1], "--hold") == 0) return talvex::runHolder(argc, argv);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir runtime;
    QTemporaryDir config;
    if (!runtime.isValid() || !config.isValid()) return 1;
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime.path()));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(config.path()));
    QApplication app(argc, argv);
    talvex::SingleInstanceTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "SingleInstanceTest.moc"
