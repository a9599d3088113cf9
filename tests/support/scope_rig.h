// The rig with the band scope laid out in the fallback range and identification off, and
// what the band scope tests ask of it: carriers at the receiver, the end of a sweep, the
// frequencies tuned.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "civ/civ.h"
#include "support/rig.h"

struct ScopeRig : Rig {
  ScopeRig() {
    tuning.LowerLimit = Tuning::kFallbackLower;
    tuning.UpperLimit = Tuning::kFallbackUpper;
    identification.AutoMode = false;
    bandScope.Band_ButtonSet();
    bandScope.BandScopeInit();
  }
  // On line at 145 MHz, FM, 20 kHz, the scope centred there.
  void OnLine(std::int32_t f = 145000000, std::int32_t step = 20000) {
    rx.Open(1, 9600);
    tuning.Frequency[1] = f;
    tuning.Step[1] = step;
    tuning.Mode[1] = 5;
    bandScope.FollowTunedFrequency();
    rx.ClearLog();
  }
  // The receiver hears `level(f)` at its tuned frequency f.
  template <typename F>
  void Carriers(F level) {
    rx.script = [this, level](const std::string& hex) -> std::optional<std::string> {
      if (hex != civ::FrameText(civ::ReadSignalFrame(0x34))) return std::nullopt;
      const int v = level(rx.frequency);
      const std::string digits = std::to_string(10000 + v).substr(1);
      return "FEFEE0341502" + digits + "FD";
    };
  }
  // Waits until the sweep has ended, at most `ms`.
  bool SweepEnds(int ms = 20000) {
    for (int waited = 0; waited < ms && bandScope.SweepRunning; waited += 10) host.Delay(10);
    return !bandScope.SweepRunning;
  }
  // The frequencies of the frequency frames written, in order.
  std::vector<std::int32_t> Tuned() const {
    std::vector<std::int32_t> out;
    for (const auto& hex : rx.Frames())
      if (hex.rfind("FEFE34E000", 0) == 0)
        out.push_back(civ::BcdTextToFrequency(hex.substr(10, 10)));
    return out;
  }
};
