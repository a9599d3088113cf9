// Stands in for the scan engine and the identification where a test only wants to see
// which of their doors the panel knocks on, in order.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "scan/scan_control.h"

struct ControlCalls : ScanControl, IdentificationControl {
  void UP_SC_ButtonClick() override { Note("up"); }
  void DW_SC_ButtonClick() override { Note("down"); }
  void ST_SC_ButtonClick() override { Note("stop"); }
  void ST_SC_Stop() override { Note("ST_SC_Stop"); }
  void ScanStopped() override { Note("ScanStopped"); }
  void BandIdxScanSet() override { Note("BandIdxScanSet"); }
  void PrintSquelch() override { Note("PrintSquelch"); }
  void AutoMode_IdxChk() override { Note("AutoMode_IdxChk"); }
  void SelectIdxModeOff() override { Note("SelectIdxModeOff"); }
  void AutoMode_ButtonClick() override { Note("auto"); }
  void MemoMode_ButtonClick() override { Note("memo"); }

  int Count(const std::string& name) const {
    int n = 0;
    for (const auto& c : calls) n += c == name;
    return n;
  }
  void Note(const std::string& name) {
    calls.push_back(name);
    if (onCall) onCall(name);
  }

  std::vector<std::string> calls;
  std::function<void(const std::string&)> onCall;
};
