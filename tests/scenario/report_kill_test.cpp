// The window, in a child process (this program started again), signed in as the data
// controller, runs a report with removal and is killed with SIGKILL at random moments: every
// entry is still in the recordings file or in the report, and the file is always there.
#ifndef _WIN32  // processes and signals
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <random>
#include <thread>

#include "support/controller_window.h"

namespace kov {
namespace {

constexpr const char* kChildFolder = "KOV_KILL_CHILD_FOLDER";

TEST(ReportKilled, AtRandomMomentsEveryEntryIsInTheRecordingsFileOrInTheReport) {
  if (const char* folder = std::getenv(kChildFolder)) {  // the child
    test::Window w;
    w.platform.folder = folder;
    w.show();
    w.signIn(1, "Titolare", "segreto99");
    w.period("01122026", "31122026");
    w.click("Rimuovi");
    std::filesystem::create_directory(std::string(folder) + "/started");
    return w.click("Cmd_Gp");
  }
  std::vector<std::string> texts;
  for (int i = 0; i < 1000; ++i)
    texts.push_back(test::entryText('N', "15/12/2026", std::to_string(i)));
  const unsigned seed = std::random_device{}();
  SCOPED_TRACE(testing::Message() << "seed " << seed);
  std::mt19937 random(seed);
  std::chrono::steady_clock::duration length{0};  // of a whole run, measured by the first three
  for (int run = 0; run < 43; ++run) {
    const test::Controller folder(test::stored(texts), false);
    const pid_t child = ::fork();
    if (child == 0) {
      ::setenv(kChildFolder, folder.folder.path().c_str(), 1);
      ::execl("/proc/self/exe", "report_window_tests", "--gtest_filter=ReportKilled.*", nullptr);
      ::_exit(127);
    }
    int status = 0;
    bool ended = false;  // seen to end before it was seen to start
    while (!folder.folder.exists("started") && !ended)
      ended = ::waitpid(child, &status, WNOHANG) == child;
    const auto start = std::chrono::steady_clock::now(),
               moment = start + length * static_cast<int>(random() % 110) / 100;
    while (!ended && (run < 3 ? folder.recordings().size() != 256
                              : std::chrono::steady_clock::now() < moment))
      std::this_thread::yield();
    if (run < 3) length = std::max(length, std::chrono::steady_clock::now() - start);
    ::kill(child, SIGKILL);
    ASSERT_TRUE(ended || ::waitpid(child, &status, 0) == child);
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
