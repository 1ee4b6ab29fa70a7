#include "report/recordings_removal.h"

#include <gtest/gtest.h>

#ifndef _WIN32
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <sstream>
#include <thread>
#endif

#include "shell/runtime/file.h"
#include "support/fake_platform.h"
#include "support/temp_folder.h"

namespace kov {
namespace {

const std::string kA = std::string(253, 'a') + "|\r\n";
const std::string kB = std::string(253, 'b') + "|\r\n";
const std::string kLogged = std::string(253, 'l') + "|\r\n";
const std::string kNew = std::string(253, 'n') + "|\r\n";
const std::string kDeleted = "Il File delle scritture \xE8 stato Eliminato";

struct Removing {
  test::TempFolder folder;
  test::FakePlatform platform;

  explicit Removing(const std::string& recordings) { folder.write("OdV", recordings); }
  std::string name() const { return dataFileName(folder.path(), "\\Odv"); }
  Removal remove(std::int64_t scanned) {
    return removeRecordings(platform, name(), scanned, kLogged, kNew, "Log Accessi");
  }
};

// What may follow the records the run read: its own logged entry, and appends no user saw
// confirmed (torn by a crash, filled with NULs by the next append, or torn at the very end).
TEST(RemoveRecordings, ReplacesAFileHoldingOnlyWhatTheRunAccountedFor) {
  const struct {
    const char* name;
    std::string recordings;
  } cases[] = {
      {"exactly the records read", kA + kB},
      {"and the logged entry", kA + kB + kLogged},
      {"a torn append filled, then the logged entry",
       kA + kB + "PARTIAL" + std::string(249, '\0') + kLogged},
      {"a torn append at the end", kA + kB + kLogged + "PART"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Removing r(c.recordings);
    EXPECT_EQ(r.remove(2), Removal::Done);
    EXPECT_EQ(r.folder.names(), std::vector<std::string>{"OdV"});
    EXPECT_EQ(r.folder.read("OdV"), kNew);
    EXPECT_TRUE(isHidden(r.name()));
    ASSERT_EQ(r.platform.messages.size(), 1U);
    EXPECT_EQ(r.platform.messages[0].icon, Icon::Information);
    EXPECT_EQ(r.platform.messages[0].text, kDeleted);
    EXPECT_EQ(r.platform.messages[0].title, "Log Accessi");
  }
}

TEST(RemoveRecordings, KeepsAFileThatHoldsRecordsTheRunDidNotSee) {
  const struct {
    const char* name;
    std::string recordings;
    std::int64_t scanned;
  } cases[] = {
      {"an entry appended after the scan", kA + kB + kLogged + kA, 2},
      {"an entry appended before the logged one", kA + kB + kA + kLogged, 2},
      {"the logged entry twice", kA + kB + kLogged + kLogged, 2},
      {"fewer records than the run read: replaced meanwhile", kA, 2},
      {"a last record a copy made one byte short (LF for CR LF)", kA + kB.substr(0, 254) + "\n", 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Removing r(c.recordings);
    EXPECT_EQ(r.remove(c.scanned), Removal::EntriesLeft);
    EXPECT_EQ(r.folder.read("OdV"), c.recordings);
    EXPECT_TRUE(r.platform.messages.empty());
  }
}

#ifndef _WIN32
// The new file is for owner and group alone whatever the umask, so a file the data
// controller's removal makes is still writable by the administrator.
TEST(RemoveRecordings, TheNewFileIsReadableAndWritableByOwnerAndGroupOnly) {
  Removing r(kA);
  const mode_t old = ::umask(022);
  EXPECT_EQ(r.remove(1), Removal::Done);
  ::umask(old);
  struct stat st {};
  ASSERT_EQ(::stat(r.name().c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0660U);
}

// A copy of the program that opened the file just before the removal replaced it writes its
// entry into the new file, not into the one that is gone.
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

// True once another process waits for a lock this process holds.
bool someoneWaitsForALock() {
  std::ifstream locks("/proc/locks");
  std::stringstream text;
  text << locks.rdbuf();
  return text.str().find("->") != std::string::npos;
}

// A second process that appends while the removal checks the file: the removal waits for
// the writer's lock, then finds the entry and keeps the file.
TEST(RemoveRecordings, AnEntryAppendedByAnotherProcessMeanwhileKeepsTheFile) {
  Removing r(kA);
  int ready[2];
  ASSERT_EQ(::pipe(ready), 0);
  const pid_t child = ::fork();
  if (child == 0) {
    File writer;
    std::int64_t number = 0;
    if (writer.open(r.name(), File::Mode::Append) || writer.lock()) ::_exit(1);
    ::close(ready[0]);
    if (::write(ready[1], "x", 1) != 1) ::_exit(1);
    // Holds the lock until the removal waits for it, then appends.
    while (!someoneWaitsForALock()) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    ::_exit(writer.appendRecord(kB, number) || writer.sync() ? 1 : 0);
  }
  ::close(ready[1]);
  char byte = 0;
  ASSERT_EQ(::read(ready[0], &byte, 1), 1);
  ::close(ready[0]);
  EXPECT_EQ(r.remove(1), Removal::EntriesLeft);
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  EXPECT_EQ(r.folder.read("OdV"), kA + kB);
}
#endif

}  // namespace
}  // namespace kov
