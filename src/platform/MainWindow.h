#pragma once

#include <QMainWindow>
#include <QPointer>
#include <QRect>

#include <string>
#include <vector>

#include "engine/EnginePorts.h"
#include "platform/ProgressDialogPort.h"
#include "session/FrontEndPort.h"

class QAction;
class QLabel;
class QPlainTextEdit;
class QSplitter;

namespace talvex {

class AddinPanels;
enum class Aftermath;
class ColumnActions;
class CommandTable;
class ConfigStore;
class DialogsPort;
class DisplayBar;
class FoldingPanel;
class Documents;
class Engine;
class Keypad;
class OptionTable;
class OptionsDialog;
class LayoutDialog;
class MessengerPanel;
class WebView;
class PageLayout;
class PaperFrame;
class PrintCommands;
class ReferencePanel;
class Ruler;
class SettingsGroups;
class TapeModel;
class TapeSession;
class TapeView;
struct TapeDocument;

// The main window: the tape, the display and keypad, menus, toolbar and status bar. It is
// also the engine's view: every change of the tape reaches the widgets through it.
class MainWindow : public QMainWindow, public ViewPort, public FrontEndPort {
    Q_OBJECT

  public:
    // The session outlives the window.
    explicit MainWindow(TapeSession& core, QWidget* parent = nullptr);
    ~MainWindow() override;

    // ViewPort
    void showStatus(const std::string& text, bool error) override;
    void showDisplay(const std::string& text) override;
    void setDisplayColour(int colourIndex) override;
    void rowsChanged(int first, int last) override;
    void rowCountChanged(int lastRow) override;
    void rowsInserted(int row, int count, int lastRow) override;
    void rowsRemoved(int row, int count, int lastRow) override;
    void currentRowChanged(int row) override;
    void showRowAtTop(int row) override;
    void referenceSlotChanged(int slot, const std::string& text) override;
    void showColumn(int col) override;
    void countsCaptionChanged(bool countsOn) override;
    void beep() override;
    void columnLayoutChanged() override;

    // FrontEndPort
    bool hasWindow() const override { return true; }
    void exit() override { exitProgram(); }
    void showOptions() override { openOptions(0); }
    void showAbout() override;
    void enterWhatsThis() override;
    void openPage(const std::string& address) override;
    void editMessenger() override { openMessengerFromOptions(); }
    // The options dialog on its "&Printer" tab.
    void showPrinterOptions() override;
    std::vector<int> selectedLines() const override;

    // Printing: the layout the ruler and the tape's paper follow, and the commands of the
    // printer tab. Without them the tape fills its pane and the dialog has no printer tab.
    void attachPrinting(PageLayout& layout, PrintCommands& commands);
    // The "Page Layout" dialog; it edits the live layout and returns when closed.
    void openPageLayout();
    // The paper's width and margins as the layout has them now, on the ruler and the tape.
    void applyPaper();
    LayoutDialog* layoutDialog() const;
    OptionsDialog* optionsDialog() const;
    Ruler* ruler() const { return ruler_; }
    PaperFrame* paperFrame() const { return paper_; }

    // After a tape was loaded or created: columns, panels, notes and references anew.
    void documentChanged();
    // Enters or leaves the compact configuration: its settings groups, bars and window size.
    void setCompactConfiguration(bool compact);
    // Set when the program is to end, so closing the window ends it instead of hiding it.
    void setClosing(bool closing) { closing_ = closing; }
    bool closing() const { return closing_; }
    QString statusText() const;
    TapeView* tapeView() const { return view_; }
    // Long work of the engine and the other modules reports here.
    ProgressPort& progress() { return progress_; }
    void focusTape();
    Keypad* keypad() const { return keypad_; }
    AddinPanels* addinPanels() const { return addinPanels_; }
    QAction* action(const QString& name) const;
    MessengerPanel* messengerPanel() const { return messenger_; }
    // The messenger's settings: from the options dialog, behind the password when Edit Lock
    // has one; from a click on the panel, only while Edit Lock is off.
    void openMessengerFromOptions();
    void openMessengerFromPanel();

  signals:
    // The window was closed without ending the program (it waits in the tray).
    void hiddenToTray();
    // The window was closed for good: the program ends.
    void closedForGood();

  protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    // The desktop's palette changed: the built-in colours follow it between light and dark.
    void followPalette();
    void buildLayout();
    void buildMessenger();
    void buildBrowser();
    void layOutMessenger();
    void showMessengerSettings();
    void launchMessengerAddress();
    int foldedNotesHeight() const;
    void fitCalculator();
    void openNotes(bool open);
    void buildCommands();
    void buildToolbar();
    void runCommand(const std::string& id);
    void follow(Aftermath aftermath);
    void syncCommands();
    void connectWidgets();
    void keypadKey(int code);
    void typedChar(char c);
    void applyViewOptions();
    void applyConfiguration();
    void applyBars();
    void applyAlwaysOnTop();
    void exitProgram();
    void openOptions(int tab);
    void syncNotesToDocument();
    // The title's mark for unsaved changes.
    void showModified();
    void showDisplayAfterReplay();

    TapeSession& core_;
    // One action per command, in the table's order.
    std::vector<QAction*> commandActions_;
    TapeModel* model_ = nullptr;
    TapeView* view_ = nullptr;
    DisplayBar* display_ = nullptr;
    Keypad* keypad_ = nullptr;
    ReferencePanel* references_ = nullptr;
    QPlainTextEdit* notes_ = nullptr;
    Ruler* ruler_ = nullptr;
    PaperFrame* paper_ = nullptr;
    QPointer<LayoutDialog> layoutDialog_;
    PageLayout* layout_ = nullptr;
    PrintCommands* printCommands_ = nullptr;
    AddinPanels* addinPanels_ = nullptr;
    MessengerPanel* messenger_ = nullptr;
    bool syncPending_ = false;
    std::string displayText_;
    bool displayPending_ = false;
    WebView* web_ = nullptr;
    QSplitter* top_ = nullptr;
    QSplitter* tapeSide_ = nullptr;
    QLabel* status_ = nullptr;
    FoldingPanel* notesFold_ = nullptr;
    QSplitter* central_ = nullptr;
    QWidget* calculator_ = nullptr;
    FoldingPanel* referencesFold_ = nullptr;
    ProgressDialogPort progress_{this};
    QPointer<OptionsDialog> options_;
    bool closing_ = false;
    bool compactShown_ = false;
    QRect normalGeometry_;
    bool loadingNotes_ = false;
};

}  // namespace talvex
