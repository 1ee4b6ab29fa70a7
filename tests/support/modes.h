// The state of every control that the window's modes tell apart.
#pragma once

#include "support/window.h"

namespace kov::test {

struct Mode {
  const char* name;
  bool roleChoiceEnabled;
  int roleSelected;
  const char* passwordButton;
  bool passwordButtonEnabled, switchShown, switchTicked;
  bool parametersEnabled;         // Frm_Par and Acc_Ris, white; otherwise button face
  bool entriesEnabled;            // Frm_KoV and Cmd_Op
  bool reportEnabled;             // Frm_TdT and Cmd_Gp, the date boxes white
  const char* picture = nullptr;  // of the README
};

// clang-format off
inline const Mode kAdministratorSetUp{"first set-up of the administrator", false, 0, "&Ok", true, false, true, true, false, false, "setup-administrator.png"};
inline const Mode kControllerSetUp{"first set-up of the data controller", false, 1, "&Ok", true, false, false, false, false, false, "setup-controller.png"};
inline const Mode kRoleChoice{"role choice", true, 0, "&Varia Password", false, false, false, false, false, false, "role-choice.png"};
inline const Mode kSignedOut{"signed out", true, 0, "&Varia Password", true, false, false, false, false, false};
inline const Mode kAdministratorSignedIn{"administrator signed in", true, 0, "&Varia Password", true, true, false, false, true, false, "administrator.png"};
inline const Mode kControllerSignedIn{"data controller signed in", true, 1, "&Varia Password", true, false, false, false, false, true, "controller.png"};
// clang-format on

// The controls that Tab reaches, in order.
inline std::string tabOrder(const QWidget* window) {
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

inline void expectMode(const Window& w, const Mode& mode) {
  SCOPED_TRACE(mode.name);
  EXPECT_EQ(w.find("Frm_At")->isEnabled(), mode.roleChoiceEnabled);
  EXPECT_TRUE(w.find<QRadioButton>(mode.roleSelected == 0 ? "Tp_Ut_0" : "Tp_Ut_1")->isChecked());
  EXPECT_TRUE(w.box("Utente")->isEnabled() && w.box("Pw")->isEnabled());
  EXPECT_EQ(w.find<QPushButton>("Cmd_VPw")->text(), QString::fromUtf8(mode.passwordButton));
  EXPECT_EQ(w.find("Cmd_VPw")->isEnabled(), mode.passwordButtonEnabled);
  EXPECT_EQ(w.find("Var_Par")->isHidden(), !mode.switchShown);
  EXPECT_EQ(w.find<QCheckBox>("Var_Par")->isChecked(), mode.switchTicked);
  const QColor face = QApplication::palette().color(QPalette::Button);
  const QColor faceText = QApplication::palette().color(QPalette::ButtonText);
  const QColor parameters = mode.parametersEnabled ? kWhite : face;
  EXPECT_EQ(w.find("Frm_Par")->isEnabled(), mode.parametersEnabled);
  EXPECT_EQ(w.find("Acc_Ris")->isEnabled(), mode.parametersEnabled);
  for (const char* name : {"Opz_KOV_1", "Opz_KOV_2", "Opz_KOV_3", "Acc_Ris"}) {
    EXPECT_EQ(background(w.find(name)), parameters) << name;
  }
  EXPECT_EQ(w.find("Frm_KoV")->isEnabled(), mode.entriesEnabled);
  // The buttons are switched with their frames, not only through them.
  EXPECT_EQ(!w.find("Cmd_Op")->testAttribute(Qt::WA_ForceDisabled), mode.entriesEnabled);
  // The menu: the log for whoever is signed in, the report folder for the data controller.
  EXPECT_EQ(w.find<QMenu>("Registro")->isEnabled(), mode.entriesEnabled || mode.reportEnabled);
  EXPECT_EQ(w.window->findChild<QAction*>("ApriCartella")->isEnabled(), mode.reportEnabled);
  EXPECT_EQ(w.find("Frm_TdT")->isEnabled(), mode.reportEnabled);
  EXPECT_EQ(!w.find("Cmd_Gp")->testAttribute(Qt::WA_ForceDisabled), mode.reportEnabled);
  for (const char* name : {"Dt_1", "Dt_2"}) {
    // The date box that the sign-in enters is yellow while it holds the focus.
    const QColor enabled = w.box(name)->hasFocus() ? kYellow : kWhite;
    EXPECT_EQ(background(w.find(name)), mode.reportEnabled ? enabled : face) << name;
    EXPECT_EQ(textColour(w.find(name)), mode.reportEnabled ? QColor(Qt::black) : faceText) << name;
  }
}

}  // namespace kov::test
