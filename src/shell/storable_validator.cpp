#include "storable_validator.h"

#include <QLineEdit>

#include "qt_text.h"

namespace kov {

StorableValidator::StorableValidator(std::function<void()> refused, QObject* parent)
    : QValidator(parent), refused_(std::move(refused)) {}

QValidator::State StorableValidator::validate(QString& input, int& /*pos*/) const {
  if (isStorable(input)) return Acceptable;
  refused_();
  return Invalid;
}

void makeStorable(QLineEdit* box, int maxLength, Platform& platform) {
  box->setMaxLength(maxLength);
  box->setValidator(new StorableValidator([&platform] { platform.beep(); }, box));
}

}  // namespace kov
