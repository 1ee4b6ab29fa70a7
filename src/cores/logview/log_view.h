// The recordings file as the log viewer lists it: every record read as the report reads it,
// and the file never written. No Qt here.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "cores/shared/platform.h"

namespace kov {

struct LogRow {
  std::int64_t record = 0;  // the record's number in the file, from 1
  std::string entry;        // the unscrambled entry; empty for a damaged record
  bool damaged() const { return entry.empty(); }
};

enum class LogColumn { Record, Date, Time, Workstation, Account, Description, Reported };
inline constexpr int kLogColumns = 7;

// A column of a row as the viewer shows it, in Windows-1252: the workstation and the account
// without their fill spaces, the reported flag "S" or "N"; a damaged record has its number
// and "danneggiata" as its description.
std::string logField(const LogRow& row, LogColumn column);

struct LogFilter {
  std::string from, to;  // period keys yyyymmdd, compared as texts; an empty one is open
  std::string text;  // found in any column but the reported flag, letter case aside; Windows-1252
  std::string account;  // the only account shown, letter case and fill spaces aside; empty: all
};

// The indices of the rows the filter lets through, in order. Damaged records pass the
// period and the account, which they do not tell: a reader of the log sees every one of
// them, by its number.
std::vector<std::size_t> filterLog(const std::vector<LogRow>& rows, const LogFilter& filter);

// Every record but the empty ones, the entries sorted by date and time (ties by record
// number), then the damaged records by number. The file is opened for reading only, and a
// missing file is an empty log. A failure to open or read it is shown as a trapped error
// (the rows read before a failed read are kept); a file of more records than the report
// reads is refused unread with the report's message, in a box titled `title`.
std::vector<LogRow> readLog(Platform& platform, const std::string& recordings,
                            std::string_view title);

}  // namespace kov
