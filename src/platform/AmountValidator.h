#pragma once

#include <QValidator>

#include "engine/NumberFormat.h"

namespace talvex {

// The amount cell's editor takes only what the calculator's keys can enter, so text such as
// the ":" and "|" of a register record is refused as it is typed.
class AmountValidator : public QValidator {
  public:
    AmountValidator(const NumberSymbols& symbols, QObject* parent);
    State validate(QString& input, int& pos) const override;

  private:
    NumberSymbols symbols_;
};

}  // namespace talvex
