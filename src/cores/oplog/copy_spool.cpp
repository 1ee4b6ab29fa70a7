#include "copy_spool.h"

#include "copy_chain.h"
#include "cores/shared/kov_par.h"
#include "runtime/file.h"

namespace kov {
namespace {

void appendLength(std::string& bytes, std::uint64_t length) {
  for (int byte = 0; byte < 8; ++byte) bytes += static_cast<char>((length >> (8 * byte)) & 0xFFu);
}

// Reads an 8-byte little-endian length at `at`; false past the end.
bool lengthAt(std::string_view bytes, std::size_t at, std::uint64_t& length) {
  if (bytes.size() < 8 || at > bytes.size() - 8) return false;
  length = 0;
  for (int byte = 7; byte >= 0; --byte) {
    length = length << 8 | static_cast<unsigned char>(bytes[at + static_cast<std::size_t>(byte)]);
  }
  return true;
}

// One copy's fields, MESSAGE first; false when they do not read as fields.
bool readCopy(std::string_view bytes, SystemLogEvent& copy) {
  copy = {};
  bool first = true;
  while (!bytes.empty()) {
    const std::size_t end = bytes.find('\n');
    std::uint64_t length = 0;
    if (end == std::string_view::npos || !lengthAt(bytes, end + 1, length) ||
        length >= bytes.size() - end - 9 || bytes[end + 9 + length] != '\n') {
      return false;
    }
    const std::string_view name = bytes.substr(0, end);
    std::string value(bytes.substr(end + 9, length));
    if (first != (name == "MESSAGE")) return false;
    if (first) {
      copy.message = std::move(value);
    } else {
      copy.fields.emplace_back(name, std::move(value));
    }
    first = false;
    bytes.remove_prefix(end + 10 + length);
  }
  return !first;
}

}  // namespace

std::string spoolBytes(const std::vector<SystemLogEvent>& copies) {
  std::string bytes;
  for (const SystemLogEvent& copy : copies) {
    std::string fields = fieldBytes("MESSAGE", copy.message);
    for (const auto& [name, value] : copy.fields) fields += fieldBytes(name, value);
    appendLength(bytes, fields.size());
    bytes += fields;
  }
  return bytes;
}

std::vector<SystemLogEvent> waitingCopies(std::string_view folder) {
  std::vector<SystemLogEvent> copies;
  File file;
  std::uint64_t size = 0;
  if (file.open(dataFileName(folder, kSpoolFile), File::Mode::Read) || file.size(size)) {
    return copies;
  }
  // Never more than the program writes: a larger file is read up to that much.
  std::string bytes(static_cast<std::size_t>(std::min<std::uint64_t>(size, kSpoolLimit)), '\0');
  std::size_t got = 0;
  if (file.readAt(0, bytes.data(), bytes.size(), got)) return copies;
  const std::string_view read = std::string_view(bytes).substr(0, got);
  std::uint64_t length = 0;
  SystemLogEvent copy;
  for (std::size_t at = 0; lengthAt(read, at, length) && length <= read.size() - at - 8 &&
                           readCopy(read.substr(at + 8, length), copy);
       at += 8 + length) {
    copies.push_back(std::move(copy));
  }
  return copies;
}

Error keepWaiting(std::string_view folder, const std::vector<SystemLogEvent>& copies) {
  const std::string name = dataFileName(folder, kSpoolFile);
  if (copies.empty()) {
    const Error error = deleteFile(name);
    return error.number == err::kFileNotFound ? Error{} : error;
  }
  File old;
  return replaceFile(old, name, spoolBytes(copies));
}

}  // namespace kov
