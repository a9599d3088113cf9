// The network serial port's telnet reader with arbitrary bytes from a server: what it keeps of
// a sub-negotiation stays bounded, its answers are whole option commands, and data that went
// through the escaping comes back unchanged whatever commands surround it.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "comm/net_line.h"
#include "comm/telnet.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(bytes), size);
  telnet::Reader reader;
  std::string data, reply;
  // The first byte chooses how the input is cut, as TCP might deliver it.
  const std::size_t chunk = size > 0 ? 1 + bytes[0] % 32 : 1;
  for (std::size_t at = 0; at < input.size(); at += chunk)
    reader.Feed(input.substr(at, chunk), data, reply);
  if (data.size() > input.size()) std::abort();
  // Answers are IAC verb option triples and nothing else.
  if (reply.size() % 3 != 0) std::abort();
  for (std::size_t i = 0; i < reply.size(); i += 3) {
    const auto verb = static_cast<std::uint8_t>(reply[i + 1]);
    if (static_cast<std::uint8_t>(reply[i]) != telnet::kIac || verb < telnet::kWill) std::abort();
  }

  // The same bytes as data, escaped: the receiver's bytes arrive exactly.
  telnet::Reader clean;
  std::string back, answers;
  clean.Feed(telnet::Escape(input), back, answers);
  if (back != input || !answers.empty()) std::abort();

  // The device string parser takes anything without harm.
  if (const auto address = ParseNetAddress(input)) {
    if (address->port < 1 || address->port > 65535 || address->host.empty()) std::abort();
  }
  return 0;
}
