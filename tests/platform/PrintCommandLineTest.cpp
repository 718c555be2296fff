// talvex-tape's print command as a user runs it: a PDF file that reads back with the figures of
// the text print, and the label printer's bytes arriving on the far end of a serial line.
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

namespace talvex {

namespace {

// The print layout every case reads from the configuration: the tape format with its subtotal
// and total lines, total lines in bold.
QByteArray configuration() {
    QStringList texts(33);
    texts[0] = "Tape";
    texts[27] = "x   ";
    const int flags = (1 << 1) | (1 << 3) | (1 << 4);  // blank, subtotal and total lines
    return "[Talvex]\nPath=.\n[Printer]\nOptions=" + QByteArray::number(flags) +
           "\nTexts=" + texts.join(',').toLatin1() + "\n";
}

// Every figure of a printed text, line by line.
QStringList figures(const QString& text) {
    static const QRegularExpression figure(R"(-?\d[\d,]*\.\d+)");
    QStringList found;
    for (const QString& line : text.split('\n')) {
        QStringList ofLine;
        for (const auto& m : figure.globalMatch(line)) ofLine << m.captured();
        if (!ofLine.isEmpty()) found << ofLine.join(' ');
    }
    return found;
}

QByteArray withoutBold(QByteArray bytes) {
    return bytes.replace("\x1d\x1e", "").replace("\x1d\x1f", "");
}

}  // namespace

class PrintCommandLineTest : public QObject {
    Q_OBJECT

  private:
    QTemporaryDir folder_;

    QString path(const QString& name) const { return folder_.filePath(name); }

    // Runs talvex-tape with the test's configuration; its standard output.
    QByteArray tool(const QStringList& args, int* status = nullptr) {
        QProcess run;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("XDG_CONFIG_HOME", path("config"));
        run.setProcessEnvironment(env);
        run.start(TALVEX_TAPE_EXE, args);
        if (!run.waitForFinished(30000)) return {};
        if (status) *status = run.exitCode();
        return run.readAllStandardOutput();
    }

  private slots:
    void initTestCase() {
        QVERIFY(QDir().mkpath(path("config")));
        QFile ini(path("config/Talvex.ini"));
        QVERIFY(ini.open(QIODevice::WriteOnly));
        ini.write(configuration());
        ini.close();
        int status = -1;
        tool({"keys", "--decimal-mode", "3", "--places", "2", "-o", path("Tape.kwd"),
              "1250.5+37.25+S19.99-T"},
             &status);
        QCOMPARE(status, 0);
    }

    // The same tape into a PDF and as text: the same figures on the same lines.
    void pdfReadsBackAsTheTextPrint() {
        if (QStandardPaths::findExecutable("pdftotext").isEmpty())
            QSKIP("pdftotext is not installed");
        int status = -1;
        tool({"print", path("Tape.kwd"), "--pdf", path("Tape.pdf")}, &status);
        QCOMPARE(status, 0);
        QProcess reader;
        reader.start("pdftotext", {"-layout", path("Tape.pdf"), "-"});
        QVERIFY(reader.waitForFinished(20000));
        const QString fromPdf = QString::fromLocal8Bit(reader.readAllStandardOutput());
        const QString fromText = QString::fromLocal8Bit(tool({"print", path("Tape.kwd")}));
        QCOMPARE(figures(fromPdf).size(), 5);
        QCOMPARE(figures(fromPdf), figures(fromText));
        // A PDF that cannot be written is a failed print, not an empty success.
        tool({"print", path("Tape.kwd"), "--pdf", path("missing/Tape.pdf")}, &status);
        QCOMPARE(status, 1);
    }

    // Through a pseudo-terminal pair: the start line with the density letter of the size and
    // the cut-or-wrap byte, the lines of the text print ended by LF with the total line's two
    // bold cells between their on and off codes, and the form feed of --feed.
    void labelPrinterBytesEndToEnd_data() {
        QTest::addColumn<QString>("size");
        QTest::addColumn<bool>("wrap");
        QTest::addColumn<char>("letter");
        QTest::newRow("16 cpi") << "7.5" << false << 'P';
        QTest::newRow("12 cpi, wrapped") << "10" << true << 'M';
        QTest::newRow("10 cpi") << "12" << false << 'U';
    }
    void labelPrinterBytesEndToEnd() {
        QFETCH(QString, size);
        QFETCH(bool, wrap);
        QFETCH(char, letter);
        if (QStandardPaths::findExecutable("socat").isEmpty()) QSKIP("socat is not installed");
        const QString near = path("near"), far = path("far");
        QFile::remove(near);
        QFile::remove(far);
        QProcess socat;
        socat.start("socat",
                    {"-d", "-d", "pty,raw,echo=0,link=" + near, "pty,raw,echo=0,link=" + far});
        QVERIFY(socat.waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(near) && QFile::exists(far), 5000);
        QProcess reader;
        reader.start("cat", {far});
        QVERIFY(reader.waitForStarted());
        QTest::qWait(200);  // the far end is open before the first byte arrives

        QStringList args = {"print", path("Tape.kwd"), "--serial", near, "--size", size, "--feed"};
        if (wrap) args << "--wrap";
        int status = -1;
        tool(args, &status);
        QCOMPARE(status, 0);
        QByteArray bytes;
        QTRY_VERIFY_WITH_TIMEOUT((bytes += reader.readAllStandardOutput()).endsWith("\x0c\n"),
                                 5000);
        reader.kill();
        reader.waitForFinished();
        socat.terminate();
        socat.waitForFinished(3000);

        QByteArray start("\x1b*\x1bL\x00\x33\x1b", 7);
        start += letter;
        start += "\x1dT";
        start += wrap ? '\x03' : '\x00';
        start += '\n';
        QVERIFY2(bytes.startsWith(start), bytes.toHex(' ').constData());
        // The feed opens the printer again: its own start line, then the form feed.
        QVERIFY(bytes.endsWith(start + "\x0c\n"));
        const QByteArray body = bytes.mid(start.size(), bytes.size() - 2 * start.size() - 2);
        QCOMPARE(withoutBold(body), tool({"print", path("Tape.kwd")}));
        for (const QByteArray& line : body.split('\n')) {
            const int on = line.count("\x1d\x1e"), off = line.count("\x1d\x1f");
            QCOMPARE(on, off);
            QCOMPARE(on, line.contains("TOTAL") ? 2 : 0);
            if (on) QVERIFY(line.indexOf("\x1d\x1e") < line.indexOf("\x1d\x1f"));
        }
        QVERIFY(!body.contains('\r'));
    }

    // A serial device that is not there: an error, and nothing counted as printed.
    void missingSerialDeviceFails() {
        int status = -1;
        tool({"print", path("Tape.kwd"), "--serial", path("no-such-port")}, &status);
        QCOMPARE(status, 1);
    }
};

}  // namespace talvex

QTEST_MAIN(talvex::PrintCommandLineTest)
#include "PrintCommandLineTest.moc"
