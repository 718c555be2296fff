// The recovery copy of the real program: keys typed into its window (on a private X server,
// where xdotool can type) leave a copy in the state folder; after the program is killed the
// next start offers it, and a save removes it.
#include <QElapsedTimer>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <filesystem>
#include <fstream>

namespace {

namespace fs = std::filesystem;

// Xvfb on a display number it chooses itself, so that no other X server is typed into.
class XServer {
  public:
    bool start() {
        if (QStandardPaths::findExecutable("Xvfb").isEmpty() ||
            QStandardPaths::findExecutable("xdotool").isEmpty())
            return false;
        server_.start("Xvfb",
                      {"-displayfd", "1", "-screen", "0", "1280x1024x24", "-nolisten", "tcp"});
        if (!server_.waitForStarted(5000)) return false;
        QElapsedTimer timer;
        timer.start();
        QByteArray number;
        while (!number.contains('\n') && timer.elapsed() < 10000) {
            server_.waitForReadyRead(200);
            number += server_.readAllStandardOutput();
        }
        display_ = ":" + QString::fromLatin1(number.trimmed());
        return number.contains('\n');
    }
    ~XServer() {
        server_.terminate();
        server_.waitForFinished(5000);
    }
    const QString& display() const { return display_; }

  private:
    QProcess server_;
    QString display_;
};

class Installation {
  public:
    Installation() {
        const fs::path folder = path();
        fs::copy_file(std::string(TALVEX_DATA_DIR) + "/!Default.kwt", folder / "!Default.kwt");
        fs::create_directories(folder / "config");
        std::ofstream(folder / "config" / "Talvex.ini")
            << "[Talvex]\nPath=" << folder.string() << "\n";
        fs::create_directories(folder / "runtime");
        fs::permissions(folder / "runtime", fs::perms::owner_all);
    }

    fs::path path() const { return dir_.path().toStdString(); }
    fs::path tape() const { return path() / "Household.kwd"; }
    fs::path copies() const { return path() / "state" / "talvex"; }

    QProcessEnvironment environment(const QString& display) const {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("DISPLAY", display);
        env.insert("QT_QPA_PLATFORM", "xcb");
        env.insert("XDG_CONFIG_HOME", dir_.path() + "/config");
        env.insert("XDG_STATE_HOME", dir_.path() + "/state");
        env.insert("XDG_RUNTIME_DIR", dir_.path() + "/runtime");
        env.insert("TALVEX_STARTUP_REPORT", "1");
        return env;
    }

    // The files of the copy the program with this id keeps.
    bool hasCopyOf(qint64 pid) const {
        const std::string stem = "unsaved-" + std::to_string(pid);
        return fs::exists(copies() / (stem + ".kwd")) && fs::exists(copies() / (stem + ".note"));
    }
    bool noCopies() const { return !fs::exists(copies()) || fs::is_empty(copies()); }

  private:
    QTemporaryDir dir_;
};

QString readAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return QString::fromStdString(
        std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>()));
}

// The rows talvex-tape shows of a tape file.
QString shownRows(const fs::path& tape) {
    QProcess show;
    show.start(TALVEX_TAPE_EXE, {"show", QString::fromStdString(tape.string())});
    show.waitForFinished(10000);
    return QString::fromLocal8Bit(show.readAllStandardOutput());
}

}  // namespace

class RecoveryAppTest : public QObject {
    Q_OBJECT

  private:
    // Starts the program on the tape; the standard error seen until its first paint.
    QString start(QProcess& program, const QString& answer = {}) {
        QProcessEnvironment env = installation_->environment(x_->display());
        if (!answer.isEmpty()) env.insert("TALVEX_RECOVERY_ANSWER", answer);
        program.setProcessEnvironment(env);
        program.start(TALVEX_EXE, {QString::fromStdString(installation_->tape().string())});
        QElapsedTimer timer;
        timer.start();
        QByteArray seen;
        while (!seen.contains("first paint") && timer.elapsed() < 20000) {
            program.waitForReadyRead(100);
            seen += program.readAllStandardError();
        }
        return QString::fromLocal8Bit(seen);
    }
    // Keys typed into the window of the tape, as a user types them.
    bool type(const QStringList& keys) {
        QProcess xdotool;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("DISPLAY", x_->display());
        xdotool.setProcessEnvironment(env);
        xdotool.start(
            "xdotool",
            QStringList{"search", "--sync", "--name", "Household", "windowfocus", "--sync"} + keys);
        return xdotool.waitForFinished(20000) && xdotool.exitCode() == 0;
    }
    void kill(QProcess& program) {
        program.kill();
        program.waitForFinished(5000);
    }

    std::unique_ptr<XServer> x_;
    std::unique_ptr<Installation> installation_;

  private slots:
    void init() {
        x_ = std::make_unique<XServer>();
        if (!x_->start()) QSKIP("needs Xvfb and xdotool");
        installation_ = std::make_unique<Installation>();
        QProcess keys;
        keys.start(TALVEX_TAPE_EXE,
                   {"keys", "-o", QString::fromStdString(installation_->tape().string()), "5+7+T"});
        QVERIFY(keys.waitForFinished(10000) && keys.exitCode() == 0);
    }
    void cleanup() {
        installation_.reset();
        x_.reset();
    }

    void aKilledWindowsChangesAreOfferedAndASaveRemovesThem() {
        const QString keyedBefore = shownRows(installation_->tape());
        QProcess first;
        QVERIFY(start(first).contains("first paint"));
        QVERIFY(type({"type", "9+"}));
        QTRY_VERIFY_WITH_TIMEOUT(installation_->hasCopyOf(first.processId()), 15000);
        const fs::path firstCopy =
            installation_->copies() / ("unsaved-" + std::to_string(first.processId()) + ".kwd");
        QVERIFY(shownRows(firstCopy).contains("\t9.\t+"));
        QVERIFY(
            readAll(installation_->copies() /
                    ("unsaved-" + std::to_string(first.processId()) + ".note"))
                .contains("original=" + QString::fromStdString(installation_->tape().string())));
        // The user's file is as it was: the copy lives in the state folder only.
        QCOMPARE(shownRows(installation_->tape()), keyedBefore);
        kill(first);

        QProcess second;
        const QString offered = start(second, "yes");
        QVERIFY2(offered.contains("recovery offer: Talvex was not closed properly. Restore the "
                                  "unsaved changes to Household.kwd from "),
                 qPrintable(offered));
        // Restored, the tape is this window's copy now.
        QTRY_VERIFY_WITH_TIMEOUT(installation_->hasCopyOf(second.processId()), 10000);
        QVERIFY(!installation_->hasCopyOf(first.processId()));
        QVERIFY(type({"key", "ctrl+s"}));
        QTRY_VERIFY_WITH_TIMEOUT(installation_->noCopies(), 10000);
        QVERIFY(shownRows(installation_->tape()).contains("\t9.\t+"));
        kill(second);
    }
};

QTEST_MAIN(RecoveryAppTest)
#include "RecoveryAppTest.moc"
