#include "comm/comm.h"

// termios2 and BOTHER come from the kernel's own header; glibc's <termios.h> cannot be
// included beside it, so everything here goes through ioctl.
#include <asm/termbits.h>
#include <fcntl.h>
#include <poll.h>
#include <sys/epoll.h>
#include <sys/eventfd.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <system_error>

#include "comm/com_devices.h"

namespace {

constexpr int kTimeoutMs = 1000;  // read and write total time-out
constexpr cc_t kXon = 0x11;       // DC1
constexpr cc_t kXoff = 0x13;      // DC3

void CloseFd(int& fd) {
  if (fd >= 0) ::close(fd);
  fd = -1;
}

// The speeds that have their own constant keep it, so that tools reading the line with the
// old interface see them; any other speed goes through BOTHER.
speed_t StandardSpeed(std::int64_t rate) {
  switch (rate) {
    case 50:
      return B50;
    case 75:
      return B75;
    case 110:
      return B110;
    case 134:
      return B134;
    case 150:
      return B150;
    case 200:
      return B200;
    case 300:
      return B300;
    case 600:
      return B600;
    case 1200:
      return B1200;
    case 1800:
      return B1800;
    case 2400:
      return B2400;
    case 4800:
      return B4800;
    case 9600:
      return B9600;
    case 19200:
      return B19200;
    case 38400:
      return B38400;
    case 57600:
      return B57600;
    case 115200:
      return B115200;
    case 230400:
      return B230400;
    case 460800:
      return B460800;
    case 921600:
      return B921600;
    default:
      return BOTHER;
  }
}

int RemainingMs(std::chrono::steady_clock::time_point deadline) {
  auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
      deadline - std::chrono::steady_clock::now());
  return left.count() > 0 ? static_cast<int>(left.count()) : 0;
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// TCommWatch

TCommWatch::TCommWatch(TComm& owner, int handle) : owner_(owner), handle_(handle) {
  wakeFd_ = ::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
  pollFd_ = ::epoll_create1(EPOLL_CLOEXEC);
  bool ok = wakeFd_ >= 0 && pollFd_ >= 0;
  // Edge-triggered on the device: each arrival of bytes wakes the loop once, so bytes a
  // handler leaves queued are announced again only when more arrive, and never spin it.
  epoll_event device{};
  device.events = EPOLLIN | EPOLLET;
  device.data.fd = handle_;
  epoll_event wake{};
  wake.events = EPOLLIN;
  wake.data.fd = wakeFd_;
  ok = ok && ::epoll_ctl(pollFd_, EPOLL_CTL_ADD, handle_, &device) == 0 &&
       ::epoll_ctl(pollFd_, EPOLL_CTL_ADD, wakeFd_, &wake) == 0;
  if (!ok) {
    CloseFd(pollFd_);
    CloseFd(wakeFd_);
    throw ECommOpenError(-1);
  }
}

void TCommWatch::Start() {
  try {
    thread_ = std::thread([this] { Execute(); });
  } catch (const std::system_error&) {
    throw ECommOpenError(-1);
  }
}

namespace {
// The watcher running on this thread, if any: lets Close know it is called from a handler
// without reading the thread object that its creator is still writing.
thread_local const TCommWatch* currentWatch = nullptr;
}  // namespace

bool TCommWatch::IsWatcherThread() const { return currentWatch == this; }

TCommWatch::~TCommWatch() {
  if (thread_.joinable()) Join();
  CloseFd(pollFd_);
  CloseFd(wakeFd_);
}

void TCommWatch::Terminate() {
  Running.store(false);
  std::uint64_t one = 1;
  // The counter cannot overflow from these few writes; a failed write leaves the loop to
  // notice Running at its next wake-up.
  [[maybe_unused]] ssize_t n = ::write(wakeFd_, &one, sizeof one);
}

void TCommWatch::Join() {
  Terminate();
  if (thread_.joinable()) thread_.join();
}

void TCommWatch::Report(std::exception_ptr error) {
  if (!owner_.OnHandlerException) return;
  try {
    owner_.OnHandlerException(error);
  } catch (...) {
    // The application's handler has nowhere further to go.
  }
}

void TCommWatch::Execute() {
  currentWatch = this;
  bool lost = false;
  while (Running.load() && !lost) {
    epoll_event events[2];
    int n = ::epoll_wait(pollFd_, events, 2, -1);
    if (n < 0) {
      if (errno == EINTR) continue;
      lost = true;  // the set itself failed: nothing more can be watched
      break;
    }
    if (!Running.load()) break;
    std::uint32_t deviceEvents = 0;
    for (int i = 0; i < n; ++i) {
      if (events[i].data.fd == handle_) deviceEvents |= events[i].events;
    }
    if (deviceEvents == 0) continue;

    // A hung-up tty refuses every ioctl, so a failing count means the device is gone too.
    int queued = 0;
    bool countFailed = false;
    if (owner_.net_) {
      // A network port's bytes come through its telnet reader first; -1 when it closed.
      queued = owner_.net_->Pump();
      countFailed = queued < 0;
    } else {
      countFailed = ::ioctl(handle_, FIONREAD, &queued) != 0;
    }
    if (!countFailed && queued > 0 && owner_.OnCommReceive) {
      try {
        owner_.OnCommReceive(owner_, static_cast<std::uint16_t>(queued > 0xFFFF ? 0xFFFF : queued));
      } catch (...) {
        Report(std::current_exception());
      }
      if (!Running.load()) break;  // the handler closed the port
    }
    if (countFailed || (deviceEvents & (EPOLLHUP | EPOLLERR)) != 0) lost = true;
  }
  if (lost && Running.load()) {
    watching_.store(false);
    Report(std::make_exception_ptr(ECommReadWriteError(EIO)));
  }
  watching_.store(false);
}

// ---------------------------------------------------------------------------------------------
// TComm

TComm::TComm() = default;

TComm::~TComm() {
  try {
    Close();
  } catch (...) {
  }
  RetireWatcher();
}

bool TComm::Watching() const { return IsOpen() && watch_ && watch_->Watching(); }

std::string TComm::DevicePath() const {
  return device_.empty() ? ComDevicePath(port_, std::string()) : device_;
}

int TComm::ApplySpeed(termios2& line) const {
  std::int64_t rate = baudRate_ == -1 ? baudRateUserDefined_ : baudRate_;
  if (rate <= 0) return EINVAL;                   // 0 would hang the line up
  line.c_cflag &= ~(CBAUD | (CBAUD << IBSHIFT));  // input speed follows the output speed
  line.c_cflag |= StandardSpeed(rate);
  line.c_ispeed = line.c_ospeed = static_cast<speed_t>(rate);
  return 0;
}

int TComm::ApplyByteSize(termios2& line) const {
  static constexpr tcflag_t kSizes[] = {0, CS5, CS6, CS7, CS8};
  if (byteSize_ == cbs4 || byteSize_ > cbs8) return EINVAL;  // no UART here sends 4 bits
  line.c_cflag = (line.c_cflag & ~CSIZE) | kSizes[byteSize_];
  return 0;
}

int TComm::ApplyParity(termios2& line) const {
  line.c_cflag &= ~(PARENB | PARODD | CMSPAR);
  switch (parityBits_) {
    case cpbNone:
      break;
    case cpbOdd:
      line.c_cflag |= PARENB | PARODD;
      break;
    case cpbEven:
      line.c_cflag |= PARENB;
      break;
    case cpbMark:
      line.c_cflag |= PARENB | CMSPAR | PARODD;
      break;
    case cpbSpace:
      line.c_cflag |= PARENB | CMSPAR;
      break;
    default:
      return EINVAL;
  }
  line.c_iflag |= INPCK;  // parity checking on; it only acts while PARENB is set
  return 0;
}

int TComm::ApplyStopBits(termios2& line) const {
  // Linux has no one and a half stop bits: csb15 sends two.
  if (stopBits_ > csb2) return EINVAL;
  if (stopBits_ == csb1)
    line.c_cflag &= ~CSTOPB;
  else
    line.c_cflag |= CSTOPB;
  return 0;
}

int TComm::ApplyFlowControl(termios2& line) const {
  // DTR/DSR has no termios equivalent: DTR is simply held on while open.
  if (flowControls_.Contains(cfcRtsCts))
    line.c_cflag |= CRTSCTS;
  else
    line.c_cflag &= ~CRTSCTS;
  line.c_iflag &= ~(IXON | IXOFF | IXANY);
  if (flowControls_.Contains(cfcXonXoff)) line.c_iflag |= IXON | IXOFF;
  line.c_cc[VSTART] = kXon;
  line.c_cc[VSTOP] = kXoff;
  return 0;
}

int TComm::LineSettings(termios2& line) const {
  for (LineChange change : {&TComm::ApplySpeed, &TComm::ApplyByteSize, &TComm::ApplyParity,
                            &TComm::ApplyStopBits, &TComm::ApplyFlowControl}) {
    if (int error = (this->*change)(line); error != 0) return error;
  }
  return 0;
}

void TComm::SetModemLines(int lines, bool on) const {
  if (net_) return;  // the far end's port keeps its own modem lines
  // Pseudo-terminals have no modem lines; refusals are of no consequence.
  ::ioctl(Handle(), on ? TIOCMBIS : TIOCMBIC, &lines);
}

void TComm::ApplyWhileOpen(LineChange change) {
  int fd = Handle();
  if (fd < 0) return;
  if (net_) {
    termios2 unused{};
    if (int error = (this->*change)(unused); error != 0) throw ECommReadWriteError(error);
    net_->SetLine(NetLineSettings());
    return;
  }
  termios2 line{};
  if (::ioctl(fd, TCGETS2, &line) != 0) throw ECommReadWriteError(errno);
  if (int error = (this->*change)(line); error != 0) throw ECommReadWriteError(error);
  if (::ioctl(fd, TCSETS2, &line) != 0) throw ECommReadWriteError(errno);
}

void TComm::SetBaudRate(std::int32_t value) {
  baudRate_ = value;
  ApplyWhileOpen(&TComm::ApplySpeed);
}

void TComm::SetParityBits(TCommParityBits value) {
  parityBits_ = value;
  ApplyWhileOpen(&TComm::ApplyParity);
}

void TComm::SetByteSize(TCommByteSize value) {
  byteSize_ = value;
  ApplyWhileOpen(&TComm::ApplyByteSize);
}

void TComm::SetStopBits(TCommStopBits value) {
  stopBits_ = value;
  ApplyWhileOpen(&TComm::ApplyStopBits);
}

void TComm::SetFlowControls(TCommFlowControls value) {
  flowControls_ = value;
  ApplyWhileOpen(&TComm::ApplyFlowControl);
  if (IsOpen() && !value.Contains(cfcRtsCts)) SetModemLines(TIOCM_RTS, true);
}

telnet::LineSettings TComm::NetLineSettings() const {
  telnet::LineSettings line;
  line.baud = static_cast<std::uint32_t>(baudRate_ == -1 ? baudRateUserDefined_ : baudRate_);
  line.dataSize = static_cast<std::uint8_t>(byteSize_ + 4);
  line.parity = static_cast<std::uint8_t>(parityBits_ + 1);
  line.stopSize = stopBits_ == csb1 ? 1 : stopBits_ == csb2 ? 2 : 3;
  line.control = flowControls_.Contains(cfcRtsCts) ? 3 : flowControls_.Contains(cfcXonXoff) ? 2 : 1;
  return line;
}

void TComm::OpenNetwork(const std::string& path) {
  // Open again from inside the wait of this one (the key pressed twice): refused, and the
  // Close that follows it gives the first one up.
  if (connecting_) throw ECommOpenError(-1);
  const std::optional<NetAddress> address = ParseNetAddress(path);
  if (!address) {
    netFailure_ = NetFailure::kBadAddress;
    throw ECommOpenError(-1);
  }
  termios2 check{};
  if (LineSettings(check) != 0) throw ECommOpenError(-1);
  connecting_ = true;
  cancelConnect_.store(false);
  struct Done {
    bool& flag;
    ~Done() { flag = false; }
  } done{connecting_};
  netFailure_ = NetFailure::kNone;
  std::unique_ptr<NetLine> line =
      NetLine::Connect(*address, connectTimeoutMs_, OnConnectWait, cancelConnect_, netFailure_);
  if (!line) throw ECommOpenError(-1);
  line->SetLine(NetLineSettings());
  net_ = std::move(line);
  handle_.store(net_->Socket());
  try {
    watch_ = std::make_unique<TCommWatch>(*this, net_->Socket());
    watch_->Start();
  } catch (...) {
    watch_.reset();
    handle_.store(-1);
    net_.reset();
    throw ECommOpenError(-1);
  }
}

void TComm::Open() {
  if (IsOpen()) return;
  RetireWatcher();  // one a handler's Close left behind
  const std::string path = DevicePath();
  if (IsNetDevice(path)) {
    OpenNetwork(path);
    return;
  }
  // Non-blocking: the open must not wait for carrier, and the time-outs are ours to keep.
  int fd = path.empty() ? -1 : ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) throw ECommOpenError(-1);
  auto fail = [&fd] {
    ::close(fd);
    throw ECommOpenError(-1);
  };
  // The lock keeps out other programs that honour it (and root, whom TIOCEXCL lets through);
  // TIOCEXCL keeps out every other open by anyone else.
  if (::flock(fd, LOCK_EX | LOCK_NB) != 0) fail();
  if (::ioctl(fd, TIOCEXCL) != 0) fail();  // also refuses what is not a terminal

