// The main window used as a user uses it: keyboard, keypad, grid, menus and toolbar, long
// tapes, descriptions typed with the mouse in hand, keys pressed wherever the focus happens to
// be; what was keyed is compared with the same keys run through talvex-tape.
#include <QAbstractButton>
#include <QAbstractItemModelTester>
#include <QAction>
#include <QFontMetricsF>
#include <QHeaderView>
#include <QLocale>
#include <QMenu>
#include <QMenuBar>
#include <QProgressDialog>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QTimer>
#include <QToolBar>

#include "WindowHarness.h"
#include "documents/TapeDocument.h"
#include "engine/KeyCodes.h"
#include "engine/OptionNumbers.h"
#include "platform/Keypad.h"
#include "platform/OptionsDialog.h"
#include "platform/TapeModel.h"
#include "session/CommandTable.h"
#include "shell/ConfigStore.h"
#include "shell/OptionTable.h"
#include "shell/SettingsGroups.h"

namespace talvex {

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

    // What the grid heard of the rows since the last call: "+first-last" for rows inserted and
    // "-first-last" for rows removed, in the grid's own row numbers.
    QString shiftsHeard(QSignalSpy& inserted, QSignalSpy& removed) {
        QString heard;
        for (auto [spy, sign] : {std::pair{&inserted, '+'}, std::pair{&removed, '-'}})
            for (const QList<QVariant>& rows : *spy)
                heard += QString("%1%2-%3").arg(sign).arg(rows[1].toInt()).arg(rows[2].toInt());
        inserted.clear();
        removed.clear();
        return heard;
    }
    // Every cell, its padding included, reads as in a grid made afresh over the same tape.
    void compareWithFreshGrid(const char* change) {
        const TapeModel& shown = *h_.view()->tapeModel();
        const OptionTable options;
        const TapeModel fresh(h_.engine(), h_.session->document(), options);
        QCOMPARE(shown.rowCount(), fresh.rowCount());
        for (int row = 0; row < fresh.rowCount(); ++row)
            for (int column = 0; column < fresh.columnCount(); ++column)
                QVERIFY2(shown.index(row, column).data() == fresh.index(row, column).data(),
                         qPrintable(QString("%1: row %2, column %3 shows \"%4\", not \"%5\"")
                                        .arg(change)
                                        .arg(row + 1)
                                        .arg(column)
                                        .arg(shown.index(row, column).data().toString())
                                        .arg(fresh.index(row, column).data().toString())));
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
        for (const char* words : {"Tax", "Salary 2500", "=+-*/%"})
            QTest::newRow(words) << QString::fromLatin1(words);
    }
    void typedDescriptionsStayDescriptions() {
        QFETCH(QString, words);
        h_.typeKeys("50+20+30+");
        clickCell(2, h_.engine().layout().roles.description);
        // Each key goes where the desktop sends it: to the widget that has the focus.
        for (QChar c : words + '\r') QTest::keyClick(QApplication::focusWidget(), c.toLatin1());
        QTRY_COMPARE(h_.rows(),
                     WindowHarness::toolRows("50+20+30+{row 2}{desc " + words.toStdString() + "}"));
    }

    // An edit at the top of a long tape. Cancel applies to the run it was pressed in and takes
    // that run's edit back whole; the next edit runs to the end, its progress dialog goes, and
    // the tape is the one the same keys give typed fresh.
    void longRecalculationCancelledThenFinished() {
        h_.typeKeys(QString("1+").repeated(3000) + "T");
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
        QVERIFY(!progressLeft());
        QCOMPARE(h_.rows(),
                 WindowHarness::toolRows("1+4+" + QString("1+").repeated(2998).toStdString() + "T",
                                         {"--max-rows", "10000"}));
    }

    // Figures keyed on the open row wait for their operator when another line is clicked.
    void keyedFiguresSurviveAClickElsewhere() {
        h_.typeKeys("50+20+45");
        clickCell(1, h_.engine().layout().roles.description);
        QVERIFY(h_.window().statusText().startsWith("Press valid operator"));
        QCOMPARE(QApplication::focusWidget(), h_.view());
        h_.typeKeys("+");
        QCOMPARE(h_.rows(), WindowHarness::toolRows("50+20+45+"));
        // A key clicked clears the message.
        QTest::mouseClick(h_.window().keypad()->button(1), Qt::LeftButton);
        QVERIFY(h_.window().statusText().isEmpty());
    }

