// The band scope on the virtual clock: its window, the bar arithmetic, sweeps once and in a
// loop as frames on the wire and bars drawn, the marker, the shift keys and the demo picture.
#include "scope/band_scope.h"

#include <gtest/gtest.h>

#include <functional>
#include <tuple>

#include "support/scope_rig.h"

namespace {

constexpr std::int32_t kMHz = 1000000;

TEST(BandScopeArithmetic, MarkerTrackLinesUpForEachWidth) {
  struct Case {
    int points, left, width;
  } cases[] = {{51, 198, 287}, {31, 200, 283}, {21, 203, 278}};
  for (const auto& c : cases) {
    const MarkerTrackLayout t = MarkerTrackGeometry(201, 282, c.points);
    EXPECT_EQ(t.left, c.left) << c.points;
    EXPECT_EQ(t.width, c.width) << c.points;
  }
}

TEST(BandScopeArithmetic, HeightsFollowTheSineAndTheCeilingTurnsRed) {
  // The design's picture: 276 x 54 at (1, 1), the track bar 280 wide.
  struct Case {
    int level;
    bool sColor;
    int black, red;
  } cases[] = {
      {0, false, 0, 0},    {1, false, 1, 0},    {10, false, 4, 0},   {50, false, 19, 0},
      {100, false, 36, 0}, {128, false, 43, 0}, {200, false, 52, 0}, {255, false, 49, 0},
      {100, true, 31, 5},  {50, true, 19, 0},   {200, true, 31, 21}, {600, false, 0, 0},
  };
  for (const auto& c : cases) {
    const ScopeBar b = BandScopeBar(1, c.level, 31, 280, 54, 1, 1, c.sColor);
    EXPECT_EQ(b.black, c.black) << c.level << " " << c.sColor;
    EXPECT_EQ(b.red, c.red) << c.level << " " << c.sColor;
    EXPECT_EQ(b.top, 0);
    EXPECT_EQ(b.bottom, 53);
  }
}

TEST(BandScopeArithmetic, PitchAndWidthComeFromTheTrackBar) {
  struct Case {
    int points, k, x, width;
  } cases[] = {
      {51, 1, 3, 4},   {51, 2, 8, 4},     {51, 51, 263, 4},  // pitch 5.2
      {31, 2, 11, 6},  {31, 31, 263, 6},                     // pitch 8.67
      {21, 2, 16, 10}, {21, 21, 263, 10},                    // pitch 13
  };
  for (const auto& c : cases) {
    const ScopeBar b = BandScopeBar(c.k, 100, c.points, 280, 54, 1, 1, false);
    EXPECT_EQ(b.x, c.x) << c.points << " " << c.k;
    EXPECT_EQ(b.width, c.width) << c.points << " " << c.k;
  }
}

struct BandScopeTest : ::testing::Test {
  ScopeRig rig;
  BandScopeEngine& scope = rig.bandScope;
  Tuning& t = rig.tuning;
};

TEST_F(BandScopeTest, TheWindowIsCentredAndKeptInsideTheLimits) {
  struct Case {
    std::int32_t f, step;
    int width;
    std::int32_t start, end;
    int points, marker;
  } cases[] = {
      {145 * kMHz, 20000, 2, 144700000, 145300000, 31, 16},
      {25100000, 10000, 1, 25000000, 25500000, 51, 11},        // moved up to LowerLimit
      {1299900000, 20000, 3, 1299599900, 1299999900, 21, 16},  // moved down to UpperLimit
      {145 * kMHz, 0, 2, 144700000, 145300000, 31, 16},        // a zero step counts 20 kHz
      {145 * kMHz, 12500, 3, 144875000, 145125000, 21, 11},
  };
  for (const auto& c : cases) {
    t.Frequency[1] = c.f;
    t.Step[1] = c.step;
    scope.BandScope = c.width;
    scope.Band_ButtonSet();
    scope.BandSet();
    EXPECT_EQ(scope.SweepStart, c.start) << c.f;
    EXPECT_EQ(scope.SweepEnd, c.end) << c.f;
    EXPECT_EQ(scope.BandPoints, c.points) << c.f;
    EXPECT_EQ(rig.scope.marker, (c.points + 1) / 2) << "BandSet leaves the marker in the middle";
    EXPECT_EQ(scope.SweepFreq, c.start);
    if (c.step >= 1) {
      // Activation puts the marker on the tuned frequency's point.
      scope.FollowTunedFrequency();
      EXPECT_EQ(rig.scope.marker, c.marker) << c.f;
    }
  }
}

TEST_F(BandScopeTest, ASweepTunesEachPointReadsItAndReturnsToTheTunedFrequency) {
  rig.OnLine();
  rig.Carriers([](std::int32_t f) { return f == 145100000 ? 200 : 10; });
  rig.scan.ScanState = ScanEngine::kUp;
  scope.BandRun_BitBtnClick();
  EXPECT_TRUE(scope.SweepRunning);
  EXPECT_EQ(rig.scan.ScanState, 0);  // a running scan ends
  ASSERT_TRUE(rig.SweepEnds());

  // Every point in turn, then the tuned frequency again.
  std::vector<std::int32_t> expected;
  for (int k = 0; k < 31; ++k) expected.push_back(144700000 + 20000 * k);
  expected.push_back(145 * kMHz);
  EXPECT_EQ(rig.Tuned(), expected);
  // Each point: its frame, the dwell, then the level is asked for.
  const auto& log = rig.rx.Log();
  const std::string signal = civ::FrameText(civ::ReadSignalFrame(0x34));
  std::vector<std::size_t> tunings;
  for (std::size_t i = 0; i < log.size(); ++i)
    if (log[i].hex.rfind("FEFE34E000", 0) == 0) tunings.push_back(i);
  ASSERT_EQ(tunings.size(), 32u);
  EXPECT_EQ(tunings.back(), log.size() - 1);  // nothing after the return
  for (std::size_t n = 0; n + 1 < tunings.size(); ++n) {
    const std::size_t i = tunings[n];
    ASSERT_LT(i + 1, log.size());
    EXPECT_EQ(log[i + 1].hex, signal) << n;
    EXPECT_EQ(log[i + 1].at - log[i].at, 100u) << n;
  }
  // One bar a point, the carrier's at point 21.
  std::vector<ScopeView::Bar> bars;
  for (const auto& b : rig.scope.bars)
    if (bars.size() < 31 && (bars.empty() || b.point == bars.back().point + 1)) bars.push_back(b);
  ASSERT_EQ(bars.size(), 31u);
  EXPECT_EQ(bars.front().point, 1);
  EXPECT_EQ(bars[20], (ScopeView::Bar{21, 200}));
  EXPECT_EQ(bars[19].level, 10);
  // The marker is back on the tuned frequency's point; polling runs again.
  EXPECT_EQ(rig.scope.marker, 16);
  EXPECT_FALSE(scope.SweepRunning);
  EXPECT_TRUE(rig.host.TimerEnabled());
}

TEST_F(BandScopeTest, BetweenSweepsTheMarkersBarFollowsEveryReading) {
  rig.OnLine();
  rig.scope.bars.clear();
  rig.meter.SignalLevel = 77;
  rig.meter.PrintSignal();
  ASSERT_FALSE(rig.scope.bars.empty());
  EXPECT_EQ(rig.scope.bars.back(), (ScopeView::Bar{16, 77}));
  EXPECT_EQ(rig.meter.SignalLevel, 0);  // used once
  rig.scope.bars.clear();
  rig.host.TimerStart();
  rig.host.Delay(1000);  // the polling's readings
  ASSERT_FALSE(rig.scope.bars.empty());
  for (const auto& b : rig.scope.bars) EXPECT_EQ(b.point, 16);
}

TEST_F(BandScopeTest, TheLoopStartsAgainAtPointOneAndEndsAfterTheCurrentPoint) {
  rig.OnLine();
  rig.Carriers([](std::int32_t f) { return f == 145300000 ? 200 : 30; });
  scope.BandLoop_BitBtnClick();
  EXPECT_TRUE(scope.SweepLoop);
  EXPECT_TRUE(rig.scope.loopLamp);
  EXPECT_TRUE(scope.SweepRunning);
  // Run through the first sweep's last point: the turn tunes point 1 again.
  rig.host.Delay(200);
  ASSERT_GT(scope.SweepIndex, 1);
  for (int waited = 0; waited < 20000 && scope.SweepIndex != 1; waited += 1) rig.host.Delay(1);
  ASSERT_EQ(scope.SweepIndex, 1);
  EXPECT_EQ(rig.Tuned().back(), 144700000);
  const auto& log = rig.rx.Log();  // its level is asked for after the dwell
  EXPECT_EQ(log.back().at - log[log.size() - 2].at, 100u);
  EXPECT_EQ(scope.SweepFreq, scope.SweepStart);
  // That reading is point 1's: the carrier at the right edge is not drawn there too.
  for (int waited = 0; waited < 2000 && scope.SweepIndex == 1; waited += 1) rig.host.Delay(1);
  EXPECT_EQ(rig.scope.bars.back(), (ScopeView::Bar{1, 30}));
  EXPECT_EQ(rig.Tuned().back(), 144720000);
  // Ending the loop lets the point under way finish, then the tuned frequency returns.
  rig.host.Delay(500);
  EXPECT_NE(rig.scope.marker, 16);
  const std::size_t points = rig.Tuned().size();
  scope.BandLoop_BitBtnClick();
  EXPECT_FALSE(scope.SweepLoop);
  EXPECT_FALSE(rig.scope.loopLamp);
  ASSERT_TRUE(rig.SweepEnds(1000));
  EXPECT_EQ(rig.Tuned().size(), points + 1);
  EXPECT_EQ(rig.Tuned().back(), 145 * kMHz);
  EXPECT_EQ(rig.scope.marker, 16);
}

TEST_F(BandScopeTest, MovingTheMarkerByHandRetunesThere) {
  rig.OnLine();
  scope.BandTrackBarChange(20);
  EXPECT_EQ(t.Frequency[1], 144700000 + 19 * 20000);
  EXPECT_EQ(rig.Tuned(), std::vector<std::int32_t>{145080000});
  EXPECT_EQ(rig.view.dimple, 2);  // one notch up
  EXPECT_EQ(rig.view.arrows, 1);
  scope.BandTrackBarChange(3);
  EXPECT_EQ(t.Frequency[1], 144740000);
  EXPECT_EQ(rig.view.dimple, 1);
  EXPECT_EQ(scope.Marker, 3);
}

TEST_F(BandScopeTest, TheTuningStepMovesTheMarkerAndRebasesAtTheEnds) {
  rig.OnLine();
  scope.SetMarker(30);
  t.DialUp();  // 145.020
  EXPECT_EQ(rig.scope.marker, 31);
  t.DialUp();  // 145.040: past the end, a new window starts here
  EXPECT_EQ(rig.scope.marker, 1);
  EXPECT_EQ(scope.SweepStart, 145040000);
  EXPECT_EQ(scope.SweepEnd, 145640000);
  t.DialDown();  // 145.020
  EXPECT_EQ(rig.scope.marker, 31);
  EXPECT_EQ(scope.SweepEnd, 145020000);
  EXPECT_EQ(scope.SweepStart, 144420000);
}

TEST_F(BandScopeTest, AShiftStopsAtTheLimits) {
  // Lower limit, tuned frequency, step, right key; the window's start and the frequency tuned.
  const std::tuple<std::int32_t, std::int32_t, std::int32_t, bool, std::int32_t, std::int32_t>
      cases[] = {{20000, 30 * kMHz, 1000000, false, 20000, 20000},  // not below 0 Hz either
                 {25 * kMHz, 25300000, 10000, false, 25 * kMHz, 25 * kMHz},
                 {25 * kMHz, 1299700000, 20000, true, 1299399900, 1299999900}};
  for (const auto& [lower, f, step, right, start, tuned] : cases) {
    t.LowerLimit = lower;
    rig.OnLine(f, step);
    right ? scope.Band_R_BitBtnClick() : scope.Band_L_BitBtnClick();
    EXPECT_EQ(scope.SweepStart, start) << f;
    ASSERT_TRUE(rig.SweepEnds());
    EXPECT_EQ(rig.Tuned().back(), tuned) << f;
    EXPECT_EQ(rig.scope.marker, scope.TunedPoint()) << f;
  }
}

TEST_F(BandScopeTest, EveryWayOfStoppingASweepEndsItAtOnceOnTheChosenFrequency) {
  rig.stations.Data[10001].Frequency = 433 * kMHz;
  const std::pair<std::function<void()>, std::int32_t> cases[] = {
      {[&] { rig.memory.M_ButtonClick(1); }, 433 * kMHz},
      {[&] { t.TrackBar1Change(4300); }, 430 * kMHz},
      {[&] { t.Win_Button0_Click(); }, 145 * kMHz},
      {[&] { scope.BandWH_ButtonClick(); }, 145 * kMHz},
  };
  for (const auto& [stop, chosen] : cases) {
    rig.OnLine();
    t.Frequency[2] = 145 * kMHz;
    scope.BandRun_BitBtnClick();
    rig.host.Delay(1000);  // some points in
    stop();
    const std::size_t sent = rig.Tuned().size();
    rig.host.Delay(3000);
    EXPECT_EQ(rig.Tuned().size(), sent) << chosen << ": no point after the stop";
    EXPECT_EQ(rig.Tuned().back(), chosen);
    for (const auto& b : rig.scope.bars) EXPECT_LE(b.point, scope.BandPoints) << chosen;
  }
}

TEST_F(BandScopeTest, BarsFollowTheirFrequenciesWhenTheWindowMoves) {
  rig.OnLine();
  for (int k = 1; k <= 31; ++k) scope.BandScopePrintSub(k, k);
  t.Frequency[1] = 145100000;  // five points up: bars 6..31 move to 1..26
  scope.BandSet();
  EXPECT_EQ(scope.BarLevel(1), 6);
  EXPECT_EQ(scope.BarLevel(27), -1);
  EXPECT_EQ(rig.scope.labels, std::make_pair(144800000, 145400000));
  t.Frequency[1] = 433 * kMHz;  // another band: nothing of the old window is left
  scope.BandSet();
  EXPECT_TRUE(rig.scope.bars.empty());
}

TEST_F(BandScopeTest, TheConverterLandsOnTheMarkerOfTheRecentredWindow) {
  t.Frequency[1] = 145 * kMHz;
  t.Step[1] = 20000;
  t.Convert_ButtonClick();  // range 20 kHz .. 60 MHz: the window is moved down
  EXPECT_EQ(scope.SweepEnd, 60 * kMHz);
  EXPECT_EQ(t.Frequency[1], 60 * kMHz - 15 * 20000);
}

}  // namespace
