#include "scan/identification.h"

#include "base/host.h"
#include "civ/civ.h"
#include "panel/tuning.h"
#include "scan/scan_engine.h"
#include "stations/station_list.h"

std::string RangeText(std::int32_t low, std::int32_t high) {
  return FrequencyText(low) + "-" + FrequencyText(high);
}

std::string StepText5(std::int32_t step) {
  const std::string text = MemoFrequencyText(step);
  return text.substr(0, text.size() - 1);
}

std::string ModeText(std::int32_t mode) {
  return mode >= 1 && mode <= 7 ? std::string(civ::ModeName[static_cast<std::size_t>(mode)])
                                : std::string();
}

bool TypeContains(std::string_view type, std::string_view filter) {
  return !filter.empty() && type.find(filter) != std::string_view::npos;
}

const MemoRecord& Identification::BandAt(int position) const {
  return stations_->Data[stations_->Indexes.BandIndex[position]];
}

const MemoRecord& Identification::SingleAt(int position) const {
  return stations_->Data[stations_->Indexes.SingleIndex[position]];
}

void Identification::AutoMode_IdxChk() {
  AutoMode_Find();
  MemoMode_Find(kSingleKind, tuning_->CurrentFrequency());
}

void Identification::AutoMode_Find() {
  Tuning& t = *tuning_;
  StationIndexes& ix = stations_->Indexes;
  const std::int32_t f = t.CurrentFrequency();
  const int n = ix.BandIndex.Count();
  if (n < 1 || !AutoMode) {
    ix.BandLow = t.LowerLimit;
    ix.BandHigh = t.UpperLimit;
    AutoMode_NoPrint();
    return;
  }
  // Still inside the range of the last identification: nothing changes, so a step or mode
  // changed by hand inside a band stays.
  if (ix.BandLow <= f && f <= ix.BandHigh) return;
  // The band with the greatest start not above f; of equal starts the last in index order.
  int i = n;
  while (i >= 1 && f < BandAt(i).Frequency) --i;
  if (i < 1) {
    BandNo = 0;
    ix.BandLow = t.LowerLimit;
    ix.BandHigh = BandAt(1).Frequency - 1;
    AutoMode_NoPrint();
    return;
  }
  // A copy: the waits below let other handlers run.
  const MemoRecord band = BandAt(i);
  if (f > band.Frequency2) {
    // The gap after band i.
    BandNo = 0;
    ix.BandLow = band.Frequency2;
    ix.BandHigh = i == n ? t.UpperLimit : BandAt(i + 1).Frequency - 1;
    AutoMode_NoPrint();
    return;
  }
  BandNo = i;
  ix.BandLow = band.Frequency;
  ix.BandHigh = band.Frequency2;
  AutoMode_Print(i);
  // Entering the band sets its step and mode.
  std::int32_t& step = t.Step[t.Window];
  if (step != band.Step) {
    step = band.Step != 0 ? band.Step : civ::DefaultStep;
    host_->Delay(kSettleMs);
    t.ChannelStepOut2();
    t.PrintStep();
  }
  // A band stored without a mode (0) leaves the receiver's mode as it is.
  if (band.Mode != 0 && t.Mode[t.Window] != band.Mode) {
    t.Mode[t.Window] = static_cast<std::uint16_t>(band.Mode);
    host_->Delay(kSettleMs);
    t.ChannelModeOut();
  }
}

void Identification::AutoMode_Print(int position) {
  const MemoRecord& r = BandAt(position);
  StationRow row;
  row.no = std::to_string(position);
  row.frequency = RangeText(r.Frequency, r.Frequency2);
  row.type = std::string(r.Type.View());
  row.name = std::string(r.Name.View());
  row.shift = r.Shift != 0;
  view_->ShowBandRow(row);
}

void Identification::AutoMode_NoPrint() {
  StationRow row;
  row.frequency = RangeText(stations_->Indexes.BandLow, stations_->Indexes.BandHigh);
  view_->ShowBandRow(row);
}

