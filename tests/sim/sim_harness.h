// Runs fennix-sim as a child process and talks to it the way a controller does: through the
// pseudo-terminal's slave with plain POSIX calls, and through its stdin and stdout.
#pragma once

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

namespace simtest {

using Bytes = std::vector<std::uint8_t>;
using Clock = std::chrono::steady_clock;

// Generous: the suite must hold on a loaded machine.
inline constexpr int kTimeoutMs = 5000;

inline speed_t SpeedOf(int baud) {
  switch (baud) {
    case 1200:
      return B1200;
    case 4800:
      return B4800;
    default:
      return B9600;
  }
}

// Opens a terminal path in raw mode at the given speed; -1 on failure.
inline int OpenRaw(const std::string& path, int baud = 9600) {
  const int fd = open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
  if (fd < 0) return -1;
  termios t{};
  tcgetattr(fd, &t);
  cfmakeraw(&t);
  cfsetispeed(&t, SpeedOf(baud));
  cfsetospeed(&t, SpeedOf(baud));
  tcsetattr(fd, TCSANOW, &t);
  return fd;
}

inline void WriteAll(int fd, const Bytes& b) {
  std::size_t done = 0;
  while (done < b.size()) {
    const ssize_t n = write(fd, b.data() + done, b.size() - done);
    if (n > 0) {
      done += static_cast<std::size_t>(n);
    } else {
      pollfd p{fd, POLLOUT, 0};
      if (poll(&p, 1, kTimeoutMs) <= 0) return;
    }
  }
}

// Reads until `count` bytes have arrived or the time is up; returns what arrived.
inline Bytes ReadCount(int fd, std::size_t count, int timeoutMs = kTimeoutMs) {
  Bytes out;
  const auto end = Clock::now() + std::chrono::milliseconds(timeoutMs);
  while (out.size() < count) {
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(end - Clock::now()).count();
    if (left <= 0) break;
    pollfd p{fd, POLLIN, 0};
    if (poll(&p, 1, static_cast<int>(left)) <= 0) break;
    std::uint8_t buf[256];
    const ssize_t n = read(fd, buf, std::min(sizeof buf, count - out.size()));
    if (n <= 0) break;
    out.insert(out.end(), buf, buf + n);
  }
  return out;
}

// Reads whatever arrives within the time.
inline Bytes ReadFor(int fd, int ms) { return ReadCount(fd, SIZE_MAX, ms); }

// Reads until the end byte FD of the `frames`-th frame (garbage in between is kept).
inline Bytes ReadFrames(int fd, int frames, int timeoutMs = kTimeoutMs) {
  Bytes out;
  const auto end = Clock::now() + std::chrono::milliseconds(timeoutMs);
  int seen = 0;
  while (seen < frames) {
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(end - Clock::now()).count();
    if (left <= 0) break;
    pollfd p{fd, POLLIN, 0};
    if (poll(&p, 1, static_cast<int>(left)) <= 0) break;
    std::uint8_t b;
    if (read(fd, &b, 1) != 1) break;
    out.push_back(b);
    if (b == 0xFD) ++seen;
  }
  return out;
}

class Sim {
 public:
  explicit Sim(std::vector<std::string> args) {
    int in[2], out[2];
    if (pipe(in) != 0 || pipe(out) != 0) return;
    pid_ = fork();
    if (pid_ == 0) {
      dup2(in[0], STDIN_FILENO);
      dup2(out[1], STDOUT_FILENO);
      close(in[0]);
      close(in[1]);
      close(out[0]);
      close(out[1]);
      std::vector<char*> argv;
      argv.push_back(const_cast<char*>(FENNIX_SIM_PATH));
      for (auto& a : args) argv.push_back(a.data());
      argv.push_back(nullptr);
      execv(FENNIX_SIM_PATH, argv.data());
      _exit(127);
    }
    close(in[0]);
    close(out[1]);
    stdin_ = in[1];
    stdout_ = out[0];
    slave_ = Line();
  }

  ~Sim() {
    if (fd_ >= 0) close(fd_);
    if (stdin_ >= 0) close(stdin_);
    if (pid_ > 0 && !exited_) {
      kill(pid_, SIGKILL);
      waitpid(pid_, nullptr, 0);
    }
    if (stdout_ >= 0) close(stdout_);
  }

  const std::string& slave() const { return slave_; }

  // Opens the slave raw at the speed and keeps it as the controller's line.
  int Open(int baud = 9600) {
    if (fd_ >= 0) close(fd_);
    fd_ = OpenRaw(slave_, baud);
    return fd_;
  }
  int fd() const { return fd_; }
  pid_t pid() const { return pid_; }

  void Send(const Bytes& b) { WriteAll(fd_, b); }
  // Sends a frame and reads the given number of bytes back (echo plus answer).
  Bytes Exchange(const Bytes& b, std::size_t expect) {
    Send(b);
    return ReadCount(fd_, expect);
  }

  // One line from the simulator's stdout, without the newline; empty on time-out or end.
  std::string Line(int timeoutMs = kTimeoutMs) {
    const auto end = Clock::now() + std::chrono::milliseconds(timeoutMs);
    while (true) {
      if (const auto nl = buffered_.find('\n'); nl != std::string::npos) {
        std::string line = buffered_.substr(0, nl);
        buffered_.erase(0, nl + 1);
        return line;
      }
      const auto left =
          std::chrono::duration_cast<std::chrono::milliseconds>(end - Clock::now()).count();
      pollfd p{stdout_, POLLIN, 0};
      if (left <= 0 || poll(&p, 1, static_cast<int>(left)) <= 0) return {};
      char buf[256];
      const ssize_t n = read(stdout_, buf, sizeof buf);
      if (n <= 0) return {};
      buffered_.append(buf, static_cast<std::size_t>(n));
    }
  }

  // A front-panel command; returns the simulator's answer line.
  std::string Command(const std::string& text) {
    const std::string line = text + "\n";
    [[maybe_unused]] const auto n = write(stdin_, line.data(), line.size());
    return Line();
  }
  void CloseStdin() {
    close(stdin_);
    stdin_ = -1;
  }

  // Waits for the process to end; its exit status, or -1 when it is still running.
  int Wait(int timeoutMs = kTimeoutMs) {
    const auto end = Clock::now() + std::chrono::milliseconds(timeoutMs);
    while (Clock::now() < end) {
      int status = 0;
      if (waitpid(pid_, &status, WNOHANG) == pid_) {
        exited_ = true;
        return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
      }
      usleep(10'000);
    }
    return -1;
  }
  void Signal(int sig) { kill(pid_, sig); }

 private:
  pid_t pid_ = -1;
  bool exited_ = false;
  int stdin_ = -1;
  int stdout_ = -1;
  int fd_ = -1;
  std::string slave_;
  std::string buffered_;
};

}  // namespace simtest
