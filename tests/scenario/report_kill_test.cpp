// The window, in a process of its own (tests/drivers/office_day.cpp), signed in as the data
// controller, runs a report with removal and is killed with SIGKILL at random moments: every
// entry is still in the recordings file or in the report, and the file is always there.
// KOV_KILL_SEED=n replays the moments of a run, whose seed every run prints.
#ifndef _WIN32  // processes and signals
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <iostream>
#include <random>
#include <thread>

#include "support/controller_window.h"

namespace kov {
namespace {

TEST(ReportKilled, AtRandomMomentsEveryEntryIsInTheRecordingsFileOrInTheReport) {
  std::vector<std::string> texts;
  for (int i = 0; i < 1000; ++i)
    texts.push_back(test::entryText('N', "15/12/2026", std::to_string(i)));
  const char* chosen = std::getenv("KOV_KILL_SEED");
  const unsigned seed = chosen != nullptr ? std::stoul(chosen) : std::random_device{}();
  std::cout << "KOV_KILL_SEED=" << seed << std::endl;
  SCOPED_TRACE(testing::Message() << "KOV_KILL_SEED=" << seed);
  std::mt19937 random(seed);
  std::chrono::steady_clock::duration length{0};  // of a whole run, measured by the first three
  for (int run = 0; run < 43; ++run) {
    const test::Controller folder(test::stored(texts), false);
    int said[2];
    ASSERT_EQ(::pipe(said), 0);
    const pid_t child = ::fork();
    if (child == 0) {
      ::dup2(said[1], STDOUT_FILENO);
      ::execl(KOV_OFFICE_DAY, "office_day", "report", folder.folder.path().c_str(), nullptr);
      ::_exit(127);
    }
    ::close(said[1]);
    char first = 0;  // of "report", written just before Ok; nothing when the child ended first
    const bool started = ::read(said[0], &first, 1) == 1;
    int status = 0;
    bool ended = false;
    const auto start = std::chrono::steady_clock::now(),
               moment = start + length * static_cast<int>(random() % 110) / 100;
    while (
        started && !ended &&
        (run < 3 ? folder.recordings().size() != 256 : std::chrono::steady_clock::now() < moment)) {
      ended = ::waitpid(child, &status, WNOHANG) == child;
      std::this_thread::yield();
    }
    if (run < 3) length = std::max(length, std::chrono::steady_clock::now() - start);
    ::kill(child, SIGKILL);
    ASSERT_TRUE(ended || ::waitpid(child, &status, 0) == child);
    ::close(said[0]);
    EXPECT_TRUE(started);
    EXPECT_TRUE(WIFSIGNALED(status) || (WIFEXITED(status) && WEXITSTATUS(status) == 0));
    const std::string left = folder.recordings();
    EXPECT_TRUE(run >= 3 || left == test::loggedRecord(test::kRemoved));
    test::expectNoEntryLost(texts, left, folder.report());
    const std::string tail = left.substr(std::min(left.size(), texts.size() * 256));
    EXPECT_TRUE(left.size() == 256 || tail.empty() || tail == test::loggedRecord(test::kCreated));
  }
}

}  // namespace
}  // namespace kov
#endif
