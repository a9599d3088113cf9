// The printed scales and the meter bar: frequency ticks under TrackBar1, the S-meter scale
// beside the bar, and how long the bar is for a reading.
#pragma once

#include <string>
#include <vector>

// A tick of a scale; a label is drawn with its origin at (labelX, labelY) when not empty.
struct ScaleTick {
  int x = 0, y = 0;  // top of a vertical tick (frequency scale) or left end (S-meter scale)
  int length = 0;
  std::string label;
  int labelX = 0, labelY = 0;
  bool red = false;
};

// The frequency scale for TrackBar1's range lo..hi (100 kHz units) and its travel: the
// track bar's left, top, width and height on the scale image, labels every `intervalMHz`.
std::vector<ScaleTick> FrequencyScale(int lo, int hi, int left, int top, int width, int height,
                                      int intervalMHz);

// The meter bar for a signal reading: g lime pixels at the bottom, r red ones above them.
struct SignalBar {
  int green = 0;
  int red = 0;
};
// h is the bar's travel (the image height less one); with sColor the part above S9 is red.
SignalBar MeterBar(int level, int h, bool sColor);

// The S-meter scale beside the bar: Signal_Panel's left, top and height and its bevel.
struct SignalScale {
  int lineX = 0;
  int top = 0, s9 = 0, bottom = 0;  // red line from top to s9, black from s9 + 1 to bottom
  std::vector<ScaleTick> ticks;
};
SignalScale SignalMeterScale(int panelLeft, int panelTop, int panelHeight, int bevel);
