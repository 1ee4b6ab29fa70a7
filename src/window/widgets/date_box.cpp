#include "window/widgets/date_box.h"

namespace kov {

DateBox::DateBox() {
  setInputMask(QStringLiteral("99/99/9999"));
}

void DateBox::focusInEvent(QFocusEvent* event) {
  const bool whole = selectionStart() == 0 && selectedText().size() == displayText().size();
  QLineEdit::focusInEvent(event);
  if (whole) selectAll();
}

}  // namespace kov
