#include "scope/band_scope.h"

#include <cmath>
#include <cstdint>
#include <limits>

#include "base/host.h"
#include "civ/civ.h"
#include "civ/link.h"
#include "panel/knob.h"
#include "panel/meter.h"
#include "panel/tuning.h"
#include "scan/identification.h"
#include "scan/scan_engine.h"

namespace {

int Trunc(double value) { return static_cast<int>(std::trunc(value)); }

// A frequency a window or the panel can hold: none below 0 Hz, none past the 32-bit range.
bool Holdable(std::int64_t f) { return f >= 0 && f <= std::numeric_limits<std::int32_t>::max(); }

}  // namespace

MarkerTrackLayout MarkerTrackGeometry(int panelLeft, int panelWidth, int points) {
  const double pitch = static_cast<double>(panelWidth) / (points - 1);
  return {Trunc(pitch * 0.5) + panelLeft - 5, panelWidth - Trunc(pitch) + 10};
}

int ScopeBarHeight(int level, int imageHeight) {
  const int u = imageHeight - 1;
  int h = Trunc(std::sin(level * 0.1 * 0.0761904761904762) * u);
  if (h == 0 && level > 0) h = 1;
  // Readings far past the receiver's 255 turn the sine negative: nothing is drawn for them.
  return h < 0 ? 0 : h;
}

ScopeBar BandScopeBar(int k, int level, int points, int trackWidth, int imageHeight, int imageLeft,
                      int imageTop, bool sColor) {
  const double pitch = static_cast<double>(trackWidth - 20) / (points - 1);
  const int u = imageHeight - 1;
  ScopeBar bar;
  bar.x = Trunc(pitch * (k - 1)) + imageLeft + 2;
  bar.top = imageTop - 1;
  bar.bottom = bar.top + u;
  bar.width = Trunc(pitch - pitch * 0.2);
  const int ceiling = Trunc(std::sin(0.68) * u) - 2;
  const int h = ScopeBarHeight(level, imageHeight);
  if (sColor && h > ceiling) {
    bar.black = ceiling;
    bar.red = h - ceiling;
  } else {
    bar.black = h;
    bar.red = 0;
  }
  return bar;
}

std::int32_t BandScopeEngine::SweepStepSize() const {
  const std::int32_t s = tuning_->CurrentStep();
  return s == 0 ? civ::DefaultStep : s;
}

void BandScopeEngine::AutoModeWarning() {
  if (identification_->AutoMode) scan_->AutoScanErrPrt();
}

void BandScopeEngine::WidthKey(int bandScope) {
  view_->FocusTrackBar();
  AutoModeWarning();
  BandScope = bandScope;
  Band_ButtonSet();
  BandScopeInit();
  BandSet();
}

void BandScopeEngine::Band_ButtonSet() {
  switch (BandScope) {
    case kWidthH:
      BandPoints = 51;
      break;
    case kWidthM:
      BandPoints = 31;
      break;
    case kWidthL:
      BandPoints = 21;
      break;
    default:
      return;
  }
  view_->ShowWidthLamps(BandScope);
}

void BandScopeEngine::BandScopeInit() {
  view_->ShowScopeCleared(BandPoints);
  SetMarker(MiddlePoint());
}

void BandScopeEngine::SetMarker(int position) {
  if (position > BandPoints) position = BandPoints;
  if (position < 1) position = 1;
  Marker = position;
  view_->ShowMarker(position);
}

void BandScopeEngine::BandSet() {
  const std::int64_t f = tuning_->CurrentFrequency();
  const std::int64_t s = SweepStepSize();
  const std::int64_t span = static_cast<std::int64_t>(BandPoints - 1) * s;
  std::int64_t start = f - static_cast<std::int64_t>((BandPoints - 1) / 2) * s;
  SetMarker(MiddlePoint());
  std::int64_t end = start + span;
  if (start < tuning_->LowerLimit) {
    start = tuning_->LowerLimit;
    end = start + span;
  } else if (end > tuning_->UpperLimit) {
    end = tuning_->UpperLimit;
    start = end - span;
  }
  SweepStart = static_cast<std::int32_t>(start);
  SweepEnd = static_cast<std::int32_t>(end);
  SweepMarker = MiddlePoint();
  SweepFreq = SweepStart;
}

