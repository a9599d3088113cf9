// A Host on a virtual clock, for engine tests and benchmarks. Delay advances the clock one
// millisecond at a time; at each millisecond the timer fires when due and whatever the
// scripted receiver has made due is delivered, so replies are handled inside waits exactly
// as they are on screen.
#pragma once

#include <functional>
#include <mutex>
#include <vector>

#include "base/host.h"

class VirtualHost : public Host {
 public:
  std::uint32_t TickCount() override { return now_; }
  void Delay(int ms) override;

  void TimerStart() override;
  void TimerStop() override { timerEnabled_ = false; }
  void SetTimerInterval(int ms) override;
  int TimerInterval() const override { return interval_; }
  bool TimerEnabled() const override { return timerEnabled_; }
  void SetTimerHandler(std::function<void()> onTick) override { onTick_ = std::move(onTick); }
  // Posted tasks run at the next millisecond the clock reaches. Other threads may post too.
  void Post(std::function<void()> task) override {
    const std::lock_guard hold(postLock_);
    posted_.push_back(std::move(task));
  }
  // The watch runs at every multiple of kWatchMs the clock reaches.
  void SetWatch(std::function<void()> onWatch) override { onWatch_ = std::move(onWatch); }

  // Called at every millisecond the clock reaches (the scripted receiver's mouth).
  std::function<void(std::uint32_t now)> onTime;

 private:
  std::uint32_t now_ = 1000;
  bool timerEnabled_ = false;
  bool inTick_ = false;
  int interval_ = 200;
  std::uint32_t nextFire_ = 0;
  std::function<void()> onTick_;
  std::function<void()> onWatch_;
  std::mutex postLock_;
  std::vector<std::function<void()>> posted_;
};
