// The window program's Host: Qt's monotonic clock, a nested event loop for waits, and a
// QTimer as Timer1.
#pragma once

#include <QElapsedTimer>
#include <QTimer>

#include "base/host.h"

class QtHost : public Host {
 public:
  QtHost();

  std::uint32_t TickCount() override;
  void Delay(int ms) override;

  void TimerStart() override { timer_.start(); }
  void TimerStop() override { timer_.stop(); }
  void SetTimerInterval(int ms) override { timer_.setInterval(ms); }
  int TimerInterval() const override { return timer_.interval(); }
  bool TimerEnabled() const override { return timer_.isActive(); }
  void SetTimerHandler(std::function<void()> onTick) override { onTick_ = std::move(onTick); }
  void Post(std::function<void()> task) override;
  void SetWatch(std::function<void()> onWatch) override;

 private:
  QElapsedTimer clock_;
  QTimer timer_;  // Timer1
  std::function<void()> onTick_;
  QTimer watch_;
  std::function<void()> onWatch_;
};
