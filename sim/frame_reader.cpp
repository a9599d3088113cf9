#include "sim/frame_reader.h"

#include "civ/civ.h"

namespace sim {

void FrameReader::Drop() {
  discarded_ += frame_.size();
  frame_.clear();
  state_ = State::kIdle;
}

std::optional<Bytes> FrameReader::Push(std::uint8_t byte) {
  switch (state_) {
    case State::kIdle:
      if (byte == civ::kPreamble) {
        frame_.push_back(byte);
        state_ = State::kPreamble;
      } else {
        ++discarded_;
      }
      return std::nullopt;
    case State::kPreamble:
      if (byte == civ::kPreamble) {
        // Three or more preamble bytes still start one frame; keep exactly two.
        if (frame_.size() == 2) ++discarded_;
        frame_.assign(2, civ::kPreamble);
        state_ = State::kPreamble;
        return std::nullopt;
      }
      if (frame_.size() < 2 || byte == civ::kEndOfMessage) {
        // A lone FE, or FE FE FD: no frame.
        frame_.push_back(byte);
        Drop();
        return std::nullopt;
      }
      frame_.push_back(byte);
      state_ = State::kBody;
      return std::nullopt;
    case State::kBody:
      if (byte == civ::kPreamble) {
        // A new preamble inside a frame: the old one was cut short (a collision on the bus).
        Drop();
        frame_.push_back(byte);
        state_ = State::kPreamble;
        return std::nullopt;
      }
      frame_.push_back(byte);
      if (byte == civ::kEndOfMessage) {
        // Preamble, to, from and command at the least.
        if (frame_.size() < 6) {
          Drop();
          return std::nullopt;
        }
        Bytes done;
        done.swap(frame_);
        state_ = State::kIdle;
        return done;
      }
      if (frame_.size() >= kMaxFrame) Drop();
      return std::nullopt;
  }
  return std::nullopt;
}

}  // namespace sim
