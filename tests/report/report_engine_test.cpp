#include <gtest/gtest.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <set>

#include "report/report_files.h"
#include "shell/runtime/faults.h"
#ifndef _WIN32
#include <sys/resource.h>

#include <fstream>

#include "support/small_disk.h"
#endif

namespace kov {
namespace {

using test::entryText;
using test::kHeadingRecord;
using test::kReportName;
using test::markedRecord;
using test::reportedLine;
using test::ReportRun;
using test::storedRecord;
using test::trappedText;

struct Dated {
  char flag;
  std::string date;
};

// Eight entries around the period of December 2026.
const std::vector<Dated> kEntries = {
    {'N', "30/11/2026"}, {'N', "01/12/2026"}, {'S', "02/12/2026"}, {'N', "15/12/2026"},
    {'N', "31/12/2026"}, {'S', "01/01/2027"}, {'N', "01/01/2027"}, {'N', "31/12/2025"},
};

std::string description(std::size_t i) {
  return "Operazione " + std::to_string(i);
}

TEST(Report, CopiesTheEntriesOfThePeriodAndMarksThem) {
  const struct {
    const char* name;
    std::string start, end;
    bool includeReported;
    std::set<std::size_t> copied;
    std::int64_t unreported;
  } cases[] = {
      {"month, boundary days inside", "20261201", "20261231", false, {1, 3, 4}, 3},
      {"month with the reported ones", "20261201", "20261231", true, {1, 2, 3, 4}, 3},
      {"one day", "20261215", "20261215", false, {3}, 5},
      {"one day, only a reported entry", "20261202", "20261202", false, {}, 6},
      {"one day, reported entry asked for", "20261202", "20261202", true, {2}, 6},
      {"a day with both flags", "20270101", "20270101", true, {5, 6}, 5},
      {"end before start", "20261231", "20261201", true, {}, 6},
  };
  std::string recordings;
  for (std::size_t i = 0; i < kEntries.size(); ++i) {
    recordings += storedRecord(entryText(kEntries[i].flag, kEntries[i].date, description(i)));
  }
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ReportRun run(recordings, c.start, c.end);
    run.request.includeReported = c.includeReported;
    const ReportOutcome outcome = run.go();

    std::string report = c.copied.empty() ? "" : kHeadingRecord;
    std::string marked;
    for (std::size_t i = 0; i < kEntries.size(); ++i) {
      const std::string text = entryText(kEntries[i].flag, kEntries[i].date, description(i));
      const bool copied = c.copied.count(i) != 0;
      if (copied) report += reportedLine(kEntries[i].date, description(i));
      marked += copied ? markedRecord(text) : storedRecord(text);
    }
    EXPECT_EQ(run.hasReport(), !c.copied.empty());
    EXPECT_EQ(run.report(), report);
    EXPECT_EQ(run.folder.read("OdV"), marked);
    EXPECT_EQ(outcome.copied, static_cast<std::int64_t>(c.copied.size()));
    EXPECT_EQ(outcome.unreported, c.unreported);
    EXPECT_EQ(outcome.records, 8);
    EXPECT_TRUE(outcome.complete);
    EXPECT_FALSE(outcome.reportFailed);
    EXPECT_TRUE(run.platform.messages.empty());
  }
}

TEST(Report, LinesKeepTheFieldsAndCutTheDescriptionTo196) {
  const std::string longest(200, 'x');
  const std::string withBar = "copia | verifica";
  const std::string maxAccount(20, 'a');
  // Already reported once, so its empty description's account fill was dropped.
  const std::string rewritten = "S04/12/2026" + test::kEntryTime + test::pad("PC-01", 14) + "Admin";
  ReportRun run(storedRecord(entryText('N', "04/12/2026", longest)) +
                storedRecord(entryText('N', "04/12/2026", withBar, maxAccount)) +
                storedRecord(entryText('N', "04/12/2026", "")) + storedRecord(rewritten));
  run.request.includeReported = true;
  const ReportOutcome outcome = run.go();
  EXPECT_EQ(outcome.copied, 4);
  EXPECT_EQ(run.report(),
            kHeadingRecord +
                test::reportRecord(reportedLine("04/12/2026", longest).substr(0, 253)) +
                reportedLine("04/12/2026", withBar, maxAccount) + reportedLine("04/12/2026", "") +
                test::reportRecord("|04/12/2026|" + test::kEntryTime + "|PC-01         |Admin|"));
  EXPECT_EQ(run.report().substr(256 + 57, 196), std::string(196, 'x'));
  EXPECT_EQ(run.folder.read("OdV"),
            markedRecord(entryText('N', "04/12/2026", longest)) +
                markedRecord(entryText('N', "04/12/2026", withBar, maxAccount)) +
                markedRecord(entryText('N', "04/12/2026", "")) + storedRecord(rewritten));
}

// Code 30 is stored as a space: at the end of a marked entry it would be taken for fill.
TEST(Report, MarkingKeepsACode30BeforeTheSpacesAtTheEnd) {
  const std::string ends = entryText('N', "04/12/2026", "fine\x1E\x1E  ");
  ReportRun run(storedRecord(ends));
  EXPECT_EQ(run.go().copied, 1);
  std::string marked = ends;
  marked[0] = 'S';
  EXPECT_EQ(run.folder.read("OdV"), storedRecord(marked.substr(0, marked.size() - 1)));
  run.request.includeReported = true;
  std::filesystem::remove(run.folder.file("Report/" + kReportName));
  EXPECT_EQ(run.go().copied, 1);
  EXPECT_EQ(run.report(), kHeadingRecord + reportedLine("04/12/2026", "fine\x1E\x1E  "));
}

// A "\" in the name separates folders, as in the folder; names near the device names are
// names like any other.
TEST(Report, ABackslashInTheNameWritesIntoAFolder) {
  for (const std::string name : {"Log.txt", "COM10.txt", "console", "nul1.txt", "LPT10.log"}) {
    SCOPED_TRACE(name);
    ReportRun run(storedRecord(entryText('N', "10/12/2026", "a")));
    run.folder.makeFolder("Report/20261231_0905_sub");
    run.request.name = "20261231_0905_sub\\" + name;
    EXPECT_EQ(run.go().copied, 1);
    EXPECT_EQ(run.report("20261231_0905_sub/" + name),
              kHeadingRecord + reportedLine("10/12/2026", "a"));
    EXPECT_TRUE(run.platform.messages.empty());
  }
}

// A record is an entry when its first 253 characters unscramble to one: a damaged end is
// restored by the rewrite. A text without the shape of an entry is damaged.
TEST(Report, SkipsNulRecordsAndReportsDamagedOnesByNumber) {
  const std::string first = entryText('N', "10/12/2026", "prima");
  const std::string barless = entryText('N', "10/12/2026", "senza barra");
  const std::string lfEnd = entryText('N', "10/12/2026", "senza CR");
  const std::string last = entryText('N', "11/12/2026", "ultima");
  std::string torn = storedRecord(first).substr(0, 100);
  torn.resize(256, '\0');
  std::string dateHit = storedRecord(first);
  dateHit[3] = 'A';  // the "/" after the day
  const std::string unscramblable = std::string(1, '\x01') + storedRecord(first).substr(1);
  const std::vector<std::string> damaged = {std::string(253, ' ') + "|\r\n", torn, dateHit,
                                            unscramblable};
  std::string recordings = storedRecord(first) + std::string(256, '\0');
  for (const std::string& record : damaged) recordings += record;
  recordings += storedRecord(barless).substr(0, 253) + " \r\n" +
                storedRecord(lfEnd).substr(0, 254) + "\n\n" + storedRecord(last);
  ReportRun run(recordings);
  const ReportOutcome outcome = run.go();

  std::vector<std::string> expected;
  for (int n = 3; n <= 6; ++n) {
    if (n == 6)
      expected.push_back(
          trappedText("Cripta_Decripta", "5-Chiamata di routine o argomento non validi"));
    expected.push_back("La riga <" + std::to_string(n) +
                       "> del file delle rilevazioni risulta corrotta.Verr\xE0 pertanto scartata.");
  }
  EXPECT_EQ(run.platform.texts(), expected);
  for (const test::Message& m : run.platform.messages) {
    EXPECT_EQ(m.title, m.icon == Icon::Information ? "Log Accessi" : "KoV");
  }
  EXPECT_EQ(run.report(), kHeadingRecord + reportedLine("10/12/2026", "prima") +
                              reportedLine("10/12/2026", "senza barra") +
                              reportedLine("10/12/2026", "senza CR") +
                              reportedLine("11/12/2026", "ultima"));
  std::string marked = markedRecord(first) + std::string(256, '\0');
  for (const std::string& record : damaged) marked += record;
  EXPECT_EQ(run.folder.read("OdV"),
            marked + markedRecord(barless) + markedRecord(lfEnd) + markedRecord(last));
  EXPECT_EQ(outcome.records, 9);
  EXPECT_EQ(outcome.copied, 4);
  EXPECT_EQ(outcome.unreported, 0);
}

// Three entries of the period, two unreported ones outside it.
std::string periodAndOthers() {
  return storedRecord(entryText('N', "10/12/2026", "a")) +
         storedRecord(entryText('N', "10/11/2026", "fuori")) +
         storedRecord(entryText('N', "11/12/2026", "b")) +
         storedRecord(entryText('N', "10/01/2027", "fuori")) +
         storedRecord(entryText('S', "12/12/2026", "c"));
}

// A folder or a name that the file system refuses, or that Windows would: the report is
// not written, nothing is marked and the recordings file stays byte for byte.
TEST(Report, AReportThatCannotBeWrittenIsShownOnceAndMarksNothing) {
  const std::string kRefused = "52-Nome o numero di file non valido";
  struct Case {
    std::string name;
    std::string folder;  // after the program folder, in the program's form
    std::string file;
    std::string error;
    bool unprivileged = false;
  };
  std::vector<Case> cases = {
      {"missing folder", "\\Missing\\", kReportName, "76-Impossibile trovare il percorso"},
      {"folder that is a file", "\\OdV\\", kReportName, "76-Impossibile trovare il percorso"},
      {"folder holding a NUL", "\\Rep" + std::string(1, '\0') + "ort\\", kReportName, kRefused},
      {"folder name too long", "\\" + std::string(300, 'f') + "\\", kReportName,
       "75-Errore di accesso al percorso/file"},
      {"name holding a NUL", "\\Report\\", std::string("Log\0.txt", 8), kRefused},
      {"name too long", "\\Report\\", std::string(300, 'n'),
       "75-Errore di accesso al percorso/file"},
      {"name of a folder", "\\", "Report", "75-Errore di accesso al percorso/file"},
      {"name holding a control character", "\\Report\\", "Log\x1F.txt", kRefused},
      {"name in a missing folder", "\\Report\\", "20261231_0905_sub\\Log.txt",
       "76-Impossibile trovare il percorso"},
#ifndef _WIN32  // under wine, run as root, a read-only attribute does not hold
      {"read-only folder", "\\Report\\", kReportName, "70-Autorizzazione negata", true},
#endif
  };
  // Every character that Windows refuses in a file name, anywhere in the name; a name that
  // ends in a dot or a space; a device name, with or without an extension, in any folder.
  for (const char c : std::string("<>:\"/|?*")) {
    cases.push_back({std::string("name holding ") + c, "\\Report\\",
                     "20261231_0905_Lo" + std::string(1, c) + "g.txt", kRefused});
  }
  for (const std::string name :
       {"Log.txt.", "Log.txt ", "sub.\\Log.txt", "sub\\..\\Log.txt", "sub\\nul.txt",
        "sub\\Com1.log", "sub\\CON", "sub\\lpt9", "sub\\Aux.tar.gz", "sub\\PRN"}) {
    cases.push_back({"name " + name, "\\Report\\", "20261231_0905_" + name, kRefused});
  }
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ReportRun run(periodAndOthers());
    run.request.folder = run.folder.path() + c.folder;
    run.request.name = c.file;
    run.request.includeReported = true;
    if (c.unprivileged) run.folder.setOwnerAccess("Report", 5);
    ReportOutcome outcome;
    {
      std::unique_ptr<test::Unprivileged> user;
      if (c.unprivileged) user = std::make_unique<test::Unprivileged>(run.folder);
      outcome = run.go();
    }
    ASSERT_EQ(run.platform.messages.size(), 1U);
    EXPECT_EQ(run.platform.messages[0].icon, Icon::Critical);
    EXPECT_EQ(run.platform.messages[0].title, "KoV");
    EXPECT_EQ(run.platform.messages[0].text, trappedText("Rw_Record", c.error));
    EXPECT_EQ(run.folder.read("OdV"), periodAndOthers());
    EXPECT_EQ(run.folder.names(), (std::vector<std::string>{"OdV", "Report"}));
    EXPECT_TRUE(std::filesystem::is_empty(run.folder.file("Report")));
    EXPECT_TRUE(outcome.reportFailed);
    EXPECT_EQ(outcome.copied, 0);
    EXPECT_EQ(outcome.unreported, 4);
  }
}

