// The tuning model on the virtual clock: the step grid, the keys, the window switch and the
// converter, asserted as frames on the wire.
#include "panel/tuning.h"

#include <gtest/gtest.h>

#include "support/rig.h"

namespace {

struct TuningTest : ::testing::Test {
  TuningTest() {
    rig.tuning.LowerLimit = Tuning::kFallbackLower;
    rig.tuning.UpperLimit = Tuning::kFallbackUpper;
  }
  void OnLine() {
    rig.rx.Open(1, 9600);
    rig.rx.ClearLog();
  }
  Rig rig;
  Tuning& t = rig.tuning;
};

TEST_F(TuningTest, StepsLandOnTheGridCountedFromZero) {
  struct Case {
    std::int32_t from, step;
    bool up;
    std::int32_t to;
  } cases[] = {
      {145000000, 12500, true, 145012500},  {145005000, 12500, true, 145012500},
      {145005000, 12500, false, 145000000}, {145000000, 6250, false, 144993750},
      {145000000, 12500, false, 144987500}, {1299500000, 1000000, true, 1299999900},
      {25012500, 12500, false, 25000000},   {25005000, 12500, false, 25000000},
      {24000000, 12500, false, 25000000},   {145000001, 100, true, 145000100},
  };
  for (const auto& c : cases) {
    t.Frequency[1] = c.from;
    t.Step[1] = c.step;
    c.up ? t.DialUp() : t.DialDown();
    EXPECT_EQ(t.Frequency[1], c.to) << c.from << (c.up ? " up " : " down ") << c.step;
  }
}

TEST_F(TuningTest, TheUpperLimitHoldsAndTheDimpleStaysWhenNothingMoves) {
  t.Frequency[1] = 1299500000;
  t.Step[1] = 1000000;
  t.DialUp();
  EXPECT_EQ(rig.view.dimple, 2);
  t.DialUp();
  EXPECT_EQ(t.Frequency[1], 1299999900);
  EXPECT_EQ(rig.view.dimple, 2);
}

TEST_F(TuningTest, AZeroStepBecomesTheDefaultOnTheFirstStep) {
  t.Frequency[1] = 145000000;
  t.Step[1] = 0;
  t.DialUp();
  EXPECT_EQ(t.Step[1], 20000);
  EXPECT_EQ(t.Frequency[1], 145020000);
}

TEST_F(TuningTest, TrackBarTunesInWholeHundredKilohertz) {
  OnLine();
  t.Step[1] = 12500;
  t.TrackBar1Change(1450);
  EXPECT_EQ(t.Frequency[1], 145000000);
  // Stopping any scan asks for the signal level first.
  EXPECT_EQ(rig.rx.Frames(),
            (std::vector<std::string>{"FEFE34E01502FD", "FEFE34E0000000004501FD"}));
  EXPECT_EQ(rig.view.trackBarPosition, 1450);
  // A network client, which asks for its own reading, tunes an idle panel with one frame.
  rig.rx.ClearLog();
  t.TuneManually(146000000, false);
  EXPECT_EQ(rig.rx.Frames(), (std::vector<std::string>{"FEFE34E0000000004601FD"}));
}

TEST_F(TuningTest, StepKeysSendOnlyStepsTheReceiverHas) {
  OnLine();
  rig.host.SetTimerInterval(200);
  rig.host.TimerStart();
  t.StepButtonClick(3);  // 6.25 kHz
  EXPECT_EQ(t.Step[1], 6250);
  EXPECT_TRUE(rig.rx.Frames().empty());
  EXPECT_TRUE(rig.host.TimerEnabled());
  t.StepButtonClick(9);  // 1000 kHz
  EXPECT_TRUE(rig.rx.Frames().empty());
  t.StepButtonClick(5);  // 12.5 kHz
  EXPECT_EQ(rig.rx.Frames(), std::vector<std::string>{"FEFE34E01004FD"});
  EXPECT_FALSE(rig.host.TimerEnabled());  // the reply starts it again
  // Re-sending the step finds it in the table; a step that is in none sends nothing.
  rig.rx.ClearLog();
  t.ChannelStepOut2();
  t.Step[1] = 7000;
  t.ChannelStepOut2();
  EXPECT_EQ(rig.rx.Frames(), std::vector<std::string>{"FEFE34E01004FD"});
  // The frequency is not moved onto the new grid until the next step.
  EXPECT_EQ(rig.view.focusReturns, 3);
}

TEST_F(TuningTest, ModeKeysAndOtherModelsAddresses) {
  OnLine();
  t.ModeButtonClick(6);
  rig.link.ReceiverModel = 2;
  t.ModeButtonClick(1);
  t.StepButtonClick(0);
  t.Frequency[1] = 25000000;
  t.ChannelSend();
  EXPECT_EQ(rig.rx.Frames(),
            (std::vector<std::string>{"FEFE34E0060502FD", "FEFE2AE0060001FD", "FEFE2AE01000FD",
                                      "FEFE34E0000000002500FD"}));
}

TEST_F(TuningTest, OffLineThePanelTunesButSendsNothing) {
  t.Frequency[1] = 145000000;
  rig.meter.SignalLevel = 77;
  t.EntryActive = true;
  t.UpDown1Click(true);
  t.StepButtonClick(5);
  t.ModeButtonClick(2);
  t.Win_Button0_Click();
  EXPECT_EQ(t.Frequency[1], 145012500);
  EXPECT_EQ(t.Mode[1], 2);
  EXPECT_EQ(t.Window, 1);  // the window cannot change off line
  EXPECT_EQ(rig.meter.SignalLevel, 0);
  EXPECT_TRUE(t.EntryActive);  // only a frame written ends an entry
  EXPECT_TRUE(rig.rx.Log().empty());
}

TEST_F(TuningTest, WindowKeySwitchesAndReadsTheNewWindow) {
  OnLine();
  rig.rx.silent = true;
  rig.meter.AttOn = true;
  const std::uint32_t start = rig.host.TickCount();
  t.Win_Button0_Click();
  EXPECT_EQ(t.Window, 2);
  const auto& log = rig.rx.Log();
  ASSERT_EQ(log.size(), 4u);
  EXPECT_EQ(log[0].hex, "FEFE34E007E001FD");
  EXPECT_EQ(log[0].at - start, 50u);
  EXPECT_EQ(log[1].hex, "FEFE34E01100FD");  // every window change drops the attenuator
  EXPECT_EQ(log[2].hex, "FEFE34E003FD");
  EXPECT_EQ(log[3].hex, "FEFE34E004FD");
  EXPECT_EQ(log[3].at - log[2].at, 50u);
  EXPECT_FALSE(rig.meter.AttOn);
  EXPECT_FALSE(rig.view.attLamp);
  EXPECT_TRUE(rig.view.lampB);
  EXPECT_FALSE(rig.view.lampA);
  t.Win_Button0_Click();
  EXPECT_EQ(t.Window, 1);
  EXPECT_EQ(rig.rx.Log()[4].hex, "FEFE34E007E000FD");
}

TEST_F(TuningTest, ConverterShiftsWhatIsSentAndSwapsTheRange) {
  OnLine();
  t.Frequency[1] = 7050000;
  t.ConvertOn = true;
  t.ChannelSend();
  EXPECT_EQ(rig.rx.Frames().back(), "FEFE34E0000000056700FD");  // 67,050,000
  t.ConvertOn = false;

  t.Frequency[1] = 145000000;
  t.Convert_ButtonClick();
  EXPECT_EQ(t.LowerLimit, 20000);
  EXPECT_EQ(t.UpperLimit, 60000000);
  EXPECT_EQ(t.SavedUpper, Tuning::kFallbackUpper);
  // Clamped to 60 MHz, then landed on the band scope's marker: the middle of the 31 points
  // of a window pushed down below the new upper limit.
  EXPECT_EQ(t.Frequency[1], 60000000 - 15 * 12500);
  EXPECT_EQ(rig.view.trackBarMin, 1);  // a lower end of 0 is raised to 1
  EXPECT_EQ(rig.view.trackBarMax, 600);
  EXPECT_EQ(rig.view.scaleInterval, 100);
  EXPECT_TRUE(rig.view.converterLamp);
  EXPECT_EQ(rig.rx.Frames().back(), "FEFE34E0000025811901FD");  // 119,812,500 at the receiver

  t.Frequency[1] = 30000;
  t.Convert_ButtonClick();
  EXPECT_EQ(t.LowerLimit, Tuning::kFallbackLower);
  EXPECT_EQ(t.UpperLimit, Tuning::kFallbackUpper);
  EXPECT_EQ(t.Frequency[1], 25000000 + 15 * 12500);  // the window starts at the lower limit
  EXPECT_EQ(rig.view.trackBarMin, 250);
  EXPECT_EQ(rig.view.scaleInterval, 200);
  EXPECT_FALSE(rig.view.converterLamp);
}

TEST(FrequencyTexts, PanelAndMemoForms) {
  EXPECT_EQ(FrequencyText(145145000), "145.145.0");
  EXPECT_EQ(FrequencyText(1200000000), "1200.000.0");
  EXPECT_EQ(FrequencyText(25000000), "25.000.0");
  EXPECT_EQ(FrequencyText(500000), "500.0");
  EXPECT_EQ(MemoFrequencyText(145145), "145.14");
  EXPECT_EQ(MemoFrequencyText(7050), "  7.05");
  EXPECT_EQ(MemoFrequencyText(1200000), "200.00");
}

TEST(ButtonOne, ShowsTheSelectedModelsAddress) {
  Rig rig;
  rig.tuning.Button1Click(2);
  EXPECT_EQ(rig.view.address, "2A");
}

}  // namespace
