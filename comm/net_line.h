// A serial port on another machine, reached over TCP: "tcp://HOST:PORT" carries the line's
// bytes as they are (ser2net's raw accepter), "rfc2217://HOST:PORT" wraps them in telnet and
// lets this end set the remote port's line (RFC 2217). TComm runs one of these in place of a
// device when its device names one, so nothing above it knows the difference.
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>

#include "comm/telnet.h"

struct NetAddress {
  bool rfc2217 = false;
  std::string host;  // without the brackets of an IPv6 literal
  int port = 0;
};

// "tcp://HOST:PORT" or "rfc2217://HOST:PORT" (scheme in any case, IPv6 literals in brackets,
// port 1..65535); nothing for anything else, a local device included.
std::optional<NetAddress> ParseNetAddress(std::string_view device);
// Whether the device names a network port at all, well formed or not.
bool IsNetDevice(std::string_view device);

// Why a connection could not be made, for the user.
enum class NetFailure { kNone, kBadAddress, kUnknownHost, kNoAnswer, kRefused, kCancelled };
std::string NetFailureText(NetFailure failure);

class NetLine {
 public:
  // How long name resolution and connecting may take together.
  static constexpr int kConnectTimeoutMs = 5000;

  // Resolves and connects on a thread of its own. The calling thread waits, calling
  // `waitAWhile` (when set) over and over so that it can keep its window answering, until the
  // connection is made, `timeoutMs` has passed or Cancel is called. Returns the connected
  // line, or nothing with `failure` telling why.
  static std::unique_ptr<NetLine> Connect(const NetAddress& address, int timeoutMs,
                                          const std::function<void()>& waitAWhile,
                                          const std::atomic<bool>& cancel, NetFailure& failure);
  ~NetLine();
  NetLine(const NetLine&) = delete;
  NetLine& operator=(const NetLine&) = delete;

  int Socket() const { return fd_; }
  bool Rfc2217() const { return rfc2217_; }

  // Watcher thread: takes what has arrived on the socket into the input queue, answering the
  // telnet requests among it. Returns the bytes queued, or -1 when the far end closed or the
  // connection failed.
  int Pump();
  // Owner thread: the line's bytes out (escaped for telnet), within `timeoutMs`; returns how
  // many were taken. Throws ECommReadWriteError when the connection failed.
  std::size_t Write(const std::uint8_t* bytes, std::size_t size, int timeoutMs);
  // Up to `size` queued bytes, waiting at most `timeoutMs` for them to come.
  std::size_t Read(std::uint8_t* buffer, std::size_t size, int timeoutMs);
  int Queued() const;
  int Unsent() const;
  void Purge();
  // RFC 2217: the remote port's line, sent now when the server has agreed to the option and
  // otherwise as soon as it agrees. Raw connections only keep it.
  void SetLine(const telnet::LineSettings& line);
  // What the server last reported as the remote port's speed (0: nothing reported).
  std::uint32_t ReportedBaud() const;

 private:
  NetLine(int fd, bool rfc2217) : fd_(fd), rfc2217_(rfc2217) {}
  // Sends bytes already in their wire form; the write lock must be held.
  std::size_t SendRaw(std::string_view wire, int timeoutMs);

  int fd_;
  bool rfc2217_;
  mutable std::mutex inLock_;
  std::condition_variable arrived_;
  std::string in_;
  std::mutex outLock_;     // the owner's writes and the watcher's telnet answers
  telnet::Reader reader_;  // watcher thread only, but for ReportedBaud under inLock_
  telnet::LineSettings line_;
  int lineSentFor_ = 0;  // the agreement the line was last sent under
};
