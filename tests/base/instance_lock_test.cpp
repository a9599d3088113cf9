// Where the single-instance lock lives, and a lock held by another holder.
#include "base/instance_lock.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

#include "tests/stations/temp_folder.h"

namespace {

// Sets or clears an environment variable for one test.
class ScopedEnv {
 public:
  ScopedEnv(const char* name, const char* value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old, had_ = true;
    value ? setenv(name, value, 1) : unsetenv(name);
  }
  ~ScopedEnv() { had_ ? setenv(name_, old_.c_str(), 1) : unsetenv(name_); }

 private:
  const char* name_;
  std::string old_;
  bool had_ = false;
};

TEST(InstanceLock, TheLockIsPerUserWhenThereIsNoRuntimeFolder) {
  {
    ScopedEnv runtime("XDG_RUNTIME_DIR", "/run/user/4242");
    EXPECT_EQ(InstanceLock::DefaultPath("SampleMutex"), "/run/user/4242/SampleMutex");
  }
  for (const char* unset : {static_cast<const char*>(nullptr), ""}) {
    ScopedEnv runtime("XDG_RUNTIME_DIR", unset);
    EXPECT_EQ(InstanceLock::DefaultPath("SampleMutex"),
              "/tmp/SampleMutex-" + std::to_string(getuid()));
  }
}

TEST(InstanceLock, ASecondHolderIsToldAtOnce) {
  TempFolder dir;
  InstanceLock first, second;
  EXPECT_EQ(first.Acquire(dir / "SampleMutex", 0), InstanceLock::Result::Acquired);
  EXPECT_EQ(second.Acquire(dir / "SampleMutex", 5000), InstanceLock::Result::HeldElsewhere);
  first.Release();
  EXPECT_EQ(second.Acquire(dir / "SampleMutex", 0), InstanceLock::Result::Acquired);
}

}  // namespace
