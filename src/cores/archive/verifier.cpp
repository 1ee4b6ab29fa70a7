#include "verifier.h"

#include <algorithm>
#include <filesystem>
#include <optional>
#include <unordered_map>

#include "cores/oplog/copy_chain.h"
#include "cores/oplog/copy_spool.h"
#include "cores/oplog/entry.h"
#include "cores/oplog/entry_record.h"
#include "cores/report/report_engine.h"
#include "cores/report/texts.h"
#include "cores/shared/kov_par.h"
#include "json_fields.h"
#include "runtime/records.h"
#include "texts.h"

namespace kov {
namespace {

namespace text = archive_text;

constexpr std::size_t kPiece = std::size_t{1} << 20;
constexpr std::size_t kLongestLine = std::size_t{1} << 20;

bool keepField(std::string_view name) {
  return name == "MESSAGE" || name == "SYSLOG_IDENTIFIER" || name.starts_with("KOV_");
}

// One copy as the archive holds it, its fields in UTF-8.
struct Copy {
  std::size_t file = 0;  // the archive file's index; past the last for a waiting copy
  std::int64_t line = 0;
  JsonFields fields;
  std::int64_t seq = 0;
  Digest hash{};
  Digest prev{};

  const std::string* field(std::string_view name) const {
    const auto found = std::ranges::find(fields, name, &JsonFields::value_type::first);
    return found == fields.end() ? nullptr : &found->second;
  }
  std::string value(std::string_view name) const {
    const std::string* found = field(name);
    return found == nullptr ? std::string() : *found;
  }
  bool before(const Copy& other) const {
    return file != other.file ? file < other.file : line < other.line;
  }
};

bool number(const std::string* text, std::int64_t& n) {
  if (text == nullptr || text->empty() || text->size() > 18 ||
      text->find_first_not_of("0123456789") != std::string::npos) {
    return false;
  }
  n = std::stoll(*text);
  return true;
}

// True when the copy carries a chain that its own fields bear out.
bool chained(Copy& copy) {
  const std::string* hash = copy.field("KOV_HASH");
  const std::string* prev = copy.field("KOV_PREV");
  if (!number(copy.field("KOV_SEQ"), copy.seq) || copy.seq < 1 || hash == nullptr ||
      prev == nullptr || !digestOf(*hash, copy.hash) || !digestOf(*prev, copy.prev)) {
    return false;
  }
  Fields hashed;
  for (const auto& [name, value] : copy.fields) {
    if (name == "SYSLOG_IDENTIFIER") continue;
    if (name == "KOV_HASH" && &value != hash) return false;  // the program sends one
    hashed.emplace_back(name, value);
  }
  return copyHash(copy.prev, std::move(hashed)) == copy.hash;
}

struct HashKey {
  std::size_t operator()(const Digest& digest) const {
    std::size_t key = 0;
    for (std::size_t i = 0; i < sizeof key; ++i) key = key << 8 | digest[i];
    return key;
  }
};

// An entry's copy, ready for comparing with a record.
struct EntryCopy {
  const Copy* copy = nullptr;
  std::int64_t record = 0;
  std::string linkText;  // Windows-1252, as a record's
  std::string display;   // the display line, Windows-1252
  Digest link{};
  bool hasLink = false;
};

EntryCopy entryCopyOf(const Copy& copy, std::int64_t record) {
  EntryCopy entry;
  entry.copy = &copy;
  entry.record = record;
  const std::string text = cp1252FromUtf8(
      copy.value("KOV_REPORTED") + copy.value("KOV_DATE") + copy.value("KOV_TIME") +
      copy.value("KOV_WORKSTATION") + copy.value("KOV_ACCOUNT") + copy.value("KOV_DESCRIPTION"));
  entry.linkText = entryLinkText(text);
  entry.display = displayLine(text);
  const std::string* link = copy.field("KOV_LINK");
  entry.hasLink = link != nullptr && digestOf(*link, entry.link);
  return entry;
}

// The entries of one recordings file, as their copies tell them, by record number.
struct Generation {
  std::vector<std::optional<EntryCopy>> records;
  void add(EntryCopy entry) {
    const auto index = static_cast<std::size_t>(entry.record - 1);
    if (records.size() <= index) records.resize(index + 1);
    records[index] = std::move(entry);
  }
  std::int64_t last() const { return static_cast<std::int64_t>(records.size()); }
};

// A record of the recordings file.
struct FileRecord {
  bool entry = false;
  bool blank = false;    // holds a NUL or spaces only: no entry anybody saw confirmed
  std::string linkText;  // Windows-1252
  std::string display;
};

std::string utf8Line(std::string_view line) {
  return utf8FromCp1252(line.substr(0, line.find_last_not_of(' ') + 1));
}

std::string trimmedEnd(std::string_view text) {
  return std::string(text.substr(0, text.find_last_not_of(' ') + 1));
}

class Verifier {
 public:
  explicit Verifier(const Verification& input) : input_(input) {}

