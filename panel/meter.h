// Signal meter, squelch, AF gain and attenuator.
#pragma once

#include <cstdint>

class BandScopeControl;
class Host;
class Link;
class ScanControl;

// What the meter shows.
class MeterView {
 public:
  virtual ~MeterView() = default;
  virtual void ShowSignal() = 0;  // the bar for SignalLevel
  virtual void ShowSquelchLabel(bool open) = 0;
  virtual void ShowAttLamp(bool on) = 0;
  virtual void FocusTrackBar() = 0;
};

class Meter {
 public:
  int SignalLevel = 0;
  int SignalPeak = 0;
  int SquelchStatus = 0;
  bool AttOn = false;
  bool S_Color = false;
  // Position of AF_TrackBar: 0 is the top (highest gain), 31 the bottom (lowest).
  int AfPosition = 31;
  // Readings taken on line, counted as they come, so that a network client that tunes can
  // wait for the first one at the new frequency.
  std::uint32_t SignalReadings = 0;
  std::uint32_t SquelchReadings = 0;

  void Bind(Host& host, Link& link, MeterView& view) {
    host_ = &host;
    link_ = &link;
    view_ = &view;
  }
  // The scan engine, which takes its step after every squelch reading.
  void BindScan(ScanControl& scan) { scan_ = &scan; }
  // The band scope, which takes its share of every signal reading.
  void BindBandScope(BandScopeControl& bandScope) { bandScope_ = &bandScope; }

  // After every signal reading: the meter, then the band scope's share; the reading is used
  // once.
  void PrintSignal();
  // The meter bar alone, for the band scope's sweep.
  void Signal_Print() { view_->ShowSignal(); }
  // After every squelch reading: the "SIGNAL" label, then the scan engine's share.
  void PrintSquelch();
  void ATT_ButtonClick();
  void ATT_On();
  void ATT_Off();
  void AF_TrackBarChange(int position);

 private:
  Host* host_ = nullptr;
  Link* link_ = nullptr;
  MeterView* view_ = nullptr;
  ScanControl* scan_ = nullptr;
  BandScopeControl* bandScope_ = nullptr;
};
