#include "log_index.h"

#include <array>
#include <ranges>

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
  const Scan scan =
      readRecords(file, std::views::iota(std::uint32_t{1}, static_cast<std::uint32_t>(count + 1)),
                  stop, [&](std::uint32_t record, std::string_view bytes) {
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

void showLoadFailure(Platform& platform, const LoadedLog& loaded, std::string_view title) {
  if (loaded.refused > 0) showInformation(platform, report_text::tooLarge(loaded.refused), title);
  if (loaded.error) showTrappedError(platform, logview_text::kProcedure, loaded.error);
}

}  // namespace kov
