#include "app/host_qt.h"

#include <QEventLoop>

#include "ui/guard_qt.h"

QtHost::QtHost() {
  clock_.start();
  timer_.setInterval(200);
  timer_.setTimerType(Qt::PreciseTimer);
  QObject::connect(&timer_, &QTimer::timeout, [this] {
    GuardedCall([this] {
      if (onTick_) onTick_();
    });
  });
}

void QtHost::SetWatch(std::function<void()> onWatch) {
  onWatch_ = std::move(onWatch);
  if (watch_.isActive()) return;
  watch_.setInterval(kWatchMs);
  QObject::connect(&watch_, &QTimer::timeout, [this] {
    GuardedCall([this] {
      if (onWatch_) onWatch_();
    });
  });
  watch_.start();
}

void QtHost::Post(std::function<void()> task) {
  QTimer::singleShot(0, &timer_, [task = std::move(task)] { GuardedCall(task); });
}

std::uint32_t QtHost::TickCount() { return static_cast<std::uint32_t>(clock_.elapsed()); }

void QtHost::Delay(int ms) {
  const std::uint32_t start = TickCount();
  // A nested event loop, woken by a precise single-shot timer: window events and replies are
  // handled during the wait without spinning.
  for (;;) {
    const std::int64_t left = static_cast<std::int64_t>(ms) - (TickCount() - start);
    if (left < 0) break;
    QEventLoop loop;
    QTimer::singleShot(static_cast<int>(left) + 1, Qt::PreciseTimer, &loop, &QEventLoop::quit);
    loop.exec();
  }
}
