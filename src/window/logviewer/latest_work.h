// One thread that runs the latest work handed to it: new work stops the work under way (at
// its next look at its stop token) and takes its place, so the window's thread never waits.
#pragma once

#include <condition_variable>
#include <functional>
#include <mutex>
#include <stop_token>
#include <thread>

namespace kov {

class LatestWork {
 public:
  using Work = std::function<void(const std::stop_token&)>;

  LatestWork();
  ~LatestWork();  // stops the work under way and waits for it to end
  LatestWork(const LatestWork&) = delete;
  LatestWork& operator=(const LatestWork&) = delete;

  void run(Work work);
  void stop() { run({}); }

 private:
  std::mutex mutex_;
  std::condition_variable_any wake_;
  Work next_;
  std::stop_source current_;
  std::jthread thread_;  // last: it uses the members above
};

}  // namespace kov
