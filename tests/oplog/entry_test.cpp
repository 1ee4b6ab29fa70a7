#include "cores/oplog/entry.h"

#include <gtest/gtest.h>

#include "support/expected.h"

namespace kov {
namespace {

using test::pad;

TEST(EntryText, FieldsLieAtTheirPositions) {
  const DateTime at{2026, 12, 4, 9, 5, 3};
  const std::string description200(200, 'd');
  const struct {
    std::string workstation, account, description;
    std::string expected;
  } cases[] = {
      {"PC-01", "Admin", "", "N04/12/202609:05:03" + pad("PC-01", 14) + pad("Admin", 20)},
      {" PC", "Admin", "  Backup  ",
       "N04/12/202609:05:03" + pad(" PC", 14) + pad("Admin", 20) + "Backup"},
      {"PC-01", std::string(20, 'a'), "x",
       "N04/12/202609:05:03" + pad("PC-01", 14) + std::string(20, 'a') + "x"},
      {"WORKSTATION-LONG-NAME", "Admin", "a|b \"c\"",
       "N04/12/202609:05:03WORKSTATION-LO" + pad("Admin", 20) + "a|b \"c\""},
      {"PC", "Admin", description200,
       "N04/12/202609:05:03" + pad("PC", 14) + pad("Admin", 20) + description200},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(entryText(at, c.workstation, c.account, c.description), c.expected);
  }
  EXPECT_EQ(entryText({2026, 1, 31, 23, 59, 59}, "", "", "").substr(0, 19), "N31/01/202623:59:59");
}

// The line of a whole entry is checked in its confirmation by FaultWalk; here an entry
// rewritten as reported, which has lost the spaces at its end.
TEST(EntryText, DisplayLineOfAnEntryCutShort) {
  EXPECT_EQ(displayLine("S04/12/202609:05:03PC"), "|04/12/2026|09:05:03|PC||");
}

}  // namespace
}  // namespace kov
