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
  explicit ReportRun(const std::string& recordings, const std::string& start = "20261201",
                     const std::string& end = "20261231")
      : request{folder.file("OdV"), folder.path() + "\\report\\", kReportName, start, end, false,
                "Log Accessi"} {
    folder.write("OdV", recordings);
    folder.makeFolder("report");
  }
  ReportOutcome go() { return generateReport(platform, request); }
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
Rec left(const std::string& t) {
  return kept(storedRecord(t));
}

TEST(Report, FilesGiveTheirReportAndMarks) {
  const std::string d = "Operazione";
  const std::string first = storedRecord(entryText('N', "10/12/2026", "prima"));
  std::string torn = first.substr(0, 100), dateHit = first;
  torn.resize(256, '\0');
  dateHit[3] = 'A';
  const std::string code30 = entryText('N', "04/12/2026", "fine\x1E\x1E  ");
  const std::string rewritten = "S04/12/202609:05:03" + pad("PC-01", 14) + "Admin";
  const std::string barless = entryText('N', "10/12/2026", "senza barra");
  const std::string lfEnd = entryText('N', "10/12/2026", "senza CR");
  const std::string badCall = trappedText("Cripta_Decripta",
                                          "5-Chiamata di routine o argomento "
                                          "non validi");
  // Entries around December: flag and date, each with its own description.
  const auto around = [&](std::vector<char> fates) {
    const char* dates[] = {"30/11/2026", "01/12/2026", "02/12/2026", "15/12/2026",
                           "31/12/2026", "01/01/2027", "01/01/2027", "31/12/2025"};
    const char flags[] = "NNSNNSNN";
    std::vector<Rec> recs;
    for (std::size_t i = 0; i < 8; ++i) {
      const std::string t = entryText(flags[i], dates[i], d + std::to_string(i));
      recs.push_back(fates[i] == 'c' ? copied(t) : left(t));
    }
    return recs;
  };
  const struct {
    const char* name;
    std::vector<Rec> recs;
    std::string start, end;
    bool all;
    std::vector<std::string> messages;
    std::int64_t unreported;
  } rows[] = {
      {"month, boundary days inside",
       around({0, 'c', 0, 'c', 'c', 0, 0, 0}),
       "20261201",
       "20261231",
       false,
       {},
       3},
      {"month with the reported",
       around({0, 'c', 'c', 'c', 'c', 0, 0, 0}),
       "20261201",
       "20261231",
       true,
       {},
       3},
      {"a day with both flags",
       around({0, 0, 0, 0, 0, 'c', 'c', 0}),
       "20270101",
       "20270101",
       true,
       {},
       5},
      {"a day of a reported entry",
       around({0, 0, 0, 0, 0, 0, 0, 0}),
       "20261202",
       "20261202",
       false,
       {},
       6},
      {"end before start", around({0, 0, 0, 0, 0, 0, 0, 0}), "20261231", "20261201", true, {}, 6},
      {"fields: 200 characters cut to 196, full account, empty, already rewritten",
       {copied(entryText('N', "04/12/2026", std::string(200, 'x'))),
        copied(entryText('N', "04/12/2026", "copia | verifica", std::string(20, 'a'))),
        copied(entryText('N', "04/12/2026", "")), copied(rewritten)},
       "20261201",
       "20261231",
       true,
       {},
       0},
      {"code 30 before the end is no fill",
       {{storedRecord(code30), storedRecord("S" + code30.substr(1, code30.size() - 2)),
         lineOf(code30)}},
       "20261201",
       "20261231",
       false,
       {},
       0},
      {"NULs skipped, damaged ones told by number, a damaged end restored",
       {copied(entryText('N', "10/12/2026", "prima")),
        kept(std::string(256, '\0')),
        kept(std::string(253, ' ') + "|\r\n"),
        kept(torn),
        kept(dateHit),
        kept('\x01' + first.substr(1)),
        {storedRecord(barless).substr(0, 253) + " \r\n", markedRecord(barless), lineOf(barless)},
        {storedRecord(lfEnd).substr(0, 254) + "\n\n", markedRecord(lfEnd), lineOf(lfEnd)},
        copied(entryText('N', "11/12/2026", "ultima"))},
       "20261201",
       "20261231",
       false,
       {damagedLine(3), damagedLine(4), damagedLine(5), badCall, damagedLine(6)},
       0},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    std::string before, after, report;
    for (const Rec& r : row.recs) {
      before += r.before;
      after += r.after;
      report += r.line;
    }
    ReportRun run(before, row.start, row.end);
    run.request.includeReported = row.all;
    const ReportOutcome outcome = run.go();
    EXPECT_EQ(run.platform.texts(), row.messages);
    for (const Message& m : run.platform.messages) {
      EXPECT_EQ(m.title, m.icon == Icon::Information ? "Log Accessi" : "KoV");
    }
    EXPECT_EQ(run.folder.exists(kReportFile), !report.empty());
    EXPECT_EQ(run.folder.exists(kReportFile) ? run.folder.read(kReportFile) : "",
              report.empty() ? "" : kHeadingRecord + report);
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
std::string stored(const std::vector<std::string>& texts) {
  std::string bytes;
  for (const std::string& t : texts) bytes += storedRecord(t);
  return bytes;
}

// A "\" in the name is a folder; a name or folder that the system or Windows refuses writes
// nothing and marks nothing ("" accepts the name).
TEST(Report, ReportNamesAndFolders) {
  const std::string k52 = "52-Nome o numero di file non valido",
                    k75 =
                        "75-Errore di accesso al "
                        "percorso/file",
                    k76 = "76-Impossibile trovare il percorso";
  struct Row {
    std::string folder, name, error;
  };
  std::vector<Row> rows = {
      {"report", "Log.txt", ""},
      {"missing", "Log.txt", k76},
      {"OdV", "Log.txt", k76},
      {std::string("rep\0ort", 7), "Log.txt", k52},
      {std::string(300, 'f'), "Log.txt", k75},
      {"report", std::string("Log\0.txt", 8), k52},
      {"report", std::string(300, 'n'), k75},
      {"", "report", k75},
      {"report", "missing\\Log.txt", k76},
  };
#ifndef _WIN32
  rows.push_back({"readonly", "Log.txt", "70-Autorizzazione negata"});
#endif
  for (const char* name : {"COM10.txt", "console", "nul1.txt", "LPT10.log"}) {
    rows.push_back({"report", std::string("sub\\") + name, ""});
  }
  for (const char c : std::string("<>:\"/|?*\x1F")) rows.push_back({"report", {'L', c, 'g'}, k52});
  for (const char* name :
       {"Log.txt.", "Log.txt ", "sub.\\Log.txt", "sub\\..\\Log.txt", "sub\\nul.txt",
        "sub\\Com1.log", "sub\\CON", "sub\\lpt9", "sub\\Aux.tar.gz", "sub\\PRN"}) {
    rows.push_back({"report", name, k52});
  }
  for (const Row& row : rows) {
    SCOPED_TRACE(row.folder + " " + row.name);
    ReportRun run(stored(kFive));
    run.folder.makeFolder("report/sub");
    run.folder.makeFolder("readonly");
    run.folder.setOwnerAccess("readonly", 5);
    run.request.folder = run.folder.path() + "\\" + row.folder + (row.folder.empty() ? "" : "\\");
    run.request.name = row.name;
    run.request.includeReported = true;
    ReportOutcome outcome;
    {
      const Unprivileged user(run.folder);
      outcome = run.go();
    }
    std::string name = row.folder + "/" + row.name;
    std::replace(name.begin(), name.end(), '\\', '/');
    if (row.error.empty()) {
      EXPECT_TRUE(run.platform.messages.empty());
      EXPECT_EQ(run.folder.read(name),
                kHeadingRecord + lineOf(kFive[0]) + lineOf(kFive[2]) + lineOf(kFive[4]));
      continue;
    }
    ASSERT_EQ(run.platform.messages.size(), 1U);
    EXPECT_EQ(run.platform.messages[0].icon, Icon::Critical);
    EXPECT_EQ(run.platform.messages[0].text, trappedText("Rw_Record", row.error));
    EXPECT_EQ(run.folder.read("OdV"), stored(kFive));
    EXPECT_EQ(run.folder.names(), (std::vector<std::string>{"OdV", "readonly", "report"}));
    const std::filesystem::recursive_directory_iterator report(run.folder.file("report"));
    EXPECT_EQ(std::distance(report, {}), 1);  // "sub" alone
    EXPECT_TRUE(outcome.reportFailed);
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
  EXPECT_EQ(run.folder.read(kReportFile),
            kHeadingRecord + lineOf(kFive[0]) + lineOf(kFive[2]) + lineOf(kFive[4]));
  EXPECT_EQ(run.folder.read("OdV"), stored(kFive));
  EXPECT_EQ(outcome.copied, 3);
  EXPECT_EQ(outcome.unreported, 5);
}
#endif

// More records than the program could have written: refused unread.
TEST(Report, ARecordingsFileOfMoreThan4194304RecordsIsRefusedUnread) {
#ifdef _WIN32
  for (const std::uint64_t records : {std::uint64_t{4194305}}) {  // wine makes no 64 GiB file
#else
  for (const std::uint64_t records : {std::uint64_t{4194305}, std::uint64_t{1} << 28}) {
#endif
    ReportRun run("");
    std::filesystem::resize_file(run.folder.file("OdV"), records * 256);
    const ReportOutcome outcome = run.go();
    EXPECT_EQ(run.platform.texts(),
              std::vector<std::string>{"Il file delle rilevazioni contiene n. " +
                                       std::to_string(records) +
                                       " righe, pi\xF9 di quante la procedura ne possa aver "
                                       "scritte (al massimo 4194304): il file non \xE8 stato "
                                       "letto n\xE9 modificato."});
    EXPECT_EQ(std::filesystem::file_size(run.folder.file("OdV")), records * 256);
    EXPECT_FALSE(outcome.complete);
  }
}

// Each open, read, write and sync of a run over 6,000 records (past one read and one report
// write) fails in turn; then the disk of the report folder fills up for real.
TEST(Report, AFailureAnywhereLosesNoEntry) {
  std::vector<std::string> texts;
  for (int n = 1; n <= 6000; ++n) {
    texts.push_back(entryText('N', n % 1000 != 0 ? "15/12/2026" : "01/01/2027", std::to_string(n)));
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
      const std::string report = run.folder.exists(kReportFile) ? run.folder.read(kReportFile) : "";
      const std::int64_t unreported = expectNoEntryLost(texts, after, report);
      EXPECT_TRUE(!outcome.reportFailed || after == recordings);
      EXPECT_TRUE(!outcome.complete || outcome.unreported >= unreported);
    }
  }
#ifndef _WIN32
  ReportRun run(recordings + recordings);
  const SmallDisk disk(run.folder.file("report"), std::size_t{2} << 20);
  if (!disk.mounted()) GTEST_SKIP() << "no tmpfs here: " << disk.refusal();
  EXPECT_TRUE(run.go().reportFailed);
  EXPECT_EQ(run.platform.texts(),
            std::vector<std::string>{trappedText("Rw_Record", "61-Disco pieno")});
  EXPECT_TRUE(std::filesystem::is_empty(run.folder.file("report")));
  EXPECT_EQ(expectNoEntryLost(texts, run.folder.read("OdV").substr(0, recordings.size()), ""),
            6000);
#endif
}

}  // namespace
}  // namespace kov
