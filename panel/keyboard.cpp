#include "panel/keyboard.h"

#include "base/scan_control.h"
#include "panel/tuning.h"

namespace {

// Qt::Key values; keyboard_map_qt.cpp checks them against Qt's own.
constexpr int kQtEscape = 0x01000000, kQtBackspace = 0x01000003, kQtReturn = 0x01000004,
              kQtEnter = 0x01000005, kQtDelete = 0x01000007, kQtF1 = 0x01000030;
constexpr int kQtSpace = 0x20, kQtAsterisk = 0x2a, kQtPlus = 0x2b, kQtComma = 0x2c, kQtMinus = 0x2d,
              kQtPeriod = 0x2e, kQt0 = 0x30, kQt9 = 0x39, kQtQ = 0x51, kQtX = 0x58, kQtZ = 0x5a;
constexpr int kQtD = 0x44, kQtS = 0x53, kQtU = 0x55;

constexpr std::int64_t kMHz = 1000000;

}  // namespace

int VirtualKeyOf(int qtKey, bool keypad, bool command) {
  if (qtKey >= kQt0 && qtKey <= kQt9) return (keypad ? vk::kNumpad0 : vk::k0) + qtKey - kQt0;
  if (qtKey >= kQtF1 && qtKey <= kQtF1 + 8) return vk::kF1 + qtKey - kQtF1;
  switch (qtKey) {
    case kQtReturn:
    case kQtEnter:
      return vk::kReturn;
    case kQtEscape:
      return vk::kEscape;
    case kQtBackspace:
      return vk::kBack;
    case kQtDelete:
      return vk::kDelete;
    case kQtSpace:
      return vk::kSpace;
    case kQtPeriod:
      return keypad ? vk::kDecimal : vk::kPeriod;
    case kQtComma:
      return keypad ? 0 : vk::kComma;
    case kQtPlus:
      return keypad ? vk::kAdd : 0;
    case kQtMinus:
      return keypad ? vk::kSubtract : 0;
    case kQtAsterisk:
      return keypad ? vk::kMultiply : 0;
    case kQtQ:
      return vk::kQ;
    case kQtZ:
      return vk::kZ;
    case kQtU:
      return command ? 0 : vk::kU;
    case kQtD:
      return command ? 0 : vk::kD;
    case kQtS:
      return command ? 0 : vk::kS;
    case kQtX:
      return command ? 0 : vk::kX;
    default:
      return 0;
  }
}

void EntryDigit(Tuning& t, int d) {
  std::int64_t value = t.EntryValue;
  if (!t.EntryActive) {
    t.EntryActive = true;
    t.EntryDecimals = 0;
    value = d * kMHz;
  } else if (t.EntryDecimals == 0) {
    // Whole MHz: the leading digit falls off when one more would leave the range.
    std::int64_t kept = value % 1000000000;
    if (kept + 1 > t.UpperLimit / 10) kept = value % 100000000;
    value = kept * 10 + d * kMHz;
    if (value > INT32_MAX) value = (kept % 100000000) * 10 + d * kMHz;
  } else {
    if (t.EntryDecimals > 4) t.EntryDecimals = 4;
    std::int64_t weight = d * kMHz;
    for (int k = 0; k < t.EntryDecimals; ++k) weight /= 10;
    // The 100 Hz digit is the last one: further digits overwrite it.
    if (t.EntryDecimals == 4) value = (value + 1) / 1000 * 1000;
    value += weight;
    ++t.EntryDecimals;
  }
  t.EntryValue = static_cast<std::int32_t>(value);
}

void EntryPoint(Tuning& t) {
  // A second point in an entry starts the decimals again, so the value keeps to what the
  // readout shows. Outside an entry the full stop is the step-up key, and the kept value
  // stays whole for a later Enter.
  if (t.EntryActive && t.EntryDecimals > 1)
    t.EntryValue = static_cast<std::int32_t>(t.EntryValue / kMHz * kMHz);
  t.EntryDecimals = 1;
}

