// An entry appended to any file fills a torn record with NULs and is a whole record after it.
#include <cstdlib>

#include "cores/oplog/log_writer.h"
#include "support/fake_platform.h"
#include "support/temp_folder.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static kov::test::TempFolder folder;
  static kov::test::FakePlatform platform;
  platform.folder = folder.path();
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  folder.write("OdV", bytes);
  kov::Kov_Par par;
  std::int64_t records = 0;
  const bool written = kov::appendEntry(platform, par, "N04/12/202609:05:03PC    rossi", records) ==
                       kov::Appended::Done;
  const std::string after = folder.read("OdV");
  const std::size_t whole = (size + 255) / 256 * 256;
  if (!written || !platform.messages.empty() ||
      records * 256 != static_cast<std::int64_t>(whole + 256) || after.size() != whole + 256 ||
      after.compare(0, size, bytes) || after.find_first_not_of('\0', size) != whole ||
      !after.ends_with("|\r\n")) {
    std::abort();
  }
  return 0;
}
