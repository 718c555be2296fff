#include <gtest/gtest.h>

#include "PrintHarness.h"
#include "printing/NotesLines.h"

namespace talvex {
namespace {

using testing::amountLine;
using testing::kAmount;
using testing::kOp;
using testing::Printout;
namespace flag = layout_flag;
namespace text = layout_text;

std::string centred(std::string_view line, int width) {
    return std::string((width - line.size()) / 2, ' ') + std::string(line);
}

// Subtotal, total, clear and grand-total lines, the blank after a total and after the grand
// total: each switch lets its lines through, and the dividers sit under the amount.
TEST(PrintEngineTest, TapeFormatPrintsTheLinesItsSwitchesAllow) {
    const std::string plus5 = amountLine("5.", "+"), plus7 = amountLine("7.", "+"),
                      plus3 = amountLine("3.", "+");
    const struct {
        std::vector<int> flags;
        std::vector<std::string> expected;
    } cases[] = {
        {{}, {plus5, plus7, plus3}},
        {{flag::kBlankLines}, {plus5, plus7, "", plus3, ""}},
        {{flag::kSubtotalLines}, {plus5, plus7, amountLine("12.", "s"), plus3}},
        {{flag::kSubtotalLines, flag::kSubtotalDividers},
         {plus5, plus7, amountLine("---", ""), amountLine("12.", "s"), plus3}},
        {{flag::kTotalLines},
         {plus5, plus7, amountLine("12.", "T"), plus3, amountLine("12.", "G")}},
        {{flag::kTotalLines, flag::kTotalDividers},
         {plus5, plus7, amountLine("---", ""), amountLine("12.", "T"), amountLine("===", ""), plus3,
          amountLine("===", ""), amountLine("12.", "G"), amountLine("===", "")}},
        // The clear line's divider is a run of blanks under its empty description.
        {{flag::kClearLines, flag::kClearDividers}, {plus5, plus7, plus3, amountLine("", "c"), ""}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.flags));
        Printout p;
        p.keys("5+7+ST3+CG");
        p.printColumns({{kAmount, 14}, {kOp, 3}});
        p.layout.setText(text::kFormat, kFormatTape);
        for (int f : c.flags) p.layout.setFlag(f, 1);
        EXPECT_EQ(p.lines(), c.expected);
    }
}

// Letter paper at 6 lines an inch is 66 lines: margin, header and its spacing start each page,
// spacing, footer and margin end it, 60 tape lines between, "$page" counting up. A tape that
// fills its pages exactly leaves no empty page behind.
TEST(PrintEngineTest, PagesHoldTheirBodyLinesBetweenHeaderAndFooter) {
    for (const int rows : {130, 120}) {
        SCOPED_TRACE(rows);
        Printout p;
        for (int i = 0; i < rows; ++i) p.keys("1+");
        p.printColumns({{kAmount, 14}, {kOp, 3}});
        p.layout.choosePaper(4);
        p.spacing(text::kTop, "1");
        p.spacing(text::kBottom, "1");
        p.spacing(text::kHeaderSpacing, "1");
        p.spacing(text::kFooterSpacing, "1");
        p.layout.setText(text::kHeaderText, "Head $page");
        p.layout.setText(text::kFooterText, "Foot $page");
        const std::vector<std::string> lines = p.lines();
        const int pages = (rows + 59) / 60;
        ASSERT_EQ(lines.size(), static_cast<size_t>(66 * pages));
        int row = 0;
        for (int page = 0; page < pages; ++page) {
            const auto at = [&](int line) { return lines[static_cast<size_t>(66 * page + line)]; };
            const std::string number = std::to_string(page + 1);
            EXPECT_EQ(at(0) + at(2) + at(63) + at(65), "");
            EXPECT_EQ(at(1), centred("Head " + number, 18));
            EXPECT_EQ(at(64), centred("Foot " + number, 18));
            for (int line = 3; line < 63; ++line)
                EXPECT_EQ(at(line), ++row <= rows ? amountLine("1.", "+") : "") << line;
        }
    }
}

TEST(PrintEngineTest, ContinuousPaperHasOneHeaderAndOneFooter) {
    Printout p;
    p.keys("1+2+3+4+5+");
    p.printColumns({{kAmount, 14}, {kOp, 3}});
    p.layout.choosePaper(0);
    p.spacing(text::kHeaderSpacing, "1");
    p.spacing(text::kFooterSpacing, "1");
    p.layout.setText(text::kHeaderText, "Head");
    p.layout.setText(text::kFooterText, "Foot");
    EXPECT_EQ(p.lines(), (std::vector<std::string>{centred("Head", 18), "", amountLine("1.", "+"),
                                                   amountLine("2.", "+"), amountLine("3.", "+"),
                                                   amountLine("4.", "+"), amountLine("5.", "+"), "",
                                                   centred("Foot", 18)}));
}

TEST(PrintEngineTest, AlignPadsCutsOrKeepsTheText) {
    const struct {
        const char* text;
        int width, code;
        const char* expected;
    } cases[] = {
        {"abcde", 3, 1, "abc"}, {"abcde", 3, 9, "abc"}, {"ab", 5, 3, " ab  "},
        {"ab", 5, 1, "ab   "},  {"ab", 5, 2, "   ab"},  {"ab", 5, 0, "ab"},
        {"ab", 0, 1, ""},       {"ab", -4, 2, ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(PrintEngine::align(c.text, c.width, c.code), c.expected)
            << c.text << " " << c.width << " " << c.code;
}

// Each record is one label: city, state and zip share a line; the paper's height spaces the
// labels, and neither header nor footer is printed on them.
TEST(PrintEngineTest, LabelsEndTheirPagesWithoutHeaderOrFooter) {
    Printout p;
    const char* captions[] = {"Name", "Street", "City", "STATE", "Zip"};
    for (int col = 2; col <= 6; ++col) p.document.columns.column(col).caption = captions[col - 2];
    p.printColumns({{2, 20}, {3, 20}, {4, 20}, {5, 20}, {6, 20}});
    p.load({{"Ann Lee", "1 Elm St", "Springfield", "IL", "62701"},
            {"Bo Kim", "", "Dover", "DE", "19901"},
            {"Cy Ray", "9 Oak Rd", "Salem", "OR", "97301"}});
    p.layout.setText(text::kFormat, kFormatLabel);
    p.layout.choosePaper(3);
    p.switchOn({flag::kHeader, flag::kFooter});
    p.layout.setText(text::kHeaderText, "Head");
    p.layout.setText(text::kFooterText, "Foot");
    EXPECT_EQ(p.lines(), (std::vector<std::string>{
                             "Ann Lee", "1 Elm St", "Springfield, IL  62701", "", "", "",  //
                             "Bo Kim", "Dover, DE  19901", "", "", "", "",                 //
                             "Cy Ray", "9 Oak Rd", "Salem, OR  97301", "", "", ""}));
}

// A start block taller than the paper leaves room for no body line: each line then gets a page
// of its own, and the print ends.
TEST(PrintEngineTest, APageTooShortForItsStartBlockPrintsOneLineAPage) {
    Printout p;
    p.keys("1+2+3+");
    p.printColumns({{kAmount, 14}, {kOp, 3}});
    p.layout.setText(text::kHeight, "3");
    p.spacing(text::kTop, "5");
    const std::vector<std::string> lines = p.lines();
    ASSERT_EQ(lines.size(), 18u);
    for (int page = 0; page < 3; ++page)
        EXPECT_EQ(lines[static_cast<size_t>(6 * page + 5)],
                  amountLine(std::to_string(page + 1) + ".", "+"));
}

TEST(PrintEngineTest, NotesFillLinesWordByWordAndCutOverlongWords) {
    const struct {
        const char* notes;
        int width;
        std::vector<std::string> expected;
    } cases[] = {
        {"one two three", 7, {"one two", "three"}},
        {"short\r\nlines", 10, {"short", "lines"}},
        // What does not fit runs on into the next paragraph.
        {"aaa bbb ccc\r\nddd", 8, {"aaa bbb", "ccc ddd"}},
        {"a verylongword b", 5, {"a", "veryl", "ongwo", "rd b"}},
        {"abcdefghij", 4, {"abcd", "efgh", "ij"}},
        {"\r\nafter", 8, {"", "after"}},
        {"no width", 0, {"no width"}},
    };
    for (const auto& c : cases) EXPECT_EQ(notesLines(c.notes, c.width), c.expected) << c.notes;
}

// Whatever the text and width, every line fits and no character of the notes is lost.
TEST(PrintEngineTest, NotesLinesFitAndKeepEveryCharacter) {
    const auto visible = [](std::string_view text) {
        std::string kept;
        for (char c : text)
            if (c != ' ' && c != '\r' && c != '\n') kept += c;
        return kept;
    };
    unsigned seed = 7;
    const auto next = [&seed](unsigned bound) {
        seed = seed * 1103515245u + 12345u;
        return (seed >> 16) % bound;
    };
    for (int trial = 0; trial < 500; ++trial) {
        std::string notes;
        for (unsigned n = next(30); n > 0; --n) {
            const unsigned kind = next(10);
            notes += kind == 0  ? std::string("\r\n")
                     : kind < 3 ? std::string(" ")
                                : std::string(1, 'a' + next(26));
        }
        const int width = static_cast<int>(next(12)) + 1;
        std::string printed;
        for (const std::string& line : notesLines(notes, width)) {
            EXPECT_LE(line.size(), static_cast<size_t>(width)) << notes;
            printed += line;
        }
        EXPECT_EQ(visible(printed), visible(notes)) << notes << " " << width;
    }
}

TEST(PrintEngineTest, NotesOpenTheFirstPageFollowedByABlankLine) {
    Printout p;
    p.keys("4+");
    p.printColumns({{kAmount, 14}, {kOp, 3}});
    p.document.notes = "Paid on the first of the month\r\nby cheque";
    p.switchOn({flag::kNotes});
    EXPECT_EQ(p.lines(), (std::vector<std::string>{"Paid on the first", "of the month by", "cheque",
                                                   "", amountLine("4.", "+")}));
}

// A printer in its own font is reset by CAN, takes attributes as escape codes, and the lines
// of its last page's end start after a blank; the label printer takes its own codes.
TEST(PrintEngineTest, PrintersWithoutFontsGetTheirCodes) {
    const std::string head = "       Head       ", line = "            5. +  ",
                      foot = "       Foot       ";
    const struct {
        OutMode mode;
        std::string expected;
    } cases[] = {
        {OutMode::deviceFont,
         "\x18\n\x1b"
         "E" +
             head +
             "\n\x1b"
             "F" +
             line + "\n \n\x1b-1" + foot + " \n\x1b-0"},
        {OutMode::serial, "\x1d\x1e" + head + "\n\x1d\x1f" + line + "\n\n" + foot + "\n"},
    };
    for (const auto& c : cases) {
        Printout p;
        p.keys("5+");
        p.printColumns({{kAmount, 14}, {kOp, 3}});
        p.job.mode = c.mode;
        p.spacing(text::kFooterSpacing, "1");
        p.switchOn({flag::kHeader});
        p.layout.setText(text::kHeaderText, "Head");
        p.layout.setText(text::kFooterText, "Foot");
        p.layout.setText(text::kHeaderStyle, "x   ");
        p.layout.setText(text::kFooterStyle, " x  ");
        TextSink sink;
        ASSERT_EQ(p.print(sink), PrintOutcome::printed);
        EXPECT_EQ(sink.text(), c.expected) << static_cast<int>(c.mode);
    }
}

// A form report gives each filled cell a line of its own behind its caption, numbering the
// record's first line only; records are parted by a blank line.
TEST(PrintEngineTest, FormReportsPrintOneCellALine) {
    Printout p;
    p.document.columns.column(1).printWidth = 3;
    p.document.columns.column(2).caption = "Name";
    p.document.columns.column(4).caption = "Note";
    p.printColumns({{1, 3}, {2, 20}, {4, 20}});
    p.load({{"Ann", "", "likes tea"}, {"Bo", "", ""}});
    p.layout.setText(text::kFormat, kFormatFormReport);
    p.switchOn({flag::kColumnHeader});
    p.spacing(text::kColumnHeaderSpacing, "1");
    EXPECT_EQ(p.lines(),
              (std::vector<std::string>{"  1Name: Ann", "   Note: likes tea", "", "  2Name: Bo"}));
}

// With the references switch a line that uses a reference marks its reference cell, or its
// operator when the reference cell is empty.
TEST(PrintEngineTest, ReferencedLinesCarryTheReferenceAttributes) {
    class AttributeSink : public TextSink {
      public:
        void setAttribute(int attribute, bool on) override {
            putText(on ? "<" + std::to_string(attribute) : std::to_string(attribute) + ">");
        }
    };
    Printout p;
    p.load(
        {{"", "", "", "5.", "+ ", "1"}, {"", "", "", "6.", "+ ", ""}, {"", "", "", "7.", "+", ""}});
    p.printColumns({{kAmount, 4}, {kOp, 2}, {7, 2}});
    p.switchOn({flag::kReferences});
    p.layout.setText(text::kReferenceStyle, " x");
    AttributeSink sink;
    p.print(sink);
    EXPECT_EQ(sink.text(), "  5. +  <11 1>\n  6. <1+ 1>   \n  7. +    \n");
}

// In proportional fonts the words start at their columns spread by half again; from the
// amount on the fixed-pitch font keeps figures in line, and the header starts at its indent.
TEST(PrintEngineTest, ProportionalPrintsPlaceWordsAndLineUpFigures) {
    Printout p;
    p.load({{"", "", "Food", "5.", "+"}});
    p.printColumns({{testing::kDescription, 10}, {kAmount, 6}, {kOp, 1}});
    p.job.proportional = true;
    p.switchOn({flag::kHeader});
    p.layout.setText(text::kHeaderText, "Hi");
    EXPECT_EQ(p.lines(), (std::vector<std::string>{std::string(12, ' ') + "Hi",
                                                   "Food" + std::string(11, ' ') + "    5. +"}));
}

class CancellingProgress : public ProgressPort {
  public:
    bool step(int done, int) override { return done < 512; }
};

class UnopenableSink : public TextSink {
  public:
    bool open() override { return false; }
};

TEST(PrintEngineTest, ACancelledOrUnopenedPrintStops) {
    Printout p;
    p.engine.setMaxRows(1000);
    for (int i = 0; i < 600; ++i) p.keys("1+");
    p.printColumns({{kAmount, 14}, {kOp, 3}});
    CancellingProgress cancelling;
    TextSink sink;
    EXPECT_EQ(PrintEngine(p.engine, p.document, p.layout).print(p.job, sink, cancelling),
              PrintOutcome::cancelled);
    // Long prints report every 256 lines: the cancel comes after line 512.
    EXPECT_EQ(sink.text().size(), 512u * 19);
    UnopenableSink closed;
    EXPECT_EQ(p.print(closed), PrintOutcome::notOpened);
    EXPECT_EQ(closed.text(), "");
}

}  // namespace
}  // namespace talvex
