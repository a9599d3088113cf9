// The simulator's own CI-V frame reader: it cuts a byte stream into frames straight from the
// frame layout (FE FE to from command [sub-command and data] FD) and resynchronises on the
// next preamble after any garbage.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace sim {

using Bytes = std::vector<std::uint8_t>;

class FrameReader {
 public:
  // The longest frame kept; anything longer is garbage and is dropped, so a stream without
  // an end byte never grows the buffer.
  static constexpr std::size_t kMaxFrame = 32;

  // Feeds one byte; returns the whole frame, preamble to end byte, once it is complete.
  std::optional<Bytes> Push(std::uint8_t byte);

  // Bytes thrown away so far (outside frames, cut short or too long).
  std::size_t discarded() const { return discarded_; }

 private:
  enum class State { kIdle, kPreamble, kBody };
  void Drop();

  State state_ = State::kIdle;
  Bytes frame_;
  std::size_t discarded_ = 0;
};

}  // namespace sim
