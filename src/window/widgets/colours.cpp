#include "window/widgets/colours.h"

#include <QApplication>
#include <QLineEdit>
#include <QPalette>
#include <QWidget>

namespace kov {

void setBackground(QWidget* control, Colour colour) {
  // A text box paints its Base role and its Text; any other control (a check box) its Window
  // role and its WindowText.
  const bool box = qobject_cast<QLineEdit*>(control) != nullptr;
  const QPalette::ColorRole background = box ? QPalette::Base : QPalette::Window;
  const QPalette::ColorRole text = box ? QPalette::Text : QPalette::WindowText;
  const QPalette desktop = QApplication::palette();
  QPalette palette = control->palette();
  for (const QPalette::ColorGroup group :
       {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
    // A background of our own takes a text colour of our own, or a dark desktop theme would
    // paint light text on yellow and white.
    switch (colour) {
      case Colour::Yellow:
        palette.setColor(group, background, QColor(255, 255, 0));
        palette.setColor(group, text, Qt::black);
        break;
      case Colour::White:
        palette.setColor(group, background, QColor(255, 255, 255));
        palette.setColor(group, text, Qt::black);
        break;
      case Colour::ButtonFace:
        palette.setColor(group, background, desktop.color(group, QPalette::Button));
        palette.setColor(group, text, desktop.color(group, QPalette::ButtonText));
        break;
    }
  }
  control->setPalette(palette);
  control->setAutoFillBackground(!box);
}

}  // namespace kov
