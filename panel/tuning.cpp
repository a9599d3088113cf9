#include "panel/tuning.h"

#include <cmath>

#include "base/host.h"
#include "base/scan_control.h"
#include "civ/civ.h"
#include "civ/link.h"
#include "panel/knob.h"
#include "panel/meter.h"

void Tuning::ClampCurrent() {
  std::int32_t& f = Frequency[Window];
  if (f > UpperLimit) f = UpperLimit;
  if (f < LowerLimit) f = LowerLimit;
}

void Tuning::DialUp() {
  const std::int64_t f = Frequency[Window];
  std::int64_t s = Step[Window];
  std::int64_t next;
  if (f + s >= UpperLimit) {
    next = UpperLimit;
  } else {
    if (s == 0) s = Step[Window] = civ::DefaultStep;
    // The next multiple of the step strictly above f, counted from 0 Hz.
    next = static_cast<std::int64_t>(std::trunc(static_cast<double>(f) / s)) * s + s;
  }
  Frequency[Window] = static_cast<std::int32_t>(next);
  if (next != f) {
    knob_->SubDial_Up();
    bandScope_->Band_Up();
  }
}

void Tuning::DialDown() {
  const std::int64_t f = Frequency[Window];
  std::int64_t s = Step[Window];
  std::int64_t next;
  if (f <= static_cast<std::int64_t>(LowerLimit) + s) {
    next = LowerLimit;
  } else {
    if (s == 0) s = Step[Window] = civ::DefaultStep;
    // The next multiple of the step strictly below f.
    next = static_cast<std::int64_t>(std::trunc((static_cast<double>(f) - 0.5) / s)) * s;
  }
  Frequency[Window] = static_cast<std::int32_t>(next);
  if (next != f) {
    knob_->SubDial_Down();
    bandScope_->Band_Down();
  }
}

void Tuning::ChannelSend() {
  meter_->SignalLevel = 0;
  if (host_->PortOpen()) {
    const std::int64_t value =
        static_cast<std::int64_t>(Frequency[Window]) + (ConvertOn ? ConvertShift : 0);
    link_->FrequencySend(value);
    EntryActive = false;
  }
  identification_->AutoMode_IdxChk();
}

void Tuning::ChannelSendSub(std::int32_t frequency) {
  if (host_->PortOpen()) {
    const std::int64_t value =
        static_cast<std::int64_t>(frequency) + (ConvertOn ? ConvertShift : 0);
    link_->FrequencySend(value);
    EntryActive = false;
  }
  identification_->AutoMode_IdxChk();
}

void Tuning::ChannelStepOut(int index) {
  if (index < 0 || index >= civ::kStepCount) return;
  const auto i = static_cast<std::size_t>(index);
  Step[Window] = civ::StepTable[i];
  if (host_->PortOpen() && civ::StepCode[i] != civ::kNoStepCode) {
    host_->TimerStop();
    host_->WriteFrame(civ::SetStepFrame(link_->ReceiverAddress(), civ::StepCode[i]));
  }
}

void Tuning::ChannelStepOut2() {
  for (std::size_t i = 0; i < civ::StepTable.size(); ++i) {
    if (civ::StepTable[i] != Step[Window]) continue;
    if (host_->PortOpen() && civ::StepCode[i] != civ::kNoStepCode) {
      host_->TimerStop();
      host_->WriteFrame(civ::SetStepFrame(link_->ReceiverAddress(), civ::StepCode[i]));
    }
    return;
  }
}

void Tuning::ChannelModeOut() {
  // Mode 0 (a station or band stored without one), or a code the panel has no key for (the
  // receiver reported 00 00), leaves the receiver's mode as it is: the
  // receiver would refuse it, and the refusal would start the rewrite over and over.
  if (host_->PortOpen() && Mode[Window] >= 1 && Mode[Window] <= civ::kModeCount) {
    host_->TimerStop();
    host_->WriteFrame(civ::SetModeFrame(link_->ReceiverAddress(), Mode[Window]));
  }
  PrintMode();
}

void Tuning::PrintDial() {
  view_->ShowFrequency();
  view_->ShowTrackBarPosition(Frequency[Window] / 100000);
}

void Tuning::PrintStep() { view_->ShowStep(); }
void Tuning::PrintMode() { view_->ShowMode(); }

void Tuning::PrintWindow() {
  const bool open = host_->PortOpen();
  const bool a = open && Window == 1;
  const bool b = open && Window == 2;
  WindowLampsLit = a || b;
  view_->ShowWindowLamps(open, a, b);
}

