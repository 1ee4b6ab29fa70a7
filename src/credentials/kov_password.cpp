// The password button and the parameter switch of the main window.
#include <QCheckBox>
#include <QGroupBox>
#include <QLineEdit>

#include "shell/colours.h"
#include "shell/kov.h"

namespace kov {

void KOV::Var_Par_Click() {
  const bool ticked = Var_Par->isChecked();
  Frm_Par->setEnabled(ticked);
  if (ticked) Acc_Ris->setEnabled(true);
  const Colour colour = ticked ? Colour::White : Colour::ButtonFace;
  for (std::size_t i = 1; i <= 3; ++i) setBackground(Opz_KOV[i], colour);
  setBackground(Acc_Ris, colour);
}

}  // namespace kov