void Identification::AutoMode_PrintCls() { view_->ShowBandRow(StationRow{}); }

void Identification::MemoMode_Find(int kind, std::int32_t frequency) {
  if (!MemoMode) return;
  const StationIndex& index = stations_->Indexes.Index(kind);
  const int p = LastAtOrBelow(index.Count(), frequency,
                              [&](int q) { return stations_->Data[index[q]].Frequency; });
  if (p >= 1 && stations_->Data[index[p]].Frequency == frequency) {
    SingleNo = p;
    MemoMode_Print(p);
  } else {
    SingleNo = 0;
    MemoMode_PrintCls();
  }
}

void Identification::MemoMode_Print(int position) {
  const MemoRecord& r = SingleAt(position);
  StationRow row;
  row.no = std::to_string(position);
  row.frequency = FrequencyText(r.Frequency);
  row.type = std::string(r.Type.View());
  row.name = std::string(r.Name.View());
  row.step = StepText5(r.Step);
  row.mode = ModeText(r.Mode);
  row.shift = r.Shift != 0;
  view_->ShowStationRow(row);
}

void Identification::MemoMode_PrintCls() { view_->ShowStationRow(StationRow{}); }

void Identification::AutoMode_ButtonClick() {
  tuning_->FocusTrackBar();
  StationIndexes& ix = stations_->Indexes;
  if (AutoMode) {
    ix.BandLow = ix.BandHigh = 0;
    AutoMode = false;
    AutoMode_PrintCls();
    scan_->BandScan = false;
  } else {
    AutoMode = true;
    ix.BandLow = ix.BandHigh = 0;
  }
  AutoMode_FlagPrint();
  BandScan_FlagPrint();
  AutoMode_Find();
}

void Identification::MemoMode_ButtonClick() {
  tuning_->FocusTrackBar();
  if (MemoMode) {
    MemoMode = false;
    MemoMode_PrintCls();
    scan_->SingleScan = false;
  } else {
    MemoMode = true;
  }
  MemoMode_Find(kSingleKind, tuning_->CurrentFrequency());
  MemoMode_FlagPrint();
  SingleScan_FlagPrint();
}

void Identification::BandScan_ButtonClick() {
  tuning_->FocusTrackBar();
  scan_->BandScan = !scan_->BandScan;
  if (scan_->BandScan && !AutoMode) AutoMode_ButtonClick();
  scan_->BandIdxScanSet();
  BandScan_FlagPrint();
}

void Identification::SingleScan_ButtonClick() {
  tuning_->FocusTrackBar();
  if (scan_->SingleScan) {
    SelectIdxModeOff();
    scan_->SingleScan = false;
  } else {
    scan_->BandIdxScanSet();
    scan_->SingleScan = true;
    if (!MemoMode) MemoMode_ButtonClick();
    if (scan_->ScanState != ScanEngine::kStopped && scan_->SingleFirst == 0) scan_->ST_SC_Stop();
  }
  SingleScan_FlagPrint();
}

void Identification::AutoMode_FlagPrint() { view_->ShowAutoModeLamps(AutoMode); }
void Identification::MemoMode_FlagPrint() { view_->ShowMemoModeLamps(MemoMode); }
void Identification::BandScan_FlagPrint() { view_->ShowBandScanLamp(scan_->BandScan); }
void Identification::SingleScan_FlagPrint() { view_->ShowSingleScanLamp(scan_->SingleScan); }

void Identification::BandStep(bool up) {
  tuning_->FocusTrackBar();
  const std::int32_t f = tuning_->CurrentFrequency();
  const int n = stations_->Indexes.BandIndex.Count();
  int found = 0;
  if (AutoMode) {
    if (up) {
      for (int p = 1; p <= n && found == 0; ++p)
        if (BandAt(p).Frequency > f) found = p;
    } else {
      for (int p = n; p >= 1 && found == 0; --p)
        if (BandAt(p).Frequency < f) found = p;
    }
  }
  if (found == 0) {
    scan_->AutoScanErrPrt();
    return;
  }
  BandNo = found;
  SelectIdxModeOff();
  FreqStepModeOut(stations_->Indexes.BandIndex[found]);
  AutoMode_Print(found);
}

