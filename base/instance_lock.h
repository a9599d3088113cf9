// The single-instance guard. A kernel file lock stands for the named mutex: the kernel
// releases it when the holder dies, so a crashed copy never blocks the next start.
#pragma once

#include <string>

class InstanceLock {
 public:
  // The lock file: `name` in $XDG_RUNTIME_DIR, or `name`-<user id> in /tmp when that is
  // unset.
  static std::string DefaultPath(const std::string& name);

  enum class Result { Acquired, HeldElsewhere, TimedOut };
  // Takes the lock. Another holder ends the attempt at once; other failures are retried
  // until `waitMs` has passed.
  Result Acquire(const std::string& path, int waitMs);
  void Release();
  ~InstanceLock() { Release(); }

 private:
  int fd_ = -1;
};
