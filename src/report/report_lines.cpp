#include "report_lines.h"

#include "credentials/scramble.h"
#include "oplog/entry.h"
#include "shell/runtime/records.h"
#include "shell/runtime/text.h"

namespace kov {

std::string reportFileName(std::string_view endKey, std::string_view time,
                           std::string_view baseName) {
  std::string name(endKey);
  name += '_';
  name += mid(time, 1, 2);
  name += mid(time, 4, 2);
  name += '_';
  name += baseName;
  return name;
}

std::string reportedRecord(Platform& platform, std::string entry) {
  entry[0] = kReported;
  // The entry came out of the unscrambling, so every code is at most 253 and the
  // scrambling cannot fail.
  std::string scrambled;
  Cripta_Decripta(platform, "C", trimSpaces(mid(entry, 1, kRecordText)), scrambled);
  return recordOf(scrambled);
}

}  // namespace kov
