#include "panel/knob.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "base/scan_control.h"
#include "panel/tuning.h"

int DialSpeedOf(int m) { return static_cast<int>(std::sqrt(static_cast<double>(m)) * 0.5 + 1.0); }

int DialDirectionOf(int x0, int y0, int x, int y, int width, int height, int previous) {
  // The compass octant of the move (screen y grows downward).
  enum { kNone, N, NE, E, SE, S, SW, W, NW };
  int octant;
  if (y < y0)
    octant = x > x0 ? NE : x < x0 ? NW : N;
  else if (y > y0)
    octant = x > x0 ? SE : x < x0 ? SW : S;
  else
    octant = x > x0 ? E : x < x0 ? W : kNone;
  const bool upper = y < height / 2;
  const bool right = x > width / 2;
  auto in = [octant](int a, int b, int c) { return octant == a || octant == b || octant == c; };
  if (upper && right) {
    if (in(E, SE, S)) return 1;
    if (in(N, NW, W)) return 2;
  } else if (upper) {
    if (in(N, NE, E)) return 1;
    if (in(W, SW, S)) return 2;
  } else if (right) {
    if (in(S, SW, W)) return 1;
    if (in(E, NE, N)) return 2;
  } else {
    if (in(W, NW, N)) return 1;
    if (in(S, SE, E)) return 2;
  }
  return previous;
}

void Knob::Dial_ImageMouseDown(int x, int y) {
  if (bandScope_->Sweeping()) bandScope_->BandLoop_Stop();
  scan_->BandIdxScanSet();
  scan_->ST_SC_Stop();
  DialLastX = x;
  DialLastY = y;
  DialDirection = 0;
  DialCount = 0;
  DialDragging = true;
  view_->ShowStopLamp(true);
}

void Knob::Dial_ImageMouseMove(int x, int y, int width, int height) {
  if (!DialDragging) return;
  const int m = std::abs(DialLastX - x) + std::abs(DialLastY - y);
  const int v = DialSpeedOf(m);
  DialDirection = DialDirectionOf(DialLastX, DialLastY, x, y, width, height, DialDirection);
  DialLastX = x;
  DialLastY = y;
  ++DialCount;
  if (DialCount + v - 1 <= DialSpeed) return;
  DialCount = 0;
  const int n = std::min(v, 3);
  if (DialDirection == 1) {
    FF_R_Print();
    for (int k = 0; k < n; ++k) tuning_->DialUp();
  } else if (DialDirection == 2) {
    FF_L_Print();
    for (int k = 0; k < n; ++k) tuning_->DialDown();
  }
  if (DialDirection != 0) {
    tuning_->ChannelSend();
    tuning_->PrintDial();
  }
}

void Knob::Dial_ImageMouseUp() {
  FF_Cls();
  DialDragging = false;
  identification_->SelectIdxModeOff();
}

void Knob::SubDial_Up() {
  FF_R_Print();
  DimplePosition = DimplePosition >= 16 ? 1 : DimplePosition + 1;
  SubDial_Print();
}

void Knob::SubDial_Down() {
  FF_L_Print();
  DimplePosition = DimplePosition <= 1 ? 16 : DimplePosition - 1;
  SubDial_Print();
}

void Knob::SubDial_Print() {
  // A position from outside (settings, a test) that is off the table is brought back onto it.
  if (DimplePosition < 1 || DimplePosition > 16) DimplePosition = 1;
  view_->ShowDimple(DimplePosition);
}

void Knob::FF_R_Print() {
  if (ArrowsLit == 1) return;
  ArrowsLit = 1;
  view_->ShowArrows(1);
  view_->ShowStopLamp(false);
}

void Knob::FF_L_Print() {
  if (ArrowsLit == 2) return;
  ArrowsLit = 2;
  view_->ShowArrows(2);
  view_->ShowStopLamp(false);
}

void Knob::FF_Cls() {
  ArrowsLit = 0;
  view_->ShowArrows(0);
  view_->ShowStopLamp(false);
}

void Knob::StopLampDown() { view_->ShowStopLamp(true); }
