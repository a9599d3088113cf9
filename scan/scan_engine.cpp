#include "scan/scan_engine.h"

#include <algorithm>
#include <utility>

#include "base/host.h"
#include "base/ini_file.h"
#include "base/text.h"
#include "civ/civ.h"
#include "civ/link.h"
#include "panel/knob.h"
#include "panel/meter.h"
#include "panel/tuning.h"
#include "scan/identification.h"
#include "scan/skip_list.h"
#include "stations/cp932.h"
#include "stations/station_list.h"

void ScanEngine::UP_SC_ButtonClick() { StartScan(kUp); }
void ScanEngine::DW_SC_ButtonClick() { StartScan(kDown); }

void ScanEngine::StartScan(std::int16_t direction) {
  host_->TimerStop();
  tuning_->FocusTrackBar();
  BandIdxScanSet();
  if (bandScope_->Sweeping()) bandScope_->BandLoop_Stop();
  // Reversing: stop, let the receiver settle, then go the other way.
  if (ScanState != kStopped && ScanState != direction) {
    ST_SC_ButtonClick();
    host_->Delay(kReverseMs);
  }
  ScanState = direction;
  StopTick = 0;  // a hold of an earlier scan sets no deadline for this one
  priorityTick_ = host_->TickCount();
  view_->ShowScanLamps(ScanState);
  std::int32_t& step = tuning_->Step[tuning_->Window];
  if (step == 0) step = civ::DefaultStep;
  if (!host_->PortOpen()) {
    // Off line the timer drives the scan: each tick is a closed squelch reading.
    host_->SetTimerInterval(kDemoTickMs);
    host_->TimerStart();
  }
  if (SingleScan && !SingleStationToScan()) {
    ST_SC_ButtonClick();
    SingleScanErrPrt();
  } else {
    Step(direction);
  }
  tuning_->PrintDial();
  meter_->SignalLevel = 0;
  meter_->PrintSignal();
  meter_->SquelchStatus = 0;
}

ScanEngine::Range ScanEngine::ScanRange() const {
  const StationIndexes& ix = stations_->Indexes;
  // A band or gap may reach past what the receiver tunes: the scan keeps inside both.
  if (BandScan)
    return {std::max(ix.BandLow, tuning_->LowerLimit), std::min(ix.BandHigh, tuning_->UpperLimit)};
  return {tuning_->LowerLimit, tuning_->UpperLimit};
}

void ScanEngine::Step(std::int16_t direction) {
  EndStop();
  Tuning& t = *tuning_;
  ReturnFromPriority();
  if (PriorityDue()) {
    PriorityCheck();
    return;
  }
  const bool up = direction == kUp;
  // Skipped channels are passed without a reading; more of them in a row than there are
  // skips and stations means every channel in reach is skipped.
  std::size_t passed = 0;
  const std::size_t most =
      (skips_ ? skips_->Entries().size() : 0) +
      (SingleScan ? static_cast<std::size_t>(std::max(SingleLast - SingleFirst, 0)) + 1 : 0) + 1;
  for (;;) {
    if (SingleScan) {
      if (!MemScan(direction)) {
        // No station passes the filter (or none is left in the range): nothing to scan.
        ST_SC_ButtonClick();
        SingleScanErrPrt();
        return;
      }
    } else {
      const Range range = ScanRange();
      const std::int64_t f = t.CurrentFrequency();
      const std::int64_t n = up ? f + t.CurrentStep() : f - t.CurrentStep();
      if (up ? n <= range.high : n >= range.low) {
        up ? t.DialUp() : t.DialDown();
      } else if (BandScan) {
        // Wrap to the band's other edge exactly; it is read like any other channel.
        t.Frequency[t.Window] = up ? range.low : range.high;
      } else {
        ST_SC_ButtonClick();  // the end of the range
        return;
      }
    }
    if (!skips_ || !skips_->Skips(t.CurrentFrequency(), t.CurrentStep())) break;
    if (++passed > most) {
      ST_SC_ButtonClick();
      return;
    }
  }
  t.ChannelSend();
  ResetSquelchLabel();
  // The reading is asked for once the channel has settled, and only by the newest step: a
  // step or a tune made during the wait has taken the chain over.
  if (link_->Settle(ScanTime) && ScanState == direction) link_->SquelchSend();
}

void ScanEngine::SkipAdd(bool temporary) {
  if (!skips_) return;
  Tuning& t = *tuning_;
  SkipEntry e;
  e.frequency = t.CurrentFrequency();
  e.mode = t.Mode[t.Window];
  const StationIndexes& ix = stations_->Indexes;
  const Identification& id = *identification_;
  if (id.SingleNo >= 1 && id.SingleNo <= ix.SingleIndex.Count()) {
    const MemoRecord& station = stations_->Data[ix.SingleIndex[id.SingleNo]];
    if (station.Frequency == e.frequency) e.name = Cp932ToUtf8(station.Name.View());
  }
  e.added = DayText(LocalNow());
  e.temporary = temporary;
  const SkipList::Change change = skips_->Add(std::move(e));
  if (!change.error.empty())
    view_->ShowSkipSaveFailed(text::Tr("ScanEngine", "スキップの一覧を書き込めません。") + "\n" +
                              skips_->Path() + "\n" + change.error);
  // Held on what is now skipped: on at once.
  if (ScanState != kStopped && holding_ && skips_->Skips(holdFrequency_, t.CurrentStep())) {
    StopTick = 0;
    Step(ScanState);
  }
}

