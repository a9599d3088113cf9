// The readout's digit layout: which cells a value draws, what blanks, where the points go,
// and that an unchanged value draws nothing.
#include "panel/readout.h"

#include <gtest/gtest.h>

#include <string>

namespace {

constexpr int kB = Readout::kBlank;

// The frequency positions' x from the cell layout.
int DigitX(int i) { return 20 + 33 * i + 6 * ((i - 1) / 3); }

bool DrawsPointAt(const std::vector<ReadoutOp>& ops, int x) {
  for (const ReadoutOp& op : ops)
    if (op.kind == ReadoutOp::kCopy && op.source == glyph::kLargePoint && op.target.x == x)
      return true;
  return false;
}

TEST(Readout, FrequencyDigitsPointsAndBlanks) {
  Readout r;
  auto ops = r.DialDigits(145125600, false, 0);
  EXPECT_EQ(r.DigitCache, (std::array<int, 9>{kB, kB, 1, 4, 5, 1, 2, 5, 6}));
  // Position 0 was blank already: seven digit cells and two points.
  ASSERT_EQ(ops.size(), 9u);
  EXPECT_EQ(ops[0].source, glyph::LargeDigit(1));
  EXPECT_EQ(ops[0].target, (Cell{DigitX(1), 20, 33, 46}));
  EXPECT_TRUE(DrawsPointAt(ops, 149));
  EXPECT_TRUE(DrawsPointAt(ops, 254));
  // The same value again draws nothing.
  EXPECT_TRUE(r.DialDigits(145125600, false, 0).empty());

  // 500 kHz: no MHz digits and so no point after them; the point after the kHz digits stays.
  ops = r.DialDigits(500000, false, 0);
  EXPECT_EQ(r.DigitCache, (std::array<int, 9>{kB, kB, kB, kB, kB, 5, 0, 0, 0}));
  EXPECT_FALSE(DrawsPointAt(ops, 149));
  EXPECT_TRUE(DrawsPointAt(ops, 254));
  for (const ReadoutOp& op : ops)
    if (op.target.x < DigitX(4)) {
      EXPECT_EQ(op.kind, ReadoutOp::kBlank);
    }

  // A cleared entry blanks every position and draws no point.
  ops = r.DialDigits(0, true, 0);
  EXPECT_EQ(r.DigitCache, (std::array<int, 9>{kB, kB, kB, kB, kB, kB, kB, kB, kB}));
  for (const ReadoutOp& op : ops) EXPECT_EQ(op.kind, ReadoutOp::kBlank);
}

TEST(Readout, AnEntryShowsOnlyTheDigitsTyped) {
  Readout r;
  // 1, 4, 5 and the point: the MHz part only.
  r.DialDigits(145000000, true, 1);
  EXPECT_EQ(r.DigitCache, (std::array<int, 9>{kB, kB, 1, 4, 5, kB, kB, kB, kB}));
  // One decimal uncovers position 4, the 100 kHz digit.
  r.DialDigits(145100000, true, 2);
  EXPECT_EQ(r.DigitCache, (std::array<int, 9>{kB, kB, 1, 4, 5, 1, kB, kB, kB}));
  // All four decimals: everything shows.
  r.DialDigits(145125600, true, 5);
  EXPECT_EQ(r.DigitCache, (std::array<int, 9>{kB, kB, 1, 4, 5, 1, 2, 5, 6}));
  // Ending the entry shows the frequency.
  r.DialDigits(1299999900, false, 5);
  EXPECT_EQ(r.DigitCache, (std::array<int, 9>{kB, 1, 2, 9, 9, 9, 9, 9, 9}));
}

// The step readout as text: digits, '_' for a blank, from the 1 MHz to the 10 Hz position.
std::string StepText(Readout& r, std::int32_t step, bool* point = nullptr) {
  const auto ops = r.StepDigits(step);
  if (point) {
    *point = false;
    for (const ReadoutOp& op : ops) *point |= op.source == glyph::kSmallPoint;
  }
  EXPECT_EQ(ops.back().source, glyph::kKhzLabel);
  std::string text;
  for (int i = 4; i <= 9; ++i)
    text += r.StepDigitCache[i] == kB ? '_' : static_cast<char>('0' + r.StepDigitCache[i]);
  return text;
}

TEST(Readout, StepReadsInKilohertz) {
  Readout r;
  bool point = false;
  EXPECT_EQ(StepText(r, 12500, &point), "__125_");  // 12.5
  EXPECT_TRUE(point);
  EXPECT_EQ(StepText(r, 6250), "___625");     // 6.25
  EXPECT_EQ(StepText(r, 100), "___01_");      // 0.1
  EXPECT_EQ(StepText(r, 1000000), "10000_");  // 1000.0
  // Unchanged: only the unit label and the point are copied again.
  EXPECT_EQ(r.StepDigits(1000000).size(), 2u);
}

TEST(Readout, GlyphCellsLieWhereTheSheetHasThem) {
  EXPECT_EQ(glyph::ModeLabel(1), (Cell{68, 0, 40, 13}));
  EXPECT_EQ(glyph::ModeLabel(6), (Cell{108, 26, 40, 13}));
  EXPECT_EQ(glyph::ModeLabel(7), (Cell{148, 0, 40, 13}));
  EXPECT_EQ(glyph::LargeDigit(9), (Cell{141, 97, 35, 48}));
  EXPECT_EQ(glyph::SmallDigit(7), (Cell{148, 162, 11, 17}));
  EXPECT_EQ(glyph::ResumeSymbol(3), (Cell{99, 208, 33, 13}));
  // A mode out of the table blanks the label instead of copying a stray cell.
  EXPECT_EQ(Readout::ModeLabel(0)[0].kind, ReadoutOp::kBlank);
  EXPECT_EQ(Readout::ModeLabel(5)[0].target, (Cell{40, 3, 40, 13}));
}

}  // namespace
