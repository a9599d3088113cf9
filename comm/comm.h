// TComm, the serial port component, and TCommWatch, its watcher thread, over the Linux serial
// interface (termios2 and ioctl). The component knows nothing of CI-V: it opens a device,
// applies the line settings, and tells its owner when bytes are waiting.
//
// Threads: the owner calls Open, Close, the setters, Write and Read on one thread (the window
// thread). The watcher thread only waits on the device and raises the events. Assign the event
// handlers while the port is closed; the watcher reads them without a lock.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <exception>
#include <functional>
#include <initializer_list>
#include <memory>
#include <string>
#include <string_view>
#include <thread>

#include "comm/comm_error.h"
#include "comm/net_line.h"

enum TCommParityBits : std::uint8_t { cpbNone, cpbOdd, cpbEven, cpbMark, cpbSpace };
enum TCommByteSize : std::uint8_t { cbs4, cbs5, cbs6, cbs7, cbs8 };
enum TCommStopBits : std::uint8_t { csb1, csb15, csb2 };
enum TCommFlowControl : std::uint8_t { cfcDtrDsr, cfcRtsCts, cfcXonXoff };
enum TCommEvents : std::uint8_t {
  evRxchar,
  evRxflag,
  evTxempty,
  evCts,
  svDsr,
  evRlsd,
  evBreak,
  evErr,
  evRing,
  evPerr,
  evCtss,
  evDsrs,
  evRlsds,
  evRingte
};

// A set of one of the enumerations above: bit n stands for the member of ordinal n.
template <typename E>
class TCommSet {
 public:
  constexpr TCommSet() = default;
  constexpr TCommSet(std::initializer_list<E> members) {
    for (E m : members) bits_ |= Bit(m);
  }
  static constexpr TCommSet FromBits(std::uint32_t bits) {
    TCommSet s;
    s.bits_ = bits;
    return s;
  }
  constexpr bool Contains(E m) const { return (bits_ & Bit(m)) != 0; }
  constexpr bool Empty() const { return bits_ == 0; }
  constexpr std::uint32_t Bits() const { return bits_; }
  constexpr bool operator==(const TCommSet&) const = default;

 private:
  static constexpr std::uint32_t Bit(E m) { return std::uint32_t{1} << static_cast<unsigned>(m); }
  std::uint32_t bits_ = 0;
};

using TCommFlowControls = TCommSet<TCommFlowControl>;
using TCommEventMask = TCommSet<TCommEvents>;

class TComm;
struct termios2;  // Linux's line settings with a free speed field (asm/termbits.h)

using TCommNotifyEvent = std::function<void(TComm& Sender, TCommEventMask EventMask)>;
using TCommNotifyRxTxEvent = std::function<void(TComm& Sender, std::uint16_t Size)>;
// The application's exception handler: receives what a handler threw on the watcher thread,
// and the ECommReadWriteError that reports a vanished device.
using TCommExceptionEvent = std::function<void(std::exception_ptr error)>;

// The watcher thread. It holds the descriptors it waits on and its own Running flag, so that it
// never depends on the port being reopened behind its back.
class TCommWatch {
 public:
  TCommWatch(TComm& owner, int handle);  // throws ECommOpenError(-1) when it cannot start
  void Start();                          // likewise
  ~TCommWatch();
  TCommWatch(const TCommWatch&) = delete;
  TCommWatch& operator=(const TCommWatch&) = delete;

  // Asks the loop to end and releases its wait.
  void Terminate();
  // Terminate and wait for the thread to leave; not from the watcher thread itself.
  void Join();
  bool IsWatcherThread() const;
  bool Watching() const { return watching_.load(); }

 private:
  void Execute();
  void Report(std::exception_ptr error);

  TComm& owner_;
  int handle_;
  int pollFd_ = -1;  // epoll set over the device and the wake-up eventfd
  int wakeFd_ = -1;
  std::atomic<bool> Running{true};
  std::atomic<bool> watching_{true};
  std::thread thread_;
};

class TComm {
 public:
  TComm();
  ~TComm();
  TComm(const TComm&) = delete;
  TComm& operator=(const TComm&) = delete;

  // Properties, in their published order. Setters of the line settings apply at once while the
  // port is open (raising ECommReadWriteError when the driver refuses); otherwise they store.
  std::uint8_t Port() const { return port_; }
  void SetPort(std::uint8_t value) { port_ = value; }
  std::int32_t BaudRate() const { return baudRate_; }
  void SetBaudRate(std::int32_t value);
  std::uint16_t BaudRateUserDefined() const { return baudRateUserDefined_; }
  void SetBaudRateUserDefined(std::uint16_t value) { baudRateUserDefined_ = value; }
  TCommParityBits ParityBits() const { return parityBits_; }
  void SetParityBits(TCommParityBits value);
  TCommByteSize byteSize() const { return byteSize_; }
  void SetByteSize(TCommByteSize value);
  TCommStopBits StopBits() const { return stopBits_; }
  void SetStopBits(TCommStopBits value);
  TCommFlowControls FlowControls() const { return flowControls_; }
  void SetFlowControls(TCommFlowControls value);
  std::uint16_t InQueueSize() const { return inQueueSize_; }
  void SetInQueueSize(std::uint16_t value) { inQueueSize_ = value; }
  std::uint16_t OutQueueSize() const { return outQueueSize_; }
  void SetOutQueueSize(std::uint16_t value) { outQueueSize_ = value; }
  std::int32_t ReceiveNotifySize() const { return receiveNotifySize_; }
  void SetReceiveNotifySize(std::int32_t value) { receiveNotifySize_ = value; }
  std::int32_t SendNotifySize() const { return sendNotifySize_; }
  void SetSendNotifySize(std::int32_t value) { sendNotifySize_ = value; }
  TCommEventMask EventMask() const { return eventMask_; }
  void SetEventMask(TCommEventMask value) { eventMask_ = value; }

