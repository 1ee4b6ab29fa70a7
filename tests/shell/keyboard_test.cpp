#include <gtest/gtest.h>

#include <QSignalSpy>

#include "report/controller_window.h"
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
  const struct {
    const char* mode;
    int files;
    int signInRole;
    std::vector<std::string> order;
  } cases[] = {
      // clang-format off
      {"first set-up of the administrator", 0, -1,
       {"Utente", "Pw", "Cmd_VPw", "Opz_KOV_1", "Opz_KOV_2", "Opz_KOV_3", "Acc_Ris"}},
      {"first set-up of the data controller", 1, -1, {"Utente", "Pw", "Cmd_VPw"}},
      {"role choice", 2, -1, {"Tp_Ut_0", "Utente", "Pw"}},
      {"administrator signed in", 2, 0,
       {"Tp_Ut_0", "Utente", "Pw", "Cmd_VPw", "Var_Par", "Op_Pi_0", "Cmd_Op", "Opz_KOV_0"}},
      {"data controller signed in", 2, 1,
       {"Tp_Ut_1", "Utente", "Pw", "Cmd_VPw", "Dt_1", "Dt_2", "Anche_gia_Lette", "Rimuovi",
        "Cmd_Gp"}},
      // clang-format on
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

// Enter, either of the two, and Space press the button that holds the focus, in the window
// and in the password dialog.
TEST(Keyboard, EnterAndSpacePressTheFocusedButton) {
  const struct {
    int signInRole;
    const char* button;  // CmdOK: the dialog's button, reached through Cmd_VPw
  } buttons[] = {{0, "Cmd_VPw"}, {0, "Cmd_Op"}, {1, "Cmd_Gp"}, {0, "CmdOK"}};
  for (const auto& b : buttons) {
    for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Space}) {
      SCOPED_TRACE(std::string(b.button) + " key " + std::to_string(key));
      Window w;
      w.showMode(2, b.signInRole);
      const auto press = [key](QWidget* window, const char* name) {
        QWidget* button = test::control(window, name);
        button->setFocus();
        Window::settle();
        QSignalSpy clicks(static_cast<QAbstractButton*>(button), &QAbstractButton::clicked);
        QTest::keyClick(button, key);
        Window::settle();
        EXPECT_EQ(clicks.count(), 1);
      };
      w.whileDialogOpen = [&](Pw_Kov& dialog) {
        if (qstrcmp(b.button, "CmdOK") == 0) press(&dialog, "CmdOK");
        dialog.close();
      };
      press(w.window.get(), qstrcmp(b.button, "CmdOK") == 0 ? "Cmd_VPw" : b.button);
    }
  }
}

// Alt and the underlined letter of a caption: a label's key enters its box, an option's or
// a check box's key clicks it, Ok saves the entry and locks the window.
TEST(Keyboard, AccessKeysReachWhatTheirCaptionsName) {
  const struct {
    int roles;
    int signInRole;
    Qt::Key key;
    const char* reached;  // the box that gets the focus, or the control clicked
  } cases[] = {
      {0, -1, Qt::Key_U, "Utente"},
      {0, -1, Qt::Key_P, "Pw"},
      {0, -1, Qt::Key_W, "Opz_KOV_1"},
      {0, -1, Qt::Key_N, "Opz_KOV_2"},
      {0, -1, Qt::Key_H, "Opz_KOV_3"},
      {0, -1, Qt::Key_L, "Acc_Ris"},
      {2, -1, Qt::Key_T, "Tp_Ut_1"},
      {2, 1, Qt::Key_A, "Tp_Ut_0"},
      {2, 0, Qt::Key_S, "Op_Pi_1"},
      {2, 0, Qt::Key_C, "Op_Pi_2"},
      {2, 0, Qt::Key_R, "Op_Pi_3"},
      {2, 0, Qt::Key_O, "Cmd_Op"},
      {2, 1, Qt::Key_D, "Dt_1"},
      {2, 1, Qt::Key_E, "Dt_2"},
      {2, 1, Qt::Key_G, "Anche_gia_Lette"},
      {2, 1, Qt::Key_M, "Rimuovi"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.reached);
    Window w;
    w.showMode(c.roles, c.signInRole);
    QWidget* reached = w.find(c.reached);
    if (reached == w.box("Pw")) QTest::keyClicks(w.box("Utente"), "Admin");  // or Pw sends it back
    QTest::keyClick(QApplication::focusWidget(), c.key, Qt::AltModifier);
    // A button's key clicks it the way a mouse does, after its pressed look has shown.
    const auto done = [&] {
      if (auto* box = qobject_cast<QLineEdit*>(reached)) return box->hasFocus();
      if (auto* button = qobject_cast<QAbstractButton*>(reached); button->isCheckable()) {
        return button->isChecked();
      }
      return w.recordings().size() == 256U && w.box("Pw")->hasFocus();
    };
    EXPECT_TRUE(QTest::qWaitFor(done, 1000))
        << QApplication::focusWidget()->objectName().toStdString();
    EXPECT_EQ(w.platform.beeps, 0);
  }
}

// An access key takes the focus before it clicks, so the box it leaves is checked first: a
// wrong password keeps the focus and opens no dialog, a changed end date reaches the period.
TEST(Keyboard, AnAccessKeyChecksTheBoxItLeavesBeforeItClicks) {
  {
    test::Controller w;
    const std::string administrator = w.folder.read("KoV");
    w.click("Tp_Ut_0");
    w.type("Utente", "Admin");
    w.tab("Utente");
    QTest::keyClicks(w.box("Pw"), "sbagliata");
    QTest::keyClick(w.box("Pw"), Qt::Key_V, Qt::AltModifier);
    QTest::qWait(300);  // longer than a button's click takes
    EXPECT_EQ(w.dialogsShown, 0);
    EXPECT_EQ(w.platform.texts(), std::vector<std::string>{"La Password non \xE8 corretta"});
    EXPECT_TRUE(w.box("Pw")->hasFocus());
    EXPECT_EQ(w.folder.read("KoV"), administrator);
  }
  {
    test::Controller w(test::storedRecord(test::entryText('N', "10/12/2026", "a")));
    w.period("01122026", "31122026");
    w.box("Dt_2")->setFocus();
    Window::settle();
    w.keys("Dt_2", "15122026");
    QTest::keyClick(w.box("Dt_2"), Qt::Key_O, Qt::AltModifier);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !w.platform.messages.empty(); }, 1000));
    EXPECT_EQ(w.platform.messages.at(0).text, "Sono state rilevate n.  1 scritture in " +
                                                  w.folder.path() +
                                                  "\\report\\20261215_0905_Log.txt");
  }
}

}  // namespace
}  // namespace kov
