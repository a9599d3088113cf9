// The knob with synthetic drags: direction from the motion around the centre, the dial
// speed's count of moves, the dimple and the arrows.
#include "panel/knob.h"

#include <gtest/gtest.h>

#include <cmath>

#include "support/control_calls.h"
#include "support/rig.h"

namespace {

struct KnobRecorder : KnobView {
  void ShowDimple(int position) override { dimple = position; }
  void ShowArrows(int l) override { lit = l; }
  void ShowStopLamp(bool on) override { stopLamp = on; }
  int dimple = 0, lit = -1;
  bool stopLamp = false;
};

struct KnobTest : ::testing::Test {
  KnobTest() {
    rig.tuning.LowerLimit = Tuning::kFallbackLower;
    rig.tuning.UpperLimit = Tuning::kFallbackUpper;
    rig.tuning.Frequency[1] = 145000000;
    knob.Bind(rig.tuning, view);
  }
  // Points on a circle of radius 30 around the knob's centre (40, 40), `steps` per turn;
  // clockwise on the screen is increasing angle with y growing downward.
  void Circle(double fromTurn, double turns, int steps, bool clockwise) {
    for (int k = 0; k <= steps * turns; ++k) {
      const double a = 2 * M_PI * (fromTurn + (clockwise ? 1 : -1) * k / double(steps));
      const int x = 40 + static_cast<int>(std::lround(30 * std::sin(a)));
      const int y = 40 - static_cast<int>(std::lround(30 * std::cos(a)));
      if (k == 0 && !knob.DialDragging)
        knob.Dial_ImageMouseDown(x, y);
      else
        knob.Dial_ImageMouseMove(x, y, 80, 80);
    }
  }
  Rig rig;
  Knob& knob = rig.knob;
  KnobRecorder view;
  std::int32_t& f = rig.tuning.Frequency[1];
};

TEST(KnobTables, SpeedAndDirection) {
  struct {
    int m, v;
  } speeds[] = {{0, 1}, {3, 1}, {4, 2}, {15, 2}, {16, 3}, {35, 3}, {36, 4}, {400, 11}};
  for (const auto& s : speeds) EXPECT_EQ(DialSpeedOf(s.m), s.v) << s.m;
  // Upper right: east is clockwise, north counter-clockwise; lower left mirrors it.
  EXPECT_EQ(DialDirectionOf(60, 10, 61, 10, 80, 80, 0), 1);
  EXPECT_EQ(DialDirectionOf(60, 10, 60, 9, 80, 80, 0), 2);
  EXPECT_EQ(DialDirectionOf(20, 60, 19, 60, 80, 80, 0), 1);
  EXPECT_EQ(DialDirectionOf(20, 60, 21, 61, 80, 80, 0), 2);
  // Octants the table leaves open keep the direction; so does standing still.
  EXPECT_EQ(DialDirectionOf(60, 10, 59, 11, 80, 80, 1), 1);
  EXPECT_EQ(DialDirectionOf(60, 10, 59, 11, 80, 80, 2), 2);
  EXPECT_EQ(DialDirectionOf(60, 10, 60, 10, 80, 80, 2), 2);
}

TEST_F(KnobTest, AClockwiseCircleTunesUpAndTheReverseDown) {
  knob.DialSpeed = 0;
  Circle(0.1, 1, 32, true);
  const std::int32_t up = f;
  EXPECT_GT(up, 145000000);
  EXPECT_EQ(view.lit, 1);
  Circle(0.1, 1, 32, false);
  EXPECT_LT(f, up);
  EXPECT_EQ(view.lit, 2);
  knob.Dial_ImageMouseUp();
  EXPECT_EQ(view.lit, 0);
  EXPECT_FALSE(view.stopLamp);
  // Moves after the release do nothing.
  const std::int32_t released = f;
  for (int x = 60; x < 70; ++x) knob.Dial_ImageMouseMove(x, 10, 80, 80);
  EXPECT_EQ(f, released);
}

TEST_F(KnobTest, AStraightDragAcrossTheCentreKeepsTheLastDirection) {
  knob.DialSpeed = 0;
  Circle(0.1, 0.25, 32, true);
  ASSERT_EQ(knob.DialDirection, 1);
  // Diagonally through the centre: south-east says nothing in the upper left or the lower
  // right, so the drag goes on tuning up; the other way it goes on tuning down.
  std::int32_t before = f;
  for (int k = 11; k <= 71; k += 2) knob.Dial_ImageMouseMove(k, k, 80, 80);
  EXPECT_EQ(knob.DialDirection, 1);
  EXPECT_GT(f, before);
  Circle(0.6, 0.25, 32, false);
  ASSERT_EQ(knob.DialDirection, 2);
  before = f;
  for (int k = 11; k <= 71; k += 2) knob.Dial_ImageMouseMove(k, k, 80, 80);
  EXPECT_EQ(knob.DialDirection, 2);
  EXPECT_LT(f, before);
}

TEST_F(KnobTest, TheDialSpeedCountsMoves) {
  // Slow moves (one pixel): at 0 each acts, at 4 every fifth, at 5 every sixth.
  for (int speed : {0, 4, 5}) {
    knob.DialSpeed = speed;
    f = 145000000;
    knob.Dial_ImageMouseDown(60, 10);
    for (int k = 1; k <= 30; ++k) knob.Dial_ImageMouseMove(60 + k, 10, 80, 80);
    knob.Dial_ImageMouseUp();
    EXPECT_EQ(f, 145000000 + 12500 * (30 / (speed + 1))) << speed;
  }
  // A fast move acts sooner and steps up to three times.
  knob.DialSpeed = 4;
  f = 145000000;
  knob.Dial_ImageMouseDown(50, 5);
  knob.Dial_ImageMouseMove(60, 15, 80, 80);  // m = 20, v = 3: the first of three moves
  knob.Dial_ImageMouseMove(70, 25, 80, 80);
  EXPECT_EQ(f, 145000000);
  knob.Dial_ImageMouseMove(71, 45, 80, 80);  // v = 3 again: count 3 + 2 > 4
  EXPECT_EQ(f, 145000000 + 3 * 12500);
}

TEST_F(KnobTest, TheDimpleGoesRoundAndWraps) {
  knob.DimplePosition = 16;
  rig.tuning.DialUp();
  EXPECT_EQ(knob.DimplePosition, 1);
  EXPECT_EQ(view.dimple, 1);
  rig.tuning.DialDown();
  EXPECT_EQ(knob.DimplePosition, 16);
  // No change of frequency, no move: at the lower limit the dimple stays.
  f = rig.tuning.LowerLimit;
  rig.tuning.DialDown();
  EXPECT_EQ(knob.DimplePosition, 16);
  EXPECT_EQ(kDimpleX[1], 30);
  EXPECT_EQ(kDimpleY[9], 46);
}

TEST_F(KnobTest, PressingStopsScansAndLightsTheStopLamp) {
  ControlCalls calls;
  calls.sweeping = true;
  knob.BindScan(calls, calls);
  knob.BindBandScope(calls);
  knob.Dial_ImageMouseDown(40, 5);
  EXPECT_EQ(calls.calls,
            (std::vector<std::string>{"BandLoop_Stop", "BandIdxScanSet", "ST_SC_Stop"}));
  EXPECT_TRUE(view.stopLamp);
  EXPECT_TRUE(knob.DialDragging);
}

TEST_F(KnobTest, AKnobTurnSendsTheFrequencyWhenOnLine) {
  rig.rx.Open(1, 9600);
  rig.rx.ClearLog();
  knob.DialSpeed = 0;
  knob.Dial_ImageMouseDown(60, 10);
  knob.Dial_ImageMouseMove(61, 10, 80, 80);
  // The press stops any scan, which asks for the signal level; the turn sends the frequency.
  EXPECT_EQ(rig.rx.Frames(),
            (std::vector<std::string>{"FEFE34E01502FD", "FEFE34E0000025014501FD"}));
}

}  // namespace
