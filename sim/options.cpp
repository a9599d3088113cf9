#include "sim/options.h"

#include <charconv>
#include <cstdlib>

#include "civ/civ.h"

namespace sim {

const char* const kUsage =
    "usage: fennix-sim [options]\n"
    "  --link PATH            also make PATH a symbolic link to the pseudo-terminal\n"
    "  --address HEX          receiver address (default 34)\n"
    "  --no-echo              do not echo received frames\n"
    "  --baud N               wire time of 10 bits a byte at N bit/s (default 9600, 0 none)\n"
    "  --check-line           answer garbage while the line speed differs from --baud\n"
    "  --band-edges LO-HI     band edges in Hz (default 25000000-1999999900)\n"
    "  --ack-00               answer the set-frequency frame 00 with FB\n"
    "  --stations FILE        carriers heard (default: the built-in list)\n"
    "  --squelch N            squelch opens above level N (default 40)\n"
    "  --seed N               repeatable noise and faults\n"
    "  --garbage P            random bytes before a frame sent, with probability P\n"
    "  --drop P               no answer, with probability P\n"
    "  --split                answers cut into random chunks with small gaps\n"
    "  --ng P                 FA instead of FB, with probability P\n"
    "  --silent               answer nothing\n"
    "  --delay CMD[SUB]=MS    hold back the answer to command CMD (hex, with an optional\n"
    "                         sub-command, e.g. 15 or 1501) for MS milliseconds\n"
    "  --hangup-after SECONDS close the pseudo-terminal and exit after SECONDS\n"
    "  --log FILE             log every frame received and sent\n";

namespace {

template <typename T>
std::optional<T> Number(const std::string& text, int base = 10) {
  T value{};
  const char* end = text.data() + text.size();
  const auto [ptr, ec] = std::from_chars(text.data(), end, value, base);
  if (text.empty() || ec != std::errc() || ptr != end) return std::nullopt;
  return value;
}

std::optional<double> Real(const std::string& text) {
  if (text.empty()) return std::nullopt;
  char* end = nullptr;
  const double value = std::strtod(text.c_str(), &end);
  if (*end != '\0' || value != value) return std::nullopt;
  return value;
}

}  // namespace

std::optional<Options> ParseOptions(const std::vector<std::string>& args, std::string& error) {
  Options o;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    const auto value = [&]() -> std::optional<std::string> {
      if (i + 1 >= args.size()) return std::nullopt;
      return args[++i];
    };
    const auto fail = [&](const std::string& why) {
      error = a + ": " + why;
      return std::nullopt;
    };
    const auto probability = [&](double& out) -> bool {
      const auto v = value();
      const auto p = v ? Real(*v) : std::nullopt;
      if (!p || *p < 0 || *p > 1) return false;
      out = *p;
      return true;
    };

    if (a == "--help" || a == "-h") {
      o.help = true;
    } else if (a == "--no-echo") {
      o.echo = false;
    } else if (a == "--check-line") {
      o.checkLine = true;
    } else if (a == "--ack-00") {
      o.receiver.ack00 = true;
    } else if (a == "--split") {
      o.split = true;
    } else if (a == "--silent") {
      o.silent = true;
    } else if (a == "--link" || a == "--log" || a == "--stations") {
      const auto v = value();
      if (!v || v->empty()) return fail("needs a path");
      (a == "--link" ? o.link : a == "--log" ? o.log : o.stationsFile) = *v;
    } else if (a == "--address") {
      const auto v = value();
      std::string text = v ? *v : "";
      if (text.rfind("0x", 0) == 0 || text.rfind("0X", 0) == 0) text.erase(0, 2);
      const auto addr = Number<unsigned>(text, 16);
      // Not the broadcast, the controller, or a byte that frames a message.
      if (!addr || *addr == 0 || *addr > 0xFF || *addr == civ::kController ||
          *addr == civ::kPreamble || *addr == civ::kEndOfMessage)
        return fail("needs a hexadecimal address 01..FC other than E0");
      o.receiver.address = static_cast<std::uint8_t>(*addr);
    } else if (a == "--baud") {
      const auto v = value();
      const auto baud = v ? Number<int>(*v) : std::nullopt;
      if (!baud || *baud < 0 || *baud > 4'000'000) return fail("needs a speed 0..4000000");
      o.baud = *baud;
    } else if (a == "--band-edges") {
      const auto v = value();
      const auto dash = v ? v->find('-') : std::string::npos;
      const auto lo =
          dash != std::string::npos ? Number<std::int64_t>(v->substr(0, dash)) : std::nullopt;
      const auto hi =
          dash != std::string::npos ? Number<std::int64_t>(v->substr(dash + 1)) : std::nullopt;
      // Ten BCD digits hold the edges.
      if (!lo || !hi || *lo < 0 || *lo >= *hi || *hi > 9'999'999'999)
        return fail("needs LO-HI in Hz, LO below HI, at most 9999999999");
      o.receiver.lowerEdge = *lo;
      o.receiver.upperEdge = *hi;
    } else if (a == "--squelch") {
      const auto v = value();
      const auto s = v ? Number<int>(*v) : std::nullopt;
      if (!s || *s < 0 || *s > 255) return fail("needs a level 0..255");
      o.receiver.squelch = *s;
    } else if (a == "--seed") {
      const auto v = value();
      const auto s = v ? Number<std::uint32_t>(*v) : std::nullopt;
      if (!s) return fail("needs a number 0..4294967295");
      o.seed = *s;
    } else if (a == "--garbage") {
      if (!probability(o.garbage)) return fail("needs a probability 0..1");
    } else if (a == "--drop") {
      if (!probability(o.drop)) return fail("needs a probability 0..1");
    } else if (a == "--ng") {
      if (!probability(o.ng)) return fail("needs a probability 0..1");
    } else if (a == "--delay") {
      const auto v = value();
      const auto eq = v ? v->find('=') : std::string::npos;
      const std::string code = eq != std::string::npos ? v->substr(0, eq) : "";
      const auto cmd = code.size() == 2 || code.size() == 4
                           ? Number<unsigned>(code.substr(0, 2), 16)
                           : std::nullopt;
      const auto sub = code.size() == 4 ? Number<unsigned>(code.substr(2), 16) : std::nullopt;
      const auto ms = eq != std::string::npos ? Number<int>(v->substr(eq + 1)) : std::nullopt;
      if (!cmd || (code.size() == 4 && !sub) || !ms || *ms < 0 || *ms > 60000)
        return fail("needs CMD=MS or CMDSUB=MS, hexadecimal bytes and 0..60000 ms");
      o.holds.push_back({static_cast<int>(*cmd), sub ? static_cast<int>(*sub) : -1, *ms});
    } else if (a == "--hangup-after") {
      const auto v = value();
      const auto s = v ? Real(*v) : std::nullopt;
      if (!s || *s < 0 || *s > 1e6) return fail("needs seconds 0..1000000");
      o.hangupAfter = *s;
    } else {
      error = "unknown option " + a;
      return std::nullopt;
    }
  }
  if (o.checkLine && o.baud == 0) {
    error = "--check-line: needs a line speed (--baud other than 0)";
    return std::nullopt;
  }
  return o;
}

}  // namespace sim
