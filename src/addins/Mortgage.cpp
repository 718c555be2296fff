#include "addins/Mortgage.h"

#include <array>
#include <cctype>
#include <charconv>
#include <cmath>

#include "addins/AddinFramework.h"
#include "engine/Engine.h"
#include "engine/LineCodes.h"

namespace talvex {

namespace {

constexpr std::string_view kMenu =
    "Mortgage:Functions,Select Function;;amt,Loan Amount,a;int%,Interest Rate,i;nPr,Period "
    "(Months),n;;;Payment,Monthly Payment,P";
constexpr std::string_view kFunctionPanel = "Mortgage:Functions,Select Function;;";
constexpr std::array<std::string_view, 8> kFunctionNames = {
    "Payment", "Period", "Rate", "PresVal", "FutureVal", "IntPaymnt", "PrnPaymnt", "Balance"};
constexpr std::array<std::string_view, 8> kFunctionKeys = {
    "amt,Loan Amount,a;int%,Interest Rate,i;nPr,Total Period (Months),n;fv,Future Value,f;;"
    "Payment,Monthly Payment,P",
    "amt,Loan Amount,a;int%,Interest Rate,i;pmt,Monthly Payment,p;fv,Future Value,f;;NPeriod,"
    "Total Period (Months),N",
    "amt,Loan Amount,a;pmt,Monthly Payment,p;nPr,Total Period (Months),n;fv,Future Value,f;;"
    "Interest%,Interest Rate,I",
    "pmt,Monthly Payment,p;int%,Interest Rate,i;nPr,Total Period (Months),n;fv,Future Value,f;;"
    "Amount,Loan Amount,A",
    "pmt,Monthly Payment,p;int%,Interest Rate,i;nPr,Total Period (Months),n;amt,Loan Amount,a;;"
    "FutureVal,Future Value,F",
    "amt,Loan Amount,a;int%,Interest Rate,i;nPr,Total Period (Months),n;mPr,Specific Period "
    "(Month),m;;YIntPaymnt,Interest Payment,Y",
    "amt,Loan Principal Amount,a;int%,Interest Rate,i;nPr,Total Period (Months),n;mPr,Specific "
    "Period (Month),m;;ZPrnPaymnt,Principal Payment,Z",
    "amt,Initial Loan Amount,a;int%,Interest Rate,i;lFe,Late Fee,l;pmt,Monthly Payment,p;;"
    "balance,Loan Balance,b"};

constexpr std::string_view kNoMonth = "No month/period specified";
constexpr std::string_view kNoLoanAmount = "Loan Amount Not Set";
constexpr std::string_view kNoPayments = "No payments or fees since last Balance";

// A keyed 6 (% a year) is a monthly rate of 0.005.
constexpr double kPercentYearToMonthly = 1200.0;

// The shortest text that reads back as the same number, without an exponent where one is not
// needed ("100000", not "1e+05"). Negative zero is written "0": the figure it came from
// ("-0.") reads back as 0 once its line is saved, and the record must not change with it.
std::string plain(double v) {
    if (v == 0.0) v = 0.0;
    std::array<char, 400> buffer{};
    const auto format = std::fabs(v) < 1e15 ? std::chars_format::fixed : std::chars_format::general;
    const auto [end, error] =
        std::to_chars(buffer.data(), buffer.data() + buffer.size(), v, format);
    return error == std::errc() ? std::string(buffer.data(), end) : "0";
}

template <typename Number>
void readField(std::string_view text, Number& into) {
    Number value{};
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error == std::errc() && end == text.data() + text.size()) into = value;
}

std::string_view labelOf(std::string_view code) {
    if (code.empty()) return {};
    switch (std::tolower(static_cast<unsigned char>(code.front()))) {
        case 'a':
            return "Loan Amount";
        case 'i':
            return "Interest %";
        case 'n':
            return "Period";
        case 'p':
            return "Payment";
        case 'l':
            return "Late Fee";
        case 'f':
            return "Future Val";
        case 'm':
            return "Month";
        case 'b':
            return code.front() == 'B' ? "Loan Balance" : "Interest";
        case 'y':
            return "Interest";
        case 'z':
            return "Principal";
        default:
            return {};
    }
}

// Balance after k payments of the payment the loan implies.
double balanceAfter(const loan::Loan& loan, double k) {
    const loan::Answer payment = loan::payment(loan);
    if (!payment.ok()) return loan.amount;
    const double r = loan.monthlyRate;
    if (std::fabs(r) < 1e-15) return loan.amount - payment.value * k;
    const double growth = std::expm1(k * std::log1p(r));
    return loan.amount * (growth + 1) - payment.value * growth / r;
}

}  // namespace

