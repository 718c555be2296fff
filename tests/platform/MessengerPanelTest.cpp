// The messenger panel in the window: its settings dialog reaches the panel and the saved tape,
// the locks decide what a click does, and the password guards the options dialog's way in.
#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QImage>
#include <QLineEdit>
#include <QSplitter>
#include <QTest>

#include "DialogDriving.h"
#include "WindowHarness.h"
#include "messenger/MessengerSettings.h"
#include "platform/AddinPanels.h"
#include "platform/LogoForm.h"
#include "platform/MessengerPanel.h"
#include "platform/OptionsDialog.h"
#include "platform/PwdForm.h"
#include "platform/TapeModel.h"
#include "platform/TapeView.h"
#include "platform/web/WebView.h"

namespace talvex {

using testing::whenShown;

class MessengerPanelTest : public QObject {
    Q_OBJECT

    template <typename T>
    static T* control(QWidget* form, const char* name) {
        T* found = form->findChild<T*>(name);
        if (!found) qFatal("no control %s", name);
        return found;
    }
    static void setText(QWidget* form, const char* name, const QString& text) {
        control<QLineEdit>(form, name)->setText(text);
    }
    static void press(QWidget* form, const char* name) {
        QTest::mouseClick(control<QAbstractButton>(form, name), Qt::LeftButton);
    }

    MessengerPanel* panel() { return h_.window().messengerPanel(); }

    // A left click on the panel, given the double-click time to pass.
    void clickPanel() {
        QTest::mouseClick(panel(), Qt::LeftButton);
        QTest::qWait(QApplication::doubleClickInterval() * 2);
    }

    // Whether a click on the panel brings up the settings (closed again at once if so).
    bool clickOpensLogoForm() {
        bool opened = false;
        QTimer poll;
        connect(&poll, &QTimer::timeout, [&] {
            for (QWidget* w : QApplication::topLevelWidgets())
                if (auto* form = qobject_cast<LogoForm*>(w); form && form->isVisible()) {
                    opened = true;
                    form->reject();
                }
        });
        poll.start(20);
        clickPanel();
        return opened;
    }

    void makePicture(const char* name, QSize size, Qt::GlobalColor colour) {
        QImage picture(size, QImage::Format_RGB32);
        picture.fill(colour);
        QVERIFY(picture.save(QString::fromStdString(h_.path(name))));
    }

  private slots:
    void init() { h_.install(); }

    void settingsReachThePanelAndTravelWithTheTape() {
        makePicture("logo.png", {30, 20}, Qt::red);
        makePicture("wall.png", {8, 8}, Qt::blue);
        QVERIFY(h_.open());
        QCOMPARE(panel()->toolTip(), "Talvex Messenger.  Click to Edit.");
        QVERIFY2(!panel()->logo().isNull(), "the program's own logo shows by default");
        QVERIFY(h_.dialogs.messages.empty());

        bool edited = false;
        whenShown<LogoForm>([&](LogoForm* form) {
            QCOMPARE(control<QLineEdit>(form, "Text0")->text(), "Talvex.bmp");
            // A file that is no picture: the message names it, the logo stays empty.
            std::ofstream(h_.path("bad.bmp")) << "not a picture";
            setText(form, "Text0", QString::fromStdString(h_.path("bad.bmp")));
            press(form, "Cmd2");
            QCOMPARE(h_.dialogs.messages.size(), size_t{1});
            QVERIFY(h_.dialogs.messages[0].starts_with("Error Loading Logo " + h_.path("bad.bmp")));
            QVERIFY(panel()->logo().isNull());

            setText(form, "Text0", "logo.png");
            control<QComboBox>(form, "Place0")->setCurrentIndex(1);  // LeftTop
            setText(form, "Text7", "wall.png");
            control<QComboBox>(form, "Place1")->setCurrentIndex(11);  // Tile
            setText(form, "Text1", "Hello, world");
            control<QComboBox>(form, "Place2")->setCurrentIndex(8);  // RightBottom
            setText(form, "Text2", "7");
            setText(form, "Text8", "3");
            form->setColour(1, 0x00FFFF);
            control<QCheckBox>(form, "Chks1")->setChecked(true);  // Edit Lock
            control<QCheckBox>(form, "Chks2")->setChecked(true);  // Launch
            setText(form, "Text4", "https://example.org/a,b");
            setText(form, "Text5", "pw, 1 ");
            control<QCheckBox>(form, "Save")->setChecked(true);
            press(form, "Cmd0");
            QCOMPARE(control<QLineEdit>(form, "Text8")->text(), "7");
            edited = true;
        });
        clickPanel();
        QVERIFY(edited);

        const MessengerRecord shown = panel()->record();
        QCOMPARE(shown.text, "Hello, world");
        QCOMPARE(shown.minHeight, 7);
        QCOMPARE(shown.maxHeight, 7);
        QCOMPARE(shown.password, "pw, 1 ");
        QCOMPARE(shown.address, "https://example.org/a,b");
        QCOMPARE(shown.wallpaperPlacement, placement::kTile);
        QCOMPARE(panel()->logo().size(), QSize(30, 20));
        QCOMPARE(panel()->wallpaper().size(), QSize(8, 8));
        QCOMPARE(panel()->height(), panel()->pixelsOf(7));
        QCOMPARE(panel()->toolTip(), "Talvex Messenger.  DoubleClick to Launch Web Address.");
        QVERIFY(h_.window().isWindowModified());
        QVERIFY2(configuredMessenger(h_.session->config()) == MessengerRecord{},
                 "only \"SaveAs Default\" writes the configuration");

        QVERIFY2(!clickOpensLogoForm(), "Edit Lock: a click on the panel opens nothing");

        h_.dialogs.files = {{h_.path("Saved.kwd")}};
        h_.window().action("SaveAs")->trigger();
        h_.session.reset();
        QVERIFY(h_.open(h_.path("Saved.kwd")));
        QVERIFY(panel()->record() == shown);
        QVERIFY(h_.session->messenger().record() == shown);
        QCOMPARE(panel()->logo().size(), QSize(30, 20));
    }

