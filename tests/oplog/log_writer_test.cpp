#include "cores/oplog/log_writer.h"

#include <gtest/gtest.h>

#ifndef _WIN32
#include <sys/wait.h>
#include <unistd.h>
#endif

#include "report/report_files.h"

namespace kov {
namespace {

const std::string kEntry = test::entryText('N', "04/12/2026", "Backup");

// The file an entry creates or finds, the record it adds, and each failing step with its
// messages are checked byte for byte by the fault walk and the window tests.
TEST(AppendEntry, AnEntryThatCannotBeScrambledIsNotAppended) {
  test::TempFolder folder;
  test::FakePlatform platform;
  platform.folder = folder.path();
  folder.write("OdV", test::storedRecord(kEntry));
  Kov_Par par;
  std::int64_t records = 0;
  EXPECT_FALSE(appendEntry(platform, par, kEntry + "\xFF", records));
  EXPECT_EQ(folder.read("OdV"), test::storedRecord(kEntry));
  EXPECT_EQ(platform.texts(),
            std::vector<std::string>{test::trappedText("Cripta_Decripta", test::kBadCall)});
}

#ifndef _WIN32  // needs processes
// Each of two processes appends 1,000 entries at once: every one arrives whole, in order.
TEST(AppendEntry, TwoProcessesAppendingAtOnceLoseAndTearNothing) {
  test::TempFolder folder;
  pid_t children[2];
  for (int child = 0; child < 2; ++child) {
    children[child] = ::fork();
    ASSERT_GE(children[child], 0);
    if (children[child] != 0) continue;
    test::FakePlatform platform;
    platform.folder = folder.path();
    Kov_Par par;
    std::int64_t records = 0;
    for (int i = 0; i < 1000; ++i) {
      appendEntry(platform, par, kEntry + std::to_string(child) + "-" + std::to_string(i), records);
    }
    ::_exit(platform.messages.empty() ? 0 : 1);
  }
  for (const pid_t child : children) {
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  }
  const std::string bytes = folder.read("OdV");
  ASSERT_EQ(bytes.size(), 2000U * 256);
  int seen[2] = {0, 0};
  for (std::size_t at = 0; at < bytes.size(); at += 256) {
    const std::string record = bytes.substr(at, 256);
    const int child = test::shifted(record, -2)[kEntry.size()] - '0';
    ASSERT_TRUE(child == 0 || child == 1);
    EXPECT_EQ(record, test::storedRecord(kEntry + std::to_string(child) + "-" +
                                         std::to_string(seen[child]++)));
  }
  EXPECT_EQ(seen[0], 1000);
}
#endif

}  // namespace
}  // namespace kov
