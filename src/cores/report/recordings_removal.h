// The end of a report run that removes the recordings file: it is replaced, in one step, by
// a new file holding only the entry that logs the removal. No Qt here.
#pragma once

#include <cstdint>
#include <string_view>

#include "cores/oplog/copy_chain.h"

namespace kov {

enum class Removal {
  Done,         // replaced: the new file holds the removal entry alone
  EntriesLeft,  // kept: it holds entries the run has not seen
  Failed,       // kept; the failure has been shown
};

// Replaces the recordings file `name` by a new one holding `newRecord` (the removal entry's
// record), hidden, when it holds nothing the run has not accounted for: after the `scanned`
// records the run read, only `logged` (the record of the entry the run appended, if any) and
// records that no user ever saw confirmed (an append torn by a crash, filled with NULs). The
// check and the replacement hold the lock that every writer takes: an entry appended
// meanwhile by another copy of the program keeps the file, and a copy waiting to append writes
// into the new file. Once the new file is in place, shows "Il File delle scritture è stato
// Eliminato" titled `title`. Failures are shown as trapped errors of "Cmd_Gp_Click"; a lock
// that another program holds past the limit keeps the file, and the message says so.
// `removed` receives the links of the file removed, for the copy of the run.
Removal removeRecordings(Platform& platform, std::string_view name, std::int64_t scanned,
                         std::string_view logged, std::string_view newRecord,
                         std::string_view title, RecordLinks& removed);

}  // namespace kov
