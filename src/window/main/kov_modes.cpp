// The window's modes: the role choice, signing the role functions off and on, the clock.
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "window/main/kov.h"
#include "window/platform/qt_text.h"
#include "window/widgets/colours.h"

namespace kov {

void KOV::Tp_Ut_Click(std::int16_t /*Index*/) {
  Pw->clear();
  Utente->clear();
  if (Tp_Ut[0]->isChecked()) {
    par_.Tipo_Utente = 0;
  } else if (Tp_Ut[1]->isChecked()) {
    par_.Tipo_Utente = 1;
  }
  if (par_.Tipo_Utente == 0) {
    Utente->setToolTip(QStringLiteral("Nome del'Amministratore di Sistema (") +
                       fromCp1252(par_.Utenti[0]) + QLatin1Char(')'));
  } else {
    Utente->setToolTip(QStringLiteral("Nome del Titolare del Trattamento (") +
                       fromCp1252(par_.Utenti[1]) + QLatin1Char(')'));
  }
  DiSabilita();
}

void KOV::DiSabilita() {
  Var_Par->setVisible(false);
  Frm_Par->setEnabled(false);
  Frm_KoV->setEnabled(false);
  Frm_TdT->setEnabled(false);
  Cmd_Op->setEnabled(false);
  Cmd_Gp->setEnabled(false);
  Acc_Ris->setEnabled(false);
  Var_Par->setChecked(false);
  for (QLineEdit* box : Opz_KOV) setBackground(box, Colour::ButtonFace);
  setBackground(Dt[1], Colour::ButtonFace);
  setBackground(Dt[2], Colour::ButtonFace);
  enableMenus(false);
}

void KOV::Abilita() {
  Cmd_VPw->setEnabled(true);
  if (par_.Tipo_Utente != 0) {
    Frm_TdT->setEnabled(true);
    Cmd_Gp->setEnabled(true);
    setBackground(Dt[1], Colour::White);
    setBackground(Dt[2], Colour::White);
  } else {
    Var_Par->setVisible(true);
    Frm_KoV->setEnabled(true);
    Cmd_Op->setEnabled(true);
    Op_Pi[0]->setChecked(true);
  }
  enableMenus(true);
}

Mode KOV::mode() const {
  if (par_.Utente_da_Attivare == 1) return Mode::AdministratorSetUp;
  if (par_.Utente_da_Attivare == 2) return Mode::ControllerSetUp;
  if (Frm_KoV->isEnabled()) return Mode::AdministratorSignedIn;
  if (Frm_TdT->isEnabled()) return Mode::ControllerSignedIn;
  // Nobody has signed in since the start while the password button is still disabled.
  return Cmd_VPw->isEnabled() ? Mode::SignedOut : Mode::RoleChoice;
}

void KOV::Timer1_Timer() {
  if (In_Caricamento != 0) return;
  const DateTime now = platform_.now();
  Data_G->setText(QString::fromStdString(platform_.regionalDate(now)));
  Ora_G->setText(QString::fromStdString(platform_.regionalTime(now)));
}

}  // namespace kov
