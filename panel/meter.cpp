#include "panel/meter.h"

#include "base/host.h"
#include "base/scan_control.h"
#include "civ/civ.h"
#include "civ/link.h"

void Meter::PrintSignal() {
  if (host_->PortOpen()) ++SignalReadings;
  if (!bandScope_->Sweeping()) view_->ShowSignal();
  bandScope_->PrintSignal();
  if (scan_) scan_->SignalRead(SignalLevel);
  SignalLevel = 0;
}

void Meter::PrintSquelch() {
  if (host_->PortOpen()) ++SquelchReadings;
  view_->ShowSquelchLabel(SquelchStatus > 0);
  scan_->PrintSquelch();
}

void Meter::ATT_ButtonClick() {
  view_->FocusTrackBar();
  if (!host_->PortOpen()) return;
  host_->TimerStop();
  host_->Delay(50);
  if (!AttOn)
    ATT_On();
  else
    ATT_Off();
}

void Meter::ATT_On() {
  host_->WriteFrame(civ::AttenuatorFrame(link_->ReceiverAddress(), true));
  AttOn = true;
  view_->ShowAttLamp(true);
}

void Meter::ATT_Off() {
  host_->WriteFrame(civ::AttenuatorFrame(link_->ReceiverAddress(), false));
  AttOn = false;
  view_->ShowAttLamp(false);
}

void Meter::AF_TrackBarChange(int position) {
  AfPosition = position;
  view_->FocusTrackBar();
  if (!host_->PortOpen()) return;
  host_->TimerStop();
  host_->WriteFrame(civ::AfGainFrame(link_->ReceiverAddress(), civ::AfLevel(position)));
}
