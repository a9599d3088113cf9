// The engine's one door to time and the outside world. The window program implements it over
// Qt and the serial component; engine tests implement it with a virtual clock.
#pragma once

#include <cstdint>
#include <functional>

#include "civ/civ.h"

class Host {
 public:
  virtual ~Host() = default;

  // Milliseconds from a monotonic clock; wraps like a 32-bit tick count.
  virtual std::uint32_t TickCount() = 0;
  // Waits until TickCount has passed start + ms, handling window events meanwhile, so that
  // replies and other handlers can run inside the wait.
  virtual void Delay(int ms) = 0;

  // The polling timer Timer1.
  virtual void TimerStart() = 0;
  virtual void TimerStop() = 0;
  virtual void SetTimerInterval(int ms) = 0;
  virtual int TimerInterval() const = 0;
  virtual bool TimerEnabled() const = 0;
  // The routine each tick runs (Timer1Timer).
  virtual void SetTimerHandler(std::function<void()> onTick) = 0;

  // The link to the receiver: frames go out only while the port is open.
  virtual bool PortOpen() const = 0;
  virtual void WriteFrame(const civ::Bytes& frame) = 0;
};
