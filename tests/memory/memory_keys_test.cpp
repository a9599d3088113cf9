// The memory keys: store, erase and recall on records 10001..10008 of the station table,
// their captions and strips, and the bytes a save writes.
#include "memory/memory_keys.h"

#include <gtest/gtest.h>

#include "support/scope_rig.h"

namespace {

using Strip = MemoryKeysView::Strip;

struct MemoryKeysTest : ::testing::Test {
  MemoryKeysTest() {
    rig.OnLine(145000000, 20000);
    rig.memory.M_SpeedButtonPrint();
  }
  const MemoRecord& Record(int key) { return rig.stations.Data[10000 + key]; }
  ScopeRig rig;
  MemoryKeys& keys = rig.memory;
  Tuning& t = rig.tuning;
};

TEST_F(MemoryKeysTest, StoreShowsRedForErasingAndErasesOnTheSameSetting) {
  EXPECT_EQ(rig.scope.captions[3], "F3");
  keys.M_SpeedButtonClick();
  EXPECT_TRUE(keys.MemoRequest);
  EXPECT_TRUE(rig.scope.storeKeyDown);
  EXPECT_EQ(rig.scope.strips[0], Strip::kYellow);  // MemEdit_Panel
  for (int k = 1; k <= 8; ++k) EXPECT_EQ(rig.scope.strips[k], Strip::kYellow) << k;

  keys.M_ButtonClick(3);
  EXPECT_EQ(Record(3).Frequency, 145000000);
  EXPECT_EQ(Record(3).Mode, 5);
  EXPECT_EQ(Record(3).Step, 20000);
  EXPECT_TRUE(rig.stations.DataChanged);
  EXPECT_FALSE(keys.MemoRequest);
  EXPECT_FALSE(rig.scope.storeKeyDown);
  EXPECT_EQ(rig.scope.captions[3], "145.000.0");
  for (int k = 0; k <= 8; ++k) EXPECT_EQ(rig.scope.strips[k], Strip::kNormal) << k;
  EXPECT_TRUE(rig.rx.Frames().empty());  // storing sends nothing

  keys.M_SpeedButtonClick();
  EXPECT_EQ(rig.scope.strips[3], Strip::kRed);
  EXPECT_EQ(rig.scope.strips[2], Strip::kYellow);
  keys.M_ButtonClick(3);
  EXPECT_EQ(Record(3).Frequency, 0);
  EXPECT_EQ(Record(3).Mode, 0);
  EXPECT_EQ(Record(3).Step, 0);
  EXPECT_EQ(rig.scope.captions[3], "F3");
}

TEST_F(MemoryKeysTest, AMemoryThatDiffersInAnyOneFieldIsOverwritten) {
  struct Case {
    std::int32_t f;
    int mode;
    std::int32_t step;
  } cases[] = {{145000000, 5, 12500}, {145000000, 6, 20000}, {145000100, 5, 20000}};
  for (const auto& c : cases) {
    rig.stations.Data[10005].Frequency = c.f;
    rig.stations.Data[10005].Mode = c.mode;
    rig.stations.Data[10005].Step = c.step;
    keys.M_SpeedButtonClick();
    EXPECT_EQ(rig.scope.strips[5], Strip::kYellow);
    keys.M_ButtonClick(5);
    EXPECT_EQ(Record(5).Frequency, 145000000);
    EXPECT_EQ(Record(5).Mode, 5);
    EXPECT_EQ(Record(5).Step, 20000);
  }
}

TEST_F(MemoryKeysTest, RecallTunesSetsModeAndStepWithoutAStepFrame) {
  rig.stations.Data[10002].Frequency = 433920000;
  rig.stations.Data[10002].Mode = 4;
  rig.stations.Data[10002].Step = 12500;
  keys.M_ButtonClick(2);
  EXPECT_EQ(t.Frequency[1], 433920000);
  EXPECT_EQ(t.Mode[1], 4);
  EXPECT_EQ(t.Step[1], 12500);
  EXPECT_EQ(rig.rx.Frames(),
            (std::vector<std::string>{"FEFE34E0000000923304FD", "FEFE34E0060202FD"}));
  EXPECT_EQ(rig.scope.panelRedraws, 1);
  // The band scope follows.
  EXPECT_EQ(rig.bandScope.SweepStart, 433920000 - 15 * 12500);
  EXPECT_GT(rig.scope.focusReturns, 0);
}

TEST_F(MemoryKeysTest, RecallDuringALoopingSweepStopsTheLoopFirst) {
  rig.stations.Data[10001] = MemoRecord{};
  rig.stations.Data[10001].Frequency = 433920000;
  rig.stations.Data[10001].Mode = 5;
  rig.stations.Data[10001].Step = 25000;
  rig.bandScope.BandLoop_BitBtnClick();
  rig.host.Delay(300);
  ASSERT_TRUE(rig.bandScope.SweepRunning);
  keys.M_ButtonClick(1);
  EXPECT_FALSE(rig.bandScope.SweepLoop);
  EXPECT_FALSE(rig.scope.loopLamp);
  ASSERT_TRUE(rig.SweepEnds(1000));
  // The sweep's end sends the tuned frequency: the memory's.
  EXPECT_EQ(rig.Tuned().back(), 433920000);
}

TEST_F(MemoryKeysTest, AMemoryOutsideTheLimitsShowsItsNameAndDoesNothing) {
  rig.stations.Data[10001].Frequency = 10000000;  // stored with a wider range
  rig.stations.Data[10001].Mode = 3;
  rig.stations.Data[10001].Step = 5000;
  rig.stations.Data[10004].Frequency = 25000000;  // the lower limit itself is inside
  keys.M_SpeedButtonPrint();
  EXPECT_EQ(rig.scope.captions[1], "F1");
  EXPECT_EQ(rig.scope.captions[4], "25.000.0");
  EXPECT_EQ(rig.scope.captions[8], "F8");  // empty
  keys.M_ButtonClick(1);
  keys.M_ButtonClick(8);
  EXPECT_EQ(t.Frequency[1], 145000000);
  EXPECT_EQ(t.Mode[1], 5);
  EXPECT_TRUE(rig.rx.Frames().empty());
  EXPECT_EQ(rig.scope.panelRedraws, 0);
}

}  // namespace
