#include <gtest/gtest.h>

#include "support/window.h"

namespace kov {
namespace {

using test::Window;

// The controls that Tab reaches, in order: the window's focus chain as it stands.
std::vector<std::string> tabOrder(const QWidget* window) {
  std::vector<std::string> order;
  for (QWidget* w = window->nextInFocusChain(); w != window; w = w->nextInFocusChain()) {
    const bool exclusiveOff =
        qobject_cast<QRadioButton*>(w) != nullptr && !static_cast<QRadioButton*>(w)->isChecked();
    if ((w->focusPolicy() & Qt::TabFocus) != 0 && w->isEnabled() && w->isVisibleTo(window) &&
        !exclusiveOff) {
      order.push_back(w->objectName().toStdString());
    }
  }
  return order;
}

// In each mode Tab follows the layout, frame by frame; in the entries frame the options
// come first, then the Ok button, the comment box last.
TEST(Keyboard, TabFollowsTheLayoutInEveryMode) {
  const std::vector<std::string> roleChoice{"Tp_Ut_0", "Utente", "Pw"};
  const struct {
    const char* mode;
    int files;
    int signInRole;
    std::vector<std::string> order;
  } cases[] = {
      {"first set-up of the administrator",
       0,
       -1,
       {"Utente", "Pw", "Cmd_VPw", "Opz_KOV_1", "Opz_KOV_2", "Opz_KOV_3", "Acc_Ris"}},
      {"first set-up of the data controller", 1, -1, {"Utente", "Pw", "Cmd_VPw"}},
      {"role choice", 2, -1, roleChoice},
      {"administrator signed in",
       2,
       0,
       {"Tp_Ut_0", "Utente", "Pw", "Cmd_VPw", "Var_Par", "Op_Pi_0", "Cmd_Op", "Opz_KOV_0"}},
      {"data controller signed in",
       2,
       1,
       {"Tp_Ut_1", "Utente", "Pw", "Cmd_VPw", "Dt_1", "Dt_2", "Anche_gia_Lette", "Rimuovi",
        "Cmd_Gp"}},
  };
  for (const auto& c : cases) {
    Window w;
    w.showMode(c.files, c.signInRole);
    EXPECT_EQ(tabOrder(w.window.get()), c.order) << c.mode;
  }
}

// Every function works from the keyboard alone: here a whole administrator entry, from the
// role option to the saved record, with Tab, Space, Enter and typing only.
TEST(Keyboard, AnEntryIsMadeWithTheKeyboardAlone) {
  Window w;
  w.storeBothRoles();
  w.show();
  QWidget* focus = QApplication::focusWidget();
  ASSERT_NE(focus, nullptr);
  const auto press = [&](Qt::Key key) {
    QTest::keyClick(QApplication::focusWidget(), key);
    Window::settle();
  };
  w.find("Tp_Ut_0")->setFocus();
  Window::settle();
  press(Qt::Key_Tab);
  QTest::keyClicks(QApplication::focusWidget(), "Admin");
  press(Qt::Key_Tab);
  QTest::keyClicks(QApplication::focusWidget(), "password1");
  press(Qt::Key_Tab);
  ASSERT_TRUE(w.box("Opz_KOV_0")->hasFocus());
  QTest::keyClicks(QApplication::focusWidget(), "Controllo antivirus");
  press(Qt::Key_Backtab);  // to the Ok button
  ASSERT_EQ(QApplication::focusWidget()->objectName(), "Cmd_Op");
  press(Qt::Key_Space);
  EXPECT_EQ(w.recordings().size(), 256U);
  EXPECT_TRUE(w.box("Pw")->hasFocus());
}

}  // namespace
}  // namespace kov
