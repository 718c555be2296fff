// The arithmetic of a monthly loan for the Mortgage and Financial add-ins: any one of amount,
// rate, term, payment and balloon from the others, and how one month's payment splits into
// interest and principal. Failures come back as a sentence for the status bar, never as NaN.
#pragma once

#include <string_view>

namespace talvex::loan {

// The figures of a monthly loan; payments fall at the end of each month.
struct Loan {
    double amount = 0;       // A, present value
    double monthlyRate = 0;  // r, a fraction per month (6 %/yr is 0.005)
    long long periods = 1;   // n, months
    double payment = 0;      // P
    double futureValue = 0;  // F, balance left at the end (balloon)
};

// A figure, or why there is none: problem is empty when value holds the answer.
struct Answer {
    double value = 0;
    std::string_view problem;
    bool ok() const { return problem.empty(); }
};

// Each function reads only the figures its formula needs; the one it computes is ignored.
// With q = (1 + r)^n, a loan balances when A q - P (q - 1)/r - F = 0 (for r = 0: A - P n - F).

// P = (A q - F) r / (q - 1); r = 0: (A - F)/n.
Answer payment(const Loan&);
// The term that brings A down to F: ln((P - F r)/(P - A r)) / ln(1 + r); r = 0: (A - F)/P.
// Left fractional so the caller decides how to round; a negative term is a problem.
Answer periods(const Loan&);
// The rate that balances amount, payment, periods and futureValue, found numerically between
// -99 % and +1000 % a month; a positive rate is preferred when there are two.
Answer monthlyRate(const Loan&);
// A = (P (q - 1)/r + F)/q; r = 0: P n + F.
Answer presentValue(const Loan&);
// F = A q - P (q - 1)/r; r = 0: A - P n.
Answer futureValue(const Loan&);
// Interest and principal of month M (rounded half to even, 1..n), for the payment that
// payment() implies from amount, rate, periods and futureValue, not loan.payment.
Answer interestOfMonth(const Loan&, double month);
Answer principalOfMonth(const Loan&, double month);
// Rounds a period count half to even; a problem when it does not fit a 32-bit int or is not finite.
Answer roundedPeriods(double n);

}  // namespace talvex::loan
