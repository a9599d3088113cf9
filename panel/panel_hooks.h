// Calls the tuning model and the link make into the scan engine, the band scope, the
// identification and the knob. The main window binds them to their owners; unbound ones do
// nothing.
#pragma once

#include <cstdint>
#include <functional>

struct PanelHooks {
  using Call = std::function<void()>;
  Call AutoMode_IdxChk = [] {};
  Call SelectIdxModeOff = [] {};  // switch the type filter off when it is on
  Call BandSet = [] {};
  Call Band_Up = [] {};
  Call Band_Down = [] {};
  Call BandLoop_Stop = [] {};
  Call BandIdxScanSet = [] {};
  Call ST_SC_Stop = [] {};
  Call ST_SC_ButtonClick = [] {};
  Call AutoScanErrPrt = [] {};  // the AutoMode lamp flashes red
  Call ScanStopped = [] {};     // scan state stopped, both scan lamps silver
  Call SubDial_Up = [] {};
  Call SubDial_Down = [] {};
  Call FF_Cls = [] {};
  Call BandScopePrintDemo = [] {};
  Call BandScopeInit = [] {};
  Call BandScopeSignal = [] {};  // the signal reading's share of the band scope
  Call ScanStep = [] {};         // the squelch reading's share of the scan engine
  Call ScanStopPrint = [] {};    // the scan resume symbol
  Call MemoryKeysPrint = [] {};
  // Keys the keyboard reaches.
  Call UP_SC_ButtonClick = [] {};
  Call DW_SC_ButtonClick = [] {};
  Call BandRun_BitBtnClick = [] {};
  Call AutoMode_ButtonClick = [] {};
  Call MemoMode_ButtonClick = [] {};
  Call M_SpeedButtonClick = [] {};
  std::function<void(int key)> M_ButtonClick = [](int) {};  // memory key 1..8
  std::function<bool()> SweepRunning = [] { return false; };
  // Where the converter lands the frequency: the band scope's marker in the new range.
  std::function<std::int32_t(std::int32_t current)> ConverterLanding = [](std::int32_t current) {
    return current;
  };
};
