// How the windows build their controls and place themselves: one way for the main window and
// the password dialog.
#pragma once

#include <QLabel>
#include <QString>
#include <QWidget>

#include "cores/shared/platform.h"

namespace kov {

// The control with the name the procedures know it by, and its tool tip.
template <typename Control>
Control* named(Control* control, const QString& name, const QString& toolTip = {}) {
  control->setObjectName(name);
  if (!toolTip.isEmpty()) control->setToolTip(toolTip);
  return control;
}

// A label; with a buddy, its access key moves the focus there and a screen reader names the
// buddy after it.
inline QLabel* label(const QString& name, const QString& caption, QWidget* buddy = nullptr) {
  auto* control = named(new QLabel(caption), name);
  if (buddy != nullptr) control->setBuddy(buddy);
  return control;
}

// Places the window in the middle of the whole screen, at its present size.
inline void centreOn(QWidget& window, const ScreenSize& screen) {
  window.move((screen.width - window.width()) / 2, (screen.height - window.height()) / 2);
}

}  // namespace kov
