// Refuses, as they are typed or pasted, the characters that cannot be stored.
#pragma once

#include <QValidator>
#include <functional>

namespace kov {

class StorableValidator : public QValidator {
  Q_OBJECT
 public:
  StorableValidator(std::function<void()> refused, QObject* parent);
  State validate(QString& input, int& pos) const override;

 private:
  std::function<void()> refused_;
};

}  // namespace kov
