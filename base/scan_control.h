// What the rest of the panel asks of the scan engine, the identification, the band scope and
// the memory keys: the keys that reach them and the calls tuning, knob, keyboard, meter and
// link make into them.
#pragma once

#include <cstdint>

class ScanControl {
 public:
  virtual ~ScanControl() = default;
  virtual void UP_SC_ButtonClick() = 0;
  virtual void DW_SC_ButtonClick() = 0;
  virtual void ST_SC_ButtonClick() = 0;
  virtual void ST_SC_Stop() = 0;
  // A scan runs (ScanState is not 0).
  virtual bool Scanning() const = 0;
  // Scan state stopped and both scan lamps silver, without the rest of a stop.
  virtual void ScanStopped() = 0;
  // The single scan's range in the single-frequency index.
  virtual void BandIdxScanSet() = 0;
  // The scan's share of a squelch reading: the next step, a hold or the end of the scan.
  virtual void PrintSquelch() = 0;
  // The scan's share of a signal level reading.
  virtual void SignalRead(int /*level*/) {}
  // The skip key: the frequency the panel holds goes on the skip list.
  virtual void SkipHeld() {}
};

class IdentificationControl {
 public:
  virtual ~IdentificationControl() = default;
  // Names the band and the station on the tuned frequency.
  virtual void AutoMode_IdxChk() = 0;
  // Switches the type filter off when it is on.
  virtual void SelectIdxModeOff() = 0;
  virtual void AutoMode_ButtonClick() = 0;
  virtual void MemoMode_ButtonClick() = 0;
};

class BandScopeControl {
 public:
  virtual ~BandScopeControl() = default;
  // SweepRunning: a sweep is under way.
  virtual bool Sweeping() const = 0;
  // Ends the loop; a running sweep ends with its next reading.
  virtual void BandLoop_Stop() = 0;
  // The window re-centred on the tuned frequency, kept inside the limits.
  virtual void BandSet() = 0;
  // The tuning step moved the frequency: the marker follows.
  virtual void Band_Up() = 0;
  virtual void Band_Down() = 0;
  // The picture cleared and the marker in the middle (going off line).
  virtual void BandScopeInit() = 0;
  // The demonstration picture after the port failed to open.
  virtual void BandScopePrintDemo() = 0;
  // The signal reading's share: the sweep's next point, or the bar under the marker.
  virtual void PrintSignal() = 0;
  // The sweep key (also keypad * on TrackBar1).
  virtual void BandRun_BitBtnClick() = 0;
  // Where the converter lands the frequency: the marker's point of the re-centred window.
  virtual std::int32_t ConverterLanding(std::int32_t current) const = 0;
};

class MemoryKeysControl {
 public:
  virtual ~MemoryKeysControl() = default;
  // Memory key 1..8 (also the function keys F1 .. F8).
  virtual void M_ButtonClick(int key) = 0;
  // "&M" (also F9): store mode on or off.
  virtual void M_SpeedButtonClick() = 0;
};
