// The export, copy and find commands of the menus, run through the command table as the
// window runs them.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "RecordingView.h"
#include "ScriptedDialogs.h"
#include "TempFolder.h"
#include "session/TapeSession.h"

namespace talvex {
namespace {

struct SelectingFrontEnd : FrontEndPort {
    std::vector<int> selectedLines() const override { return selection; }
    std::vector<int> selection;
};

struct RecordingClipboard : ClipboardPort {
    void setText(const std::string& value, const std::string&) override { text = value; }
    void setCells(const std::string& value, const std::string& table) override {
        text = value;
        html = table;
    }
    std::string text, html;
};

class SpreadsheetCommandsTest : public ::testing::Test {
  protected:
    SpreadsheetCommandsTest() {
        testing::writeFile(folder_.path() / "Talvex.ini", "[Talvex]\nPath=.\n");
        session_ =
            std::make_unique<TapeSession>(SessionPorts{view_, dialogs_, frontEnd_, progress_},
                                          ConfigStore(folder_.path() / "Talvex.ini"), '.');
        session_->document.columns.setDefaults();
        session_->engine.newTape();
        session_->engine.setClipboard(clipboard_);
        describe("Rent, flat").key("950+");
        describe("Café \"Zum Stern\"").key("42.5+T");
    }
    SpreadsheetCommandsTest& describe(const std::string& text) {
        session_->engine.editCell(session_->engine.layout().roles.description, text);
        return *this;
    }
    SpreadsheetCommandsTest& key(const std::string& keys) {
        for (const char c : keys) session_->engine.keyChar(c);
        return *this;
    }
    void run(const char* id) { ASSERT_NE(session_->commands.run(id), nullptr) << id; }
    int cursor() const { return session_->engine.state().curRow; }
    std::string status() const {
        return view_.statuses.empty() ? std::string() : view_.statuses.back().first;
    }

    testing::TempFolder folder_;
    testing::RecordingView view_;
    testing::ScriptedDialogs dialogs_;
    SelectingFrontEnd frontEnd_;
    ProgressPort progress_;
    RecordingClipboard clipboard_;
    std::unique_ptr<TapeSession> session_;
};

TEST_F(SpreadsheetCommandsTest, ExportWritesTheChosenFormat) {
    const std::string csv = (folder_.path() / "tape.csv").string();
    const std::string txt = (folder_.path() / "tape").string();
    dialogs_.files = {{csv, 1}, {txt, 2}};
    run("Export");
    run("Export");
    ASSERT_EQ(dialogs_.requests.size(), 2u);
    EXPECT_TRUE(dialogs_.requests[0].save);
    EXPECT_EQ(dialogs_.requests[0].filter,
              "CSV (comma-separated)|*.csv|Text (tab-separated)|*.txt");
    EXPECT_EQ(testing::readFile(csv).substr(0, 41), "Line,No.,Date,Description,Amount,Op,Ref\r\n");
    EXPECT_NE(testing::readFile(csv).find("1,,,\"Rent, flat\",950,+,\r\n"
                                          "2,,,\"Café \"\"Zum Stern\"\"\",42.5,+,\r\n"
                                          "3,,,TOTAL,992.5,T,\r\n"),
              std::string::npos);
    EXPECT_NE(testing::readFile(txt + ".txt").find("2\t\t\tCafé \"Zum Stern\"\t42.5\t+\t\n"),
              std::string::npos);
    EXPECT_TRUE(dialogs_.messages.empty());
}

TEST_F(SpreadsheetCommandsTest, ExportThatCannotBeWrittenSaysSo) {
    dialogs_.files = {{(folder_.path() / "missing" / "tape.csv").string(), 1}};
    run("Export");
    ASSERT_EQ(dialogs_.messages.size(), 1u);
    EXPECT_NE(dialogs_.messages[0].find("could not be exported"), std::string::npos);
    dialogs_.files.clear();
    run("Export");  // cancelled
    EXPECT_EQ(dialogs_.messages.size(), 1u);
}

TEST_F(SpreadsheetCommandsTest, CopyOfSeveralLinesGivesCellsOfOneLineTheCell) {
    session_->engine.clickRow(1);
    session_->document.currentColumn = session_->engine.layout().roles.description;
    frontEnd_.selection = {1};
    run("Copy");
    EXPECT_EQ(clipboard_.text, "Rent, flat");
    EXPECT_EQ(clipboard_.html, "");
    // The open row is no line.
    frontEnd_.selection = {2, 3, 4, 5};
    run("Copy");
    EXPECT_EQ(clipboard_.text,
              "2\t\t\tCafé \"Zum Stern\"\t42.5\t+\t\n3\t\t\tTOTAL\t992.5\tT\t\n"
              "4\t\t\t\t\t\t\n");
    EXPECT_NE(clipboard_.html.find("<tr><td>2</td><td></td><td></td><td>Café &quot;Zum "
                                   "Stern&quot;</td><td>42.5</td><td>+</td><td></td></tr>"),
              std::string::npos);
    EXPECT_EQ(clipboard_.html.find("<th>"), std::string::npos);
}

TEST_F(SpreadsheetCommandsTest, FindMovesTheCursorAndRemembersTheText) {
    dialogs_.inputs = {"zucchini"};
    run("Find");
    EXPECT_EQ(cursor(), 5);
    EXPECT_EQ(status(), "Not found: zucchini");
    dialogs_.inputs = {"rENT"};
    run("Find");
    EXPECT_EQ(cursor(), 1);
    // The display follows as it follows a click.
    const std::string found = view_.display;
    session_->engine.clickRow(5);
    EXPECT_NE(view_.display, found);
    session_->engine.clickRow(1);
    EXPECT_EQ(view_.display, found);
    dialogs_.inputs = {"cAf"};
    run("Find");
    EXPECT_EQ(cursor(), 2);
    run("FindNext");
    EXPECT_EQ(cursor(), 2);
    dialogs_.inputs = {"9"};
    run("Find");
    EXPECT_EQ(cursor(), 3);
    run("FindNext");
    EXPECT_EQ(cursor(), 1);
    run("FindPrevious");
    EXPECT_EQ(cursor(), 3);
    EXPECT_EQ(dialogs_.inputsAsked.size(), 4u);
    run("Find");  // cancelled: nothing moves
    EXPECT_EQ(cursor(), 3);
}

}  // namespace
}  // namespace talvex
