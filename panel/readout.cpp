#include "panel/readout.h"

namespace glyph {

Cell ModeLabel(int mode) {
  const int m = mode - 1;
  return {68 + 40 * (m / 3), 13 * (m % 3), 40, 13};
}
Cell LargeDigit(int d) { return {35 * (d % 5) + 1, 48 * (d / 5) + 49, 35, 48}; }
Cell SmallDigit(int d) { return {11 * (d % 5) + 126, 17 * (d / 5) + 145, 11, 17}; }
Cell ResumeSymbol(int r) { return {33 * r, 208, 33, 13}; }

}  // namespace glyph

namespace {

ReadoutOp Blank(int x, int y, int w, int h) { return {ReadoutOp::kBlank, {}, {x, y, w, h}}; }
ReadoutOp Copy(Cell source, int x, int y, int w, int h) {
  return {ReadoutOp::kCopy, source, {x, y, w, h}};
}

}  // namespace

std::vector<ReadoutOp> Readout::DialDigits(std::int32_t value, bool entryActive,
                                           std::uint16_t entryDecimals) {
  std::vector<ReadoutOp> ops;
  const std::int64_t v = value;
  const int a = entryDecimals == 0 ? 1 : entryDecimals;
  bool leading = true;
  std::int64_t q = 1000000000;
  for (int i = 0; i < 8; ++i, q /= 10) {
    int d = static_cast<int>(((v + 1) / q) % 10);
    if (d < 0) d = -d;  // a negative entry never reaches here, but keep the cells valid
    if (d > 0 && leading) {
      leading = false;
    } else if ((d == 0 && leading) || (entryActive && a + 2 < i && i < a + 8)) {
      d = kBlank;
    }
    const int x = 20 + 33 * i + 6 * ((i - 1) / 3);
    if (d == DigitCache[i + 1]) continue;
    if (d == kBlank)
      ops.push_back(Blank(x, 20, 33, 46));
    else
      ops.push_back(Copy(glyph::LargeDigit(d), x, 20, 33, 46));
    DigitCache[i + 1] = d;
    if ((i == 3 || i == 6) && !leading) {
      const int x1 = 20 + 33 * (i + 1) + 6 * ((i - 1) / 3) - 3;
      ops.push_back(Copy(glyph::kLargePoint, x1, 60, 6, 6));
    }
  }
  return ops;
}

std::vector<ReadoutOp> Readout::StepDigits(std::int32_t step) {
  std::vector<ReadoutOp> ops;
  const std::int64_t s = step;
  bool leading = true;
  std::int64_t q = 1000000;
  for (int i = 3; i <= 8; ++i, q /= 10) {
    int d = static_cast<int>(((s + 1) / q) % 10);
    if (d < 0) d = -d;
    if (d > 0 && leading)
      leading = false;
    else if (d == 0 && leading)
      d = kBlank;
    if (d == kBlank && i == 6) {
      d = 0;
      leading = false;
    }
    const int x = 170 + 10 * i + 6 * ((i - 1) / 3);
    const bool blank = (d == 0 && leading) || d == kBlank || (d == 0 && i == 8);
    const int shown = blank ? kBlank : d;
    if (shown != StepDigitCache[i + 1]) {
      if (blank)
        ops.push_back(Blank(x, 3, 9, 15));
      else
        ops.push_back(Copy(glyph::SmallDigit(d), x, 3, 9, 15));
      StepDigitCache[i + 1] = shown;
    }
    if (i == 6 && !leading) ops.push_back(Copy(glyph::kSmallPoint, 243, 14, 6, 2));
  }
  ops.push_back(Copy(glyph::kKhzLabel, 271, 8, 20, 8));
  return ops;
}

std::vector<ReadoutOp> Readout::ModeLabel(int mode) {
  if (mode < 1 || mode > 7) return {Blank(40, 3, 40, 13)};
  return {Copy(glyph::ModeLabel(mode), 40, 3, 40, 13)};
}

std::vector<ReadoutOp> Readout::ScanStop(int resumeMode) {
  std::vector<ReadoutOp> ops;
  if (resumeMode >= 0 && resumeMode <= 3)
    ops.push_back(Copy(glyph::ResumeSymbol(resumeMode), 120, 3, 33, 13));
  else
    ops.push_back(Blank(120, 3, 33, 13));
  ops.push_back(Copy(glyph::kScanSymbol, 154, 3, 33, 13));
  return ops;
}
