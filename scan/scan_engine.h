// The scan engine: steps the receiver up or down, one step per squelch reading, over the
// whole range, inside the identified band (band scan) or over the single-frequency stations
// of the list (single scan), and stops or pauses on signals by the resume rule in force.
// It has no thread and no timer of its own: each squelch reply takes the next step.
#pragma once

#include <cstdint>
#include <string>

#include "base/scan_control.h"
#include "scanlog/scan_log.h"

class Host;
class Identification;
class Knob;
class Link;
class Meter;
class SkipList;
class StationList;
class Tuning;

// The lamps a refused action flashes red.
enum class FlashLamp { AutoMode, SingleScan, MemoMode };

// What the scan engine shows.
class ScanView {
 public:
  virtual ~ScanView() = default;
  // ScanUP_Panel lime while scanning up (1), ScanDW_Panel while scanning down (2).
  virtual void ShowScanLamps(int scanState) = 0;
  // SignalLabel: lime while open, else Main_Panel's colour (set only when it differs).
  virtual void ShowSquelchLabel(bool open) = 0;
  // The resume rule's symbol in the readout.
  virtual void ShowResumeMode(int resumeMode) = 0;
  // red: remember the lamp's colour and paint it red; otherwise give it back its colour.
  virtual void ShowErrorFlash(FlashLamp lamp, bool red) = 0;
  // The skip list could not be written (the skip holds for this run anyway).
  virtual void ShowSkipSaveFailed(const std::string& /*message*/) {}
};

class ScanEngine : public ScanControl {
 public:
  static constexpr int kFlashMs = 500;
  static constexpr int kReverseMs = 100;
  static constexpr int kDemoTickMs = 10;
  // Under "- - -" the scan goes on this long after the first open reading.
  static constexpr int kPauseMs = 300;

  enum : std::int16_t { kStopped = 0, kUp = 1, kDown = 2 };
  enum : std::int16_t { kOff = 0, kDelay = 1, kInfinite = 2, kPause = 3 };

  std::int16_t ScanState = 0;   // 0 stopped, 1 up, 2 down
  std::int16_t ScanMode = 0;    // resume rule chosen in the options
  std::int16_t ResumeMode = 0;  // resume rule in force
  int ScanTime = 30;
  int StopTime = 5000;
  std::uint32_t StopTick = 0;  // when the current signal stop began; 0 none
  bool BandScan = false;
  bool SingleScan = false;
  // Positions in the single-frequency index of the first and last station in the scan
  // range; both 0 when none is.
  int SingleFirst = 0;
  int SingleLast = 0;

  void Bind(Host& host, Tuning& tuning, Link& link, Meter& meter, Knob& knob, StationList& stations,
            Identification& identification, BandScopeControl& bandScope, ScanView& view) {
    host_ = &host;
    tuning_ = &tuning;
    link_ = &link;
    meter_ = &meter;
    knob_ = &knob;
    stations_ = &stations;
    identification_ = &identification;
    bandScope_ = &bandScope;
    view_ = &view;
  }

  // Who hears of the scan's stops on signals (the scan log).
  void BindStops(ScanStopObserver& stops) { stops_ = &stops; }

  // Skips and the priority watch. Channels near a skipped frequency are stepped over unread.
  // While a scan runs or holds, every PriorityInterval ms the priority frequency is tuned and
  // read in place of a step; an open squelch there is a stop like any other.
  static constexpr int kPriorityIntervalMin = 500, kPriorityIntervalMax = 60000;
  std::int32_t Priority = 0;  // Hz, 0 = off
  int PriorityInterval = 2000;
  void BindSkips(SkipList& skips) { skips_ = &skips; }
  // The frequency held goes on the skip list (named as the station row names it), and a scan
  // holding there steps on. `temporary`: until the program ends.
  void SkipAdd(bool temporary);
  void SkipHeld() override { SkipAdd(false); }
  // A priority check is out: the reading expected is the priority frequency's.
  bool PriorityChecking() const { return priorityChecking_; }

  // ScanControl.
  void UP_SC_ButtonClick() override;
  void DW_SC_ButtonClick() override;
  void ST_SC_ButtonClick() override;
  void ST_SC_Stop() override;
  void ScanStopped() override;
  bool Scanning() const override { return ScanState != kStopped; }
  void BandIdxScanSet() override;
  void PrintSquelch() override;
  void SignalRead(int level) override;

  // "DELA&Y": the next resume rule.
  void ScanButtonClick();
  void ScanStop_Digital_Print();

  // Single-scan stepping over SingleFirst..SingleLast in a direction (kUp, kDown), with
  // wrap-around; false, with the frequency left as it was, when no station passes the type
  // filter.
  bool MemScan(std::int16_t direction);

  // Error flashes: the lamp red for half a second.
  void AutoScanErrPrt() { Flash(FlashLamp::AutoMode); }
  void SingleScanErrPrt() { Flash(FlashLamp::SingleScan); }
  void MemoScanErrPrt() { Flash(FlashLamp::MemoMode); }

 private:
  void StartScan(std::int16_t direction);
  // One scan step in a direction (kUp, kDown): the next channel, the wrap at a band edge,
  // or the end of the scan; then the wait and the squelch request.
  void Step(std::int16_t direction);
  // What the scan covers: the band (or gap) under band scan, else the receiver's range,
  // never beyond the receiver's limits.
  struct Range {
    std::int32_t low, high;
  };
  Range ScanRange() const;
  // Whether a station of the single scan's range passes the type filter.
  bool SingleStationToScan() const;
  void ResetSquelchLabel();
  void Flash(FlashLamp lamp);
  // Whether the station at a position of the single-frequency index passes the type filter.
  bool Selected(int position) const;
  std::int32_t SingleFrequency(int position) const;
  // A stop on a signal: begins at an open reading of a scan, ends when the scan steps on or
  // stops, the squelch closes, or the receiver is tuned elsewhere.
  void BeginStop();
  void EndStop();
  // The priority watch: whether a check is due, the check itself, and its reading.
  bool PriorityDue() const;
  void PriorityCheck();
  void PriorityRead();
  // Back to where the scan stood before a priority check or its stop.
  void ReturnFromPriority();

  Host* host_ = nullptr;
  Tuning* tuning_ = nullptr;
  Link* link_ = nullptr;
  Meter* meter_ = nullptr;
  Knob* knob_ = nullptr;
  StationList* stations_ = nullptr;
  Identification* identification_ = nullptr;
  BandScopeControl* bandScope_ = nullptr;
  ScanView* view_ = nullptr;
  ScanStopObserver* stops_ = nullptr;
  bool holding_ = false;
  std::int32_t holdFrequency_ = 0;
  SkipList* skips_ = nullptr;
  bool priorityChecking_ = false;
  std::int32_t resumeAt_ = 0;  // where the scan stood before the priority check; 0 none
  std::uint32_t priorityTick_ = 0;
};

class IniFile;
// Section "SCAN" of the settings file: "Priority" (Hz, 0 = off) and "PriorityInterval" (ms).
void ReadPrioritySettings(const IniFile& ini, ScanEngine& scan);
void WritePrioritySettings(IniFile& ini, const ScanEngine& scan);
