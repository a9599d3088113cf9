// Direct frequency entry and the panel's keyboard map. Keys arrive as Windows virtual-key
// codes, the codes the keypad keys send too; VirtualKeyOf maps the toolkit's key codes.
#pragma once

#include <cstdint>

class BandScopeControl;
class IdentificationControl;
class MemoryKeysControl;
class ScanControl;
class Tuning;

namespace vk {
inline constexpr int kBack = 8, kReturn = 13, kEscape = 27, kSpace = 32, kDelete = 46;
inline constexpr int k0 = 48, kQ = 81, kX = 88, kZ = 90;
// Letters that stand in for the keypad's scan and sweep keys on keyboards without one.
inline constexpr int kD = 68, kS = 83, kU = 85;
inline constexpr int kNumpad0 = 96, kMultiply = 106, kAdd = 107, kSubtract = 109, kDecimal = 110;
inline constexpr int kF1 = 112, kF8 = 119, kF9 = 120;
inline constexpr int kComma = 188, kPeriod = 190;
}  // namespace vk

// The virtual-key code of a Qt key code (Qt::Key values), with `keypad` set for keys of the
// numeric keypad; 0 for keys the panel does not use. With `command` (Alt, Ctrl or Meta held)
// the letters U, D and S are not the panel's: they belong to the accelerators.
int VirtualKeyOf(int qtKey, bool keypad, bool command = false);

// The entry arithmetic on Tuning's EntryActive, EntryDecimals and EntryValue.
void EntryDigit(Tuning& tuning, int d);
void EntryPoint(Tuning& tuning);
void EntryBackspace(Tuning& tuning);

class Keyboard {
 public:
  void Bind(Tuning& tuning) { tuning_ = &tuning; }
  // The scan engine and the identification, whose keys the keyboard reaches.
  void BindScan(ScanControl& scan, IdentificationControl& identification) {
    scan_ = &scan;
    identification_ = &identification;
  }
  // The band scope and the memory keys, whose keys the keyboard reaches too.
  void BindBandScope(BandScopeControl& bandScope, MemoryKeysControl& memoryKeys) {
    bandScope_ = &bandScope;
    memoryKeys_ = &memoryKeys;
  }
  // Every key pressed on the panel's controls (the keypad keys send their codes here).
  void KeyDown(int key);
  // Keys released on TrackBar1. U, D and S act only when their press reached KeyDown, so the
  // release of an accelerator's letter (Alt+S) starts nothing.
  void TrackBar1KeyUp(int key);
  // Enter: tune to the typed value when it is in range; the entry ends either way.
  void Enter();

 private:
  Tuning* tuning_ = nullptr;
  ScanControl* scan_ = nullptr;
  IdentificationControl* identification_ = nullptr;
  BandScopeControl* bandScope_ = nullptr;
  MemoryKeysControl* memoryKeys_ = nullptr;
  int pressedLetter_ = 0;  // U, D or S pressed and not yet released
};
