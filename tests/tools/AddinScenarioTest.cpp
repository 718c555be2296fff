// The loan calculator and user-defined functions through talvex-tape: an add-in line edited in
// the middle of a tape equals the tape keyed fresh with the new figure, and a saved tape reads
// back and recalculates to the same lines.
#include <gtest/gtest.h>

#include "ToolRun.h"

namespace talvex {
namespace {

std::string rowsOf(const std::vector<std::string>& options, const std::string& script,
                   std::string* errors = nullptr) {
    std::vector<std::string> args = {"keys"};
    args.insert(args.end(), options.begin(), options.end());
    args.push_back(script);
    const Result run = tool(args);
    if (errors) *errors = run.err;
    return run.out;
}

const std::vector<std::string> kCents = {"--decimal-mode", "3", "--places", "2"};

// A loan of AMOUNT at 6 % a year over 360 months and its payment, on the Payment panel: 3 is
// the amount key, 4 the rate, 5 the months, 8 the payment.
std::string loan(const std::string& amount) {
    return "{addin 1 Mortgage}" + amount + "{panel 1 3}6{panel 1 4}360{panel 1 5}{panel 1 8}";
}

// area = w x h, defined on the tape through the input boxes, then evaluated for 7 by 2.
const std::string kArea =
    "{addin 1 UserFuncs}5{answer w,wid,Width}{panel 1 3}3{answer h,hgt,Height}{panel 1 3}"
    "{answer A,area,Area}{panel 1 5}{amount Rw}*{amount Rh}={panel 1 6}{fn area}";

TEST(AddinScenarioTest, LoanFiguresAgreeWithPublishedValues) {
    const struct {
        const char* name;
        std::string script;
        const char* lines;
    } cases[] = {
        {"payment", loan("100000"),
         "100000.00 a Loan Amount;6.00 i Interest %;360. n Period;599.55 P Payment; ;"},
        {"month 1 split into interest and principal",
         loan("100000") + "{fn IntPaymnt}1{panel 1 6}{panel 1 8}{fn PrnPaymnt}{panel 1 8}",
         "100000.00 a Loan Amount;6.00 i Interest %;360. n Period;599.55 P Payment; ;1. m Month;"
         "500.00 Y Interest;99.55 Z Principal;"},
        {"rate solved back from the payment",
         loan("100000") + "{fn Rate}599.5505251528{panel 1 4}{panel 1 8}",
         "100000.00 a Loan Amount;6.00 i Interest %;360. n Period;599.55 P Payment; ;"
         "599.55 p Payment;6.00 I Interest %; ;"},
        {"months solved back from the payment",
         loan("100000") + "{fn Period}599.5505251528{panel 1 5}{panel 1 8}",
         "100000.00 a Loan Amount;6.00 i Interest %;360. n Period;599.55 P Payment; ;"
         "599.55 p Payment;360. N Period; ;"},
        {"balance by the tape",
         "{addin 1 Mortgage}{fn Balance}1000{panel 1 3}12{panel 1 4}100{panel 1 6}{panel 1 8}",
         "1000.00 a Loan Amount;12.00 i Interest %;100.00 p Payment;10.00 y Interest;"
         "90.00 z Principal;910.00 B Loan Balance; ;"},
        {"a late fee reduces what the payment repays",
         "{addin 1 Mortgage}{fn Balance}1000{panel 1 3}12{panel 1 4}5{panel 1 5}100{panel 1 6}"
         "{panel 1 8}",
         "1000.00 a Loan Amount;12.00 i Interest %;5.00 l Late Fee;100.00 p Payment;"
         "10.00 y Interest;85.00 z Principal;915.00 B Loan Balance; ;"},
        {"present and future value at no interest",
         "{addin 1 Mortgage}{fn PresVal}100{panel 1 3}0{panel 1 4}12{panel 1 5}{panel 1 8}"
         "{fn FutureVal}1500{panel 1 6}{panel 1 8}",
         "100.00 p Payment;0.00 i Interest %;12. n Period;1200.00 A Loan Amount; ;"
         "1500.00 a Loan Amount;300.00 F Future Val; ;"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(tapeLines(rowsOf(kCents, c.script)), c.lines);
    }
}

// What cannot be computed says why; what the line needs first writes nothing.
TEST(AddinScenarioTest, ImpossibleLoansSayWhy) {
    const struct {
        const char* name;
        std::string script;
        const char* error;
        int linesWritten;
    } cases[] = {
        {"no month", "{addin 1 Mortgage}{fn IntPaymnt}1000{panel 1 3}{panel 1 8}",
         "No month/period specified", 1},
        {"balance without a loan amount", "{addin 1 Mortgage}{fn Balance}100{panel 1 6}{panel 1 8}",
         "Loan Amount Not Set", 1},
        {"balance without payments", "{addin 1 Mortgage}{fn Balance}1000{panel 1 3}{panel 1 8}",
         "No payments or fees since last Balance", 1},
        {"no rate pays this loan",
         "{addin 1 Mortgage}{fn Rate}1000{panel 1 3}0{panel 1 4}12{panel 1 5}{panel 1 8}",
         "No rate solves this loan", 5},
        {"a payment below the interest never pays off",
         "{addin 1 Mortgage}{fn Period}1000{panel 1 3}12{panel 1 4}5{panel 1 5}{panel 1 8}",
         "never pays off", 5},
        {"no periods", "{addin 1 Mortgage}1000{panel 1 3}0{panel 1 5}{panel 1 8}", "no periods", 4},
        {"a month past the loan",
         "{addin 1 Mortgage}{fn IntPaymnt}1000{panel 1 3}12{panel 1 5}13{panel 1 6}{panel 1 8}",
         "outside the loan", 4},
        {"a period count beyond any integer", "{addin 1 Mortgage}99999999999{panel 1 5}",
         "Period count is out of range", 1},
        {"a user function without its declaration", kArea + "{row 3}{delete}{goto 3}{panel 1 5}",
         "Can't find function", -1},
        {"Setup... on a line that is no definition", kArea + "{panel 1 8}", "", -1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::string errors;
        const std::string rows = rowsOf(kCents, c.script, &errors);
        if (*c.error) {
            EXPECT_NE(errors.find(c.error), std::string::npos) << errors;
        }
        if (c.linesWritten >= 0) {
            EXPECT_EQ(static_cast<int>(printedCells(rows).size()) - 1, c.linesWritten) << rows;
        }
    }
}

TEST(AddinScenarioTest, EditedLinesEqualTheTapeKeyedFresh) {
    const std::string balance = "{fn Balance}599.55{panel 1 6}{panel 1 8}";
    // The payment line becomes reference 1, which a user function multiplies by its months.
    const std::string paidIn =
        "{row 4}RR{goto 3}{addin 1 UserFuncs}12{answer k,mos,Months}{panel 1 3}"
        "{answer Q,paid,Paid in Months}{panel 1 5}{amount R1}*{amount Rk}={panel 1 6}{fn paid}"
        "24{panel 1 3}{panel 1 4}";
    const struct {
        const char* name;
        std::string corrected, fresh;
    } cases[] = {
        {"the loan amount under its payment", loan("100000") + "{row 1}{amount 250000}{row 2}",
         loan("250000")},
        {"the loan amount under a balance and a user function",
         loan("100000") + balance + paidIn + "{row 1}{amount 200000}{row 2}",
         loan("200000") + balance + paidIn},
        {"the payment under a balance by the tape",
         loan("100000") + balance + "{row 6}{amount 700}{row 1}",
         loan("100000") + "{fn Balance}700{panel 1 6}{panel 1 8}"},
        {"a parameter under a user function's result",
         kArea + "7{panel 1 3}2{panel 1 4}{panel 1 5}{row 9}{amount 4}{row 1}",
         kArea + "4{panel 1 3}2{panel 1 4}{panel 1 5}"},
        {"a parameter's default under the definitions",
         kArea + "{panel 1 5}{row 1}{amount 6}{row 2}",
         "{addin 1 UserFuncs}6{answer w,wid,Width}{panel 1 3}3{answer h,hgt,Height}{panel 1 3}"
         "{answer A,area,Area}{panel 1 5}{amount Rw}*{amount Rh}={panel 1 6}{fn area}{panel 1 5}"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::string errors;
        const std::string corrected = rowsOf(kCents, c.corrected, &errors);
        EXPECT_EQ(corrected, rowsOf(kCents, c.fresh));
        EXPECT_EQ(errors.find("error"), std::string::npos) << errors;
    }
}

// Add-in lines taken back leave the tape keyed without them, and a function whose declaration
// was taken back is no longer offered.
TEST(AddinScenarioTest, UndoneAddinLinesEqualTheTapeWithoutThem) {
    const std::string widthAndHeight =
        "{addin 1 UserFuncs}5{answer w,wid,Width}{panel 1 3}3{answer h,hgt,Height}{panel 1 3}";
    const std::string undoDefinition = "{undo}{undo}{undo}{undo}";
    EXPECT_EQ(rowsOf(kCents,
                     loan("100000") + "{fn Balance}599.55{panel 1 6}{panel 1 8}" + "{undo}{undo}"),
              rowsOf(kCents, loan("100000")));
    EXPECT_EQ(rowsOf(kCents, loan("100000") + "{row 1}{amount 250000}{row 2}{undo}"),
              rowsOf(kCents, loan("100000")));
    EXPECT_EQ(rowsOf(kCents, kArea + undoDefinition), rowsOf(kCents, widthAndHeight));
    const Result offered = tool({"keys", kArea + "{undo}{redo}{fn area}"});
    EXPECT_EQ(offered.status, 0) << offered.err;
    const Result gone = tool({"keys", kArea + undoDefinition + "{fn area}"});
    EXPECT_NE(gone.status, 0);
    EXPECT_NE(gone.err.find("{fn area}"), std::string::npos) << gone.err;
}

TEST(AddinScenarioTest, TapesReadBackAndRecalculateToTheSameLines) {
    TempFolder folder;
    const std::string file = (folder.path() / "Loan.kwd").string();
    const std::string script = loan("100000") + "{fn Balance}599.55{panel 1 6}{panel 1 8}" + kArea +
                               "7{panel 1 3}2{panel 1 4}{panel 1 5}";
    ASSERT_EQ(tool({"keys", "--decimal-mode", "3", "--places", "2", script, "-o", file}).status, 0);
    // Read back, recalculated, and a parameter changed as the user would: the function follows.
    EXPECT_EQ(rowsOf({"--template", file}, ""), rowsOf({"--template", file}, "{recalc}"));
    EXPECT_EQ(tapeLines(rowsOf({"--template", file}, "{recalc}")),
              tapeLines(rowsOf(kCents, script)));
    const std::string changed = rowsOf({"--template", file}, "{row 19}{amount 3}{row 1}");
    EXPECT_NE(tapeLines(changed).find("6.00 A Area"), std::string::npos) << tapeLines(changed);
}

TEST(AddinScenarioTest, DefinitionsAskAgainForATakenSymbolAndACancelWritesNothing) {
    const std::string define = "{addin 1 UserFuncs}";
    EXPECT_EQ(tapeLines(rowsOf({}, define + "{panel 1 3}")), "");
    EXPECT_EQ(tapeLines(rowsOf({}, define + "{answer }{panel 1 3}")), "");
    EXPECT_EQ(tapeLines(rowsOf({}, define + "1{answer a,amt,Amount}{panel 1 3}2{answer a,x,Again}"
                                            "{answer s,s,Subtotal letter}{answer b,bb,Other}"
                                            "{panel 1 3}")),
              "1. d Amount;2. d Other;");
    // Keying a parameter writes its symbol and the value in hundredths in the adding mode, or as
    // a whole number where its format asks for one; recalculated, the tape keeps those values.
    const std::string parameters =
        define +
        "{answer a,amt,Amount}{panel 1 3}{answer c2,cc,Count,x}"
        "{answer n,cnt,Count,x}{panel 1 3}{answer F,f,Fn}{panel 1 5}"
        "{amount Ra}+{amount Rn}+{panel 1 6}{fn f}1200{panel 1 3}1234{panel 1 4}";
    const std::string keyed = tapeLines(rowsOf({"--decimal-mode", "0"}, parameters));
    EXPECT_EQ(keyed,
              "0.00 d Amount;0.00 d Count; D Fn;0.00 + ;0.00 + ;0.00 E End/Exit;"
              "12.00 a Amount;1234.00 n Count;");
    EXPECT_EQ(tapeLines(rowsOf({"--decimal-mode", "0"}, parameters + "{recalc}")), keyed);
}

}  // namespace
}  // namespace talvex
