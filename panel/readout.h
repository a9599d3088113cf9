// The amber readout's layout: where each glyph of the sheet sits, and which cells a redraw
// touches. What was last drawn at each position is kept, so that only changes are redrawn.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

// A rectangle of the glyph sheet or of the readout, right and bottom edges exclusive.
struct Cell {
  int x = 0, y = 0, w = 0, h = 0;
  bool operator==(const Cell&) const = default;
};

// The glyph sheet `DigitalDat_Image`: black glyphs on amber.
namespace glyph {
inline constexpr int kSheetWidth = 188;
inline constexpr int kSheetHeight = 228;
Cell ModeLabel(int mode);  // mode 1..7
Cell LargeDigit(int d);    // 35 x 48
Cell SmallDigit(int d);    // 11 x 17
Cell ResumeSymbol(int r);  // r 0..3: OFF, DLY, infinity, three dashes
inline constexpr Cell kKhzLabel{149, 30, 20, 8};
inline constexpr Cell kSmallPoint{60, 30, 2, 2};
inline constexpr Cell kLargePoint{61, 41, 6, 6};
inline constexpr Cell kScanSymbol{165, 208, 33, 13};
}  // namespace glyph

// One drawing operation on the readout: fill a blank, or copy (and scale) a sheet cell.
struct ReadoutOp {
  enum Kind { kBlank, kCopy } kind = kBlank;
  Cell source;  // for kCopy
  Cell target;
  bool operator==(const ReadoutOp&) const = default;
};

class Readout {
 public:
  static constexpr int kBlank = 10;
  static constexpr int kWidth = 309;
  static constexpr int kHeight = 72;
  // DigitCache[1..8] for the frequency, StepDigitCache[4..9] for the step (others unused).
  std::array<int, 9> DigitCache;
  std::array<int, 10> StepDigitCache;
  Readout() {
    DigitCache.fill(kBlank);
    StepDigitCache.fill(kBlank);
  }

  // The frequency readout for `value`: eight positions from the GHz digit down to 100 Hz.
  // During an entry only the digits typed so far are shown.
  std::vector<ReadoutOp> DialDigits(std::int32_t value, bool entryActive,
                                    std::uint16_t entryDecimals);
  // The step readout, in kHz with two decimals, with its point and unit label.
  std::vector<ReadoutOp> StepDigits(std::int32_t step);
  static std::vector<ReadoutOp> ModeLabel(int mode);
  static std::vector<ReadoutOp> ScanStop(int resumeMode);
};
