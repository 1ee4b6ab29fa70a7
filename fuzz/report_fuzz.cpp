// The report run over any recordings file: it never changes the file's size, writes one
// report line per copied entry, and marks what it copies so that a second run finds it
// reported, whole, and copies nothing more.
#include <cstdlib>
#include <filesystem>

#include "fuzz_platform.h"
#include "report/report_engine.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static kov::fuzz::SilentPlatform platform;
  platform.put("OdV", data, size);
  platform.put("Report", nullptr, 0);
  kov::ReportRequest request{platform.folder + "\\OdV",
                             platform.folder + "\\",
                             "Report",
                             "",
                             std::string(10, '\xFF'),
                             true,
                             "KoV"};
  platform.messages = 0;
  const kov::ReportOutcome first = kov::generateReport(platform, request);
  const int damaged = platform.messages;
  const std::filesystem::path recordings = platform.folder + "/OdV";
  const std::filesystem::path report = platform.folder + "/Report";
  if (!first.complete || first.reportFailed || first.records != static_cast<int64_t>(size / 256) ||
      std::filesystem::file_size(recordings) != size) {
    std::abort();
  }
  const auto lines = first.copied == 0 ? 0 : static_cast<std::uintmax_t>(first.copied + 1);
  if (lines != (std::filesystem::exists(report) ? std::filesystem::file_size(report) / 256 : 0)) {
    std::abort();
  }
  request.includeReported = false;
  platform.messages = 0;
  const kov::ReportOutcome second = kov::generateReport(platform, request);
  if (second.copied != 0 || second.unreported != 0 || platform.messages != damaged) std::abort();
  return 0;
}
