#include "report_run.h"

#include "cores/oplog/entry.h"
#include "cores/oplog/log_writer.h"
#include "recordings_removal.h"
#include "texts.h"

namespace kov {
namespace {

// Removes the recordings file when the run saw all of it, copied every entry of it and found
// no damaged record; otherwise keeps it and says why. True when it was removed.
bool removeIfDone(Platform& platform, Kov_Par& par, const ReportOutcome& outcome,
                  std::string_view logged, const ReportWindow& window, std::string_view title,
                  RecordLinks& removed) {
  // A file read only in part may hold unreported entries the run did not see, and a damaged
  // record an entry nobody can read any more: the file is kept to recover it.
  const bool entriesLeft = !outcome.complete || outcome.unreported > 0;
  const std::string entry = window.entryOf(report_text::kRemovedEntry);
  if (!entriesLeft && outcome.damaged) {
    showInformation(platform, report_text::kKeptDamaged, title);
    return false;
  }
  Removal removal = Removal::EntriesLeft;
  if (!entriesLeft && entryRecord(platform, par, entry)) {
    removal = removeRecordings(platform, par.File_Rilevazioni, outcome.records, logged,
                               par.Riga_Record, title, removed);
  }
  if (removal == Removal::EntriesLeft) showInformation(platform, report_text::kNotDeleted, title);
  if (removal != Removal::Done) return false;
  // The new file holds the removal entry alone.
  sendCopy(platform, systemLogCopy(entry, 1), AppendedRecord{par.Riga_Record, 1});
  showInformation(platform, confirmationText(entry), title);
  window.showCount(1);
  return true;
}

// The system log's copy of the run: what it did, as counted, and what the file it removed
// held (its count, its first and last record's links).
SystemLogEvent runCopy(const ReportRun& run, const ReportOutcome& outcome, bool removed,
                       const RecordLinks& links) {
  const auto flag = [](bool set) { return std::string(set ? "S" : "N"); };
  const std::string report = cp1252FromNative(nativeName(run.request.report()));
  SystemLogEvent copy{
      report_text::reportRun(run.from, run.to, outcome.copied, report, outcome.unreported, removed),
      {{"KOV_EVENT", "REPORT"},
       {"KOV_FROM", run.from},
       {"KOV_TO", run.to},
       {"KOV_REPORT", report},
       {"KOV_RECORDS", std::to_string(outcome.records)},
       {"KOV_COPIED", std::to_string(outcome.copied)},
       {"KOV_UNREPORTED", std::to_string(outcome.unreported)},
       {"KOV_COMPLETE", flag(outcome.complete)},
       {"KOV_REPORT_FAILED", flag(outcome.reportFailed)},
       {"KOV_DAMAGED", flag(outcome.damaged)},
       {"KOV_REMOVED", flag(removed)}}};
  if (removed) {
    copy.fields.emplace_back("KOV_REMOVED_RECORDS", std::to_string(links.records));
    copy.fields.emplace_back("KOV_REMOVED_FIRST_LINK", hexOf(links.first));
    copy.fields.emplace_back("KOV_REMOVED_LAST_LINK", hexOf(links.last));
  }
  return copy;
}

}  // namespace

void runReport(Platform& platform, Kov_Par& par, const ReportRun& run, const ReportWindow& window) {
  const std::string& title = run.request.title;
  const ReportOutcome outcome = generateReport(platform, run.request);
  std::string logged;  // the record of the entry appended after the scan
  if (outcome.copied > 0) {
    showInformation(platform, report_text::entriesFound(outcome.copied, run.request.report()),
                    title);
    window.reportWritten(outcome.copied);
    window.logEntry(report_text::reportCreated(run.from, run.to));
    logged = par.Riga_Record;
  } else if (outcome.complete && !outcome.reportFailed) {
    // Only a scan that saw every entry can tell that none was found.
    showInformation(platform, report_text::kNothingFound, title);
  }
  if (outcome.unreported > 0) {
    showInformation(platform, report_text::entriesLeft(outcome.unreported), title);
  }
  RecordLinks links;
  const bool removed =
      run.remove && removeIfDone(platform, par, outcome, logged, window, title, links);
  sendCopy(platform, runCopy(run, outcome, removed, links));
  std::int64_t records = 0;
  if (!removed && countRecordings(par.File_Rilevazioni, records) && records > kClassicRecordLimit) {
    showInformation(platform, report_text::overClassicLimit(records), title);
  }
}

}  // namespace kov
