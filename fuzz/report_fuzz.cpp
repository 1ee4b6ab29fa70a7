// Any recordings file: the report keeps its size and torn end, and a second run copies none.
#include <cstdio>
#include <cstdlib>

#include "cores/report/report_engine.h"
#include "support/fake_platform.h"
#include "support/temp_folder.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static kov::test::TempFolder folder;
  static kov::test::FakePlatform platform;
  platform.messages.clear();
  const std::string before(reinterpret_cast<const char*>(data), size);
  folder.write("OdV", before);
  std::remove(folder.file("Report").c_str());
  const kov::ReportRequest request{
      folder.file("OdV"), folder.path() + "\\", "Report", "20260101", "20261231", false, "KoV"};
  const kov::ReportOutcome first = kov::generateReport(platform, request);
  const std::string after = folder.read("OdV");
  const std::size_t report = folder.exists("Report") ? folder.read("Report").size() : 0;
  const kov::ReportOutcome second = kov::generateReport(platform, request);
  // The second run finds nothing to copy: it must leave the file as the first one left it
  // (cppcheck takes the two reads of the file for one value).
  // cppcheck-suppress knownConditionTrueFalse
  const bool unchanged = folder.read("OdV") == after;
  if (!first.complete || first.reportFailed ||
      first.records != static_cast<std::int64_t>(size / 256) || after.size() != size ||
      after.compare(size / 256 * 256, size, before, size / 256 * 256) != 0 ||
      report != (first.copied == 0 ? 0 : static_cast<std::size_t>(first.copied + 1) * 256) ||
      second.copied != 0 || second.unreported != first.unreported || !unchanged) {
    std::abort();
  }
  return 0;
}
