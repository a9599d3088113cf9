#include "settings/window_places.h"

#include <algorithm>
#include <climits>

#include "base/ini_file.h"

namespace {

constexpr const char* kSection = "WINDOW";

struct Keys {
  const char* left;
  const char* top;
};
constexpr std::array<Keys, kPlacedWindowCount> kKeys = {{
    {"MainLeft", "MainTop"},
    {"ListLeft", "ListTop"},
    {"HelpLeft", "HelpTop"},
    {"ScanLogLeft", "ScanLogTop"},
}};

long long Overlap(int aFrom, int aLength, int bFrom, int bLength) {
  const long long from = std::max<long long>(aFrom, bFrom);
  const long long to = std::min<long long>(static_cast<long long>(aFrom) + aLength,
                                           static_cast<long long>(bFrom) + bLength);
  return std::max<long long>(0, to - from);
}

int Inside(int from, int length, int areaFrom, int areaLength) {
  // Too large to fit: the start stays on the area, so the title bar can be reached.
  const long long last = static_cast<long long>(areaFrom) + areaLength - length;
  if (last < areaFrom) return areaFrom;
  return static_cast<int>(std::clamp<long long>(from, areaFrom, last));
}

}  // namespace

void ReadWindowPlaces(const IniFile& ini, WindowPlaces& places) {
  for (int w = 0; w < kPlacedWindowCount; ++w) {
    // INT_MIN marks a key that is missing or not a number; no position on any screen is that.
    const std::int32_t left = ini.ReadInteger(kSection, kKeys[w].left, INT_MIN);
    const std::int32_t top = ini.ReadInteger(kSection, kKeys[w].top, INT_MIN);
    if (left != INT_MIN && top != INT_MIN) places.at[w] = WindowPoint{left, top};
  }
}

void WriteWindowPlaces(IniFile& ini, const WindowPlaces& places) {
  for (int w = 0; w < kPlacedWindowCount; ++w) {
    if (!places.at[w]) continue;
    ini.WriteInteger(kSection, kKeys[w].left, places.at[w]->left);
    ini.WriteInteger(kSection, kKeys[w].top, places.at[w]->top);
  }
}

std::optional<WindowPoint> PlaceOnScreen(const std::optional<WindowPoint>& saved, int width,
                                         int height, const std::vector<ScreenArea>& screens) {
  if (!saved || screens.empty()) return std::nullopt;
  const ScreenArea* best = &screens.front();
  long long bestArea = 0;
  for (const ScreenArea& s : screens) {
    const long long area =
        Overlap(saved->left, width, s.left, s.width) * Overlap(saved->top, height, s.top, s.height);
    if (area > bestArea) {
      bestArea = area;
      best = &s;
    }
  }
  return WindowPoint{Inside(saved->left, width, best->left, best->width),
                     Inside(saved->top, height, best->top, best->height)};
}
