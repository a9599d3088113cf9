#include "sim/receiver.h"

#include <algorithm>
#include <cctype>

#include "civ/civ.h"

namespace sim {

namespace {

// The mode/filter pairs the receiver accepts, with the names its panel takes.
struct ModeEntry {
  std::string_view name;
  std::uint8_t mode;
  std::uint8_t filter;
};
constexpr std::array<ModeEntry, 7> kModes = {{{"LSB", 0x00, 0x01},
                                              {"USB", 0x01, 0x01},
                                              {"AMW", 0x02, 0x01},
                                              {"AM", 0x02, 0x02},
                                              {"FM", 0x05, 0x01},
                                              {"FMN", 0x05, 0x02},
                                              {"WFM", 0x06, 0x01}}};

bool IsMode(std::uint8_t mode, std::uint8_t filter) {
  return std::any_of(kModes.begin(), kModes.end(),
                     [&](const ModeEntry& e) { return e.mode == mode && e.filter == filter; });
}

std::optional<int> BcdByte(std::uint8_t b) {
  if ((b >> 4) > 9 || (b & 0x0F) > 9) return std::nullopt;
  return (b >> 4) * 10 + (b & 0x0F);
}

std::uint8_t ToBcd(int twoDigits) {
  return static_cast<std::uint8_t>(((twoDigits / 10) << 4) | (twoDigits % 10));
}

}  // namespace

std::optional<std::int64_t> DecodeBcdFrequency(const std::uint8_t* data, std::size_t n) {
  if (n != 4 && n != 5) return std::nullopt;
  std::int64_t value = 0;
  for (std::size_t k = n; k-- > 0;) {
    const auto pair = BcdByte(data[k]);
    if (!pair) return std::nullopt;
    value = value * 100 + *pair;
  }
  return value;
}

Receiver::Receiver(ReceiverConfig config, SignalModel& signals)
    : config_(config), signals_(signals) {
  windows_[0] = Window{145'000'000, {0x05, 0x01}};
  windows_[1] = Window{433'000'000, {0x05, 0x01}};
  for (Window& w : windows_)
    w.frequency = std::clamp(w.frequency, config_.lowerEdge, config_.upperEdge);
}

bool Receiver::InBand(std::int64_t f) const {
  return f >= config_.lowerEdge && f <= config_.upperEdge;
}

Bytes Receiver::Reply(std::uint8_t to, std::uint8_t command, const std::uint8_t* data,
                      std::size_t n) const {
  Bytes out = {civ::kPreamble, civ::kPreamble, to, config_.address, command};
  out.insert(out.end(), data, data + n);
  out.push_back(civ::kEndOfMessage);
  return out;
}

Bytes Receiver::Reply(std::uint8_t to, std::initializer_list<std::uint8_t> body) const {
  return Reply(to, *body.begin(), body.begin() + 1, body.size() - 1);
}

std::optional<Bytes> Receiver::Answer(const Bytes& frame, std::int64_t nowMs) {
  // FE FE to from command data... FD
  const std::uint8_t from = frame[3];
  const std::uint8_t command = frame[4];
  const std::uint8_t* data = frame.data() + 5;
  const std::size_t n = frame.size() - 6;
  const Bytes ok = Reply(from, {civ::kOk});
  const Bytes ng = Reply(from, {civ::kNg});
  Window& win = windows_[window_];

  switch (command) {
    case civ::kCmdSetFrequency:
    case 0x05: {  // set frequency, answered
      const auto f = DecodeBcdFrequency(data, n);
      const bool good = f && InBand(*f);
      if (good) win.frequency = *f;
      if (command == civ::kCmdSetFrequency && !config_.ack00) return std::nullopt;
      return good ? ok : ng;
    }
    case civ::kCmdBandEdges: {
      if (n != 0) return ng;
      const auto lo = civ::FrequencyToBcd(config_.lowerEdge);
      const auto hi = civ::FrequencyToBcd(config_.upperEdge);
      Bytes body(lo.begin(), lo.end());
      body.push_back(civ::kBandEdgeSeparator);
      body.insert(body.end(), hi.begin(), hi.end());
      return Reply(from, command, body.data(), body.size());
    }
    case civ::kCmdReadFrequency: {
      if (n != 0) return ng;
      const auto bcd = civ::FrequencyToBcd(win.frequency);
      return Reply(from, command, bcd.data(), bcd.size());
    }
    case civ::kCmdReadMode:
      if (n != 0) return ng;
      return Reply(from, command, win.mode.data(), win.mode.size());
    case civ::kCmdSetMode: {
      // The filter byte may be left out; the mode then takes its first (normal) filter.
      if (n == 1) {
        const auto* e = std::find_if(kModes.begin(), kModes.end(),
                                     [&](const ModeEntry& m) { return m.mode == data[0]; });
        if (e == kModes.end()) return ng;
        win.mode = {e->mode, e->filter};
        return ok;
      }
      if (n != 2 || !IsMode(data[0], data[1])) return ng;
      win.mode = {data[0], data[1]};
      return ok;
    }
    case civ::kCmdSelectWindow: {
      // "07 E0 ww" as Fennix sends it, or the plain "07 ww".
      const std::uint8_t* w = data;
      std::size_t wn = n;
      if (wn == 2 && w[0] == civ::kController) {
        ++w;
        --wn;
      }
      if (wn != 1 || (w[0] != civ::kWindowA && w[0] != civ::kWindowB)) return ng;
      window_ = w[0] == civ::kWindowA ? 0 : 1;
      return ok;
    }
    case civ::kCmdSetStep:
      if (n == 0) return Reply(from, {command, stepCode_});  // read back the step
      if (n != 1 || data[0] > 0x07) return ng;
      stepCode_ = data[0];
      return ok;
    case civ::kCmdAttenuator:
      if (n != 1 || (data[0] != civ::kSubAttOff && data[0] != civ::kSubAttOn)) return ng;
      attenuator_ = data[0] == civ::kSubAttOn;
      return ok;
    case civ::kCmdSpeech:
      return n == 1 && data[0] == civ::kSubSpeechAll ? ok : ng;
    case civ::kCmdLevel: {
      if (n != 3 || data[0] != civ::kSubAfGain) return ng;
      const auto h = BcdByte(data[1]);
      const auto l = BcdByte(data[2]);
      if (!h || !l || *h * 100 + *l > 255) return ng;
      afLevel_ = *h * 100 + *l;
      return ok;
    }
    case civ::kCmdRead: {
      if (n != 1) return ng;
      if (data[0] != civ::kSubSquelch && data[0] != civ::kSubSignal) return ng;
      const int level = signals_.Level(win.frequency, nowMs);
      if (data[0] == civ::kSubSquelch) {
        const std::uint8_t open = level > config_.squelch ? 0x01 : 0x00;
        return Reply(from, {command, civ::kSubSquelch, open});
      }
      return Reply(from, {command, civ::kSubSignal, ToBcd(level / 100), ToBcd(level % 100)});
    }
    default:
      return ng;
  }
}

Receiver::PanelResult Receiver::Tune(std::int64_t frequency) {
  if (!InBand(frequency))
    return {std::nullopt, "error: " + std::to_string(frequency) + " Hz is outside the band " +
                              std::to_string(config_.lowerEdge) + "-" +
                              std::to_string(config_.upperEdge)};
  windows_[window_].frequency = frequency;
  const auto bcd = civ::FrequencyToBcd(frequency);
  return {Reply(civ::kBroadcast, civ::kCmdSetFrequency, bcd.data(), bcd.size()),
          "ok frequency " + std::to_string(frequency)};
}

Receiver::PanelResult Receiver::SetMode(std::string_view name) {
  std::string key;
  for (char c : name)
    if (c != ' ') key.push_back(static_cast<char>(std::toupper(static_cast<unsigned char>(c))));
  for (const ModeEntry& e : kModes) {
    if (e.name != key) continue;
    windows_[window_].mode = {e.mode, e.filter};
    return {Reply(civ::kBroadcast, civ::kCmdModeReport, windows_[window_].mode.data(), 2),
            "ok mode " + std::string(e.name)};
  }
  return {std::nullopt,
          "error: unknown mode '" + std::string(name) + "' (LSB, USB, AMW, AM, FM, FMN, WFM)"};
}

}  // namespace sim
