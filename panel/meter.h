// Signal meter, squelch, AF gain and attenuator state.
#pragma once

class Meter {
 public:
  int SignalLevel = 0;
  int SignalPeak = 0;
  int SquelchStatus = 0;
  bool AttOn = false;
  bool S_Color = false;
  // Position of AF_TrackBar: 0 is the top (highest gain), 31 the bottom (lowest).
  int AfPosition = 31;
};
