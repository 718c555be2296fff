// The window used as a new user uses it: long tapes, descriptions typed with the mouse in
// hand, keys pressed wherever the focus happens to be.
#include <QAbstractButton>
#include <QAction>
#include <QProgressDialog>
#include <QTimer>

#include "WindowHarness.h"
#include "engine/KeyCodes.h"
#include "platform/TapeModel.h"

namespace talvex {

namespace {

QString repeatedKeys(const char* line, int times) {
    QString keys;
    for (int i = 0; i < times; ++i) keys += QString::fromLatin1(line);
    return keys;
}

}  // namespace

class WindowUseTest : public QObject {
    Q_OBJECT

  private:
    WindowHarness h_;

    void clickCell(int tapeRow, int dataColumn) {
        TapeView* view = h_.view();
        TapeModel* model = view->tapeModel();
        const QModelIndex index =
            model->index(model->modelRow(tapeRow), TapeModel::modelColumn(dataColumn));
        view->scrollTo(index);
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(index).center());
    }
    // A dialog of a run that ended must not wait, hidden, to show itself in the next run.
    bool progressLeft() {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        return !h_.window().findChildren<QProgressDialog*>().isEmpty();
    }

  private slots:
    void init() {
        h_.install("MaxRows=10000\n");
        QVERIFY(h_.open());
    }
    void cleanup() { h_.session.reset(); }

    // Words typed on a description are words, whatever calculator keys their letters are.
    void typedDescriptionsStayDescriptions_data() {
        QTest::addColumn<QString>("words");
        for (const char* words : {"Tax", "Cash", "Rent", "Salary 2500", "=+-*/%"})
            QTest::newRow(words) << QString::fromLatin1(words);
    }
    void typedDescriptionsStayDescriptions() {
        QFETCH(QString, words);
        h_.typeKeys("50+20+30+");
        const auto before = h_.rows();
        const int description = h_.engine().roles().description;
        clickCell(2, description);
        // Each key goes where the desktop sends it: to the widget that has the focus.
        for (QChar c : words) QTest::keyClick(QApplication::focusWidget(), c.toLatin1());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QTRY_COMPARE(QString::fromStdString(h_.engine().cell(2, description)), words);
        // Nothing else on the tape moved.
        const auto after = h_.rows();
        QCOMPARE(after.size(), before.size());
        for (size_t row = 0; row < before.size(); ++row)
            if (row != 1) QCOMPARE(after[row], before[row]);
        QCOMPARE(h_.engine().cell(2, h_.engine().roles().amount), std::string("20."));
    }

    // An edit at the top of a long tape: the progress dialog goes when the work is done and
    // the total is the one the same keys give typed fresh.
    void longRecalculationEndsWithTheDialogGone() {
        h_.typeKeys(repeatedKeys("1+", 3000));
        h_.typeKeys("T");
        h_.engine().clickRow(1);
        h_.engine().editAmount("5");
        h_.typeKeys("+");
        QVERIFY(!progressLeft());
        QCOMPARE(h_.rows(),
                 WindowHarness::toolRows(("5+" + repeatedKeys("1+", 2999) + "T").toStdString(),
                                         {"--max-rows", "10000"}));
    }

    // Cancel applies to the run it was pressed in, and takes that run's edit back whole.
    void cancelledRecalculationLeavesTheTapeAsItWas() {
        h_.typeKeys(repeatedKeys("1+", 3000));
        h_.typeKeys("T");
        const auto before = h_.rows();
        QTimer::singleShot(0, [] {
            for (QWidget* w : QApplication::topLevelWidgets())
                if (auto* progress = qobject_cast<QProgressDialog*>(w)) progress->cancel();
        });
        h_.engine().clickRow(1);
        h_.engine().editAmount("5");
        h_.typeKeys("+");
        QCOMPARE(h_.rows(), before);
        QVERIFY(h_.window().statusText().contains("cancelled"));
        QVERIFY(!progressLeft());
        h_.engine().clickRow(2);
        h_.engine().editAmount("4");
        h_.typeKeys("+");
        QCOMPARE(h_.rows(),
                 WindowHarness::toolRows(("1+4+" + repeatedKeys("1+", 2998) + "T").toStdString(),
                                         {"--max-rows", "10000"}));
    }
};

}  // namespace talvex

QTEST_MAIN(talvex::WindowUseTest)
#include "WindowUseTest.moc"