void Mortgage::activate() {
    framework_.buildPanel(1, kMenu);
    framework_.setLetters({"ainpmfl", "YZbyz", "PNIAFYZBbyz"});
    framework_.fillList(addin_list::kFunctions,
                        std::vector<std::string>(kFunctionNames.begin(), kFunctionNames.end()),
                        kFunctionNames.front());
}

void Mortgage::chooseFunction(int function) {
    if (function < 0 || function >= static_cast<int>(kFunctionKeys.size())) return;
    framework_.buildPanel(1, std::string(kFunctionPanel) + std::string(kFunctionKeys[function]));
}

void Mortgage::reset() {
    const double balance = regs_.balance;
    regs_ = Registers{};
    regs_.balance = balance;
}

void Mortgage::autoText() {
    const TapeSettings& settings = engine_.settings();
    if (!settings.autoSubtotalText || !settings.autoAddFuncText) return;
    const std::string_view label = labelOf(baseCode(engine_.state().entry.entryOp));
    if (!label.empty()) engine_.labelLine(label);
}

// The loan's figures go on every line the add-in wrote, and on the blank line after a result.
std::string Mortgage::lineFields() {
    if (!wroteOwnLine()) return {};
    const loan::Loan& l = regs_.loan;
    return ":" + std::to_string(kKind) + ":" + plain(l.amount) + ":" + plain(l.monthlyRate) + ":" +
           std::to_string(l.periods) + ":" + plain(l.payment) + ":" + plain(regs_.month) + ":" +
           plain(l.futureValue);
}

void Mortgage::restoreFields(const std::vector<std::string_view>& fields) {
    loan::Loan& l = regs_.loan;
    const auto field = [&fields](size_t i) { return i < fields.size() ? fields[i] : ""; };
    readField(field(0), l.amount);
    readField(field(1), l.monthlyRate);
    readField(field(2), l.periods);
    readField(field(3), l.payment);
    readField(field(4), regs_.month);
    readField(field(5), l.futureValue);
}

void Mortgage::addinKey() {
    const std::string_view code = framework_.letter();
    if (code.empty()) return;
    if (framework_.isFunction(code))
        resultKey(code.front());
    else
        parameterKey(code.front());
}

void Mortgage::parameterKey(char letter) {
    const std::string keyed = engine_.addinEntry();
    const double v = engine_.format().read(keyed);
    loan::Loan& l = regs_.loan;
    switch (letter) {
        case 'a':
            l.amount = v;
            regs_.month = 0;
            regs_.balance = v;
            break;
        case 'i':
            l.monthlyRate = v / kPercentYearToMonthly;
            break;
        case 'n': {
            const loan::Answer n = loan::roundedPeriods(v);
            if (n.ok())
                l.periods = static_cast<long long>(n.value);
            else
                engine_.addinError(std::string(n.problem));
            break;
        }
        case 'p':
            l.payment = v;
            break;
        case 'l':
            regs_.lateFees = v;
            break;
        case 'm':
            regs_.month = v;
            break;
        case 'f':
            l.futureValue = v;
            break;
        default:
            return;
    }
    if (letter == 'n' || letter == 'm')
        engine_.writeAddinKeyed(std::string(1, letter), keyed);
    else
        write(letter, v);
}

