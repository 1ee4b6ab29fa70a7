// Refuses, as they are typed or pasted, the characters that cannot be stored.
#pragma once

#include <QValidator>
#include <functional>

#include "platform.h"

class QLineEdit;

namespace kov {

class StorableValidator : public QValidator {
  Q_OBJECT
 public:
  StorableValidator(std::function<void()> refused, QObject* parent);
  State validate(QString& input, int& pos) const override;

 private:
  std::function<void()> refused_;
};

// Limits a text box to `maxLength` characters that can be stored; a refused character
// beeps.
void makeStorable(QLineEdit* box, int maxLength, Platform& platform);

}  // namespace kov