  termios2 line{};
  if (::ioctl(fd, TCGETS2, &line) != 0) fail();
  // Raw binary mode: no line editing, echo, signals, translation or output processing.
  line.c_iflag &= ~(IGNBRK | BRKINT | PARMRK | ISTRIP | INLCR | IGNCR | ICRNL | IUCLC | IMAXBEL);
  line.c_oflag &= ~OPOST;
  line.c_lflag &= ~(ECHO | ECHONL | ICANON | ISIG | IEXTEN);
  line.c_cflag |= CREAD | CLOCAL;
  line.c_cc[VMIN] = 1;
  line.c_cc[VTIME] = 0;
  if (LineSettings(line) != 0) fail();
  if (::ioctl(fd, TCSETS2, &line) != 0) fail();
  ::ioctl(fd, TCFLSH, TCIOFLUSH);

  handle_.store(fd);  // before the watcher starts, so that its handlers may Read at once
  try {
    // Started only once watch_ holds it, so that a handler's Close finds it there.
    watch_ = std::make_unique<TCommWatch>(*this, fd);
    watch_->Start();
  } catch (...) {
    watch_.reset();
    handle_.store(-1);
    fail();
  }
  SetModemLines(TIOCM_DTR | (flowControls_.Contains(cfcRtsCts) ? 0 : TIOCM_RTS), true);
}

