// Appends entries to the recordings file.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "cores/shared/kov_par.h"

namespace kov {

// The stored record of an entry text: scrambled into Riga_Record, then filled to 253
// characters and ended by "|" CR LF. False, with the scrambling's error shown, when the text
// cannot be scrambled: such an entry is never written, so no blank record is.
bool entryRecord(Platform& platform, Kov_Par& par, std::string_view entry);

// What became of an entry given to appendEntry.
enum class Appended {
  Done,     // appended, or each failing step shown; `records` tells which
  Refused,  // it cannot be scrambled: nothing appended, the scrambling's error shown
  Busy,     // another program held the recordings file past the limit: nothing appended or shown
};

// Appends an entry as one record to the recordings file (File_Rilevazioni becomes the
// program folder's "\OdV"), synced to the disk before this returns. A missing file is
// created, without the hidden attribute. An entry appended is copied to the system log. Each
// failing step is shown under "Scrive_Riga_di_Log" and the next one carried out. `records`
// receives the number of records the file holds after the append, or -1 when the record could
// not be written.
Appended appendEntry(Platform& platform, Kov_Par& par, std::string_view entry,
                     std::int64_t& records);

// The number of records of the recordings file `name`, without writing it: a missing file
// holds none. False when it cannot be read.
bool countRecordings(std::string_view name, std::int64_t& records);

}  // namespace kov
