// What the rest of the panel asks of the scan engine and of the identification: the keys
// that reach them and the calls tuning, knob, keyboard, meter and link make into them.
#pragma once

class ScanControl {
 public:
  virtual ~ScanControl() = default;
  virtual void UP_SC_ButtonClick() = 0;
  virtual void DW_SC_ButtonClick() = 0;
  virtual void ST_SC_ButtonClick() = 0;
  virtual void ST_SC_Stop() = 0;
  // Scan state stopped and both scan lamps silver, without the rest of a stop.
  virtual void ScanStopped() = 0;
  // The single scan's range in the single-frequency index.
  virtual void BandIdxScanSet() = 0;
  // The scan's share of a squelch reading: the next step, a hold or the end of the scan.
  virtual void PrintSquelch() = 0;
  // The scan's share of a signal level reading.
  virtual void SignalRead(int /*level*/) {}
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
