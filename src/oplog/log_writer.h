// Appends entries to the recordings file.
#pragma once

#include <string_view>

#include "shell/kov_par.h"

namespace kov {

// Scrambles an entry text into Riga_Record and appends it as one record to the
// recordings file (File_Rilevazioni becomes the program folder + "\OdV"), synced to the
// disk before this returns. A missing file is created, without the hidden attribute. Each
// failing step is shown under "Scrive_Riga_di_Log" and the next one carried out. An entry
// that cannot be scrambled is not appended at all (false), so no blank record is written.
bool appendEntry(Platform& platform, Kov_Par& par, std::string_view entry);

}  // namespace kov
