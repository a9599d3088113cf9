// The simulated IC-R7100 behind the CI-V line: its state (two windows, step, attenuator, AF
// gain), the answer to every frame addressed to it, and its front panel.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "sim/frame_reader.h"
#include "sim/signals.h"

namespace sim {

struct ReceiverConfig {
  std::uint8_t address = 0x34;
  std::int64_t lowerEdge = 25'000'000;
  std::int64_t upperEdge = 1'999'999'900;
  bool ack00 = false;  // answer the transceive-style set-frequency frame 00 with FB
  int squelch = 40;    // the squelch opens above this level
};

struct Window {
  std::int64_t frequency = 0;
  std::array<std::uint8_t, 2> mode{};  // mode byte, filter byte
};

class Receiver {
 public:
  Receiver(ReceiverConfig config, SignalModel& signals);

  // The answer to a whole frame (preamble to end byte) addressed to this receiver, or nothing
  // where the receiver stays silent (command 00 without --ack-00).
  std::optional<Bytes> Answer(const Bytes& frame, std::int64_t nowMs);

  // Front panel. Each returns the transceive report to send, or an error text.
  struct PanelResult {
    std::optional<Bytes> report;
    std::string text;  // "ok ..." or "error: ..."
  };
  PanelResult Tune(std::int64_t frequency);
  PanelResult SetMode(std::string_view name);

  const Window& current() const { return windows_[window_]; }
  const ReceiverConfig& config() const { return config_; }

 private:
  Bytes Reply(std::uint8_t to, std::initializer_list<std::uint8_t> body) const;
  Bytes Reply(std::uint8_t to, std::uint8_t command, const std::uint8_t* data, std::size_t n) const;
  bool InBand(std::int64_t f) const;

  ReceiverConfig config_;
  SignalModel& signals_;
  std::array<Window, 2> windows_;
  int window_ = 0;
  std::uint8_t stepCode_ = 0x05;  // 20 kHz
  bool attenuator_ = false;
  int afLevel_ = 128;
};

// Five (or four, as older controllers send) BCD bytes, least significant pair first, as hertz;
// nothing when a nibble is not a decimal digit.
std::optional<std::int64_t> DecodeBcdFrequency(const std::uint8_t* data, std::size_t n);

}  // namespace sim
