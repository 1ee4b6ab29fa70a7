// Counting and reading the records and lines of any file.
#include <cstdlib>
#include <vector>

#include "fuzz_platform.h"
#include "shell/runtime/records.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static kov::fuzz::SilentPlatform platform;
  platform.put("OdV", data, size);
  kov::File file;
  if (file.open(platform.folder + "\\odv", kov::File::Mode::Read)) std::abort();
  std::int64_t count = -1;
  if (kov::countRecords(file, count) || count != static_cast<std::int64_t>(size / 256)) {
    std::abort();
  }
  std::string record;
  bool complete = false;
  for (std::int64_t n = 1; n <= count + 1; ++n) {
    if (kov::readRecord(file, n, record, complete)) std::abort();
    if (complete != (n <= count) || (complete && record.size() != 256)) std::abort();
  }
  std::vector<std::string> lines;
  if (kov::readLines(file, 4, lines) || lines.size() > 4) std::abort();
  for (const std::string& line : lines) {
    if (line.size() > 256) std::abort();
  }
  return 0;
}
