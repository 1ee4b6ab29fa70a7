// Counting, reading and appending to any file of records: the count and every record are
// the file's own bytes, its lines are cut where a line end stands, and an entry appended
// after any content starts on a record boundary and leaves the records before it whole.
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "fuzz_platform.h"
#include "cores/oplog/log_writer.h"
#include "runtime/records.h"

namespace {

// The first `maxLines` lines of the bytes, cut to 256 characters: CR LF, CR or LF ends a
// line, and a last line without an end counts.
std::vector<std::string> linesOf(std::string_view bytes, std::size_t maxLines) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < bytes.size() && lines.size() < maxLines) {
    const std::size_t end = std::min(bytes.find_first_of("\r\n", start), bytes.size());
    lines.emplace_back(bytes.substr(start, std::min<std::size_t>(end - start, 256)));
    start = end + (bytes.substr(end, 2) == "\r\n" ? 2 : 1);
  }
  return lines;
}

std::string contentOf(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static kov::fuzz::SilentPlatform platform;
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  platform.put("OdV", data, size);
  {
    kov::File file;
    if (file.open(kov::dataFileName(platform.folder, "\\odv"), kov::File::Mode::Read)) {
      std::abort();
    }
    std::int64_t count = -1;
    if (kov::countRecords(file, count) || count != static_cast<std::int64_t>(size / 256)) {
      std::abort();
    }
    std::string record;
    bool complete = false;
    for (std::int64_t n = 1; n <= count + 1; ++n) {
      if (kov::readRecord(file, n, record, complete)) std::abort();
      if (complete != (n <= count)) std::abort();
      if (complete && record != bytes.substr(static_cast<std::size_t>(n - 1) * 256, 256)) {
        std::abort();
      }
    }
    std::vector<std::string> lines;
    if (kov::readLines(file, 4, lines) || lines != linesOf(bytes, 4)) std::abort();
  }

  // The writer appends one entry: a torn last record is filled with NULs, nothing before it
  // changes, the entry is a whole record of its own, and the count it gives is the file's.
  kov::Kov_Par par;
  platform.messages = 0;
  std::int64_t records = 0;
  if (!kov::appendEntry(platform, par, "N04/12/202609:05:03PC            rossi", records) ||
      platform.messages != 0) {
    std::abort();
  }
  const std::string after = contentOf(platform.folder + "/OdV");
  const std::size_t whole = (size + 255) / 256 * 256;
  if (after.size() != whole + 256 || records != static_cast<std::int64_t>(after.size() / 256) ||
      after.compare(0, size, bytes) != 0 || after.find_first_not_of('\0', size) != whole ||
      after.substr(whole) !=
          kov::recordOf("P26134142482;<27<25RE" + std::string(12, '"') + "tquuk")) {
    std::abort();
  }
  return 0;
}
