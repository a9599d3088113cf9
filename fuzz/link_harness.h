// The link alone, on the virtual clock, with a port that takes whatever bytes it is handed
// and views that draw nothing: for the parser's fuzz target and benchmark.
#pragma once

#include <deque>

#include "app/engine_wiring.h"
#include "base/virtual_host.h"
#include "civ/link.h"
#include "panel/knob.h"
#include "panel/meter.h"
#include "panel/tuning.h"
#include "scan/identification.h"
#include "scan/scan_engine.h"
#include "scope/band_scope.h"
#include "stations/station_list.h"

struct NullViews : TuningView,
                   MeterView,
                   LinkView,
                   KnobView,
                   ScanView,
                   IdentificationView,
                   BandScopeView {
  void ShowFrequency() override {}
  void ShowStep() override {}
  void ShowMode() override {}
  void ShowTrackBarPosition(int) override {}
  void ShowTrackBarRange(int, int) override {}
  void ShowWindowLamps(bool, bool, bool) override {}
  void ShowConverterLamp(bool) override {}
  void ShowScale(int) override {}
  void ShowAddress(const std::string&) override {}
  void FocusTrackBar() override {}
  void ShowSignal() override {}
  void ShowSquelchLabel(bool) override {}
  void ShowAttLamp(bool) override {}
  void ShowAck(bool) override {}
  void ShowNoAnswer(bool) override {}
  void ShowDimple(int) override {}
  void ShowArrows(int) override {}
  void ShowStopLamp(bool) override {}
  void ShowScanLamps(int) override {}
  void ShowResumeMode(int) override {}
  void ShowErrorFlash(FlashLamp, bool) override {}
  void ShowBandRow(const StationRow&) override {}
  void ShowStationRow(const StationRow&) override {}
  void ShowAutoModeLamps(bool) override {}
  void ShowMemoModeLamps(bool) override {}
  void ShowBandScanLamp(bool) override {}
  void ShowSingleScanLamp(bool) override {}
  void ShowTypeFilter(bool) override {}
  void ShowWidthLamps(int) override {}
  void ShowScopeCleared(int) override {}
  void ShowMarker(int) override {}
  void ShowBar(int, int, int, bool) override {}
  void ShowDemoText() override {}
  void ShowLoopLamp(bool) override {}
  void ShowWindowLabels(std::int32_t, std::int32_t, std::int32_t) override {}
};

class QueuePort : public Port {
 public:
  void Open(int, std::int32_t) override { open_ = true; }
  void Close() override { open_ = false; }
  bool IsOpen() const override { return open_; }
  void Write(const civ::Bytes&) override { ++writes; }
  int Read(std::uint8_t* buffer, int size) override {
    int n = 0;
    for (; n < size && !inbox.empty(); ++n) {
      buffer[n] = inbox.front();
      inbox.pop_front();
    }
    return n;
  }
  int InQueue() override { return static_cast<int>(inbox.size()); }

  std::deque<std::uint8_t> inbox;
  long writes = 0;

 private:
  bool open_ = true;
};

struct LinkHarness {
  LinkHarness() {
    host.SetPort(&port);
    BindEngine(host, tuning, link, meter, knob, scan, identification, bandScope, stations, views,
               views);
    tuning.LowerLimit = Tuning::kFallbackLower;
    tuning.UpperLimit = Tuning::kFallbackUpper;
  }
  // Hands the bytes to the port and raises the receive notification, as the watcher does;
  // then lets a millisecond pass, in which a parse posted for the rest runs.
  void Arrive(const std::uint8_t* data, std::size_t size) {
    port.inbox.insert(port.inbox.end(), data, data + size);
    link.Comm1CommReceive(port.InQueue());
    host.Delay(1);
  }

  VirtualHost host;
  QueuePort port;
  Tuning tuning;
  Link link;
  Meter meter;
  Knob knob;
  ScanEngine scan;
  Identification identification;
  StationList stations;
  BandScopeEngine bandScope;
  NullViews views;
};
