// Real faults of the program folder, as the operating system gives them: data files that
// cannot be read, a folder in place of the recordings file, a full disk. Each test checks
// the exact messages and that nothing stored is lost.
#include <gtest/gtest.h>

#include <csignal>
#include <ctime>
#include <filesystem>

#include "report/controller_window.h"
#include "support/modes.h"
#ifndef _WIN32  // permissions and mounts
#include <sys/stat.h>
#include <unistd.h>

#include "support/small_disk.h"

namespace kov {
namespace {

namespace fs = std::filesystem;
using test::confirmation;
using test::entryText;
using test::kBackup;
using test::kNotDeleted;
using test::storedRecord;
using test::trappedText;

const std::string kNotOpen = "52-Nome o numero di file non valido";
const std::string kDiskFull = "61-Disco pieno";

// A file the program's user may write but not read, or a folder or a FIFO where the file
// should be.
enum class Fault { WriteOnly, Folder, Fifo };

void spoil(const test::Window& w, const char* name, Fault fault) {
  if (fault == Fault::WriteOnly) {
    w.folder.setOwnerAccess(name, 2);
    return;
  }
  fs::remove(w.folder.file(name));
  if (fault == Fault::Folder) {
    w.folder.makeFolder(name);
  } else {
    ASSERT_EQ(::mkfifo(w.folder.file(name).c_str(), 0600), 0);
  }
}

// An open that waits on a FIFO would hold the test for good: for the life of this guard a
// timer interrupts such waits of this thread, after 10 seconds and then every second, and
// says that it did.
class WaitGuard {
 public:
  WaitGuard() {
    struct sigaction action {};
    action.sa_handler = [](int) { rang_ = 1; };  // no SA_RESTART: the waiting call ends
    ::sigaction(SIGALRM, &action, &previous_);
    rang_ = 0;
    sigevent event{};
    event.sigev_notify = SIGEV_THREAD_ID;
    event.sigev_signo = SIGALRM;
    event._sigev_un._tid = ::gettid();  // this thread, not whichever one the kernel picks
    itimerspec after{};
    after.it_value.tv_sec = 10;
    after.it_interval.tv_sec = 1;
    if (::timer_create(CLOCK_MONOTONIC, &event, &timer_) != 0 ||
        ::timer_settime(timer_, 0, &after, nullptr) != 0) {
      throw std::runtime_error("no timer");
    }
  }
  ~WaitGuard() {
    ::timer_delete(timer_);
    ::sigaction(SIGALRM, &previous_, nullptr);
  }
  WaitGuard(const WaitGuard&) = delete;
  WaitGuard& operator=(const WaitGuard&) = delete;
  static bool waited() { return rang_ != 0; }