#ifndef _WIN32  // under wine, run as root, a read-only attribute does not hold
TEST(Report, ARecordingsFileThatCannotBeRewrittenKeepsTheEntriesUnreported) {
  ReportRun run(periodAndOthers());
  run.folder.setOwnerAccess("OdV", 4);
  ReportOutcome outcome;
  {
    test::Unprivileged user(run.folder);
    outcome = run.go();
  }
  EXPECT_EQ(run.platform.texts(),
            std::vector<std::string>{trappedText("Rw_Record", "70-Autorizzazione negata")});
  EXPECT_EQ(run.report(),
            kHeadingRecord + reportedLine("10/12/2026", "a") + reportedLine("11/12/2026", "b"));
  EXPECT_EQ(run.folder.read("OdV"), periodAndOthers());
  EXPECT_FALSE(outcome.reportFailed);
  EXPECT_EQ(outcome.copied, 2);
  EXPECT_EQ(outcome.unreported, 4);
}
#endif

// A failure at each open, read, write and sync of a run in turn: whatever has been done
// by then, every entry of the period is either still unreported or in the report, and
// every record is either as it was or marked.
TEST(Report, AFailureAnywhereLosesNoEntry) {
  constexpr int kRecords = 6000;  // past one read and one report write, with gaps
  std::vector<std::string> stored;
  std::vector<std::string> marked;
  std::vector<std::size_t> reportAt;  // where an entry's line goes in the report
  std::string recordings;
  for (int n = 1; n <= kRecords; ++n) {
    const bool inPeriod = n % 1000 != 0;
    const std::string text = entryText('N', inPeriod ? "15/12/2026" : "01/01/2027", description(n));
    stored.push_back(storedRecord(text));
    marked.push_back(markedRecord(text));
    reportAt.push_back(inPeriod ? (n - n / 1000) * 256U : 0);
    recordings += stored.back();
  }
  for (const faults::Op op :
       {faults::Op::Open, faults::Op::Read, faults::Op::Write, faults::Op::Sync}) {
    long calls = 0;
    {
      ReportRun clean(recordings);
      faults::reset();
      clean.go();
      calls = faults::calls(op);
      ASSERT_TRUE(clean.platform.messages.empty());
    }
    ASSERT_GT(calls, 0);
    for (long nth = 1; nth <= calls; ++nth) {
      SCOPED_TRACE(testing::Message() << "operation " << static_cast<int>(op) << ", call " << nth);
      ReportRun run(recordings);
      faults::reset();
      faults::failAt(op, nth, EIO);
      const ReportOutcome outcome = run.go();
      faults::reset();
      ASSERT_EQ(run.platform.messages.size(), 1U);
      EXPECT_EQ(run.platform.messages[0].icon, Icon::Critical);
      const std::string after = run.folder.read("OdV");
      ASSERT_EQ(after.size(), recordings.size());
      const std::string report = run.report();
      std::int64_t stillUnreported = 0;
      for (std::size_t i = 0; i < stored.size(); ++i) {
        const std::string_view record = std::string_view(after).substr(i * 256, 256);
        if (record == stored[i]) {
          ++stillUnreported;
          continue;
        }
        ASSERT_EQ(record, marked[i]) << i + 1;
        ASSERT_EQ(report.substr(reportAt[i], 256),
                  reportedLine("15/12/2026", description(static_cast<int>(i) + 1)))
            << i + 1;
      }
      // A report that did not reach the disk marks nothing.
      EXPECT_TRUE(!outcome.reportFailed || after == recordings);
      // A run that read the whole file never calls an entry left unreported reported.
      EXPECT_TRUE(!outcome.complete || outcome.unreported >= stillUnreported);
    }
  }
}

