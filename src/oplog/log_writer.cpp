#include "log_writer.h"

#include "credentials/scramble.h"
#include "shell/runtime/records.h"

namespace kov {

bool appendEntry(Platform& platform, Kov_Par& par, std::string_view entry) {
  par.File_Rilevazioni = platform.programFolder() + std::string(kRecordingsFile);
  Cripta_Decripta(platform, "C", entry, par.Riga_Record);
  if (par.Riga_Record.empty()) return false;
  par.Riga_Record = recordOf(par.Riga_Record);

  const auto trap = [&](const Error& error) {
    if (error) showTrappedError(platform, "Scrive_Riga_di_Log", error);
  };
  File file;
  trap(file.open(par.File_Rilevazioni, File::Mode::Append));
  trap(file.appendRecord(par.Riga_Record));
  if (file.isOpen()) trap(file.sync());
  return true;
}

}  // namespace kov
