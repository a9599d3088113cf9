// Direct entry from the keypad and the keyboard, and the key maps, on the virtual clock.
#include "panel/keyboard.h"

#include <gtest/gtest.h>

#include "support/control_calls.h"
#include "support/rig.h"

namespace {

struct EntryTest : ::testing::Test {
  EntryTest() {
    rig.tuning.LowerLimit = Tuning::kFallbackLower;
    rig.tuning.UpperLimit = Tuning::kFallbackUpper;
    rig.tuning.Frequency[1] = 433000000;
    keys.Bind(rig.tuning);
    keys.BindScan(rig.scan, rig.identification);
    keys.BindBandScope(rig.bandScope, rig.memory);
  }
  // Types a sequence: digits, '.', 'B' backspace, 'E' Enter, 'X' Esc, 'D' Delete.
  void Type(const std::string& text) {
    for (char c : text) {
      if (c >= '0' && c <= '9')
        keys.KeyDown(vk::k0 + c - '0');
      else if (c == '.')
        keys.KeyDown(vk::kPeriod);
      else if (c == 'B')
        keys.KeyDown(vk::kBack);
      else if (c == 'E')
        keys.KeyDown(vk::kReturn);
      else if (c == 'X')
        keys.KeyDown(vk::kEscape);
      else if (c == 'D')
        keys.KeyDown(vk::kDelete);
    }
  }
  Rig rig;
  Keyboard keys;
  Tuning& t = rig.tuning;
};

TEST_F(EntryTest, TypedFrequenciesTuneOnEnter) {
  struct Case {
    const char* typed;
    std::int32_t value;
    std::uint16_t decimals;
  } cases[] = {
      {"145", 145000000, 0},
      {"145.", 145000000, 1},
      {"145.1", 145100000, 2},
      {"145.12", 145120000, 3},
      {"145.125", 145125000, 4},
      {"145.1256", 145125600, 5},
      {"145.12567", 145125700, 5},  // the 100 Hz digit is overwritten
      {"1456", 456000000, 0},       // the leading digit falls off
      {"145.12B", 145100000, 2},
      {"145.B", 14000000, 0},
      {"145.1256B", 145125000, 4},
      {"1B", 0, 0},
      {"145.12.5", 145500000, 2},  // a second point starts the decimals again
      {"145D", 0, 0},
  };
  for (const auto& c : cases) {
    t.EntryActive = false;
    Type(c.typed);
    EXPECT_EQ(t.EntryValue, c.value) << c.typed;
    EXPECT_EQ(t.EntryDecimals, c.decimals) << c.typed;
    EXPECT_TRUE(t.EntryActive) << c.typed;
  }
  t.EntryActive = false;
  Type("145.125E");
  EXPECT_EQ(t.Frequency[1], 145125000);
  EXPECT_FALSE(t.EntryActive);
  // Each key redraws the readout.
  EXPECT_GE(rig.view.frequencyDraws, 8);
}

TEST_F(EntryTest, OutOfRangeIsDroppedAndEscKeepsTheValueForEnter) {
  Type("9E");
  EXPECT_EQ(t.Frequency[1], 433000000);
  EXPECT_FALSE(t.EntryActive);
  Type("145X");
  EXPECT_FALSE(t.EntryActive);
  EXPECT_EQ(t.Frequency[1], 433000000);
  Type("E");
  EXPECT_EQ(t.Frequency[1], 145000000);
}

TEST_F(EntryTest, EnterOnLineSendsAndStopsASweep) {
  rig.rx.Open(1, 9600);
  rig.rx.ClearLog();
  ControlCalls calls;
  calls.sweeping = true;
  keys.BindBandScope(calls, calls);
  Type("145.125E");
  EXPECT_EQ(rig.rx.Frames(), std::vector<std::string>{"FEFE34E0000050124501FD"});
  EXPECT_EQ(calls.calls, (std::vector<std::string>{"BandLoop_Stop", "BandSet"}));
}

TEST_F(EntryTest, TheCommaKeyStepsDownDuringAnEntry) {
  t.Step[1] = 12500;
  Type("145");
  keys.TrackBar1KeyUp(vk::kComma);
  EXPECT_EQ(t.Frequency[1], 433000000 - 12500);
  // Off line nothing is written, so the entry goes on.
  EXPECT_TRUE(t.EntryActive);
  rig.rx.Open(1, 9600);
  keys.TrackBar1KeyUp(vk::kComma);
  EXPECT_EQ(t.Frequency[1], 433000000 - 25000);
  EXPECT_FALSE(t.EntryActive);
  // The full stop steps up outside an entry and is the point during one.
  keys.TrackBar1KeyUp(vk::kPeriod);
  EXPECT_EQ(t.Frequency[1], 433000000 - 12500);
  Type("145");
  keys.TrackBar1KeyUp(vk::kPeriod);
  EXPECT_EQ(t.EntryDecimals, 1);
  EXPECT_EQ(t.Frequency[1], 433000000 - 12500);
}

TEST_F(EntryTest, TheFullStopAsStepUpKeepsTheValueForEnter) {
  t.Step[1] = 12500;
  Type("145.125X");
  keys.KeyDown(vk::kPeriod);  // pressed and released on the track bar: one step up
  keys.TrackBar1KeyUp(vk::kPeriod);
  EXPECT_EQ(t.Frequency[1], 433000000 + 12500);
  EXPECT_EQ(t.EntryValue, 145125000);
  Type("E");
  EXPECT_EQ(t.Frequency[1], 145125000);
}

TEST_F(EntryTest, KeysReachTheScanBandScopeAndMemoryKeys) {
  ControlCalls controls;
  keys.BindScan(controls, controls);
  keys.BindBandScope(controls, controls);
  std::vector<std::string>& calls = controls.calls;
  controls.onCall = [&](const std::string& name) {
    if (name == "SelectIdxModeOff") calls.pop_back();  // after every key; not what is asked here
  };
  for (int key : {vk::kAdd, vk::kSubtract, vk::kSpace, vk::kMultiply, vk::kQ, vk::kZ})
    keys.TrackBar1KeyUp(key);
  keys.KeyDown(vk::kF1);
  keys.KeyDown(vk::kF8);
  keys.KeyDown(vk::kF9);
  keys.KeyDown(vk::kQ);  // only on release
  // U, D and S as the keypad's -, + and *, on release after their own press; a release whose
  // press went to an accelerator (Alt+S) does nothing.
  for (int key : {vk::kU, vk::kD, vk::kS}) {
    keys.KeyDown(key);
    keys.TrackBar1KeyUp(key);
  }
  keys.TrackBar1KeyUp(vk::kS);
  EXPECT_EQ(calls, (std::vector<std::string>{"down", "up", "stop", "sweep", "auto", "memo", "F1",
                                             "F8", "store", "up", "down", "sweep"}));
}

// The scan keys keep the type filter, as the scan buttons do; other keys switch it off.
TEST_F(EntryTest, ScanKeysKeepTheTypeFilter) {
  ControlCalls controls;
  keys.BindScan(controls, controls);
  for (int key : {vk::kAdd, vk::kSubtract, vk::kSpace, vk::kU, vk::kD}) keys.KeyDown(key);
  EXPECT_EQ(controls.Count("SelectIdxModeOff"), 0);
  keys.KeyDown(vk::k0 + 1);
  EXPECT_EQ(controls.Count("SelectIdxModeOff"), 1);
}

TEST(KeyMap, QtKeysToVirtualKeys) {
  constexpr int kQtEnter = 0x01000005, kQtReturn = 0x01000004, kQtF9 = 0x01000038;
  EXPECT_EQ(VirtualKeyOf('7', false), 55);
  EXPECT_EQ(VirtualKeyOf('7', true), 103);
  EXPECT_EQ(VirtualKeyOf('.', true), 110);
  EXPECT_EQ(VirtualKeyOf('.', false), 190);
  EXPECT_EQ(VirtualKeyOf(',', false), 188);
  EXPECT_EQ(VirtualKeyOf('+', true), 107);
  EXPECT_EQ(VirtualKeyOf('+', false), 0);
  EXPECT_EQ(VirtualKeyOf('-', true), 109);
  EXPECT_EQ(VirtualKeyOf('*', true), 106);
  EXPECT_EQ(VirtualKeyOf(kQtEnter, true), 13);
  EXPECT_EQ(VirtualKeyOf(kQtReturn, false), 13);
  EXPECT_EQ(VirtualKeyOf(kQtF9, false), 120);
  EXPECT_EQ(VirtualKeyOf('Q', false), 81);
  EXPECT_EQ(VirtualKeyOf('A', false), 0);
  EXPECT_EQ(VirtualKeyOf('U', false), vk::kU);
  EXPECT_EQ(VirtualKeyOf('S', false, true), 0);  // Alt+S is the SCAN key's accelerator
}

}  // namespace