int BandScopeEngine::TunedPoint() const {
  const double step = tuning_->CurrentStep();
  return Trunc((static_cast<double>(tuning_->CurrentFrequency()) - SweepStart) / step) + 1;
}

void BandScopeEngine::FollowTunedFrequency() {
  BandSet();
  if (tuning_->CurrentStep() >= 1) SetMarker(TunedPoint());
}

void BandScopeEngine::BandScan() {
  if (!host_->PortOpen()) return;
  host_->TimerStop();
  scan_->ST_SC_Stop();
  link_->RadioSignal();
  SweepIndex = 1;
  SweepMarker = Marker;
  SetMarker(1);
  SweepFreq = SweepStart;
  tuning_->ChannelSendSub(SweepStart);
  host_->Delay(SweepDwell);
  SweepRunning = true;
  meter_->SignalLevel = 0;
  link_->RadioSignal();
}

void BandScopeEngine::PrintSignal() {
  const int level = meter_->SignalLevel;
  if (SweepRunning)
    SweepNext(level);
  else
    BandScopePrintSub(Marker, level);
}

void BandScopeEngine::SweepNext(int level) {
  BandScopePrintSub(SweepIndex, level);
  if (SweepIndex == 1) sweeping_.clear();
  sweeping_.push_back(level);
  meter_->Signal_Print();
  const std::int64_t next = static_cast<std::int64_t>(SweepFreq) + SweepStepSize();
  SweepFreq =
      Holdable(next) ? static_cast<std::int32_t>(next) : std::numeric_limits<std::int32_t>::max();
  SetMarker(SweepIndex);
  ++SweepIndex;
  if (next > SweepEnd) {
    LastSweep = sweeping_;
    LastSweepStart = SweepStart;
    LastSweepStep = static_cast<std::int32_t>(SweepStepSize());
  }
  if (next <= SweepEnd) {
    tuning_->ChannelSendSub(SweepFreq);
    host_->Delay(SweepDwell);
    link_->RadioSignal();
  } else if (SweepLoop) {
    // Nothing is sent now: the next reading the polling brings is drawn at point 1.
    SweepFreq = SweepStart;
    SweepIndex = 1;
  } else {
    SweepRunning = false;
    tuning_->ChannelSend();
    SetMarker(SweepMarker);
    host_->TimerStart();
  }
}

void BandScopeEngine::BandRun_BitBtnClick() {
  view_->FocusTrackBar();
  identification_->SelectIdxModeOff();
  AutoModeWarning();
  if (SweepRunning) {
    SweepFreq = SweepEnd;  // the sweep ends with the next reading
    return;
  }
  BandSet();
  BandScan();
  if (tuning_->CurrentStep() >= 1) SweepMarker = TunedPoint();
}

void BandScopeEngine::Band_L_BitBtnClick() {
  view_->FocusTrackBar();
  AutoModeWarning();
  const std::int64_t s = SweepStepSize();
  const std::int64_t f = static_cast<std::int64_t>(tuning_->CurrentFrequency()) - s * BandPoints;
  const std::int64_t end = static_cast<std::int64_t>(SweepStart) - s;
  const std::int64_t start = end - (BandPoints - 1) * s;
  if (!Holdable(f) || !Holdable(start) || !Holdable(end)) return;
  tuning_->Frequency[tuning_->Window] = static_cast<std::int32_t>(f);
  SweepEnd = static_cast<std::int32_t>(end);
  SweepStart = static_cast<std::int32_t>(start);
  tuning_->PrintDial();
  BandScan();
}

