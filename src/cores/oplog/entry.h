// One entry of the recordings file as plain text, and the ways it is shown to the user.
//
// Positions (1-based): 1 reported flag, 2-11 date dd/MM/yyyy, 12-19 time HH:mm:ss,
// 20-33 workstation, 34-53 account, 54 on description (at most 200 characters).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "runtime/datetime.h"
#include "runtime/system_log.h"

namespace kov {

inline constexpr char kUnreported = 'N';
inline constexpr char kReported = 'S';
inline constexpr std::size_t kWorkstationWidth = 14;
inline constexpr std::size_t kAccountWidth = 20;

// The entry text of a new entry: flag "N", date, time, the workstation filled or cut to
// 14, the account to 20, the description without spaces at its ends.
std::string entryText(const DateTime& at, std::string_view workstation, std::string_view account,
                      std::string_view description);

// "|date|time|workstation|account|description", the fields as they lie in the entry.
std::string displayLine(std::string_view entry);

// The system log's copy of an entry that the recordings file holds as record `record`: its
// display line, and each field exactly as the entry holds it.
SystemLogEvent systemLogCopy(std::string_view entry, std::int64_t record);

// The confirmation of a saved entry: a fixed wording, a heading and the display line.
std::string confirmationText(std::string_view entry);

}  // namespace kov
