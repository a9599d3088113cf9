// The tuning model's state: two frequency windows, the tunable range and the converter.
// Its operations (stepping, sending, the converter) grow around this state.
#pragma once

#include <array>
#include <cstdint>

class Tuning {
 public:
  static constexpr std::int32_t kFallbackLower = 25000000;
  static constexpr std::int32_t kFallbackUpper = 1299999900;

  // Arrays are indexed by window: 1 = A, 2 = B (entry 0 unused).
  std::uint16_t Window = 1;
  std::array<std::int32_t, 3> Frequency{0, 0, 0};
  std::array<std::int32_t, 3> Step{0, 12500, 12500};
  std::array<std::uint16_t, 3> Mode{0, 5, 5};

  std::int32_t LowerLimit = 0;
  std::int32_t UpperLimit = 0;

  bool ConvertOn = false;
  std::int32_t ConvertShift = 60000000;
  std::int32_t ConvertStart = 20000;
  std::int32_t ConvertEnd = 60000000;
  std::int32_t SavedLower = 0;
  std::int32_t SavedUpper = 0;

  // Direct frequency entry from the keypad or keyboard.
  bool EntryActive = false;
  std::uint16_t EntryDecimals = 0;
  std::int32_t EntryValue = 0;

  std::int32_t& CurrentFrequency() { return Frequency[Window]; }
  std::int32_t CurrentFrequency() const { return Frequency[Window]; }

  // Clamp the current window into the limits: above the upper limit first, then below the
  // lower one, so a range whose ends cross settles on the lower limit.
  void ClampCurrent() {
    std::int32_t& f = Frequency[Window];
    if (f > UpperLimit) f = UpperLimit;
    if (f < LowerLimit) f = LowerLimit;
  }
};