bool ScanEngine::PriorityDue() const {
  if (Priority <= 0 || Priority < tuning_->LowerLimit || Priority > tuning_->UpperLimit)
    return false;
  if (tuning_->CurrentFrequency() == Priority) return false;
  const int interval = std::clamp(PriorityInterval, kPriorityIntervalMin, kPriorityIntervalMax);
  return host_->TickCount() - priorityTick_ >= static_cast<std::uint32_t>(interval);
}

void ScanEngine::PriorityCheck() {
  Tuning& t = *tuning_;
  priorityTick_ = host_->TickCount();
  resumeAt_ = t.CurrentFrequency();
  priorityChecking_ = true;
  t.Frequency[t.Window] = Priority;
  t.ChannelSend();
  ResetSquelchLabel();
  const std::int16_t direction = ScanState;
  if (link_->Settle(ScanTime) && ScanState == direction && priorityChecking_) link_->SquelchSend();
}

void ScanEngine::ReturnFromPriority() {
  priorityChecking_ = false;
  if (resumeAt_ == 0) return;
  tuning_->Frequency[tuning_->Window] = std::exchange(resumeAt_, 0);
}

void ScanEngine::PriorityRead() {
  priorityChecking_ = false;
  if (meter_->SquelchStatus >= 1) {
    // A stop on the priority frequency: the hold elsewhere, if any, ends, and the resume
    // rule starts afresh here. The scan goes on from where it stood.
    EndStop();
    StopTick = 0;
    return;
  }
  if (!holding_) {
    Step(ScanState);  // back to where the scan stood, and on from there
    return;
  }
  // Back to the signal the scan was holding on, which keeps its stop and its delay.
  ReturnFromPriority();
  tuning_->ChannelSend();
  const std::int16_t direction = ScanState;
  if (link_->Settle(ScanTime) && ScanState == direction) link_->SquelchSend();
}

void ScanEngine::ResetSquelchLabel() { view_->ShowSquelchLabel(false); }

void ScanEngine::PrintSquelch() {
  if (priorityChecking_ && ScanState != kStopped) {
    PriorityRead();
    if (meter_->SquelchStatus < 1) {
      tuning_->PrintDial();
      return;
    }
  }
  if (holding_ && tuning_->CurrentFrequency() != holdFrequency_) EndStop();
  if (meter_->SquelchStatus < 1) {
    EndStop();
    // The hold, if any, ended before its delay ran out: the next signal gets a full one.
    StopTick = 0;
    if (ScanState != kStopped) Step(ScanState);
  } else if (ScanState != kStopped) {
    if (holding_ && PriorityDue()) {
      // The watch goes on while the scan holds elsewhere.
      PriorityCheck();
      tuning_->PrintDial();
      return;
    }
    if (!holding_) BeginStop();
    switch (ResumeMode) {
      case kOff:
        // Hold while the signal lasts; the first closed reading goes on.
        link_->SquelchSend();
        link_->Settle(ScanTime);
        link_->RadioSignal();
        break;
      case kInfinite: {
        // The scan ends on this signal; the stop lasts while it is heard here.
        const bool held = std::exchange(holding_, false);
        ScanStopped();
        holding_ = held;
        break;
      }
      case kDelay:
      case kPause: {
        link_->RadioSignal();
        const std::uint32_t now = host_->TickCount();
        if (StopTick != 0 && StopTick + static_cast<std::uint32_t>(StopTime) < now) {
          // The delay is over: on, although the signal may still be there.
          StopTick = 0;
          Step(ScanState);
        } else if (StopTick == 0) {
          StopTick =
              ResumeMode == kDelay ? now : now - static_cast<std::uint32_t>(StopTime) + kPauseMs;
        }
        break;
      }
      default:
        break;
    }
  }
  tuning_->PrintDial();
}

void ScanEngine::ST_SC_ButtonClick() {
  tuning_->FocusTrackBar();
  knob_->FF_Cls();
  if (bandScope_->Sweeping()) bandScope_->BandLoop_Stop();
  if (ScanState == kStopped) {
    link_->RadioWriteSend();
    return;
  }
  ST_SC_Stop();
  tuning_->FocusTrackBar();
}

void ScanEngine::ST_SC_Stop() {
  ScanStopped();
  link_->RadioSignal();
  knob_->FF_Cls();
}

void ScanEngine::ScanStopped() {
  EndStop();
  // A scan ended during or after a priority check stays where it is now.
  priorityChecking_ = false;
  resumeAt_ = 0;
  ScanState = kStopped;
  StopTick = 0;
  view_->ShowScanLamps(kStopped);
}

