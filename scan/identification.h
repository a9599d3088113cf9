// Automatic station identification and memo mode: the band the tuned frequency lies in (the
// upper row, which also sets the band's step and mode on entry) and the single station on
// exactly this frequency (the lower row), stepping from band to band and station to station,
// the shift keys and the type filter.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "base/scan_control.h"

class Host;
class ScanEngine;
class StationList;
class Tuning;
struct MemoRecord;

// One row's texts; type and name are the record's CP932 bytes.
struct StationRow {
  std::string no, type, name, frequency, step, mode;
  bool shift = false;  // the row's shift key is enabled
  bool operator==(const StationRow&) const = default;
};

// What the identification shows.
class IdentificationView {
 public:
  virtual ~IdentificationView() = default;
  virtual void ShowBandRow(const StationRow& row) = 0;     // No/Type/Name/Freq_Panel
  virtual void ShowStationRow(const StationRow& row) = 0;  // the six *_Panel_S
  // The mode lamp lime and its row's panels in the 3-D light colour when on; silver when off.
  virtual void ShowAutoModeLamps(bool on) = 0;
  virtual void ShowMemoModeLamps(bool on) = 0;
  virtual void ShowBandScanLamp(bool on) = 0;
  virtual void ShowSingleScanLamp(bool on) = 0;
  // Type_Panel_S lime while the type filter is on, else No_Panel_S's colour.
  virtual void ShowTypeFilter(bool on) = 0;
};

// Row formats: "145.000.0-146.000.0", the five-character step (" 12.5"), the mode name.
std::string RangeText(std::int32_t low, std::int32_t high);
std::string StepText5(std::int32_t step);
std::string ModeText(std::int32_t mode);
// The position 1..n of the last entry whose frequency is at most f, by halving; 0 when the
// index is empty. `frequencyAt` gives the frequency at a position.
template <typename F>
int LastAtOrBelow(int n, std::int32_t f, F frequencyAt) {
  if (n < 1) return 0;
  int lo = 1, hi = n + 1, mid = 1;
  for (int round = 0; round < n && lo != hi; ++round) {
    // Once the span is one position the probe stays on lo; the answer is fixed.
    if (hi - lo == 1) return lo;
    mid = lo + (hi - lo) / 2;
    if (f >= frequencyAt(mid))
      lo = mid;
    else
      hi = mid;
  }
  return mid;
}
// Whether the filter text occurs in the type (bytes); an empty filter matches nothing.
bool TypeContains(std::string_view type, std::string_view filter);

class Identification : public IdentificationControl {
 public:
  static constexpr int kSettleMs = 50;  // between the commands of a band entry
  static constexpr int kTuneMs = 30;    // between the commands of a tune to a station

  bool AutoMode = true;
  bool MemoMode = true;
  int BandNo = 0;    // position in the band index of the band shown; 0 none
  int SingleNo = 0;  // position in the single index of the station shown; 0 none
  bool SelectMode = false;
  std::string SelectType;  // CP932 bytes

  void Bind(Host& host, Tuning& tuning, ScanEngine& scan, StationList& stations,
            BandScopeControl& bandScope, IdentificationView& view) {
    host_ = &host;
    tuning_ = &tuning;
    scan_ = &scan;
    stations_ = &stations;
    bandScope_ = &bandScope;
    view_ = &view;
  }

  // IdentificationControl.
  void AutoMode_IdxChk() override;
  void SelectIdxModeOff() override;
  void AutoMode_ButtonClick() override;
  void MemoMode_ButtonClick() override;

  void AutoMode_Find();
  void AutoMode_Print(int position);
  void AutoMode_NoPrint();
  void AutoMode_PrintCls();
  void MemoMode_Find(int kind, std::int32_t frequency);
  void MemoMode_Print(int position);
  void MemoMode_PrintCls();

  void BandScan_ButtonClick();
  void SingleScan_ButtonClick();
  void AutoMode_FlagPrint();
  void MemoMode_FlagPrint();
  void BandScan_FlagPrint();
  void SingleScan_FlagPrint();

  void Mem_Up_BitBtnClick() { BandStep(true); }
  void Mem_Dw_BitBtnClick() { BandStep(false); }
  void MemS_Up_BitBtnClick() { SingleStep(true); }
  void MemS_Dw_BitBtnClick() { SingleStep(false); }
  void ShiftBand_ButtonClick();
  void ShiftSingle_ButtonClick();

  // The type filter: released on Type_Panel_S, toggled, painted.
  void Type_Panel_SMouseUp();
  void SelectIdxMode();
  void SelectIdxPrt();

  // Tunes to the record's frequency, mode and step when it lies within the limits.
  void FreqStepModeOut(int record);

 private:
  void BandStep(bool up);
  void SingleStep(bool up);
  void Shift(std::int32_t shiftKHz);
  const MemoRecord& BandAt(int position) const;
  const MemoRecord& SingleAt(int position) const;

  Host* host_ = nullptr;
  Tuning* tuning_ = nullptr;
  ScanEngine* scan_ = nullptr;
  StationList* stations_ = nullptr;
  BandScopeControl* bandScope_ = nullptr;
  IdentificationView* view_ = nullptr;
};
