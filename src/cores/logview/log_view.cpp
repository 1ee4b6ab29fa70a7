#include "log_view.h"

#include <algorithm>
#include <array>
#include <tuple>

#include "cores/oplog/entry.h"
#include "cores/oplog/entry_record.h"
#include "cores/report/period.h"
#include "cores/report/report_engine.h"
#include "cores/report/texts.h"
#include "cores/shared/kov_par.h"
#include "runtime/records.h"
#include "runtime/text.h"
#include "texts.h"

namespace kov {
namespace {

constexpr std::int64_t kChunkRecords = 4096;  // 1 MiB per read

// Date and time as yyyymmddhhmmss, whatever the time separator; damaged rows sort last.
std::tuple<bool, std::array<char, 14>, std::int64_t> sortKey(const LogRow& row) {
  std::array<char, 14> key{};
  if (!row.damaged()) {
    constexpr std::array<std::size_t, 14> kAt = {7, 8, 9, 10, 4, 5, 1, 2, 11, 12, 14, 15, 17, 18};
    for (std::size_t i = 0; i < kAt.size(); ++i) key[i] = row.entry[kAt[i]];
  }
  return {row.damaged(), key, row.record};
}

bool containsCaseBlind(std::string_view text, std::string_view upperNeedle) {
  return std::search(text.begin(), text.end(), upperNeedle.begin(), upperNeedle.end(),
                     [](char a, char b) { return toUpper1252(a) == b; }) != text.end();
}

// The columns of an entry as they lie in it, without the fill spaces.
std::string_view fieldOf(std::string_view entry, LogColumn column) {
  switch (column) {
    case LogColumn::Date:
      return mid(entry, 2, 10);
    case LogColumn::Time:
      return mid(entry, 12, 8);
    case LogColumn::Workstation:
      return trimSpaces(mid(entry, 20, kWorkstationWidth));
    case LogColumn::Account:
      return trimSpaces(mid(entry, 34, kAccountWidth));
    case LogColumn::Description:
      return mid(entry, 54);
    case LogColumn::Reported:
      return mid(entry, 1, 1);
    default:
      return {};
  }
}

}  // namespace

std::string logField(const LogRow& row, LogColumn column) {
  if (column == LogColumn::Record) return std::to_string(row.record);
  if (row.damaged()) {
    return column == LogColumn::Description ? std::string(logview_text::kDamaged) : "";
  }
  return std::string(fieldOf(row.entry, column));
}

std::vector<std::size_t> filterLog(const std::vector<LogRow>& rows, const LogFilter& filter) {
  const std::string needle = toUpper1252(filter.text);
  const std::string account = toUpper1252(trimSpaces(filter.account));
  const auto found = [&](const LogRow& row) {
    if (needle.empty() || containsCaseBlind(std::to_string(row.record), needle)) return true;
    if (row.damaged()) return containsCaseBlind(logview_text::kDamaged, needle);
    // Not the one-letter flag: any "s" or "n" typed would find every entry by it.
    constexpr LogColumn kSearched[] = {LogColumn::Date, LogColumn::Time, LogColumn::Workstation,
                                       LogColumn::Account, LogColumn::Description};
    return std::any_of(std::begin(kSearched), std::end(kSearched), [&](LogColumn c) {
      return containsCaseBlind(fieldOf(row.entry, c), needle);
    });
  };
  const auto allowed = [&](const LogRow& row) {
    if (row.damaged()) return true;
    const std::string key = RovesciaData(mid(row.entry, 2, 10));
    return (filter.from.empty() || key >= filter.from) && (filter.to.empty() || key <= filter.to) &&
           (account.empty() || toUpper1252(fieldOf(row.entry, LogColumn::Account)) == account);
  };
  std::vector<std::size_t> shown;
  for (std::size_t i = 0; i < rows.size(); ++i) {
    if (allowed(rows[i]) && found(rows[i])) shown.push_back(i);
  }
  return shown;
}

std::vector<LogRow> readLog(Platform& platform, const std::string& recordings,
                            std::string_view title) {
  std::vector<LogRow> rows;
  File file;
  std::int64_t count = 0;
  Error error = file.open(recordings, File::Mode::Read);
  if (error.number == err::kFileNotFound) return rows;
  if (!error) error = countRecords(file, count);
  if (!error && count > kRecordLimit) {
    showInformation(platform, report_text::tooLarge(count), title);
    return rows;
  }
  std::string chunk;
  std::string entry;
  for (std::int64_t first = 1; !error && first <= count; first += kChunkRecords) {
    chunk.resize(static_cast<std::size_t>(std::min(kChunkRecords, count - first + 1)) *
                 kRecordSize);
    std::size_t got = 0;
    error = file.readAt(static_cast<std::uint64_t>(first - 1) * kRecordSize, chunk.data(),
                        chunk.size(), got);
    for (std::size_t at = 0; !error && at + kRecordSize <= got; at += kRecordSize) {
      const RecordRead read = readEntry(std::string_view(chunk).substr(at, kRecordSize), entry);
      if (read != RecordRead::Empty) {
        rows.push_back({first + static_cast<std::int64_t>(at / kRecordSize), entry});
      }
    }
    if (got < chunk.size()) break;  // the file was shortened meanwhile: its end
  }
  if (error) showTrappedError(platform, logview_text::kProcedure, error);
  std::sort(rows.begin(), rows.end(),
            [](const LogRow& a, const LogRow& b) { return sortKey(a) < sortKey(b); });
  return rows;
}

}  // namespace kov