    // Each change to the tape is announced where it happened and the grid never starts over:
    // the model tester checks every announcement against the rows then shown, the grid keeps
    // the engine's count and current line, and each cell, padding included, reads as in a grid
    // made afresh. A new widest amount widens the padding of all at once; when it goes, the
    // padding narrows again. Ctrl+Z and Ctrl+Y put rows back at the end of the grid, to be
    // shown afresh from the engine's table.
    void gridFollowsEachChangeInPlace() {
        // 1: 12.5+  2: 7+  3: 3+  4: T  5: (blank)  6: 40+  7: open
        h_.typeKeys("12.5+7+3+T40+");
        TapeModel* model = h_.view()->tapeModel();
        const QAbstractItemModelTester tester(
            model, QAbstractItemModelTester::FailureReportingMode::QtTest);
        QSignalSpy resets(model, &QAbstractItemModel::modelReset);
        QSignalSpy inserted(model, &QAbstractItemModel::rowsInserted);
        QSignalSpy removed(model, &QAbstractItemModel::rowsRemoved);
        const struct {
            const char* change;  // edit ROW AMOUNT, insert ROW, delete ROW, keys TEXT, undo, redo
            const char* heard;
        } steps[] = {
            {"edit 1 12345.125", ""},  // wider and with more decimals than any other
            {"insert 2", "+1-1"},      // in place, not at the end
            {"edit 2 4", ""},          // the new line keyed
            {"delete 1", "-0-0"},      // the widest goes
            {"delete 4", "-3-4"},      // the total takes its blank line along
            {"undo", "+5-6"},          // undone rows come back at the end of the grid
            {"undo", "+7-7"},          // the widest is back
            {"redo", "-7-7"},          // and gone again
            {"keys 0.25+", "+7-7"},    // keyed at the end
            {"edit 3 0", ""},          // an amount narrower than before
        };
        for (const auto& step : steps) {
            const QStringList words = QString(step.change).split(' ');
            const int row = words.value(1).toInt();
            if (words[0] == "edit" || words[0] == "insert" || words[0] == "delete")
                QVERIFY(h_.engine().clickRow(row));
            if (words[0] == "edit") {
                QVERIFY(h_.engine().editAmount(words[2].toStdString()));
                h_.typeKeys("+");
            } else if (words[0] == "insert") {
                QTest::keyClick(h_.view(), Qt::Key_Insert);
            } else if (words[0] == "delete") {
                QTest::keyClick(h_.view(), Qt::Key_Delete, Qt::ControlModifier);
            } else if (words[0] == "keys") {
                QVERIFY(h_.engine().clickRow(h_.engine().state().lastRow));
                h_.typeKeys(words[1]);
            } else {
                QCoreApplication::processEvents();  // the commands follow the tape
                QTest::keyClick(h_.view(), words[0] == "undo" ? Qt::Key_Z : Qt::Key_Y,
                                Qt::ControlModifier);
            }
            QCoreApplication::processEvents();
            QCOMPARE(shiftsHeard(inserted, removed), QString(step.heard));
            QCOMPARE(resets.count(), 0);
            QCOMPARE(model->rowCount(), h_.engine().state().lastRow);
            QCOMPARE(h_.view()->verticalHeader()->count(), model->rowCount());
            QCOMPARE(model->tapeRow(h_.view()->currentIndex().row()), h_.engine().state().curRow);
            compareWithFreshGrid(step.change);
        }
    }

    // In and out of the compact configuration, by the menu or by the options dialog: the
    // normal window comes back as it was.
    void compactConfigurationGivesTheWindowBack_data() {
        QTest::addColumn<bool>("byDialog");
        QTest::newRow("view menu") << false;
        QTest::newRow("options dialog") << true;
    }
    void compactConfigurationGivesTheWindowBack() {
        QFETCH(bool, byDialog);
        h_.window().resize(1100, 760);
        const QSize normal = h_.window().size();
        const auto toggle = [&] {
            if (!byDialog) return h_.window().action("VantConfiguration")->trigger();
            h_.window().action("Options")->trigger();
            for (auto* button :
                 h_.window().findChild<OptionsDialog*>()->findChildren<QPushButton*>())
                if (button->text() == "Swi&tch Config" && button->isVisible())
                    return button->click();
            QFAIL("no switch button");
        };
        toggle();
        QVERIFY(h_.session->settings().compact());
        QTRY_VERIFY(h_.window().width() < normal.width());
        toggle();
        QVERIFY(!h_.session->settings().compact());
        QTRY_COMPARE(h_.window().size(), normal);
    }