 private:
  static inline volatile std::sig_atomic_t rang_ = 0;
  struct sigaction previous_ {};
  timer_t timer_{};
};

TEST(RealFaults, ACredentialFileThatCannotBeReadEndsTheStartAndKeepsEveryRecord) {
  const struct {
    const char* file;
    Fault fault;
    std::string error;
  } cases[] = {
      {"KoV", Fault::WriteOnly, "70-Autorizzazione negata"},
      {"TdT", Fault::WriteOnly, "70-Autorizzazione negata"},
      {"KoV", Fault::Folder, "75-Errore di accesso al percorso/file"},
      {"TdT", Fault::Folder, "75-Errore di accesso al percorso/file"},
      {"KoV", Fault::Fifo, "75-Errore di accesso al percorso/file"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.file << " " << c.error);
    test::Window w;
    w.storeBothRoles();
    const std::string entries = storedRecord(entryText('N', "10/12/2026", "a"));
    w.folder.write("OdV", entries);
    const std::string administrator = w.folder.read("KoV");
    const std::string controller = w.folder.read("TdT");
    spoil(w, c.file, c.fault);
    {
      test::Unprivileged user(w.folder);
      const WaitGuard guard;
      // A role that could not be read is not offered for a set-up that would overwrite it.
      EXPECT_FALSE(w.load());
      EXPECT_FALSE(WaitGuard::waited());
    }
    EXPECT_EQ(w.platform.texts(),
              (std::vector<std::string>{trappedText("Leggi_Parametri_KOV", c.error),
                                        trappedText("Leggi_Parametri_KOV", kNotOpen)}));
    for (const test::Message& m : w.platform.messages) EXPECT_EQ(m.icon, Icon::Critical);
    if (c.fault == Fault::WriteOnly || std::string(c.file) != "KoV") {
      EXPECT_EQ(w.folder.read("KoV"), administrator);
    }
    if (c.fault == Fault::WriteOnly || std::string(c.file) != "TdT") {
      EXPECT_EQ(w.folder.read("TdT"), controller);
    }
    EXPECT_EQ(w.folder.read("OdV"), entries);
  }
}

TEST(RealFaults, ARecordingsFileThatCannotBeReadOrIsAFolderIsToldAndKeptWhole) {
  const std::string entries = storedRecord(entryText('N', "10/12/2026", "a")) +
                              storedRecord(entryText('N', "11/12/2026", "b"));
  const struct {
    Fault fault;
    std::string error;
    std::vector<std::string> entryFailure;  // what saving an entry meets
  } cases[] = {
      {Fault::WriteOnly, "70-Autorizzazione negata", {}},
      {Fault::Folder,
       "75-Errore di accesso al percorso/file",
       {trappedText("Scrive_Riga_di_Log", "75-Errore di accesso al percorso/file"),
        trappedText("Scrive_Riga_di_Log", kNotOpen)}},
      {Fault::Fifo,
       "75-Errore di accesso al percorso/file",
       {trappedText("Scrive_Riga_di_Log", "75-Errore di accesso al percorso/file"),
        trappedText("Scrive_Riga_di_Log", kNotOpen)}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.error);
    test::Window w;
    w.storeBothRoles();
    w.folder.makeFolder("report");
    w.folder.write("OdV", entries);
    spoil(w, "OdV", c.fault);
    {
      test::Unprivileged user(w.folder);
      const WaitGuard guard;
      w.show();
      test::expectMode(w, test::kRoleChoice);
      EXPECT_EQ(w.find<QLabel>("N_Accessi")->text(), "");  // uncounted, without a message
      EXPECT_TRUE(w.platform.messages.empty());

      w.signIn(0, "Admin", "password1");
      w.click("Cmd_Op");
      std::vector<std::string> expected = c.entryFailure;
      expected.push_back(confirmation("PC-01", "Admin", kBackup));
      EXPECT_EQ(w.platform.texts(), expected);

      w.platform.messages.clear();
      w.signIn(1, "Titolare", "segreto99");
      w.period("01122026", "31122026");
      w.click("Rimuovi");
      w.click("Cmd_Gp");
      // Nothing was read: no count of entries, no report, no removal.
      EXPECT_EQ(w.platform.texts(),
                (std::vector<std::string>{trappedText("Cmd_Gp_Click", c.error), kNotDeleted}));
      EXPECT_FALSE(WaitGuard::waited());
    }
    EXPECT_FALSE(w.folder.exists("report/20261231_0905_Log.txt"));
    if (c.fault == Fault::WriteOnly) {
      EXPECT_EQ(w.folder.read("OdV"), entries + test::loggedEntry("PC-01", "Admin", kBackup));
    } else {
      EXPECT_EQ(fs::status(w.folder.file("OdV")).type(),
                c.fault == Fault::Folder ? fs::file_type::directory : fs::file_type::fifo);
    }
  }
}

// The program folder on a disk of 1 MiB, filled to its last block by the test.
struct OnSmallDisk : test::Window {
  test::SmallDisk disk{folder.path(), std::size_t{1} << 20};

