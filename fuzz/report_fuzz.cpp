// The report run over any recordings file. It never changes the file's size; every entry
// it does not copy keeps its bytes, and every entry it marks reported is in the report, so
// an unreported entry is never lost; damaged records are shown and left alone; a second
// run finds nothing more to copy, and a run that takes reported entries too copies every
// whole entry once.
#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "fuzz_platform.h"
#include "cores/oplog/entry.h"
#include "cores/report/period.h"
#include "cores/report/report_engine.h"
#include "runtime/records.h"
#include "runtime/text.h"

namespace {

constexpr std::size_t kRecord = 256;

std::string contentOf(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The entry a record holds, unscrambled here by its own rule: its first 253 bytes, without
// the fill, have no code below 2 and unscramble to the shape of an entry: the flag "N" or
// "S", a date dd/MM/yyyy and a time of two digits each between two equal separators.
std::optional<std::string> entryOf(std::string_view record) {
  std::string entry(kov::trimSpaces(record.substr(0, 253)));
  for (char& c : entry) {
    const auto code = static_cast<unsigned char>(c);
    if (code < 2) return std::nullopt;
    c = static_cast<char>(code - 2);
  }
  const auto digit = [&entry](std::size_t at) { return entry[at] >= '0' && entry[at] <= '9'; };
  if (entry.size() < 19 || (entry[0] != 'N' && entry[0] != 'S') || entry[3] != '/' ||
      entry[6] != '/' || digit(13) || entry[16] != entry[13]) {
    return std::nullopt;
  }
  for (const std::size_t at : {1, 2, 4, 5, 7, 8, 9, 10, 11, 12, 14, 15, 17, 18}) {
    if (!digit(at)) return std::nullopt;
  }
  return entry;
}

// The end a marked record gets: "|" CR LF where at least two of its three bytes were
// there, else the bytes it had (the first of the next record, in a file of short records).
std::string_view endAfterMarking(std::string_view record) {
  constexpr std::string_view kEnd = "|\r\n";
  int intact = 0;
  for (std::size_t i = 0; i < kEnd.size(); ++i) intact += record[253 + i] == kEnd[i];
  return intact >= 2 ? kEnd : record.substr(253);
}

// The report's lines, its heading first when it has any.
std::vector<std::string> reportLines(const std::string& path) {
  const std::string bytes = contentOf(path);
  if (bytes.size() % kRecord != 0) std::abort();
  std::vector<std::string> lines;
  for (std::size_t at = 0; at < bytes.size(); at += kRecord) {
    const std::string_view record = std::string_view(bytes).substr(at, kRecord);
    if (record.substr(253) != "|\r\n") std::abort();
    lines.emplace_back(record.substr(0, 253));
  }
  return lines;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static kov::fuzz::SilentPlatform platform;
  const std::string before(reinterpret_cast<const char*>(data), size);
  platform.put("OdV", data, size);
  platform.put("Report", nullptr, 0);
  platform.put("All", nullptr, 0);
  const std::string recordings = platform.folder + "/OdV";
  kov::ReportRequest request{
      recordings, platform.folder + "\\", "Report", "20260101", "20261231", false, "KoV"};

  platform.messages = 0;
  const kov::ReportOutcome first = kov::generateReport(platform, request);
  const int shown = platform.messages;
  const std::string after = contentOf(recordings);
  const auto whole = static_cast<std::size_t>(first.records) * kRecord;
  if (!first.complete || first.reportFailed || whole != size / kRecord * kRecord ||
      after.size() != size || after.compare(whole, std::string::npos, before, whole) != 0) {
    std::abort();
  }
  const std::vector<std::string> report = reportLines(platform.folder + "/Report");
  if (report.size() != (first.copied == 0 ? 0 : static_cast<std::size_t>(first.copied) + 1)) {
    std::abort();
  }
  std::size_t line = 1;
  int damaged = 0;
  std::int64_t entries = 0;
  std::int64_t unreported = 0;
  for (std::size_t at = 0; at < whole; at += kRecord) {
    const std::string_view was = std::string_view(before).substr(at, kRecord);
    const std::string_view now = std::string_view(after).substr(at, kRecord);
    const std::optional<std::string> entry = entryOf(was);
    if (!entry) {
      if (now != was) std::abort();
      if (was.find_first_not_of('\0') != std::string_view::npos) ++damaged;
      continue;
    }
    ++entries;
    const std::string key = kov::RovesciaData(kov::mid(*entry, 2, 10));
    const char flag = (*entry)[0];
    if (key < request.start || key > request.end || flag == kov::kReported) {
      if (now != was) std::abort();
      if (flag == kov::kUnreported) ++unreported;
      continue;
    }
    // Copied: in the report, in the order of the file, and marked with nothing else changed
    // (spaces at its end aside).
    std::string marked = *entry;
    marked[0] = kov::kReported;
    const std::optional<std::string> rewritten = entryOf(now);
    if (line >= report.size() || report[line] != kov::padCut(kov::displayLine(*entry), 253) ||
        !rewritten || kov::trimSpaces(*rewritten) != kov::trimSpaces(marked) ||
        now.substr(253) != endAfterMarking(was)) {
      std::abort();
    }
    ++line;
  }
  // A damaged record is shown once, or twice when the unscrambling itself fails.
  if (shown < damaged || shown > 2 * damaged || first.unreported != unreported ||
      line != std::max<std::size_t>(report.size(), 1)) {
    std::abort();
  }

  platform.messages = 0;
  const kov::ReportOutcome second = kov::generateReport(platform, request);
  if (second.copied != 0 || second.unreported != unreported || platform.messages != shown ||
      contentOf(recordings) != after) {
    std::abort();
  }

  request.name = "All";
  request.start = "";
  request.end = std::string(10, '\xFF');
  request.includeReported = true;
  const kov::ReportOutcome all = kov::generateReport(platform, request);
  if (all.copied != entries || all.unreported != 0) std::abort();
  return 0;
}
