#include "addins/LoanMath.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>

namespace talvex::loan {

namespace {

// Shown in the status bar as they stand.
constexpr std::string_view kNoRate = "No rate solves this loan";
constexpr std::string_view kNeverPaidOff = "This payment never pays off the loan";
constexpr std::string_view kNoPeriods = "The loan has no periods";
constexpr std::string_view kMonthOutside = "Month is outside the loan's periods";
constexpr std::string_view kPeriodsOutOfRange = "Period count is out of range";
constexpr std::string_view kTooLarge = "The result is too large";

// Below this the closed forms' division by r costs more digits than the zero-rate forms lose.
constexpr double kZeroRate = 1e-15;
// The rate search: outward from zero in doubling steps, first up to the highest rate, then down
// to the lowest; a rate of -100 % or below has no meaning for a loan.
constexpr double kFirstStep = 1e-6;
constexpr double kHighestRate = 10;
constexpr double kLowestRate = -0.99;
constexpr double kRateTolerance = 1e-15;
constexpr int kMaxIterations = 200;
// A balance this small against the loan's own figures is rounding, so zero interest solves it.
constexpr double kZeroGap = 1e-13;

bool isZeroRate(double r) {
    return std::fabs(r) < kZeroRate;
}

Answer failed(std::string_view problem) {
    return {0, problem};
}

// Overflow and non-finite inputs arrive here as inf or NaN, never as an answer.
Answer figure(double value, std::string_view problem = kTooLarge) {
    if (!std::isfinite(value)) return failed(problem);
    // The tape would show a negative zero as "-0".
    return {value == 0 ? 0.0 : value, {}};
}

// Independent of the floating-point rounding mode the process happens to run in.
double roundHalfEven(double x) {
    const double below = std::floor(x);
    const double fraction = x - below;
    if (fraction != 0.5) return fraction < 0.5 ? below : below + 1;
    return std::fmod(below, 2) == 0 ? below : below + 1;
}

// q - 1 for q = (1 + r)^n, without the digits lost by forming 1 + r when r is tiny.
double growthLessOne(double r, double n) {
    return std::expm1(n * std::log1p(r));
}

// A q - P (q - 1)/r - F, whose zero is the rate. For positive r it is divided by q, which keeps
// every sign but stops q from overflowing on a long loan; for negative r, q only shrinks. The
// terms in q and 1/q are formed on their own, since a q below the epsilon still decides a sign.
double balanceGap(const Loan& loan, double n, double r) {
    const double a = loan.amount, p = loan.payment, f = loan.futureValue;
    if (isZeroRate(r)) return a - p * n - f;  // (q - 1)/r tends to n
    const double logGrowth = std::log1p(r);
    if (r > 0) return a + p * (std::expm1(-n * logGrowth) / r) - f * std::exp(-n * logGrowth);
    return a * std::exp(n * logGrowth) - p * (std::expm1(n * logGrowth) / r) - f;
}

// Brent's method on a bracket whose ends differ in sign: never worse than bisection, and as fast
// as inverse quadratic interpolation once it is close.
template <class Gap>
std::optional<double> solveBracket(const Gap& gap, double a, double b, double fa, double fb) {
    constexpr double kEpsilon = std::numeric_limits<double>::epsilon();
    double c = b, fc = fb, d = b - a, e = d;
    for (int i = 0; i < kMaxIterations; ++i) {
        if ((fb > 0 && fc > 0) || (fb < 0 && fc < 0)) {
            c = a;
            fc = fa;
            d = e = b - a;
        }
        if (std::fabs(fc) < std::fabs(fb)) {
            a = b;
            b = c;
            c = a;
            fa = fb;
            fb = fc;
            fc = fa;
        }
        const double tolerance = 2 * kEpsilon * std::fabs(b) + 0.5 * kRateTolerance;
        const double half = 0.5 * (c - b);
        if (std::fabs(half) <= tolerance || fb == 0) return b;
        bool interpolated = false;
        if (std::fabs(e) >= tolerance && std::fabs(fa) > std::fabs(fb)) {
            const double s = fb / fa;
            double p, q;
            if (a == c) {
                p = 2 * half * s;
                q = 1 - s;
            } else {
                const double t = fa / fc, u = fb / fc;
                p = s * (2 * half * t * (t - u) - (b - a) * (u - 1));
                q = (t - 1) * (u - 1) * (s - 1);
            }
            if (p > 0) q = -q;
            p = std::fabs(p);
            if (2 * p < std::min(3 * half * q - std::fabs(tolerance * q), std::fabs(e * q))) {
                e = d;
                d = p / q;
                interpolated = true;
            }
        }
        if (!interpolated) d = e = half;
        a = b;
        fa = fb;
        b += std::fabs(d) > tolerance ? d : std::copysign(tolerance, half);
        fb = gap(b);
        if (std::isnan(fb)) return std::nullopt;
    }
    return std::nullopt;
}

// The balance after k of the n payments that leave F at the end, A - (A - F)(q_k - 1)/(q_n - 1):
// it needs neither the payment nor a q that may overflow.
double balanceAfter(const Loan& loan, double k, double n) {
    const double a = loan.amount, f = loan.futureValue, r = loan.monthlyRate;
    if (isZeroRate(r)) return a - (a - f) * (k / n);
    double repaid;
    if (r > 0) {
        // As q_(k-n) (1 - 1/q_k)/(1 - 1/q_n), every factor of which stays at most 1.
        repaid = std::exp((k - n) * std::log1p(r)) * (growthLessOne(r, -k) / growthLessOne(r, -n));
    } else {
        repaid = growthLessOne(r, k) / growthLessOne(r, n);
    }
    return a - (a - f) * repaid;
}

}  // namespace

Answer payment(const Loan& loan) {
    if (loan.periods <= 0) return failed(kNoPeriods);
    const double n = static_cast<double>(loan.periods);
    const double a = loan.amount, r = loan.monthlyRate, f = loan.futureValue;
    if (isZeroRate(r)) return figure((a - f) / n);
    // As the interest plus the share of A - F repaid each month, so that a loan long enough for q
    // to overflow still has its payment: the interest alone.
    return figure(a * r + (a - f) * (r / growthLessOne(r, n)));
}

Answer periods(const Loan& loan) {
    const double a = loan.amount, r = loan.monthlyRate, p = loan.payment, f = loan.futureValue;
    if (!(r > -1)) return failed(kNeverPaidOff);
    double n;
    if (isZeroRate(r)) {
        if (p == 0) return failed(kNeverPaidOff);
        n = (a - f) / p;
    } else {
        // The logarithm's argument less one, so a small rate keeps its digits.
        const double excess = (a - f) * r / (p - a * r);
        n = std::log1p(excess) / std::log1p(r);
    }
    // A negative term reaches the balloon only by running the loan backwards.
    if (!std::isfinite(n) || n < 0) return failed(kNeverPaidOff);
    return figure(n);
}

Answer monthlyRate(const Loan& loan) {
    const double a = loan.amount, p = loan.payment, f = loan.futureValue;
    if (!std::isfinite(a) || !std::isfinite(p) || !std::isfinite(f)) return failed(kNoRate);
    if (loan.periods <= 0) return failed(kNoPeriods);
    const double n = static_cast<double>(loan.periods);
    const auto gap = [&](double r) { return balanceGap(loan, n, r); };

    const double atZero = gap(0);
    if (!std::isfinite(atZero)) return failed(kNoRate);
    if (std::fabs(atZero) <= kZeroGap * std::max({std::fabs(a), std::fabs(p) * n, std::fabs(f)}))
        return figure(0);

    for (const double limit : {kHighestRate, kLowestRate}) {
        double inner = 0, innerGap = atZero;
        for (double step = kFirstStep; inner != limit; step *= 2) {
            const double outer = limit > 0 ? std::min(step, limit) : std::max(-step, limit);
            const double outerGap = gap(outer);
            if (std::isnan(outerGap)) break;
            if (outerGap == 0) return figure(outer, kNoRate);
            if (std::signbit(outerGap) != std::signbit(innerGap)) {
                const auto rate = solveBracket(gap, inner, outer, innerGap, outerGap);
                return rate ? figure(*rate, kNoRate) : failed(kNoRate);
            }
            inner = outer;
            innerGap = outerGap;
        }
    }
    return failed(kNoRate);
}

Answer presentValue(const Loan& loan) {
    if (loan.periods < 0) return failed(kNoPeriods);
    const double n = static_cast<double>(loan.periods);
    const double r = loan.monthlyRate, p = loan.payment, f = loan.futureValue;
    if (isZeroRate(r)) return figure(p * n + f);
    // Discounted by 1/q rather than divided by q: on a long loan q overflows, 1/q only fades.
    const double logGrowth = std::log1p(r);
    return figure(-p * (std::expm1(-n * logGrowth) / r) + f * std::exp(-n * logGrowth));
}

Answer futureValue(const Loan& loan) {
    if (loan.periods < 0) return failed(kNoPeriods);
    const double n = static_cast<double>(loan.periods);
    const double a = loan.amount, r = loan.monthlyRate, p = loan.payment;
    if (isZeroRate(r)) return figure(a - p * n);
    // As A + (A r - P)(q - 1)/r: each month's unpaid interest, grown to the end.
    const double unpaid = a * r - p;
    // An interest-only loan keeps its balance however long it runs, even where q overflows.
    if (unpaid == 0) return figure(a);
    return figure(a + unpaid * (growthLessOne(r, n) / r));
}

Answer interestOfMonth(const Loan& loan, double month) {
    if (loan.periods <= 0) return failed(kNoPeriods);
    const double n = static_cast<double>(loan.periods);
    const double m = roundHalfEven(month);
    if (!(m >= 1 && m <= n)) return failed(kMonthOutside);
    return figure(loan.monthlyRate * balanceAfter(loan, m - 1, n));
}

Answer principalOfMonth(const Loan& loan, double month) {
    const Answer interest = interestOfMonth(loan, month);
    if (!interest.ok()) return interest;
    const Answer owed = payment(loan);
    if (!owed.ok()) return owed;
    return figure(owed.value - interest.value);
}

Answer roundedPeriods(double n) {
    const double whole = roundHalfEven(n);
    if (!(whole >= std::numeric_limits<int>::min() && whole <= std::numeric_limits<int>::max()))
        return failed(kPeriodsOutOfRange);
    return figure(whole);
}

}  // namespace talvex::loan
