// The recordings file on the main window: writing an entry and the count in N_Accessi.
#include <QLabel>
#include <QLineEdit>

#include "cores/oplog/entry.h"
#include "cores/oplog/log_writer.h"
#include "cores/oplog/texts.h"
#include "window/main/kov.h"
#include "window/platform/qt_text.h"

namespace kov {

std::string KOV::entryOfWindow() const {
  return entryText(platform_.now(), textOf(Opz_KOV[1]), textOf(Utente), textOf(Opz_KOV[0]));
}

bool KOV::Scrive_Riga_di_Log() {
  const std::string entry = entryOfWindow();
  std::int64_t records = -1;
  const Appended appended = appendEntry(platform_, par_, entry, records);
  if (appended == Appended::Busy) {
    showInformation(platform_, oplog_text::kRecordingsBusy, toCp1252(windowTitle()));
    return false;
  }
  if (appended == Appended::Done) {
    showInformation(platform_, confirmationText(entry), toCp1252(windowTitle()));
    showCount(records);
  }
  return true;
}

void KOV::showCount(std::int64_t records) {
  // The file's own count: a torn record filled before the entry counts too.
  if (records < 0) return;
  N_Accessi->setText(QString::number(records));
  // A screen reader says the label's name, not its text: the number goes with it.
  N_Accessi->setAccessibleDescription(N_Accessi->text());
}

void KOV::Leggi_Numero_Scritture() {
  std::int64_t records = 0;
  if (countRecordings(par_.File_Rilevazioni, records)) showCount(records);
}

}  // namespace kov