// A recordings file larger than the program could have written is refused unread: a 64 GiB
// sparse file once ran the memory out.
TEST(Report, ARecordingsFileOfMoreThan4194304RecordsIsRefusedUnread) {
  for (const std::uint64_t records : {std::uint64_t{4194305}, std::uint64_t{1} << 28}) {
    SCOPED_TRACE(records);
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
    EXPECT_FALSE(run.hasReport());
    EXPECT_FALSE(outcome.complete);
    EXPECT_EQ(outcome.records, 0);
  }
}

#ifndef _WIN32  // a mount and a second process
// The report folder on a disk with room for 8,192 of the 12,000 lines: none of them stays.
TEST(Report, AReportThatFillsTheDiskLeavesNoPartOfItself) {
  std::string recordings;
  for (int n = 0; n < 12000; ++n) recordings += storedRecord(entryText('N', "15/12/2026", "x"));
  ReportRun run(recordings);
  const test::SmallDisk disk(run.folder.file("Report"), std::size_t{2} << 20);
  if (!disk.mounted()) GTEST_SKIP() << "no tmpfs here: " << disk.refusal();
  const ReportOutcome outcome = run.go();
  EXPECT_EQ(run.platform.texts(),
            std::vector<std::string>{trappedText("Rw_Record", "61-Disco pieno")});
  EXPECT_TRUE(std::filesystem::is_empty(run.folder.file("Report")));
  EXPECT_TRUE(run.folder.read("OdV") == recordings);
  EXPECT_TRUE(outcome.reportFailed);
  EXPECT_EQ(outcome.unreported, 12000);
}

