#include "civ/civ.h"

#include <algorithm>
#include <string>

namespace civ {

namespace {

std::uint8_t PackDigits(char high, char low) {
  return static_cast<std::uint8_t>(((high - '0') << 4) | (low - '0'));
}

std::uint8_t Bcd(int twoDigits) {
  return static_cast<std::uint8_t>(((twoDigits / 10) << 4) | (twoDigits % 10));
}

}  // namespace

std::uint8_t ReceiverAddress(int receiverModel) {
  if (receiverModel < 0 || receiverModel >= kReceiverModels) return kR7100;
  return ReceiverAddressTable[static_cast<std::size_t>(receiverModel)];
}

std::string ReceiverAddressText(int receiverModel) {
  const std::uint8_t addr = ReceiverAddress(receiverModel);
  return FrameText(&addr, 1);
}

std::array<std::uint8_t, 5> FrequencyToBcd(std::int64_t frequency) {
  std::string text = std::to_string(frequency);
  if (text.size() < 10) text.insert(0, 10 - text.size(), '0');
  text = text.substr(text.size() - 10);
  // A negative frequency cannot be sent; its sign would land in the digits.
  for (char& c : text)
    if (c < '0' || c > '9') c = '0';
  std::array<std::uint8_t, 5> out{};
  for (std::size_t pair = 0; pair < 5; ++pair)
    out[4 - pair] = PackDigits(text[pair * 2], text[pair * 2 + 1]);
  return out;
}

std::int32_t BcdTextToFrequency(std::string_view text) {
  if (text.size() != 10) return 0;
  std::int64_t value = 0;
  for (int pair = 4; pair >= 0; --pair) {
    for (int k = 0; k < 2; ++k) {
      const char c = text[static_cast<std::size_t>(pair * 2 + k)];
      if (c >= '0' && c <= '9') value = value * 10 + (c - '0');
    }
  }
  // Ten digits can exceed 32 bits; such a value is no frequency the receiver can hold.
  if (value > INT32_MAX) return 0;
  return static_cast<std::int32_t>(value);
}

std::string FrameText(const std::uint8_t* data, std::size_t size) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string out;
  out.resize(size * 2);
  for (std::size_t i = 0; i < size; ++i) {
    out[i * 2] = kHex[data[i] >> 4];
    out[i * 2 + 1] = kHex[data[i] & 0x0F];
  }
  return out;
}

bool IsDigits(std::string_view text) {
  return std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

std::int32_t DigitsValue(std::string_view text) {
  std::int64_t value = 0;
  for (char c : text) {
    value = value * 10 + (c - '0');
    if (value > INT32_MAX) return 0;
  }
  return static_cast<std::int32_t>(value);
}

std::array<std::uint8_t, 2> ModeCodeBytes(std::string_view code) {
  if (code.size() != 4 || !IsDigits(code)) return {0, 0};
  return {PackDigits(code[0], code[1]), PackDigits(code[2], code[3])};
}

int ModeFromCodeText(std::string_view text) {
  int mode = 0;
  for (int k = 1; k <= kModeCodeCount; ++k)
    if (text == ModeCode[static_cast<std::size_t>(k)]) mode = k;
  return mode;
}

int AfLevel(int trackBarPosition) { return 8 * (32 - trackBarPosition) - 1; }

Bytes BuildFrame(std::uint8_t to, std::uint8_t command, const std::uint8_t* rest, std::size_t n) {
  Bytes frame;
  frame.reserve(6 + n);
  frame.push_back(kPreamble);
  frame.push_back(kPreamble);
  frame.push_back(to);
  frame.push_back(kController);
  frame.push_back(command);
  frame.insert(frame.end(), rest, rest + n);
  frame.push_back(kEndOfMessage);
  return frame;
}

Bytes BuildFrame(std::uint8_t to, std::uint8_t command, std::initializer_list<std::uint8_t> rest) {
  return BuildFrame(to, command, rest.begin(), rest.size());
}

Bytes ReadBandEdgesFrame(std::uint8_t addr) { return BuildFrame(addr, kCmdBandEdges, {}); }
Bytes ReadFrequencyFrame(std::uint8_t addr) { return BuildFrame(addr, kCmdReadFrequency, {}); }
Bytes ReadModeFrame(std::uint8_t addr) { return BuildFrame(addr, kCmdReadMode, {}); }

Bytes SetFrequencyFrame(std::int64_t frequency) {
  const auto bcd = FrequencyToBcd(frequency);
  return BuildFrame(kR7100, kCmdSetFrequency, bcd.data(), bcd.size());
}

Bytes SetModeFrame(std::uint8_t addr, int mode) {
  const std::string_view code =
      mode >= 1 && mode <= kModeCodeCount ? ModeCode[static_cast<std::size_t>(mode)] : "0000";
  const auto bytes = ModeCodeBytes(code);
  return BuildFrame(addr, kCmdSetMode, bytes.data(), bytes.size());
}

Bytes SelectWindowFrame(std::uint8_t addr, std::uint8_t window) {
  return BuildFrame(addr, kCmdSelectWindow, {kController, window});
}

Bytes SetStepFrame(std::uint8_t addr, std::uint16_t stepCode) {
  return BuildFrame(addr, kCmdSetStep, {static_cast<std::uint8_t>(stepCode)});
}

Bytes AttenuatorFrame(std::uint8_t addr, bool on) {
  return BuildFrame(addr, kCmdAttenuator, {on ? kSubAttOn : kSubAttOff});
}

Bytes AfGainFrame(std::uint8_t addr, int level) {
  level = std::clamp(level, 0, 9999);
  return BuildFrame(addr, kCmdLevel,
                    {kSubAfGain, static_cast<std::uint8_t>(Bcd(level / 100 % 100)),
                     static_cast<std::uint8_t>(Bcd(level % 100))});
}

Bytes SpeechFrame() { return BuildFrame(kR7100, kCmdSpeech, {kSubSpeechAll}); }
Bytes ReadSquelchFrame(std::uint8_t addr) { return BuildFrame(addr, kCmdRead, {kSubSquelch}); }
Bytes ReadSignalFrame(std::uint8_t addr) { return BuildFrame(addr, kCmdRead, {kSubSignal}); }

}  // namespace civ
