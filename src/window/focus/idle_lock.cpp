#include "window/focus/idle_lock.h"

#include <QCoreApplication>
#include <QEvent>
#include <QTimer>

namespace kov {

IdleLock::IdleLock(QObject* parent, std::function<void()> lock)
    : QObject(parent), timer_(new QTimer(this)), lock_(std::move(lock)) {
  timer_->setObjectName(QStringLiteral("IdleLock"));
  timer_->setSingleShot(true);
  timer_->setInterval(kIdleLimit);
  connect(timer_, &QTimer::timeout, this, [this] { lock_(); });
  QCoreApplication::instance()->installEventFilter(this);
  timer_->start();
}

void IdleLock::setLimit(std::chrono::milliseconds limit) {
  timer_->start(limit);
}

bool IdleLock::eventFilter(QObject* /*watched*/, QEvent* event) {
  switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::MouseButtonPress:
    case QEvent::Wheel:
      timer_->start();
      break;
    default:
      break;
  }
  return false;
}

}  // namespace kov
