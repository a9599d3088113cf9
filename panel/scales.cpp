#include "panel/scales.h"

#include <algorithm>
#include <cmath>

std::vector<ScaleTick> FrequencyScale(int lo, int hi, int left0, int top, int width, int height,
                                      int intervalMHz) {
  std::vector<ScaleTick> ticks;
  const int left = left0 + 11;
  const int y0 = top + height - 1;
  const int w = width - 26;
  const int loMHz = lo / 10;
  const int hiMHz = hi / 10;
  ticks.push_back({left, y0, 10, std::to_string(loMHz), left - 5, y0 + 12, false});
  // A converter range narrower than the interval still gets its first tick; no spacing of
  // zero, which would never end.
  const int t = std::max(1, intervalMHz / 4);
  // The span and the end are real MHz (12999 is 1299.9 MHz), not whole ones: whole ones put
  // some ticks a pixel off and drop a last tick that lies below a top of, say, 1300.5 MHz.
  const double end = hi / 10.0;
  const double span = end - lo / 10.0 + 1;
  const long long k = span > 0 ? static_cast<long long>(std::trunc(w * 10000.0 / span)) : 0;
  for (int n = t; n == t || n < end; n += t) {
    const int x = left + static_cast<int>((n - loMHz) * k / 10000) + 1;
    ScaleTick tick{x, y0, n % (2 * t) == 0 ? 10 : 5, "", 0, 0, false};
    if (intervalMHz > 0 && n % intervalMHz == 0) {
      tick.label = std::to_string(n);
      tick.labelX = x - 9;
      tick.labelY = y0 + 12;
    }
    ticks.push_back(tick);
  }
  ticks.push_back({left + w, y0, 10, std::to_string(hiMHz), left + w - 5, y0 + 12, false});
  ticks.push_back({0, y0, 0, "MHz", 4, y0 + 12, false});
  return ticks;
}

SignalBar MeterBar(int level, int h, bool sColor) {
  const int full = static_cast<int>(std::sin(0.68) * h) - 2;
  int b = static_cast<int>(std::trunc(std::sin(level * 0.1 * 0.0761904761904762) * h));
  if (b < 0) b = 0;  // readings are 0..255; a stray one must not paint below the bar
  if (b == 0 && level > 0) b = 1;
  if (!sColor || b <= full) return {b, 0};
  return {full, b - full};
}

SignalScale SignalMeterScale(int panelLeft, int panelTop, int panelHeight, int bevel) {
  SignalScale s;
  const int X = panelLeft - bevel;
  const int Y = panelTop + bevel + 2;
  const int H = panelHeight - 2 * bevel - 2;
  auto y = [&](double v) { return Y + H - static_cast<int>(std::sin(v * 0.0076190476) * H); };
  s.lineX = X;
  s.top = Y;
  s.s9 = y(89.25);
  s.bottom = Y + H - 1;
  auto tick = [&](int at, bool red, const char* label) {
    ScaleTick t{X - 5, at, 5, label, X - 35, at - 6, red};
    s.ticks.push_back(t);
  };
  tick(s.s9 + 1, false, "");
  tick(s.s9, true, "  9dB");
  tick(Y, true, " 60dB");
  tick(y(165), true, "");
  tick(y(130), true, " 20dB");
  tick(y(110), true, " 10dB");
  tick(y(70), false, "  7dB");
  tick(y(50), false, "  5dB");
  tick(y(30), false, "  3dB");
  tick(y(10), false, "  1dB");
  return s;
}
