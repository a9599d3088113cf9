// The meter bar's length for a reading and the ticks of the printed scales.
#include "panel/scales.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

TEST(MeterBar, RisesWithTheSineOfTheLevel) {
  constexpr int h = 119;  // the design bar
  struct Case {
    int level, length;
  } cases[] = {{0, 0}, {1, 1}, {89, 74}, {165, 113}, {206, 118}, {255, 110}};
  for (const auto& c : cases) {
    const SignalBar b = MeterBar(c.level, h, false);
    EXPECT_EQ(b.green, c.length) << c.level;
    EXPECT_EQ(b.red, 0);
  }
  EXPECT_LT(MeterBar(255, h, false).green, MeterBar(206, h, false).green);
  // With the colour option the part above S9 (72 pixels) is red.
  EXPECT_EQ(MeterBar(90, h, true).green, 72);
  EXPECT_EQ(MeterBar(90, h, true).red, 3);
  EXPECT_EQ(MeterBar(90, h, false).green, 75);
  EXPECT_EQ(MeterBar(60, h, true).red, 0);
  // A reading out of range never paints below the bar.
  EXPECT_EQ(MeterBar(-40, h, true).green + MeterBar(-40, h, true).red, 0);
}

TEST(FrequencyScale, TheReceiversRangeInTwoHundredMegahertzLabels) {
  const auto ticks = FrequencyScale(250, 12999, 26, 7, 585, 25, 200);
  ASSERT_GE(ticks.size(), 4u);
  EXPECT_EQ(ticks.front().x, 37);
  EXPECT_EQ(ticks.front().y, 31);
  EXPECT_EQ(ticks.front().label, "25");
  const ScaleTick& right = ticks[ticks.size() - 2];
  EXPECT_EQ(right.x, 37 + 559);
  EXPECT_EQ(right.label, "1299");
  EXPECT_EQ(ticks.back().label, "MHz");
  EXPECT_EQ(ticks.back().labelX, 4);
  std::vector<std::string> labels;
  int longTicks = 0, shortTicks = 0;
  for (std::size_t k = 1; k + 2 < ticks.size(); ++k) {
    if (!ticks[k].label.empty()) labels.push_back(ticks[k].label);
    (ticks[k].length == 10 ? longTicks : shortTicks)++;
    EXPECT_GT(ticks[k].x, ticks[k - 1].x);
  }
  EXPECT_EQ(labels, (std::vector<std::string>{"200", "400", "600", "800", "1000", "1200"}));
  EXPECT_EQ(longTicks, 12);   // every 100 MHz up to 1200
  EXPECT_EQ(shortTicks, 13);  // 50, 150, ... 1250
}

TEST(FrequencyScale, SpacingInRealMegahertz) {
  // k = trunc(559 x 10,000 / (1299.9 - 25 + 1)) = 4381 pixels per 10,000 MHz.
  const auto ticks = FrequencyScale(250, 12999, 26, 7, 585, 25, 200);
  auto tickAt = [&](int n) {
    for (const ScaleTick& t : ticks)
      if (t.x == 37 + static_cast<int>((n - 25) * 4381LL / 10000) + 1) return true;
    return false;
  };
  for (int n : {50, 600, 1000, 1250}) EXPECT_TRUE(tickAt(n)) << n;
  EXPECT_EQ(ticks[12].x, 289);  // 600 MHz (whole megahertz would give 290)
  EXPECT_EQ(ticks[25].x, 574);  // 1250 MHz (575)
  // A top above 1300 MHz but below 1301 still gets its 1300 MHz tick.
  const auto higher = FrequencyScale(250, 13005, 26, 7, 585, 25, 200);
  EXPECT_EQ(higher.size(), ticks.size() + 1);
  EXPECT_EQ(higher[higher.size() - 3].length, 10);
}

TEST(FrequencyScale, ANarrowConverterRangeStillEnds) {
  // 0.1 to 60 MHz with labels every 100: a short tick at 25, a long one at 50, no labels
  // between the ends.
  const auto ticks = FrequencyScale(1, 600, 26, 7, 585, 25, 100);
  ASSERT_EQ(ticks.size(), 5u);
  EXPECT_EQ(ticks[1].length, 5);
  EXPECT_EQ(ticks[2].length, 10);
  EXPECT_TRUE(ticks[1].label.empty() && ticks[2].label.empty());
  EXPECT_EQ(ticks[3].label, "60");
  // An interval below four would give a spacing of zero; it does not hang.
  EXPECT_FALSE(FrequencyScale(250, 12999, 26, 7, 585, 25, 2).empty());
}

TEST(SignalMeterScale, TicksAndLabelsBesideTheBar) {
  const SignalScale s = SignalMeterScale(78, 12, 124, 2);
  EXPECT_EQ(s.lineX, 76);
  EXPECT_EQ(s.top, 16);
  EXPECT_EQ(s.bottom, 16 + 118 - 1);
  EXPECT_EQ(s.s9, 16 + 118 - static_cast<int>(std::sin(0.68) * 118));
  int labelled = 0;
  for (const ScaleTick& t : s.ticks) {
    EXPECT_EQ(t.x, 71);
    if (!t.label.empty()) {
      ++labelled;
      EXPECT_EQ(t.label.size(), 5u);
      EXPECT_EQ(t.labelX, 41);
      EXPECT_EQ(t.labelY, t.y - 6);
    }
    if (t.y < s.s9) {
      EXPECT_TRUE(t.red) << t.y;
    }
  }
  EXPECT_EQ(labelled, 8);
}

}  // namespace
