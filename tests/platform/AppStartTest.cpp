// The program itself, started as a user or the desktop's autostart would start it.
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <filesystem>
#include <fstream>

namespace {

// A private working folder, configuration and runtime folder for each start.
class Installation {
  public:
    explicit Installation(bool autoLoad) {
        const std::filesystem::path folder = dir_.path().toStdString();
        std::filesystem::copy_file(std::string(TALVEX_DATA_DIR) + "/!Default.kwt",
                                   folder / "!Default.kwt");
        std::filesystem::create_directories(folder / "config" / "Talvex");
        std::ofstream(folder / "config" / "Talvex.ini")
            << "[Talvex]\nPath=" << folder.string() << "\nAutoLoad=" << (autoLoad ? 1 : 0) << "\n";
        std::filesystem::create_directories(folder / "runtime");
        std::filesystem::permissions(folder / "runtime", std::filesystem::perms::owner_all);
    }

    QString path() const { return dir_.path(); }

    void start(QProcess& process, const QStringList& arguments) const {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("XDG_CONFIG_HOME", dir_.path() + "/config");
        env.insert("XDG_STATE_HOME", dir_.path() + "/state");
        env.insert("XDG_RUNTIME_DIR", dir_.path() + "/runtime");
        env.insert("QT_QPA_PLATFORM", "offscreen");
        env.insert("TALVEX_STARTUP_REPORT", "1");
        process.setProcessEnvironment(env);
        process.setProcessChannelMode(QProcess::SeparateChannels);
        process.start(TALVEX_EXE, arguments);
    }

    // The first start holds the single-instance lock once it is ready to hand over.
    bool holdsTheLock() const {
        for (const auto& entry :
             std::filesystem::directory_iterator(path().toStdString() + "/runtime"))
            if (entry.path().extension() == ".lock") return true;
        return false;
    }

  private:
    QTemporaryDir dir_;
};

// True when the program reported its first painted tape within the time.
bool paintsWithin(QProcess& process, int milliseconds) {
    QElapsedTimer timer;
    timer.start();
    QByteArray seen;
    while (timer.elapsed() < milliseconds) {
        process.waitForReadyRead(100);
        seen += process.readAllStandardError();
        if (seen.contains("first paint")) return true;
    }
    return false;
}

}  // namespace

class AppStartTest : public QObject {
    Q_OBJECT

  private slots:
    // Offscreen there is no tray, as on a desktop without one: a window hidden there could never
    // be found again, so every start without a document shows it (a "-L" start minimised).
    void startsShowTheWindowAndASecondStartHandsOver_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<bool>("autoLoad");
        QTest::newRow("plain") << QStringList{} << false;
        QTest::newRow("-L, AutoLoad 0") << QStringList{"-L"} << false;
    }
    void startsShowTheWindowAndASecondStartHandsOver() {
        QFETCH(QStringList, arguments);
        QFETCH(bool, autoLoad);
        Installation installation(autoLoad);
        QProcess first;
        installation.start(first, arguments);
        QVERIFY(paintsWithin(first, 10000));
        QTRY_VERIFY_WITH_TIMEOUT(installation.holdsTheLock(), 10000);
        QProcess second;
        installation.start(second, {});
        QVERIFY(second.waitForFinished(10000));
        QCOMPARE(second.exitCode(), 0);
        QVERIFY2(!second.readAllStandardError().contains("first paint"),
                 "the second start ends without a window");
        QCOMPARE(first.state(), QProcess::Running);
        first.kill();
        first.waitForFinished(5000);
    }
};

QTEST_MAIN(AppStartTest)
#include "AppStartTest.moc"
