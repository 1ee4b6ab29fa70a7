#include "log_index.h"

#include <array>
#include <utility>

#include "cores/oplog/entry.h"
#include "cores/report/report_engine.h"
#include "cores/report/texts.h"
#include "cores/shared/kov_par.h"
#include "log_fields.h"
#include "runtime/text.h"
#include "texts.h"

namespace kov {

RecordKey::RecordKey(RecordRead read, std::string_view entry) {
  if (read == RecordRead::Empty) return;
  if (read != RecordRead::Entry) {
    bits_ = std::uint64_t{static_cast<std::uint8_t>(Kind::Damaged)} << kKindShift;
    return;
  }
  // The digits of dd/MM/yyyy HH?mm?ss in the order yyyyMMddHHmmss.
  constexpr std::array<std::size_t, 14> kAt = {7, 8, 9, 10, 4, 5, 1, 2, 11, 12, 14, 15, 17, 18};
  std::uint64_t digits = 0;
  for (const std::size_t at : kAt) digits = digits * 10 + static_cast<unsigned>(entry[at] - '0');
  bits_ = std::uint64_t{static_cast<std::uint8_t>(Kind::Entry)} << kKindShift |
          std::uint64_t{entry[0] == kReported} << kReportedShift | digits;
}

LoadedLog loadLog(const std::string& recordings, std::string_view onlyAccount,
                  const std::stop_token& stop) {
  auto index = std::make_shared<LogIndex>();
  index->recordings = recordings;
  LoadedLog loaded;
  File file;
  std::int64_t count = 0;
  loaded.error = file.open(recordings, File::Mode::Read);
  if (!loaded.error) loaded.error = countRecords(file, count);
  if (!loaded.error && count > kRecordLimit) {
    loaded.refused = count;
    count = 0;
  }
  if (loaded.error.number == err::kFileNotFound) loaded.error = {};
  if (loaded.error) count = 0;
  const std::string account = toUpper1252(trimSpaces(onlyAccount));
  index->keys.reserve(static_cast<std::size_t>(count));
  index->listed.reserve(static_cast<std::size_t>(count));
  std::string entry;
  const auto last = static_cast<std::uint32_t>(count);
  const Scan scan = readRecords(
      file, [record = std::uint32_t{0}, last]() mutable { return record < last ? ++record : 0; },
      stop,
      [&](std::uint32_t record, std::string_view bytes) {
        const RecordRead read = readEntry(bytes, entry);
        index->keys.emplace_back(read, entry);
        index->written += read != RecordRead::Empty ? 1 : 0;
        if (read != RecordRead::Empty &&
            (account.empty() || read != RecordRead::Entry ||
             toUpper1252(entryField(entry, LogColumn::Account)) == account)) {
          index->listed.push_back(record);
        }
        return true;
      });
  if (!loaded.error) loaded.error = scan.error;  // a file shortened meanwhile ends there
  index->listed.shrink_to_fit();
  loaded.index = std::move(index);
  return loaded;
}

RecordSource recordsIn(const std::vector<std::uint32_t>& ascending) {
  return [&ascending, at = std::size_t{0}]() mutable {
    return at < ascending.size() ? ascending[at++] : 0;
  };
}

RecordSource listedWhere(const LogIndex& index, std::function<bool(std::uint32_t)> wanted) {
  return [&index, wanted = std::move(wanted), at = std::size_t{0}]() mutable {
    while (at < index.listed.size()) {
      const std::uint32_t record = index.listed[at++];
      if (wanted(record)) return record;
    }
    return std::uint32_t{0};
  };
}

Scan readRecords(const File& file, const RecordSource& next, const std::stop_token& stop,
                 const std::function<bool(std::uint32_t, std::string_view)>& visit) {
  constexpr std::uint32_t kPiece = 4096;
  std::vector<std::uint32_t> batch;
  std::string piece;
  Scan scan;
  for (std::uint32_t pending = next(); pending != 0;) {
    if (stop.stop_requested()) {
      scan.stopped = true;
      return scan;
    }
    batch.clear();
    const std::uint32_t first = pending;
    for (; pending != 0 && pending - first < kPiece; pending = next()) batch.push_back(pending);
    piece.resize(std::size_t{batch.back() - first + 1} * kRecordSize);
    std::size_t got = 0;
    scan.error =
        file.readAt(std::uint64_t{first - 1} * kRecordSize, piece.data(), piece.size(), got);
    if (scan.error) return scan;
    for (const std::uint32_t record : batch) {
      const std::size_t from = std::size_t{record - first} * kRecordSize;
      if (from + kRecordSize > got ||
          !visit(record, std::string_view(piece).substr(from, kRecordSize))) {
        scan.changed = true;
        return scan;
      }
    }
  }
  return scan;
}

Scan readListed(const LogIndex& index, const RecordSource& next, const std::stop_token& stop,
                const std::function<void(std::uint32_t, std::string_view)>& visit) {
  File file;
  Scan scan;
  scan.error = file.open(index.recordings, File::Mode::Read);
  if (scan.error.number == err::kFileNotFound) {
    scan.error = {};
    scan.changed = true;
  }
  if (scan.error) return scan;
  std::string entry;
  return readRecords(file, next, stop, [&](std::uint32_t record, std::string_view bytes) {
    const RecordRead read = readEntry(bytes, entry);
    if (RecordKey(read, entry) != index.key(record)) return false;
    visit(record, std::string_view(entry));
    return true;
  });
}

void showLoadFailure(Platform& platform, const LoadedLog& loaded, std::string_view title) {
  if (loaded.refused > 0) showInformation(platform, report_text::tooLarge(loaded.refused), title);
  if (loaded.error) showTrappedError(platform, logview_text::kProcedure, loaded.error);
}

}  // namespace kov