    // A stored size from a bigger monitor opens on this one, title bar and all.
    void storedGeometryIsKeptOnScreen() {
        h_.session.reset();
        h_.install("MainWindow=90000,90000,-5000,-5000\n");
        QVERIFY(h_.open());
        const QRect area = h_.window().screen()->availableGeometry();
        QVERIFY2(area.contains(h_.window().frameGeometry()), "the window fits, frame and all");
    }

    // The toolbar's New takes the default template; the menu's asks, proposing the template as
    // it is named on disk.
    void newProposesTheTemplateThatExists() {
        h_.window().action("NewDefault")->trigger();
        QVERIFY(h_.dialogs.requests.empty());
        h_.window().action("New")->trigger();
        QCOMPARE(h_.dialogs.requests.size(), size_t(1));
        QVERIFY(std::filesystem::exists(h_.path(h_.dialogs.requests[0].proposedName.c_str())));
    }

    // At any window size the tape gets the room: a description of the budget shows whole, the
    // amounts stay in view, and the keypad does not grow with the window.
    void tapeGetsTheRoom_data() {
        QTest::addColumn<QSize>("size");
        QTest::newRow("640x480") << QSize(640, 480);
        QTest::newRow("1920x1080") << QSize(1920, 1080);
    }
    void tapeGetsTheRoom() {
        QFETCH(QSize, size);
        h_.window().resize(size);
        QTRY_COMPARE(h_.window().size(), size);
        QApplication::processEvents();
        TapeView* view = h_.view();
        const int amount = view->tapeModel()->amountColumn();
        QVERIFY2(view->columnViewportPosition(amount) + view->columnWidth(amount) <=
                     view->viewport()->width(),
                 "the amounts are in view");
        QVERIFY(view->columnWidth(view->tapeModel()->descriptionColumn()) >=
                QFontMetrics(view->font()).horizontalAdvance("GRAND TOTAL"));
        QVERIFY(view->width() > h_.window().keypad()->width());
    }

    // What a tape file says of its look comes back with it: the font's size and style (in a
    // face whose figures line up, whatever face it names), the cursor's column, a column's
    // width as the user dragged it, and dates in a date column in the desktop's short form.
    void tapeComesBackAsItWasLeft() {
        h_.typeKeys("5+7+");
        const ColumnRoles roles = h_.engine().layout().roles;
        const int amountWidth = h_.engine().layout().width(roles.amount) + 6;
        QHeaderView* header = h_.view()->horizontalHeader();
        const int amountSection = TapeModel::modelColumn(roles.amount);
        header->resizeSection(amountSection, header->sectionSize(amountSection) * (amountWidth) /
                                                 h_.engine().layout().width(roles.amount));
        QVERIFY(h_.window().isWindowModified());
        TapeDocument& document = h_.session->document();
        document.font.name = "No Such Face";
        document.font.sizes[0] = "14";
        document.font.bold = true;
        h_.view()->setCurrentDataColumn(roles.description);
        h_.dialogs.files = {{h_.path("Saved.kwd")}};
        h_.window().action("SaveAs")->trigger();
        QVERIFY(!h_.window().isWindowModified());
        h_.session.reset();
        QVERIFY(h_.open(h_.path("Saved.kwd")));
        // The title names the tape by its clean path, marking changes the desktop's way.
        QVERIFY(h_.window().windowTitle().endsWith(QString::fromStdString(h_.path("Saved.kwd")) +
                                                   "[*]"));
        const QFont font = h_.view()->tapeModel()->tapeFont();
        QVERIFY(font.bold());
        QCOMPARE(font.pointSizeF(), 14.0);
        const QFontMetricsF metrics(font);
        QCOMPARE(metrics.horizontalAdvance('1'), metrics.horizontalAdvance('8'));
        QCOMPARE(h_.view()->currentDataColumn(), roles.description);
        QVERIFY(std::abs(h_.engine().layout().width(roles.amount) - amountWidth) <= 1);

        h_.session->settings().setOption(option::kTapeOn, 0);  // typed dates need the tape off
        QVERIFY(h_.engine().editCell(roles.type13, "2026-12-07"));
        const auto shown = [&] {
            TapeModel* model = h_.view()->tapeModel();
            const int row = model->modelRow(h_.engine().state().curRow);
            return model->data(model->index(row, TapeModel::modelColumn(roles.type13)));
        };
        QCOMPARE(shown().toString(), QLocale().toString(QDate(2026, 12, 7), QLocale::ShortFormat));
        QVERIFY(h_.engine().editCell(roles.type13, "soon"));
        QCOMPARE(shown().toString(), QString("soon"));
    }

