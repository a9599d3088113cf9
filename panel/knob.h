// The tuning knob: a drag around it tunes up or down, the finger dimple follows, and the
// two fast-forward arrows and the stop lamp show what it does.
#pragma once

#include <array>

class BandScopeControl;
class IdentificationControl;
class ScanControl;
class Tuning;

// What the knob shows.
class KnobView {
 public:
  virtual ~KnobView() = default;
  virtual void ShowDimple(int position) = 0;  // 1..16
  virtual void ShowArrows(int lit) = 0;       // 0 none, 1 right (up), 2 left (down)
  virtual void ShowStopLamp(bool on) = 0;
};

// What tuning asks of the knob: the dimple follows a step, and the arrows are cleared.
class KnobControl {
 public:
  virtual ~KnobControl() = default;
  virtual void SubDial_Up() = 0;
  virtual void SubDial_Down() = 0;
  virtual void FF_Cls() = 0;
};

// The dimple's top-left corner from the knob image's top-left corner, clockwise from the top.
inline constexpr std::array<int, 17> kDimpleX = {0,  30, 37, 41, 45, 46, 45, 42, 37,
                                                 30, 23, 18, 14, 13, 14, 17, 23};
inline constexpr std::array<int, 17> kDimpleY = {0,  14, 15, 17, 22, 29, 36, 41, 45,
                                                 46, 45, 42, 37, 30, 23, 19, 15};

// The speed of a mouse move of m pixels (Manhattan distance).
int DialSpeedOf(int m);
// The turning direction a move from (x0, y0) to (x, y) gives on a knob of the given size:
// 1 clockwise, 2 counter-clockwise, or `previous` for moves that say nothing.
int DialDirectionOf(int x0, int y0, int x, int y, int width, int height, int previous);

class Knob : public KnobControl {
 public:
  int DimplePosition = 1;  // SubDialPos, 1..16 around the knob
  int DialSpeed = 4;       // position of DialSpeed_TrackBar 0..5
  bool DialDragging = false;
  int DialLastX = 0, DialLastY = 0;
  int DialDirection = 0;  // 0 none, 1 up, 2 down
  int DialCount = 0;
  int ArrowsLit = 0;  // as last shown

  void Bind(Tuning& tuning, KnobView& view) {
    tuning_ = &tuning;
    view_ = &view;
  }
  // The scan engine and the identification, which the knob stops and informs.
  void BindScan(ScanControl& scan, IdentificationControl& identification) {
    scan_ = &scan;
    identification_ = &identification;
  }
  // The band scope, whose loop a press on the knob ends.
  void BindBandScope(BandScopeControl& bandScope) { bandScope_ = &bandScope; }

  // Mouse events in the knob image's coordinates (the dimple converts its own first).
  void Dial_ImageMouseDown(int x, int y);
  void Dial_ImageMouseMove(int x, int y, int width, int height);
  void Dial_ImageMouseUp();

  void SubDial_Up() override;
  void SubDial_Down() override;
  void SubDial_Print();
  void FF_R_Print();
  void FF_L_Print();
  void FF_Cls() override;
  // Pressing the stop lamp or the scan stop key lights it until the arrows are cleared.
  void StopLampDown();

 private:
  Tuning* tuning_ = nullptr;
  KnobView* view_ = nullptr;
  ScanControl* scan_ = nullptr;
  IdentificationControl* identification_ = nullptr;
  BandScopeControl* bandScope_ = nullptr;
};