  TCommNotifyEvent OnCommEvent;            // not raised on Linux: only receive events are watched
  TCommNotifyRxTxEvent OnCommReceive;      // bytes are waiting; Size = bytes in the input queue
  TCommNotifyRxTxEvent OnCommTransmit;     // not raised on Linux
  TCommExceptionEvent OnHandlerException;  // unset: such errors are dropped

  // Called over and over while Open connects to a network port, so that the window thread
  // can keep handling its events; unset, Open simply waits.
  std::function<void()> OnConnectWait;

  // The device Open uses; empty means the COM mapping for Port (environment or /dev/ttyS).
  // A network port ("tcp://HOST:PORT", "rfc2217://HOST:PORT") is connected instead of opened.
  const std::string& Device() const { return device_; }
  void SetDevice(std::string value) { device_ = std::move(value); }

  // The XON/XOFF limits the notify sizes give; stored for the settings, not applied on Linux.
  std::int32_t XoffLimit() const { return inQueueSize_ - receiveNotifySize_; }
  std::int32_t XonLimit() const { return sendNotifySize_; }

  // Whether the open port is a network one, and why the last network open failed.
  bool IsNetwork() const { return net_ != nullptr; }
  NetFailure LastNetFailure() const { return netFailure_; }
  // How long a network open may take (name resolution included).
  void SetConnectTimeout(int ms) { connectTimeoutMs_ = ms; }
  // The remote port's speed as its server last reported it (RFC 2217), else 0.
  std::uint32_t ReportedBaud() const { return net_ ? net_->ReportedBaud() : 0; }

  // -1 when closed.
  int Handle() const { return handle_.load(); }
  bool IsOpen() const { return Handle() >= 0; }
  // False once the watcher has stopped because the device vanished.
  bool Watching() const;

  void Open();
  void Close();
  // Returns the bytes the driver took; fewer than size only when the 1,000 ms time-out ran out
  // (flow control holding the line). Driver errors raise ECommReadWriteError.
  std::size_t Write(const void* buffer, std::size_t size);
  // Waits at most 1,000 ms for size bytes and returns how many were read.
  std::size_t Read(void* buffer, std::size_t size);
  std::size_t WriteString(std::string_view text) { return Write(text.data(), text.size()); }

  // Bytes in the driver's input and output queues (0 when closed).
  int InQueueCount() const;
  int OutQueueCount() const;
  // Drops what both queues hold.
  void Purge();

  // Writes speed, data bits, parity, stop bits and flow control into line, as Open applies
  // them; returns 0 or the errno that refuses a value. (Pseudo-terminals force 8 data bits
  // and no parity, so this is the only place those two can be seen whole on one.)
  int LineSettings(termios2& line) const;

 private:
  friend class TCommWatch;
  std::string DevicePath() const;
  // Read the line settings, let change() alter them, write them back; errno on failure.
  // Each returns 0 or the errno that refuses the value.
  using LineChange = int (TComm::*)(termios2& line) const;
  int ApplySpeed(termios2& line) const;
  int ApplyByteSize(termios2& line) const;
  int ApplyParity(termios2& line) const;
  int ApplyStopBits(termios2& line) const;
  int ApplyFlowControl(termios2& line) const;
  // Reads the port's settings, changes one field and writes them back, when open.
  void ApplyWhileOpen(LineChange change);
  void SetModemLines(int lines, bool on) const;
  void OpenNetwork(const std::string& path);
  // The line settings in RFC 2217's terms.
  telnet::LineSettings NetLineSettings() const;
  // Joins a watcher that a handler's Close stopped, unless that is the calling thread.
  void RetireWatcher();

  std::uint8_t port_ = 1;
  std::int32_t baudRate_ = 9600;
  std::uint16_t baudRateUserDefined_ = 9600;
  TCommParityBits parityBits_ = cpbNone;
  TCommByteSize byteSize_ = cbs8;
  TCommStopBits stopBits_ = csb1;
  TCommFlowControls flowControls_{cfcRtsCts};
  std::uint16_t inQueueSize_ = 4096;
  std::uint16_t outQueueSize_ = 4096;
  std::int32_t receiveNotifySize_ = 3072;
  std::int32_t sendNotifySize_ = 1024;
  TCommEventMask eventMask_{};
  std::string device_;

  std::atomic<int> handle_{-1};
  std::unique_ptr<NetLine> net_;  // while a network port is open
  NetFailure netFailure_ = NetFailure::kNone;
  int connectTimeoutMs_ = NetLine::kConnectTimeoutMs;
  bool connecting_ = false;
  std::atomic<bool> cancelConnect_{false};
  std::unique_ptr<TCommWatch> watch_;
  std::unique_ptr<TCommWatch> retired_;  // stopped by a handler's Close, not yet joined
};
