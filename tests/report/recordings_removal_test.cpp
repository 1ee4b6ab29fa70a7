#include "cores/report/recordings_removal.h"

#include <gtest/gtest.h>

#ifndef _WIN32
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <sstream>
#include <thread>
#endif

#include "report/report_files.h"
#include "runtime/file.h"

namespace kov {
namespace {

const std::string kA = test::reportRecord("a"), kB = test::reportRecord("b");
const std::string kLogged = test::reportRecord("l"), kNew = test::reportRecord("n");

struct Removing {
  test::TempFolder folder;
  test::FakePlatform platform;
  explicit Removing(const std::string& recordings) { folder.write("OdV", recordings); }
  std::string name() const { return dataFileName(folder.path(), "\\Odv"); }
  Removal remove(std::int64_t scanned) {
    return removeRecordings(platform, name(), scanned, kLogged, kNew, "Log Accessi");
  }
};

// After the records the run read, only its own logged entry and appends no user saw
// confirmed may follow; the new file is hidden, for owner and group whatever the umask.
TEST(RemoveRecordings, ReplacesOnlyAFileHoldingWhatTheRunAccountedFor) {
  const std::string partial = "PARTIAL" + std::string(249, '\0');
  // clang-format off
  const struct { std::string recordings; std::int64_t scanned; bool replaced; } rows[] = {
      {kA + kB, 2, true}, {kA + kB + kLogged, 2, true}, {kA + kB + partial + kLogged, 2, true},
      {kA + kB + kLogged + "PART", 2, true}, {kA + kB + kLogged + kA, 2, false}, {kA + kB + kA + kLogged, 2, false},
      {kA + kB + kLogged + kLogged, 2, false}, {kA, 2, false} /* replaced meanwhile */,
      {kA + kB.substr(0, 254) + "\n", 1, false} /* LF for CR LF */, {kA + kB + "PARTIAL" + std::string(249, 'x'), 2, false},
  };
  // clang-format on
#ifndef _WIN32
  ::umask(022);  // the test's own files are 0644
#endif
  for (const auto& row : rows) {
    SCOPED_TRACE(testing::PrintToString(row.recordings.substr(256)));
    Removing r(row.recordings);
    EXPECT_EQ(r.remove(row.scanned), row.replaced ? Removal::Done : Removal::EntriesLeft);
    EXPECT_EQ(r.folder.names(), std::vector<std::string>{"OdV"});
    EXPECT_EQ(r.folder.read("OdV"), row.replaced ? kNew : row.recordings);
    EXPECT_EQ(isHidden(r.name()), row.replaced);
#ifndef _WIN32
    struct stat st {};
    ASSERT_EQ(::stat(r.name().c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, row.replaced ? 0660U : 0644U);
#endif
    EXPECT_EQ(r.platform.messages.size(), row.replaced ? 1U : 0U);
    for (const auto& m : r.platform.messages)
      EXPECT_EQ(m.text + m.title, test::kDeleted + "Log Accessi");
  }
}

#ifndef _WIN32  // Windows renames nothing over an open file: there the removal closes it first
// A copy of the program that opened the file before the removal writes into the new file.
TEST(RemoveRecordings, AWriterThatOpenedTheOldFileWritesIntoTheNewOne) {
  Removing r(kA);
  File writer;
  ASSERT_FALSE(writer.open(r.name(), File::Mode::Append));
  ASSERT_EQ(r.remove(1), Removal::Done);
  std::int64_t number = 0;
  ASSERT_FALSE(writer.appendRecord(kB, number));
  EXPECT_EQ(number, 2);
  EXPECT_EQ(r.folder.read("OdV"), kNew + kB);
}

// A second process holds the writers' lock while the removal checks the file, then
// appends: the removal waits for it, finds the entry and keeps the file.
TEST(RemoveRecordings, AnEntryAppendedByAnotherProcessMeanwhileKeepsTheFile) {
  Removing r(kA);
  const pid_t child = ::fork();
  if (child == 0) {
    File writer;
    std::int64_t number = 0;
    if (writer.open(r.name(), File::Mode::Append) || writer.lock()) ::_exit(1);
    r.folder.write("locked", "");
    for (std::string locks; locks.find("->") == std::string::npos;) {  // until someone waits
      std::stringstream text;
      text << std::ifstream("/proc/locks").rdbuf();
      locks = text.str();
    }
    ::_exit(writer.appendRecord(kB, number) || writer.sync() ? 1 : 0);
  }
  while (!r.folder.exists("locked")) std::this_thread::yield();
  EXPECT_EQ(r.remove(1), Removal::EntriesLeft);
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  EXPECT_EQ(r.folder.read("OdV"), kA + kB);
}
#endif

}  // namespace
}  // namespace kov
