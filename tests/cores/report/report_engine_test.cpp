// Where a report goes: the names and folders the file system or Windows refuses, files of
// absurd size, and a disk that fills.
#include "cores/report/report_engine.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>

#include "cores/logview/log_view.h"
#include "cores/report/report_name.h"
#include "support/fault_plan.h"
#include "support/report_files.h"
#include "support/tables.h"
#ifndef _WIN32
#include <sys/mount.h>

#include <cerrno>
#include <cstring>
#endif

namespace kov {
namespace {

using namespace test;

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
};

const std::string k52 = "52-Nome o numero di file non valido";

struct Destination {
  const char* name;
  std::string folder = "report";
  std::string file{};
  std::string error{};  // none: written
};

// A "\" in the name is a folder, each name between them obeying the rule.
const Destination kDestinations[] = {
    {.name = "AFile", .file = "Log.txt"},
    {.name = "ComWithTwoDigits", .file = "sub\\COM10.txt"},
    {.name = "MissingFolder",
     .folder = "missing",
     .file = "Log.txt",
     .error = "76-Impossibile trovare il percorso"},
    {.name = "NulInTheFolder", .folder = std::string("r\0", 2), .file = "Log.txt", .error = k52},
    {
        .name = "FolderTooLong",
        .folder = std::string(300, 'f'),
        .file = "Log.txt",
        .error = "75-Errore di accesso al percorso/file",
    },
    {.name = "EndingInADot", .file = "Log.txt.", .error = k52},
    {.name = "SubfolderDotDot", .file = "sub\\..\\Log.txt", .error = k52},
    {.name = "Com1InMixedCase", .file = "sub\\Com1.log", .error = k52},
#ifndef _WIN32
    {.name = "ReadOnlyFolder",
     .folder = "readonly",
     .file = "Log.txt",
     .error = "70-Autorizzazione negata"},
#endif
};

// A name or folder that the system or Windows refuses writes nothing and marks nothing.
TEST(Report, GoesWhereItsNameSaysOrNowhere) {
  const std::string recordings = storedRecord(entryText('N', "10/12/2026", "a"));
  for (const Destination& row : kDestinations) {
    SCOPED_TRACE(row.name);
    ReportRun run(recordings);
    run.folder.makeFolder("report/sub");
    run.folder.makeFolder("readonly");
    run.folder.setOwnerAccess("readonly", 5);
    const Unprivileged user(run.folder);
    EXPECT_EQ(run.go(row.folder, row.file).unreported, row.error.empty() ? 0 : 1);
    std::vector<std::string> said(row.error.empty() ? 0 : 1, trappedText("Rw_Record", row.error));
    if (row.folder == "missing") {  // what to do about it, after the message as it was
      said.push_back("La cartella dei report " + run.folder.path() +
                     "\\missing\\ non esiste: l'Amministratore di Sistema deve impostarla in "
                     "\"Path File Report\" con \"Varia Password\", che propone di crearla.");
    }
    EXPECT_EQ(run.platform.texts(), said);
    const std::filesystem::recursive_directory_iterator report(run.folder.file("report"));
    EXPECT_EQ(std::distance(report, {}), row.error.empty() ? 2 : 1);  // "sub", the report
    EXPECT_EQ(run.folder.read("OdV") == recordings, !row.error.empty());
    const std::string file = row.file.starts_with("sub") ? "sub/" + row.file.substr(4) : row.file;
    EXPECT_EQ(run.folder.exists("report/" + file), row.error.empty());
  }
  for (const char c : std::string("<>:\"/|?*\x1F"))
    EXPECT_FALSE(isPortableFileName(std::string{'L', c, 'g'})) << c;
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
  // At the limit both read the file: the first read fails here, so as not to read 1 GiB.
  ReportRun run("");
  std::filesystem::resize_file(run.folder.file("OdV"), std::uint64_t{4194304} * 256);
  FaultPlan plan;
  plan.failAt(faults::Op::Read, 1, EIO);
  run.go();
  plan.failAt(faults::Op::Read, 1, EIO);
  showLoadFailure(run.platform, loadLog(run.folder.file("OdV"), "", {}), "Registro");
  const std::string failed = "57-Errore di I/O della periferica";
  EXPECT_EQ(run.platform.texts(), (std::vector{trappedText("Cmd_Gp_Click", failed),
                                               trappedText("Visualizza_Registro", failed)}));
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
  EXPECT_RECORDS(run.folder.read("OdV"), stored(texts));
  ::umount2(report.c_str(), MNT_DETACH);
}
#endif

}  // namespace
}  // namespace kov
