// The administrator's entries: the planned operations and saving a comment.
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "cores/oplog/texts.h"
#include "runtime/text.h"
#include "window/main/kov.h"
#include "window/platform/qt_text.h"
#include "window/widgets/colours.h"

namespace kov {

void KOV::Assegna_Val_Op_Pi() {
  if (par_.Utente_da_Attivare != 0) return;
  // The proposed wording is stored with the entry, so the date goes into Windows-1252.
  const std::string today =
      toCp1252(QString::fromStdString(platform_.regionalDate(platform_.now())));
  if (Op_Pi[0]->isChecked()) {
    setTextOf(Opz_KOV[0], oplog_text::backupChecked(today));
  } else if (Op_Pi[1]->isChecked()) {
    setTextOf(Opz_KOV[0], oplog_text::databaseRestored(today));
  } else if (Op_Pi[2]->isChecked()) {
    setTextOf(Opz_KOV[0], oplog_text::kCredentialsChecked);
  } else if (Op_Pi[3]->isChecked()) {
    Opz_KOV[0]->clear();
  }
  proposed_ = textOf(Opz_KOV[0]);
}

std::string KOV::unsavedComment() const {
  const std::string text = textOf(Opz_KOV[0]);
  const std::string_view typed = trimSpaces(text);
  return typed == trimSpaces(proposed_) ? std::string() : std::string(typed);
}

void KOV::Op_Pi_Click(std::int16_t /*Index*/) {
  Assegna_Val_Op_Pi();
  setBackground(Opz_KOV[0], Colour::White);
  Opz_KOV[0]->setEnabled(true);
  Opz_KOV[0]->setFocus();
}

void KOV::Cmd_Op_Click() {
  if (trimSpaces(textOf(Opz_KOV[0])).empty()) {
    showInformation(platform_, oplog_text::kCommentMissing, toCp1252(windowTitle()));
    Opz_KOV[0]->setFocus();
    return;
  }
  if (!Scrive_Riga_di_Log()) {
    Opz_KOV[0]->setFocus();  // the comment stays, to be saved again
    return;
  }
  Opz_KOV[0]->clear();
  Pw->clear();
  Pw->setFocus();
}

}  // namespace kov
