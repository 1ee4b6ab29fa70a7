#include "entry_record.h"

#include <algorithm>

#include "cores/credentials/scramble.h"
#include "entry.h"
#include "runtime/records.h"
#include "runtime/text.h"

namespace kov {
namespace {

bool digits(std::string_view text) {
  return std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// Whether a record's text is worth unscrambling. The writer never stores a code below 2: a
// record that holds one and has lost its end ("|" CR LF) is an append torn by a crash and
// filled with NULs, damaged without being unscrambled.
bool worthUnscrambling(std::string_view record) {
  return record.substr(kRecordText) == kRecordEnd ||
         std::none_of(record.begin(), record.begin() + kRecordText,
                      [](char c) { return static_cast<unsigned char>(c) < 2; });
}

}  // namespace

bool isEntry(std::string_view entry) {
  if (entry.size() < 19 || (entry[0] != kUnreported && entry[0] != kReported)) return false;
  const char separator = entry[13];
  return digits(entry.substr(1, 2)) && entry[3] == '/' && digits(entry.substr(4, 2)) &&
         entry[6] == '/' && digits(entry.substr(7, 4)) && digits(entry.substr(11, 2)) &&
         !digits(entry.substr(13, 1)) && digits(entry.substr(14, 2)) && entry[16] == separator &&
         digits(entry.substr(17, 2));
}

RecordRead readEntry(std::string_view record, std::string& entry) {
  entry.clear();
  if (std::all_of(record.begin(), record.end(), [](char c) { return c == '\0'; })) {
    return RecordRead::Empty;
  }
  if (!worthUnscrambling(record)) return RecordRead::Damaged;
  if (!unscramble(trimSpaces(record.substr(0, kRecordText)), entry)) return RecordRead::Unshiftable;
  if (isEntry(entry)) return RecordRead::Entry;
  entry.clear();
  return RecordRead::Damaged;
}

}  // namespace kov