  // Entries of December filling whole blocks of the disk, so the next one needs a new block.
  std::string blockOfEntries() const {
    std::string entries;
    const auto count = static_cast<int>(::sysconf(_SC_PAGESIZE) / 256);
    for (int i = 0; i < count; ++i) entries += storedRecord(entryText('N', "10/12/2026", "a"));
    return entries;
  }
  // Both roles stored and a block of entries on the disk; the window shown. Gives the entries.
  std::string start() {
    storeBothRoles();
    std::string entries = blockOfEntries();
    folder.write("OdV", entries);
    show();
    return entries;
  }
};

std::string withoutSmallDisk(const test::SmallDisk& disk) {
  return "a tmpfs cannot be mounted here (" + disk.refusal() +
         "), so the full disk is left to the injected ENOSPC of FaultWalk";
}

TEST(FullDisk, AnEntryThatFindsTheDiskFullIsToldAndTheNextOneLandsOnARecordBoundary) {
  OnSmallDisk w;
  if (!w.disk.mounted()) GTEST_SKIP() << withoutSmallDisk(w.disk);
  const std::string entries = w.start();
  w.signIn(0, "Admin", "password1");
  ASSERT_TRUE(w.disk.fill());
  w.click("Cmd_Op");
  EXPECT_EQ(w.platform.texts(),
            (std::vector<std::string>{trappedText("Scrive_Riga_di_Log", kDiskFull),
                                      confirmation("PC-01", "Admin", kBackup)}));
  EXPECT_EQ(w.recordings(), entries);

  w.disk.empty();
  w.unlock("password1");
  w.click("Cmd_Op");
  EXPECT_EQ(w.recordings(), entries + test::loggedEntry("PC-01", "Admin", kBackup));
}

TEST(FullDisk, AReportThatFindsTheDiskFullMarksNothingAndRunsWholeOnceThereIsRoom) {
  OnSmallDisk w;
  if (!w.disk.mounted()) GTEST_SKIP() << withoutSmallDisk(w.disk);
  const std::string entries = w.start();
  const auto count = static_cast<int>(entries.size() / 256);
  w.folder.makeFolder("report");
  w.signIn(1, "Titolare", "segreto99");
  w.period("01122026", "31122026");
  w.click("Rimuovi");
  ASSERT_TRUE(w.disk.fill());
  w.click("Cmd_Gp");
  EXPECT_EQ(w.platform.texts(),
            (std::vector<std::string>{trappedText("Rw_Record", kDiskFull),
                                      "Attenzione, Ci sono ancora n.< " + std::to_string(count) +
                                          "> scritture da rilevare",
                                      kNotDeleted}));
  EXPECT_EQ(w.recordings(), entries);
  EXPECT_FALSE(w.folder.exists("report/20261231_0905_Log.txt"));

  w.disk.empty();
  w.platform.messages.clear();
  w.click("Cmd_Gp");
  std::string report = test::kHeadingRecord;
  for (int i = 0; i < count; ++i) report += test::reportedLine("10/12/2026", "a");
  EXPECT_EQ(w.folder.read("report/20261231_0905_Log.txt"), report);
  const std::vector<std::string> texts = w.platform.texts();
  ASSERT_EQ(texts.size(), 4U);
  EXPECT_EQ(texts[0], "Sono state rilevate n.  " + std::to_string(count) + " scritture in " +
                          w.folder.path() + "\\report\\20261231_0905_Log.txt");
  EXPECT_EQ(texts[2], "Il File delle scritture \xE8 stato Eliminato");
  EXPECT_EQ(w.recordings(), test::loggedRecord(test::kRemoved));
}

TEST(FullDisk, APasswordChangeOnAFullDiskStoresThePasswordAndTellsTheEntryWasNotSaved) {
  OnSmallDisk w;
  if (!w.disk.mounted()) GTEST_SKIP() << withoutSmallDisk(w.disk);
  const std::string entries = w.start();
  w.signIn(0, "Admin", "password1");
  w.whileDialogOpen = [](const Pw_Kov& dialog) { test::confirmPassword(dialog, "nuova-pw1"); };
  ASSERT_TRUE(w.disk.fill());
  w.click("Cmd_VPw");
  // The record is rewritten in place, which needs no new block; the entry does.
  EXPECT_EQ(w.platform.texts(),
            (std::vector<std::string>{trappedText("Scrive_Riga_di_Log", kDiskFull),
                                      confirmation("PC-01", "Admin", test::kChanged)}));
  EXPECT_EQ(w.folder.read("KoV"),
            test::administratorFile("PC-01", false, "Log.txt", w.folder.path() + "\\report",
                                    "Admin", "nuova-pw1"));
  EXPECT_EQ(w.folder.read("TdT"), test::controllerFile("Titolare", "segreto99"));
  EXPECT_EQ(w.recordings(), entries);
  w.unlock("nuova-pw1");
  test::expectMode(w, test::kAdministratorSignedIn);
}

}  // namespace
}  // namespace kov
#endif
