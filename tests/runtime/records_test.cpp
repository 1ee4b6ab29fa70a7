#include "runtime/records.h"

#include <gtest/gtest.h>

#include "support/temp_folder.h"

namespace kov {
namespace {

using test::TempFolder;

std::string record(char fill) {
  return std::string(253, fill) + "|\r\n";
}

// The records made of texts are checked byte for byte wherever a record is stored.
TEST(Records, ReadTellsARecordPastTheEndAndLeavesTheTextAlone) {
  TempFolder folder;
  folder.write("KoV", record('1') + record('2') + record('3') + record('4') + "torn");
  File file;
  ASSERT_FALSE(file.open(folder.file("KoV"), File::Mode::Read));
  std::string text = "unchanged";
  bool complete = false;
  ASSERT_FALSE(readRecord(file, 2, text, complete));
  EXPECT_TRUE(complete);
  EXPECT_EQ(text, record('2'));
  text = "unchanged";
  for (const std::int64_t n : {5, 6, 40000}) {
    ASSERT_FALSE(readRecord(file, n, text, complete));
    EXPECT_FALSE(complete) << n;
    EXPECT_EQ(text, "unchanged") << n;
  }
  std::int64_t count = 0;
  ASSERT_FALSE(countRecords(file, count));
  EXPECT_EQ(count, 4);
}

TEST(Records, WriteInPlaceKeepsTheOtherRecordsAndGrowsOnly) {
  TempFolder folder;
  const std::string four = record('1') + record('2') + record('3') + record('4');
  folder.write("KoV", four);
  File file;
  ASSERT_FALSE(file.open(folder.file("KoV"), File::Mode::Update));
  ASSERT_FALSE(writeRecord(file, 1, "short"));
  EXPECT_EQ(folder.read("KoV"), "short" + std::string(251, ' ') + four.substr(256));
  ASSERT_FALSE(writeRecord(file, 6, record('6')));
  const std::string grown = folder.read("KoV");
  ASSERT_EQ(grown.size(), 6 * kRecordSize);
  EXPECT_EQ(grown.substr(1024, 256),
            std::string(256, '\0'));  // the gap, as a sparse write leaves it
  EXPECT_EQ(grown.substr(1280), record('6'));
}

TEST(Records, ReadsLinesOfEveryShape) {
  TempFolder folder;
  const struct {
    std::string bytes;
    std::size_t maxLines;
    std::vector<std::string> lines;
  } cases[] = {
      {"", 4, {}},
      {"a\r\nb\r\n", 4, {"a", "b"}},
      {"a\nb\n", 4, {"a", "b"}},
      {"a\rb", 4, {"a", "b"}},
      {"a\r\n\r\nb", 4, {"a", "", "b"}},
      {"1\r\n2\r\n3\r\n4\r\n5\r\n", 4, {"1", "2", "3", "4"}},
      {"only one\r\nsecond", 1, {"only one"}},
      {std::string(300, 'x') + "\r\nnext", 4, {std::string(256, 'x'), "next"}},
      {std::string(3, '\0') + "\r\n", 4, {std::string(3, '\0')}},
      // CR ends the first 4096-byte read, LF begins the next: one line end.
      {std::string(4095, 'a') + "\r\nb", 4, {std::string(256, 'a'), "b"}},
  };
  for (const auto& c : cases) {
    folder.write("KoV", c.bytes);
    File file;
    ASSERT_FALSE(file.open(folder.file("KoV"), File::Mode::Read));
    std::vector<std::string> lines{"stale"};
    ASSERT_FALSE(readLines(file, c.maxLines, lines));
    EXPECT_EQ(lines, c.lines) << c.bytes.substr(0, 20);
  }
}

}  // namespace
}  // namespace kov
