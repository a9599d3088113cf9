// The network control port's parser with arbitrary bytes from a client: lines are bounded,
// every request gets an answer ending in a line break, and what reaches the panel is always
// inside its ranges.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "net/rigctl_protocol.h"
#include "net/tune_queue.h"

namespace {

class CheckedPanel : public net::RigPanel {
 public:
  std::int32_t frequency = 145000000;
  int mode = 5, window = 1, af = 31;
  bool att = false;

  std::int32_t Frequency() const override { return frequency; }
  std::int32_t LowerLimit() const override { return 25000000; }
  std::int32_t UpperLimit() const override { return 1299999900; }
  void TuneTo(std::int32_t hz) override {
    if (hz < LowerLimit() || hz > UpperLimit()) std::abort();
    frequency = hz;
  }
  int Mode() const override { return mode; }
  void SetMode(int m) override {
    if (m < 1 || m > 7) std::abort();
    mode = m;
  }
  int Window() const override { return window; }
  bool SelectWindow(int w) override {
    if (w != 1 && w != 2) std::abort();
    window = w;
    return true;
  }
  int SignalReading() const override { return 128; }
  bool SquelchOpen() const override { return true; }
  int AfPosition() const override { return af; }
  void SetAfPosition(int p) override {
    if (p < 0 || p > 31) std::abort();
    af = p;
  }
  bool AttOn() const override { return att; }
  bool SetAtt(bool on) override {
    att = on;
    return true;
  }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(bytes), size);
  CheckedPanel checked;
  // As the server runs them: tunes held, the newest sent after each line.
  net::TuneQueue panel(checked);
  net::LineBuffer lines;
  // The first byte chooses how the input is cut into chunks, as a socket might deliver it.
  const std::size_t chunk = size > 0 ? 1 + bytes[0] % 64 : 1;
  std::string line;
  for (std::size_t at = 0; at < input.size(); at += chunk) {
    if (!lines.Feed(input.substr(at, chunk))) return 0;  // the connection would be dropped
    while (lines.NextLine(line)) {
      if (line.size() > net::LineBuffer::kMaxLine || line.find('\n') != std::string::npos)
        std::abort();
      if (net::LooksLikeHttp(line)) return 0;  // the connection would be closed
      for (const net::Request& request : net::Parse(line)) {
        panel.Fresh(net::ReadingOf(request));
        const net::Reply reply = net::Run(request, panel);
        if (!reply.text.empty() && reply.text.back() != '\n') std::abort();
        if (reply.close) return 0;
      }
      panel.Flush();
    }
    if (lines.Pending() > net::LineBuffer::kMaxLine + chunk) std::abort();
  }
  return 0;
}
