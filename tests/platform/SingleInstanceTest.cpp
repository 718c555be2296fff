// One background instance per user: a later start finds it and asks it to restore, a crash never
// blocks the next start. The program runs itself again for the second process: "--hold" is an
// instance that waits until it is killed.
#include <QApplication>
#include <QByteArray>
#include <QFile>
#include <QLocalServer>
#include <QLocalSocket>
#include <QProcess>
#include <QSignalSpy>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QTest>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>

#include "platform/network/SingleInstance.h"
#include "shell/ConfigStore.h"

namespace talvex {
namespace {

namespace fs = std::filesystem;

constexpr int kTimeoutMs = 10000;

std::optional<ConfigStore> locateConfig() {
    return ConfigStore::locate(ConfigStore::sharedConfigDir(), {});
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
    std::ofstream(path.toStdString(), std::ios::binary) << text.toStdString();
}

}  // namespace

class SingleInstanceTest : public QObject {
    Q_OBJECT

  private slots:
    void init() {
        // A configuration for the primary to note its server name in.
        const fs::path shared = ConfigStore::sharedConfigDir();
        fs::create_directories(shared);
        std::ofstream(shared / "Talvex.ini") << "[Talvex]\nPath=" << shared.string() << "\n";
    }

    void cleanup() {
        QFile::remove(SingleInstance::lockFilePath());
        QLocalServer::removeServer(SingleInstance::serverName());
        // A folder put in the socket's place, also after a failed check.
        std::error_code error;
        fs::remove_all(SingleInstance::serverName().toStdString(), error);
    }

    void liveHolderIsRespectedAndItsCrashTakenOver() {
        QProcess holder;
        holder.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--hold")});
        QVERIFY(waitForLine(holder, "primary"));

        auto next = std::make_unique<SingleInstance>(locateConfig());
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

    // What a killed run leaves behind never blocks the next start: a socket file with no
    // server, its key in the configuration, a damaged lock file or one whose process number a
    // living process now has. Taking over the lock proves them stale: the key then names this
    // instance's channel, or nothing when a folder in the socket's place stops it listening.
    void leftoversOfAKilledRunDoNotBlock_data() {
        QTest::addColumn<QByteArray>("lock");
        QTest::addColumn<bool>("canListen");
        QTest::newRow("socket and key") << QByteArray() << true;
        QTest::newRow("damaged lock") << QByteArray("\x01\x02 not a lock\n") << true;
        QTest::newRow("owner's number now used by a living process")
            << QByteArray::number(QCoreApplication::applicationPid()) + "\nSingleInstanceTest\n" +
                   QSysInfo::machineHostName().toUtf8() + "\n"
            << true;
        QTest::newRow("cannot listen") << QByteArray() << false;
    }
    void leftoversOfAKilledRunDoNotBlock() {
        QFETCH(QByteArray, lock);
        QFETCH(bool, canListen);
        if (!lock.isEmpty()) writeText(SingleInstance::lockFilePath(), lock);
        const fs::path socket = SingleInstance::serverName().toStdString();
        if (canListen) writeText(SingleInstance::serverName(), "");
        if (!canListen) fs::create_directories(socket / "in the way");
        QVERIFY(locateConfig()->writeIpc("Talvex", "left by a killed run"));
        QVERIFY(!SingleInstance::askPrimaryToRestore(200));
        {
            SingleInstance instance(locateConfig());
            QVERIFY(instance.tryBecomePrimary());
            QCOMPARE(locateConfig()->readIpc("Talvex"), canListen ? socket.string() : "");
            QSignalSpy restored(&instance, &SingleInstance::restoreRequested);
            QCOMPARE(SingleInstance::askPrimaryToRestore(canListen ? kTimeoutMs : 200), canListen);
            if (canListen) QVERIFY(restored.wait(kTimeoutMs));
        }
        QCOMPARE(locateConfig()->readIpc("Talvex"), std::string());
    }

    void onlyRestoreLinesAreRequests_data() {
        QTest::addColumn<QByteArrayList>("pieces");
        QTest::addColumn<int>("requests");
        QTest::newRow("split") << QByteArrayList{"rest", "ore\nrestore\n"} << 2;
        QTest::newRow("other lines") << QByteArrayList{"hello\nrestore\nRESTORE\nrestore"} << 1;
        QTest::newRow("endless line") << QByteArrayList{QByteArray(4096, 'x'), "\nrestore\n"} << 0;
    }

    void onlyRestoreLinesAreRequests() {
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
};

}  // namespace talvex

// The test's own folders, so neither the user's instance nor a parallel run is disturbed;
// the processes it starts inherit them.
int main(int argc, char** argv) {
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
