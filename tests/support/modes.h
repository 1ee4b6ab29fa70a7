// What the user sees of each of the window's modes: which controls take input, the password
// button's caption, the switch of the parameters and the colours of the boxes.
#pragma once

#include "support/window.h"

namespace kov::test {

struct ModeControls {
  Mode mode;
  const char* name;
  bool setUp = false;          // Frm_At disabled, the password button reads "&Ok"
  bool passwordButton = true;  // enabled
  bool parameters = false;     // the boxes of Frm_Par and Acc_Ris enabled and white, Var_Par ticked
  bool entries = false;        // Frm_KoV, Cmd_Op, the log and Var_Par shown
  bool report = false;         // Frm_TdT, Cmd_Gp, the log and the report folder
  const char* picture = nullptr;  // of the documents, in docs/images
};

using enum Mode;
inline const ModeControls kModes[] = {
    {
        .mode = AdministratorSetUp,
        .name = "SetUpOfTheAdministrator",
        .setUp = true,
        .parameters = true,
        .picture = "setup-administrator.png",
    },
    {.mode = ControllerSetUp,
     .name = "SetUpOfTheController",
     .setUp = true,
     .picture = "setup-controller.png"},
    {.mode = RoleChoice,
     .name = "ChoiceOfRole",
     .passwordButton = false,
     .picture = "role-choice.png"},
    {.mode = SignedOut, .name = "SignedOutAgain"},
    {.mode = AdministratorSignedIn,
     .name = "AdministratorAtWork",
     .entries = true,
     .picture = "administrator.png"},
    {.mode = ControllerSignedIn,
     .name = "ControllerAtWork",
     .report = true,
     .picture = "controller.png"},
};

inline const ModeControls& controlsOf(Mode mode) {
  return *std::ranges::find(kModes, mode, &ModeControls::mode);
}

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

// The window is in `mode` and shows it.
inline void expectMode(const Window& w, Mode mode) {
  const ModeControls& m = controlsOf(mode);
  SCOPED_TRACE(m.name);
  EXPECT_EQ(w.window->mode(), mode);
  EXPECT_EQ(w.find("Frm_At")->isEnabled(), !m.setUp);
  EXPECT_TRUE(w.box("Utente")->isEnabled() && w.box("Pw")->isEnabled());
  EXPECT_EQ(w.find<QPushButton>("Cmd_VPw")->text(), m.setUp ? "&Ok" : "&Varia Password");
  EXPECT_EQ(w.find("Cmd_VPw")->isEnabled(), m.passwordButton);
  EXPECT_EQ(w.find("Var_Par")->isHidden(), !m.entries);
  EXPECT_EQ(w.find<QCheckBox>("Var_Par")->isChecked(), m.parameters);
  const QColor face = QApplication::palette().color(QPalette::Button);
  const QColor faceText = QApplication::palette().color(QPalette::ButtonText);
  for (const char* name : {"Opz_KOV_1", "Opz_KOV_2", "Opz_KOV_3", "Acc_Ris"}) {
    EXPECT_EQ(w.find(name)->isEnabled(), m.parameters) << name;
    EXPECT_EQ(background(w.find(name)), m.parameters ? kWhite : face) << name;
  }
  EXPECT_EQ(w.find("Cmd_Op")->isEnabled(), m.entries);
  EXPECT_EQ(w.find("Opz_KOV_0")->isEnabled(), m.entries);
  // The menu: the log for whoever is signed in, the report folder for the data controller.
  EXPECT_EQ(w.find<QMenu>("Registro")->isEnabled(), m.entries || m.report);
  EXPECT_EQ(w.window->findChild<QAction*>("ApriCartella")->isEnabled(), m.report);
  EXPECT_EQ(w.find("Cmd_Gp")->isEnabled(), m.report);
  for (const char* name : {"Dt_1", "Dt_2"}) {
    // The date box that the sign-in enters is yellow while it holds the focus.
    const QColor enabled = w.box(name)->hasFocus() ? kYellow : kWhite;
    EXPECT_EQ(w.find(name)->isEnabled(), m.report) << name;
    EXPECT_EQ(background(w.find(name)), m.report ? enabled : face) << name;
    EXPECT_EQ(textColour(w.find(name)), m.report ? QColor(Qt::black) : faceText) << name;
  }
}

}  // namespace kov::test
