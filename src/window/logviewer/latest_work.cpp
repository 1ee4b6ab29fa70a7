#include "window/logviewer/latest_work.h"

#include <utility>

namespace kov {

LatestWork::LatestWork()
    : thread_([this](const std::stop_token& ending) {
        for (;;) {
          Work work;
          std::stop_token stop;
          {
            std::unique_lock lock(mutex_);
            if (!wake_.wait(lock, ending, [this] { return next_ != nullptr; })) return;
            work = std::exchange(next_, nullptr);
            stop = current_.get_token();
          }
          work(stop);
        }
      }) {}

LatestWork::~LatestWork() {
  const std::scoped_lock lock(mutex_);
  current_.request_stop();
}

void LatestWork::run(Work work) {
  {
    const std::scoped_lock lock(mutex_);
    current_.request_stop();
    current_ = std::stop_source();
    next_ = std::move(work);
  }
  wake_.notify_one();
}

}  // namespace kov
