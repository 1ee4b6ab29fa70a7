// The copies the system log did not take: kept in a small file beside the data files and
// delivered, in their order, before any new copy, as soon as the log takes copies again.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "runtime/error.h"
#include "runtime/system_log.h"

namespace kov {

inline constexpr std::string_view kSpoolFile = "\\KoV.coda";
// About 250 copies: days of entries while the log is down, read and written whole.
inline constexpr std::size_t kSpoolLimit = std::size_t{256} * 1024;

// The copies waiting in the program folder `folder`; none when the file is missing. A
// damaged file gives the copies before the damage.
std::vector<SystemLogEvent> waitingCopies(std::string_view folder);
// Replaces the waiting copies; an empty list removes the file.
Error keepWaiting(std::string_view folder, const std::vector<SystemLogEvent>& copies);
// The bytes of the spool file holding `copies`: each copy its length in 8 bytes
// little-endian, then its message as the field MESSAGE and its fields, in the journal's
// binary form.
std::string spoolBytes(const std::vector<SystemLogEvent>& copies);

}  // namespace kov