    // Keys typed key what the same script keys in talvex-tape: on the grid, Enter included, and
    // Esc and Backspace also where a click left the focus on a toolbar button.
    void keyboardKeysLikeTheCommandLine_data() {
        QTest::addColumn<bool>("onToolbar");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<std::string>("script");
        QTest::newRow("keys") << false << "5+7+ST12*3=" << std::string("5+7+ST12*3=");
        QTest::newRow("Enter") << false << "6*5\r4+\r\r"
                               << std::string("6*5{Enter}4+{Enter}{Enter}");
        QTest::newRow("Esc") << true
                             << "123\x1b"
                                "456+"
                             << std::string("456+");
        QTest::newRow("Backspace") << true << "1234\b56+" << std::string("12356+");
    }
    void keyboardKeysLikeTheCommandLine() {
        QFETCH(bool, onToolbar);
        QFETCH(QString, typed);
        QFETCH(std::string, script);
        QWidget* target = h_.view();
        if (onToolbar) {
            auto* bar = h_.window().findChild<QToolBar*>("Toolbar");
            target = bar->widgetForAction(h_.window().action("Copy"));
            target->setFocus();
        }
        h_.typeKeys(target, typed);
        QCOMPARE(h_.rows(), WindowHarness::toolRows(script));
    }

    // The desktop's undo keys on the tape, against {undo} and {redo} on the command line: a
    // line deleted comes back, a keyed line goes and comes again.
    void undoKeysLikeTheCommandLine() {
        QVERIFY(h_.open());
        h_.typeKeys("5+7+9+");
        h_.engine().clickRow(2);
        QTest::keyClick(h_.view(), Qt::Key_Delete, Qt::ControlModifier);
        QTest::keyClick(h_.view(), Qt::Key_Z, Qt::ControlModifier);
        QTest::keyClick(h_.view(), Qt::Key_Z, Qt::ControlModifier);
        QTest::keyClick(h_.view(), Qt::Key_Y, Qt::ControlModifier);
        QCOMPARE(h_.rows(), WindowHarness::toolRows("5+7+9+{row 2}{delete}{undo}{undo}{redo}"));
        QCOMPARE(h_.rows(), WindowHarness::toolRows("5+7+9+"));
        QVERIFY(h_.window().action("Undo")->isEnabled());
    }

    // Each key clicked by its caption: a key labelled with another figure than it sends keys
    // a wrong amount.
    void keypadKeysLikeTheCommandLine() {
        Keypad* keypad = h_.window().keypad();
        const auto click = [keypad](const QString& caption) {
            for (QAbstractButton* button : keypad->findChildren<QAbstractButton*>())
                if (button->text() == caption) return QTest::mouseClick(button, Qt::LeftButton);
            QFAIL(qPrintable("no key " + caption));
        };
        for (const char* caption : {"1", "2", "3", "4", "5", "+", "6", "7", "8", "9", "0", "-"})
            click(caption);
        QTest::mouseClick(keypad->button(key::kSubtotal), Qt::LeftButton);
        QTest::mouseClick(keypad->button(key::kTotal), Qt::LeftButton);
        QCOMPARE(h_.rows(), WindowHarness::toolRows("12345+67890-ST"));
    }

    // The desktop's cut and paste keys on an amount: a cut amount is 0 once the cursor moves
    // on, and pasting it back restores the total.
    void cutAndPasteAnAmountFromTheKeyboard() {
        TapeView* view = h_.window().tapeView();
        h_.typeKeys("50+20+30+T");
        h_.engine().clickRow(2);
        view->setCurrentDataColumn(h_.engine().layout().roles.amount);
        QTest::keyClick(view, Qt::Key_X, Qt::ControlModifier);
        QTest::keyClick(view, Qt::Key_Down);
        QCOMPARE(h_.rows(), WindowHarness::toolRows("50+0+30+T"));
        h_.engine().clickRow(2);
        QTest::keyClick(view, Qt::Key_V, Qt::ControlModifier);
        QTest::keyClick(view, Qt::Key_Down);
        QCOMPARE(h_.rows(), WindowHarness::toolRows("50+20+30+T"));
    }

