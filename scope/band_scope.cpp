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
  // The window being swept is gone with the old width.
  if (Sweeping()) BandLoop_Stop();
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
  levels_.fill(-1);
  barsStart_ = SweepStart;
  barsStep_ = SweepStepSize();
  barsPoints_ = BandPoints;
  SetMarker(MiddlePoint());
}

int BandScopeEngine::BarLevel(int k) const {
  return k >= 1 && k <= BandPoints ? levels_[static_cast<std::size_t>(k)] : -1;
}

void BandScopeEngine::WindowMoved() {
  const std::int64_t s = SweepStepSize();
  view_->ShowWindowLabels(
      SweepStart, static_cast<std::int32_t>(SweepStart + (MiddlePoint() - 1) * s), SweepEnd);
  if (SweepStart == barsStart_ && s == barsStep_ && BandPoints == barsPoints_) return;
  // A bar stays where its frequency is a point of the new window too.
  std::array<int, kMaxPoints + 1> kept;
  kept.fill(-1);
  for (int k = 1; k <= BandPoints; ++k) {
    const std::int64_t f = SweepStart + (k - 1) * s;
    const std::int64_t offset = f - barsStart_;
    if (barsStep_ <= 0 || offset < 0 || offset % barsStep_ != 0) continue;
    const std::int64_t j = offset / barsStep_ + 1;
    if (j <= barsPoints_) kept[static_cast<std::size_t>(k)] = levels_[static_cast<std::size_t>(j)];
  }
  view_->ShowScopeCleared(BandPoints);
  levels_.fill(-1);
  barsStart_ = SweepStart;
  barsStep_ = static_cast<std::int32_t>(s);
  barsPoints_ = BandPoints;
  for (int k = 1; k <= BandPoints; ++k)
    if (kept[static_cast<std::size_t>(k)] >= 0)
      BandScopePrintSub(k, kept[static_cast<std::size_t>(k)]);
}

void BandScopeEngine::SetMarker(int position) {
  if (position > BandPoints) position = BandPoints;
  if (position < 1) position = 1;
  Marker = position;
  view_->ShowMarker(position);
}

void BandScopeEngine::BandSet() {
  // A new window ends the sweep over the old one.
  if (Sweeping()) BandLoop_Stop();
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
  WindowMoved();
}

int BandScopeEngine::TunedPoint() const {
  const double step = tuning_->CurrentStep();
  return Trunc((static_cast<double>(tuning_->CurrentFrequency()) - SweepStart) / step) + 1;
}

void BandScopeEngine::FollowTunedFrequency() {
  // A sweep never moves the tuned frequency: its window is still the right one.
  if (Sweeping()) return;
  BandSet();
  if (tuning_->CurrentStep() >= 1) SetMarker(TunedPoint());
}

void BandScopeEngine::BandScan() {
  if (!host_->PortOpen()) return;
  DropClient();
  // Started again over a sweep under way: the old one is dropped, and the marker still goes
  // back to where it stood before either began.
  const bool restart = Sweeping();
  ++sweepRun_;
  SweepRunning = starting_ = false;
  host_->TimerStop();
  scan_->ST_SC_Stop();
  link_->RadioSignal();
  SweepIndex = 1;
  if (!restart) SweepMarker = Marker;
  SetMarker(1);
  SweepFreq = SweepStart;
  const unsigned run = ++sweepRun_;
  starting_ = true;
  tuning_->ChannelSendSub(SweepStart);
  host_->Delay(SweepDwell);
  if (run != sweepRun_) return;
  starting_ = false;
  SweepRunning = true;
  meter_->SignalLevel = 0;
  link_->RadioSignal();
}

void BandScopeEngine::PrintSignal() {
  const int level = meter_->SignalLevel;
  if (SweepRunning && client_)
    ClientNext(level);
  else if (SweepRunning)
    SweepNext(level);
  else if (!starting_)  // while the first point settles a reading belongs to no point
    BandScopePrintSub(Marker, level);
}

