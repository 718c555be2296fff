// Tapes written for spreadsheets: the cells, their quoting, and the figures as numbers.
#include <gtest/gtest.h>

#include <charconv>
#include <filesystem>
#include <string>
#include <vector>

#include "DocumentHarness.h"
#include "documents/FileIo.h"
#include "documents/TapeExport.h"

namespace talvex::testing {
namespace {

TEST(TapeExportTest, TrickyCellsInEachFormat) {
    struct Row {
        std::string cell, csv, tsv, html;
    };
    const std::vector<Row> rows = {
        {"plain", "plain", "plain", "plain"},
        {"Gas, oil", "\"Gas, oil\"", "Gas, oil", "Gas, oil"},
        {"5\" pipe", "\"5\"\" pipe\"", "5\" pipe", "5&quot; pipe"},
        {"\"", "\"\"\"\"", "\"", "&quot;"},
        {"two\nlines", "\"two\nlines\"", "two lines", "two\nlines"},
        {"cr\rhere", "\"cr\rhere\"", "cr here", "cr\rhere"},
        {"tab\there", "tab\there", "tab here", "tab\there"},
        {"Café Größe", "Café Größe", "Café Größe", "Café Größe"},
        {"<b>&amp;</b>", "<b>&amp;</b>", "<b>&amp;</b>", "&lt;b&gt;&amp;amp;&lt;/b&gt;"},
        {"", "", "", ""},
        {" padded ", " padded ", " padded ", " padded "},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.cell);
        const ExportedCells cells{{}, {{"x", row.cell, "y"}}};
        EXPECT_EQ(csvText(cells), "x," + row.csv + ",y\r\n");
        EXPECT_EQ(tsvText(cells), "x\t" + row.tsv + "\ty\n");
        EXPECT_NE(htmlTable(cells).find("<tr><td>x</td><td>" + row.html + "</td><td>y</td></tr>"),
                  std::string::npos);
    }
}

TEST(TapeExportTest, HeaderRowOnlyWithCaptions) {
    const ExportedCells bare{{}, {{"1", "2"}, {"", ""}}};
    EXPECT_EQ(csvText(bare), "1,2\r\n,\r\n");
    EXPECT_EQ(tsvText(bare), "1\t2\n\t\n");
    ExportedCells captioned = bare;
    captioned.captions = {"No, really", "Amount"};
    EXPECT_EQ(csvText(captioned), "\"No, really\",Amount\r\n1,2\r\n,\r\n");
    EXPECT_EQ(tsvText(captioned), "No, really\tAmount\n1\t2\n\t\n");
    EXPECT_NE(htmlTable(captioned).find("<tr><th>No, really</th><th>Amount</th></tr>"),
              std::string::npos);
    EXPECT_EQ(htmlTable(bare).find("<th>"), std::string::npos);
}

double number(const std::string& text) {
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    EXPECT_TRUE(error == std::errc() && end == text.data() + text.size()) << text;
    return value;
}

// Every line of every kind, in tape order, each figure the number the tape reads from the cell.
TEST(TapeExportTest, EveryLineWithItsFiguresAsNumbers) {
    for (char decSep : {'.', ','}) {
        SCOPED_TRACE(decSep);
        ViewPort view;
        AddinPort addins;
        Engine engine(view, addins, NumberSymbols::forDecSep(decSep));
        TapeDocument document{engine};
        document.columns.setDefaults();
        engine.setCalcOption(4, 1);
        const std::string sep(1, decSep);
        for (char c : "1234" + sep + "5+2000-T12" + sep + "25*4=") engine.keyChar(c);
        const int amount = engine.layout().roles.amount;
        const std::vector<int> cols = shownColumns(engine, document.columns, false);
        const ExportedCells cells =
            withCaptions(exportedCells(engine, document.columns, cols, shownLines(engine)),
                         document.columns, cols);
        ASSERT_EQ(cells.rows.size(), static_cast<size_t>(engine.state().lastRow - 1));
        ASSERT_EQ(cells.captions,
                  (std::vector<std::string>{"No.", "Date", "Description", "Amount", "Op", "Ref"}));
        std::vector<std::string> amounts, ops;
        for (size_t i = 0; i < cells.rows.size(); ++i) {
            const int row = static_cast<int>(i) + 1;
            const std::string shown(engine.cell(row, amount));
            amounts.push_back(cells.rows[i][3]);
            ops.push_back(cells.rows[i][4]);
            if (!shown.empty()) {
                EXPECT_EQ(number(cells.rows[i][3]), engine.format().read(shown));
            }
        }
        EXPECT_EQ(amounts, (std::vector<std::string>{"1234.5", "2000", "-765.5", "", "12.25", "4",
                                                     "49", ""}));
        EXPECT_EQ(ops, (std::vector<std::string>{"+", "-", "T", "", "x", "=", "*", ""}));
    }
}

TEST(TapeExportTest, OnlyShownColumnsAndLinesInGridOrder) {
    DocumentFixture f;
    f.key("5+7+T");
    ColumnSet& columns = f.document.columns;
    columns.column(f.engine.layout().roles.itemCount).visible = false;
    columns.column(3).visible = false;
    EXPECT_EQ(shownColumns(f.engine, columns, true), (std::vector<int>{1, 4, 5, 6, 7}));
    EXPECT_EQ(shownColumns(f.engine, columns, false), (std::vector<int>{4, 5, 6, 7}));
    EXPECT_EQ(shownLines(f.engine), (std::vector<int>{1, 2, 3, 4}));
    f.engine.hideRows(2);
    EXPECT_EQ(shownLines(f.engine), (std::vector<int>{3, 4}));
    const std::string csv = exportText(f.engine, columns, true, ExportFormat::csv);
    EXPECT_EQ(csv, "Line,Description,Amount,Op,Ref\r\n1,TOTAL,12,T,\r\n2,,,,\r\n");
}

TEST(TapeExportTest, WritesWholeFilesAndReportsWhatCannotBeWritten) {
    DocumentFixture f;
    f.key("5+");
    TempFolder folder;
    const auto path = folder.path() / "out.txt";
    std::string error;
    ASSERT_TRUE(exportTape(path, f.engine, f.document.columns, false, ExportFormat::tsv, error));
    EXPECT_EQ(readWholeFile(path, error),
              exportText(f.engine, f.document.columns, false, ExportFormat::tsv));
    EXPECT_FALSE(
        exportTape(folder.path(), f.engine, f.document.columns, false, ExportFormat::csv, error));
    EXPECT_FALSE(error.empty());
    EXPECT_FALSE(exportTape(folder.path() / "missing" / "out.csv", f.engine, f.document.columns,
                            false, ExportFormat::csv, error));
}

}  // namespace
}  // namespace talvex::testing
