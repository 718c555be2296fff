// The phone add-in of talvex-tape over a real serial line: a pseudo-terminal pair whose far end
// is a scripted modem that answers every command line with "OK", or stays silent.
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QSerialPort>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

namespace talvex {

namespace {

// A call from the accounts list: dial the first account, send its three logon groups (the
// second is empty), key a digit, the "00" key and the decimal point, and hang up.
constexpr const char* kCallScript =
    "{addin 0 VantAtm}{panel 0 1}{row 1}{panel 0 2}{panel 0 3}{panel 0 3}{panel 0 3}"
    "5{key 10}.{panel 0 2}";
constexpr const char* kCallBytes =
    "ATDT5551234;\rATDT1234;\rATDT5678;\rATDT5;\rATDT*;\rATDT#;\rATH0\r;\r";
constexpr int kToolBoundMs = 30000;

}  // namespace

class ModemCommandLineTest : public QObject {
    Q_OBJECT

  private:
    QTemporaryDir folder_;
    QProcess socat_;

    QString path(const QString& name) const { return folder_.filePath(name); }

    void startTool(QProcess& run, const QString& script) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("XDG_CONFIG_HOME", path("config"));
        run.setProcessEnvironment(env);
        run.start(TALVEX_TAPE_EXE, {"keys", "--port", path("near"), script});
        QVERIFY(run.waitForStarted());
    }

    struct DialEnd {
        QByteArray errors;
        int exitCode = -1;
        qint64 ms = 0;
    };

    // Dials the first account and sends its first logon group, waiting for the tool to end
    // within the bound while the scripted modem answers.
    void dialAndSend(DialEnd& end) {
        QProcess run;
        QElapsedTimer elapsed;
        elapsed.start();
        startTool(run, "{addin 0 VantAtm}{panel 0 1}{row 1}{panel 0 2}{panel 0 3}");
        QTRY_VERIFY_WITH_TIMEOUT(run.state() == QProcess::NotRunning, kToolBoundMs);
        end = {run.readAllStandardError(), run.exitCode(), elapsed.elapsed()};
        QVERIFY(end.ms < kToolBoundMs);
    }

  private slots:
    void initTestCase() {
        if (QStandardPaths::findExecutable("socat").isEmpty()) QSKIP("socat is not installed");
        QVERIFY(QDir().mkpath(path("config")));
        QFile ini(path("config/Talvex.ini"));
        QVERIFY(ini.open(QIODevice::WriteOnly));
        ini.write("[Talvex]\nPath=.\nAddins0=VantPrint,VantAtm\n[Ports]\nCOM1=/dev/no-modem\n");
        ini.close();
        for (const char* name : {"Accounts.kwb", "!Default.kwt"})
            QVERIFY(QFile::copy(QDir(TALVEX_DATA_DIR).filePath(name), path("config/") + name));
    }

    void init() {
        QFile::remove(path("near"));
        QFile::remove(path("far"));
        socat_.start("socat", {"-d", "-d", "pty,raw,echo=0,link=" + path("near"),
                               "pty,raw,echo=0,link=" + path("far")});
        QVERIFY(socat_.waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(path("near")) && QFile::exists(path("far")), 5000);
    }

    void cleanup() {
        socat_.terminate();
        socat_.waitForFinished(3000);
    }

    // Every command line arrives exactly as sent, each after the modem's reply to the one
    // before, and the call ends without a message.
    void callSendsExactBytes() {
        QSerialPort modem(path("far"));
        QVERIFY(modem.open(QIODevice::ReadWrite));
        QByteArray received;
        int answered = 0;
        connect(&modem, &QSerialPort::readyRead, this, [&] {
            received += modem.readAll();
            for (int lines = received.count(";\r"); answered < lines; ++answered)
                modem.write("OK\r\n");
        });
        QProcess run;
        startTool(run, kCallScript);
        QTRY_VERIFY_WITH_TIMEOUT(run.state() == QProcess::NotRunning, kToolBoundMs);
        const QByteArray errors = run.readAllStandardError();
        QCOMPARE(run.exitCode(), 0);
        QVERIFY2(!errors.contains("COM Port"), errors.constData());
        QTRY_COMPARE_WITH_TIMEOUT(received, QByteArray(kCallBytes), 2000);
    }

    // A modem that never answers: the dial ends in its message within the bound, and nothing
    // more is sent on a call that did not start.
    void silentModemEndsWithMessage() {
        QSerialPort modem(path("far"));
        QVERIFY(modem.open(QIODevice::ReadWrite));
        DialEnd end;
        dialAndSend(end);
        if (QTest::currentTestFailed()) return;
        QVERIFY2(end.errors.contains("error: No Response from COM Port 1: Use "
                                     "View-Options-Calculator to Select/Change COM Port"),
                 end.errors.constData());
        QByteArray received;
        QTRY_VERIFY_WITH_TIMEOUT((received += modem.readAll()) == "ATDT5551234;\r", 2000);
    }

    // The far end vanishes after answering the dial: the logon group ends the call with the
    // port's own reason, well within the bound.
    void vanishingPortEndsWithMessage() {
        QSerialPort modem(path("far"));
        QVERIFY(modem.open(QIODevice::ReadWrite));
        bool answered = false;
        connect(&modem, &QSerialPort::readyRead, this, [&] {
            if (!modem.readAll().contains(";\r") || answered) return;
            answered = true;
            modem.write("OK\r\n");
            modem.flush();
            QTimer::singleShot(100, this, [&] { socat_.kill(); });
        });
        DialEnd end;
        dialAndSend(end);
        if (QTest::currentTestFailed()) return;
        QCOMPARE(end.exitCode, 0);
        QVERIFY2(end.errors.contains("error: No Response from COM Port 1: "),
                 end.errors.constData());
        QVERIFY2(end.ms < 15000, QByteArray::number(end.ms));
    }
};

}  // namespace talvex

QTEST_MAIN(talvex::ModemCommandLineTest)
#include "ModemCommandLineTest.moc"