void BandScopeEngine::SweepPoint() {
  const unsigned run = sweepRun_;
  tuning_->ChannelSendSub(SweepFreq);
  host_->Delay(SweepDwell);
  if (run == sweepRun_ && SweepRunning) link_->RadioSignal();
}

void BandScopeEngine::EndSweep() {
  ++sweepRun_;
  SweepRunning = starting_ = false;
  tuning_->ChannelSend();
  SetMarker(SweepMarker);
  host_->TimerStart();
  DropClient();
}

void BandScopeEngine::DropClient() {
  SweepClient* client = client_;
  client_ = nullptr;
  if (client) client->SweepEnded();
}

bool BandScopeEngine::StartClientSweep(SweepClient& client, const SweepPlan& plan) {
  if (!host_->PortOpen() || plan.points < 1 || plan.step < 1) return false;
  if (Sweeping()) BandLoop_Stop();
  client_ = &client;
  plan_ = plan;
  clientIndex_ = 0;
  host_->TimerStop();
  scan_->ST_SC_Stop();
  SweepMarker = Marker;
  ++sweepRun_;
  starting_ = true;
  SweepRunning = false;
  meter_->SignalLevel = 0;
  ClientPoint();
  return true;
}

void BandScopeEngine::ClientPoint() {
  const unsigned run = sweepRun_;
  tuning_->ChannelSendSub(static_cast<std::int32_t>(
      plan_.start + static_cast<std::int64_t>(clientIndex_) * plan_.step));
  // The polling is held back through the dwell: a poll's reading would end it early and start
  // a second chain.
  link_->Settle(plan_.dwell);
  if (run != sweepRun_ || !client_) return;
  starting_ = false;
  SweepRunning = true;
  link_->RadioSignal();
}

void BandScopeEngine::ClientNext(int level) {
  client_->SweepReading(clientIndex_, level);
  meter_->Signal_Print();
  if (++clientIndex_ < plan_.points) {
    ClientPoint();
    return;
  }
  const unsigned run = sweepRun_;
  const bool again = client_->SweepPassDone();
  if (run != sweepRun_ || !client_) return;  // the owner stopped it meanwhile
  if (again) {
    clientIndex_ = 0;
    ClientPoint();
  } else {
    EndSweep();
  }
}

void BandScopeEngine::SweepNext(int level) {
  BandScopePrintSub(SweepIndex, level);
  meter_->Signal_Print();
  const std::int64_t next = static_cast<std::int64_t>(SweepFreq) + SweepStepSize();
  SweepFreq =
      Holdable(next) ? static_cast<std::int32_t>(next) : std::numeric_limits<std::int32_t>::max();
  SetMarker(SweepIndex);
  ++SweepIndex;
  if (next > SweepEnd || SweepIndex > BandPoints) {
    // The pass's readings are the bars it drew, points 1 .. SweepIndex - 1.
    LastSweep.assign(levels_.begin() + 1, levels_.begin() + SweepIndex);
    LastSweepStart = SweepStart;
    LastSweepStep = static_cast<std::int32_t>(SweepStepSize());
  }
  if (next <= SweepEnd && SweepIndex <= BandPoints) {
    SweepPoint();
  } else if (SweepLoop) {
    // Each pass reads its first point afresh.
    SweepFreq = SweepStart;
    SweepIndex = 1;
    SweepPoint();
  } else {
    EndSweep();
  }
}

void BandScopeEngine::BandRun_BitBtnClick() {
  view_->FocusTrackBar();
  identification_->SelectIdxModeOff();
  AutoModeWarning();
  if (client_) {
    // The other owner's sweep ends at once; the key starts none of the scope's.
    BandLoop_Stop();
    return;
  }
  if (SweepRunning) {
    SweepFreq = SweepEnd;  // the sweep ends with the next reading
    return;
  }
  BandSet();
  BandScan();
  if (tuning_->CurrentStep() >= 1) SweepMarker = TunedPoint();
}

