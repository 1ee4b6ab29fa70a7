#include "storable_validator.h"

#include "qt_text.h"

namespace kov {

StorableValidator::StorableValidator(std::function<void()> refused, QObject* parent)
    : QValidator(parent), refused_(std::move(refused)) {}

QValidator::State StorableValidator::validate(QString& input, int& /*pos*/) const {
  if (isStorable(input)) return Acceptable;
  refused_();
  return Invalid;
}

}  // namespace kov
