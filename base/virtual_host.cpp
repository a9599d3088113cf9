#include "base/virtual_host.h"

#include <utility>

void VirtualHost::Delay(int ms) {
  const std::uint32_t end = now_ + static_cast<std::uint32_t>(ms < 0 ? 0 : ms);
  while (now_ < end) {
    ++now_;
    std::vector<std::function<void()>> tasks;
    {
      const std::lock_guard hold(postLock_);
      tasks = std::exchange(posted_, {});
    }
    for (auto& task : tasks) task();
    if (onTime) onTime(now_);
    if (onWatch_ && now_ % kWatchMs == 0) onWatch_();
    // As with a window timer, a tick whose handler is still running (inside a wait) does not
    // fire again; it fires once the handler has returned.
    if (timerEnabled_ && now_ >= nextFire_ && !inTick_) {
      nextFire_ = now_ + static_cast<std::uint32_t>(interval_);
      inTick_ = true;
      if (onTick_) onTick_();
      inTick_ = false;
    }
  }
}

void VirtualHost::TimerStart() {
  if (!timerEnabled_) nextFire_ = now_ + static_cast<std::uint32_t>(interval_);
  timerEnabled_ = true;
}

void VirtualHost::SetTimerInterval(int ms) {
  // As with a window timer, a new interval starts the count again.
  interval_ = ms;
  nextFire_ = now_ + static_cast<std::uint32_t>(interval_);
}
