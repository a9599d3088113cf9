// Calls the tuning model and the link make into the band scope, the memory keys and the
// knob. The main window binds them to their owners; unbound ones do nothing.
#pragma once

#include <cstdint>
#include <functional>

struct PanelHooks {
  using Call = std::function<void()>;
  Call BandSet = [] {};
  Call Band_Up = [] {};
  Call Band_Down = [] {};
  Call BandLoop_Stop = [] {};
  Call SubDial_Up = [] {};
  Call SubDial_Down = [] {};
  Call FF_Cls = [] {};
  Call BandScopePrintDemo = [] {};
  Call BandScopeInit = [] {};
  Call BandScopeSignal = [] {};  // the signal reading's share of the band scope
  Call MemoryKeysPrint = [] {};
  // Keys the keyboard reaches.
  Call BandRun_BitBtnClick = [] {};
  Call M_SpeedButtonClick = [] {};
  std::function<void(int key)> M_ButtonClick = [](int) {};  // memory key 1..8
  std::function<bool()> SweepRunning = [] { return false; };
  // Where the converter lands the frequency: the band scope's marker in the new range.
  std::function<std::int32_t(std::int32_t current)> ConverterLanding = [](std::int32_t current) {
    return current;
  };
};