double Mortgage::shown(const loan::Answer& answer, double otherwise) {
    if (answer.ok()) return answer.value;
    engine_.addinError(std::string(answer.problem));
    return otherwise;
}

void Mortgage::resultKey(char letter) {
    loan::Loan& l = regs_.loan;
    switch (letter) {
        case 'P':
            l.payment = shown(loan::payment(l), l.payment);
            write(letter, l.payment);
            break;
        case 'N': {
            loan::Answer n = loan::periods(l);
            if (n.ok()) n = loan::roundedPeriods(n.value);
            l.periods = static_cast<long long>(shown(n, static_cast<double>(l.periods)));
            engine_.writeAddinKeyed("N", std::to_string(l.periods));
            break;
        }
        case 'I':
            l.monthlyRate = shown(loan::monthlyRate(l), l.monthlyRate);
            write(letter, l.monthlyRate * kPercentYearToMonthly);
            break;
        case 'A':
            l.amount = shown(loan::presentValue(l), l.amount);
            regs_.balance = l.amount;
            write(letter, l.amount);
            break;
        case 'F':
            l.futureValue = shown(loan::futureValue(l), l.futureValue);
            write(letter, l.futureValue);
            break;
        case 'Y':
        case 'Z':
            if (regs_.month == 0) {
                engine_.addinError(std::string(kNoMonth));
                return;
            }
            write(letter, shown(letter == 'Y' ? loan::interestOfMonth(l, regs_.month)
                                              : loan::principalOfMonth(l, regs_.month),
                                0));
            break;
        default:
            balanceStep(letter);
            break;
    }
}

// A balance by months walks the loan's own payments; a balance by the tape takes the payments
// and late fees keyed since the last balance.
void Mortgage::balanceStep(char letter) {
    regs_.lateFees = 0;
    double interest = 0;
    double principal = 0;
    const loan::Loan& l = regs_.loan;
    if (regs_.month >= 1) {
        const loan::Answer paid = loan::interestOfMonth(l, regs_.month);
        if (!paid.ok()) {
            engine_.addinError(std::string(paid.problem));
        } else {
            interest = paid.value;
            principal = loan::principalOfMonth(l, regs_.month).value;
            regs_.balance = balanceAfter(l, std::nearbyint(regs_.month));
        }
    } else if (!walkByTape(interest, principal)) {
        return;
    }
    if (letter != 'B') {
        write('y', interest);
        write('z', principal);
    }
    write('B', regs_.balance);
}

bool Mortgage::walkByTape(double& interest, double& principal) {
    const ColumnRoles& roles = engine_.layout().roles;
    const int row = engine_.state().curRow;
    int from = row - 1;
    while (from >= 1) {
        const std::string_view code = baseCode(engine_.cell(from, roles.op));
        if (code == "B" || code == "A" || code == "a") break;
        --from;
    }
    if (from < 1) {
        engine_.addinError(std::string(kNoLoanAmount));
        return false;
    }
    const NumberFormatter& format = engine_.format();
    double balance = format.read(engine_.cell(from, roles.amount));
    double payments = 0;
    for (int r = from; r <= row && r < engine_.state().lastRow; ++r) {
        const std::string_view code = baseCode(engine_.cell(r, roles.op));
        if (code == "l") regs_.lateFees += format.read(engine_.cell(r, roles.amount));
        if (code == "p") payments += format.read(engine_.cell(r, roles.amount));
    }
    if (payments == 0 && regs_.lateFees == 0) {
        engine_.addinError(std::string(kNoPayments));
        return false;
    }
    interest = regs_.loan.monthlyRate * balance;
    principal = payments - regs_.lateFees - interest;
    balance -= principal;
    regs_.balance = balance;
    engine_.clearLineCell(roles.type13);
    return true;
}

void Mortgage::write(char letter, double value) {
    engine_.writeAddinLine(std::string(1, letter), value);
}

}  // namespace talvex
