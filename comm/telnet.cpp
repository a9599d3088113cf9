#include "comm/telnet.h"

namespace telnet {

namespace {

std::string Command(std::uint8_t verb, std::uint8_t option) {
  return std::string{static_cast<char>(kIac), static_cast<char>(verb), static_cast<char>(option)};
}

bool WeWill(std::uint8_t option) {
  return option == kBinary || option == kSuppressGoAhead || option == kComPortOption;
}

bool TheyMay(std::uint8_t option) { return option == kBinary || option == kSuppressGoAhead; }

}  // namespace

std::string Escape(std::string_view data) {
  std::string out;
  out.reserve(data.size());
  for (char c : data) {
    out += c;
    if (static_cast<std::uint8_t>(c) == kIac) out += c;
  }
  return out;
}

std::string Greeting() {
  return Command(kWill, kBinary) + Command(kDo, kBinary) + Command(kWill, kSuppressGoAhead) +
         Command(kDo, kSuppressGoAhead) + Command(kWill, kComPortOption);
}

std::string ComPortCommand(std::uint8_t command, std::string_view value) {
  std::string out{static_cast<char>(kIac), static_cast<char>(kSb),
                  static_cast<char>(kComPortOption), static_cast<char>(command)};
  out += Escape(value);
  out += static_cast<char>(kIac);
  out += static_cast<char>(kSe);
  return out;
}

std::string SetLine(const LineSettings& line) {
  const char baud[4] = {static_cast<char>(line.baud >> 24), static_cast<char>(line.baud >> 16),
                        static_cast<char>(line.baud >> 8), static_cast<char>(line.baud)};
  auto one = [](std::uint8_t v) { return std::string(1, static_cast<char>(v)); };
  return ComPortCommand(kSetBaudRate, std::string_view(baud, 4)) +
         ComPortCommand(kSetDataSize, one(line.dataSize)) +
         ComPortCommand(kSetParity, one(line.parity)) +
         ComPortCommand(kSetStopSize, one(line.stopSize)) +
         ComPortCommand(kSetControl, one(line.control));
}

void Reader::Feed(std::string_view bytes, std::string& data, std::string& reply) {
  // The greeting put these in force on our side; the server's answers only confirm them.
  if (!started_) {
    started_ = true;
    ours_[kBinary] = ours_[kSuppressGoAhead] = ours_[kComPortOption] = true;
    theirs_[kBinary] = theirs_[kSuppressGoAhead] = true;
  }
  for (char c : bytes) {
    const auto b = static_cast<std::uint8_t>(c);
    switch (state_) {
      case State::kData:
        if (b == kIac)
          state_ = State::kIac;
        else
          data += c;
        break;
      case State::kIac:
        if (b == kIac) {
          data += c;
          state_ = State::kData;
        } else if (b >= kWill && b <= kDont) {
          verb_ = b;
          state_ = State::kOption;
        } else if (b == kSb) {
          sub_.clear();
          state_ = State::kSub;
        } else {
          state_ = State::kData;  // NOP, go-ahead and the like carry nothing for us
        }
        break;
      case State::kOption:
        Option(verb_, b, reply);
        state_ = State::kData;
        break;
      case State::kSub:
        if (b == kIac)
          state_ = State::kSubIac;
        else if (sub_.size() < kMaxSubnegotiation)
          sub_ += c;
        break;
      case State::kSubIac:
        if (b == kIac) {
          if (sub_.size() < kMaxSubnegotiation) sub_ += c;
          state_ = State::kSub;
        } else {
          // IAC SE ends it; anything else after IAC ends it too, as the far end broke it off.
          Subnegotiation();
          state_ = State::kData;
        }
        break;
    }
  }
}

void Reader::Option(std::uint8_t verb, std::uint8_t option, std::string& reply) {
  switch (verb) {
    case kDo:
      if (!WeWill(option)) {
        reply += Command(kWont, option);
      } else if (!ours_[option]) {
        ours_[option] = true;
        reply += Command(kWill, option);
      }
      if (option == kComPortOption && !comPortAgreed_) {
        comPortAgreed_ = true;
        ++agreements_;
      }
      break;
    case kDont:
      if (ours_[option]) {
        ours_[option] = false;
        reply += Command(kWont, option);
      }
      if (option == kComPortOption) comPortAgreed_ = false;
      break;
    case kWill:
      if (!TheyMay(option)) {
        reply += Command(kDont, option);
      } else if (!theirs_[option]) {
        theirs_[option] = true;
        reply += Command(kDo, option);
      }
      break;
    case kWont:
      if (theirs_[option]) {
        theirs_[option] = false;
        reply += Command(kDont, option);
      }
      break;
    default:
      break;
  }
}

void Reader::Subnegotiation() {
  if (sub_.size() < 2 || static_cast<std::uint8_t>(sub_[0]) != kComPortOption) return;
  const auto command = static_cast<std::uint8_t>(sub_[1]);
  if (command == kSetBaudRate + 100 && sub_.size() >= 6) {
    std::uint32_t baud = 0;
    for (int i = 2; i < 6; ++i) baud = baud << 8 | static_cast<std::uint8_t>(sub_[i]);
    reportedBaud_ = baud;
  }
}

}  // namespace telnet
