// What the amber readout last drew at each position, so that only changes are redrawn.
#pragma once

#include <array>

class Readout {
 public:
  static constexpr int kBlank = 10;
  // DigitCache[1..8] for the frequency, StepDigitCache[4..9] for the step (others unused).
  std::array<int, 9> DigitCache;
  std::array<int, 10> StepDigitCache;
  Readout() {
    DigitCache.fill(kBlank);
    StepDigitCache.fill(kBlank);
  }
};