void BandScopeEngine::ShiftWindow(std::int64_t start, std::int64_t frequency) {
  const std::int64_t lower = tuning_->LowerLimit, upper = tuning_->UpperLimit;
  const std::int64_t span = static_cast<std::int64_t>(BandPoints - 1) * SweepStepSize();
  std::int64_t end = start + span;
  if (start < lower) {
    start = lower;
    end = start + span;
  } else if (end > upper) {
    end = upper;
    start = end - span;
  }
  // The tuned frequency goes no further than the limits either.
  if (frequency > upper) frequency = upper;
  if (frequency < lower) frequency = lower;
  if (!Holdable(frequency) || !Holdable(start) || !Holdable(end)) return;
  tuning_->Frequency[tuning_->Window] = static_cast<std::int32_t>(frequency);
  SweepStart = static_cast<std::int32_t>(start);
  SweepEnd = static_cast<std::int32_t>(end);
  WindowMoved();
  tuning_->PrintDial();
  BandScan();
  // At a limit the tuned frequency no longer keeps its point: the marker returns to it.
  if (tuning_->CurrentStep() >= 1) SweepMarker = TunedPoint();
}

void BandScopeEngine::Band_L_BitBtnClick() {
  view_->FocusTrackBar();
  AutoModeWarning();
  const std::int64_t s = SweepStepSize();
  ShiftWindow(static_cast<std::int64_t>(SweepStart) - s * BandPoints,
              static_cast<std::int64_t>(tuning_->CurrentFrequency()) - s * BandPoints);
}

void BandScopeEngine::Band_R_BitBtnClick() {
  view_->FocusTrackBar();
  AutoModeWarning();
  const std::int64_t s = SweepStepSize();
  ShiftWindow(static_cast<std::int64_t>(SweepEnd) + s,
              static_cast<std::int64_t>(tuning_->CurrentFrequency()) + s * BandPoints);
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
  WindowMoved();
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
  WindowMoved();
}

void BandScopeEngine::BandLoop_BitBtnClick() {
  AutoModeWarning();
  if (SweepLoop) {
    // The loop key alone lets the point under way finish: its reading is of that point.
    SweepLoop = false;
    view_->ShowLoopLamp(false);
    SweepFreq = SweepEnd;
  } else if (host_->PortOpen())
    BandLoop_Start();
  view_->FocusTrackBar();
}

void BandScopeEngine::BandLoop_Start() {
  if (client_) BandLoop_Stop();
  SweepLoop = true;
  view_->ShowLoopLamp(true);
  host_->TimerStart();
  if (!SweepRunning) BandScan();
}

void BandScopeEngine::BandLoop_Stop() {
  SweepLoop = false;
  view_->ShowLoopLamp(false);
  SweepFreq = SweepEnd;
  // Whoever stops the sweep is about to tune: a sweep left running would go on over the
  // frequency chosen, with a window that is no longer its own.
  if (Sweeping()) EndSweep();
}

void BandScopeEngine::BandTrackBarChange(int position) {
  view_->FocusTrackBar();
  knob_->FF_Cls();
  identification_->SelectIdxModeOff();
  // A tune by hand: another owner's sweep would go on over the frequency chosen.
  if (client_) BandLoop_Stop();
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
  if (k >= 1 && k <= BandPoints) levels_[static_cast<std::size_t>(k)] = level;
  view_->ShowBar(k, level, BandPoints, meter_->S_Color);
}

void BandScopeEngine::BandScopePrintDemo() {
  static constexpr int kOffset[] = {-6, -4, -3, -2, -1, 0, 1, 2, 4, 8};
  static constexpr int kLevel[] = {15, 22, 30, 80, 130, 200, 100, 20, 100, 10};
  const int m = MiddlePoint();
  // Not readings: they belong to no window and go when the window moves.
  for (std::size_t i = 0; i < std::size(kOffset); ++i)
    view_->ShowBar(m + kOffset[i], kLevel[i], BandPoints, meter_->S_Color);
  view_->ShowDemoText();
}

std::int32_t BandScopeEngine::ConverterLanding(std::int32_t /*current*/) const {
  const std::int64_t f = static_cast<std::int64_t>(SweepStart) +
                         static_cast<std::int64_t>(tuning_->CurrentStep()) * (Marker - 1);
  return Holdable(f) ? static_cast<std::int32_t>(f) : tuning_->CurrentFrequency();
}
