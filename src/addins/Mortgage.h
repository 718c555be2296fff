// The loan calculator: parameter keys store a loan's figures, result keys compute one figure
// from the others, and every line keeps the loan as it stood, so an edit above replays it.
#pragma once

#include <string>
#include <string_view>

#include "addins/FunctionAddin.h"
#include "addins/LoanMath.h"

namespace talvex {

class AddinFramework;
class Engine;

class Mortgage : public FunctionAddin {
  public:
    static constexpr int kKind = 1;

    struct Registers {
        loan::Loan loan;
        double lateFees = 0;
        double month = 0;
        double balance = 0;  // never reset: the balance last computed or set
    };

    Mortgage(AddinFramework& framework, Engine& engine) : FunctionAddin(framework, engine, kKind) {}

    std::string lineFields() override;
    void restoreFields(const std::vector<std::string_view>& fields) override;

    const Registers& registers() const { return regs_; }

  private:
    void activate() override;
    void chooseFunction(int function) override;
    void reset() override;
    void autoText() override;
    void addinKey() override;
    void parameterKey(char letter);
    void resultKey(char letter);
    void balanceStep(char letter);
    bool walkByTape(double& interest, double& principal);
    void write(char letter, double value);
    // A computation without an answer still writes its line; the status bar says why.
    double shown(const loan::Answer& answer, double otherwise);

    Registers regs_;
};

}  // namespace talvex