    void descriptionThenAmountWithoutTheMouse() {
        TapeView* view = h_.window().tapeView();
        const ColumnRoles roles = h_.engine().layout().roles;
        view->setCurrentDataColumn(roles.description);
        QTest::keyClicks(view, "F");
        QWidget* editor = QApplication::focusWidget();
        QVERIFY(editor != view);
        QTest::keyClicks(editor, "ood");
        QTest::keyClick(editor, Qt::Key_Return);
        QTRY_COMPARE(view->currentDataColumn(), roles.amount);
        h_.typeKeys("5+");
        QCOMPARE(h_.rows(), WindowHarness::toolRows("{desc Food}5+"));
    }

    void savePromptPaths_data() {
        QTest::addColumn<int>("reply");
        QTest::addColumn<bool>("saveChosen");
        QTest::addColumn<bool>("replaced");
        QTest::addColumn<bool>("saved");
        QTest::newRow("yes, save") << int(answer::kYes) << true << true << true;
        QTest::newRow("yes, cancel the dialog") << int(answer::kYes) << false << true << false;
        QTest::newRow("no") << int(answer::kNo) << false << true << false;
        QTest::newRow("cancel") << int(answer::kCancel) << false << false << false;
    }
    void savePromptPaths() {
        QFETCH(int, reply);
        QFETCH(bool, saveChosen);
        QFETCH(bool, replaced);
        QFETCH(bool, saved);
        h_.typeKeys("5+");
        h_.dialogs.answers = {static_cast<answer::Answer>(reply)};
        if (saveChosen) h_.dialogs.files = {{h_.path("Saved.kwd")}};
        h_.window().action("NewDefault")->trigger();
        QCOMPARE(h_.engine().state().lastRow == 1, replaced);
        QCOMPARE(std::filesystem::exists(h_.path("Saved.kwd")), saved);
    }

    // Every menu item and toolbar button is a command of the table, and every action shows
    // its command's caption, key, enabled state and check mark, also after commands that
    // change what others may do (the compact configuration has no ruler and no notes).
    void actionsFollowTheCommandTable() {
        const CommandTable& table = h_.session->commands();
        MainWindow& window = h_.window();
        QList<QAction*> shown = window.findChild<QToolBar*>("Toolbar")->actions();
        for (QMenu* menu : window.menuBar()->findChildren<QMenu*>()) shown += menu->actions();
        for (QAction* a : shown)
            if (!a->isSeparator() && !a->menu())
                QVERIFY2(table.find(a->objectName().toStdString()), qPrintable(a->text()));
        // The ruler switched on behind the menu's back, by the options dialog.
        const auto rulerByDialog = [&] {
            window.action("Options")->trigger();
            auto* dialog = window.findChild<OptionsDialog*>();
            h_.session->settings().setOption(6, 1);
            emit dialog->optionsChanged();
            dialog->close();
        };
        const auto trigger = [&window](const char* id) {
            return [&window, id] { window.action(id)->trigger(); };
        };
        const std::function<void()> steps[] = {[] {},
                                               rulerByDialog,
                                               trigger("VantConfiguration"),
                                               trigger("Keypad"),
                                               trigger("VantConfiguration"),
                                               trigger("Date"),
                                               trigger("VantConfiguration")};
        for (const auto& step : steps) {
            step();
            for (const Command& command : table.commands()) {
                const QAction* a = window.action(QString::fromStdString(command.id));
                QVERIFY2(a, command.id.c_str());
                QVERIFY2(a->text().toStdString() == command.caption, command.id.c_str());
                const QString keys = QString::fromStdString(command.shortcut);
                QCOMPARE(a->shortcuts(), keys.isEmpty() ? QList<QKeySequence>()
                                                        : QKeySequence::listFromString(keys));
                QCOMPARE(a->isEnabled(), command.isEnabled());
                QCOMPARE(a->isCheckable(), command.isSwitch());
                if (command.isSwitch()) QCOMPARE(a->isChecked(), command.checked());
            }
        }
        QVERIFY(!window.action("Ruler")->isEnabled() && !window.action("Date")->isChecked());
    }

    void displayOnStartupIsWrittenAtOnce() {
        for (const bool expected : {true, false}) {
            h_.window().action("AutoLoad")->trigger();
            QCOMPARE(ConfigStore(h_.path("Talvex.ini")).autoLoad(), expected);
        }
    }
};

}  // namespace talvex

QTEST_MAIN(talvex::WindowUseTest)
#include "WindowUseTest.moc"
