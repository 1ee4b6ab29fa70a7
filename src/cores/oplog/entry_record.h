// How a record of the recordings file reads: the rules the report and the log viewer share.
#pragma once

#include <string>
#include <string_view>

namespace kov {

enum class RecordRead {
  Empty,        // 256 NULs: a record never written, skipped without a word
  Entry,        // its first 253 characters unscramble to an entry
  Damaged,      // anything else: shown as damaged, by its number
  Unshiftable,  // damaged, its intact record holding a code the unscrambling refuses
};

// An unscrambled text that has the shape of an entry: the flag "N" or "S", a date
// dd/MM/yyyy, a time of two-digit hours, minutes and seconds between two equal separators
// (":" here; the workstation's own time separator in older installations). The 256 bytes
// read from a file whose records were shifted (a copy that turned CR LF into LF) begin
// inside an entry's date, and fail here.
bool isEntry(std::string_view entry);

// Reads a 256-byte record; `entry` receives the unscrambled entry when it is one and is
// empty otherwise.
RecordRead readEntry(std::string_view record, std::string& entry);

}  // namespace kov
