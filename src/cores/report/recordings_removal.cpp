#include "recordings_removal.h"

#include "cores/shared/kov_par.h"
#include "runtime/records.h"
#include "texts.h"

namespace kov {
namespace {

constexpr std::string_view kProcedure = "Cmd_Gp_Click";

// A record no user saw confirmed: the writer syncs a whole record before it confirms it, and
// the next append fills a torn one with NULs. A short piece at the end that ends a line is no
// torn append (that never reaches the record's last byte, its LF) but a record a copy made one
// byte short: it may hold an entry.
bool neverConfirmed(std::string_view record) {
  if (record.size() < kRecordSize) return record.empty() || record.back() != '\n';
  return record.back() == '\0';
}

// True when everything after the first `scanned` records was accounted for by the run.
Error onlyAccountedFor(const File& file, std::int64_t scanned, std::string_view logged,
                       bool& accounted) {
  accounted = false;
  std::uint64_t size = 0;
  if (Error error = file.size(size)) return error;
  // Shorter than the run read it: replaced meanwhile, by a file the run has not seen.
  if (size < static_cast<std::uint64_t>(scanned) * kRecordSize) return {};
  bool loggedSeen = false;
  std::string record(kRecordSize, '\0');
  for (auto offset = static_cast<std::uint64_t>(scanned) * kRecordSize; offset < size;
       offset += kRecordSize) {
    std::size_t got = 0;
    if (Error error = file.readAt(offset, record.data(), kRecordSize, got)) return error;
    const std::string_view read = std::string_view(record).substr(0, got);
    if (!loggedSeen && read == logged) {
      loggedSeen = true;
    } else if (!neverConfirmed(read)) {
      return {};
    }
  }
  accounted = true;
  return {};
}

}  // namespace

Removal removeRecordings(Platform& platform, std::string_view name, std::int64_t scanned,
                         std::string_view logged, std::string_view newRecord,
                         std::string_view title, RecordLinks& removed) {
  const auto trapped = [&](const Error& error) {
    if (error) showTrappedError(platform, kProcedure, error);
    return static_cast<bool>(error);
  };
  File file;
  bool accounted = false;
  bool held = false;
  Error error = file.open(name, File::Mode::Read);
  if (!error) error = file.lock(recordingsLockWait(platform, held));
  if (held) {
    showInformation(platform, report_text::kKeptBusy, title);
    return Removal::Failed;
  }
  if (!error) error = onlyAccountedFor(file, scanned, logged, accounted);
  if (trapped(error)) return Removal::Failed;
  if (!accounted) return Removal::EntriesLeft;
  removed = recordLinks(platform, file);
  trapped(clearAttributes(name));  // Windows refuses to replace a read-only file
  if (trapped(replaceFile(file, name, newRecord))) return Removal::Failed;
  file.close();
  platform.message(Icon::Information, report_text::kDeleted, title);
  return Removal::Done;
}

}  // namespace kov
