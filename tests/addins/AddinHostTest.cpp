// The add-ins inside a running tape: which add-in a line brings back, what the panels offer
// after a choice, and the definitions a user edits or uses in ways that must not hang.
#include <gtest/gtest.h>

#include <deque>

#include "RecordingView.h"
#include "TempFolder.h"
#include "documents/TapeReader.h"
#include "documents/TapeWriter.h"
#include "engine/KeyCodes.h"
#include "session/TapeSession.h"

namespace talvex {
namespace {

struct AnsweringDialogs : DialogsPort {
    answer::Answer message(const std::string&, const std::string&, Buttons, Icon) override {
        return answer::kOk;
    }
    FileDialogResult chooseFile(const FileDialogRequest&) override { return {}; }
    std::optional<std::string> inputBox(const std::string&, const std::string& title,
                                        const std::string& initial) override {
        asked.push_back(title + "|" + initial);
        if (answers.empty()) return std::nullopt;
        std::string answer = answers.front();
        answers.pop_front();
        return answer;
    }
    std::deque<std::string> answers;
    std::vector<std::string> asked;
};

class AddinHostTest : public ::testing::Test {
  protected:
    AddinHostTest() : session_(makeSession()) { session_->engine.newTape(); }

    std::unique_ptr<TapeSession> makeSession() {
        testing::writeFile(folder_ / "Talvex.ini",
                           "[Talvex]\nAddins0=VantPrint,VantX10\n"
                           "Addins1=Mortgage,UserFuncs,Memory,Financial,Abacus\n");
        return std::make_unique<TapeSession>(SessionPorts{view_, dialogs_, noWindow_, progress_},
                                             ConfigStore(folder_ / "Talvex.ini"), '.');
    }

    AddinFramework& framework() { return session_->addins.framework(); }
    Engine& engine() { return session_->engine; }
    void choose(int list, std::string_view name) {
        ASSERT_TRUE(session_->addins.chooseByName(list, name)) << name;
    }
    void keys(std::string_view text) {
        for (char c : text) engine().keyChar(c);
    }
    void press(int button) { framework().pressButton(1, button); }
    std::vector<std::string> captions(int slot) {
        std::vector<std::string> shown;
        if (const PanelView* panel = framework().panel(slot))
            for (const PanelButton& button : panel->layout.buttons)
                if (button.shown()) shown.push_back(button.caption);
        return shown;
    }
    std::string code(int row) {
        return std::string(engine().cell(row, engine().layout().roles.op));
    }

