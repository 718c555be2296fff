// The window under a dark desktop: the built-in colours switch to their dark set, which reads
// as chosen (nothing has to be corrected to read), and a colour the user chose stays theirs.
#include <QApplication>
#include <QBrush>
#include <QColor>
#include <QPalette>
#include <QPlainTextEdit>
#include <QStyle>
#include <QStyleFactory>

#include "WindowHarness.h"
#include "engine/Engine.h"
#include "engine/OptionNumbers.h"
#include "platform/Colours.h"
#include "platform/DisplayBar.h"
#include "platform/TapeModel.h"
#include "platform/ThemeColours.h"
#include "session/TapeSession.h"
#include "shell/OptionTable.h"
#include "shell/SettingsGroups.h"

namespace talvex {

namespace {

QColor darkSet(int colour) {
    return colourFromSetting(OptionTable::darkDefaultColour(colour));
}

QColor lightSet(int colour) {
    return colourFromSetting(OptionTable::defaultColour(colour));
}

}  // namespace

class DarkThemeTest : public QObject {
    Q_OBJECT

  private:
    WindowHarness h_;

    TapeModel& model() { return *h_.view()->tapeModel(); }
    QColor cellInk(int tapeRow) {
        const int amount = h_.engine().layout().roles.amount;
        const QModelIndex cell =
            model().index(model().modelRow(tapeRow), TapeModel::modelColumn(amount));
        return cell.data(Qt::ForegroundRole).value<QBrush>().color();
    }
    bool openWindow(const QPalette& palette) {
        QApplication::setPalette(palette);
        h_.install();
        return h_.open();
    }

  private slots:
    void initTestCase() { QApplication::setStyle(QStyleFactory::create("Fusion")); }
    void cleanup() {
        h_.session.reset();
        QApplication::setPalette(QApplication::style()->standardPalette());
    }

    // The WCAG formula against the ratios its own documents give.
    void contrastRatioFollowsWcag_data() {
        QTest::addColumn<QColor>("ink");
        QTest::addColumn<QColor>("ground");
        QTest::addColumn<double>("ratio");
        QTest::newRow("black on white") << QColor(Qt::black) << QColor(Qt::white) << 21.0;
        QTest::newRow("white on black") << QColor(Qt::white) << QColor(Qt::black) << 21.0;
        QTest::newRow("grey on itself")
            << QColor(0x80, 0x80, 0x80) << QColor(0x80, 0x80, 0x80) << 1.0;
        QTest::newRow("#767676 on white") << QColor(0x76, 0x76, 0x76) << QColor(Qt::white) << 4.54;
        QTest::newRow("pure red on white") << QColor(Qt::red) << QColor(Qt::white) << 4.0;
        QTest::newRow("pure blue on black") << QColor(Qt::blue) << QColor(Qt::black) << 2.44;
    }
    void contrastRatioFollowsWcag() {
        QFETCH(QColor, ink);
        QFETCH(QColor, ground);
        QFETCH(double, ratio);
        QVERIFY2(qAbs(contrastRatio(ink, ground) - ratio) < 0.01,
                 qPrintable(QString::number(contrastRatio(ink, ground))));
    }

    // Every text colour of the dark set on the ground it is painted on.
    void darkSetReadsOnItsGround_data() {
        QTest::addColumn<int>("ink");
        QTest::addColumn<int>("ground");
        const struct {
            const char* name;
            int ink, ground;
        } pairs[] = {
            {"print", colour::kNormalLines, colour::kBackground},
            {"line numbers", colour::kNormalLines, colour::kLineNosBack},
            {"column headers", colour::kHeadersText, colour::kHeadersBack},
            {"references", colour::kReferences, colour::kBackground},
            {"cleared lines", colour::kClearLines, colour::kBackground},
            {"subtotals", colour::kSubtotalLines, colour::kBackground},
            {"totals", colour::kTotalLines, colour::kBackground},
            {"calculated lines", colour::kStarLines, colour::kBackground},
            {"calculated lines, second", colour::kStarLinesSecond, colour::kBackground},
            {"notes", colour::kNotesText, colour::kNotesBack},
            {"display entry", colour::kLcdDataEntry, colour::kLcdBackground},
            {"display tape on", colour::kLcdTapeOn, colour::kLcdBackground},
            {"display tape off", colour::kLcdTapeOff, colour::kLcdBackground},
        };
        for (const auto& pair : pairs) QTest::newRow(pair.name) << pair.ink << pair.ground;
    }
    void darkSetReadsOnItsGround() {
        QFETCH(int, ink);
        QFETCH(int, ground);
        const double ratio = contrastRatio(darkSet(ink), darkSet(ground));
        QVERIFY2(ratio >= kReadableContrast, qPrintable(QString::number(ratio)));
        // The grid lines show on the paper without competing with the print.
        QVERIFY(contrastRatio(darkSet(colour::kGridLines), darkSet(colour::kBackground)) > 1.4);
    }

