// A pseudo-terminal pair for the serial tests: TComm opens the slave path, the test plays the
// far end on the master. On Linux the master's TCGETS2 reads the slave's line settings, which
// is how the tests see what TComm applied (a second open of the slave would be refused by
// TIOCEXCL for anyone but root). Pseudo-terminals store speed, parity, stop bits and flow
// control flags but do not act on them, and have no modem lines.
#pragma once

#include <asm/termbits.h>
#include <dirent.h>
#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <chrono>
#include <functional>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

class PtyPair {
 public:
  PtyPair() {
    master_ = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    char name[128];
    if (master_ < 0 || ::grantpt(master_) != 0 || ::unlockpt(master_) != 0 ||
        ::ptsname_r(master_, name, sizeof name) != 0)
      throw std::runtime_error("no pseudo-terminal");
    slavePath_ = name;
    // Held open so that the line stays up while TComm opens and closes it.
    keepAlive_ = ::open(name, O_RDWR | O_NOCTTY | O_CLOEXEC);
  }
  ~PtyPair() { CloseMaster(); }
  PtyPair(const PtyPair&) = delete;
  PtyPair& operator=(const PtyPair&) = delete;

  const std::string& SlavePath() const { return slavePath_; }
  int Master() const { return master_; }

  // The far end goes away, as an unplugged adapter does.
  void CloseMaster() {
    if (keepAlive_ >= 0) ::close(keepAlive_);
    if (master_ >= 0) ::close(master_);
    keepAlive_ = master_ = -1;
  }

  termios2 Line() const {
    termios2 line{};
    if (::ioctl(master_, TCGETS2, &line) != 0) throw std::runtime_error("TCGETS2");
    return line;
  }

  void Send(const std::vector<unsigned char>& bytes) const {
    std::size_t done = 0;
    while (done < bytes.size()) {
      ssize_t n = ::write(master_, bytes.data() + done, bytes.size() - done);
      if (n <= 0) throw std::runtime_error("write to master");
      done += static_cast<std::size_t>(n);
    }
  }

  // Reads until count bytes came or timeoutMs passed.
  std::vector<unsigned char> Receive(std::size_t count, int timeoutMs = 2000) const {
    std::vector<unsigned char> got;
    auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    unsigned char buffer[4096];
    while (got.size() < count && std::chrono::steady_clock::now() < deadline) {
      pollfd p{master_, POLLIN, 0};
      if (::poll(&p, 1, 20) <= 0) continue;
      ssize_t n = ::read(master_, buffer, sizeof buffer);
      if (n <= 0) break;
      got.insert(got.end(), buffer, buffer + n);
    }
    return got;
  }

 private:
  int master_ = -1;
  int keepAlive_ = -1;
  std::string slavePath_;
};

inline int CountEntries(const char* dir) {
  int n = 0;
  if (DIR* d = ::opendir(dir)) {
    while (const dirent* e = ::readdir(d))
      if (e->d_name[0] != '.') ++n;
    ::closedir(d);
  }
  return n;
}

// Waits until done() holds or timeoutMs passed; returns done().
inline bool WaitFor(const std::function<bool()>& done, int timeoutMs = 5000) {
  auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  while (!done() && std::chrono::steady_clock::now() < deadline)
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  return done();
}
