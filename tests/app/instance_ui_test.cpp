// One copy of the program at a time, with real processes.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>

namespace {

namespace fs = std::filesystem;

class Program {
 public:
  explicit Program(const fs::path& dir) {
    pid_ = fork();
    if (pid_ == 0) {
      setenv("XDG_RUNTIME_DIR", dir.c_str(), 1);
      setenv("QT_QPA_PLATFORM", "offscreen", 1);
      setenv("FENNIX_DATA", dir.c_str(), 1);
      if (chdir(dir.c_str()) != 0) _exit(126);
      execl(FENNIX_EXE, FENNIX_EXE, static_cast<char*>(nullptr));
      _exit(127);
    }
  }
  // The exit status once ended within `ms`, or -1 while it still runs.
  int WaitFor(int ms) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    while (std::chrono::steady_clock::now() < end) {
      int status = 0;
      if (waitpid(pid_, &status, WNOHANG) == pid_) {
        pid_ = -1;
        return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return -1;
  }
  void Kill(int sig) {
    if (pid_ > 0) kill(pid_, sig);
  }
  ~Program() {
    Kill(SIGKILL);
    if (pid_ > 0) waitpid(pid_, nullptr, 0);
  }

 private:
  pid_t pid_ = -1;
};

TEST(SingleInstance, SecondCopyEndsAtOnceAndACrashedCopyBlocksNothing) {
  const fs::path dir = fs::temp_directory_path() / ("fennix-instance-" + std::to_string(getpid()));
  fs::create_directories(dir);
  {
    Program first(dir);
    ASSERT_EQ(first.WaitFor(2500), -1) << "the first copy should keep running";
    Program second(dir);
    EXPECT_EQ(second.WaitFor(2000), 0) << "the second copy should end at once, quietly";
    first.Kill(SIGKILL);
    EXPECT_EQ(first.WaitFor(2000), 128 + SIGKILL);
    Program third(dir);
    EXPECT_EQ(third.WaitFor(2500), -1) << "a killed copy must not block the next start";
  }
  fs::remove_all(dir);
}

}  // namespace