void Identification::SingleStep(bool up) {
  tuning_->FocusTrackBar();
  const std::int32_t f = tuning_->CurrentFrequency();
  const int n = stations_->Indexes.SingleIndex.Count();
  auto selected = [this](int p) {
    return !SelectMode || TypeContains(SingleAt(p).Type.View(), SelectType);
  };
  int found = 0;
  if (MemoMode) {
    if (up) {
      for (int p = 1; p <= n && found == 0; ++p)
        if (SingleAt(p).Frequency > f && selected(p)) found = p;
    } else {
      for (int p = n; p >= 1 && found == 0; --p)
        if (SingleAt(p).Frequency < f && selected(p)) found = p;
    }
  }
  if (found == 0) {
    scan_->MemoScanErrPrt();
    return;
  }
  SingleNo = found;
  FreqStepModeOut(stations_->Indexes.SingleIndex[found]);
}

void Identification::FreqStepModeOut(int record) {
  Tuning& t = *tuning_;
  if (record < 1 || record > kMemoCount - 1) return;
  // A copy: the waits below let other handlers run.
  const MemoRecord r = stations_->Data[record];
  if (r.Frequency < t.LowerLimit || r.Frequency > t.UpperLimit) return;
  if (r.Frequency != t.CurrentFrequency()) {
    t.Frequency[t.Window] = r.Frequency;
    t.PrintDial();
    t.ChannelSend();
    host_->Delay(kTuneMs);
  }
  // A mode or step stored as 0 means "as the receiver has it": nothing is set or sent.
  if (r.Mode != 0 && r.Mode != t.Mode[t.Window]) {
    t.Mode[t.Window] = static_cast<std::uint16_t>(r.Mode);
    t.PrintMode();
    t.ChannelModeOut();
    host_->Delay(kTuneMs);
  }
  if (r.Step != 0 && r.Step != t.CurrentStep()) {
    t.Step[t.Window] = r.Step;
    t.PrintStep();
    t.ChannelStepOut2();
  }
  bandScope_->BandSet();
}

void Identification::Shift(std::int32_t shiftKHz) {
  Tuning& t = *tuning_;
  const std::int64_t g = static_cast<std::int64_t>(t.CurrentFrequency()) + shiftKHz * 1000LL;
  if (g < t.LowerLimit || g > t.UpperLimit) return;
  t.Frequency[t.Window] = static_cast<std::int32_t>(g);
  t.ChannelSend();
  t.PrintDial();
}

void Identification::ShiftBand_ButtonClick() {
  tuning_->FocusTrackBar();
  if (BandNo >= 1 && BandNo <= stations_->Indexes.BandIndex.Count()) Shift(BandAt(BandNo).Shift);
}

void Identification::ShiftSingle_ButtonClick() {
  tuning_->FocusTrackBar();
  if (SingleNo >= 1 && SingleNo <= stations_->Indexes.SingleIndex.Count())
    Shift(SingleAt(SingleNo).Shift);
}

void Identification::Type_Panel_SMouseUp() {
  if (!scan_->SingleScan && SingleNo > 0) SingleScan_ButtonClick();
  SelectIdxMode();
}

void Identification::SelectIdxMode() {
  if (SelectMode) {
    SelectMode = false;
    SelectType.clear();
  } else if (SingleNo >= 1 && SingleNo <= stations_->Indexes.SingleIndex.Count()) {
    SelectMode = true;
    SelectType = std::string(SingleAt(SingleNo).Type.View());
  }
  SelectIdxPrt();
}

void Identification::SelectIdxModeOff() {
  if (SelectMode) SelectIdxMode();
}

void Identification::SelectIdxPrt() { view_->ShowTypeFilter(SelectMode); }
