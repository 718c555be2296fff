// The main window driven as a user would: keyboard, keypad, grid, menus and toolbar.
#include <QAbstractButton>
#include <QAction>

#include "WindowHarness.h"
#include "engine/KeyCodes.h"
#include "platform/Keypad.h"

namespace talvex {

class MainWindowTest : public QObject {
    Q_OBJECT

  private:
    WindowHarness h_;
    Session* session_ = nullptr;
    ScriptedDialogs& dialogs_ = h_.dialogs;

    std::string path(const char* name) const { return h_.path(name); }
    std::vector<std::string> rows() { return h_.rows(); }
    static std::vector<std::string> toolRows(const std::string& s) {
        return WindowHarness::toolRows(s);
    }
    void typeKeys(const QString& keys) { h_.typeKeys(keys); }

  private slots:
    void init() {
        h_.install();
        QVERIFY(h_.open());
        session_ = h_.session.get();
    }
    void cleanup() { h_.session.reset(); }

    void keyboardKeysLikeTheCommandLine() {
        typeKeys("5+7+ST12*3=");
        QCOMPARE(rows(), toolRows("5+7+ST12*3="));
    }

    void keypadKeysLikeTheCommandLine() {
        Keypad* keypad = session_->window().keypad();
        for (int code : {5, key::kAdd, 7, key::kAdd, key::kSubtotal, key::kTotal})
            QTest::mouseClick(keypad->button(code), Qt::LeftButton);
        QCOMPARE(rows(), toolRows("5+7+ST"));
    }

    void overtypingAnAmountRecalculates() {
        typeKeys("5+7+S");
        session_->engine().clickRow(1);
        session_->engine().editAmount("10");
        typeKeys("+");
        QCOMPARE(session_->engine().cell(3, session_->engine().layout().roles.amount),
                 std::string("17."));
    }

    // The desktop's cut and paste keys on an amount: a cut amount is 0 once the cursor moves
    // on, and pasting it back restores the total.
    void cutAndPasteAnAmountFromTheKeyboard() {
        TapeView* view = session_->window().tapeView();
        typeKeys("50+20+30+T");
        session_->engine().clickRow(2);
        view->setCurrentDataColumn(session_->engine().layout().roles.amount);
        QTest::keyClick(view, Qt::Key_X, Qt::ControlModifier);
        QTest::keyClick(view, Qt::Key_Down);
        QCOMPARE(rows(), toolRows("50+0+30+T"));
        session_->engine().clickRow(2);
        QTest::keyClick(view, Qt::Key_V, Qt::ControlModifier);
        QTest::keyClick(view, Qt::Key_Down);
        QCOMPARE(rows(), toolRows("50+20+30+T"));
    }

    void enterRuleInTheGrid() {
        typeKeys("6*5");
        QTest::keyClick(session_->window().tapeView(), Qt::Key_Return);
        const Engine& engine = session_->engine();
        const int op = engine.layout().roles.op;
        QCOMPARE(engine.cell(2, op), std::string("="));
        typeKeys("4+");
        QTest::keyClick(session_->window().tapeView(), Qt::Key_Return);
        QTest::keyClick(session_->window().tapeView(), Qt::Key_Return);
        const int last = engine.state().lastRow;
        QCOMPARE(engine.cell(last - 2, op), std::string("T"));
    }

    void descriptionThenAmountWithoutTheMouse() {
        TapeView* view = session_->window().tapeView();
        const ColumnRoles roles = session_->engine().layout().roles;
        view->setCurrentDataColumn(roles.description);
        QTest::keyClicks(view, "F");
        QWidget* editor = QApplication::focusWidget();
        QVERIFY(editor != view);
        QTest::keyClicks(editor, "ood");
        QTest::keyClick(editor, Qt::Key_Return);
        QTRY_COMPARE(view->currentDataColumn(), roles.amount);
        typeKeys("5+");
        QCOMPARE(session_->engine().cell(1, roles.description), std::string("Food"));
        QCOMPARE(session_->engine().cell(1, roles.amount), std::string("5."));
    }

    void savePromptPaths_data() {
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("saveChosen");
        QTest::addColumn<bool>("replaced");
        QTest::addColumn<bool>("saved");
        QTest::newRow("yes, save") << answer::kYes << true << true << true;
        QTest::newRow("yes, cancel the dialog") << answer::kYes << false << true << false;
        QTest::newRow("no") << answer::kNo << false << true << false;
        QTest::newRow("cancel") << answer::kCancel << false << false << false;
    }
    void savePromptPaths() {
        QFETCH(int, answer);
        QFETCH(bool, saveChosen);
        QFETCH(bool, replaced);
        QFETCH(bool, saved);
        typeKeys("5+");
        dialogs_.answers = {answer};
        if (saveChosen) dialogs_.files = {path("Saved.kwd")};
        session_->window().action("ToolNew")->trigger();
        QCOMPARE(session_->engine().state().lastRow == 1, replaced);
        QCOMPARE(std::filesystem::exists(path("Saved.kwd")), saved);
    }

    void toolbarNewUsesTheDefaultTemplateMenuNewAsks() {
        session_->window().action("ToolNew")->trigger();
        QVERIFY(dialogs_.titles.empty());
        session_->window().action("New")->trigger();
        QCOMPARE(dialogs_.titles.size(), size_t(1));
        QCOMPARE(dialogs_.titles[0], std::string("Create New Tape From What Template?"));
    }

    void displayOnStartupIsWrittenAtOnce() {
        QAction* autoLoad = session_->window().action("AutoLoad");
        QVERIFY(!autoLoad->isChecked());
        autoLoad->trigger();
        QVERIFY(ConfigStore(path("Talvex.ini")).autoLoad());
        autoLoad->trigger();
        QVERIFY(!ConfigStore(path("Talvex.ini")).autoLoad());
    }

    void statusMessagesAndDisplay() {
        typeKeys("R7+");
        QCOMPARE(session_->window().statusText(), QString("Invalid Reference"));
        QTest::mouseClick(session_->window().keypad()->button(1), Qt::LeftButton);
        QVERIFY(session_->window().statusText().isEmpty());
    }
};

}  // namespace talvex

QTEST_MAIN(talvex::MainWindowTest)
#include "MainWindowTest.moc"
