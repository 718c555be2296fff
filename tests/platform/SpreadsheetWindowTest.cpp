// The window's ways to a spreadsheet: several lines selected and copied as cells, the tape
// exported through the file dialog, and lines found from the keyboard.
#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

#include "WindowHarness.h"
#include "platform/TapeModel.h"

namespace talvex {

class SpreadsheetWindowTest : public QObject {
    Q_OBJECT

  private:
    WindowHarness h_;

    void clickLine(int tapeRow, Qt::KeyboardModifiers modifiers = {}) {
        TapeView* view = h_.view();
        TapeModel* model = view->tapeModel();
        const QModelIndex index = model->index(model->modelRow(tapeRow), model->amountColumn());
        view->scrollTo(index);
        QTest::mouseClick(view->viewport(), Qt::LeftButton, modifiers,
                          view->visualRect(index).center());
    }
    void describe(int tapeRow, const std::string& text) {
        h_.engine().clickRow(tapeRow);
        h_.engine().editCell(h_.engine().layout().roles.description, text);
    }
    int cursor() { return h_.engine().state().curRow; }
    const QMimeData* clipboard() { return QGuiApplication::clipboard()->mimeData(); }

  private slots:
    void init() {
        h_.install();
        QVERIFY(h_.open());
        h_.typeKeys("950+42.5+T");
        describe(1, "Rent, flat");
        describe(2, "Café \"<Zum Stern>\"");
        h_.engine().clickRow(5);
        QGuiApplication::clipboard()->clear();
    }
    void cleanup() { h_.session.reset(); }

    // Shift with a click selects the lines between; the cursor follows the click.
    void selectedLinesAreCopiedAsTheExportWritesThem() {
        clickLine(1);
        clickLine(3, Qt::ShiftModifier);
        QCOMPARE(h_.window().selectedLines(), (std::vector<int>{1, 2, 3}));
        QCOMPARE(cursor(), 3);
        QTest::keyClick(h_.view(), Qt::Key_C, Qt::ControlModifier);
        QTRY_VERIFY(clipboard() && clipboard()->hasHtml());

        h_.dialogs.files = {{h_.path("tape.txt"), 2}};
        h_.window().action("Export")->trigger();
        const QStringList exported =
            QString::fromUtf8(testing::readFile(h_.path("tape.txt")).c_str()).split('\n');
        QCOMPARE(clipboard()->text(), exported.mid(1, 3).join('\n') + '\n');
        QVERIFY(clipboard()->text().contains(u8"2\t\t\tCafé \"<Zum Stern>\"\t42.5\t+\t"));
        const QString html = clipboard()->html();
        QVERIFY2(html.contains(u8"<td>Café &quot;&lt;Zum Stern&gt;&quot;</td><td>42.5</td>"),
                 qPrintable(html));
        QVERIFY(html.contains("<td>TOTAL</td><td>992.5</td>"));
    }

    void oneLineCopiesItsCellAsBefore() {
        clickLine(2);
        QTest::keyClick(h_.view(), Qt::Key_C, Qt::ControlModifier);
        QTRY_VERIFY(clipboard() && clipboard()->hasText());
        QCOMPARE(clipboard()->text(), QString("42.5"));
        QVERIFY(!clipboard()->hasHtml());
    }

    // Ctrl+F asks, F3 and Shift+F3 look again; the grid shows the line the engine moved to.
    void findFromTheKeyboard() {
        h_.dialogs.inputs = {"sTERN"};
        QTest::keyClick(h_.view(), Qt::Key_F, Qt::ControlModifier);
        QCOMPARE(cursor(), 2);
        QCOMPARE(h_.view()->tapeModel()->tapeRow(h_.view()->currentIndex().row()), 2);
        QCOMPARE(h_.window().selectedLines(), std::vector<int>{2});
        h_.dialogs.inputs = {"9"};
        QTest::keyClick(h_.view(), Qt::Key_F, Qt::ControlModifier);
        QCOMPARE(cursor(), 3);
        QTest::keyClick(h_.view(), Qt::Key_F3);
        QCOMPARE(cursor(), 1);
        QTest::keyClick(h_.view(), Qt::Key_F3, Qt::ShiftModifier);
        QCOMPARE(cursor(), 3);
        h_.dialogs.inputs = {"zucchini"};
        QTest::keyClick(h_.view(), Qt::Key_F, Qt::ControlModifier);
        QCOMPARE(cursor(), 3);
        QCOMPARE(h_.window().statusText(), QString("Not found: zucchini"));
    }
};

}  // namespace talvex

QTEST_MAIN(talvex::SpreadsheetWindowTest)
#include "SpreadsheetWindowTest.moc"
