// The password button and the parameter switch of the main window: the first set-up of a
// role, and the password change through the password dialog.
#include <QCheckBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QTimer>

#include "cores/credentials/password_button.h"
#include "cores/credentials/texts.h"
#include "cores/oplog/copy_chain.h"
#include "window/dialogs/pw_kov.h"
#include "window/main/kov.h"
#include "window/platform/qt_text.h"
#include "window/widgets/colours.h"

namespace kov {

void KOV::Cmd_VPw_Click() {
  // The boxes in the order of Entry.
  const std::array<QLineEdit*, 5> boxes{Utente, Pw, Opz_KOV[1], Opz_KOV[2], Opz_KOV[3]};
  const auto refused = [&](const std::optional<EntryRefusal>& refusal) {
    if (!refusal) return false;
    showInformation(platform_, refusal->message, toCp1252(windowTitle()));
    boxes.at(static_cast<std::size_t>(refusal->field))->setFocus();
    return true;
  };
  // The log writer takes its description from the comment box.
  const auto log = [this](std::string_view description) {
    setTextOf(Opz_KOV[0], description);
    Scrive_Riga_di_Log();
    Opz_KOV[0]->clear();
  };

  par_.Parametri_Postazione.clear();
  const UserEntries entries{textOf(Utente), textOf(Pw),
                            WorkstationParameters{textOf(Opz_KOV[1]), Acc_Ris->isChecked(),
                                                  textOf(Opz_KOV[2]), textOf(Opz_KOV[3])}};
  if (par_.Utente_da_Attivare != 0) {
    if (refused(setUpRefusal(par_.Utente_da_Attivare, entries))) return;
    setUpDone_ = storeSetUp(platform_, par_, entries);
    log(texts::kUserActivated);
    close();
    return;
  }

  if (refused(changeRefusal(par_.Tipo_Utente, entries.user, entries.password))) return;
  if (Var_Par->isChecked()) {
    if (refused(parametersRefusal(entries.parameters))) return;
    par_.Parametri_Postazione = pendingParameters(entries.parameters);
    Var_Par->setChecked(false);
  }
  Timer1->stop();
  bool stored = false;
  {
    Pw_Kov dialog(par_, platform_, this);
    dialog.exec();
    stored = dialog.stored();
  }
  // The recordings file says only that the password changed; the system log's copy says
  // what the parameters were and what they are.
  if (stored && !par_.Parametri_Postazione.empty()) {
    sendCopy(platform_, parametersCopy(platform_.now(), par_.Utenti[0], storedParameters_,
                                       entries.parameters));
    storedParameters_ = entries.parameters;
  }
  Timer1->start();
  // Without a window manager nothing gives the window back its activation.
  activateWindow();
  // Entering the password box signs the user out: he signs in again, with the new password.
  Pw->setFocus();
  log(texts::kPasswordChanged);
}

void KOV::Var_Par_Click() {
  const bool ticked = Var_Par->isChecked();
  Frm_Par->setEnabled(ticked);
  if (ticked) Acc_Ris->setEnabled(true);
  const Colour colour = ticked ? Colour::White : Colour::ButtonFace;
  for (std::size_t i = 1; i <= 3; ++i) setBackground(Opz_KOV[i], colour);
  setBackground(Acc_Ris, colour);
}

}  // namespace kov
