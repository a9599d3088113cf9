// The engine's one door to time and the outside world. The window program implements it over
// Qt and the serial component; engine tests implement it with a virtual clock.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

// The serial line as the engine sees it. The window program adapts the serial component to
// it; tests put a scripted receiver behind it.
class Port {
 public:
  virtual ~Port() = default;
  // Opens the given COM port at the given speed; throws the serial component's errors.
  virtual void Open(int comPort, std::int32_t baudRate) = 0;
  virtual void Close() = 0;
  virtual bool IsOpen() const = 0;
  virtual void Write(const std::vector<std::uint8_t>& frame) = 0;
  // Reads up to `size` bytes that are waiting, without blocking; returns how many.
  virtual int Read(std::uint8_t* buffer, int size) = 0;
  // Bytes waiting in the input queue.
  virtual int InQueue() = 0;
};

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
  // Runs `task` from the event loop once the running handler (and any wait it is in) has
  // given control back.
  virtual void Post(std::function<void()> task) = 0;
  // Runs `onWatch` every kWatchMs from the event loop, whatever Timer1 is doing: the link's
  // look-out for a polling chain that a lost reply has broken.
  static constexpr int kWatchMs = 100;
  virtual void SetWatch(std::function<void()> onWatch) = 0;

  // The link to the receiver: frames go out only while the port is open.
  void SetPort(Port* port) { port_ = port; }
  Port* GetPort() const { return port_; }
  bool PortOpen() const { return port_ && port_->IsOpen(); }
  void WriteFrame(const std::vector<std::uint8_t>& frame) {
    if (!PortOpen()) return;
    port_->Write(frame);
    lastWriteTick_ = TickCount();
  }
  // When a frame was last written.
  std::uint32_t LastWriteTick() const { return lastWriteTick_; }

 private:
  Port* port_ = nullptr;
  std::uint32_t lastWriteTick_ = 0;
};
