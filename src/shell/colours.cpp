#include "colours.h"

#include <QApplication>
#include <QLineEdit>
#include <QPalette>
#include <QWidget>

namespace kov {

void setBackground(QWidget* control, Colour colour) {
  QColor value;
  switch (colour) {
    case Colour::Yellow:
      value = QColor(255, 255, 0);
      break;
    case Colour::White:
      value = QColor(255, 255, 255);
      break;
    case Colour::ButtonFace:
      value = QApplication::palette().color(QPalette::Button);
      break;
  }
  // A text box paints its Base role; any other control (a check box) its Window role.
  const QPalette::ColorRole role =
      qobject_cast<QLineEdit*>(control) != nullptr ? QPalette::Base : QPalette::Window;
  QPalette palette = control->palette();
  palette.setColor(QPalette::Active, role, value);
  palette.setColor(QPalette::Inactive, role, value);
  palette.setColor(QPalette::Disabled, role, value);
  control->setPalette(palette);
  control->setAutoFillBackground(role == QPalette::Window);
}

}  // namespace kov
