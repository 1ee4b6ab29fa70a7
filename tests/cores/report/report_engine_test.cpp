#include <gtest/gtest.h>

#include "cores/logview/log_view.h"
#include "cores/report/period.h"
#include "cores/report/recordings_removal.h"
#include "cores/report/report_engine.h"

#include <array>
#include <filesystem>

#include "runtime/file.h"
#include "support/report_files.h"
#ifndef _WIN32
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <thread>
#endif

namespace kov {
namespace {

using namespace test;

const std::string kA = reportRecord("a"), kB = reportRecord("b");
const std::string kLogged = reportRecord("l"), kNew = reportRecord("n");
const LockWait kNoWait = [](const std::function<bool()>& /*attempt*/) { return false; };

// A program folder with a recordings file and a report folder "report".
struct ReportRun {
  TempFolder folder;
  FakePlatform platform;
  explicit ReportRun(const std::string& recordings) {
    folder.write("OdV", recordings);
    folder.makeFolder("report");
  }
  ReportOutcome go(const std::string& in = "report", const std::string& name = kReportName) {
    return generateReport(platform, {folder.file("OdV"), folder.path() + "\\" + in + "\\", name,
                                     "20261201", "20261231", true, "Log Accessi"});
  }
  std::string name() const { return dataFileName(folder.path(), "\\Odv"); }
  Removal remove(std::int64_t scanned) {
    RecordLinks removed;
    return removeRecordings(platform, name(), scanned, kLogged, kNew, "Log Accessi", removed);
  }
};

// A "\" in the name is a folder; a name or folder that the system or Windows refuses writes
// nothing and marks nothing.
TEST(Report, ReportNamesAndFolders) {
  const std::string k52 = "52-Nome o numero di file non valido";
  // clang-format off
  std::vector<std::array<std::string, 3>> rows = {  // folder, name, error ("": written)
      {"report", "Log.txt", ""}, {"report", "sub\\COM10.txt", ""}, {"report", "sub\\console", ""}, {"report", "sub\\nul1.txt", ""},
      {"missing", "Log.txt", "76-Impossibile trovare il percorso"}, {std::string("r\0", 2), "Log.txt", k52},
      {std::string(300, 'f'), "Log.txt", "75-Errore di accesso al percorso/file"}, {"report", std::string("Log\0.txt", 8), k52},
      {"report", "Log.txt.", k52}, {"report", "Log.txt ", k52}, {"report", "sub.\\Log.txt", k52}, {"report", "sub\\..\\Log.txt", k52},
      {"report", "sub\\nul.txt", k52}, {"report", "sub\\Com1.log", k52}, {"report", "sub\\CON", k52}, {"report", "sub\\lpt9", k52},
      {"report", "sub\\PRN", k52},
  };
  // clang-format on
  for (const char c : std::string("<>:\"/|?*\x1F")) rows.push_back({"report", {'L', c, 'g'}, k52});
#ifndef _WIN32
  rows.push_back({"readonly", "Log.txt", "70-Autorizzazione negata"});
#endif
  const std::string recordings = storedRecord(entryText('N', "10/12/2026", "a"));
  for (const auto& [folder, name, error] : rows) {
    SCOPED_TRACE(folder + " " + name);
    ReportRun run(recordings);
    run.folder.makeFolder("report/sub");
    run.folder.makeFolder("readonly");
    run.folder.setOwnerAccess("readonly", 5);
    const Unprivileged user(run.folder);
    EXPECT_EQ(run.go(folder, name).unreported, error.empty() ? 0 : 1);
    std::vector<std::string> said(error.empty() ? 0 : 1, trappedText("Rw_Record", error));
    if (folder == "missing") {  // what to do about it, after the message as it was
      said.push_back("La cartella dei report " + run.folder.path() +
                     "\\missing\\ non esiste: l'Amministratore di Sistema deve impostarla in "
                     "\"Path File Report\" con \"Varia Password\", che propone di crearla.");
    }
    EXPECT_EQ(run.platform.texts(), said);
    const std::filesystem::recursive_directory_iterator report(run.folder.file("report"));
    EXPECT_EQ(std::distance(report, {}), error.empty() ? 2 : 1);  // "sub", the report
    EXPECT_EQ(run.folder.read("OdV") == recordings, !error.empty());
    EXPECT_EQ(run.folder.exists("report/" + (name[0] == 's' ? "sub/" + name.substr(4) : name)),
              error.empty());
  }
}

// More records than the program could have written: refused unread by the report and the
// log viewer.
TEST(Report, ARecordingsFileOfMoreThan4194304RecordsIsRefusedUnread) {
  for (const std::uint64_t records : {std::uint64_t{4194305}, std::uint64_t{1} << 28}) {
#ifdef _WIN32
    if (records > 4194305) continue;  // wine makes no 64 GiB file
#endif
    ReportRun run("");
    std::filesystem::resize_file(run.folder.file("OdV"), records * 256);
    EXPECT_FALSE(run.go().complete);
    const LoadedLog viewed = loadLog(run.folder.file("OdV"), "", {});  // the viewer
    EXPECT_TRUE(viewed.index->keys.empty());
    showLoadFailure(run.platform, viewed, "Registro");
    const std::string refused = "Il file delle rilevazioni contiene n. " + std::to_string(records) +
                                " righe, pi\xF9 di quante la procedura ne possa aver scritte (al "
                                "massimo 4194304): il file non \xE8 stato letto n\xE9 modificato.";
    EXPECT_EQ(run.platform.texts(), std::vector<std::string>(2, refused));
    EXPECT_EQ(run.platform.messages.back().title, "Registro");
    EXPECT_EQ(std::filesystem::file_size(run.folder.file("OdV")), records * 256);
  }
}

// After the records the run read, only its own logged entry and appends no user saw
// confirmed may follow; the new file is hidden, for owner and group whatever the umask, and
// takes the place of what a stopped run left beside the file.
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
    ReportRun r(row.recordings);
    r.folder.write("OdV.nuovo", "left by a stopped run");  // a replacement clears it
    EXPECT_EQ(r.remove(row.scanned), row.replaced ? Removal::Done : Removal::EntriesLeft);
    EXPECT_EQ(r.folder.exists("OdV.nuovo"), !row.replaced);
    EXPECT_EQ(r.folder.read("OdV"), row.replaced ? kNew : row.recordings);
    EXPECT_EQ(isHidden(r.name()), row.replaced);
#ifndef _WIN32
    struct stat st {};
    ASSERT_EQ(::stat(r.name().c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, row.replaced ? 0660U : 0644U);
#endif
    EXPECT_EQ(r.platform.messages.size(), row.replaced ? 1U : 0U);
    for (const auto& m : r.platform.messages) EXPECT_EQ(m.text + m.title, kDeleted + "Log Accessi");
  }
}

#ifndef _WIN32
// A report of 8,200 entries fills the disk of the report folder for real: no part of it is
// left and no entry is marked. Every other failing call is walked by the fault walk.
TEST(Report, AReportThatFillsTheDiskLeavesNoPartOfItselfAndMarksNothing) {
  std::vector<std::string> texts;
  for (int n = 1; n <= 8200; ++n) texts.push_back(entryText('N', "15/12/2026", std::to_string(n)));
  ReportRun run(stored(texts));
  const std::string report = run.folder.file("report");  // a 1 MiB tmpfs; mounting needs root
  if (::mount("tmpfs", report.c_str(), "tmpfs", 0, "size=1048576") != 0)
    GTEST_SKIP() << "no tmpfs here: " << std::strerror(errno);
  EXPECT_TRUE(run.go().reportFailed);
  EXPECT_EQ(run.platform.texts(),
            std::vector<std::string>{trappedText("Rw_Record", "61-Disco pieno")});
  EXPECT_TRUE(std::filesystem::is_empty(run.folder.file("report")));
  EXPECT_TRUE(run.folder.read("OdV") == stored(texts));
  ::umount2(report.c_str(), MNT_DETACH);
}

// Windows renames nothing over an open file: there the removal closes it first.
// A copy of the program that opened the file before the removal writes into the new file.
TEST(RemoveRecordings, AWriterThatOpenedTheOldFileWritesIntoTheNewOne) {
  ReportRun r(kA);
  File writer;
  ASSERT_FALSE(writer.open(r.name(), File::Mode::Append));
  ASSERT_EQ(r.remove(1), Removal::Done);
  std::int64_t number = 0;
  ASSERT_FALSE(writer.lockLatest(kNoWait));
  ASSERT_FALSE(writer.appendLocked(kB, number));
  EXPECT_EQ(number, 2);
  EXPECT_EQ(r.folder.read("OdV"), kNew + kB);
}

// A second process holds the writers' lock while the removal checks the file, then appends.
// A removal that gives up keeps the file and says why; one that waits finds the entry and
// keeps the file too.
TEST(RemoveRecordings, AnEntryAppendedByAnotherProcessMeanwhileKeepsTheFile) {
  ReportRun r(kA);
  const pid_t child = ::fork();
  if (child == 0) {
    File writer;
    std::int64_t number = 0;
    if (writer.open(r.name(), File::Mode::Append) || writer.lock(kNoWait)) ::_exit(1);
    r.folder.write("locked", "");
    while (!r.folder.exists("waiting")) std::this_thread::yield();
    const bool failed =
        writer.lockLatest(kNoWait) || writer.appendLocked(kB, number) || writer.sync();
    ::_exit(failed ? 1 : 0);
  }
  while (!r.folder.exists("locked")) std::this_thread::yield();
  EXPECT_EQ(r.remove(1), Removal::Failed);
  EXPECT_EQ(r.platform.texts(), std::vector<std::string>{"Il File delle operazioni non \xE8 stato "
                                                         "Eliminato in quanto \xE8 in uso da un "
                                                         "altro programma: ripetere la generazione "
                                                         "tra qualche istante per eliminarlo"});
  r.platform.onWait = [&](const auto& ready, auto, auto) {
    r.folder.write("waiting", "");
    while (!ready()) std::this_thread::yield();
    return true;
  };
  EXPECT_EQ(r.remove(1), Removal::EntriesLeft);
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  EXPECT_EQ(r.folder.read("OdV"), kA + kB);
}
#endif

// The date keys and the key filter are checked through the date boxes of the window.
TEST(Period, DayFirstDatesOfTheCalendarAndNothingElse) {
  const std::optional<std::string> no;
  // clang-format off
  const std::pair<std::string, std::optional<std::string>> rows[] = {
      {"04/12/2026", "04/12/2026"}, {"4 /1 /2026", "04/01/2026"}, {" 4/ 1/2026", "04/01/2026"}, {"01/01/2026", "01/01/2026"},
      {"29/02/2024", "29/02/2024"}, {"29/02/2000", "29/02/2000"}, {"31/12/9999", "31/12/9999"}, {"29/02/2023", no},
      {"29/02/1900", no}, {"31/04/2026", no}, {"01/13/2026", no}, {"00/01/2026", no}, {"01/00/2026", no}, {"01/01/0000", no},
      {"  /  /    ", no}, {"04/  /    ", no}, {"30/11/26  ", "30/11/2026"}, {"1/1/30", "01/01/1930"}, {"31/12/29", "31/12/2029"},
      {"29/02/00  ", "29/02/2000"}, {"04/12/026 ", no}, {"04/12/6   ", no}, {"1 2/05/2026", no}, {"04/12/2026/1", no},
      {"-4/12/2026", no}, {"04.12.2026", no}, {"", no}, {"001/12/2026", no}};
  // clang-format on
  for (const auto& [text, date] : rows) EXPECT_EQ(dayFirstDate(text), date) << '"' << text << '"';
}

// The log by record number through each filter: damaged records pass the period and the
// account; a longer text looks among the matches of the one it extends, any other anew. The
// file is only read; a missing one is an empty log, an unreadable one is said, and a change
// under the index is noticed.
TEST(LogView, ListsEveryRecordAndFiltersIt) {
  TempFolder folder;
  folder.write("OdV", unsortedLog());
  const struct {
    std::string name;
    std::string account = {};  // the only account listed
    std::string before = {};   // a text searched first
    LogFilter filter = {};
    std::vector<std::uint32_t> shown;
  } rows[] = {
      {.name = "everything", .shown = {1, 2, 3, 5, 6, 7}},
      {.name = "from", .filter = {.from = "20261201"}, .shown = {1, 2, 3, 5, 7}},
      {.name = "to", .filter = {.to = "20261130"}, .shown = {3, 6}},
      {.name = "one day", .filter = {.from = "20261220", .to = "20261220"}, .shown = {1, 3, 5, 7}},
      {.name = "description", .filter = {.text = "rete"}, .shown = {6}},
      {.name = "damaged", .filter = {.text = "DANNEGG"}, .shown = {3}},
      {.name = "time", .filter = {.text = "09:15"}, .shown = {5, 7}},
      {.name = "accented letter", .filter = {.text = "\xE8"}, .shown = {7}},
      {.name = "number", .filter = {.text = "7"}, .shown = {7}},
      {.name = "date", .filter = {.text = "11/2026"}, .shown = {6}},
      {.name = "account", .filter = {.text = "TITOL"}, .shown = {5}},
      {.name = "workstation", .filter = {.text = "pc-0"}, .shown = {1, 2, 5, 6, 7}},
      {.name = "own account", .account = "ADMIN ", .shown = {1, 2, 3, 6, 7}},
      {.name = "own and text", .account = "admin", .filter = {.text = "riavvio"}, .shown = {1}},
      {.name = "other account", .account = "Admin", .filter = {.text = "titolare"}, .shown = {}},
      {.name = "narrowed", .before = "ri", .filter = {.text = "riavvio"}, .shown = {1}},
      {.name = "not narrowed", .before = "riavvio", .filter = {.text = "rete"}, .shown = {6}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    LogView view = LogView::of(loadLog(folder.file("OdV"), row.account, {}).index);
    EXPECT_TRUE(updateView(view, {}, {.text = row.before}, {}).done());
    EXPECT_TRUE(updateView(view, {}, row.filter, {}).done());
    EXPECT_EQ(*view.shown, row.shown);
  }
  const LoadedLog loaded = loadLog(folder.file("OdV"), "", {});
  std::vector<std::string> fields;
  const std::vector<std::uint32_t> records = {2, 3};
  readListed(*loaded.index, recordsIn(records), {},
             [&](std::uint32_t record, std::string_view entry) {
               for (int c = 0; c < kLogColumns; ++c) {
                 fields.push_back(logField(record, entry, LogColumn(c)));
               }
             });
  EXPECT_EQ(fields, (std::vector<std::string>{"2", "01/12/2026", "08.30.00", "PC-01", "admin",
                                              "Backup verificato", "S", "3", "", "", "", "",
                                              "danneggiata", ""}));
  EXPECT_TRUE(folder.read("OdV") == unsortedLog());
  folder.write("OdV", unsortedLog().substr(0, 256));
  LogView view = LogView::of(loaded.index);
  EXPECT_TRUE(updateView(view, {}, {.text = "x"}, {}).changed);
  FakePlatform platform;
  showLoadFailure(platform, loadLog(folder.file("Missing"), "", {}), "Registro");
  EXPECT_TRUE(loadLog(folder.file("Missing"), "", {}).index->listed.empty());
  folder.makeFolder("Folder");
  showLoadFailure(platform, loadLog(folder.file("Folder"), "", {}), "Registro");
  EXPECT_EQ(platform.texts(), std::vector{trappedText("Visualizza_Registro",
                                                      "75-Errore di accesso al percorso/file")});
}

// An order by a text read in passes of 8 characters a record: texts alike in their first 8,
// 16 or all characters, letter case aside; a shorter text first, ties by number; descending,
// all of it reversed.
TEST(LogView, OrdersByATextReadInPasses) {
  TempFolder folder;
  folder.write("OdV", stored({entryText('N', "01/12/2026", "Backup del server B"),
                              entryText('N', "01/12/2026", "backup del server a"),
                              entryText('N', "01/12/2026", "Riavvio"),
                              entryText('N', "01/12/2026", "Backup del server B"),
                              entryText('N', "01/12/2026", "Backup"),
                              entryText('N', "01/12/2026", "Backup del server"),
                              entryText('N', "01/12/2026", "BACKUP DEL SERVER A2"),
                              entryText('N', "01/12/2026", "Backup d")}));
  LogView view = LogView::of(loadLog(folder.file("OdV"), "", {}).index);
  const LogOrder order = {.column = LogColumn::Description, .descending = true};
  EXPECT_TRUE(updateView(view, order, {}, {}, 64).done());
  EXPECT_EQ(*view.shown, (std::vector<std::uint32_t>{3, 4, 1, 7, 2, 6, 8, 5}));
}

}  // namespace
}  // namespace kov