void Tuning::SetTrackBarRange(bool raiseZeroMinimum) {
  const int maximum = UpperLimit / 100000;
  int minimum = LowerLimit / 100000;
  if (raiseZeroMinimum && minimum == 0) minimum = 1;
  view_->ShowTrackBarRange(minimum, maximum);
}

void Tuning::TrackBar1Change(int position) { TuneManually(position * 100000); }

void Tuning::TuneManually(std::int32_t frequency, bool signalWhenIdle) {
  if (bandScope_->Sweeping()) bandScope_->BandLoop_Stop();
  scan_->BandIdxScanSet();
  if (signalWhenIdle || scan_->Scanning()) scan_->ST_SC_Stop();
  identification_->SelectIdxModeOff();
  Frequency[Window] = frequency;
  PrintDial();
  ChannelSend();
  scan_->ScanStopped();
  bandScope_->BandSet();
  knob_->FF_Cls();
}

void Tuning::UpDown1Click(bool up) {
  identification_->SelectIdxModeOff();
  if (bandScope_->Sweeping()) {
    bandScope_->BandLoop_Stop();
  } else {
    if (up)
      DialUp();
    else
      DialDown();
    scan_->ScanStopped();
    ChannelSend();
    PrintDial();
  }
  view_->FocusTrackBar();
}

void Tuning::StepButtonClick(int index) {
  ChannelStepOut(index);
  PrintStep();
  bandScope_->BandSet();
  view_->FocusTrackBar();
}

void Tuning::ModeButtonClick(int mode) {
  Mode[Window] = static_cast<std::uint16_t>(mode);
  ChannelModeOut();
  view_->FocusTrackBar();
}

void Tuning::Win_Button0_Click() {
  view_->FocusTrackBar();
  SelectWindow(Window == 2 ? 1 : 2);
}

void Tuning::SelectWindow(int window) {
  identification_->SelectIdxModeOff();
  if (host_->PortOpen()) {
    Window = static_cast<std::uint16_t>(window);
    Win_Set(Window == 1 ? civ::kWindowA : civ::kWindowB);
  }
  identification_->AutoMode_IdxChk();
}

void Tuning::Win_Set(std::uint8_t window) {
  if (!host_->PortOpen()) return;
  host_->TimerStop();
  if (bandScope_->Sweeping()) bandScope_->BandLoop_Stop();
  host_->Delay(50);
  host_->WriteFrame(civ::SelectWindowFrame(link_->ReceiverAddress(), window));
  link_->Retuned();
  host_->Delay(50);
  meter_->ATT_Off();
  host_->Delay(50);
  link_->RadioReadSend();
  PrintWindow();
  bandScope_->BandSet();
}

void Tuning::Convert_ButtonClick() {
  view_->FocusTrackBar();
  std::int32_t& f = Frequency[Window];
  int interval;
  if (!ConvertOn) {
    ConvertOn = true;
    SavedLower = LowerLimit;
    SavedUpper = UpperLimit;
    UpperLimit = ConvertEnd;
    LowerLimit = ConvertStart;
    if (f > UpperLimit) f = UpperLimit;
    interval = 100;
  } else {
    ConvertOn = false;
    LowerLimit = SavedLower;
    UpperLimit = SavedUpper;
    if (f < LowerLimit) f = LowerLimit;
    interval = 200;
  }
  view_->ShowConverterLamp(ConvertOn);
  SetTrackBarRange(true);
  bandScope_->BandSet();
  f = bandScope_->ConverterLanding(f);
  ChannelSend();
  PrintDial();
  view_->ShowScale(interval);
}

void Tuning::Button1Click(int receiverModel) {
  view_->ShowAddress(civ::ReceiverAddressText(receiverModel));
}

std::string FrequencyText(std::int64_t frequency) {
  std::string digits = std::to_string(frequency);
  for (std::size_t fromRight : {6u, 3u})
    if (digits.size() > fromRight) digits.insert(digits.size() - fromRight, ".");
  return digits.size() >= 2 ? digits.substr(0, digits.size() - 2) : std::string();
}

std::string MemoFrequencyText(std::int64_t number) {
  std::string text = std::to_string(number);
  if (text.size() < 6) text.insert(0, 6 - text.size(), ' ');
  text = text.substr(text.size() - 6);
  return text.substr(0, 3) + "." + text.substr(3, 2);
}