    testing::TempFolder folder_;
    testing::RecordingView view_;
    AnsweringDialogs dialogs_;
    FrontEndPort noWindow_;
    ProgressPort progress_;
    std::unique_ptr<TapeSession> session_;
};

// A loan keyed with the Payment panel: amount, rate, months and the payment.
constexpr std::string_view kLoanKeys[] = {"100000", "6", "360"};

TEST_F(AddinHostTest, MovingOntoALineBringsBackItsAddinAndItsFigures) {
    choose(addin_list::kCalculations, "Mortgage");
    for (int i = 0; i < 3; ++i) {
        keys(kLoanKeys[i]);
        press(2 + i);
    }
    press(7);
    choose(addin_list::kCalculations, "UserFuncs");
    EXPECT_EQ(framework().active(1), "UserFuncs");
    engine().clickRow(2);
    EXPECT_EQ(framework().active(1), "Mortgage");
    const loan::Loan& loan = session_->addins.mortgage().registers().loan;
    EXPECT_EQ(loan.amount, 100000);
    EXPECT_DOUBLE_EQ(loan.monthlyRate, 0.005);
    EXPECT_EQ(loan.periods, 1);  // the months were keyed after this line
    // Keying on the open row does not switch add-ins under the user's hands.
    choose(addin_list::kCalculations, "Memory");
    engine().gotoLine(GotoTarget::openRow);
    EXPECT_EQ(framework().active(1), "Memory");
    const int openRow = engine().state().lastRow;
    press(0);  // M*: recalls the empty memory
    press(3);  // M+: the display goes into the memory
    EXPECT_EQ(code(openRow) + code(openRow + 1), "VM");
    EXPECT_EQ(session_->addins.mortgage().registers().loan.periods, 360);
    // The loan's letters stay known: its lines replay, and their add-in comes back for them;
    // the memory lines at the end bring the memory back last.
    engine().recalculate(1);
    EXPECT_EQ(view_.lastError(), "");
    EXPECT_EQ(framework().active(1), "Memory");
    EXPECT_EQ(code(openRow) + code(openRow + 1), "VM");
    EXPECT_EQ(engine().cell(4, engine().layout().roles.amount), "599.5505251528");
}

TEST_F(AddinHostTest, ChoicesShowAndHidePanels) {
    choose(addin_list::kDevices, "VantX10");
    EXPECT_EQ(captions(0),
              (std::vector<std::string>{"Options", "Hous", "On", "Brt", "Unit", "Off", "Dim"}));
    const int lines = engine().state().lastRow;
    for (int button = 0; button < 8; ++button) framework().pressButton(0, button);
    EXPECT_EQ(engine().state().lastRow, lines);
    choose(addin_list::kDevices, "{none}");
    EXPECT_EQ(framework().panel(0), nullptr);
    // A name nobody answers to changes the slot's name and shows nothing.
    choose(addin_list::kCalculations, "Abacus");
    EXPECT_EQ(framework().panel(1), nullptr);
    choose(addin_list::kCalculations, "Mortgage");
    EXPECT_EQ(captions(1),
              (std::vector<std::string>{"Functions", "amt", "int%", "nPr", "fv", "Payment"}));
    choose(addin_list::kFunctions, "Balance");
    EXPECT_EQ(captions(1),
              (std::vector<std::string>{"Functions", "amt", "int%", "lFe", "pmt", "balance"}));
}

// Definitions typed into the input boxes: x(a..g) uses seven parameters, its panel offers the
// first five of them and the function key.
TEST_F(AddinHostTest, AFunctionOffersItsFirstFiveParameters) {
    choose(addin_list::kCalculations, "UserFuncs");
    for (char symbol : std::string("abfhjkm")) {
        dialogs_.answers.push_back(std::string(1, symbol) + ",k" + symbol + ",Key " + symbol);
        keys("1");
        press(2);
    }
    dialogs_.answers.push_back("Y,sum,Sum");
    press(4);
    for (char symbol : std::string("abfhjkm")) {
        engine().editAmount(std::string("R") + symbol);
        engine().keyFront(key::kAdd);
    }
    press(5);
    choose(addin_list::kFunctions, "sum");
    EXPECT_EQ(captions(1),
              (std::vector<std::string>{"Functions", "ka", "kb", "kf", "kh", "kj", "sum"}));
    keys("4");
    press(2);  // a = 4
    press(7);
    EXPECT_EQ(engine().cell(engine().state().lastRow - 2, engine().layout().roles.amount), "10.");
}

TEST_F(AddinHostTest, SetupEditsADefinitionThatRecalculationKeeps) {
    choose(addin_list::kCalculations, "UserFuncs");
    dialogs_.answers = {"w,wid,Width"};
    keys("5");
    press(2);
    engine().clickRow(1);
    dialogs_.answers = {"w,width,Breadth"};
    press(7);
    ASSERT_FALSE(dialogs_.asked.empty());
    EXPECT_EQ(dialogs_.asked.back(), "Edit Parameter Information|w,wid,Width");
    engine().recalculate(1);
    const auto& parameters = session_->addins.userFunctions().table(UserFunctions::parameters);
    ASSERT_EQ(parameters.size(), 1u);
    EXPECT_EQ(parameters[0].abbreviation, "width");
    EXPECT_EQ(engine().cell(1, engine().layout().roles.description), "Breadth");
    // Setup... on a line that is no definition asks nothing.
    engine().gotoLine(GotoTarget::openRow);
    const size_t asked = dialogs_.asked.size();
    press(7);
    EXPECT_EQ(dialogs_.asked.size(), asked);
    EXPECT_EQ(view_.lastError(), "Cannot Edit this Entry");
}

TEST_F(AddinHostTest, AFunctionThatUsesItselfStops) {
    choose(addin_list::kCalculations, "UserFuncs");
    dialogs_.answers = {"F,f,Self"};
    press(4);
    // The body calls the function being declared; its key is the typed letter.
    keys("2+F");
    press(5);
    choose(addin_list::kFunctions, "f");
    press(2);
    bool said = false;
    for (const auto& [text, error] : view_.statuses) said |= text == "A function cannot use itself";
    EXPECT_TRUE(said);
    EXPECT_EQ(code(engine().state().lastRow - 2), "F");
}

// A body the calculator refuses to replay takes the function's key back whole, and the
// add-ins are not left believing a replay still runs.
TEST_F(AddinHostTest, ARefusedBodyTakesTheKeyBack) {
    choose(addin_list::kCalculations, "UserFuncs");
    dialogs_.answers = {"z,zz,Zed", "F,f,Square"};
    keys("1");
    press(2);
    press(4);
    engine().editAmount("Rz");
    engine().keyFront(key::kMultiply);
    engine().editAmount("Rz");
    engine().keyFront(key::kEquals);
    press(5);
    choose(addin_list::kFunctions, "f");
    keys(std::string(200, '9'));
    press(2);  // z is now too large to square
    const int lines = engine().state().lastRow;
    press(3);
    EXPECT_EQ(engine().state().lastRow, lines);
    EXPECT_EQ(view_.lastError(), "Overflow");
    EXPECT_FALSE(engine().replaying());
    choose(addin_list::kFunctions, "Setup");
    dialogs_.answers = {"q,q,Asked"};
    const size_t asked = dialogs_.asked.size();
    press(2);
    EXPECT_EQ(dialogs_.asked.size(), asked + 1);
}

// The shipped loan tape reads and recalculates to what it shows also where the configuration
// lists its add-ins elsewhere or not at all.
TEST(AddinListsTest, ATapeReadsTheSameWhateverTheListsSay) {
    const std::string tape = testing::readFile(std::string(TALVEX_DATA_DIR) + "/Loan.kwd");
    for (const char* lists : {"Mortgage,UserFuncs", "Financial,UserFuncs,Memory,Mortgage", ""}) {
        SCOPED_TRACE(lists);
        testing::TempFolder folder;
        testing::writeFile(folder / "Talvex.ini", std::string("[Talvex]\nAddins1=") + lists + "\n");
        testing::RecordingView view;
        AnsweringDialogs dialogs;
        FrontEndPort noWindow;
        ProgressPort progress;
        TapeSession session({view, dialogs, noWindow, progress}, ConfigStore(folder / "Talvex.ini"),
                            '.');
        loadTapeText(tape, session.document, session.engine, session.fileSettings);
        const std::string read = tapeFileText(session.document, session.engine,
                                              session.fileSettings, TapeKind::withData);
        session.engine.recalculate(1);
        EXPECT_EQ(view.lastError(), "");
        EXPECT_EQ(tapeFileText(session.document, session.engine, session.fileSettings,
                               TapeKind::withData),
                  read);
        EXPECT_EQ(read.substr(read.find("\r\n1\t")), tape.substr(tape.find("\r\n1\t")));
    }
}

}  // namespace
}  // namespace talvex
