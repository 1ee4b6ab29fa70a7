#include "window/focus/focus_router.h"

#include <QAbstractButton>
#include <QFocusEvent>
#include <QShortcutEvent>
#include <QTimer>
#include <QWidget>

namespace kov {
namespace {

bool isWindowChange(const QEvent* event) {
  const Qt::FocusReason reason = static_cast<const QFocusEvent*>(event)->reason();
  return reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason ||
         reason == Qt::MenuBarFocusReason;
}

}  // namespace

FocusRouter::FocusRouter(QWidget* window) : QObject(window), window_(window) {}

void FocusRouter::add(QWidget* control, std::function<void()> enter, std::function<void()> leave) {
  handlers_[control] = {std::move(enter), std::move(leave)};
  control->installEventFilter(this);
}

void FocusRouter::focusBeforeAccessKeyClicks() {
  for (QAbstractButton* button : window_->findChildren<QAbstractButton*>()) {
    button->installEventFilter(this);
  }
}

bool FocusRouter::clickAfterFocus(QAbstractButton* button, const QShortcutEvent* event) {
  // An ambiguous key only moves the focus, which Qt does itself.
  if (event->isAmbiguous() || button->focusPolicy() == Qt::NoFocus) return false;
  button->setFocus(Qt::ShortcutFocusReason);
  if (button->hasFocus()) button->animateClick();
  return true;
}

bool FocusRouter::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::Shortcut) {
    if (auto* button = qobject_cast<QAbstractButton*>(watched)) {
      return clickAfterFocus(button, static_cast<const QShortcutEvent*>(event));
    }
  }
  const auto found = handlers_.find(watched);
  if (found == handlers_.end()) return false;
  auto* control = static_cast<QWidget*>(watched);
  if (event->type() == QEvent::FocusOut) {
    if (control == entered_ && !isWindowChange(event)) leave(control);
  } else if (event->type() == QEvent::FocusIn) {
    if (leaving_ != 0 || control == entered_) return false;
    // Focus moved while the window was inactive (a message box had just closed) comes with
    // no FocusOut: the control still entered leaves first.
    if (entered_ != nullptr) {
      leave(entered_);
    } else {
      enter(control);
    }
  }
  return false;
}

void FocusRouter::leave(QWidget* control) {
  entered_ = nullptr;
  ++leaving_;
  handlers_[control].leave();
  --leaving_;
  // Posted, so that it follows whatever Qt still has to deliver for this focus change.
  if (leaving_ == 0) QTimer::singleShot(0, this, &FocusRouter::enterFocusHolder);
}

void FocusRouter::enter(QWidget* control) {
  entered_ = control;
  handlers_[control].enter();
}

void FocusRouter::enterFocusHolder() {
  if (leaving_ != 0) return;
  // A message box shown during the leave may have left the window inactive.
  if (window_->isVisible() && !window_->isActiveWindow()) window_->activateWindow();
  QWidget* holder = window_->focusWidget();
  if (holder != nullptr && holder != entered_ && holder->isEnabled() &&
      handlers_.contains(holder)) {
    enter(holder);
  }
}

}  // namespace kov
