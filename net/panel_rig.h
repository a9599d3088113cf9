// The front panel behind the network control port: each request runs through the same
// routines as the panel's own keys, and readings come from what the polling already holds.
#pragma once

#include "net/rigctl_protocol.h"

class BandScopeEngine;
class Host;
class Link;
class Meter;
class ScanEngine;
class Tuning;

namespace net {

// What the panel shows for a network request that the keys' routines do not draw themselves.
class PanelRigView {
 public:
  virtual ~PanelRigView() = default;
  virtual void ShowAfPosition(int position) = 0;  // AF_TrackBar, not counted as a user move
};

class PanelRig : public RigPanel {
 public:
  void Bind(Host& host, Tuning& tuning, Meter& meter, PanelRigView& view) {
    host_ = &host;
    tuning_ = &tuning;
    meter_ = &meter;
    view_ = &view;
  }
  // The scan and the sweep, which network clients may start and stop as their keys do, and
  // the link that asks the receiver for a reading.
  void BindScan(ScanEngine& scan, BandScopeEngine& bandScope, Link& link) {
    scan_ = &scan;
    bandScope_ = &bandScope;
    link_ = &link;
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
  std::int32_t WindowFrequency(int window) const override;
  int WindowMode(int window) const override;
  bool OnLine() const override;
  std::uint32_t ReadingsTaken(bool squelch) const override;
  void AskReading(bool squelch) override;
  std::int32_t LineBaud() const override;
  bool Scan(int direction) override;
  int ScanDirection() const override;
  bool Sweep(bool start) override;
  bool Sweeping() const override;
  std::vector<int> SweepLevels(std::int32_t& start, std::int32_t& spacing) const override;

 private:
  Host* host_ = nullptr;
  Tuning* tuning_ = nullptr;
  Meter* meter_ = nullptr;
  PanelRigView* view_ = nullptr;
  ScanEngine* scan_ = nullptr;
  BandScopeEngine* bandScope_ = nullptr;
  Link* link_ = nullptr;
};

}  // namespace net
