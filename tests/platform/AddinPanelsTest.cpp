// The add-in panels in the window: add-ins chosen from the slots' buttons, panel buttons
// clicked, functions picked from the list and input boxes answered, compared with the same
// script run through talvex-tape; context help, hiding, the keyboard, and the room they take.
#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAction>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QInputDialog>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTimer>

#include <functional>

#include "WindowHarness.h"
#include "engine/OptionNumbers.h"
#include "platform/AddinPanels.h"
#include "platform/Keypad.h"
#include "platform/QtDialogs.h"
#include "platform/TapeModel.h"
#include "session/AddinHost.h"

namespace talvex {

namespace {

// The lists the shipped configuration gives the slots.
constexpr const char* kAddinLists =
    "Addins0=VantPrint,VantAtm,VantX10,VantBrowser\nAddins1=Mortgage,UserFuncs,Memory,Financial\n";

// A user function, area = w x h: the parameters and the function named in input boxes, the
// body keyed with the Ref key and a click on each parameter's line.
constexpr const char* kAreaFunction =
    "{addin 1 UserFuncs}5{answer w,wid,Width}{panel 1 3}3{answer h,hgt,Height}{panel 1 3}"
    "{answer A,area,Area}{panel 1 5}{key 12}{row 1}*{key 12}{row 2}={panel 1 6}{fn area}";

}  // namespace

class AddinPanelsTest : public QObject {
    Q_OBJECT

  private:
    WindowHarness h_;
    QString failed_;  // the step play() could not take

    AddinPanels* panels() { return h_.window().addinPanels(); }
    AddinFramework& framework() { return h_.session->addins().framework(); }

    // Runs `act` once the menu is open: an open menu runs its own event loop until it closes.
    void whenOpen(QMenu* menu, std::function<void(QMenu*)> act) {
        auto* poll = new QTimer(this);
        connect(poll, &QTimer::timeout, this, [=] {
            if (QApplication::activePopupWidget() != menu) return;
            poll->stop();
            poll->deleteLater();
            act(menu);
        });
        poll->start(10);
    }

    QAction* choice(int slot, const QString& name) {
        for (QAction* a : panels()->chooserMenu(slot)->actions())
            if (a->text() == name) return a;
        return nullptr;
    }

    // The function list, dropped down (unless it already is) and picked from by its text.
    bool pickFunction(const QString& name) {
        QComboBox* box = panels()->list(addin_list::kFunctions);
        const int index = box->findText(name);
        if (index < 0 || !box->isVisible() || !box->isEnabled()) return false;
        if (!box->view()->isVisible()) box->showPopup();
        box->view()->setCurrentIndex(box->model()->index(index, 0));
        QTest::keyClick(box->view(), Qt::Key_Return);
        return !box->view()->isVisible();
    }

    // A talvex-tape key script played on the window as a user plays it: keys typed on the
    // tape, keypad keys and lines clicked, add-ins chosen from the slots' menus, panel buttons
    // clicked, functions picked from the list; input boxes are answered by the scripted
    // dialogs. False at a step the window does not offer.
    bool play(const std::string& script) {
        for (size_t at = 0; at < script.size();) {
            if (script[at] != '{') {
                QTest::keyClick(h_.view(), script[at++]);
                continue;
            }
            const size_t end = script.find('}', at);
            const std::string body = script.substr(at + 1, end - at - 1);
            at = end + 1;
            failed_ = QString::fromStdString(body);
            const size_t blank = body.find(' ');
            const std::string name = body.substr(0, blank);
            const std::string argument = body.substr(blank + 1);
            if (name == "addin") {
                QAction* a = choice(argument[0] - '0', QString::fromStdString(argument.substr(2)));
                if (!a) return false;
                a->trigger();
            } else if (name == "panel") {
                QAbstractButton* key =
                    panels()->button(argument[0] - '0', std::stoi(argument.substr(2)) - 1);
                if (!key || !key->isVisible() || !key->isEnabled()) return false;
                QTest::mouseClick(key, Qt::LeftButton);
            } else if (name == "fn") {
                if (!pickFunction(QString::fromStdString(argument))) return false;
            } else if (name == "answer") {
                h_.dialogs.inputs.push_back(argument);
            } else if (name == "key") {
                QTest::mouseClick(h_.window().keypad()->button(std::stoi(argument)),
                                  Qt::LeftButton);
            } else if (name == "row") {
                clickRow(std::stoi(argument));
            } else {
                return false;
            }
        }
        return true;
    }

