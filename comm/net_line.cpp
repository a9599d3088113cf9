#include "comm/net_line.h"

#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <chrono>
#include <memory>
#include <thread>

#include "base/text.h"
#include "comm/comm_error.h"

namespace {

constexpr std::string_view kTcp = "tcp://", kRfc2217 = "rfc2217://";

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
  return text.size() >= prefix.size() &&
         std::equal(prefix.begin(), prefix.end(), text.begin(), [](char a, char b) {
           return std::tolower(static_cast<unsigned char>(a)) ==
                  std::tolower(static_cast<unsigned char>(b));
         });
}

using Clock = std::chrono::steady_clock;

int LeftMs(Clock::time_point deadline) {
  const auto left =
      std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
  return left > 0 ? static_cast<int>(left) : 0;
}

// What the connecting thread and the waiting one share. The connecting thread may outlive the
// wait (a resolver that hangs cannot be stopped); it then closes what it made itself.
struct Attempt {
  std::mutex lock;
  std::condition_variable done;
  bool finished = false;
  bool abandoned = false;
  int fd = -1;
  NetFailure failure = NetFailure::kNone;
};

// One socket connected to one of the host's addresses before the deadline, or -1.
int ConnectOne(const addrinfo& a, Clock::time_point deadline, bool& refused) {
  int fd = ::socket(a.ai_family, a.ai_socktype | SOCK_NONBLOCK | SOCK_CLOEXEC, a.ai_protocol);
  if (fd < 0) return -1;
  if (::connect(fd, a.ai_addr, a.ai_addrlen) == 0) return fd;
  if (errno == EINPROGRESS) {
    pollfd p{fd, POLLOUT, 0};
    int left = LeftMs(deadline);
    while (left > 0) {
      int n = ::poll(&p, 1, std::min(left, 100));
      if (n > 0) {
        int error = 0;
        socklen_t length = sizeof error;
        ::getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &length);
        if (error == 0) return fd;
        if (error == ECONNREFUSED) refused = true;
        break;
      }
      if (n < 0 && errno != EINTR) break;
      left = LeftMs(deadline);
    }
  } else if (errno == ECONNREFUSED) {
    refused = true;
  }
  ::close(fd);
  return -1;
}

void Resolve(const NetAddress address, Clock::time_point deadline,
             std::shared_ptr<Attempt> attempt) {
  addrinfo hints{};
  hints.ai_family = AF_UNSPEC;
  hints.ai_socktype = SOCK_STREAM;
  addrinfo* found = nullptr;
  const std::string service = std::to_string(address.port);
  int fd = -1;
  NetFailure failure = NetFailure::kNoAnswer;
  if (::getaddrinfo(address.host.c_str(), service.c_str(), &hints, &found) != 0) {
    failure = NetFailure::kUnknownHost;
  } else {
    bool refused = false;
    for (addrinfo* a = found; a && fd < 0 && LeftMs(deadline) > 0; a = a->ai_next) {
      bool stop = false;
      {
        std::lock_guard hold(attempt->lock);
        stop = attempt->abandoned;
      }
      if (stop) break;
      fd = ConnectOne(*a, deadline, refused);
    }
    ::freeaddrinfo(found);
    if (fd < 0 && refused) failure = NetFailure::kRefused;
  }
  std::lock_guard hold(attempt->lock);
  if (attempt->abandoned) {
    if (fd >= 0) ::close(fd);
    return;
  }
  attempt->fd = fd;
  attempt->failure = fd >= 0 ? NetFailure::kNone : failure;
  attempt->finished = true;
  attempt->done.notify_all();
}

}  // namespace

bool IsNetDevice(std::string_view device) {
  return StartsWithNoCase(device, kTcp) || StartsWithNoCase(device, kRfc2217);
}

std::optional<NetAddress> ParseNetAddress(std::string_view device) {
  NetAddress address;
  if (StartsWithNoCase(device, kTcp)) {
    device.remove_prefix(kTcp.size());
  } else if (StartsWithNoCase(device, kRfc2217)) {
    device.remove_prefix(kRfc2217.size());
    address.rfc2217 = true;
  } else {
    return std::nullopt;
  }
  std::size_t colon = std::string_view::npos;
  if (!device.empty() && device.front() == '[') {
    const std::size_t close = device.find(']');
    if (close == std::string_view::npos || close + 1 >= device.size() || device[close + 1] != ':')
      return std::nullopt;
    address.host = std::string(device.substr(1, close - 1));
    colon = close + 1;
  } else {
    colon = device.rfind(':');
    if (colon == std::string_view::npos) return std::nullopt;
    address.host = std::string(device.substr(0, colon));
    // A bare IPv6 literal would be ambiguous with its port.
    if (address.host.find(':') != std::string::npos) return std::nullopt;
  }
  const std::string_view port = device.substr(colon + 1);
  if (address.host.empty() || port.empty() || port.size() > 5) return std::nullopt;
  if (address.host.find_first_of(" \t/") != std::string::npos) return std::nullopt;
  int value = 0;
  for (char c : port) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + (c - '0');
  }
  if (value < 1 || value > 65535) return std::nullopt;
  address.port = value;
  return address;
}

std::string NetFailureText(NetFailure failure) {
  switch (failure) {
    case NetFailure::kBadAddress:
      return text::Tr("NetLine", "アドレスの書き方が違います (tcp://ホスト:ポート)");
    case NetFailure::kUnknownHost:
      return text::Tr("NetLine", "ホスト名が見つかりません");
    case NetFailure::kNoAnswer:
      return text::Tr("NetLine", "5 秒以内に応答がありません");
    case NetFailure::kRefused:
      return text::Tr("NetLine", "接続を拒否されました");
    case NetFailure::kCancelled:
    case NetFailure::kNone:
      break;
  }
  return {};
}

