// A report run killed at random moments: whatever it had done by then, every entry is either
// still unreported in the recordings file or in the report file, and the recordings file is
// whole. The run is a child process killed with SIGKILL, as by a crash or a power cut that
// spares the disk's cache.
#ifndef _WIN32  // processes and signals
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <iostream>
#include <random>
#include <thread>

#include "report/report_files.h"

namespace kov {
namespace {

using Clock = std::chrono::steady_clock;

constexpr int kEntries = 5000;
constexpr int kKills = 100;

// Every other entry lies outside the period and stays unreported, so that the marks go out
// in many writes.
bool inPeriod(int i) {
  return i % 2 == 0;
}

// Each entry as it is stored, as a report marks it, and its report line.
struct Entry {
  std::string stored;
  std::string marked;
  std::string line;
};

std::vector<Entry> entries() {
  std::vector<Entry> result;
  for (int i = 0; i < kEntries; ++i) {
    const std::string description = "operazione " + std::to_string(i);
    const std::string text =
        test::entryText('N', inPeriod(i) ? "15/12/2026" : "01/01/2027", description);
    result.push_back({test::storedRecord(text), test::markedRecord(text),
                      test::reportedLine("15/12/2026", description)});
  }
  return result;
}

// Runs the report in a child process.
pid_t startReport(const ReportRequest& request) {
  const pid_t child = ::fork();
  if (child == 0) {
    test::FakePlatform platform;
    generateReport(platform, request);
    ::_exit(platform.messages.empty() ? 0 : 1);
  }
  return child;
}

// Waits for the child; a run that ended on its own must have ended well.
void expectEnded(pid_t child) {
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  EXPECT_TRUE(WIFSIGNALED(status) || (WIFEXITED(status) && WEXITSTATUS(status) == 0));
}

// Line n of a report, empty when the report is shorter.
std::string_view lineAt(const std::string& report, std::size_t n) {
  return report.size() < (n + 1) * 256 ? std::string_view()
                                       : std::string_view(report).substr(n * 256, 256);
}

unsigned seedOfTheRun() {
  if (const char* replay = std::getenv("KOV_KILL_SEED")) {
    return static_cast<unsigned>(std::strtoul(replay, nullptr, 10));
  }
  return std::random_device{}();
}

TEST(ReportKilled, AtAHundredRandomMomentsEveryEntryIsUnreportedOrInAReport) {
  const std::vector<Entry> all = entries();
  std::string recordings;
  for (const Entry& entry : all) recordings += entry.stored;

  // The kills fall over the length of a whole run here (the longest of three), and a little
  // after its end.
  std::chrono::microseconds length{0};
  for (int run = 0; run < 3; ++run) {
    const test::ReportRun whole(recordings);
    const Clock::time_point start = Clock::now();
    const pid_t measured = startReport(whole.request);
    ASSERT_GT(measured, 0);
    expectEnded(measured);
    length = std::max(length,
                      std::chrono::duration_cast<std::chrono::microseconds>(Clock::now() - start));
  }
  const unsigned seed = seedOfTheRun();
  std::cout << "seed " << seed << " (KOV_KILL_SEED=" << seed << " replays it), a whole run "
            << length.count() / 1000 << " ms\n";
  SCOPED_TRACE(testing::Message() << "KOV_KILL_SEED=" << seed);
  std::mt19937 random(seed);
  std::uniform_int_distribution<std::int64_t> moment(0, length.count() * 11 / 10);

  // Where the kills fell: before the report was whole, before any mark, among the marks,
  // after the last one.
  int before = 0;
  int unmarked = 0;
  int amid = 0;
  int after = 0;
  for (int kill = 0; kill < kKills; ++kill) {
    SCOPED_TRACE(testing::Message() << "kill " << kill + 1);
    const test::ReportRun f(recordings);
    const pid_t child = startReport(f.request);
    ASSERT_GT(child, 0);
    std::this_thread::sleep_for(std::chrono::microseconds(moment(random)));
    ::kill(child, SIGKILL);
    expectEnded(child);
    const std::string killed = f.folder.read("OdV");
    const std::string first = f.report();
    ASSERT_EQ(killed.size(), recordings.size());

    // Then a whole run, a minute later, reports what the killed one left.
    ReportRequest next = f.request;
    next.name = "20261231_0906_Log.txt";
    test::FakePlatform platform;
    generateReport(platform, next);
    EXPECT_TRUE(platform.messages.empty());
    const std::string second = f.report(next.name);
    const std::string final = f.folder.read("OdV");

    std::size_t firstLine = 1;   // the line an entry has in the killed run's report
    std::size_t secondLine = 1;  // and in the next one's
    for (int i = 0; i < kEntries; ++i) {
      const auto at = static_cast<std::size_t>(i) * 256;
      const std::string_view record = std::string_view(killed).substr(at, 256);
      const Entry& entry = all[static_cast<std::size_t>(i)];
      if (!inPeriod(i)) {
        ASSERT_EQ(record, entry.stored) << "entry " << i;
        ASSERT_EQ(std::string_view(final).substr(at, 256), entry.stored) << "entry " << i;
        continue;
      }
      if (record == entry.marked) {
        ASSERT_EQ(lineAt(first, firstLine), entry.line) << "entry " << i;
      } else {
        ASSERT_EQ(record, entry.stored) << "entry " << i;
        ASSERT_EQ(lineAt(second, secondLine), entry.line) << "entry " << i;
        ++secondLine;
      }
      ++firstLine;
      ASSERT_EQ(std::string_view(final).substr(at, 256), entry.marked) << "entry " << i;
    }
    const std::size_t marks = firstLine - secondLine;
    if (marks == firstLine - 1) {
      ++after;
    } else if (marks > 0) {
      ++amid;
    } else if (first.size() == firstLine * 256) {
      ++unmarked;
    } else {
      ++before;
    }
  }
  std::cout << "kills: " << before << " before the report was whole, " << unmarked
            << " before any mark, " << amid << " among the marks, " << after << " after the last\n";
}

}  // namespace
}  // namespace kov
#endif