void EntryBackspace(Tuning& t) {
  const std::int64_t v = t.EntryValue;
  if (t.EntryDecimals <= 1) {
    t.EntryValue = static_cast<std::int32_t>(v / (10 * kMHz) * kMHz);
    t.EntryDecimals = 0;
    return;
  }
  std::int64_t u = 100;
  for (int k = t.EntryDecimals; k < 6; ++k) u *= 10;
  t.EntryValue = static_cast<std::int32_t>(v / kMHz * kMHz + (v % kMHz) / u * u);
  --t.EntryDecimals;
}

void Keyboard::Enter() {
  Tuning& t = *tuning_;
  if (t.LowerLimit <= t.EntryValue && t.EntryValue <= t.UpperLimit) {
    if (bandScope_->Sweeping()) bandScope_->BandLoop_Stop();
    t.Frequency[t.Window] = t.EntryValue;
    t.ChannelSend();
    t.EntryActive = false;
    bandScope_->BandSet();
  } else {
    t.EntryActive = false;
  }
}

void Keyboard::KeyDown(int key) {
  Tuning& t = *tuning_;
  if ((key >= vk::k0 && key <= vk::k0 + 9) || (key >= vk::kNumpad0 && key <= vk::kNumpad0 + 9)) {
    t.FocusTrackBar();
    EntryDigit(t, key >= vk::kNumpad0 ? key - vk::kNumpad0 : key - vk::k0);
  } else if (key == vk::kReturn) {
    Enter();
  } else if (key == vk::kDecimal || key == vk::kPeriod) {
    EntryPoint(t);
  } else if (key == vk::kEscape) {
    t.EntryActive = false;
  } else if (key == vk::kDelete) {
    t.EntryValue = 0;
    t.EntryDecimals = 0;
  } else if (key == vk::kBack) {
    EntryBackspace(t);
  } else if (key >= vk::kF1 && key <= vk::kF8) {
    memoryKeys_->M_ButtonClick(key - vk::kF1 + 1);
  } else if (key == vk::kF9) {
    memoryKeys_->M_SpeedButtonClick();
  } else if (key == vk::kU || key == vk::kD || key == vk::kS) {
    pressedLetter_ = key;
  }
  t.PrintDial();
  // The keys that start, reverse or stop a scan keep the type filter, as the scan buttons do:
  // a filtered single scan is run from the keyboard too.
  const bool scanKey = key == vk::kAdd || key == vk::kSubtract || key == vk::kSpace ||
                       key == vk::kU || key == vk::kD || key == vk::kX;
  if (!scanKey) identification_->SelectIdxModeOff();
}

void Keyboard::TrackBar1KeyUp(int key) {
  if (key == vk::kU || key == vk::kD || key == vk::kS) {
    const bool pressedHere = pressedLetter_ == key;
    pressedLetter_ = 0;
    if (!pressedHere) return;
    key = key == vk::kU ? vk::kSubtract : key == vk::kD ? vk::kAdd : vk::kMultiply;
  }
  switch (key) {
    case vk::kAdd:
      scan_->DW_SC_ButtonClick();
      break;
    case vk::kSubtract:
      scan_->UP_SC_ButtonClick();
      break;
    case vk::kSpace:
      scan_->ST_SC_ButtonClick();
      break;
    case vk::kComma:
      tuning_->UpDown1Click(false);
      break;
    case vk::kPeriod:
      if (tuning_->EntryActive)
        KeyDown(vk::kPeriod);
      else
        tuning_->UpDown1Click(true);
      break;
    case vk::kMultiply:
      bandScope_->BandRun_BitBtnClick();
      break;
    case vk::kQ:
      identification_->AutoMode_ButtonClick();
      break;
    case vk::kZ:
      identification_->MemoMode_ButtonClick();
      break;
    case vk::kX:
      scan_->SkipHeld();
      break;
    default:
      break;
  }
}