    // A click on a line's amount, where the keys that follow are still the calculator's.
    void clickRow(int tapeRow) {
        TapeView* view = h_.view();
        TapeModel* model = view->tapeModel();
        const QModelIndex index = model->index(
            model->modelRow(tapeRow), TapeModel::modelColumn(h_.engine().layout().roles.amount));
        view->scrollTo(index);
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(index).center());
    }

    // A right-click at a point of a widget, as the desktop delivers it.
    void rightClick(QWidget* widget, QPoint at) {
        QContextMenuEvent event(QContextMenuEvent::Mouse, at, widget->mapToGlobal(at));
        QApplication::sendEvent(widget, &event);
    }

  private slots:
    void init() {
        h_.install(kAddinLists);
        QVERIFY(h_.open());
    }
    void cleanup() { h_.session.reset(); }

    // The loan calculator's keys, its function list and the device panel's keys give the tape
    // the command line gives for the same script.
    void panelKeysLikeTheCommandLine_data() {
        QTest::addColumn<std::string>("script");
        QTest::newRow("payment") << std::string(
            "{addin 1 Mortgage}100000{panel 1 3}6{panel 1 4}360{panel 1 5}{panel 1 8}");
        QTest::newRow("period, picked from the list") << std::string(
            "{addin 1 Mortgage}{fn Period}100000{panel 1 3}6{panel 1 4}599.55"
            "{panel 1 5}{panel 1 8}");
        QTest::newRow("rate, by the Functions key") << std::string(
            "{addin 1 Mortgage}{panel 1 1}{fn Rate}100000{panel 1 3}599.55"
            "{panel 1 4}360{panel 1 5}{panel 1 8}");
        QTest::newRow("one loan, two functions") << std::string(
            "{addin 1 Mortgage}100000{panel 1 3}6{panel 1 4}360{panel 1 5}"
            "{panel 1 8}{fn Balance}100000{panel 1 3}6{panel 1 4}1000{panel 1 6}"
            "{panel 1 8}");
        QTest::newRow("device keys between additions")
            << std::string("{addin 0 VantX10}5+{panel 0 3}7+{panel 0 6}T");
        QTest::newRow("both slots") << std::string(
            "{addin 0 VantX10}{addin 1 Mortgage}2000{panel 1 3}{panel 0 4}12{panel 1 5}");
    }
    void panelKeysLikeTheCommandLine() {
        QFETCH(std::string, script);
        QVERIFY2(play(script), qPrintable(failed_));
        QCOMPARE(h_.rows(), WindowHarness::toolRows(script));
        // The keys keep going to the tape after every click and choice.
        QCOMPARE(QApplication::focusWidget(), h_.view());
    }

    // A function defined through the input boxes, then evaluated twice with new values; its
    // panel has a key for each parameter it uses.
    void userFunctionDefinedAndEvaluated() {
        const std::string script = std::string(kAreaFunction) +
                                   "7{panel 1 3}2{panel 1 4}{panel 1 5}4{panel 1 3}2.5{panel 1 4}"
                                   "{panel 1 5}";
        QVERIFY2(play(script), qPrintable(failed_));
        QCOMPARE(h_.dialogs.inputsAsked.size(), size_t(3));
        QCOMPARE(h_.rows(), WindowHarness::toolRows(script));
        QStringList captions;
        for (int b = 2; b < 5; ++b) captions << panels()->button(1, b)->text();
        QCOMPARE(captions, QStringList({"wid", "hgt", "area"}));
    }

    // The shipped loan tape with a new amount keyed over its first line: the payment, the
    // balance by the tape and the user function under it follow, as on the command line.
    void loanAmountEditedOnTheSampleTape() {
        const std::string sample = h_.path("Loan.kwd");
        std::filesystem::copy_file(std::string(TALVEX_DATA_DIR) + "/Loan.kwd", sample);
        h_.session.reset();
        QVERIFY(h_.open(sample));
        const auto before = h_.rows();
        clickRow(1);
        h_.typeKeys("300000\r");
        clickRow(2);
        const auto after = h_.rows();
        QCOMPARE(after,
                 WindowHarness::toolRows("{row 1}{amount 300000}{row 2}", {"--template", sample}));
        QCOMPARE(after.size(), before.size());
        int changed = 0;
        for (size_t row = 0; row < after.size(); ++row) changed += after[row] != before[row];
        // The amount, the payment, two balance steps, the function's result and what its
        // evaluation recalculated on the way.
        QVERIFY2(changed >= 5, qPrintable(QString::number(changed)));
    }

