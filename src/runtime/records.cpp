#include "records.h"

#include <array>

namespace kov {

std::string recordOf(std::string_view text) {
  std::string record;
  record.reserve(kRecordSize);
  appendRecordOf(record, text);
  return record;
}

void appendRecordOf(std::string& bytes, std::string_view text) {
  const std::string_view kept = text.substr(0, kRecordText);
  bytes += kept;
  bytes.append(kRecordText - kept.size(), ' ');
  bytes += kRecordEnd;
}

Error createHidden(std::string_view name) {
  File file;
  if (Error error = file.open(name, File::Mode::Append)) return error;
  file.close();
  return setHiddenOnly(name);
}

Error countRecords(const File& file, std::int64_t& count) {
  std::uint64_t bytes = 0;
  if (Error error = file.size(bytes)) return error;
  count = static_cast<std::int64_t>(bytes / kRecordSize);
  return {};
}

Error readRecord(const File& file, std::int64_t n, std::string& record, bool& complete) {
  complete = false;
  std::array<char, kRecordSize> buffer{};
  std::size_t got = 0;
  if (n < 1) return errorOf(err::kBadFileNumber);
  const auto offset = static_cast<std::uint64_t>(n - 1) * kRecordSize;
  if (Error error = file.readAt(offset, buffer.data(), buffer.size(), got)) return error;
  if (got == kRecordSize) {
    record.assign(buffer.data(), buffer.size());
    complete = true;
  }
  return {};
}

Error writeRecord(const File& file, std::int64_t n, std::string_view record) {
  if (n < 1) return errorOf(err::kBadFileNumber);
  std::string bytes(record.substr(0, kRecordSize));
  bytes.resize(kRecordSize, ' ');
  return file.writeAt(static_cast<std::uint64_t>(n - 1) * kRecordSize, bytes);
}

Error readLines(const File& file, std::size_t maxLines, std::vector<std::string>& lines) {
  lines.clear();
  std::array<char, 4096> buffer{};
  std::uint64_t offset = 0;
  std::string line;
  bool inLine = false;   // characters of an unfinished line have been seen
  bool afterCr = false;  // the last character was a CR, so an LF now ends nothing
  while (lines.size() < maxLines) {
    std::size_t got = 0;
    if (Error error = file.readAt(offset, buffer.data(), buffer.size(), got)) return error;
    if (got == 0) break;
    offset += got;
    for (std::size_t i = 0; i < got && lines.size() < maxLines; ++i) {
      const char c = buffer[i];
      if (c == '\n' && afterCr) {
        afterCr = false;
        continue;
      }
      afterCr = c == '\r';
      if (c == '\r' || c == '\n') {
        lines.push_back(std::move(line));
        line.clear();
        inLine = false;
      } else {
        if (line.size() < kRecordSize) line += c;
        inLine = true;
      }
    }
  }
  if (inLine && lines.size() < maxLines) lines.push_back(std::move(line));
  return {};
}

}  // namespace kov
