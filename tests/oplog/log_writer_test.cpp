#include "cores/oplog/log_writer.h"

#include <gtest/gtest.h>

#ifndef _WIN32  // processes
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>

#include "report/report_files.h"

namespace kov {
namespace {

// This process and a second one append at once to one recordings file: every record whole,
// none lost, each at the number the writer gave it. An entry that cannot be scrambled is shown and
// not appended. Each failing step of an entry is walked by the fault walk.
TEST(AppendEntry, TwoProcessesAppendingAtOnceLoseAndTearNothing) {
  test::TempFolder folder;
  std::vector<std::string> expected, records;
  for (int i = 0; i < 800; ++i)
    expected.push_back(test::entryText('N', "04/12/2026", std::to_string(i)));
  const pid_t child = ::fork();
  test::FakePlatform platform;
  platform.folder = folder.path();
  Kov_Par par;
  std::int64_t count = 0;
  int misnumbered = 0;  // entries not at the record number the writer gave
  for (int i = child == 0 ? 0 : 400, end = i + 400; i < end; ++i) {
    EXPECT_TRUE(appendEntry(platform, par, expected[i], count));
    const auto at = static_cast<std::size_t>(count - 1) * 256;
    misnumbered += folder.read("OdV").substr(at, 256) != test::storedRecord(expected[i]);
  }
  if (child == 0) ::_exit(platform.messages.empty() && misnumbered == 0 ? 0 : 1);
  EXPECT_EQ(misnumbered, 0);
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  EXPECT_FALSE(appendEntry(platform, par, expected[0] + "\xFF", count));
  EXPECT_EQ(platform.texts(),
            std::vector<std::string>{test::trappedText("Cripta_Decripta", test::kBadCall)});
  const std::string bytes = folder.read("OdV");
  for (std::size_t at = 0; at < bytes.size(); at += 256) records.push_back(bytes.substr(at, 256));
  for (std::string& text : expected) text = test::storedRecord(text);
  std::ranges::sort(records);
  std::ranges::sort(expected);
  EXPECT_TRUE(records == expected);
}

}  // namespace
}  // namespace kov
#endif
