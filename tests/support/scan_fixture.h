// The engine on line with a scripted receiver and a small station list, for the scan and
// identification tests.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "support/rig.h"

struct ScanSetup {
  ScanSetup() {
    rig.link.IntTime = 100;
    rig.StartUp();  // limits 25,000,000..1,999,999,900 from the receiver
    rig.tuning.Frequency[1] = 145000000;
    rig.tuning.Step[1] = 20000;
    // The squelch opens when `open` says so for the frequency the receiver is on and the
    // time the request arrives.
    rig.rx.script = [this](const std::string& hex) -> std::optional<std::string> {
      if (hex != "FEFE34E01501FD") return std::nullopt;
      ++squelchRequests;
      if (dropSquelch && dropSquelch(squelchRequests)) return std::string();
      const bool o = open && open(rig.rx.frequency, rig.host.TickCount());
      return std::string("FEFEE0341501") + (o ? "01" : "00") + "FD";
    };
  }

  // Record `no`: a band from `low` to `high`, or a single station when `high` is 0.
  void Put(int no, std::int32_t low, std::int32_t high, std::int32_t step, int mode,
           const std::string& type, const std::string& name = "", std::int32_t shift = 0) {
    MemoRecord& r = rig.stations.Data[no];
    r.Frequency = low;
    r.Frequency2 = high;
    r.Step = step;
    r.Mode = mode;
    r.Shift = shift;
    r.Type.Assign(type);
    r.Name.Assign(name);
  }
  void Index() {
    rig.stations.AutoMode_IdxInit();
    rig.identification.AutoMode_IdxChk();
  }
  void Tune(std::int32_t f) {
    rig.tuning.Frequency[1] = f;
    rig.tuning.ChannelSend();
  }

  // Frequencies sent, with their times, from the log.
  struct Sent {
    std::uint32_t at;
    std::int32_t frequency;
  };
  std::vector<Sent> FrequenciesSent() const {
    std::vector<Sent> out;
    for (const auto& w : rig.rx.Log())
      if (w.hex.size() == 22 && w.hex.substr(0, 10) == "FEFE34E000")
        out.push_back({w.at, civ::BcdTextToFrequency(w.hex.substr(10, 10))});
    return out;
  }
  std::vector<std::int32_t> Frequencies() const {
    std::vector<std::int32_t> out;
    for (const auto& s : FrequenciesSent()) out.push_back(s.frequency);
    return out;
  }

  Rig rig;
  std::function<bool(std::int32_t frequency, std::uint32_t now)> open;
  std::function<bool(int request)> dropSquelch;
  int squelchRequests = 0;
};

struct ScanFixture : ::testing::Test, ScanSetup {};
