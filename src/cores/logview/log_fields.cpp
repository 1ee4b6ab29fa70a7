#include "log_fields.h"

#include "cores/oplog/entry.h"
#include "runtime/text.h"
#include "texts.h"

namespace kov {

std::string_view entryField(std::string_view entry, LogColumn column) {
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

std::string logField(std::uint32_t record, std::string_view entry, LogColumn column) {
  if (column == LogColumn::Record) return std::to_string(record);
  if (entry.empty()) {
    return column == LogColumn::Description ? std::string(logview_text::kDamaged) : "";
  }
  return std::string(entryField(entry, column));
}

}  // namespace kov
