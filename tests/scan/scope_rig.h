// The band scope and the memory keys wired as the main window wires them, on the virtual
// clock with the scripted receiver; the views remember what they were told.
#pragma once

#include <array>
#include <string>
#include <utility>
#include <vector>

#include "civ/civ.h"
#include "panel/knob.h"
#include "scan/band_scope.h"
#include "scan/identification.h"
#include "scan/memory_keys.h"
#include "stations/station_list.h"
#include "support/rig.h"

struct ScopeView : BandScopeView, MemoryKeysView, KnobView {
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
  void ShowMemoryCaption(int key, const std::string& caption) override {
    captions[static_cast<std::size_t>(key)] = caption;
  }
  void ShowMemoryStrip(int key, Strip colour) override {
    strips[static_cast<std::size_t>(key)] = colour;
  }
  void ShowStoreKey(bool down) override { storeKeyDown = down; }
  void RedrawPanel() override { ++panelRedraws; }
  void ShowDimple(int position) override { dimple = position; }
  void ShowArrows(int lit) override { arrows = lit; }
  void ShowStopLamp(bool) override {}

  int widthLamp = 0, clears = 0, trackMax = 0, marker = 0, focusReturns = 0, panelRedraws = 0;
  int dimple = 1, arrows = 0;
  bool demoText = false, loopLamp = false, storeKeyDown = false;
  std::vector<Bar> bars;
  std::array<std::string, 9> captions;
  std::array<Strip, 9> strips{};
};

struct ScopeRig : Rig {
  ScopeRig() {
    tuning.LowerLimit = Tuning::kFallbackLower;
    tuning.UpperLimit = Tuning::kFallbackUpper;
    knob.Bind(tuning, hooks, scope);
    bandScope.Bind(host, tuning, link, meter, knob, scan, identification, scope);
    memory.Bind(tuning, stations, bandScope, identification, scope);
    hooks.SubDial_Up = [this] { knob.SubDial_Up(); };
    hooks.SubDial_Down = [this] { knob.SubDial_Down(); };
    hooks.BandSet = [this] { bandScope.BandSet(); };
    hooks.Band_Up = [this] { bandScope.Band_Up(); };
    hooks.Band_Down = [this] { bandScope.Band_Down(); };
    hooks.BandLoop_Stop = [this] { bandScope.BandLoop_Stop(); };
    hooks.SweepRunning = [this] { return bandScope.SweepRunning; };
    hooks.BandScopeSignal = [this] { bandScope.PrintSignal(); };
    hooks.ConverterLanding = [this](std::int32_t f) { return bandScope.ConverterLanding(f); };
    identification.AutoMode = false;
    bandScope.Band_ButtonSet();
    bandScope.BandScopeInit();
  }
  // On line at 145 MHz, FM, 20 kHz, the scope centred there.
  void OnLine(std::int32_t f = 145000000, std::int32_t step = 20000) {
    rx.Open(1, 9600);
    tuning.Frequency[1] = f;
    tuning.Step[1] = step;
    tuning.Mode[1] = 5;
    bandScope.FollowTunedFrequency();
    rx.ClearLog();
  }
  // The receiver hears `level(f)` at its tuned frequency f.
  template <typename F>
  void Carriers(F level) {
    rx.script = [this, level](const std::string& hex) -> std::optional<std::string> {
      if (hex != civ::FrameText(civ::ReadSignalFrame(0x34))) return std::nullopt;
      const int v = level(rx.frequency);
      const std::string digits = std::to_string(10000 + v).substr(1);
      return "FEFEE0341502" + digits + "FD";
    };
  }
  // Waits until the sweep has ended, at most `ms`.
  bool SweepEnds(int ms = 20000) {
    for (int waited = 0; waited < ms && bandScope.SweepRunning; waited += 10) host.Delay(10);
    return !bandScope.SweepRunning;
  }
  // The frequencies of the frequency frames written, in order.
  std::vector<std::int32_t> Tuned() const {
    std::vector<std::int32_t> out;
    for (const auto& hex : rx.Frames())
      if (hex.rfind("FEFE34E000", 0) == 0)
        out.push_back(civ::BcdTextToFrequency(hex.substr(10, 10)));
    return out;
  }

  Knob knob;
  Identification identification;
  BandScopeEngine bandScope;
  StationList stations;
  MemoryKeys memory;
  ScopeView scope;
};
