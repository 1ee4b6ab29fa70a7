// The window's behaviour as tables: each mode's controls and Tab order, the access keys,
// what each control tells a screen reader, and the start-ups that end in a message.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QDialogButtonBox>

#include "support/modes.h"
#include "window/translations.h"

namespace kov {
namespace {

using test::Window;

// The controls that Tab reaches, in order.
std::string tabOrder(const QWidget* window) {
  std::string order;
  for (QWidget* w = window->nextInFocusChain(); w != window; w = w->nextInFocusChain()) {
    const auto* option = qobject_cast<QRadioButton*>(w);
    if ((w->focusPolicy() & Qt::TabFocus) != 0 && w->isEnabled() && w->isVisibleTo(window) &&
        (option == nullptr || option->isChecked())) {
      order += (order.empty() ? "" : " ") + w->objectName().toStdString();
    }
  }
  return order;
}

TEST(Window, EveryModeSetsItsControlsAndTabOrder) {
  test::Mode signedOut = test::kRoleChoice;  // a role chosen again: the password button kept
  signedOut.passwordButtonEnabled = true;
  const struct {
    const test::Mode& mode;
    int roles, signInRole;
    const char *thenClick, *userTip, *order;
  } cases[] = {
      // clang-format off
      {test::kAdministratorSetUp, 0, -1, nullptr, "Nome del'Amministratore di Sistema ()",
       "Utente Pw Cmd_VPw Opz_KOV_1 Opz_KOV_2 Opz_KOV_3 Acc_Ris"},
      {test::kControllerSetUp, 1, -1, nullptr, "Nome del Titolare del Trattamento ()", "Utente Pw Cmd_VPw"},
      {test::kRoleChoice, 2, -1, nullptr, "Nome del'Amministratore di Sistema (Admin)", "Tp_Ut_0 Utente Pw"},
      {test::kAdministratorSignedIn, 2, 0, nullptr, "Nome del'Amministratore di Sistema (Admin)",
       "Tp_Ut_0 Utente Pw Cmd_VPw Var_Par Op_Pi_0 Cmd_Op Opz_KOV_0"},
      {test::kControllerSignedIn, 2, 1, nullptr, "Nome del Titolare del Trattamento (Titolare)",
       "Tp_Ut_1 Utente Pw Cmd_VPw Dt_1 Dt_2 Anche_gia_Lette Rimuovi Cmd_Gp"},
      {signedOut, 2, 1, "Tp_Ut_0", "Nome del'Amministratore di Sistema (Admin)", "Tp_Ut_0 Utente Pw Cmd_VPw"},
      // clang-format on
  };
  for (const auto& c : cases) {
    Window w;
    w.showMode(c.roles, c.signInRole);
    if (c.thenClick != nullptr) w.click(c.thenClick);
    test::expectMode(w, c.mode);
    EXPECT_EQ(w.box("Utente")->toolTip(), c.userTip) << c.mode.name;
    EXPECT_EQ(tabOrder(w.window.get()), c.order) << c.mode.name;
    EXPECT_TRUE(w.platform.messages.empty()) << c.mode.name;
    if (c.roles == 2) QTRY_COMPARE(w.find<QLabel>("Data_G")->text(), QString("04/12/2026"));
  }
  // Before the start-up chooses a mode, the report is closed.
  Window built;
  built.window = std::make_unique<KOV>(built.par, built.platform);
  EXPECT_FALSE(built.find("Frm_TdT")->isEnabled());
}

// Alt and the underlined letter: a label's key enters its box, an option's or a check box's
// key ticks it, the Ok button saves the entry and locks the window again.
TEST(Window, AccessKeysReachWhatTheirCaptionsName) {
  const struct {
    int roles, signInRole;
    Qt::Key key;
    const char* reached;
  } cases[] = {
      // clang-format off
      {0, -1, Qt::Key_U, "Utente"}, {0, -1, Qt::Key_P, "Pw"}, {0, -1, Qt::Key_W, "Opz_KOV_1"},
      {0, -1, Qt::Key_N, "Opz_KOV_2"}, {0, -1, Qt::Key_H, "Opz_KOV_3"}, {0, -1, Qt::Key_L, "Acc_Ris"},
      {2, -1, Qt::Key_T, "Tp_Ut_1"}, {2, 1, Qt::Key_A, "Tp_Ut_0"}, {2, 0, Qt::Key_S, "Op_Pi_1"},
      {2, 0, Qt::Key_C, "Op_Pi_2"}, {2, 0, Qt::Key_R, "Op_Pi_3"}, {2, 0, Qt::Key_O, "Cmd_Op"},
      {2, 1, Qt::Key_D, "Dt_1"}, {2, 1, Qt::Key_E, "Dt_2"}, {2, 1, Qt::Key_G, "Anche_gia_Lette"},
      {2, 1, Qt::Key_M, "Rimuovi"},
      // clang-format on
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.reached);
    Window w;
    w.showMode(c.roles, c.signInRole);
    QWidget* reached = w.find(c.reached);
    if (reached == w.box("Pw")) QTest::keyClicks(w.box("Utente"), "Admin");  // or Pw sends it back
    QTest::keyClick(QApplication::focusWidget(), c.key, Qt::AltModifier);
    const auto done = [&] {
      if (auto* box = qobject_cast<QLineEdit*>(reached)) return box->hasFocus();
      if (auto* button = qobject_cast<QAbstractButton*>(reached); button->isCheckable()) {
        return button->isChecked();
      }
      return w.recordings().size() == 256U && w.box("Pw")->hasFocus();
    };
    EXPECT_TRUE(QTest::qWaitFor(done, 1000));
    EXPECT_EQ(w.platform.beeps, 0);
  }
  // The key takes the focus before it clicks: the end date just typed names the report.
  Window w;
  w.folder.write("OdV", test::loggedEntry("PC-01", "Admin", test::kBackup));
  w.showMode(2, 1);
  w.period("04122026", "04122026");
  w.box("Dt_2")->setFocus();
  Window::settle();
  w.keys("Dt_2", "15122026");
  QTest::keyClick(w.box("Dt_2"), Qt::Key_O, Qt::AltModifier);
  QTRY_COMPARE(w.platform.texts().size(), 1U);
  EXPECT_EQ(w.platform.texts()[0],
            test::reportConfirmation(1, w.folder.path(), "report\\20261215_0905_Log.txt"));
}

// What a screen reader says where a caption says too little, and what the toolkit says.
TEST(Window, ControlsAreNamedForScreenReadersAndTheToolkitSpeaksItalian) {
  const std::pair<const char*, QString> cases[] = {
      // clang-format off
      {"Utente", "Account"}, {"Opz_KOV_0", "Commento dell'operazione"}, {"Cmd_Gp", "Genera il report"},
      {"N_Accessi", "Numero delle scritture registrate"}, {"Var_Par", "Parametri della Postazione di Lavoro"},
      {"Cmd_Op", "Salva il commento nel file delle operazioni"},
      // clang-format on
  };
  Window w;
  w.showMode(2, -1);
  for (const auto& [name, said] : cases) {
    EXPECT_EQ(QAccessible::queryAccessibleInterface(w.find(name))->text(QAccessible::Name), said);
  }
  EXPECT_EQ(w.find("Pw")->toolTip(), "Digitare la password impostata");
  EXPECT_EQ(w.find("Frm_KoV")->toolTip(), "");
  ASSERT_TRUE(installItalianTranslations(*QCoreApplication::instance()));
  QDialogButtonBox buttons(QDialogButtonBox::Cancel);
  EXPECT_EQ(buttons.button(QDialogButtonBox::Cancel)->text().remove('&'), "Annulla");
}

}  // namespace
}  // namespace kov
