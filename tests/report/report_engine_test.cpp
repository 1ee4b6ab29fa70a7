#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>

#include "report/report_files.h"
#include "support/fault_plan.h"
#ifndef _WIN32  // a mount; under wine, run as root, a read-only attribute does not hold
#include "support/small_disk.h"
#endif

namespace kov {
namespace {

using namespace test;

// A program folder with a recordings file and a report folder "report".
struct ReportRun {
  TempFolder folder;
  FakePlatform platform;
  ReportRequest request;
  explicit ReportRun(const std::string& recordings, std::string start = "20261201",
                     std::string end = "20261231", bool all = false)
      : request{folder.file("OdV"), folder.path() + "\\report\\", kReportName, start, end, all,
                "Log Accessi"} {
    folder.write("OdV", recordings);
    folder.makeFolder("report");
  }
  ReportOutcome go() { return generateReport(platform, request); }
  std::string report() const { return folder.exists(kReportFile) ? folder.read(kReportFile) : ""; }
};

// A record before the run and after it, and its line in the report when it is copied.
struct Rec {
  std::string before, after, line;
};
Rec copied(const std::string& t) {
  return {storedRecord(t), markedRecord(t), lineOf(t)};
}
Rec kept(const std::string& bytes) {
  return {bytes, bytes, ""};
}

TEST(Report, FilesGiveTheirReportAndMarks) {
  const std::string first = storedRecord(entryText('N', "10/12/2026", "prima"));
  std::string torn = first.substr(0, 100), dateHit = first;
  torn.resize(256, '\0');
  dateHit[3] = 'A';
  const std::string code30 = entryText('N', "04/12/2026", "fine\x1E\x1E  ");
  const std::string barless = entryText('N', "10/12/2026", "senza barra");
  const std::string lfEnd = entryText('N', "10/12/2026", "senza CR");
  // Entries around December, c: copied.
  const auto around = [&](std::string fates) {
    const char* dates[] = {"30/11/2026", "01/12/2026", "02/12/2026", "15/12/2026",
                           "31/12/2026", "01/01/2027", "01/01/2027", "31/12/2025"};
    std::vector<Rec> recs;
    for (std::size_t i = 0; i < 8; ++i) {
      const std::string t = entryText("NNSNNSNN"[i], dates[i], "Operazione" + std::to_string(i));
      recs.push_back(fates[i] == 'c' ? copied(t) : kept(storedRecord(t)));
    }
    return recs;
  };
  const struct {
    std::vector<Rec> recs;
    std::string start, end;
    bool all;
    std::vector<std::string> messages;
    std::int64_t unreported;
  } rows[] = {
      // clang-format off
      {around("-c-cc---"), "20261201", "20261231", false, {}, 3},
      {around("-cccc---"), "20261201", "20261231", true, {}, 3},
      {around("-----cc-"), "20270101", "20270101", true, {}, 5},
      {around("--------"), "20261202", "20261202", false, {}, 6},
      {around("--------"), "20261231", "20261201", true, {}, 6},
      // a description cut to 196, a full account, none, an entry already rewritten
      {{copied(entryText('N', "04/12/2026", std::string(200, 'x'))),
        copied(entryText('N', "04/12/2026", "copia | verifica", std::string(20, 'a'))),
        copied(entryText('N', "04/12/2026", "")), copied("S04/12/202609:05:03" + pad("PC-01", 14) + "Admin")},
       "20261201", "20261231", true, {}, 0},
      // code 30 before the end is no fill
      {{{storedRecord(code30), storedRecord("S" + code30.substr(1, code30.size() - 2)), lineOf(code30)}},
       "20261201", "20261231", false, {}, 0},
      // NULs skipped, damaged ones told by number, a damaged end restored
      {{copied(entryText('N', "10/12/2026", "prima")), kept(std::string(256, '\0')),
        kept(std::string(253, ' ') + "|\r\n"), kept(torn), kept(dateHit), kept('\x01' + first.substr(1)),
        {storedRecord(barless).substr(0, 253) + " \r\n", markedRecord(barless), lineOf(barless)},
        {storedRecord(lfEnd).substr(0, 254) + "\n\n", markedRecord(lfEnd), lineOf(lfEnd)},
        copied(entryText('N', "11/12/2026", "ultima"))},
       "20261201", "20261231", false,
       {damagedLine(3), damagedLine(4), damagedLine(5), trappedText("Cripta_Decripta", kBadCall), damagedLine(6)}, 0},
      // clang-format on
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(&row - rows);
    std::string before, after, report;
    for (const Rec& r : row.recs) {
      before += r.before;
      after += r.after;
      report += r.line;
    }
    ReportRun run(before, row.start, row.end, row.all);
    const ReportOutcome outcome = run.go();
    EXPECT_EQ(run.platform.texts(), row.messages);
    for (const Message& m : run.platform.messages) {
      EXPECT_EQ(m.title, m.icon == Icon::Information ? "Log Accessi" : "KoV");
    }
    EXPECT_EQ(run.folder.exists(kReportFile), !report.empty());
    EXPECT_EQ(run.report(), report.empty() ? "" : kHeadingRecord + report);
    EXPECT_EQ(run.folder.read("OdV"), after);
    EXPECT_EQ(outcome.copied * 256, static_cast<std::int64_t>(report.size()));
    EXPECT_EQ(outcome.unreported, row.unreported);
    EXPECT_EQ(outcome.records, static_cast<std::int64_t>(before.size() / 256));
    EXPECT_TRUE(outcome.complete && !outcome.reportFailed);
  }
}

// Three unreported entries of the period, two outside it.
const std::vector<std::string> kFive = {
    entryText('N', "10/12/2026", "a"), entryText('N', "10/11/2026", "fuori"),
    entryText('N', "11/12/2026", "b"), entryText('N', "10/01/2027", "fuori"),
    entryText('N', "12/12/2026", "c")};
const std::string kFiveReport =
    kHeadingRecord + lineOf(kFive[0]) + lineOf(kFive[2]) + lineOf(kFive[4]);

// A "\" in the name is a folder; a name or folder that the system or Windows refuses writes
// nothing and marks nothing ("" accepts the name).
TEST(Report, ReportNamesAndFolders) {
  const std::string k52 = "52-Nome o numero di file non valido",
                    k75 = "75-Errore di accesso al percorso/file",
                    k76 = "76-Impossibile trovare il percorso";
  struct Row {
    std::string folder, name, error;
  };
  std::vector<Row> rows = {
      // clang-format off
      {"missing", "Log.txt", k76}, {std::string("r\0", 2), "Log.txt", k52}, {std::string(300, 'f'), "Log.txt", k75},
      {"report", std::string(300, 'n'), k75}, {"report", "missing\\Log.txt", k76}, {"report", std::string("Log\0.txt", 8), k52},
      // clang-format on
  };
#ifndef _WIN32
  rows.push_back({"readonly", "Log.txt", "70-Autorizzazione negata"});
#endif
  for (const char* name : {"Log.txt", "sub\\COM10.txt", "sub\\console", "sub\\nul1.txt"}) {
    rows.push_back({"report", name, ""});
  }
  for (const char c : std::string("<>:\"/|?*\x1F")) rows.push_back({"report", {'L', c, 'g'}, k52});
  for (const char* name : {"Log.txt.", "Log.txt ", "sub.\\Log.txt", "sub\\..\\Log.txt",
                           "sub\\nul.txt", "sub\\Com1.log", "sub\\CON", "sub\\lpt9", "sub\\PRN"}) {
    rows.push_back({"report", name, k52});
  }
  for (const Row& row : rows) {
    SCOPED_TRACE(row.folder + " " + row.name);
    ReportRun run(stored(kFive));
    run.folder.makeFolder("report/sub");
    run.folder.makeFolder("readonly");
    run.folder.setOwnerAccess("readonly", 5);
    run.request.folder = run.folder.path() + "\\" + row.folder + "\\";
    run.request.name = row.name;
    ReportOutcome outcome;
    {
      const Unprivileged user(run.folder);
      outcome = run.go();
    }
    std::string name = row.folder + "/" + row.name;
    std::replace(name.begin(), name.end(), '\\', '/');
    EXPECT_EQ(run.platform.texts(),
              row.error.empty() ? std::vector<std::string>{}
                                : std::vector<std::string>{trappedText("Rw_Record", row.error)});
    EXPECT_EQ(outcome.reportFailed, !row.error.empty());
    if (row.error.empty()) {
      EXPECT_EQ(run.folder.read(name), kFiveReport);
      continue;
    }
    EXPECT_EQ(run.folder.read("OdV"), stored(kFive));
    const std::filesystem::recursive_directory_iterator report(run.folder.file("report"));
    EXPECT_EQ(std::distance(report, {}), 1);  // "sub" alone
    EXPECT_EQ(outcome.unreported, 5);
  }
}

#ifndef _WIN32
TEST(Report, ARecordingsFileThatCannotBeRewrittenKeepsTheEntriesUnreported) {
  ReportRun run(stored(kFive));
  run.folder.setOwnerAccess("OdV", 4);
  ReportOutcome outcome;
  {
    const Unprivileged user(run.folder);
    outcome = run.go();
  }
  EXPECT_EQ(run.platform.texts(),
            std::vector<std::string>{trappedText("Rw_Record", "70-Autorizzazione negata")});
  EXPECT_EQ(run.report(), kFiveReport);
  EXPECT_EQ(run.folder.read("OdV"), stored(kFive));
  EXPECT_EQ(outcome.copied * 10 + outcome.unreported, 35);
}
#endif

// More records than the program could have written: refused unread.
TEST(Report, ARecordingsFileOfMoreThan4194304RecordsIsRefusedUnread) {
  ReportRun run("");
  std::filesystem::resize_file(run.folder.file("OdV"), 4194305ULL * 256);
  EXPECT_FALSE(run.go().complete);
  EXPECT_EQ(
      run.platform.texts(),
      std::vector<std::string>{"Il file delle rilevazioni contiene n. 4194305 righe, pi\xF9 di "
                               "quante la procedura ne possa aver scritte (al massimo 4194304): "
                               "il file non \xE8 stato letto n\xE9 modificato."});
  EXPECT_EQ(std::filesystem::file_size(run.folder.file("OdV")), 4194305ULL * 256);
}

// Each open, read, write and sync fails in turn, in a run past one read piece, one report
// write and one marking piece; then the disk of the report folder fills up for real.
TEST(Report, AFailureAnywhereLosesNoEntry) {
  std::vector<std::string> texts;
  for (int n = 1; n <= 4100; ++n) {
    texts.push_back(entryText('N', n != 4098 ? "15/12/2026" : "01/01/2027", std::to_string(n)));
  }
  const std::string recordings = stored(texts);
  for (const faults::Op op :
       {faults::Op::Open, faults::Op::Read, faults::Op::Write, faults::Op::Sync}) {
    faults::reset();
    ReportRun(recordings).go();
    const long calls = faults::calls(op);
    ASSERT_GT(calls, 0);
    for (long nth = 1; nth <= calls; ++nth) {
      SCOPED_TRACE(testing::Message() << "operation " << static_cast<int>(op) << ", call " << nth);
      ReportRun run(recordings);
      faults::reset();
      faults::failAt(op, nth, EIO);
      const ReportOutcome outcome = run.go();
      faults::reset();
      ASSERT_EQ(run.platform.messages.size(), 1U);
      const std::string after = run.folder.read("OdV");
      const std::int64_t unreported = expectNoEntryLost(texts, after, run.report());
      EXPECT_TRUE(!outcome.reportFailed || after == recordings);
      EXPECT_TRUE(!outcome.complete || outcome.unreported >= unreported);
    }
  }
#ifndef _WIN32
  ReportRun run(recordings + recordings);
  const SmallDisk disk(run.folder.file("report"), std::size_t{1} << 20);
  if (!disk.mounted()) GTEST_SKIP() << "no tmpfs here: " << disk.refusal();
  EXPECT_TRUE(run.go().reportFailed);
  EXPECT_EQ(run.platform.texts(),
            std::vector<std::string>{trappedText("Rw_Record", "61-Disco pieno")});
  EXPECT_TRUE(std::filesystem::is_empty(run.folder.file("report")));
  EXPECT_EQ(expectNoEntryLost(texts, run.folder.read("OdV").substr(0, recordings.size()), ""),
            4100);
#endif
}

}  // namespace
}  // namespace kov
