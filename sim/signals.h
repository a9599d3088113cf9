// The carriers the simulated receiver hears, and the S-meter level they give at a frequency.
#pragma once

#include <cstdint>
#include <optional>
#include <random>
#include <string>
#include <string_view>
#include <vector>

namespace sim {

struct Station {
  std::int64_t frequency = 0;  // Hz, centre of the carrier
  int level = 0;               // 0..255 at the centre
  std::int64_t width = 0;      // Hz; the level falls to nothing at centre +- width/2
  int onMs = 0;                // on/off duty pattern; offMs 0 means always on
  int offMs = 0;
};

// "145.5" or "145.500000" (MHz) as whole hertz; digits beyond 1 Hz are cut off.
std::optional<std::int64_t> ParseMhz(std::string_view text);

// Reads a stations list: one carrier a line, "MHz level width-Hz [on-ms/off-ms | always]",
// "#" starts a comment. On a bad line returns nothing and sets `error` to "line N: why".
std::optional<std::vector<Station>> ParseStations(std::string_view text, std::string& error);

// The built-in list, the same text as resources/sim-stations.txt.
std::string_view DefaultStationsText();

class SignalModel {
 public:
  static constexpr int kNoiseFloor = 8;

  SignalModel(std::vector<Station> stations, std::uint32_t seed);

  // Adds a steady carrier at the frequency, replacing one there; level 0 removes it.
  void SetCarrier(std::int64_t frequency, int level);

  bool IsOn(const Station& s, std::int64_t nowMs) const;
  // The level 0..255 at the tuned frequency at the given time since start.
  int Level(std::int64_t frequency, std::int64_t nowMs);

  const std::vector<Station>& stations() const { return stations_; }

 private:
  std::vector<Station> stations_;
  std::mt19937 rng_;
};

}  // namespace sim