void ScanEngine::SignalRead(int level) {
  if (!holding_ || priorityChecking_) return;
  if (tuning_->CurrentFrequency() != holdFrequency_) {
    EndStop();
    return;
  }
  // The meter is cleared with level 0 after every frequency sent: not a reading.
  if (level > 0) stops_->SignalReading(level);
}

void ScanEngine::BeginStop() {
  if (!stops_) return;
  ScanStopObserver::Stop stop;
  stop.frequency = holdFrequency_ = tuning_->CurrentFrequency();
  stop.mode = tuning_->Mode[tuning_->Window];
  stop.priority = Priority != 0 && stop.frequency == Priority;
  const StationIndexes& ix = stations_->Indexes;
  const Identification& id = *identification_;
  if (id.AutoMode && id.BandNo >= 1 && id.BandNo <= ix.BandIndex.Count()) {
    const MemoRecord& band = stations_->Data[ix.BandIndex[id.BandNo]];
    if (band.Frequency <= stop.frequency && stop.frequency <= band.Frequency2)
      stop.band = std::string(band.Name.View());
  }
  if (id.MemoMode && id.SingleNo >= 1 && id.SingleNo <= ix.SingleIndex.Count()) {
    const MemoRecord& station = stations_->Data[ix.SingleIndex[id.SingleNo]];
    if (station.Frequency == stop.frequency) stop.station = std::string(station.Name.View());
  }
  holding_ = true;
  stops_->StopBegins(stop);
}

void ScanEngine::EndStop() {
  if (!holding_) return;
  holding_ = false;
  stops_->StopEnds();
}

void ScanEngine::ScanButtonClick() {
  tuning_->FocusTrackBar();
  ResumeMode = ResumeMode >= kPause ? kOff : static_cast<std::int16_t>(ResumeMode + 1);
  ScanStop_Digital_Print();
}

void ScanEngine::ScanStop_Digital_Print() { view_->ShowResumeMode(ResumeMode); }

std::int32_t ScanEngine::SingleFrequency(int position) const {
  const StationIndexes& ix = stations_->Indexes;
  return stations_->Data[ix.SingleIndex[position]].Frequency;
}

bool ScanEngine::Selected(int position) const {
  if (!identification_->SelectMode) return true;
  const StationIndexes& ix = stations_->Indexes;
  return TypeContains(stations_->Data[ix.SingleIndex[position]].Type.View(),
                      identification_->SelectType);
}

void ScanEngine::BandIdxScanSet() {
  const StationIndexes& ix = stations_->Indexes;
  const auto [low, high] = ScanRange();
  SingleFirst = SingleLast = 0;
  const int n = ix.SingleIndex.Count();
  for (int p = 1; p <= n; ++p) {
    const std::int32_t f = SingleFrequency(p);
    if (SingleFirst == 0) {
      if (f >= low && f <= high) SingleFirst = SingleLast = p;
    } else if (f <= high) {
      SingleLast = p;
    } else {
      break;
    }
  }
}

bool ScanEngine::SingleStationToScan() const {
  for (int p = SingleFirst; p >= 1 && p <= SingleLast; ++p)
    if (Selected(p)) return true;
  return false;
}

bool ScanEngine::MemScan(std::int16_t direction) {
  if (SingleFirst < 1) return false;
  Tuning& t = *tuning_;
  const bool up = direction == kUp;
  const int first = up ? SingleFirst : SingleLast;
  const int last = up ? SingleLast : SingleFirst;
  const int by = up ? 1 : -1;
  // The first station beyond f in the scan's direction that passes the type filter.
  auto next = [&](std::int64_t f) {
    for (int p = first; p != last + by; p += by) {
      const std::int64_t g = SingleFrequency(p);
      if ((up ? g > f : g < f) && Selected(p)) return p;
    }
    return 0;
  };
  int p = next(t.CurrentFrequency());
  // Past the last one: round to the first, at the other end of the range.
  if (p == 0) p = next(static_cast<std::int64_t>(SingleFrequency(first)) - by);
  if (p == 0) return false;
  t.Frequency[t.Window] = SingleFrequency(p);
  t.PrintDial();
  return true;
}

void ScanEngine::Flash(FlashLamp lamp) {
  view_->ShowErrorFlash(lamp, true);
  host_->Delay(kFlashMs);
  view_->ShowErrorFlash(lamp, false);
}

void ReadPrioritySettings(const IniFile& ini, ScanEngine& scan) {
  const std::int32_t priority = ini.ReadInteger("SCAN", "Priority", 0);
  scan.Priority = priority > 0 ? priority : 0;
  scan.PriorityInterval =
      std::clamp(ini.ReadInteger("SCAN", "PriorityInterval", 2000),
                 ScanEngine::kPriorityIntervalMin, ScanEngine::kPriorityIntervalMax);
}

void WritePrioritySettings(IniFile& ini, const ScanEngine& scan) {
  ini.WriteInteger("SCAN", "Priority", scan.Priority);
  ini.WriteInteger("SCAN", "PriorityInterval", scan.PriorityInterval);
}
