// What one report run names and rewrites: the report file's name, and the record that
// replaces a copied entry in the recordings file. A report line is the entry's display
// line (oplog/entry.h); made a record, its description keeps 196 characters.
#pragma once

#include <string>
#include <string_view>

#include "shell/platform.h"

namespace kov {

// End key + "_" + hours and minutes of `time` ("HH:mm:ss") + "_" + base name, so
// 20261231_0905_Log.txt for a period ending on 31/12/2026 and a run at 09:05.
std::string reportFileName(std::string_view endKey, std::string_view time,
                           std::string_view baseName);

// The record of an unscrambled entry marked reported: flag "S", spaces at both ends
// removed, scrambled, filled to 253 characters, "|" CR LF.
std::string reportedRecord(Platform& platform, std::string entry);

}  // namespace kov