    // The options dialog's way in asks for the password; a wrong one keeps the prompt open.
    void wrongPasswordKeepsThePromptOpen() {
        QVERIFY(h_.open());
        MessengerRecord locked = h_.session->messenger().record();
        locked.editLock = true;
        locked.password = "Secret";
        h_.session->messenger().apply(locked);

        QStringList captions;
        bool settingsShown = false;
        whenShown<PwdForm>([&](PwdForm* prompt) {
            for (const char* typed : {"secret", "Secret"}) {
                prompt->box()->setText(typed);
                QTest::keyClick(prompt->box(), Qt::Key_Return);
                captions << (prompt->isVisible() ? prompt->windowTitle() : "closed");
            }
            whenShown<LogoForm>([&](LogoForm* form) {
                settingsShown = true;
                press(form, "Cmd1");
            });
        });
        h_.window().showPrinterOptions();
        OptionsDialog* options = h_.window().optionsDialog();
        QVERIFY(options);
        QAbstractButton* messengerButton = nullptr;
        for (auto* b : options->findChildren<QAbstractButton*>())
            if (b->text() == "&Messenger...") messengerButton = b;
        QVERIFY(messengerButton && messengerButton->isEnabled());
        messengerButton->click();
        QCOMPARE(captions, QStringList({"Password is incorrect", "closed"}));
        QVERIFY(settingsShown);
        QVERIFY2(h_.session->messenger().record() == locked, "Cancel changes nothing");
        options->close();
    }

    // The view switch is the View Lock: locked, the panel cannot be folded away.
    void viewSwitchLocksThePanelOpen() {
        QVERIFY(h_.open());
        QAction* lock = h_.window().action("Logo");
        QVERIFY(lock && lock->isEnabled() && lock->isChecked());
        auto* splitter = qobject_cast<QSplitter*>(panel()->parentWidget());
        QVERIFY(splitter);
        QVERIFY(!splitter->isCollapsible(splitter->indexOf(panel())));
        lock->trigger();
        QVERIFY(!h_.session->messenger().record().viewLock);
        QVERIFY(!lock->isChecked());
        QVERIFY(splitter->isCollapsible(splitter->indexOf(panel())));
    }

    // With "Active:" on, moving onto a linked line opens its page in the panel's browser, and
    // a page reached by a link in another brings the line linking to it to the top of the
    // tape while the cursor stays.
    void linkedLinesAndPagesFollowEachOther() {
        testing::writeFile(h_.path("a.html"),
                           "<html><head><title>Page A</title></head>"
                           "<body><a href=\"b.html\">to B</a></body></html>");
        testing::writeFile(h_.path("b.html"), "<html><head><title>Page B</title></head></html>");
        h_.install("Addins0=VantPrint,VantAtm,VantBrowser\n");
        QVERIFY(h_.open());
        for (int line = 0; line < 80; ++line) h_.typeKeys("1+");
        MessengerRecord record = h_.session->messenger().record();
        record.setSwitch(MessengerSwitch::active, true);
        record.address = h_.path("a.html");
        h_.session->messenger().apply(record);
        auto* web = panel()->findChild<WebView*>("Browser");
        QVERIFY(web && web->isVisible());
        QCOMPARE(web->currentTitle(), "Page A");
        QVERIFY(h_.session->addins().chooseByName(addin_list::kDevices, "VantBrowser"));
        QAbstractButton* add = h_.window().addinPanels()->button(0, 2);

        // Row 60 takes page B, row 3 the home page that opens on an unlinked line.
        h_.engine().clickRow(60);
        web->navigate(h_.path("b.html"), false);
        QTest::mouseClick(add, Qt::LeftButton);
        h_.engine().clickRow(3);
        QCOMPARE(web->currentTitle(), "Page A");
        QTest::mouseClick(add, Qt::LeftButton);
        QCOMPARE(h_.engine().lineLink(3), web->currentAddress());

        h_.engine().clickRow(60);
        QCOMPARE(web->currentTitle(), "Page B");
        h_.engine().clickRow(3);
        QCOMPARE(web->currentTitle(), "Page A");
        web->followLink(QUrl("b.html"));
        QCOMPARE(web->currentTitle(), "Page B");
        TapeView* tape = h_.view();
        QCOMPARE(tape->tapeModel()->tapeRow(tape->rowAt(0)), 60);
        QCOMPARE(h_.engine().state().curRow, 3);
    }

  private:
    WindowHarness h_;
};

}  // namespace talvex

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    talvex::MessengerPanelTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "MessengerPanelTest.moc"
