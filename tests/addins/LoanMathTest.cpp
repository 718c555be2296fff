// Loan figures against the textbook forms worked in long double, solved back from one another,
// and the inputs that have no figure at all.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <random>

#include "addins/LoanMath.h"

namespace talvex::loan {
namespace {

using Real = long double;
Real q(Real r, Real n) {
    return std::pow(1 + r, n);
}
Real payment0(Real a, Real r, Real n, Real f) {
    return r == 0 ? (a - f) / n : (a * q(r, n) - f) * r / (q(r, n) - 1);
}
Real future0(Real a, Real r, Real n, Real p) {
    return r == 0 ? a - p * n : a * q(r, n) - p * (q(r, n) - 1) / r;
}

void expectClose(const Answer& got, Real want, Real relative) {
    ASSERT_TRUE(got.ok()) << got.problem;
    EXPECT_NEAR(got.value, double(want), double(relative * std::max<Real>(1, std::fabs(want))));
}

TEST(LoanMathTest, MatchesClosedForms) {
    const struct {
        Real a, r;
        long long n;
        Real p, f, month;
    } loans[] = {
        {100000, 0.005, 360, 599.55, 0, 1},
        {25000, 0.0075, 60, 400, 5000, 30},
        {80000, 0.01, 120, 1000, 20000, 120},
        {1200, 0, 12, 100, 0, 12},
        {1200, 0, 12, 90, 120, 5},
        {10000, 1e-12, 48, 210, 0, 7},
        {5000, -0.002, 24, 200, 0, 24},
    };
    for (const auto& [a, r, n, p, f, month] : loans) {
        SCOPED_TRACE(testing::Message() << a << " at " << r << " over " << n);
        const Loan loan{double(a), double(r), n, double(p), double(f)};
        const Real owed = payment0(a, r, n, f), interest = r * future0(a, r, month - 1, owed);
        expectClose(payment(loan), owed, 1e-6);
        expectClose(presentValue(loan), r == 0 ? p * n + f : (p * (q(r, n) - 1) / r + f) / q(r, n),
                    1e-6);
        expectClose(futureValue(loan), future0(a, r, n, p), 1e-6);
        expectClose(periods(loan),
                    r == 0 ? (a - f) / p : std::log((p - f * r) / (p - a * r)) / std::log(1 + r),
                    1e-6);
        expectClose(interestOfMonth(loan, double(month)), interest, 1e-6);
        expectClose(principalOfMonth(loan, double(month)), owed - interest, 1e-6);
    }

    Loan home{100000, 0.005, 360, 0, 0};
    EXPECT_EQ(std::round(payment(home).value * 100), 59955);
    EXPECT_EQ(std::round(interestOfMonth(home, 1).value * 100), 50000);
    EXPECT_EQ(std::round(principalOfMonth(home, 1).value * 100), 9955);
    home.payment = 599.55;  // as the tape shows it, to the cent
    EXPECT_NEAR(monthlyRate(home).value * 1200, 6, 1e-3);
    home.payment = double(payment0(100000, 0.005, 360, 0));
    EXPECT_NEAR(monthlyRate(home).value * 1200, 6, 1e-9);
}

TEST(LoanMathTest, SolvingBackRecoversTheFigures) {
    for (const double a : {1000.0, 250000.0})
        for (const double annual : {0.5, 3.0, 7.25, 18.0, 30.0})
            for (const long long n : {1, 12, 61, 360, 480})
                for (const double balloon : {0.0, 0.4}) {
                    SCOPED_TRACE(testing::Message()
                                 << a << " " << annual << "% " << n << " " << balloon);
                    Loan loan{a, annual / 1200, n, 0, a * balloon};
                    loan.payment = payment(loan).value;
                    expectClose(monthlyRate(loan), loan.monthlyRate, 1e-9);
                    expectClose(periods(loan), n, 1e-9);
                    // The months' principal together repays what the balloon does not.
                    double repaid = 0;
                    for (long long month = 1; month <= n; ++month)
                        repaid += principalOfMonth(loan, double(month)).value;
                    EXPECT_NEAR(repaid, a - loan.futureValue, 1e-6 * a);
                }
}

TEST(LoanMathTest, BadInputsGiveAProblem) {
    constexpr double nan = std::numeric_limits<double>::quiet_NaN();
    constexpr double inf = std::numeric_limits<double>::infinity();
    const std::string_view none,
        noRate = "No rate solves this loan", never = "This payment never pays off the loan",
        noPeriods = "The loan has no periods", outside = "Month is outside the loan's periods",
        range = "Period count is out of range", tooLarge = "The result is too large";
    const Loan home{100000, 0.005, 360, 599.55}, endless{100000, 0.005, 1000000000000, 500};
    const struct {
        const char* what;
        Answer got;
        std::string_view problem;
        double value = nan;  // checked when a number
    } cases[] = {
        {"no periods", payment({1000, 0.01, 0}), noPeriods},
        {"negative periods", monthlyRate({1000, 0, -12, 90}), noPeriods},
        {"payment 0 at 0 %", periods({1000, 0, 12, 0}), never},
        {"payment under interest", periods({100000, 0.005, 1, 400}), never},
        {"balloon above the loan", periods({100, 0, 1, 10, 200}), never},
        {"payment 0", monthlyRate({1000, 0, 12, 0}), noRate},
        {"NaN amount", monthlyRate({nan, 0, 12, 100}), noRate},
        {"infinite payment", monthlyRate({1000, 0, 12, inf}), noRate},
        {"NaN rate", payment({1000, nan, 12}), tooLarge},
        {"NaN month", principalOfMonth(home, nan), outside},
        {"month 0", interestOfMonth(home, 0), outside},
        {"month 0.5 is 0", interestOfMonth(home, 0.5), outside},
        {"month n + 1", principalOfMonth(home, 361), outside},
        {"month n + 0.5 is n", interestOfMonth(home, 360.5), none, 2.982838},
        {"huge n grows", futureValue({1000, 0.005, 1000000000000, 9}), tooLarge},
        {"huge n pays interest", payment(endless), none, 500},
        {"huge n perpetuity", monthlyRate(endless), none, 0.005},
        {"huge n rounded", roundedPeriods(1e12), range},
        {"int overflow", roundedPeriods(2147483647.5), range},
        {"2.5 to even", roundedPeriods(2.5), none, 2},
        {"-3.5 to even", roundedPeriods(-3.5), none, -4},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.got.problem, c.problem) << c.what;
        if (!std::isnan(c.value)) {
            EXPECT_NEAR(c.got.value, c.value, 1e-5) << c.what;
        }
    }

    // Anything at all, extremes included: a finite figure or one of the known problems.
    const double pool[] = {0, 1, -1, 0.005, -0.5, 599.55, 1e5, 1e-300, 1e300, -1e300, nan, inf};
    const long long terms[] = {0, -1, 1, 360, 1000000000000, std::numeric_limits<long long>::max()};
    const std::string_view known[] = {none, noRate, never, noPeriods, outside, range, tooLarge};
    std::mt19937 pick(7);
    const auto any = [&] { return pool[pick() % std::size(pool)]; };
    for (int i = 0; i < 20000; ++i) {
        const Loan loan{any(), any(), terms[pick() % std::size(terms)], any(), any()};
        const double month = any();
        for (const Answer& got :
             {payment(loan), periods(loan), monthlyRate(loan), presentValue(loan),
              futureValue(loan), interestOfMonth(loan, month), principalOfMonth(loan, month),
              roundedPeriods(month)}) {
            ASSERT_TRUE(!got.ok() || std::isfinite(got.value));
            ASSERT_NE(std::find(std::begin(known), std::end(known), got.problem), std::end(known))
                << got.problem;
        }
    }
}

}  // namespace
}  // namespace talvex::loan