void BandScopeEngine::Band_R_BitBtnClick() {
  view_->FocusTrackBar();
  AutoModeWarning();
  const std::int64_t s = SweepStepSize();
  const std::int64_t f = static_cast<std::int64_t>(tuning_->CurrentFrequency()) + s * BandPoints;
  const std::int64_t start = static_cast<std::int64_t>(SweepEnd) + s;
  const std::int64_t end = start + (BandPoints - 1) * s;
  if (!Holdable(f) || !Holdable(start) || !Holdable(end)) return;
  tuning_->Frequency[tuning_->Window] = static_cast<std::int32_t>(f);
  SweepStart = static_cast<std::int32_t>(start);
  SweepEnd = static_cast<std::int32_t>(end);
  tuning_->PrintDial();
  BandScan();
}

void BandScopeEngine::Band_Up() {
  if (Marker < BandPoints) {
    SetMarker(Marker + 1);
    return;
  }
  SetMarker(1);
  const std::int64_t f = tuning_->CurrentFrequency();
  const std::int64_t end = f + static_cast<std::int64_t>(BandPoints - 1) * SweepStepSize();
  SweepStart = static_cast<std::int32_t>(f);
  SweepEnd =
      Holdable(end) ? static_cast<std::int32_t>(end) : std::numeric_limits<std::int32_t>::max();
}

void BandScopeEngine::Band_Down() {
  if (Marker > 1) {
    SetMarker(Marker - 1);
    return;
  }
  SetMarker(BandPoints);
  const std::int64_t f = tuning_->CurrentFrequency();
  SweepEnd = static_cast<std::int32_t>(f);
  SweepStart =
      static_cast<std::int32_t>(f - static_cast<std::int64_t>(BandPoints - 1) * SweepStepSize());
}

void BandScopeEngine::BandLoop_BitBtnClick() {
  AutoModeWarning();
  if (SweepLoop)
    BandLoop_Stop();
  else if (host_->PortOpen())
    BandLoop_Start();
  view_->FocusTrackBar();
}

void BandScopeEngine::BandLoop_Start() {
  SweepLoop = true;
  view_->ShowLoopLamp(true);
  host_->TimerStart();
  if (!SweepRunning) BandScan();
}

void BandScopeEngine::BandLoop_Stop() {
  SweepLoop = false;
  view_->ShowLoopLamp(false);
  SweepFreq = SweepEnd;  // a running sweep ends with its next reading
}

void BandScopeEngine::BandTrackBarChange(int position) {
  view_->FocusTrackBar();
  knob_->FF_Cls();
  identification_->SelectIdxModeOff();
  Marker = position;
  const std::int32_t before = tuning_->CurrentFrequency();
  const std::int64_t f = static_cast<std::int64_t>(SweepStart) +
                         static_cast<std::int64_t>(position - 1) * SweepStepSize();
  if (!Holdable(f)) return;
  tuning_->Frequency[tuning_->Window] = static_cast<std::int32_t>(f);
  tuning_->PrintDial();
  tuning_->ChannelSend();
  if (f < before)
    knob_->SubDial_Down();
  else if (f > before)
    knob_->SubDial_Up();
}

void BandScopeEngine::BandScopePrintSub(int k, int level) {
  view_->ShowBar(k, level, BandPoints, meter_->S_Color);
}

void BandScopeEngine::BandScopePrintDemo() {
  static constexpr int kOffset[] = {-6, -4, -3, -2, -1, 0, 1, 2, 4, 8};
  static constexpr int kLevel[] = {15, 22, 30, 80, 130, 200, 100, 20, 100, 10};
  const int m = MiddlePoint();
  for (std::size_t i = 0; i < std::size(kOffset); ++i) BandScopePrintSub(m + kOffset[i], kLevel[i]);
  view_->ShowDemoText();
}

std::int32_t BandScopeEngine::ConverterLanding(std::int32_t /*current*/) const {
  const std::int64_t f = static_cast<std::int64_t>(SweepStart) +
                         static_cast<std::int64_t>(tuning_->CurrentStep()) * (Marker - 1);
  return Holdable(f) ? static_cast<std::int32_t>(f) : tuning_->CurrentFrequency();
}
