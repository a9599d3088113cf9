// The eight quick memories "F1" .. "F8" and the store key "&M". Each memory holds a
// frequency, a mode and a step in the station table's records 10001 .. 10008, so the
// memories are saved with the station list.
#pragma once

#include <cstdint>
#include <string>

#include "base/scan_control.h"

class BandScopeEngine;
class Identification;
class StationList;
class Tuning;
struct MemoRecord;

// What the memory keys show.
class MemoryKeysView {
 public:
  enum class Strip { kNormal, kYellow, kRed };  // normal is M_Panel's silver
  virtual ~MemoryKeysView() = default;
  virtual void ShowMemoryCaption(int key, const std::string& caption) = 0;  // key 1..8
  // The strip behind key 1..8, or MemEdit_Panel for key 0.
  virtual void ShowMemoryStrip(int key, Strip colour) = 0;
  virtual void ShowStoreKey(bool down) = 0;  // "&M" latched down or released
  // The data display redrawn after a recall (the whole front panel).
  virtual void RedrawPanel() = 0;
  virtual void FocusTrackBar() = 0;
};

class MemoryKeys : public MemoryKeysControl {
 public:
  static constexpr int kKeys = 8;

  // "&M" is down: the next memory key stores, and the station editor opens on a new line
  // filled from the receiver.
  bool MemoRequest = false;

  void Bind(Tuning& tuning, StationList& stations, BandScopeEngine& bandScope,
            Identification& identification, MemoryKeysView& view) {
    tuning_ = &tuning;
    stations_ = &stations;
    bandScope_ = &bandScope;
    identification_ = &identification;
    view_ = &view;
  }

  // M_Button1Click .. M_Button8Click, and the function keys F1 .. F8.
  void M_ButtonClick(int key) override;
  // "&M" and F9: store mode on or off.
  void M_SpeedButtonClick() override;
  // Store, erase or recall memory 1..8.
  void M_ButtonClickSub(int key);
  // Captions, and the strips and "&M" as store mode stands.
  void M_SpeedButtonPrint();
  void M_ButtonClickColorSub();
  // Store mode ends without storing (the station editor closed): "&M" comes up.
  void M_SpeedButtonRelease();

  // Memory 1..8 as the station table holds it.
  const MemoRecord& Memory(int key) const;
  // The key's caption: the memory's dotted frequency, or "F1" .. "F8" outside the limits.
  std::string Caption(int key) const;

 private:
  // "&M" and the strips as MemoRequest says: yellow and red while it is down, silver otherwise.
  void ShowStoreMode();
  MemoRecord& Record(int key);
  // The memory holds exactly the current window's frequency, mode and step.
  bool HoldsCurrent(const MemoRecord& memory) const;
  bool WithinLimits(std::int32_t frequency) const;

  Tuning* tuning_ = nullptr;
  StationList* stations_ = nullptr;
  BandScopeEngine* bandScope_ = nullptr;
  MemoryKeysView* view_ = nullptr;
  Identification* identification_ = nullptr;
};
