#include "sim/signals.h"

#include <algorithm>
#include <charconv>
#include <cstdlib>
#include <sstream>

namespace sim {

namespace {

constexpr std::int64_t kSteadyWidth = 12000;  // width of a carrier set from the panel

std::optional<std::int64_t> ParseInt(std::string_view text) {
  std::int64_t value = 0;
  const auto* end = text.data() + text.size();
  const auto [ptr, ec] = std::from_chars(text.data(), end, value);
  if (ec != std::errc() || ptr != end) return std::nullopt;
  return value;
}

}  // namespace

std::optional<std::int64_t> ParseMhz(std::string_view text) {
  const auto dot = text.find('.');
  const std::string_view whole = text.substr(0, dot);
  std::string_view frac = dot == std::string_view::npos ? "" : text.substr(dot + 1);
  if (whole.empty() && frac.empty()) return std::nullopt;
  if (whole.size() > 4) return std::nullopt;  // 9999 MHz is far beyond any band
  for (char c : whole)
    if (c < '0' || c > '9') return std::nullopt;
  for (char c : frac)
    if (c < '0' || c > '9') return std::nullopt;
  std::int64_t hz = 0;
  for (char c : whole) hz = hz * 10 + (c - '0');
  for (std::size_t k = 0; k < 6; ++k) hz = hz * 10 + (k < frac.size() ? frac[k] - '0' : 0);
  return hz;
}

std::optional<std::vector<Station>> ParseStations(std::string_view text, std::string& error) {
  std::vector<Station> out;
  std::istringstream in{std::string(text)};
  std::string line;
  int number = 0;
  while (std::getline(in, line)) {
    ++number;
    if (const auto hash = line.find('#'); hash != std::string::npos) line.erase(hash);
    std::istringstream fields(line);
    std::vector<std::string> f;
    for (std::string w; fields >> w;) f.push_back(w);
    if (f.empty()) continue;
    const auto fail = [&](const std::string& why) {
      error = "line " + std::to_string(number) + ": " + why;
      return std::nullopt;
    };
    if (f.size() < 3 || f.size() > 4) return fail("expected MHz level width [on/off]");
    Station s;
    const auto mhz = ParseMhz(f[0]);
    const auto level = ParseInt(f[1]);
    const auto width = ParseInt(f[2]);
    if (!mhz || *mhz <= 0) return fail("bad frequency '" + f[0] + "'");
    if (!level || *level < 0 || *level > 255) return fail("level must be 0..255");
    if (!width || *width <= 0 || *width > 10'000'000) return fail("width must be 1..10000000 Hz");
    s.frequency = *mhz;
    s.level = static_cast<int>(*level);
    s.width = *width;
    if (f.size() == 4 && f[3] != "always") {
      const auto slash = f[3].find('/');
      if (slash == std::string::npos) return fail("pattern must be on-ms/off-ms or always");
      const auto on = ParseInt(std::string_view(f[3]).substr(0, slash));
      const auto off = ParseInt(std::string_view(f[3]).substr(slash + 1));
      if (!on || !off || *on <= 0 || *off < 0 || *on > 3'600'000 || *off > 3'600'000)
        return fail("pattern times must be 1..3600000 ms on, 0..3600000 ms off");
      s.onMs = static_cast<int>(*on);
      s.offMs = static_cast<int>(*off);
    }
    out.push_back(s);
  }
  return out;
}

SignalModel::SignalModel(std::vector<Station> stations, std::uint32_t seed)
    : stations_(std::move(stations)), rng_(seed) {}

void SignalModel::SetCarrier(std::int64_t frequency, int level) {
  std::erase_if(stations_, [&](const Station& s) { return s.frequency == frequency; });
  if (level > 0) stations_.push_back(Station{frequency, std::min(level, 255), kSteadyWidth, 0, 0});
}

bool SignalModel::IsOn(const Station& s, std::int64_t nowMs) const {
  if (s.offMs == 0) return true;
  const std::int64_t period = s.onMs + s.offMs;
  // A phase from the frequency, so that intermittent carriers do not all switch together.
  const std::int64_t phase = (s.frequency / 1000) % period;
  return (nowMs + phase) % period < s.onMs;
}

int SignalModel::Level(std::int64_t frequency, std::int64_t nowMs) {
  std::uniform_int_distribution<int> noise(0, 6);
  std::uniform_int_distribution<int> jitter(-3, 3);
  int best = kNoiseFloor + noise(rng_);
  for (const Station& s : stations_) {
    if (!IsOn(s, nowMs)) continue;
    const std::int64_t half = std::max<std::int64_t>(s.width / 2, 1);
    const std::int64_t d = std::abs(frequency - s.frequency);
    if (d >= half) continue;
    const int level = static_cast<int>(s.level * (half - d) / half) + jitter(rng_);
    best = std::max(best, level);
  }
  return std::clamp(best, 0, 255);
}

}  // namespace sim
