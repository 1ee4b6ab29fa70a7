// The recordings file on the main window: writing an entry and the count in N_Accessi.
#include <QLabel>
#include <QLineEdit>

#include "oplog/entry.h"
#include "oplog/log_writer.h"
#include "shell/kov.h"
#include "shell/qt_text.h"
#include "shell/runtime/records.h"

namespace kov {

void KOV::Scrive_Riga_di_Log() {
  const std::string entry =
      entryText(platform_.now(), textOf(Opz_KOV[1]), textOf(Utente), textOf(Opz_KOV[0]));
  if (!appendEntry(platform_, par_, entry)) return;
  showInformation(platform_, confirmationText(entry), toCp1252(windowTitle()));
  // The counter holds the count or, when the file could not be counted, nothing: 0.
  N_Accessi->setText(QString::number(N_Accessi->text().toLongLong() + 1));
}

void KOV::Leggi_Numero_Scritture() {
  File file;
  std::int64_t count = 0;
  if (!file.open(par_.File_Rilevazioni, File::Mode::Update) && !countRecords(file, count)) {
    N_Accessi->setText(QString::number(count));
  }
}

}  // namespace kov
