// The engine wired as the main window wires it, on the virtual clock with a scripted
// receiver and views that remember what they were told.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "app/engine_wiring.h"
#include "base/virtual_host.h"
#include "civ/link.h"
#include "memory/memory_keys.h"
#include "panel/knob.h"
#include "panel/meter.h"
#include "panel/tuning.h"
#include "scan/identification.h"
#include "scan/scan_engine.h"
#include "scope/band_scope.h"
#include "scripted_receiver.h"
#include "stations/station_list.h"

struct RecordingView : TuningView, MeterView, LinkView, KnobView, ScanView, IdentificationView {
  void ShowFrequency() override { ++frequencyDraws; }
  void ShowStep() override { ++stepDraws; }
  void ShowMode() override { ++modeDraws; }
  void ShowTrackBarPosition(int position) override { trackBarPosition = position; }
  void ShowTrackBarRange(int minimum, int maximum) override {
    trackBarMin = minimum;
    trackBarMax = maximum;
  }
  void ShowWindowLamps(bool onLine, bool a, bool b) override {
    onLineLamp = onLine;
    lampA = a;
    lampB = b;
    ++lampDraws;
  }
  void ShowConverterLamp(bool on) override { converterLamp = on; }
  void ShowScale(int interval) override { scaleInterval = interval; }
  void ShowAddress(const std::string& text) override { address = text; }
  void FocusTrackBar() override { ++focusReturns; }
  void ShowSignal() override { signalsDrawn.push_back(-1); }
  void ShowSquelchLabel(bool open) override { squelchLabel = open; }
  void ShowAttLamp(bool on) override { attLamp = on; }
  void ShowAck(bool ng) override { ngLamp = ng; }
  void ShowNoAnswer(bool portOpened) override { noAnswers.push_back(portOpened); }
  void ShowDimple(int position) override { dimple = position; }
  void ShowArrows(int lit) override { arrows = lit; }
  void ShowStopLamp(bool) override {}
  void ShowScanLamps(int state) override { scanLamps = state; }
  void ShowResumeMode(int mode) override { resumeSymbol = mode; }
  void ShowErrorFlash(FlashLamp lamp, bool red) override {
    if (red) flashes.push_back(lamp);
    flashRed = red;
  }
  void ShowBandRow(const StationRow& row) override { bandRow = row; }
  void ShowStationRow(const StationRow& row) override { stationRow = row; }
  void ShowAutoModeLamps(bool on) override { autoLamp = on; }
  void ShowMemoModeLamps(bool on) override { memoLamp = on; }
  void ShowBandScanLamp(bool on) override { bandScanLamp = on; }
  void ShowSingleScanLamp(bool on) override { singleScanLamp = on; }
  void ShowTypeFilter(bool on) override { typeFilter = on; }

  int frequencyDraws = 0, stepDraws = 0, modeDraws = 0, lampDraws = 0, focusReturns = 0;
  int trackBarPosition = -1, trackBarMin = -1, trackBarMax = -1, scaleInterval = 0;
  bool onLineLamp = false, lampA = false, lampB = false, converterLamp = false;
  bool squelchLabel = false, attLamp = false, ngLamp = false;
  std::vector<bool> noAnswers;  // each no-answer notice: whether the port had opened
  std::string address;
  std::vector<int> signalsDrawn;
  int dimple = 1, arrows = 0, scanLamps = 0, resumeSymbol = -1;
  std::vector<FlashLamp> flashes;
  bool flashRed = false;
  StationRow bandRow, stationRow;
  bool autoLamp = false, memoLamp = false, bandScanLamp = false, singleScanLamp = false;
  bool typeFilter = false;
};

// The band scope's and the memory keys' views.
struct ScopeView : BandScopeView, MemoryKeysView {
  struct Bar {
    int point, level;
    bool operator==(const Bar&) const = default;
  };
  void ShowWidthLamps(int w) override { widthLamp = w; }
  void ShowScopeCleared(int points) override {
    ++clears;
    trackMax = points;
    bars.clear();
  }
  void ShowMarker(int position) override { marker = position; }
  void ShowBar(int point, int level, int, bool) override { bars.push_back({point, level}); }
  void ShowDemoText() override { demoText = true; }
  void ShowLoopLamp(bool on) override { loopLamp = on; }
  void FocusTrackBar() override { ++focusReturns; }
  void ShowWindowLabels(std::int32_t f, std::int32_t, std::int32_t l) override { labels = {f, l}; }
  void ShowMemoryCaption(int key, const std::string& caption) override {
    captions[static_cast<std::size_t>(key)] = caption;
  }
  void ShowMemoryStrip(int key, Strip colour) override {
    strips[static_cast<std::size_t>(key)] = colour;
  }
  void ShowStoreKey(bool down) override { storeKeyDown = down; }
  void RedrawPanel() override { ++panelRedraws; }

  int widthLamp = 0, clears = 0, trackMax = 0, marker = 0, focusReturns = 0, panelRedraws = 0;
  bool demoText = false, loopLamp = false, storeKeyDown = false;
  std::vector<Bar> bars;
  std::pair<std::int32_t, std::int32_t> labels;
  std::array<std::string, 9> captions;
  std::array<Strip, 9> strips{};
};

struct Rig {
  Rig() {
    BindEngine(host, tuning, link, meter, knob, scan, identification, bandScope, stations, view,
               scope);
    memory.Bind(tuning, stations, bandScope, identification, scope);
    host.SetTimerHandler([this] { link.Timer1Timer(); });
    host.SetWatch([this] { link.WatchPolling(); });
  }
  // Start-up as far as the link goes: open, learn the range, clamp, step in.
  void StartUp() {
    tuning.Frequency[1] = tuning.Frequency[2] = tuning.LowerLimit;
    link.ComOpen();
    link.ComStartRead();
    tuning.ClampCurrent();
    tuning.SavedLower = tuning.LowerLimit;
    tuning.SavedUpper = tuning.UpperLimit;
    link.RadioStartSend();
    host.Delay(1000);
  }

  VirtualHost host;
  Tuning tuning;
  Link link;
  Meter meter;
  Knob knob;
  ScanEngine scan;
  Identification identification;
  StationList stations;
  BandScopeEngine bandScope;
  MemoryKeys memory;
  RecordingView view;
  ScopeView scope;
  ScriptedReceiver rx{host, link};
};
