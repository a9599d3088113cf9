// Stands in for the scan engine, the identification, the band scope and the memory keys where
// a test only wants to see which of their doors the panel knocks on, in order.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "base/scan_control.h"

struct ControlCalls : ScanControl, IdentificationControl, BandScopeControl, MemoryKeysControl {
  void UP_SC_ButtonClick() override { Note("up"); }
  void DW_SC_ButtonClick() override { Note("down"); }
  void ST_SC_ButtonClick() override { Note("stop"); }
  void ST_SC_Stop() override { Note("ST_SC_Stop"); }
  void ScanStopped() override { Note("ScanStopped"); }
  bool Scanning() const override { return scanning; }
  void BandIdxScanSet() override { Note("BandIdxScanSet"); }
  void PrintSquelch() override { Note("PrintSquelch"); }
  void AutoMode_IdxChk() override { Note("AutoMode_IdxChk"); }
  void SelectIdxModeOff() override { Note("SelectIdxModeOff"); }
  void AutoMode_ButtonClick() override { Note("auto"); }
  void MemoMode_ButtonClick() override { Note("memo"); }
  // The band scope's question is answered from `sweeping` and not noted.
  bool Sweeping() const override { return sweeping; }
  void BandLoop_Stop() override { Note("BandLoop_Stop"); }
  void BandSet() override { Note("BandSet"); }
  void Band_Up() override { Note("Band_Up"); }
  void Band_Down() override { Note("Band_Down"); }
  void BandScopeInit() override { Note("BandScopeInit"); }
  void BandScopePrintDemo() override { Note("BandScopePrintDemo"); }
  void PrintSignal() override { Note("PrintSignal"); }
  void BandRun_BitBtnClick() override { Note("sweep"); }
  std::int32_t ConverterLanding(std::int32_t current) const override { return current; }
  void M_ButtonClick(int key) override { Note("F" + std::to_string(key)); }
  void M_SpeedButtonClick() override { Note("store"); }

  int Count(const std::string& name) const {
    int n = 0;
    for (const auto& c : calls) n += c == name;
    return n;
  }
  void Note(const std::string& name) {
    calls.push_back(name);
    if (onCall) onCall(name);
  }

  bool sweeping = false;
  bool scanning = false;
  std::vector<std::string> calls;
  std::function<void(const std::string&)> onCall;
};