long peakKiB() {
  rusage usage{};
  ::getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;
}

// 400,000 entries of the period (100 MiB), all copied and marked, in a process of its own:
// the run's peak memory grows by far less than the file.
TEST(Report, MemoryDoesNotGrowWithTheRecordingsFile) {
  constexpr int kMany = 400000;
  ReportRun run("");
  {
    std::ofstream out(run.folder.file("OdV"), std::ios::binary);
    const std::string record = storedRecord(entryText('N', "15/12/2026", "x"));
    for (int n = 0; n < kMany; ++n) out << record;
  }
  // The run goes in a fresh copy of this program, without the sanitizer's quarantine of
  // freed blocks (256 MiB), which would hide what the run itself holds.
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  const char* options = std::getenv("ASAN_OPTIONS");
  const std::string kept = options == nullptr ? "" : options;
  ::setenv("ASAN_OPTIONS", (kept + ":quarantine_size_mb=0").c_str(), 1);
  EXPECT_EXIT(
      {
        const long before = peakKiB();
        const bool copied = run.go().copied == kMany;
        const long grown = peakKiB() - before;
        std::fprintf(stderr, "copied all: %d, peak grown by %ld KiB\n", copied, grown);
        std::_Exit(copied && grown < 32 * 1024 ? 0 : 1);
      },
      testing::ExitedWithCode(0), "");
  ::setenv("ASAN_OPTIONS", kept.c_str(), 1);
}
#endif

}  // namespace
}  // namespace kov