void TComm::Close() {
  if (connecting_) cancelConnect_.store(true);
  int fd = Handle();
  if (fd < 0) return;
  if (watch_ && watch_->IsWatcherThread()) {
    // Called by a handler: the watcher leaves its loop as soon as the handler returns, without
    // touching the device again; it is joined by the next Open or by the destructor.
    watch_->Terminate();
  } else {
    watch_.reset();  // joins
  }
  if (net_) {
    handle_.store(-1);
    net_.reset();  // closes the socket
    return;
  }
  SetModemLines(TIOCM_DTR, false);
  // Dropping unsent bytes also keeps close from waiting for a line that flow control holds.
  ::ioctl(fd, TCFLSH, TCIOFLUSH);
  handle_.store(-1);
  ::close(fd);
}

void TComm::RetireWatcher() {
  if (retired_ && !retired_->IsWatcherThread()) retired_.reset();
  if (!watch_) return;
  if (watch_->IsWatcherThread())
    retired_ = std::move(watch_);  // cannot join itself; a later call will
  else
    watch_.reset();
}

std::size_t TComm::Write(const void* buffer, std::size_t size) {
  int fd = Handle();
  if (fd < 0) throw ECommError(text::Tr("Comm", kCommNotOpen));
  if (size > outQueueSize_) throw ECommError(text::Tr("Comm", kCommWriteTooLong));
  const auto* bytes = static_cast<const std::uint8_t*>(buffer);
  if (net_) return net_->Write(bytes, size, kTimeoutMs);
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(kTimeoutMs);
  std::size_t done = 0;
  while (done < size) {
    ssize_t n = ::write(fd, bytes + done, size - done);
    if (n > 0) {
      done += static_cast<std::size_t>(n);
      continue;
    }
    if (n < 0 && errno == EINTR) continue;
    if (n < 0 && errno != EAGAIN) throw ECommReadWriteError(errno);
    int wait = RemainingMs(deadline);
    if (wait == 0) break;
    pollfd p{fd, POLLOUT, 0};
    if (::poll(&p, 1, wait) < 0 && errno != EINTR) throw ECommReadWriteError(errno);
    if ((p.revents & (POLLHUP | POLLERR)) != 0) throw ECommReadWriteError(EIO);
  }
  return done;
}