    // Clicking Functions drops the function list down; it is usable only while it has entries.
    void functionsKeyDropsTheListDown() {
        QComboBox* box = panels()->list(addin_list::kFunctions);
        QVERIFY2(play("{addin 1 Mortgage}{panel 1 1}"), qPrintable(failed_));
        QTRY_VERIFY(box->isEnabled() && box->view()->isVisible());
        box->hidePopup();
        framework().fillList(addin_list::kFunctions, {}, "");
        QVERIFY(!box->isEnabled());
    }

    // The input box: its title and prompt, the text typed over the one offered, or nothing
    // when it is cancelled.
    void inputBoxGivesWhatWasTyped_data() {
        QTest::addColumn<bool>("accepted");
        QTest::newRow("typed") << true;
        QTest::newRow("cancelled") << false;
    }
    void inputBoxGivesWhatWasTyped() {
        QFETCH(bool, accepted);
        QString asked;
        auto* poll = new QTimer(this);
        connect(poll, &QTimer::timeout, this, [&, poll] {
            auto* box = qobject_cast<QInputDialog*>(QApplication::activeModalWidget());
            if (!box) return;
            poll->stop();
            poll->deleteLater();
            asked = box->windowTitle() + ": " + box->labelText() + ": " + box->textValue();
            QLineEdit* edit = box->findChild<QLineEdit*>();
            QTest::keyClicks(edit, "h,hgt,Height");
            QTest::keyClick(edit, accepted ? Qt::Key_Return : Qt::Key_Escape);
        });
        poll->start(10);
        QtDialogs dialogs(&h_.window());
        const auto answer = dialogs.inputBox("Symbol,Name", "Edit Parameter", "w,wid,Width");
        QCOMPARE(asked, QString("Edit Parameter: Symbol,Name: w,wid,Width"));
        QCOMPARE(answer, accepted ? std::optional<std::string>("h,hgt,Height") : std::nullopt);
    }

    // Right-click on a key shows its tip and its help topic, on the panel around the keys (or
    // a gap) the panel's topic; a disabled key still has its help.
    void rightClickShowsTheTopic_data() {
        QTest::addColumn<QString>("addin");
        QTest::addColumn<int>("slot");
        QTest::addColumn<int>("button");  // -1: the panel's edge
        QTest::addColumn<bool>("disabled");
        QTest::newRow("X10 On") << "VantX10" << 0 << 2 << false;
        QTest::newRow("X10 Dim") << "VantX10" << 0 << 6 << false;
        QTest::newRow("X10 gap") << "VantX10" << 0 << 7 << false;
        QTest::newRow("Mortgage Payment") << "Mortgage" << 1 << 7 << false;
        QTest::newRow("Mortgage, disabled amt") << "Mortgage" << 1 << 2 << true;
        QTest::newRow("Memory edge") << "Memory" << 1 << -1 << false;
    }
    void rightClickShowsTheTopic() {
        QFETCH(QString, addin);
        QFETCH(int, slot);
        QFETCH(int, button);
        QFETCH(bool, disabled);
        QVERIFY2(play("{addin " + std::to_string(slot) + " " + addin.toStdString() + "}"),
                 qPrintable(failed_));
        if (disabled) framework().setButtonEnabled(slot, button, false);
        const PanelView& view = *framework().panel(slot);
        QString expected = addin + ": Help topic " + QString::number(view.topic);
        if (button < 0) {
            rightClick(panels()->panel(slot), QPoint(0, 0));
        } else if (!view.layout.buttons[button].shown()) {
            rightClick(panels()->panel(slot), panels()->button(slot, button)->geometry().center());
        } else {
            QAbstractButton* key = panels()->button(slot, button);
            QCOMPARE(key->isEnabled(), !disabled);
            rightClick(key, key->rect().center());
            expected = QString::fromStdString(view.layout.buttons[button].tip) + ": Help topic " +
                       QString::number(view.buttonTopics[button]);
        }
        QCOMPARE(h_.window().statusText(), expected);
    }

    // Choosing "{none}" hides the slot's panel and leaves the other one as it was; option 15
    // hides the whole add-in area and brings it back.
    void noneHidesThePanel_data() {
        QTest::addColumn<int>("slot");
        QTest::addColumn<QString>("addin");
        QTest::newRow("devices") << 0 << "VantX10";
        QTest::newRow("Mortgage") << 1 << "Mortgage";
        QTest::newRow("UserFuncs") << 1 << "UserFuncs";
    }
    void noneHidesThePanel() {
        QFETCH(int, slot);
        QFETCH(QString, addin);
        const int other = 1 - slot;
        QVERIFY2(play(other == 0 ? "{addin 0 VantX10}" : "{addin 1 Memory}"), qPrintable(failed_));
        choice(slot, addin)->trigger();
        QVERIFY(panels()->panel(slot)->isVisible());
        choice(slot, "{none}")->trigger();
        QVERIFY(!panels()->panel(slot)->isVisible() && choice(slot, "{none}")->isChecked());
        QVERIFY(panels()->panel(other)->isVisible());
        for (const int shown : {0, 1}) {
            h_.session->settings().setOption(option::kAddinPanels, shown);
            h_.window().documentChanged();
            QCOMPARE(panels()->panel(other)->isVisible(), shown != 0);
        }
    }

