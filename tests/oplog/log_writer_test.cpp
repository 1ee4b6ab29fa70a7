#include "cores/oplog/log_writer.h"

#include <gtest/gtest.h>

#ifndef _WIN32
#include <sys/wait.h>
#include <unistd.h>
#endif

#include "cores/oplog/entry.h"
#include "support/expected.h"
#include "support/fake_platform.h"
#include "support/temp_folder.h"

namespace kov {
namespace {

using test::storedRecord;

struct Writer {
  test::TempFolder folder;
  test::FakePlatform platform;
  Kov_Par par;
  Writer() { platform.folder = folder.path(); }
  std::int64_t records = 0;
  bool append(const std::string& entry) { return appendEntry(platform, par, entry, records); }
};

const std::string kEntry = "N04/12/202609:05:03PC-01         Admin               Backup";

// The file an entry creates or finds, the record it adds, and each failing step with its
// messages are checked byte for byte by FaultWalk (Entry, PasswordChange, AdministratorSetUp)
// and DamagedFiles (a torn record at the end).
TEST(AppendEntry, AnEntryThatCannotBeScrambledIsNotAppended) {
  Writer w;
  const std::string first = storedRecord("N01/12/202608:00:00");
  w.folder.write("OdV", first);
  EXPECT_FALSE(w.append(kEntry + "\xFF"));
  EXPECT_EQ(w.folder.read("OdV"), first);
  ASSERT_EQ(w.platform.messages.size(), 1U);
  EXPECT_EQ(w.platform.messages[0].text,
            "Si \xE8 verificato il seguente errore nella Sub Cripta_Decripta :\n\r"
            "5-Chiamata di routine o argomento non validi");
}

#ifndef _WIN32  // needs processes
TEST(AppendEntry, TwoProcessesAppendingAtOnceLoseAndTearNothing) {
  Writer w;
  constexpr int kEach = 1000;
  pid_t children[2];
  for (int child = 0; child < 2; ++child) {
    children[child] = ::fork();
    ASSERT_GE(children[child], 0);
    if (children[child] == 0) {
      test::FakePlatform platform;
      platform.folder = w.folder.path();
      Kov_Par par;
      std::int64_t records = 0;
      for (int i = 0; i < kEach; ++i) {
        appendEntry(platform, par, kEntry + std::to_string(child) + "-" + std::to_string(i),
                    records);
      }
      ::_exit(platform.messages.empty() ? 0 : 1);
    }
  }
  for (const pid_t child : children) {
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  }
  const std::string bytes = w.folder.read("OdV");
  ASSERT_EQ(bytes.size(), 2U * kEach * 256);
  int seen[2] = {0, 0};
  for (std::size_t at = 0; at < bytes.size(); at += 256) {
    const std::string record = bytes.substr(at, 256);
    ASSERT_EQ(record.substr(253), "|\r\n");
    const std::string entry = test::shifted(record.substr(0, record.find(' ')), -2);
    const int child = entry[kEntry.size()] - '0';
    // Each process's entries arrive whole and in the order it wrote them.
    EXPECT_EQ(entry, kEntry + std::to_string(child) + "-" + std::to_string(seen[child]));
    ++seen[child];
  }
  EXPECT_EQ(seen[0], kEach);
  EXPECT_EQ(seen[1], kEach);
}
#endif

}  // namespace
}  // namespace kov
