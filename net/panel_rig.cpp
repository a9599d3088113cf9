#include "net/panel_rig.h"

#include "base/host.h"
#include "civ/civ.h"
#include "panel/meter.h"
#include "panel/tuning.h"

namespace net {

std::int32_t PanelRig::Frequency() const { return tuning_->CurrentFrequency(); }
std::int32_t PanelRig::LowerLimit() const { return tuning_->LowerLimit; }
std::int32_t PanelRig::UpperLimit() const { return tuning_->UpperLimit; }

void PanelRig::TuneTo(std::int32_t hz) { tuning_->TuneManually(hz); }

int PanelRig::Mode() const { return tuning_->Mode[tuning_->Window]; }

void PanelRig::SetMode(int mode) {
  // As a mode key, without taking the keyboard focus from the user.
  tuning_->Mode[tuning_->Window] = static_cast<std::uint16_t>(mode);
  tuning_->ChannelModeOut();
}

int PanelRig::Window() const { return tuning_->Window; }

bool PanelRig::SelectWindow(int window) {
  // As the window key, to a named window; off line the window cannot change.
  if (!host_->PortOpen()) return false;
  tuning_->SelectWindow(window);
  return true;
}

int PanelRig::SignalReading() const {
  // The last reading the polling brought; off line there is none.
  return host_->PortOpen() ? meter_->SignalPeak : 0;
}

bool PanelRig::SquelchOpen() const { return host_->PortOpen() && meter_->SquelchStatus > 0; }

int PanelRig::AfPosition() const { return meter_->AfPosition; }

void PanelRig::SetAfPosition(int position) {
  view_->ShowAfPosition(position);
  meter_->AF_TrackBarChange(position);
}

bool PanelRig::AttOn() const { return meter_->AttOn; }

bool PanelRig::SetAtt(bool on) {
  if (!host_->PortOpen()) return false;
  // The ATT key toggles; it is pressed only when the state differs.
  if (on != meter_->AttOn) meter_->ATT_ButtonClick();
  return true;
}

}  // namespace net
