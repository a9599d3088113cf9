// The window program's Host: Qt's monotonic clock, a nested event loop for waits, a QTimer
// as Timer1, and the serial component for frames.
#pragma once

#include <QElapsedTimer>
#include <QTimer>

#include "app/host.h"

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

  bool PortOpen() const override { return portOpen_ && portOpen_(); }
  void WriteFrame(const civ::Bytes& frame) override {
    if (PortOpen() && write_) write_(frame);
  }

  // The serial component behind the link.
  void SetPort(std::function<bool()> portOpen, std::function<void(const civ::Bytes&)> write) {
    portOpen_ = std::move(portOpen);
    write_ = std::move(write);
  }

 private:
  QElapsedTimer clock_;
  QTimer timer_;  // Timer1
  std::function<void()> onTick_;
  std::function<bool()> portOpen_;
  std::function<void(const civ::Bytes&)> write_;
};
