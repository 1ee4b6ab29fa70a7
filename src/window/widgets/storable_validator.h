// What a text box takes from the keyboard and the clipboard: characters that can be stored,
// up to the box's limit. A key or a paste that breaks either rule leaves the text as it was,
// beeps and says why at the box; a paste that does not fit is refused whole, never cut.
//
// The limit is an input limit, as the classic maximum length is: a text the program puts
// into the box stays whole (the report folder gets its closing "\" even at 199 characters).
#pragma once

#include <QValidator>

#include "cores/shared/platform.h"

class QLineEdit;

namespace kov {

class StorableValidator : public QValidator {
  Q_OBJECT
 public:
  StorableValidator(QLineEdit* box, int limit, Platform& platform);
  State validate(QString& input, int& pos) const override;
  // Puts a text of the program into the box, whole and without a word.
  void put(const QString& text);
  int limit() const { return limit_; }

 private:
  QLineEdit* box_;
  int limit_;
  Platform& platform_;
  QString before_;  // the text as it stood before the change being judged
  bool putting_ = false;
};

// Gives a text box its limit and the validator.
void makeStorable(QLineEdit* box, int limit, Platform& platform);

// Puts a text of the program into a box: whole, through the validator of a box made
// storable.
void putText(QLineEdit* box, const QString& text);
// The number of characters a box made storable takes from typing and pasting.
int inputLimit(const QLineEdit* box);

}  // namespace kov
