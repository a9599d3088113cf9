// The knob's finger dimple and the dial speed.
#pragma once

class Knob {
 public:
  int DimplePosition = 1;  // 1..16 around the knob
  int DialSpeed = 4;       // position of DialSpeed_TrackBar 0..5
};