    // The slots' menus open by their mnemonics and are chosen from with the keyboard, after
    // which the tape has the keys again; Tab reaches every key the panel shows, and Space
    // presses the one it is on.
    void keyboardAlone() {
        whenOpen(panels()->chooserMenu(1), [](QMenu* menu) {
            for (int down = 0;
                 down < 10 && (!menu->activeAction() || menu->activeAction()->text() != "Mortgage");
                 ++down)
                QTest::keyClick(menu, Qt::Key_Down);
            QTest::keyClick(menu, Qt::Key_Return);
        });
        panels()->chooser(0)->setFocus();
        QTest::keyClick(&h_.window(), Qt::Key_A, Qt::AltModifier);
        // A loaded machine (the sanitizers, other builds) may take a while to close the menu.
        QTRY_COMPARE_WITH_TIMEOUT(framework().active(1), std::string("Mortgage"), 20000);
        QTRY_COMPARE_WITH_TIMEOUT(QApplication::focusWidget(), h_.view(), 20000);

        h_.typeKeys("2500");
        panels()->chooser(1)->setFocus();
        QList<QWidget*> reached;
        for (int tab = 0; tab < 10; ++tab) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            reached << QApplication::focusWidget();
        }
        QVERIFY(reached.contains(panels()->list(addin_list::kFunctions)));
        for (int b = 0; b < PanelLayout::kButtons; ++b)
            QCOMPARE(reached.contains(panels()->button(1, b)), panels()->button(1, b)->isVisible());
        QTest::keyClick(panels()->button(1, 2), Qt::Key_Space);
        QCOMPARE(h_.rows(), WindowHarness::toolRows("{addin 1 Mortgage}2500{panel 1 3}"));

        bool opened = false;
        whenOpen(panels()->chooserMenu(0), [&opened](QMenu* menu) {
            opened = true;
            menu->close();
        });
        QTest::keyClick(&h_.window(), Qt::Key_D, Qt::AltModifier);
        QTRY_VERIFY(opened);
    }

    // With both panels shown the calculator column keeps its width, and at 640x480 the window
    // keeps its size with every key and panel button at least as large as it needs to be.
    void bothPanelsFit_data() {
        QTest::addColumn<QSize>("size");
        QTest::newRow("default") << QSize(1040, 680);
        QTest::newRow("640x480") << QSize(640, 480);
    }
    void bothPanelsFit() {
        QFETCH(QSize, size);
        h_.window().resize(size);
        QTRY_COMPARE(h_.window().size(), size);
        QApplication::processEvents();
        QWidget* calculator = panels()->parentWidget();
        const int width = calculator->width();
        QVERIFY2(play("{addin 0 VantX10}{addin 1 Mortgage}"), qPrintable(failed_));
        QVERIFY(panels()->panel(0)->isVisible() && panels()->panel(1)->isVisible());
        QApplication::processEvents();
        QTRY_COMPARE(h_.window().size(), size);
        QCOMPARE(calculator->width(), width);
        Keypad* keypad = h_.window().keypad();
        QVERIFY(keypad->height() >= keypad->minimumSizeHint().height());
        QList<QWidget*> shown = panels()->findChildren<QWidget*>();
        for (int code = 0; code < Keypad::kKeyCount; ++code)
            if (keypad->button(code)) shown << keypad->button(code);
        for (QWidget* w : shown) {
            // The least size a layout gives: the widget's own minimum where it sets one.
            const QSize hint = w->minimumSizeHint();
            const QSize least(w->minimumWidth() ? w->minimumWidth() : hint.width(),
                              w->minimumHeight() ? w->minimumHeight() : hint.height());
            QVERIFY2(
                !w->isVisible() || (w->width() >= least.width() && w->height() >= least.height()),
                qPrintable(w->objectName()));
        }
        QVERIFY(keypad->geometry().bottom() < panels()->geometry().top());
    }
};

}  // namespace talvex

QTEST_MAIN(talvex::AddinPanelsTest)
#include "AddinPanelsTest.moc"
