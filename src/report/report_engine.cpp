#include "report_engine.h"

#include <algorithm>
#include <vector>

#include "credentials/scramble.h"
#include "oplog/entry.h"
#include "period.h"
#include "report_name.h"
#include "shell/kov_par.h"
#include "shell/runtime/records.h"
#include "shell/runtime/text.h"
#include "texts.h"

namespace kov {
namespace {

constexpr std::string_view kScanProcedure = "Cmd_Gp_Click";
constexpr std::string_view kRecordProcedure = "Rw_Record";
constexpr std::int64_t kChunkRecords = 4096;  // 1 MiB per read
constexpr std::size_t kFlushBytes = std::size_t{1} << 20;
constexpr char kStoredAsSpace = ' ' - 2;

// A record as the writer leaves it: anything else is a torn append or not one of ours.
bool isWhole(std::string_view record) {
  return record.substr(kRecordText) == "|\r\n";
}

bool isNul(std::string_view record) {
  return std::all_of(record.begin(), record.end(), [](char c) { return c == '\0'; });
}

// The report's records, written in order through one handle opened with the first of
// them, so a run that copies nothing creates no file. The first failure is shown once and
// ends the writing.
class ReportWriter {
 public:
  ReportWriter(Platform& platform, const ReportRequest& request)
      : platform_(platform), request_(request) {}

  // Adds the record of a line.
  void add(std::string_view line) {
    if (failed_) return;
    appendRecordOf(pending_, line);
    if (pending_.size() >= kFlushBytes) flush();
  }

  // True when every record added is on the disk.
  bool finish() {
    flush();
    if (!failed_ && file_.isOpen()) failed_ = trapped(file_.sync());
    return !failed_;
  }

 private:
  void flush() {
    if (failed_ || pending_.empty()) return;
    if (!file_.isOpen()) {
      failed_ = trapped(isPortableFileName(request_.name)
                            ? file_.open(nativeName(request_.report()), File::Mode::Update)
                            : errorOf(err::kBadFileNumber));
    }
    if (!failed_) failed_ = trapped(file_.writeAt(written_, pending_));
    written_ += pending_.size();
    pending_.clear();
  }

  bool trapped(const Error& error) {
    if (error) showTrappedError(platform_, kRecordProcedure, error);
    return static_cast<bool>(error);
  }

  Platform& platform_;
  const ReportRequest& request_;
  File file_;
  std::string pending_;
  std::uint64_t written_ = 0;
  bool failed_ = false;
};

// The rewritten records of the copied entries, in the order of their numbers.
struct Marks {
  std::vector<std::int64_t> numbers;
  std::string records;
  std::int64_t wereUnreported = 0;  // of them, entries that carried "N"
  std::string scrambled;            // reused from entry to entry

  // The record of entry n marked reported: flag "S", spaces at both ends removed,
  // scrambled again. The entry came out of the unscrambling, so every code is at most 253
  // and the scrambling cannot fail.
  void add(Platform& platform, std::int64_t n, std::string& entry) {
    if (entry[0] == kUnreported) ++wereUnreported;
    entry[0] = kReported;
    std::string_view text = trimSpaces(mid(entry, 1, kRecordText));
    // Code 30 is stored as a space, which reading takes for fill: one space kept after it
    // keeps it in the entry. The entry had that space, or it would not end with code 30.
    if (text.back() == kStoredAsSpace) text = std::string_view(entry).substr(0, text.size() + 1);
    Cripta_Decripta(platform, "C", text, scrambled);
    appendRecordOf(records, scrambled);
    numbers.push_back(n);
  }

  // Runs of consecutive records go out in one write each; then one sync.
  Error writeTo(const File& file) const {
    for (std::size_t first = 0; first < numbers.size();) {
      std::size_t last = first + 1;
      while (last < numbers.size() && numbers[last] == numbers[last - 1] + 1) ++last;
      const std::string_view run =
          std::string_view(records).substr(first * kRecordSize, (last - first) * kRecordSize);
      if (Error error =
              file.writeAt(static_cast<std::uint64_t>(numbers[first] - 1) * kRecordSize, run)) {
        return error;
      }
      first = last;
    }
    return file.sync();
  }
};

class Scan {
 public:
  Scan(Platform& platform, const ReportRequest& request)
      : platform_(platform), request_(request), report_(platform, request) {}

  ReportOutcome run() {
    File recordings;
    std::int64_t count = 0;
    Error error = recordings.open(request_.recordings, File::Mode::Update);
    if (!error) error = countRecords(recordings, count);
    if (error) {
      showTrappedError(platform_, kScanProcedure, error);
      return outcome_;
    }
    // Room for every record at once: growing megabytes by doubling costs more than the scan.
    marks_.records.reserve(static_cast<std::size_t>(count) * kRecordSize);
    marks_.numbers.reserve(static_cast<std::size_t>(count));
    outcome_.complete = read(recordings, count);
    if (!report_.finish()) {
      outcome_.reportFailed = true;
      outcome_.unreported += marks_.wereUnreported;
      return outcome_;
    }
    outcome_.copied = static_cast<std::int64_t>(marks_.numbers.size());
    if (!marks_.numbers.empty()) {
      if (Error failed = marks_.writeTo(recordings)) {
        showTrappedError(platform_, kRecordProcedure, failed);
        outcome_.unreported += marks_.wereUnreported;
      }
    }
    return outcome_;
  }

 private:
  // Reads the records in large pieces; false when a read failed before the end.
  bool read(const File& recordings, std::int64_t count) {
    std::string chunk;
    for (std::int64_t first = 1; first <= count; first += kChunkRecords) {
      chunk.resize(static_cast<std::size_t>(std::min(kChunkRecords, count - first + 1)) *
                   kRecordSize);
      std::size_t got = 0;
      if (Error error = recordings.readAt(static_cast<std::uint64_t>(first - 1) * kRecordSize,
                                          chunk.data(), chunk.size(), got)) {
        showTrappedError(platform_, kScanProcedure, error);
        return false;
      }
      for (std::size_t at = 0; at + kRecordSize <= got; at += kRecordSize) {
        examine(first + static_cast<std::int64_t>(at / kRecordSize),
                std::string_view(chunk).substr(at, kRecordSize));
      }
      if (got < chunk.size()) break;  // the file was shortened meanwhile: its end
    }
    return true;
  }

  void examine(std::int64_t n, std::string_view record) {
    ++outcome_.records;
    if (isNul(record)) return;
    entry_.clear();
    if (isWhole(record)) {
      Cripta_Decripta(platform_, "D", trimSpaces(record.substr(0, kRecordText)), entry_);
    }
    if (entry_.empty()) {
      std::string text(report_text::kDamagedBefore);
      text += std::to_string(n);
      text += report_text::kDamagedAfter;
      platform_.message(Icon::Information, text, request_.title);
      return;
    }
    const std::string key = RovesciaData(mid(entry_, 2, 10));
    if (key > request_.end || key < request_.start) {
      if (entry_[0] == kUnreported) ++outcome_.unreported;
      return;
    }
    if (!request_.includeReported && entry_[0] == kReported) return;
    if (marks_.numbers.empty()) report_.add(report_text::kHeading);
    report_.add(displayLine(entry_));
    marks_.add(platform_, n, entry_);
  }

  Platform& platform_;
  const ReportRequest& request_;
  ReportWriter report_;
  Marks marks_;
  ReportOutcome outcome_;
  std::string entry_;  // the unscrambled entry, reused from record to record
};

}  // namespace

ReportOutcome generateReport(Platform& platform, const ReportRequest& request) {
  return Scan(platform, request).run();
}

}  // namespace kov
