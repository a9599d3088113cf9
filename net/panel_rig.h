// The front panel behind the network control port: each request runs through the same
// routines as the panel's own keys, and readings come from what the polling already holds.
#pragma once

#include "net/rigctl_protocol.h"

class Host;
class Meter;
class Tuning;
struct PanelHooks;

namespace net {

// What the panel shows for a network request that the keys' routines do not draw themselves.
class PanelRigView {
 public:
  virtual ~PanelRigView() = default;
  virtual void ShowAfPosition(int position) = 0;  // AF_TrackBar, not counted as a user move
};

class PanelRig : public RigPanel {
 public:
  void Bind(Host& host, Tuning& tuning, Meter& meter, PanelHooks& hooks, PanelRigView& view) {
    host_ = &host;
    tuning_ = &tuning;
    meter_ = &meter;
    hooks_ = &hooks;
    view_ = &view;
  }

  std::int32_t Frequency() const override;
  std::int32_t LowerLimit() const override;
  std::int32_t UpperLimit() const override;
  void TuneTo(std::int32_t hz) override;
  int Mode() const override;
  void SetMode(int mode) override;
  int Window() const override;
  bool SelectWindow(int window) override;
  int SignalReading() const override;
  bool SquelchOpen() const override;
  int AfPosition() const override;
  void SetAfPosition(int position) override;
  bool AttOn() const override;
  bool SetAtt(bool on) override;

 private:
  // A running scan or sweep ends as it does when the user takes the knob or the track bar.
  void StopForManualTuning();

  Host* host_ = nullptr;
  Tuning* tuning_ = nullptr;
  Meter* meter_ = nullptr;
  PanelHooks* hooks_ = nullptr;
  PanelRigView* view_ = nullptr;
};

}  // namespace net
