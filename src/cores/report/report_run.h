// One press of the report button: the report, the entry that logs it, the removal of the
// recordings file when asked and allowed, and every message the user sees about them.
// No Qt here.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "cores/shared/kov_par.h"
#include "report_engine.h"

namespace kov {

// What the run asks of the window it was started from.
struct ReportWindow {
  // Puts the description in the comment box and saves it as an entry, as the window's own
  // entries are saved.
  std::function<void(std::string_view description)> logEntry;
  // Puts the description in the comment box; the entry text the window would save now.
  std::function<std::string(std::string_view description)> entryOf;
  // Shows the number of records the recordings file holds.
  std::function<void(std::int64_t records)> showCount;
  // The report file holds the entries copied, all of them marked: what the window offers
  // beside it comes right after the message that names the report.
  std::function<void(std::int64_t copied)> reportWritten;
};

struct ReportRun {
  ReportRequest request;
  std::string from;  // the period as the date boxes show it
  std::string to;
  bool remove = false;  // remove the recordings file when the run leaves nothing in it
};

void runReport(Platform& platform, Kov_Par& par, const ReportRun& run, const ReportWindow& window);

}  // namespace kov
