// The removal of the recordings file at the end of a report run: what keeps the file, and a
// second copy of the program writing meanwhile.
#include "cores/report/recordings_removal.h"

#include <gtest/gtest.h>

#include "runtime/file.h"
#include "support/report_files.h"
#include "support/tables.h"
#ifndef _WIN32
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <thread>
#endif

namespace kov {
namespace {

using namespace test;

const std::string kA = reportRecord("a"), kB = reportRecord("b");
const std::string kLogged = reportRecord("l"), kNew = reportRecord("n");
const LockWait kNoWait = [](const std::function<bool()>& /*attempt*/) { return false; };

// A program folder with its recordings file.
struct Folder : TempFolder {
  FakePlatform platform;
  explicit Folder(const std::string& recordings) { write("OdV", recordings); }
  std::string name() const { return dataFileName(path(), "\\Odv"); }
  Removal remove(std::int64_t scanned) {
    RecordLinks removed;
    return removeRecordings(platform, name(), scanned, kLogged, kNew, "Log Accessi", removed);
  }
};

struct Kept {
  const char* name;
  std::string recordings;
  std::int64_t scanned = 2;  // records the run read
  bool replaced = false;
};

const Kept kKept[] = {
    {.name = "OnlyWhatTheRunRead", .recordings = kA + kB, .replaced = true},
    {.name = "AndTheEntryTheRunLogged", .recordings = kA + kB + kLogged, .replaced = true},
    {
        .name = "AndATornAppendFilledWithNuls",
        .recordings = kA + kB + "PARTIAL" + std::string(249, '\0') + kLogged,
        .replaced = true,
    },
    {.name = "AndATornAppendAtTheEnd", .recordings = kA + kB + kLogged + "PART", .replaced = true},
    {.name = "AnEntryAfterTheLoggedOne", .recordings = kA + kB + kLogged + kA},
    {.name = "AnEntryBeforeTheLoggedOne", .recordings = kA + kB + kA + kLogged},
    {.name = "TheLoggedEntryTwice", .recordings = kA + kB + kLogged + kLogged},
    {.name = "ReplacedMeanwhileByAShorterFile", .recordings = kA},
    {.name = "LineFeedsForLineEnds", .recordings = kA + kB.substr(0, 254) + "\n", .scanned = 1},
    {.name = "AWholeRecordIsNoTornAppend",
     .recordings = kA + kB + "PARTIAL" + std::string(249, 'x')},
};

// After the records the run read, only its own logged entry and appends no user saw
// confirmed may follow; the new file is hidden, for owner and group whatever the umask, and
// takes the place of what a stopped run left beside the file.
TEST(RemoveRecordings, ReplacesOnlyAFileHoldingWhatTheRunAccountedFor) {
#ifndef _WIN32
  ::umask(022);  // the test's own files are 0644
#endif
  for (const Kept& row : kKept) {
    SCOPED_TRACE(row.name);
    Folder f(row.recordings);
    f.write("OdV.nuovo", "left by a stopped run");  // a replacement clears it
    EXPECT_EQ(f.remove(row.scanned), row.replaced ? Removal::Done : Removal::EntriesLeft);
    EXPECT_EQ(f.exists("OdV.nuovo"), !row.replaced);
    EXPECT_RECORDS(f.read("OdV"), row.replaced ? kNew : row.recordings);
    EXPECT_EQ(isHidden(f.name()), row.replaced);
#ifndef _WIN32
    struct stat st {};
    EXPECT_EQ(::stat(f.name().c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, row.replaced ? 0660U : 0644U);
#endif
    EXPECT_EQ(f.platform.messages.size(), row.replaced ? 1U : 0U);
    for (const auto& m : f.platform.messages) EXPECT_EQ(m.text + m.title, kDeleted + "Log Accessi");
  }
}

#ifndef _WIN32
// Windows renames nothing over an open file: there the removal closes it first.
// A copy of the program that opened the file before the removal writes into the new file.
TEST(RemoveRecordings, AWriterThatOpenedTheOldFileWritesIntoTheNewOne) {
  Folder f(kA);
  File writer;
  ASSERT_FALSE(writer.open(f.name(), File::Mode::Append));
  ASSERT_EQ(f.remove(1), Removal::Done);
  std::int64_t number = 0;
  ASSERT_FALSE(writer.lockLatest(kNoWait));
  ASSERT_FALSE(writer.appendLocked(kB, number));
  EXPECT_EQ(number, 2);
  EXPECT_RECORDS(f.read("OdV"), kNew + kB);
}

// A second process holds the writers' lock while the removal checks the file, then appends.
// A removal that gives up keeps the file and says why; one that waits finds the entry and
// keeps the file too.
TEST(RemoveRecordings, AnEntryAppendedByAnotherProcessMeanwhileKeepsTheFile) {
  Folder f(kA);
  const pid_t child = ::fork();
  if (child == 0) {
    File writer;
    std::int64_t number = 0;
    if (writer.open(f.name(), File::Mode::Append) || writer.lock(kNoWait)) ::_exit(1);
    f.write("locked", "");
    while (!f.exists("waiting")) std::this_thread::yield();
    const bool failed =
        writer.lockLatest(kNoWait) || writer.appendLocked(kB, number) || writer.sync();
    ::_exit(failed ? 1 : 0);
  }
  while (!f.exists("locked")) std::this_thread::yield();
  EXPECT_EQ(f.remove(1), Removal::Failed);
  EXPECT_EQ(f.platform.texts(), std::vector<std::string>{"Il File delle operazioni non \xE8 stato "
                                                         "Eliminato in quanto \xE8 in uso da un "
                                                         "altro programma: ripetere la generazione "
                                                         "tra qualche istante per eliminarlo"});
  f.platform.onWait = [&](const auto& ready, auto, auto) {
    f.write("waiting", "");
    while (!ready()) std::this_thread::yield();
    return true;
  };
  EXPECT_EQ(f.remove(1), Removal::EntriesLeft);
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  EXPECT_RECORDS(f.read("OdV"), kA + kB);
}
#endif

}  // namespace
}  // namespace kov
