// With FENNIX_BENCH_NET=tcp or rfc2217, the program benchmarks reach the simulator through
// ser2net (raw or RFC 2217 accepter on a loopback port) instead of its terminal directly, so
// the network's cost shows beside the local figures.
#pragma once

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <string>
#include <thread>

class Ser2netFront {
 public:
  // `device`: the simulator's terminal. Returns the device the program is to open.
  std::string Device(const std::string& device) {
    const char* mode = std::getenv("FENNIX_BENCH_NET");
    if (!mode || !*mode) return device;
    const bool rfc2217 = std::string(mode) == "rfc2217";
    const int port = 47000 + getpid() % 2000;
    config_ = "/tmp/fennix-bench-ser2net-" + std::to_string(getpid()) + ".yaml";
    std::ofstream(config_) << "%YAML 1.1\n---\nconnection: &c\n  accepter: "
                           << (rfc2217 ? "telnet(rfc2217),tcp," : "tcp,") << "127.0.0.1," << port
                           << "\n  connector: serialdev," << device << ",9600n81,local\n";
    pid_ = fork();
    if (pid_ == 0) {
      execlp("ser2net", "ser2net", "-n", "-c", config_.c_str(), "-P", "/dev/null",
             static_cast<char*>(nullptr));
      _exit(127);
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(800));
    return (rfc2217 ? "rfc2217://127.0.0.1:" : "tcp://127.0.0.1:") + std::to_string(port);
  }
  ~Ser2netFront() {
    if (pid_ > 0) {
      kill(pid_, SIGTERM);
      waitpid(pid_, nullptr, 0);
      std::remove(config_.c_str());
    }
  }

 private:
  pid_t pid_ = -1;
  std::string config_;
};
