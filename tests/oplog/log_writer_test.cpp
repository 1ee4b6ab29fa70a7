#include "cores/oplog/log_writer.h"

#include <gtest/gtest.h>

#include "report/report_files.h"

namespace kov {
namespace {

// The records an entry adds, each failing step and a second program appending meanwhile are
// checked by the fault walk, the window tests and the removal; here an entry that cannot be
// scrambled: shown, and nothing appended.
TEST(AppendEntry, AnEntryThatCannotBeScrambledIsNotAppended) {
  test::TempFolder folder;
  test::FakePlatform platform;
  platform.folder = folder.path();
  Kov_Par par;
  std::int64_t records = 0;
  const std::string entry = test::entryText('N', "04/12/2026", "Backup");
  EXPECT_TRUE(appendEntry(platform, par, entry, records));
  EXPECT_FALSE(appendEntry(platform, par, entry + "\xFF", records));
  EXPECT_EQ(folder.read("OdV"), test::storedRecord(entry));
  EXPECT_EQ(platform.texts(),
            std::vector<std::string>{test::trappedText("Cripta_Decripta", test::kBadCall)});
}

}  // namespace
}  // namespace kov
