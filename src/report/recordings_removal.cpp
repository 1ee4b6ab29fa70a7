#include "recordings_removal.h"

#include "shell/kov_par.h"
#include "shell/runtime/records.h"
#include "texts.h"

namespace kov {
namespace {

constexpr std::string_view kProcedure = "Cmd_Gp_Click";

}  // namespace

Removal removeRecordings(Platform& platform, std::string_view name, std::int64_t expectedRecords,
                         std::string_view title) {
  const auto trapped = [&](const Error& error) {
    if (error) showTrappedError(platform, kProcedure, error);
    return static_cast<bool>(error);
  };
  {
    File file;
    std::int64_t count = 0;
    Error error = file.open(name, File::Mode::Read);
    if (!error) error = countRecords(file, count);
    if (trapped(error)) return Removal::Failed;
    if (count != expectedRecords) return Removal::EntriesLeft;
  }
  trapped(clearAttributes(name));  // Windows refuses to delete a read-only file
  if (trapped(deleteFile(name))) return Removal::Failed;
  platform.message(Icon::Information, report_text::kDeleted, title);
  trapped(createHidden(name));
  return Removal::Done;
}

}  // namespace kov
