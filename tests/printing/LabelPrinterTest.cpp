#include <gtest/gtest.h>

#include "FakeSerialLink.h"
#include "PrintHarness.h"
#include "printing/LabelPrinterSettings.h"
#include "printing/SerialPrintSink.h"

namespace talvex {
namespace {

using testing::FakeSerialLink;
using testing::kAmount;
using testing::kOp;
using testing::SerialRecord;

// The direct-connect sizes map to their letters, and the bounds belong to the lower letter.
TEST(LabelPrinterTest, DensityLettersFollowTheSize) {
    const struct {
        const char* size;
        char letter;
    } sizes[] = {{"6", 'S'}, {"7.5", 'P'}, {"10", 'M'}, {"12", 'U'}, {"18", 'T'}, {"", 'M'}};
    for (const auto& s : sizes)
        EXPECT_EQ(densityLetter(labelDensity(s.size, 0, 0, 0)), s.letter) << s.size;
    const std::pair<double, char> bounds[] = {{16.01, 'S'}, {16, 'P'}, {12, 'M'},
                                              {10, 'U'},    {7, 'T'},  {0, 'T'}};
    for (const auto& [density, letter] : bounds) EXPECT_EQ(densityLetter(density), letter);
}

// Twenty characters on 2.25 inches need 8.9 characters an inch, raised to 10; without a paper
// width the last density stands, at least 10.
TEST(LabelPrinterTest, FitSpreadsTheWidestLineOverThePaper) {
    EXPECT_DOUBLE_EQ(labelDensity("Fit", 20, 2.25, 0), 10);
    EXPECT_EQ(densityLetter(labelDensity("Fit", 20, 2.25, 0)), 'U');
    EXPECT_EQ("Fit (" + sizePatternText(120 / labelDensity("Fit", 20, 2.25, 0)) + ")", "Fit (12.)");
    EXPECT_DOUBLE_EQ(labelDensity("Fit", 45, 2.25, 0), 20);
    EXPECT_DOUBLE_EQ(labelDensity("Fit", 45, 0, 14), 14);
    EXPECT_DOUBLE_EQ(labelDensity("Fit", 45, 0, 3), 10);
    EXPECT_EQ(sizePatternText(120.0 / 14), "8.57");
    EXPECT_EQ(sizePatternText(0.5), ".5");
    // On a printer of the system the largest listed size that fits, never above 12 points.
    const std::vector<std::string> sizes = {"Fit", "5.5", "6", "7", "8", "10", "12", "18"};
    EXPECT_DOUBLE_EQ(labelPointSize("Fit", sizes, 20, 2.25), 12);
    EXPECT_DOUBLE_EQ(labelPointSize("Fit", sizes, 40, 2.25), 6);
    EXPECT_DOUBLE_EQ(labelPointSize("Fit", sizes, 100, 2.25), 2.7);
    EXPECT_DOUBLE_EQ(labelPointSize("7", sizes, 100, 2.25), 7);
}

// The set-up line, then every line's bytes ended by LF; bold header and footer between their
// GS RS / GS US pairs; a feed is one form feed line.
TEST(LabelPrinterTest, SerialBytesFollowTheProtocol) {
    const struct {
        double density;
        const char* trunc;
        std::string setup;
    } cases[] = {
        {16, kTruncate, std::string("\x1b*\x1bL\0\x33\x1bP\x1dT\0\n", 12)},
        {12, kWrap, std::string("\x1b*\x1bL\0\x33\x1bM\x1dT\x03\n", 12)},
        {10, kTruncate, std::string("\x1b*\x1bL\0\x33\x1bU\x1dT\0\n", 12)},
    };
    for (const auto& c : cases) {
        testing::Printout p;
        p.keys("5+");
        p.printColumns({{kAmount, 6}, {kOp, 2}});
        p.job.mode = OutMode::serial;
        p.layout.setFlag(layout_flag::kHeader, 1);
        p.layout.setText(layout_text::kHeaderText, "Hi");
        p.layout.setText(layout_text::kHeaderStyle, "x  x");
        SerialRecord record;
        FakeSerialLink link(record);
        SerialPrintSink sink(link, "/dev/ttyS0", labelInitialisation(c.density, c.trunc));
        EXPECT_EQ(p.print(sink), PrintOutcome::printed);
        EXPECT_EQ(record.bytes, c.setup + "\x1d\x1e\x1d\x1e   Hi    \n\x1d\x1f\x1d\x1f    5. + \n");
        EXPECT_TRUE(record.closed);
        SerialRecord fed;
        FakeSerialLink feedLink(fed);
        SerialPrintSink feedSink(feedLink, "/dev/ttyS0", labelInitialisation(c.density, c.trunc));
        EXPECT_EQ(PrintEngine(p.engine, p.document, p.layout).feed(p.job, feedSink),
                  PrintOutcome::printed);
        EXPECT_EQ(fed.bytes, c.setup + "\x0c\n");
    }
}

// A port that cannot be opened gets no byte; one that vanishes ends the print there.
TEST(LabelPrinterTest, ALostPortEndsThePrint) {
    testing::Printout p;
    for (int i = 0; i < 50; ++i) p.keys("1+");
    p.printColumns({{kAmount, 6}, {kOp, 2}});
    p.job.mode = OutMode::serial;
    SerialRecord refused;
    FakeSerialLink closedLink(refused, false);
    SerialPrintSink closedSink(closedLink, "/dev/ttyS3", labelInitialisation(12, kTruncate));
    EXPECT_EQ(p.print(closedSink), PrintOutcome::notOpened);
    EXPECT_EQ(refused.bytes, "");
    EXPECT_EQ(closedSink.error(), "no such port");
    SerialRecord lost;
    FakeSerialLink vanishing(lost, true, 7);
    SerialPrintSink sink(vanishing, "/dev/ttyS0", labelInitialisation(12, kTruncate));
    EXPECT_EQ(p.print(sink), PrintOutcome::failed);
    EXPECT_EQ(sink.error(), "device gone");
    EXPECT_TRUE(lost.closed);
    // The set-up line, the first line, and the first cell of the second before the loss.
    EXPECT_EQ(lost.bytes, std::string("\x1b*\x1bL\0\x33\x1bM\x1dT\0\n", 12) + "    1. + \n    1.");
}

}  // namespace
}  // namespace talvex