  VerifyResult run() {
    if (!readInput()) return result_;
    checkChain();
    for (std::size_t g = 0; g + 1 < generations_.size(); ++g) checkRemoved(generations_[g]);
    checkFile(generations_.empty() ? Generation{} : generations_.back());
    return std::move(result_);
  }

 private:
  bool bad(std::string why) {
    result_.badInput = std::move(why);
    return false;
  }

  bool readInput() {
    for (const std::string* folder : {&input_.programFolder, &input_.reportFolder}) {
      std::error_code error;
      if (!std::filesystem::is_directory(*folder, error)) return bad(text::notAFolder(*folder));
    }
    for (std::size_t i = 0; i < input_.archiveFiles.size(); ++i) {
      if (!readArchive(i)) return false;
    }
    for (const SystemLogEvent& event : waitingCopies(input_.programFolder)) {
      Copy copy;
      copy.file = input_.archiveFiles.size();
      copy.line = static_cast<std::int64_t>(copies_.size()) + 1;
      copy.fields.emplace_back("MESSAGE", utf8FromCp1252(event.message));
      for (const auto& [name, value] : event.fields) {
        copy.fields.emplace_back(name, utf8FromCp1252(value));
      }
      copies_.push_back(std::move(copy));
    }
    return readRecordings() && readReports();
  }

  bool readArchive(std::size_t index) {
    const std::string& name = input_.archiveFiles[index];
    File file;
    std::uint64_t size = 0;
    if (Error error = file.open(name, File::Mode::Read); error || (error = file.size(size))) {
      return bad(text::unreadable(name, error.description));
    }
    std::string piece(kPiece, '\0');
    std::string line;
    std::int64_t lineNumber = 0;
    const auto takeLine = [&](std::string_view text) {
      ++lineNumber;
      if (text.find_first_not_of(" \t\r") == std::string_view::npos) return true;
      Copy copy;
      copy.file = index;
      copy.line = lineNumber;
      if (!readJsonFields(text, keepField, copy.fields)) {
        return bad(text::notJson(name, lineNumber));
      }
      if (copy.value("SYSLOG_IDENTIFIER") == "kov") copies_.push_back(std::move(copy));
      return true;
    };
    for (std::uint64_t offset = 0; offset < size; offset += kPiece) {
      std::size_t got = 0;
      if (Error error = file.readAt(offset, piece.data(), piece.size(), got)) {
        return bad(text::unreadable(name, error.description));
      }
      std::string_view read(piece.data(), got);
      for (std::size_t end = read.find('\n'); end != std::string_view::npos;
           end = read.find('\n')) {
        bool taken = false;
        if (line.empty()) {
          taken = takeLine(read.substr(0, end));
        } else {
          line += read.substr(0, end);
          taken = takeLine(line);
          line.clear();
        }
        if (!taken) return false;
        read.remove_prefix(end + 1);
      }
      line += read;
      if (line.size() > kLongestLine) return bad(text::notJson(name, lineNumber + 1));
      if (got < piece.size()) break;
    }
    return takeLine(line);
  }

