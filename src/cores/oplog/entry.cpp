#include "entry.h"

#include "runtime/cp1252.h"
#include "runtime/text.h"
#include "texts.h"

namespace kov {

std::string entryText(const DateTime& at, std::string_view workstation, std::string_view account,
                      std::string_view description) {
  return kUnreported + formatDate(at) + formatTime(at) + padCut(workstation, kWorkstationWidth) +
         padCut(account, kAccountWidth) + std::string(trimSpaces(description));
}

std::string displayLine(std::string_view entry) {
  std::string line = "|";
  line += mid(entry, 2, 10);
  line += '|';
  line += mid(entry, 12, 8);
  line += '|';
  line += mid(entry, 20, kWorkstationWidth);
  line += '|';
  line += mid(entry, 34, kAccountWidth);
  line += '|';
  line += mid(entry, 54);
  return line;
}

SystemLogEvent systemLogCopy(std::string_view entry, std::int64_t record) {
  const auto field = [&](std::size_t from, std::size_t width = std::string_view::npos) {
    return std::string(mid(entry, from, width));
  };
  return {oplog_text::copiedEntry(record, displayLine(entry)),
          {{"KOV_EVENT", "ENTRY"},
           {"KOV_RECORD", std::to_string(record)},
           {"KOV_REPORTED", field(1, 1)},
           {"KOV_DATE", field(2, 10)},
           {"KOV_TIME", field(12, 8)},
           {"KOV_WORKSTATION", field(20, kWorkstationWidth)},
           {"KOV_ACCOUNT", field(34, kAccountWidth)},
           {"KOV_DESCRIPTION", field(54)}}};
}

std::string confirmationText(std::string_view entry) {
  std::string text(oplog_text::kSaved);
  text += "\n\r";
  text += oplog_text::kSavedHeading;
  text += "\n\r";
  text += displayLine(entry);
  return text;
}

}  // namespace kov
