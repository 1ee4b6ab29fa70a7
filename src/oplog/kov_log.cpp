// The recordings file on the main window: the count shown in N_Accessi.
#include <QLabel>

#include "shell/kov.h"
#include "shell/runtime/records.h"

namespace kov {

void KOV::Leggi_Numero_Scritture() {
  File file;
  std::int64_t count = 0;
  if (!file.open(par_.File_Rilevazioni, File::Mode::Update) && !countRecords(file, count)) {
    N_Accessi->setText(QString::number(count));
  }
}

}  // namespace kov