  bool readRecordings() {
    const std::string name = dataFileName(input_.programFolder, kRecordingsFile);
    File file;
    std::int64_t count = 0;
    Error error = file.open(name, File::Mode::Read);
    if (error.number == err::kFileNotFound) return true;  // a file deleted: its entries are
    if (!error) error = countRecords(file, count);
    if (error) return bad(text::unreadable(name, error.description));
    if (count > kRecordLimit) return bad(text::tooLarge(name));
    std::string piece;
    std::string entry;
    constexpr std::int64_t kRecords = kPiece / kRecordSize;
    for (std::int64_t first = 1; first <= count; first += kRecords) {
      piece.resize(static_cast<std::size_t>(std::min(kRecords, count - first + 1)) * kRecordSize);
      std::size_t got = 0;
      if ((error = file.readAt(static_cast<std::uint64_t>(first - 1) * kRecordSize, piece.data(),
                               piece.size(), got))) {
        return bad(text::unreadable(name, error.description));
      }
      for (std::size_t at = 0; at + kRecordSize <= got; at += kRecordSize) {
        const std::string_view record = std::string_view(piece).substr(at, kRecordSize);
        FileRecord read;
        read.entry = readEntry(record, entry) == RecordRead::Entry;
        if (read.entry) {
          read.linkText = entryLinkText(entry);
          read.display = displayLine(entry);
        } else {
          read.blank = record.find('\0') != std::string_view::npos ||
                       record.substr(0, kRecordText).find_first_not_of(' ') == npos;
        }
        records_.push_back(std::move(read));
      }
    }
    return true;
  }

  bool readReports() {
    std::error_code error;
    for (const auto& item : std::filesystem::directory_iterator(input_.reportFolder, error)) {
      if (item.is_regular_file(error) && !readReport(item.path().string())) return false;
    }
    return true;
  }

  // The lines of a report file: records whose first is the report's heading.
  bool readReport(const std::string& name) {
    File file;
    std::uint64_t size = 0;
    if (file.open(name, File::Mode::Read) || file.size(size) || size % kRecordSize != 0) {
      return true;  // not a report
    }
    std::string piece(kPiece, '\0');
    for (std::uint64_t offset = 0; offset < size; offset += kPiece) {
      std::size_t got = 0;
      if (Error error = file.readAt(offset, piece.data(), piece.size(), got)) {
        return bad(text::unreadable(name, error.description));
      }
      for (std::size_t at = 0; at + kRecordSize <= got; at += kRecordSize) {
        const std::string line = trimmedEnd(std::string_view(piece).substr(at, kRecordText));
        if (offset + at == 0 && line != report_text::kHeading) return true;
        if (offset + at > 0) ++reported_[line];
      }
    }
    return true;
  }

  void finding(std::string line) { result_.findings.push_back(std::move(line)); }

  std::string where(const Copy& copy) const {
    const std::string file = copy.file < input_.archiveFiles.size()
                                 ? input_.archiveFiles[copy.file]
                                 : dataFileName(input_.programFolder, kSpoolFile);
    return text::where(file, copy.line);
  }

  void foreign(const Copy& copy) {
    ++result_.counts.foreignCopies;
    finding(text::foreignCopy(where(copy), copy.value("MESSAGE")));
  }

  void missing(std::int64_t first, std::int64_t last, bool waiting) {
    if (first > last) return;
    result_.counts.missingCopies += last - first + 1;
    finding(waiting ? text::waitingCopies(first, last) : text::missingCopies(first, last));
  }

