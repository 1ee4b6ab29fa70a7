// The report run over the recordings file: the entries of a period go into a report file
// and are marked reported. No Qt here.
//
// An entry is marked reported only once its report line is on the disk: all the report's
// lines are written through one handle and synced, and only then are the copied entries'
// records rewritten, through the scan's own handle, and synced. A run stopped at any
// moment leaves every entry either still unreported or in a report file.
#pragma once

#include <cstdint>
#include <string>

#include "cores/shared/platform.h"

namespace kov {

// Earlier versions number records with 16-bit integers and reach no further.
inline constexpr std::int64_t kClassicRecordLimit = 32767;
// A recordings file of more records (1 GiB) is none the program could have written: it is
// refused unread. An office writes a few thousand entries a year.
inline constexpr std::int64_t kRecordLimit = std::int64_t{1} << 22;

struct ReportRequest {
  std::string recordings;  // the recordings file's full name, native
  std::string folder;      // the report folder, ending with its separator
  std::string name;        // the report file's name in it
  std::string start;       // period keys, yyyymmdd, compared as texts
  std::string end;
  bool includeReported = false;  // copy the period's entries already reported, too
  std::string title;             // title of the information boxes

  std::string report() const { return folder + name; }  // the report file's full name
};

struct ReportOutcome {
  std::int64_t records = 0;  // records the scan went through
  std::int64_t copied = 0;   // entries now in the report file and marked reported
  // Entries the run leaves with the flag "N": those outside the period, and the copied
  // ones when the report or their rewrite failed.
  std::int64_t unreported = 0;
  bool reportFailed = false;  // the report could not be written, so nothing was marked
  bool complete = false;      // the recordings file was read to its end
  // A damaged record may hold an entry that was confirmed: the file must be kept for it.
  bool damaged = false;
};

// Scans every record of the recordings file. A record of NULs is skipped; a record whose
// first 253 characters do not unscramble to an entry is shown as damaged, by its number,
// and skipped. File failures are shown as trapped errors, each once: "Cmd_Gp_Click" for
// the scan's open and reads, "Rw_Record" for the report's writes and the rewrites. A report
// name that Windows would refuse is such a failure, error 52. A report of the same name,
// or a recordings file of more than kRecordLimit records, is refused with a message.
ReportOutcome generateReport(Platform& platform, const ReportRequest& request);

}  // namespace kov
