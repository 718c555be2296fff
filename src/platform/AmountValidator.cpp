#include "platform/AmountValidator.h"

#include <QByteArray>
#include <QString>

#include "engine/AmountText.h"

namespace talvex {

AmountValidator::AmountValidator(const NumberSymbols& symbols, QObject* parent)
    : QValidator(parent), symbols_(symbols) {}

QValidator::State AmountValidator::validate(QString& input, int& /*pos*/) const {
    const QByteArray text = input.toLocal8Bit();
    return keyableAmount(std::string_view(text.constData(), static_cast<size_t>(text.size())),
                         symbols_)
               ? Acceptable
               : Invalid;
}

}  // namespace talvex
