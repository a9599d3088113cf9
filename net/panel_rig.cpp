#include "net/panel_rig.h"

#include "base/host.h"
#include "base/scan_control.h"
#include "civ/civ.h"
#include "civ/link.h"
#include "panel/meter.h"
#include "panel/tuning.h"
#include "scan/scan_engine.h"
#include "scope/band_scope.h"

namespace net {

std::int32_t PanelRig::Frequency() const { return tuning_->CurrentFrequency(); }
std::int32_t PanelRig::LowerLimit() const { return tuning_->LowerLimit; }
std::int32_t PanelRig::UpperLimit() const { return tuning_->UpperLimit; }

void PanelRig::TuneTo(std::int32_t hz) { tuning_->TuneManually(hz, false); }

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

std::int32_t PanelRig::WindowFrequency(int window) const {
  return window == 1 || window == 2 ? tuning_->Frequency[static_cast<std::size_t>(window)] : 0;
}

int PanelRig::WindowMode(int window) const {
  return window == 1 || window == 2 ? tuning_->Mode[static_cast<std::size_t>(window)] : 0;
}

bool PanelRig::OnLine() const { return host_->PortOpen(); }

std::uint32_t PanelRig::ReadingsTaken(bool squelch) const {
  return squelch ? meter_->SquelchReadings : meter_->SignalReadings;
}

std::int32_t PanelRig::LineBaud() const {
  return link_ && host_->PortOpen() ? link_->BaudRate() : 0;
}

void PanelRig::AskReading(bool squelch) {
  // A running scan or sweep asks for its own readings; a query of ours would take its place.
  if (!link_ || !host_->PortOpen() || (scan_ && scan_->ScanState != 0) ||
      (bandScope_ && bandScope_->Sweeping()))
    return;
  if (squelch)
    link_->SquelchSend();
  else
    link_->RadioSignal();
}

bool PanelRig::Scan(int direction) {
  if (!scan_) return false;
  // As the scan keys; off line the scan key only lights its lamp, so it is refused here.
  if (direction == 0) {
    if (scan_->ScanState != 0) scan_->ST_SC_ButtonClick();
    return true;
  }
  if (!host_->PortOpen()) return false;
  if (direction > 0)
    scan_->UP_SC_ButtonClick();
  else
    scan_->DW_SC_ButtonClick();
  return true;
}

int PanelRig::ScanDirection() const {
  if (!scan_) return 0;
  return scan_->ScanState == 1 ? 1 : scan_->ScanState == 2 ? -1 : 0;
}

bool PanelRig::Sweep(bool start) {
  if (!bandScope_ || !host_->PortOpen()) return false;
  // The sweep key starts a sweep and, pressed during one, ends it. It is pressed from the
  // event loop: a sweep runs inside its key's handler, which the request must not wait for.
  host_->Post([this, start] {
    if (host_->PortOpen() && start != bandScope_->Sweeping()) bandScope_->BandRun_BitBtnClick();
  });
  return true;
}

bool PanelRig::Sweeping() const { return bandScope_ && bandScope_->Sweeping(); }

std::vector<int> PanelRig::SweepLevels(std::int32_t& start, std::int32_t& spacing) const {
  if (!bandScope_) return {};
  start = bandScope_->LastSweepStart;
  spacing = bandScope_->LastSweepStep;
  return bandScope_->LastSweep;
}

}  // namespace net
