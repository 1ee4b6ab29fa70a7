#include "cores/oplog/log_writer.h"

#include <gtest/gtest.h>

#ifndef _WIN32
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#endif

#include "report/report_files.h"

namespace kov {
namespace {

// Each step of an entry failing is walked by the fault walk; here an entry that cannot be
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

#ifndef _WIN32  // processes
// This process and a second one append at once to one recordings file: every record whole,
// none lost.
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
  for (int i = child == 0 ? 0 : 400, end = i + 400; i < end; ++i)
    appendEntry(platform, par, expected[i], count);
  if (child == 0) ::_exit(platform.messages.empty() ? 0 : 1);
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0 && platform.messages.empty());
  const std::string bytes = folder.read("OdV");
  for (std::size_t at = 0; at < bytes.size(); at += 256) records.push_back(bytes.substr(at, 256));
  for (std::string& text : expected) text = test::storedRecord(text);
  std::ranges::sort(records);
  std::ranges::sort(expected);
  EXPECT_TRUE(records == expected);
}
#endif

}  // namespace
}  // namespace kov