std::unique_ptr<NetLine> NetLine::Connect(const NetAddress& address, int timeoutMs,
                                          const std::function<void()>& waitAWhile,
                                          const std::atomic<bool>& cancel, NetFailure& failure) {
  const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
  auto attempt = std::make_shared<Attempt>();
  try {
    std::thread(Resolve, address, deadline, attempt).detach();
  } catch (const std::system_error&) {
    failure = NetFailure::kNoAnswer;
    return nullptr;
  }
  for (;;) {
    {
      std::unique_lock hold(attempt->lock);
      if (attempt->finished) break;
      if (cancel.load() || LeftMs(deadline) == 0) {
        attempt->abandoned = true;
        failure = cancel.load() ? NetFailure::kCancelled : NetFailure::kNoAnswer;
        return nullptr;
      }
      if (!waitAWhile) {
        attempt->done.wait_for(hold, std::chrono::milliseconds(std::min(LeftMs(deadline), 50)));
        continue;
      }
    }
    waitAWhile();
  }
  failure = attempt->failure;
  if (attempt->fd < 0) return nullptr;
  // Frames are a dozen bytes each, and each waits for its answer: send them at once.
  int one = 1;
  ::setsockopt(attempt->fd, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
  std::unique_ptr<NetLine> line(new NetLine(attempt->fd, address.rfc2217));
  if (line->rfc2217_) {
    std::lock_guard hold(line->outLock_);
    line->SendRaw(telnet::Greeting(), 1000);
  }
  return line;
}

NetLine::~NetLine() {
  if (fd_ >= 0) ::close(fd_);
}

int NetLine::Pump() {
  char buffer[4096];
  std::string reply;
  bool lost = false;
  for (;;) {
    const ssize_t n = ::recv(fd_, buffer, sizeof buffer, MSG_DONTWAIT);
    if (n > 0) {
      std::lock_guard hold(inLock_);
      const std::size_t before = in_.size();
      if (rfc2217_) {
        reader_.Feed(std::string_view(buffer, static_cast<std::size_t>(n)), in_, reply);
        if (reader_.Agreements() > lineSentFor_) {
          lineSentFor_ = reader_.Agreements();
          reply += telnet::SetLine(line_);
        }
      } else {
        in_.append(buffer, static_cast<std::size_t>(n));
      }
      if (in_.size() != before) arrived_.notify_all();
      continue;
    }
    if (n < 0 && errno == EINTR) continue;
    if (n == 0 || (errno != EAGAIN && errno != EWOULDBLOCK)) lost = true;
    break;
  }
  if (!reply.empty() && !lost) {
    std::lock_guard hold(outLock_);
    try {
      SendRaw(reply, 1000);
    } catch (const ECommError&) {
      lost = true;
    }
  }
  if (lost) return -1;
  return Queued();
}

std::size_t NetLine::SendRaw(std::string_view wire, int timeoutMs) {
  const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
  std::size_t done = 0;
  while (done < wire.size()) {
    const ssize_t n =
        ::send(fd_, wire.data() + done, wire.size() - done, MSG_DONTWAIT | MSG_NOSIGNAL);
    if (n > 0) {
      done += static_cast<std::size_t>(n);
      continue;
    }
    if (n < 0 && errno == EINTR) continue;
    if (n < 0 && errno != EAGAIN && errno != EWOULDBLOCK) throw ECommReadWriteError(errno);
    const int wait = LeftMs(deadline);
    if (wait == 0) break;
    pollfd p{fd_, POLLOUT, 0};
    if (::poll(&p, 1, wait) < 0 && errno != EINTR) throw ECommReadWriteError(errno);
    if ((p.revents & (POLLHUP | POLLERR)) != 0) throw ECommReadWriteError(EIO);
  }
  return done;
}

std::size_t NetLine::Write(const std::uint8_t* bytes, std::size_t size, int timeoutMs) {
  const std::string_view data(reinterpret_cast<const char*>(bytes), size);
  std::lock_guard hold(outLock_);
  if (!rfc2217_) return SendRaw(data, timeoutMs);
  const std::string wire = telnet::Escape(data);
  const std::size_t sent = SendRaw(wire, timeoutMs);
  // A frame cut short by the time-out counts as short, whatever its escapes.
  return sent == wire.size() ? size : std::min(sent, size);
}

std::size_t NetLine::Read(std::uint8_t* buffer, std::size_t size, int timeoutMs) {
  std::unique_lock hold(inLock_);
  arrived_.wait_for(hold, std::chrono::milliseconds(timeoutMs), [&] { return in_.size() >= size; });
  const std::size_t n = std::min(size, in_.size());
  std::copy_n(in_.begin(), n, buffer);
  in_.erase(0, n);
  return n;
}

int NetLine::Queued() const {
  std::lock_guard hold(inLock_);
  return static_cast<int>(std::min<std::size_t>(in_.size(), 0x7FFFFFFF));
}

int NetLine::Unsent() const {
  int count = 0;
  return ::ioctl(fd_, TIOCOUTQ, &count) == 0 ? count : 0;
}

void NetLine::Purge() {
  std::lock_guard hold(inLock_);
  in_.clear();
}

void NetLine::SetLine(const telnet::LineSettings& line) {
  std::string wire;
  {
    std::lock_guard hold(inLock_);
    line_ = line;
    if (!rfc2217_ || !reader_.ComPortAgreed()) return;
    lineSentFor_ = reader_.Agreements();
    wire = telnet::SetLine(line_);
  }
  std::lock_guard hold(outLock_);
  SendRaw(wire, 1000);
}

std::uint32_t NetLine::ReportedBaud() const {
  std::lock_guard hold(inLock_);
  return reader_.ReportedBaud();
}
