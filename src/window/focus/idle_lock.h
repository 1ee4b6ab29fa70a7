// Signs the user out when the program's windows go untouched for a while.
#pragma once

#include <QObject>
#include <chrono>
#include <functional>

class QTimer;

namespace kov {

// Ten minutes without a key, a click or the wheel on any of the program's windows.
inline constexpr std::chrono::minutes kIdleLimit{10};

class IdleLock : public QObject {
 public:
  // `lock` runs each time the limit passes untouched; the count starts now.
  IdleLock(QObject* parent, std::function<void()> lock);
  // Another limit, counted from now.
  void setLimit(std::chrono::milliseconds limit);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QTimer* timer_;
  std::function<void()> lock_;
};

}  // namespace kov