    void darkPaletteIsRecognised_data() {
        QTest::addColumn<QPalette>("palette");
        QTest::addColumn<bool>("dark");
        QTest::newRow("Fusion's light") << QApplication::style()->standardPalette() << false;
        QTest::newRow("our dark") << darkPalette() << true;
        const auto windowWith = [](const QColor& text, const QColor& window) {
            QPalette palette;
            palette.setColor(QPalette::WindowText, text);
            palette.setColor(QPalette::Window, window);
            return palette;
        };
        QTest::newRow("black text on grey")
            << windowWith(Qt::black, QColor(128, 128, 128)) << false;
        QTest::newRow("white text on grey") << windowWith(Qt::white, QColor(100, 100, 100)) << true;
        QTest::newRow("light text, only the base dark") << [&] {
            QPalette palette = windowWith(Qt::black, QColor(240, 240, 240));
            palette.setColor(QPalette::Base, Qt::black);
            return palette;
        }() << false;
    }
    void darkPaletteIsRecognised() {
        QFETCH(QPalette, palette);
        QFETCH(bool, dark);
        QCOMPARE(isDarkPalette(palette), dark);
    }

    // The lines of a tape with a negative entry, a subtotal and a total, as the grid paints
    // them: the dark set exactly, so none needed correcting to read.
    void tapeTakesTheDarkSet() {
        QVERIFY(openWindow(darkPalette()));
        h_.typeKeys("5+7-8+ST");
        QCOMPARE(model().paper(), darkSet(colour::kBackground));
        QCOMPARE(model().ink(), darkSet(colour::kNormalLines));
        QCOMPARE(model().gridColour(), darkSet(colour::kGridLines));
        QCOMPARE(model().headersBack(), darkSet(colour::kHeadersBack));
        QSet<int> kinds;
        for (int row = 1; row <= h_.engine().state().lastRow; ++row) {
            int index = h_.engine().cellColour(row, h_.engine().layout().roles.amount);
            // Lines without a colour of their own are printed in the normal ink.
            if (index < 0 || index >= OptionTable::kColourCount) index = colour::kNormalLines;
            kinds.insert(index);
            QCOMPARE(cellInk(row), darkSet(index));
            QVERIFY(contrastRatio(cellInk(row), model().paper()) >= kReadableContrast);
        }
        QVERIFY2(kinds.contains(colour::kTotalLines) && kinds.contains(colour::kSubtotalLines),
                 "the tape shows no subtotal or total");
        const auto* notes = h_.window().findChild<QPlainTextEdit*>();
        QVERIFY(notes);
        QCOMPARE(notes->palette().color(QPalette::Base), darkSet(colour::kNotesBack));
        QVERIFY(contrastRatio(notes->palette().color(QPalette::PlaceholderText),
                              darkSet(colour::kNotesBack)) >= kReadableContrast);
        const auto* display = h_.window().findChild<DisplayBar*>();
        QVERIFY(display);
        QCOMPARE(display->shownBackground(), darkSet(colour::kLcdBackground));
    }

    // Colours the user set are theirs under any desktop; the rest still follow it.
    void userColoursStay_data() {
        QTest::addColumn<bool>("dark");
        QTest::newRow("light desktop") << false;
        QTest::newRow("dark desktop") << true;
    }
    void userColoursStay() {
        QFETCH(bool, dark);
        QVERIFY(openWindow(dark ? darkPalette() : QApplication::style()->standardPalette()));
        const QColor paper(250, 240, 200), totals(0, 0, 128);
        h_.session->settings().setColour(colour::kBackground, settingFromColour(paper));
        h_.session->settings().setColour(colour::kTotalLines, settingFromColour(totals));
        h_.window().documentChanged();
        h_.typeKeys("5+T");
        QCOMPARE(model().paper(), paper);
        QCOMPARE(model().colour(colour::kTotalLines), totals);
        QCOMPARE(model().colour(colour::kSubtotalLines),
                 dark ? darkSet(colour::kSubtotalLines) : lightSet(colour::kSubtotalLines));
        // A light paper the user chose keeps dark print on it.
        QCOMPARE(model().ink(), dark ? readableOn(darkSet(colour::kNormalLines), paper)
                                     : lightSet(colour::kNormalLines));
        QVERIFY(contrastRatio(model().ink(), paper) >= kReadableContrast);
    }

    // A desktop switching themes while the window is open takes the tape along at once.
    void windowFollowsAThemeSwitch() {
        QVERIFY(openWindow(QApplication::style()->standardPalette()));
        QCOMPARE(model().paper(), lightSet(colour::kBackground));
        QApplication::setPalette(darkPalette());
        QCOMPARE(model().paper(), darkSet(colour::kBackground));
        QTRY_COMPARE(h_.view()->palette().color(QPalette::Base), darkSet(colour::kBackground));
        const auto* notes = h_.window().findChild<QPlainTextEdit*>();
        QCOMPARE(notes->palette().color(QPalette::Base), darkSet(colour::kNotesBack));
        QApplication::setPalette(QApplication::style()->standardPalette());
        QTRY_COMPARE(h_.view()->palette().color(QPalette::Base), lightSet(colour::kBackground));
        QCOMPARE(notes->palette().color(QPalette::Base), lightSet(colour::kNotesBack));
    }
};

}  // namespace talvex

QTEST_MAIN(talvex::DarkThemeTest)
#include "DarkThemeTest.moc"
