// What the log viewer keeps of the recordings file: a few bytes a record, enough to list,
// sort by date and filter by period without the texts, which are read again from the file
// for the rows on screen. The file is opened for reading only, for one operation at a time.
// No Qt here.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <stop_token>
#include <string>
#include <string_view>
#include <vector>

#include "cores/oplog/entry_record.h"
#include "cores/shared/platform.h"
#include "runtime/file.h"
#include "runtime/records.h"

namespace kov {

// A record as the list knows it, in 8 bytes: empty, an entry or damaged; an entry's reported
// flag and its date and time as the number yyyymmddhhmmss, whatever the time separator.
class RecordKey {
 public:
  enum class Kind : std::uint8_t { Empty, Entry, Damaged };

  RecordKey() = default;
  // `entry` as readEntry gave it for `read`.
  RecordKey(RecordRead read, std::string_view entry);

  Kind kind() const { return static_cast<Kind>(bits_ >> kKindShift); }
  bool reported() const { return ((bits_ >> kReportedShift) & 1U) != 0; }
  std::uint64_t dateTime() const { return bits_ & kDateTimeMask; }
  std::uint32_t day() const { return static_cast<std::uint32_t>(dateTime() / 1000000); }
  std::uint32_t timeOfDay() const { return static_cast<std::uint32_t>(dateTime() % 1000000); }
  bool operator==(const RecordKey&) const = default;

 private:
  static constexpr int kReportedShift = 47;
  static constexpr int kKindShift = 48;
  static constexpr std::uint64_t kDateTimeMask = (std::uint64_t{1} << kReportedShift) - 1;
  std::uint64_t bits_ = 0;
};

struct LogIndex {
  std::string recordings;             // the file's full name, native
  std::vector<RecordKey> keys;        // every record read, by number - 1
  std::size_t written = 0;            // the records that are not empty, listed or not
  std::vector<std::uint32_t> listed;  // the numbers of the records the list holds, ascending

  RecordKey key(std::uint32_t record) const { return keys[record - 1]; }
};

struct LoadedLog {
  std::shared_ptr<const LogIndex> index;  // never null
  Error error;               // the open or a read failed: the records read before it are kept
  std::int64_t refused = 0;  // the records of a file too large, refused unread
};

// Reads the recordings file in 1 MiB pieces, every record through readEntry. The list holds
// every record but the empty ones; with `onlyAccount` not empty, of the entries only those of
// that account, letter case and fill spaces aside (damaged records, which cannot tell their
// account, stay). A missing file is an empty log; a file of more records than the report
// reads is refused unread. A stop request ends the reading early.
LoadedLog loadLog(const std::string& recordings, std::string_view onlyAccount,
                  const std::stop_token& stop);

// Shows what went wrong in a load, if anything: the trapped error of "Visualizza_Registro",
// or the report's refusal of a file too large, in a box titled `title`.
void showLoadFailure(Platform& platform, const LoadedLog& loaded, std::string_view title);

// How a later reading of the file ended.
struct Scan {
  Error error;           // a read failed
  bool changed = false;  // a record no longer reads as the index knows it
  bool stopped = false;  // a stop request ended it
  bool done() const { return !error && !changed && !stopped; }
};

// The numbers of the records to read, ascending, one at each call; 0 after the last.
using RecordSource = std::function<std::uint32_t()>;
// The records of `ascending`, which must outlive the source.
RecordSource recordsIn(const std::vector<std::uint32_t>& ascending);
// The listed records of `index` that `wanted` keeps, each asked once.
RecordSource listedWhere(const LogIndex& index, std::function<bool(std::uint32_t)> wanted);

// Reads the records `next` gives of the open file, consecutive ones together in pieces of at
// most 1 MiB, and hands each to `visit(record, bytes)`, which answers whether the record still
// reads as the index knows it. A record that does not, or that the file no longer holds whole,
// ends the reading as a change. A stop request is heard between pieces.
Scan readRecords(const File& file, const RecordSource& next, const std::stop_token& stop,
                 const std::function<bool(std::uint32_t, std::string_view)>& visit);

// Opens the index's file and reads the records `next` gives as readRecords does, each through
// readEntry: `visit(record, entry)` gets the entries and damaged records that still read as
// the index knows them; any other ends the reading as a change.
Scan readListed(const LogIndex& index, const RecordSource& next, const std::stop_token& stop,
                const std::function<void(std::uint32_t, std::string_view)>& visit);

}  // namespace kov
