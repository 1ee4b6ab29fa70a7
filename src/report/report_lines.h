// What one report run writes: the report file's name, its lines, and the record that
// replaces a copied entry in the recordings file.
#pragma once

#include <string>
#include <string_view>

#include "shell/platform.h"

namespace kov {

// End key + "_" + hours and minutes of `time` ("HH:mm:ss") + "_" + base name, so
// 20261231_0905_Log.txt for a period ending on 31/12/2026 and a run at 09:05.
std::string reportFileName(std::string_view endKey, std::string_view time,
                           std::string_view baseName);

// The report line of an unscrambled entry: its date, time, workstation, account and
// description, each after a "|". Made a record, the description keeps 196 characters.
std::string reportLine(std::string_view entry);

// The record of an unscrambled entry marked reported: flag "S", spaces at both ends
// removed, scrambled, filled to 253 characters, "|" CR LF.
std::string reportedRecord(Platform& platform, std::string entry);

}  // namespace kov
