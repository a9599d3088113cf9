// Window places: read from the settings file, then put on the screens present at start.
#include "settings/window_places.h"

#include <gtest/gtest.h>

#include "base/ini_file.h"

namespace {

TEST(WindowPlaces, ReadThenPulledOntoAPresentScreen) {
  // A 1920x1080 primary with a 1280x1024 screen to its right; the window is 640x480.
  const std::vector<ScreenArea> twoScreens = {{0, 0, 1920, 1040}, {1920, 0, 1280, 1024}};
  const std::vector<ScreenArea> laptop = {{0, 0, 1366, 740}};
  const struct {
    const char* ini;
    std::vector<ScreenArea> screens;
    std::optional<WindowPoint> expected;
  } cases[] = {
      {"[WINDOW]\nMainLeft=300\nMainTop=200\n", twoScreens, WindowPoint{300, 200}},
      {"[WINDOW]\nMainLeft=2500\nMainTop=100\n", twoScreens, WindowPoint{2500, 100}},
      // The screen it stood on is gone: back onto the primary, as little moved as possible.
      {"[WINDOW]\nMainLeft=2500\nMainTop=100\n", laptop, WindowPoint{726, 100}},
      {"[WINDOW]\nMainLeft=-5000\nMainTop=-5000\n", laptop, WindowPoint{0, 0}},
      // Half over an edge: pulled in wholly, onto the screen holding most of it.
      {"[WINDOW]\nMainLeft=1700\nMainTop=900\n", twoScreens, WindowPoint{1920, 544}},
      {"[WINDOW]\nMainLeft=1000\nMainTop=700\n", laptop, WindowPoint{726, 260}},
      // Missing or unreadable keys: the window's own default placement.
      {"", laptop, std::nullopt},
      {"[WINDOW]\nMainLeft=300\n", laptop, std::nullopt},
      {"[WINDOW]\nMainLeft=abc\nMainTop=10\n", laptop, std::nullopt},
      {"[WINDOW]\nMainLeft=300\nMainTop=200\n", {}, std::nullopt},
  };
  for (const auto& c : cases) {
    WindowPlaces places;
    ReadWindowPlaces(IniFile::Parse(c.ini), places);
    EXPECT_EQ(PlaceOnScreen(places[PlacedWindow::kMain], 640, 480, c.screens), c.expected)
        << c.ini << " on " << c.screens.size() << " screen(s)";
  }
  // Larger than the screen: the top left corner stays on it, so the title bar can be reached.
  EXPECT_EQ(PlaceOnScreen(WindowPoint{-300, -300}, 2000, 900, {{0, 0, 1366, 740}}),
            (WindowPoint{0, 0}));
}

TEST(WindowPlaces, EachWindowHasItsOwnKeysAndOnlyKnownPlacesAreWritten) {
  WindowPlaces places;
  places[PlacedWindow::kHelp] = WindowPoint{12, -34};
  places[PlacedWindow::kScanLog] = WindowPoint{56, 78};
  IniFile ini = IniFile::Parse("[WINDOW]\nMainLeft=1\nMainTop=2\n");
  WriteWindowPlaces(ini, places);
  EXPECT_EQ(ini.Text(),
            "[WINDOW]\nMainLeft=1\nMainTop=2\nHelpLeft=12\nHelpTop=-34\nScanLogLeft=56\n"
            "ScanLogTop=78\n");
  WindowPlaces back;
  ReadWindowPlaces(ini, back);
  EXPECT_EQ(back[PlacedWindow::kMain], (WindowPoint{1, 2}));
  EXPECT_FALSE(back[PlacedWindow::kStationList]);
  EXPECT_EQ(back[PlacedWindow::kHelp], (WindowPoint{12, -34}));
  EXPECT_EQ(back[PlacedWindow::kScanLog], (WindowPoint{56, 78}));
}

}  // namespace
