#include "report_engine.h"

#include <algorithm>
#include <vector>

#include "cores/credentials/scramble.h"
#include "cores/oplog/entry.h"
#include "cores/oplog/entry_record.h"
#include "cores/shared/kov_par.h"
#include "period.h"
#include "report_name.h"
#include "runtime/records.h"
#include "runtime/text.h"
#include "texts.h"

namespace kov {
namespace {

constexpr std::string_view kScanProcedure = "Cmd_Gp_Click";
constexpr std::string_view kRecordProcedure = "Rw_Record";
constexpr std::int64_t kChunkRecords = 4096;  // 1 MiB per read
constexpr std::size_t kFlushBytes = std::size_t{1} << 20;
constexpr char kStoredAsSpace = ' ' - 2;

// True when the record's own "|" CR LF was hit (at least two of the three bytes intact),
// so a rewrite restores it. A record one byte short keeps only its bar there: its last
// byte is the next record's first, which a rewrite must not touch.
bool endIsOwn(std::string_view record) {
  int intact = 0;
  for (std::size_t i = 0; i < kRecordEnd.size(); ++i) {
    intact += record[kRecordText + i] == kRecordEnd[i];
  }
  return intact >= 2;
}

// A damaged record that cannot hold an entry anybody saw confirmed: spaces only (the record
// of a text that could not be scrambled), or an append torn by a crash, whose bytes from
// some point to its end are the NULs the next append filled it with.
bool holdsNoEntry(std::string_view record) {
  if (record.substr(0, kRecordText).find_first_not_of(' ') == std::string_view::npos) return true;
  const std::size_t last = record.find_last_not_of('\0');
  return last == std::string_view::npos ||
         (last + 1 < record.size() && record.substr(0, last).find('\0') == std::string_view::npos);
}

// The report's records, written in order through one handle opened with the first of
// them, so a run that copies nothing creates no file. The file is always a new one: a
// report of the same name is never written over. The first failure is shown once and ends
// the writing, and a report that failed is removed: the run created it, and none of its
// lines may pass for a report.
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

  // True when every record added is on the disk, with the report's folder entry.
  bool finish() {
    flush();
    if (!failed_ && file_.isOpen()) failed_ = trapped(file_.sync()) || trapped(file_.syncFolder());
    if (failed_ && file_.isOpen()) {
      file_.close();
      trapped(deleteFile(native_));
    }
    return !failed_;
  }

 private:
  void flush() {
    if (failed_ || pending_.empty()) return;
    if (!file_.isOpen()) {
      native_ = nativeName(request_.report());
      const Error error = isPortableFileName(request_.name)
                              ? file_.open(native_, File::Mode::Create)
                              : errorOf(err::kBadFileNumber);
      if (error.number == err::kFileExists) {
        showInformation(platform_, report_text::reportExists(request_.report()), request_.title);
        failed_ = true;
      } else {
        failed_ = trapped(error);
      }
      if (error.number == err::kPathNotFound) {
        showInformation(platform_, report_text::folderMissing(request_.folder), request_.title);
      }
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
  std::string native_;  // the report file's name as the system spells it
  File file_;
  std::string pending_;
  std::uint64_t written_ = 0;
  bool failed_ = false;
};

// The copied entries to mark reported, kept as runs of record numbers: a run's records
// are read again and rewritten once the report is on the disk, a piece at a time.
class Marks {
 public:
  void add(std::int64_t n, char flag) {
    if (flag == kUnreported) ++wereUnreported_;
    ++count_;
    if (!runs_.empty() && runs_.back().last + 1 == n) {
      runs_.back().last = n;
    } else {
      runs_.push_back({n, n});
    }
  }
  std::int64_t count() const { return count_; }
  std::int64_t wereUnreported() const { return wereUnreported_; }

  // Rewrites every record to mark, each piece in one write; then one sync.
  Error writeTo(Platform& platform, const File& file) {
    std::string piece;
    for (const Run& run : runs_) {
      for (std::int64_t first = run.first; first <= run.last; first += kChunkRecords) {
        piece.resize(static_cast<std::size_t>(std::min(kChunkRecords, run.last - first + 1)) *
                     kRecordSize);
        const auto offset = static_cast<std::uint64_t>(first - 1) * kRecordSize;
        std::size_t got = 0;
        if (Error error = file.readAt(offset, piece.data(), piece.size(), got)) return error;
        piece.resize(got - got % kRecordSize);  // a file shortened meanwhile ends here
        for (std::size_t at = 0; at < piece.size(); at += kRecordSize) mark(platform, &piece[at]);
        if (Error error = file.writeAt(offset, piece)) return error;
      }
    }
    return file.sync();
  }

 private:
  struct Run {
    std::int64_t first, last;
  };

  // The record marked reported: flag "S", spaces at both ends removed, scrambled again.
  // The entry came out of the unscrambling, so every code is at most 253 and the
  // scrambling cannot fail. A record that is no entry any more is left as it is.
  void mark(Platform& platform, char* record) {
    const std::string_view was(record, kRecordSize);
    Cripta_Decripta(platform, "D", trimSpaces(was.substr(0, kRecordText)), entry_);
    if (!isEntry(entry_)) return;
    entry_[0] = kReported;
    std::string_view text = trimSpaces(mid(entry_, 1, kRecordText));
    // Code 30 is stored as a space, which reading takes for fill: one space kept after it
    // keeps it in the entry. The entry had that space, or it would not end with code 30.
    if (text.back() == kStoredAsSpace) text = std::string_view(entry_).substr(0, text.size() + 1);
    Cripta_Decripta(platform, "C", text, scrambled_);
    const bool ownEnd = endIsOwn(was);
    const std::string marked = recordOf(scrambled_);
    std::copy_n(marked.begin(), ownEnd ? kRecordSize : kRecordText, record);
  }

  std::vector<Run> runs_;
  std::int64_t count_ = 0;
  std::int64_t wereUnreported_ = 0;  // of them, entries that carried "N"
  std::string entry_;                // reused from record to record
  std::string scrambled_;
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
    if (count > kRecordLimit) {
      showInformation(platform_, report_text::tooLarge(count), request_.title);
      return outcome_;
    }
    outcome_.complete = read(recordings, count);
    if (!report_.finish()) {
      outcome_.reportFailed = true;
      outcome_.unreported += marks_.wereUnreported();
      return outcome_;
    }
    outcome_.copied = marks_.count();
    if (marks_.count() > 0) {
      if (Error failed = marks_.writeTo(platform_, recordings)) {
        showTrappedError(platform_, kRecordProcedure, failed);
        outcome_.unreported += marks_.wereUnreported();
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
    const RecordRead kind = readEntry(record, entry_);
    if (kind == RecordRead::Empty) return;
    if (kind == RecordRead::Unshiftable) {
      // The unscrambling shows its own error.
      Cripta_Decripta(platform_, "D", trimSpaces(record.substr(0, kRecordText)), entry_);
    }
    if (kind != RecordRead::Entry) {
      platform_.message(Icon::Information, report_text::damagedRecord(n), request_.title);
      if (!holdsNoEntry(record)) outcome_.damaged = true;
      return;
    }
    const std::string key = RovesciaData(mid(entry_, 2, 10));
    if (key > request_.end || key < request_.start) {
      if (entry_[0] == kUnreported) ++outcome_.unreported;
      return;
    }
    if (!request_.includeReported && entry_[0] == kReported) return;
    if (marks_.count() == 0) report_.add(report_text::kHeading);
    report_.add(displayLine(entry_));
    marks_.add(n, entry_[0]);
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
