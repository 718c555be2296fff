// Column changes go back whole: the cells that moved, the captions and types, the roles the
// engine plays them with; the Undo and Redo commands follow what the history holds.
#include <gtest/gtest.h>

#include "SessionTest.h"
#include "documents/DataRow.h"

namespace talvex {
namespace {

class UndoColumnsTest : public testing::SessionTest {
  protected:
    void SetUp() override {
        startSession("[Talvex]\nPath=.\n");
        for (char c : std::string("5+7+T")) session_->engine.keyChar(c);
        session_->engine.clickRow(1);
        session_->engine.editCell(session_->engine.layout().roles.description, "rent");
    }
    // The whole document as its file would hold it: captions, then every row.
    std::string document() const {
        const Engine& engine = session_->engine;
        const ColumnSet& columns = session_->document.columns;
        std::string text;
        for (int col = ColumnSet::kFirstColumn; col <= columns.colCount(); ++col)
            text += columns.column(col).caption + "/" + columns.column(col).typeCode + " ";
        for (int row = 1; row <= engine.state().lastRow; ++row)
            text += "\n" + dataRowText(engine.table(), row, engine.layout().colCount, true);
        return text;
    }
    bool run(const char* id) { return session_->commands.run(id) != nullptr; }
};

ColumnDialogState typed(const char* caption) {
    ColumnDialogState state;
    state.caption = caption;
    return state;
}

TEST_F(UndoColumnsTest, ColumnChangesGoBackWhole) {
    const struct {
        const char* name;
        int action;
        int column;
        ColumnDialogState typed;
    } cases[] = {
        {"delete the description", ColumnActions::kDelete, 4, {}},
        {"insert before the date", ColumnActions::kInsertBefore, 3, typed("Payee")},
        {"rename the amount", ColumnActions::kEdit, 5, typed("Sum")},
    };
    for (const auto& c : cases) {
        SetUp();
        const std::string before = document();
        dialogs_.answers = {answer::kYes};
        dialogs_.column = c.typed;
        ASSERT_GE(session_->columns.columnAction(c.action, c.column), 0) << c.name;
        const std::string after = document();
        ASSERT_NE(after, before) << c.name;
        EXPECT_TRUE(run("Undo")) << c.name;
        EXPECT_EQ(document(), before) << c.name;
        EXPECT_TRUE(run("Redo")) << c.name;
        EXPECT_EQ(document(), after) << c.name;
        // The tape still adds up with the columns as they are now.
        for (char k : std::string("3+")) session_->engine.keyChar(k);
        EXPECT_EQ(view_.lastError(), "") << c.name;
    }
}

TEST_F(UndoColumnsTest, CommandsFollowTheHistory) {
    EXPECT_TRUE(run("Undo"));
    EXPECT_TRUE(run("Undo"));
    while (session_->engine.canUndo()) ASSERT_TRUE(run("Undo"));
    EXPECT_FALSE(run("Undo")) << "disabled with nothing to take back";
    EXPECT_TRUE(run("Redo"));
    for (char c : std::string("9+")) session_->engine.keyChar(c);
    EXPECT_FALSE(run("Redo")) << "a new change ends what could be made again";
}

}  // namespace
}  // namespace talvex
