// The end of a report run that removes the recordings file: deleted, and started anew
// empty and hidden. No Qt here.
#pragma once

#include <cstdint>
#include <string_view>

#include "shell/platform.h"

namespace kov {

enum class Removal {
  Done,         // deleted (and, unless a failure was shown, started anew): log the removal
  EntriesLeft,  // kept: it holds entries the run has not seen
  Failed,       // kept; the failure has been shown
};

// Removes the recordings file when it still holds exactly the `expectedRecords` that the
// run accounted for: an entry appended meanwhile by another copy of the program has not
// been reported and keeps the file. Between the deletion and the new file it shows
// "Il File delle scritture è stato Eliminato" titled `title`. Failures are shown as
// trapped errors of "Cmd_Gp_Click".
Removal removeRecordings(Platform& platform, std::string_view name, std::int64_t expectedRecords,
                         std::string_view title);

}  // namespace kov
