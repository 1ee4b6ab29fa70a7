// The columns of the log viewer and the texts of a row, in Windows-1252. No Qt here.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace kov {

enum class LogColumn { Record, Date, Time, Workstation, Account, Description, Reported };
inline constexpr int kLogColumns = 7;

// A column of an entry as it lies in it: the workstation and the account without their fill
// spaces, the reported flag "S" or "N". Empty for the record's number.
std::string_view entryField(std::string_view entry, LogColumn column);

// A column of the row of record `record` as the viewer shows it; `entry` is empty for a
// damaged record, which has its number and "danneggiata" as its description.
std::string logField(std::uint32_t record, std::string_view entry, LogColumn column);

}  // namespace kov
