// End-to-end set-up: fennix-sim as COM 1, the main window, the frame log.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <QCoreApplication>
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "app/application_qt.h"
#include "app/main_form.h"
#include "civ/civ.h"
#include "sim/sim_harness.h"

struct LoggedFrame {
  int ms = 0;
  std::string direction, hex;  // hex without spaces
};

class SimEndToEnd : public ::testing::Test {
 protected:
  // `carriers`: lines of the simulator's station file, if any.
  void StartSim(std::vector<std::string> options = {}, const std::string& carriers = "") {
    if (!carriers.empty()) {
      std::ofstream(carriers_) << carriers;
      options.insert(options.end(), {"--stations", carriers_.string()});
    }
    options.insert(options.end(),
                   {"--link", link_.string(), "--log", log_.string(), "--seed", "1"});
    sim_ = std::make_unique<simtest::Sim>(options);
    ASSERT_FALSE(sim_->slave().empty()) << "the simulator did not start";
    setenv("FENNIX_COM1", link_.c_str(), 1);
  }
  // The main window, past its splash; messages are counted, not shown.
  void StartProgram() {
    form_ = std::make_unique<TMainForm>();
    form_->ReleaseSplash();
    App()->OnException = [this](std::exception_ptr e) {
      if (ApplicationErrorMessage(e)) ++messages_;
    };
  }
  void TearDown() override {
    form_.reset();
    sim_.reset();
    App()->OnException = nullptr;
    setenv("FENNIX_COM1", "/nonexistent", 1);
    std::filesystem::remove(log_);
    std::filesystem::remove(carriers_);
  }
  static FennixApplication* App() {
    return static_cast<FennixApplication*>(QCoreApplication::instance());
  }

  // Frames the simulator received from the program.
  std::vector<LoggedFrame> Received() const {
    std::vector<LoggedFrame> out;
    std::ifstream file(log_);
    std::string line;
    while (std::getline(file, line)) {
      std::istringstream in(line);
      LoggedFrame f;
      in >> f.ms >> f.direction;
      for (std::string byte; in >> byte;) f.hex += byte;
      if (f.direction == "RX") out.push_back(f);
    }
    return out;
  }
  std::vector<std::string> ReceivedHex() const {
    std::vector<std::string> out;
    for (const auto& f : Received()) out.push_back(f.hex);
    return out;
  }
  bool Sent(const std::string& frame) const { return std::ranges::count(ReceivedHex(), frame) > 0; }
  // Frequencies the simulator was told to tune, in order.
  std::vector<std::int32_t> Tuned() const {
    std::vector<std::int32_t> out;
    for (const auto& hex : ReceivedHex())
      if (hex.size() == 22 && hex.rfind("FEFE34E000", 0) == 0)
        out.push_back(civ::BcdTextToFrequency(hex.substr(10, 10)));
    return out;
  }

  void Wait(int ms) { form_->host.Delay(ms); }
  template <typename F>
  bool WaitFor(F done, int ms = 5000) {
    for (int waited = 0; waited < ms && !done(); waited += 10) Wait(10);
    return done();
  }

  std::string tag_ = "fennix-e2e-" + std::to_string(getpid());
  std::filesystem::path link_ = std::filesystem::temp_directory_path() / tag_;
  std::filesystem::path log_ = std::filesystem::temp_directory_path() / (tag_ + ".log");
  std::filesystem::path carriers_ = std::filesystem::temp_directory_path() / (tag_ + ".txt");
  std::unique_ptr<simtest::Sim> sim_;
  std::unique_ptr<TMainForm> form_;
  int messages_ = 0;
};
