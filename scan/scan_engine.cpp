#include "scan/scan_engine.h"

#include <utility>

#include "base/host.h"
#include "civ/civ.h"
#include "civ/link.h"
#include "panel/knob.h"
#include "panel/meter.h"
#include "panel/tuning.h"
#include "scan/identification.h"
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
  view_->ShowScanLamps(ScanState);
  std::int32_t& step = tuning_->Step[tuning_->Window];
  if (step == 0) step = civ::DefaultStep;
  if (!host_->PortOpen()) {
    // Off line the timer drives the scan: each tick is a closed squelch reading.
    host_->SetTimerInterval(kDemoTickMs);
    host_->TimerStart();
  }
  if (SingleScan && SingleFirst < 1) {
    ST_SC_ButtonClick();
    SingleScanErrPrt();
  } else if (direction == kUp) {
    UpStep();
  } else {
    DownStep();
  }
  tuning_->PrintDial();
  meter_->SignalLevel = 0;
  meter_->PrintSignal();
  meter_->SquelchStatus = 0;
}

void ScanEngine::UpStep() {
  EndStop();
  Tuning& t = *tuning_;
  const std::int64_t n = static_cast<std::int64_t>(t.CurrentFrequency()) + t.CurrentStep();
  const StationIndexes& ix = stations_->Indexes;
  if (SingleScan) {
    MemScanUp();
    t.ChannelSend();
  } else if ((!BandScan && n <= t.UpperLimit) || (BandScan && n <= ix.BandHigh)) {
    t.DialUp();
    t.ChannelSend();
  } else if (BandScan) {
    // Wrap to the band's start exactly; the squelch is asked before the new frequency.
    t.Frequency[t.Window] = ix.BandLow;
    ResetSquelchLabel();
    host_->Delay(ScanTime);
    link_->SquelchSend();
    host_->Delay(ScanTime);
    t.ChannelSend();
    return;
  } else {
    ST_SC_ButtonClick();  // the top of the range
    return;
  }
  ResetSquelchLabel();
  host_->Delay(ScanTime);
  link_->SquelchSend();
}

void ScanEngine::DownStep() {
  EndStop();
  Tuning& t = *tuning_;
  const std::int64_t n = static_cast<std::int64_t>(t.CurrentFrequency()) - t.CurrentStep();
  const StationIndexes& ix = stations_->Indexes;
  if (SingleScan) {
    MemScanDown();
    t.ChannelSend();
  } else if ((!BandScan && n >= t.LowerLimit) || (BandScan && n >= ix.BandLow)) {
    t.DialDown();
    t.ChannelSend();
  } else if (BandScan) {
    t.Frequency[t.Window] = ix.BandHigh;
    ResetSquelchLabel();
    host_->Delay(ScanTime);
    link_->SquelchSend();
    host_->Delay(ScanTime);
    t.ChannelSend();
    return;
  } else {
    ST_SC_ButtonClick();  // the bottom of the range
    return;
  }
  ResetSquelchLabel();
  host_->Delay(ScanTime);
  link_->SquelchSend();
}

void ScanEngine::ResetSquelchLabel() { view_->ShowSquelchLabel(false); }

void ScanEngine::PrintSquelch() {
  if (holding_ && tuning_->CurrentFrequency() != holdFrequency_) EndStop();
  if (meter_->SquelchStatus < 1) {
    EndStop();
    if (ScanState == kUp)
      UpStep();
    else if (ScanState == kDown)
      DownStep();
  } else if (ScanState != kStopped) {
    if (!holding_) BeginStop();
    switch (ResumeMode) {
      case kOff:
        // Hold while the signal lasts; the first closed reading goes on.
        link_->SquelchSend();
        host_->Delay(ScanTime);
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
          if (ScanState == kUp)
            UpStep();
          else
            DownStep();
        } else if (StopTick == 0) {
          // A signal gone early leaves StopTick as it is: the next signal holds the scan
          // only until this deadline.
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
  ScanState = kStopped;
  view_->ShowScanLamps(kStopped);
}

void ScanEngine::SignalRead(int level) {
  if (!holding_) return;
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
  const std::int32_t low = BandScan ? ix.BandLow : tuning_->LowerLimit;
  const std::int32_t high = BandScan ? ix.BandHigh : tuning_->UpperLimit;
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

void ScanEngine::MemScanUp() {
  if (SingleFirst < 1) return;
  Tuning& t = *tuning_;
  auto next = [this](std::int32_t f) {
    for (int p = SingleFirst; p <= SingleLast; ++p)
      if (SingleFrequency(p) > f && Selected(p)) return p;
    return 0;
  };
  int p = next(t.CurrentFrequency());
  if (p == 0) {
    t.Frequency[t.Window] = SingleFrequency(SingleFirst) - 1;
    p = next(t.CurrentFrequency());
  }
  if (p != 0) {
    t.Frequency[t.Window] = SingleFrequency(p);
    t.PrintDial();
  }
}

void ScanEngine::MemScanDown() {
  if (SingleFirst < 1) return;
  Tuning& t = *tuning_;
  auto next = [this](std::int32_t f) {
    for (int p = SingleLast; p >= SingleFirst; --p)
      if (SingleFrequency(p) < f && Selected(p)) return p;
    return 0;
  };
  int p = next(t.CurrentFrequency());
  if (p == 0) {
    t.Frequency[t.Window] = SingleFrequency(SingleLast) + 1;
    p = next(t.CurrentFrequency());
  }
  if (p != 0) {
    t.Frequency[t.Window] = SingleFrequency(p);
    t.PrintDial();
  }
}

void ScanEngine::Flash(FlashLamp lamp) {
  view_->ShowErrorFlash(lamp, true);
  host_->Delay(kFlashMs);
  view_->ShowErrorFlash(lamp, false);
}
