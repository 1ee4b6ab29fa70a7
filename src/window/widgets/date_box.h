// The masked date field: a line edit with the mask "99/99/9999" that keeps the whole-text
// selection its focus-entry procedure makes. Qt's line edit, given the focus by Tab, puts
// the cursor of a masked box on its first blank after the focus event's filters (where the
// procedure runs) are done, which would drop that selection.
#pragma once

#include <QLineEdit>

namespace kov {

class DateBox : public QLineEdit {
  Q_OBJECT
 public:
  DateBox();

 protected:
  void focusInEvent(QFocusEvent* event) override;
};

}  // namespace kov
