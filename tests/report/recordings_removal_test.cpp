#include "report/recordings_removal.h"

#include <gtest/gtest.h>

#include "shell/runtime/file.h"
#include "support/fake_platform.h"
#include "support/temp_folder.h"

namespace kov {
namespace {

const std::string kTwoRecords = std::string(256, 'a') + std::string(256, 'b');

struct Removing {
  test::TempFolder folder;
  test::FakePlatform platform;

  Removing() { folder.write("OdV", kTwoRecords); }
  // Named with another letter case, as start-up names it: the new file takes that name.
  Removal remove(std::int64_t expected) {
    return removeRecordings(platform, folder.path() + "\\Odv", expected, "Log Accessi");
  }
};

TEST(RemoveRecordings, DeletesAndStartsAnEmptyHiddenFile) {
  Removing r;
  EXPECT_EQ(r.remove(2), Removal::Done);
  EXPECT_EQ(r.folder.names(), std::vector<std::string>{"Odv"});
  EXPECT_EQ(r.folder.read("Odv"), "");
  EXPECT_TRUE(isHidden(r.folder.path() + "\\Odv"));
  ASSERT_EQ(r.platform.messages.size(), 1U);
  EXPECT_EQ(r.platform.messages[0].icon, Icon::Information);
  EXPECT_EQ(r.platform.messages[0].text, "Il File delle scritture \xE8 stato Eliminato");
  EXPECT_EQ(r.platform.messages[0].title, "Log Accessi");
}

TEST(RemoveRecordings, KeepsAFileThatHoldsRecordsTheRunDidNotSee) {
  for (const std::int64_t expected : {1, 3}) {
    Removing r;
    EXPECT_EQ(r.remove(expected), Removal::EntriesLeft);
    EXPECT_EQ(r.folder.read("OdV"), kTwoRecords);
    EXPECT_TRUE(r.platform.messages.empty());
  }
}

}  // namespace
}  // namespace kov
