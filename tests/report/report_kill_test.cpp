// The program killed at random moments of a report run with removal: whatever it had done by
// then, every entry is still in the recordings file (unreported, or marked with its line in
// the report) or in the report, and the recordings file is always there and whole. The run
// is the whole window in a child process (this test program started again), signed in as the
// data controller and pressing Ok, killed with SIGKILL as by a crash.
#ifndef _WIN32  // processes and signals
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <random>
#include <thread>

#include "report/controller_window.h"

namespace kov {
namespace {

using Clock = std::chrono::steady_clock;

constexpr int kEntries = 2000;
constexpr int kKills = 40;
constexpr const char* kChildFolder = "KOV_KILL_CHILD_FOLDER";
const std::string kReport = "report/20261231_0905_Log.txt";
const std::string kStarted = "started";

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
    const std::string text = test::entryText('N', "15/12/2026", description);
    result.push_back({test::storedRecord(text), test::markedRecord(text),
                      test::reportedLine("15/12/2026", description)});
  }
  return result;
}

// The child: the window on the folder the parent prepared, the report with removal.
TEST(ReportKilled, Child) {
  const char* folder = std::getenv(kChildFolder);
  if (folder == nullptr) GTEST_SKIP() << "run by ReportKilled.AtRandomMoments";
  test::Window w;
  w.platform.folder = folder;
  w.show();
  w.signIn(1, "Titolare", "segreto99");
  w.period("01122026", "31122026");
  w.click("Rimuovi");
  std::ofstream(std::string(folder) + "/" + kStarted).flush();
  w.click("Cmd_Gp");
}

// Prepares a program folder with both roles and the entries, starts the child on it and
// returns once the child is about to press Ok.
pid_t startChild(const test::TempFolder& folder, const std::string& recordings) {
  folder.write("KoV", test::administratorFile("PC-01", false, "Log.txt", folder.path() + "\\report",
                                              "Admin", "password1"));
  folder.write("TdT", test::controllerFile("Titolare", "segreto99"));
  folder.write("OdV", recordings);
  folder.makeFolder("report");
  const pid_t child = ::fork();
  if (child == 0) {
    ::setenv(kChildFolder, folder.path().c_str(), 1);
    ::execl("/proc/self/exe", "report_window_tests", "--gtest_filter=ReportKilled.Child",
            static_cast<char*>(nullptr));
    ::_exit(127);
  }
  while (!folder.exists(kStarted)) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  return child;
}

// Waits for the child; a run that ended on its own must have ended well.
void expectEnded(pid_t child) {
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  EXPECT_TRUE(WIFSIGNALED(status) || (WIFEXITED(status) && WEXITSTATUS(status) == 0));
}

unsigned seedOfTheRun() {
  if (const char* replay = std::getenv("KOV_KILL_SEED")) {
    return static_cast<unsigned>(std::strtoul(replay, nullptr, 10));
  }
  return std::random_device{}();
}

TEST(ReportKilled, AtRandomMomentsEveryEntryIsInTheRecordingsFileOrInTheReport) {
  if (std::getenv(kChildFolder) != nullptr) GTEST_SKIP();
  const std::vector<Entry> all = entries();
  std::string recordings;
  for (const Entry& entry : all) recordings += entry.stored;
  const std::string removed = test::loggedRecord(test::kRemoved);
  const std::string created = test::loggedRecord(test::kCreated);
  std::string report = test::kHeadingRecord;
  for (const Entry& entry : all) report += entry.line;

  // The kills fall over the length of a whole run here, from Ok to the new recordings file
  // (the longest of three), and a little after.
  std::chrono::microseconds length{0};
  for (int run = 0; run < 3; ++run) {
    const test::TempFolder folder;
    const pid_t child = startChild(folder, recordings);
    const Clock::time_point start = Clock::now();
    while (std::filesystem::file_size(folder.file("OdV")) != 256) std::this_thread::yield();
    length = std::max(length,
                      std::chrono::duration_cast<std::chrono::microseconds>(Clock::now() - start));
    expectEnded(child);
    ASSERT_EQ(folder.read("OdV"), removed);
    ASSERT_EQ(folder.read(kReport), report);
  }
  const unsigned seed = seedOfTheRun();
  std::cout << "seed " << seed << " (KOV_KILL_SEED=" << seed << " replays it), a whole run "
            << length.count() / 1000 << " ms\n";
  SCOPED_TRACE(testing::Message() << "KOV_KILL_SEED=" << seed);
  std::mt19937 random(seed);
  std::uniform_int_distribution<std::int64_t> moment(0, length.count() * 11 / 10);

  // Where the kills fell.
  enum Phase { kBeforeReport, kReportWhole, kMarked, kLogged, kReplacing, kRemoved, kPhases };
  const char* const names[kPhases] = {
      "before the report was whole", "with the report whole and nothing marked",
      "with the entries marked",     "with the report logged",
      "while the new file was made", "after the removal"};
  int phases[kPhases] = {};
  for (int kill = 0; kill < kKills; ++kill) {
    SCOPED_TRACE(testing::Message() << "kill " << kill + 1);
    const test::TempFolder folder;
    const pid_t child = startChild(folder, recordings);
    std::this_thread::sleep_for(std::chrono::microseconds(moment(random)));
    ::kill(child, SIGKILL);
    expectEnded(child);
    const std::string left = folder.read("OdV");
    const std::string first = folder.exists(kReport) ? folder.read(kReport) : std::string();
    const bool replacing = folder.exists("OdV.nuovo");

    Phase phase = kBeforeReport;
    if (left == removed) {
      // Replaced in one step: every entry is in the report.
      phase = kRemoved;
      ASSERT_EQ(first, report);
    } else {
      ASSERT_GE(left.size(), recordings.size());
      std::size_t marks = 0;
      for (std::size_t i = 0; i < all.size(); ++i) {
        const std::string_view record = std::string_view(left).substr(i * 256, 256);
        if (record == all[i].marked) {
          ++marks;
          ASSERT_EQ(first.substr((i + 1) * 256, 256), all[i].line) << "entry " << i;
        } else {
          ASSERT_EQ(record, all[i].stored) << "entry " << i;
        }
      }
      const std::string tail = left.substr(recordings.size());
      ASSERT_TRUE(tail.empty() || tail == created) << "after the entries";
      if (replacing) {
        phase = kReplacing;
      } else if (!tail.empty()) {
        phase = kLogged;
      } else if (marks > 0) {
        phase = kMarked;
      } else if (first == report) {
        phase = kReportWhole;
      }
    }
    ++phases[phase];
  }
  std::cout << "kills:";
  for (int p = 0; p < kPhases; ++p) std::cout << " " << phases[p] << " " << names[p] << ";";
  std::cout << "\n";
}

}  // namespace
}  // namespace kov
#endif
