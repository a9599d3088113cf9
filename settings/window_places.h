// Where the program's windows stood when it was last left: section "WINDOW" of the settings
// file, one pair of keys per window. A window comes back there, pulled onto a screen that is
// present now, so that a monitor unplugged since cannot hide it.
#pragma once

#include <array>
#include <optional>
#include <vector>

class IniFile;

enum class PlacedWindow { kMain, kStationList, kHelp, kScanLog };
inline constexpr int kPlacedWindowCount = 4;

struct WindowPoint {
  int left = 0;
  int top = 0;
  bool operator==(const WindowPoint&) const = default;
};

struct ScreenArea {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
};

struct WindowPlaces {
  // No value: the window has no place of its own yet and opens where it always did.
  std::array<std::optional<WindowPoint>, kPlacedWindowCount> at{};
  std::optional<WindowPoint>& operator[](PlacedWindow w) { return at[static_cast<int>(w)]; }
  const std::optional<WindowPoint>& operator[](PlacedWindow w) const {
    return at[static_cast<int>(w)];
  }
};

// A window whose pair of keys is missing or not a number keeps what `places` holds for it.
void ReadWindowPlaces(const IniFile& ini, WindowPlaces& places);
// Writes the windows that have a place; the others' keys stay as they are.
void WriteWindowPlaces(IniFile& ini, const WindowPlaces& places);

// Where a window of `width` x `height` saved at `saved` opens on `screens` (their available
// areas, the first the primary): on the screen it overlaps most (the primary when it
// overlaps none), moved the least needed to lie wholly inside it; a window larger than the
// screen keeps its top left corner on it. No value when nothing was saved or there is no
// screen.
std::optional<WindowPoint> PlaceOnScreen(const std::optional<WindowPoint>& saved, int width,
                                         int height, const std::vector<ScreenArea>& screens);
