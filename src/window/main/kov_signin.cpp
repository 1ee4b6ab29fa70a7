// Signing in: the focus events of the user box and the password box. There is no sign-in
// button; leaving each box checks what was typed.
#include <QLineEdit>
#include <QRadioButton>

#include "cores/credentials/texts.h"
#include "cores/oplog/copy_chain.h"
#include "cores/oplog/event_copies.h"
#include "runtime/text.h"
#include "window/dialogs/pw_kov.h"
#include "window/main/kov.h"
#include "window/platform/qt_text.h"
#include "window/widgets/colours.h"

namespace kov {

// Entering the user box signs out, as entering the password box does: the account box is
// emptied here, and no entry may be saved without the account of who wrote it.
void KOV::Utente_GotFocus() {
  if (par_.Utente_da_Attivare == 0) DiSabilita();
  Utente->clear();
  Pw->clear();
  Utente->setCursorPosition(0);
  Utente->selectAll();
  setBackground(Utente, Colour::Yellow);
}

void KOV::Utente_LostFocus() {
  setBackground(Utente, Colour::White);
  setTextOf(Utente, trimSpaces(textOf(Utente)));
  const std::string typed = textOf(Utente);
  if (typed.empty() || par_.Utente_da_Attivare != 0) return;
  if (toUpper1252(typed) != toUpper1252(par_.Utenti[static_cast<std::size_t>(par_.Tipo_Utente)])) {
    copyRefusal(SignInRefusal::Account);
    showInformation(platform_, texts::kUnknownUser, toCp1252(windowTitle()));
    Utente->setFocus();
  }
}

void KOV::copyRefusal(SignInRefusal refusal) {
  const std::string account = textOf(Utente);
  const std::string workstation = platform_.computerName();
  sendCopy(platform_,
           signInRefusedCopy(
               {platform_.now(), par_.Tipo_Utente, account, workstation, Utente_Windows}, refusal));
}

void KOV::Pw_GotFocus() {
  if (Utente->text().isEmpty()) {
    Utente->setFocus();
    return;
  }
  if (par_.Utente_da_Attivare == 0) DiSabilita();
  Pw->clear();
  Pw->setCursorPosition(0);
  Pw->selectAll();
  setBackground(Pw, Colour::Yellow);
}

void KOV::lockWhenIdle() {
  if (par_.Utente_da_Attivare != 0) return;  // a first set-up signs nobody in
  if (std::string comment = unsavedComment(); !comment.empty()) keptComment_ = std::move(comment);
  DiSabilita();
  Pw->clear();
  Pw->setFocus();
  if (auto* dialog = findChild<Pw_Kov*>()) dialog->setEnabled(false);
}

void KOV::Pw_LostFocus() {
  setBackground(Pw, Colour::White);
  setTextOf(Pw, trimSpaces(textOf(Pw)));
  const std::string typed = textOf(Pw);
  if (typed.empty() || par_.Utente_da_Attivare != 0) return;
  if (typed != par_.Pw_Utenti[static_cast<std::size_t>(par_.Tipo_Utente)]) {
    copyRefusal(SignInRefusal::Password);
    showInformation(platform_, texts::kWrongPassword, toCp1252(windowTitle()));
    Pw->setFocus();
    return;
  }
  Abilita();
  if (par_.Tipo_Utente != 0) {
    Dt[1]->setFocus();
  } else {
    Op_Pi[0]->setChecked(true);
    Assegna_Val_Op_Pi();
    // A comment the idle sign-out kept comes back instead of the proposal, ready to go on.
    commentGivenBack_ = !keptComment_.empty();
    if (commentGivenBack_) setTextOf(Opz_KOV[0], keptComment_);
    keptComment_.clear();
    Opz_KOV[0]->setFocus();
  }
}

}  // namespace kov
