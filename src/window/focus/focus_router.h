// Gives the text boxes the focus events of the classic model: "leave" runs for a box that
// was entered, to its end (message box included) before any other box is entered, and the
// box that ends up holding the focus is entered exactly once.
//
// Qt makes the new box the focus widget before the old one hears of its loss, so a leave
// that sends the focus elsewhere would otherwise reach a box that was never entered, or
// enter a box the focus has already left. Focus lost to another window (a message box
// opening) or to the menu bar is not a leave.
#pragma once

#include <QObject>
#include <QPointer>
#include <functional>
#include <map>

class QAbstractButton;
class QShortcutEvent;
class QWidget;

namespace kov {

class FocusRouter : public QObject {
  Q_OBJECT
 public:
  explicit FocusRouter(QWidget* window);
  void add(QWidget* control, std::function<void()> enter, std::function<void()> leave);
  // The access key of any button of the window takes the focus before it clicks, as a mouse
  // press does: the box left is checked first, and a check that keeps the focus in a box
  // (a wrong password, say) stops the click.
  void focusBeforeAccessKeyClicks();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  struct Handlers {
    std::function<void()> enter;
    std::function<void()> leave;
  };
  void enter(QWidget* control);
  void leave(QWidget* control);
  void enterFocusHolder();
  static bool clickAfterFocus(QAbstractButton* button, const QShortcutEvent* event);

  QWidget* window_;
  std::map<QObject*, Handlers> handlers_;
  QPointer<QWidget> entered_;
  int leaving_ = 0;
};

}  // namespace kov