  void checkChain() {
    std::unordered_map<Digest, std::size_t, HashKey> byHash;
    std::vector<std::size_t> valid;
    for (std::size_t i = 0; i < copies_.size(); ++i) {
      if (!chained(copies_[i])) {
        foreign(copies_[i]);
      } else if (byHash.emplace(copies_[i].hash, i).second) {
        valid.push_back(i);  // a copy delivered twice counts once
      }
    }
    // Each copy's successor; where two claim one predecessor, the one the chain goes on from.
    std::vector<std::vector<std::size_t>> successors(copies_.size());
    for (const std::size_t i : valid) {
      const auto pred = byHash.find(copies_[i].prev);
      if (pred != byHash.end() && copies_[pred->second].seq + 1 == copies_[i].seq) {
        successors[pred->second].push_back(i);
      }
    }
    std::vector<std::size_t> next(copies_.size(), kNone);
    std::vector<bool> followed(copies_.size(), false);
    for (const std::size_t i : valid) {
      std::vector<std::size_t>& candidates = successors[i];
      if (candidates.empty()) continue;
      const auto goesOn =
          std::ranges::find_if(candidates, [&](std::size_t c) { return !successors[c].empty(); });
      next[i] = goesOn != candidates.end() ? *goesOn : candidates.front();
      followed[next[i]] = true;
      for (const std::size_t c : candidates) {
        if (c != next[i]) foreign(copies_[c]);
      }
    }
    std::vector<std::size_t> heads;
    for (const std::size_t i : valid) {
      const auto pred = byHash.find(copies_[i].prev);
      const bool forked = pred != byHash.end() && next[pred->second] != kNone &&
                          next[pred->second] != i && !followed[i];
      if (!followed[i] && !forked) heads.push_back(i);
    }
    std::ranges::sort(heads,
                      [&](std::size_t a, std::size_t b) { return copies_[a].before(copies_[b]); });
    std::int64_t tail = 0;
    const Digest zero{};
    for (const std::size_t head : heads) {
      const Copy& first = copies_[head];
      if (first.prev == zero && first.seq == 1) {
        if (tail != 0 || first.value("KOV_RECORDS") != "0") {
          ++result_.counts.restarts;
          finding(text::restarted(where(first), first.value("MESSAGE")));
        }
      } else {
        missing(tail < first.seq - 1 ? tail + 1 : first.seq - 1, first.seq - 1, false);
      }
      std::int64_t waitingFrom = 0;
      for (std::size_t i = head; i != kNone; i = next[i]) {
        follow(copies_[i]);
        tail = copies_[i].seq;
        const bool waiting = copies_[i].file == input_.archiveFiles.size();
        if (waiting && waitingFrom == 0) waitingFrom = tail;
      }
      if (waitingFrom != 0) missing(waitingFrom, tail, true);
    }
    std::int64_t made = 0;
    Digest hash{};
    if (lastCopy(input_.programFolder, made, hash) && !byHash.contains(hash)) {
      missing(tail + 1, made, false);
    }
  }

  // One copy of the chain, in its order.
  void follow(const Copy& copy) {
    const std::string event = copy.value("KOV_EVENT");
    std::int64_t record = 0;
    if (event == "ENTRY" && number(copy.field("KOV_RECORD"), record) && record > 0) {
      if (generations_.empty() || record == 1 || record <= generations_.back().last()) {
        generations_.emplace_back();
      }
      generations_.back().add(entryCopyOf(copy, record));
    } else if (event == "REPORT" && copy.value("KOV_REMOVED") == "S") {
      Digest last{};
      std::int64_t records = 0;
      if (digestOf(copy.value("KOV_REMOVED_LAST_LINK"), last) &&
          number(copy.field("KOV_REMOVED_RECORDS"), records)) {
        removals_.emplace(last, records);
      }
    }
  }

  // A recordings file the program replaced: legitimately when a report run removed it,
  // having seen it hold exactly what the copies say, and its entries are in the reports
  // but the last, the entry that logs the run itself.
  void checkRemoved(const Generation& generation) {
    const EntryCopy* last = nullptr;
    for (const auto& entry : generation.records) {
      if (entry) last = &*entry;
    }
    if (last == nullptr) return;
    const auto removal = last->hasLink ? removals_.find(last->link) : removals_.end();
    if (removal == removals_.end() || removal->second != last->record) {
      for (const auto& entry : generation.records) {
        if (entry) entryDeleted(*entry);
      }
      return;
    }
    Digest link{};
    const EntryCopy* previous = nullptr;
    for (const auto& entry : generation.records) {
      if (!entry) {
        previous = nullptr;
        continue;
      }
      const Digest expected =
          nextLink(previous != nullptr ? previous->link : link, entry->linkText);
      if ((previous != nullptr || entry->record == 1) &&
          (!entry->hasLink || entry->link != expected)) {
        ++result_.counts.withoutCopy;
        finding(text::removedHeldMore(entry->record, entry->copy->seq));
      }
      previous = &*entry;
      const auto found = reported_.find(trimmedEnd(entry->display));
      if (found != reported_.end() && found->second > 0) {
        --found->second;
        ++result_.counts.removedWithReport;
      } else if (entry->record == last->record) {
        ++result_.counts.removedWithReport;  // the run's own entry, after its report
      } else {
        ++result_.counts.deleted;
        finding(
            text::removedNotReported(entry->record, entry->copy->seq, utf8Line(entry->display)));
      }
    }
  }