std::size_t TComm::Read(void* buffer, std::size_t size) {
  int fd = Handle();
  if (fd < 0) throw ECommError(text::Tr("Comm", kCommNotOpen));
  auto* bytes = static_cast<std::uint8_t*>(buffer);
  if (net_) return net_->Read(bytes, size, kTimeoutMs);
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(kTimeoutMs);
  std::size_t done = 0;
  while (done < size) {
    ssize_t n = ::read(fd, bytes + done, size - done);
    if (n > 0) {
      done += static_cast<std::size_t>(n);
      continue;
    }
    if (n < 0 && errno == EINTR) continue;
    if (n == 0) {
      // End of file on a terminal means it was hung up.
      if (done > 0) break;
      throw ECommReadWriteError(EIO);
    }
    if (errno != EAGAIN) throw ECommReadWriteError(errno);
    int wait = RemainingMs(deadline);
    if (wait == 0) break;
    pollfd p{fd, POLLIN, 0};
    if (::poll(&p, 1, wait) < 0 && errno != EINTR) throw ECommReadWriteError(errno);
  }
  return done;
}

int TComm::InQueueCount() const {
  if (net_) return IsOpen() ? net_->Queued() : 0;
  int count = 0;
  int fd = Handle();
  if (fd < 0 || ::ioctl(fd, FIONREAD, &count) != 0) return 0;
  return count;
}

int TComm::OutQueueCount() const {
  if (net_) return IsOpen() ? net_->Unsent() : 0;
  int count = 0;
  int fd = Handle();
  if (fd < 0 || ::ioctl(fd, TIOCOUTQ, &count) != 0) return 0;
  return count;
}

void TComm::Purge() {
  if (net_) {
    net_->Purge();
    return;
  }
  int fd = Handle();
  if (fd >= 0) ::ioctl(fd, TCFLSH, TCIOFLUSH);
}
