// The telnet side of a network serial port (RFC 854 framing, RFC 2217 COM-PORT-OPTION): the
// reader that separates the receiver's bytes from the telnet commands around them and answers
// the far end's option requests, and the commands that set the remote port's line.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace telnet {

inline constexpr std::uint8_t kIac = 255, kDont = 254, kDo = 253, kWont = 252, kWill = 251,
                              kSb = 250, kSe = 240;
inline constexpr std::uint8_t kBinary = 0, kSuppressGoAhead = 3, kComPortOption = 44;
// COM-PORT-OPTION sub-commands, client to server; the server answers each with +100.
inline constexpr std::uint8_t kSetBaudRate = 1, kSetDataSize = 2, kSetParity = 3, kSetStopSize = 4,
                              kSetControl = 5;

// The line the remote port is to run with, in RFC 2217's own values.
struct LineSettings {
  std::uint32_t baud = 9600;
  std::uint8_t dataSize = 8;  // 5..8
  std::uint8_t parity = 1;    // 1 none, 2 odd, 3 even, 4 mark, 5 space
  std::uint8_t stopSize = 1;  // 1 one, 2 two, 3 one and a half
  std::uint8_t control = 3;   // 1 no flow control, 2 XON/XOFF, 3 RTS/CTS
};

// Data bytes as they go on the connection: every 0xFF doubled.
std::string Escape(std::string_view data);
// What a client sends first: it offers and asks for binary transmission and no go-ahead, and
// offers COM-PORT-OPTION.
std::string Greeting();
// One sub-negotiation: IAC SB COM-PORT-OPTION command value... IAC SE, the value escaped.
std::string ComPortCommand(std::uint8_t command, std::string_view value);
// The four line commands and the flow control, in that order.
std::string SetLine(const LineSettings& line);

// Splits what the server sends into data and commands. Option requests are answered: the
// options the greeting offered or asked for are agreed to, every other one refused, and a
// request for a state already in force is not answered again, so two ends cannot loop.
class Reader {
 public:
  // Sub-negotiations longer than this are cut short (their tail dropped); none of the ones a
  // client must read is longer than a few bytes.
  static constexpr std::size_t kMaxSubnegotiation = 64;

  // Appends the data bytes of `bytes` to `data` and what must be sent back to `reply`.
  void Feed(std::string_view bytes, std::string& data, std::string& reply);
  // The server agreed to COM-PORT-OPTION (it sent DO): the line commands take effect.
  bool ComPortAgreed() const { return comPortAgreed_; }
  // Counts the DO COM-PORT-OPTION that agreed, so the owner sends the line once per agreement.
  int Agreements() const { return agreements_; }
  // The speed the server last reported for the remote port (0 before it reported one).
  std::uint32_t ReportedBaud() const { return reportedBaud_; }

 private:
  enum class State : std::uint8_t { kData, kIac, kOption, kSub, kSubIac };
  void Option(std::uint8_t verb, std::uint8_t option, std::string& reply);
  void Subnegotiation();

  bool started_ = false;
  State state_ = State::kData;
  std::uint8_t verb_ = 0;
  std::string sub_;
  // Whether each option is on for us (we WILL) and for the server (it WILL).
  std::array<bool, 256> ours_{};
  std::array<bool, 256> theirs_{};
  bool comPortAgreed_ = false;
  int agreements_ = 0;
  std::uint32_t reportedBaud_ = 0;
};

}  // namespace telnet