  void entryDeleted(const EntryCopy& entry) {
    ++result_.counts.deleted;
    finding(text::deleted(entry.record, entry.copy->seq, utf8Line(entry.display)));
  }

  void withoutCopy(std::size_t index) {
    const FileRecord& record = records_[index];
    const auto recordNumber = static_cast<std::int64_t>(index) + 1;
    if (!record.entry && record.blank) return;
    ++result_.counts.withoutCopy;
    finding(record.entry ? text::withoutCopy(recordNumber, utf8Line(record.display))
                         : text::damagedWithoutCopy(recordNumber));
  }

  // The recordings file against the copies of its entries, record by record; where they
  // part, the nearer of the two sides that meets the other again tells what was deleted
  // or added, and otherwise the record was altered.
  void checkFile(const Generation& generation) {
    std::vector<const EntryCopy*> copies;
    for (const auto& entry : generation.records) {
      if (entry) copies.push_back(&*entry);
    }
    std::unordered_map<std::string_view, std::vector<std::size_t>> inFile;
    std::unordered_map<std::string_view, std::vector<std::size_t>> inCopies;
    for (std::size_t i = 0; i < records_.size(); ++i) {
      if (records_[i].entry) inFile[records_[i].linkText].push_back(i);
    }
    for (std::size_t j = 0; j < copies.size(); ++j) inCopies[copies[j]->linkText].push_back(j);
    const auto nextAt = [](const auto& positions, std::string_view key, std::size_t from) {
      const auto found = positions.find(key);
      if (found == positions.end()) return kNone;
      const auto at = std::ranges::lower_bound(found->second, from);
      return at == found->second.end() ? kNone : *at;
    };
    std::size_t i = 0;
    std::size_t j = 0;
    while (i < records_.size() || j < copies.size()) {
      if (j == copies.size() || (i < records_.size() && !records_[i].entry)) {
        withoutCopy(i++);
      } else if (i == records_.size()) {
        entryDeleted(*copies.at(j++));
      } else if (records_[i].linkText == copies[j]->linkText) {
        ++result_.counts.confirmed;
        ++i;
        ++j;
      } else {
        const std::size_t a = nextAt(inFile, copies[j]->linkText, i);
        const std::size_t b = nextAt(inCopies, records_[i].linkText, j);
        if (a != kNone && (b == kNone || a - i <= b - j)) {
          while (i < a) withoutCopy(i++);
        } else if (b != kNone) {
          while (j < b) entryDeleted(*copies.at(j++));
        } else {
          ++result_.counts.altered;
          finding(text::altered(static_cast<std::int64_t>(i) + 1, utf8Line(records_[i].display),
                                copies[j]->copy->seq, utf8Line(copies[j]->display)));
          ++i;
          ++j;
        }
      }
    }
  }

  static constexpr std::size_t kNone = static_cast<std::size_t>(-1);
  static constexpr std::size_t npos = std::string_view::npos;

  const Verification& input_;
  VerifyResult result_;
  std::vector<Copy> copies_;
  std::vector<FileRecord> records_;
  std::unordered_map<std::string, std::int64_t> reported_;
  std::vector<Generation> generations_;
  std::unordered_map<Digest, std::int64_t, HashKey> removals_;
};

}  // namespace

VerifyResult verify(const Verification& verification) {
  return Verifier(verification).run();
}

std::vector<std::string> summaryOf(const VerifyCounts& counts) {
  return {std::string(text::kSummary),
          text::count("scritture confermate dalla copia", counts.confirmed),
          text::count("scritture rimosse con un report", counts.removedWithReport),
          text::count("scritture alterate", counts.altered),
          text::count("scritture eliminate", counts.deleted),
          text::count("scritture senza copia", counts.withoutCopy),
          text::count("copie mancanti nell'archivio", counts.missingCopies),
          text::count("copie non inviate da KoV", counts.foreignCopies),
          text::count("catene delle copie ricominciate", counts.restarts)};
}

}  // namespace kov
