// New, open and save, the save prompt, and the column buttons, with scripted dialogs.
#include <gtest/gtest.h>

#include <fstream>

#include "DocumentHarness.h"
#include "ScriptedDialogs.h"
#include "documents/ColumnActions.h"
#include "documents/Documents.h"
#include "documents/FileIo.h"
#include "documents/TapeWriter.h"

namespace talvex::testing {
namespace {

// A new tape from the default template (the six columns, the calculator group on the tape),
// with the keys typed on it.
struct DocumentsFixture : DocumentFixture {
    explicit DocumentsFixture(std::string_view keys = "") {
        std::string error;
        writeFileAtomically(folder / "!Default.kwt",
                            tapeFileText(document, engine, settings, TapeKind::templateWithoutData),
                            error);
        documents.newGrid(Documents::kDefaultTemplate);
        key(keys);
    }
    TempFolder folder;
    ScriptedDialogs dialogs;
    Documents documents{document, engine, settings, dialogs, folder.path()};
};

TEST(DocumentsTest, NewTapesGetTheNextUntitledName) {
    DocumentsFixture f;
    std::ofstream(f.folder / "Tape1.kwd") << "x";
    std::ofstream(f.folder / "Tape2.kwd") << "x";
    ASSERT_TRUE(f.documents.newGrid("!default.kwt")) << "found in any letter case";
    EXPECT_EQ(f.document.fileName, (f.folder / "Tape3.kwd").string());
    EXPECT_EQ(f.dialogs.title, "Talvex - " + (f.folder / "Tape3.kwd").string());
    EXPECT_TRUE(f.dialogs.requests.empty());
    EXPECT_FALSE(f.engine.state().modified);
    f.key("5+");
    ASSERT_TRUE(f.documents.saveDocument(SaveMode::save));
    EXPECT_TRUE(f.dialogs.requests.empty()) << "Save of a named tape shows no dialog";
    EXPECT_TRUE(std::filesystem::exists(f.folder / "Tape3.kwd"));
}

// A missing template is asked for, proposing the default; cancelling keeps the tape. An
// unmodified tape is replaced without the save prompt.
TEST(DocumentsTest, MissingTemplateAsksForOne) {
    DocumentsFixture f("5+");
    f.engine.setModified(false);
    f.dialogs.files.push_back({});
    EXPECT_FALSE(f.documents.newGrid("Nowhere.kwt"));
    ASSERT_EQ(f.dialogs.requests.size(), 1u);
    EXPECT_EQ(f.dialogs.requests[0].proposedName, "!Default.kwt");
    EXPECT_EQ(f.engine.state().lastRow, 2);
    EXPECT_TRUE(f.dialogs.messages.empty()) << "no prompt for an unmodified tape";
}

TEST(DocumentsTest, SaveDialogFiltersAndTemplates) {
    DocumentsFixture f("5+7+");
    f.document.fileName = (f.folder / "Budget.kwt").string();
    const std::string bare = (f.folder / "Bare.kwt").string();
    f.dialogs.files.push_back({bare, 3});
    ASSERT_TRUE(f.documents.saveDocument(SaveMode::saveAs));
    EXPECT_EQ(f.dialogs.requests.back().initialFilter, 2)
        << "a template name preselects Template with Data";
    std::string error;
    const std::string written = readWholeFile(bare, error).value_or("");
    EXPECT_EQ(written.find("\r\nM"), std::string::npos) << "template without data";
    ASSERT_TRUE(f.documents.saveDocument(SaveMode::save));
    EXPECT_NE(readWholeFile(bare, error).value_or("").find("\r\nM"), std::string::npos)
        << "Save of a named file writes all records";
    f.engine.setTapeOn(false);
    f.dialogs.files.push_back({});
    EXPECT_FALSE(f.documents.saveDocument(SaveMode::saveAs));
    EXPECT_EQ(f.dialogs.requests.back().defaultExtension, ".kwb") << "the tape is off";
}

TEST(DocumentsTest, FailedSaveIsReportedAndKeepsModified) {
    DocumentsFixture f("5+");
    ASSERT_TRUE(f.documents.saveDocument(SaveMode::save));
    std::filesystem::permissions(f.document.fileName, std::filesystem::perms::owner_read);
    std::string error;
    const std::string before = readWholeFile(f.document.fileName, error).value_or("");
    f.key("7+");
    EXPECT_FALSE(f.documents.saveDocument(SaveMode::save));
    EXPECT_TRUE(f.engine.state().modified);
    ASSERT_FALSE(f.dialogs.messages.empty());
    EXPECT_NE(f.dialogs.messages.back().find(f.document.fileName), std::string::npos);
    EXPECT_NE(f.dialogs.messages.back().find("read-only"), std::string::npos);
    EXPECT_EQ(readWholeFile(f.document.fileName, error).value_or(""), before);
}

TEST(DocumentsTest, OpenKeepsTheTapeWhenTheFileCannotBeRead) {
    DocumentsFixture f("5+");
    f.engine.setModified(false);
    EXPECT_FALSE(f.documents.openGrid((f.folder / "gone.kwd").string()));
    EXPECT_EQ(f.engine.state().lastRow, 2);
    EXPECT_NE(f.dialogs.messages.back().find("Cannot open"), std::string::npos);
    std::ofstream(f.folder / "junk.kwd") << std::string("\0\1\2junk", 7);
    EXPECT_TRUE(f.documents.openGrid((f.folder / "junk.kwd").string()));
    EXPECT_NE(f.dialogs.messages.back().find("damaged"), std::string::npos);
}

TEST(ColumnActionsTest, DeleteInsertAddEdit) {
    DocumentsFixture f("5+7+");
    ColumnActions actions(f.document, f.engine, f.dialogs, 11);
    f.dialogs.answers = {answer::kNo};
    EXPECT_EQ(actions.columnAction(ColumnActions::kDelete, 3), -1);
    EXPECT_EQ(f.engine.layout().colCount, 7);
    f.dialogs.answers = {answer::kYes};
    actions.columnAction(ColumnActions::kDelete, 3);
    EXPECT_EQ(f.engine.layout().colCount, 6);
    EXPECT_EQ(f.document.columns.column(4).caption, "Amount");
    EXPECT_EQ(f.engine.layout().roles.amount, 4);
    EXPECT_EQ(f.engine.cell(1, 4), "5.") << "cells move with their column";
    f.dialogs.column = ColumnDialogState{"", "Cost centre", 6, 2, "", true};
    EXPECT_EQ(actions.columnAction(ColumnActions::kInsertBefore, 2), 2);
    EXPECT_EQ(f.document.columns.column(2).caption, "Cost centre");
    EXPECT_EQ(f.document.columns.column(2).kind, ColumnKind::number);
    EXPECT_EQ(f.document.columns.column(3).caption, "No.");
    EXPECT_EQ(f.engine.layout().roles.amount, 5);
    EXPECT_EQ(f.engine.cell(1, 5), "5.");
    f.dialogs.column = ColumnDialogState{"", "Amount", 20, 0, "", true};
    actions.columnAction(ColumnActions::kEdit, 5);
    EXPECT_EQ(f.document.columns.column(5).typeCode, "15") << "a role column keeps its type";
    EXPECT_EQ(f.document.columns.width(5), 20);
    f.dialogs.column.reset();
    EXPECT_EQ(actions.columnAction(ColumnActions::kAddAfter, 0), -1) << "cancelled";
    EXPECT_EQ(f.engine.layout().colCount, 7);
    const size_t asked = f.dialogs.asked.size();
    ColumnActions full(f.document, f.engine, f.dialogs, f.engine.layout().colCount);
    EXPECT_EQ(full.columnAction(ColumnActions::kAddAfter, 0), -1);
    EXPECT_EQ(f.dialogs.asked.size(), asked) << "a full tape is refused before asking";
    EXPECT_EQ(f.engine.layout().colCount, 7);
}

TEST(ColumnSetTest, DeletingTheFourthOfSixColumns) {
    DocumentFixture f;
    f.key("5+");
    ColumnSet& columns = f.document.columns;
    ASSERT_EQ(columns.colCount() - 1, 6) << "six document columns after the line number";
    const int fourth = ColumnSet::kFirstColumn + 3;  // "Amount"
    const Column op = columns.column(fourth + 1);
    columns.deleteColumn(fourth);
    EXPECT_EQ(columns.colCount() - 1, 5);
    EXPECT_EQ(columns.column(fourth).printWidth, op.printWidth);
    EXPECT_EQ(columns.column(fourth).alignment, op.alignment);
    EXPECT_EQ(f.engine.cell(1, fourth), "+") << "the cells moved with their column";
    EXPECT_FALSE(ColumnRoles::present(f.engine.layout().roles.amount))
        << "no amount column is left";
    EXPECT_EQ(f.engine.layout().roles.op, fourth);
    f.key("7+S");
    f.engine.recalculate(1);
    EXPECT_EQ(f.engine.cell(3, kRegisterColumn), "12.:12:12|2:1:0") << "keying goes on without it";
}

}  // namespace
}  // namespace talvex::testing
