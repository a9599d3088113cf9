#include "base/instance_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <thread>

std::string InstanceLock::DefaultPath(const std::string& name) {
  const char* dir = std::getenv("XDG_RUNTIME_DIR");
  if (dir && *dir) return std::string(dir) + "/" + name;
  // /tmp is shared by every user: each user's copy gets a lock of its own there, so that
  // another user's running copy neither stops this one nor keeps it waiting.
  return "/tmp/" + name + "-" + std::to_string(getuid());
}

InstanceLock::Result InstanceLock::Acquire(const std::string& path, int waitMs) {
  Release();
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(waitMs);
  for (;;) {
    fd_ = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd_ < 0) fd_ = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd_ >= 0) {
      if (::flock(fd_, LOCK_EX | LOCK_NB) == 0) return Result::Acquired;
      const int err = errno;
      ::close(fd_);
      fd_ = -1;
      if (err == EWOULDBLOCK) return Result::HeldElsewhere;
    }
    if (std::chrono::steady_clock::now() >= deadline) return Result::TimedOut;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
}

void InstanceLock::Release() {
  if (fd_ >= 0) {
    ::flock(fd_, LOCK_UN);
    ::close(fd_);
    fd_ = -1;
  }
}
