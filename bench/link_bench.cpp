// The reply parser's throughput over a realistic reply stream in random chunks, and the cost
// of one ChannelSend.
#include <benchmark/benchmark.h>

#include <random>
#include <string>

#include "civ/civ.h"
#include "fuzz/link_harness.h"

namespace {

// What the line carries while polling: echoes of our queries, their answers, an OK now and
// then, and the receiver's own frequency and mode reports.
std::vector<std::uint8_t> ReplyStream(int frames) {
  const std::vector<std::string> kinds = {
      "FEFE34E01501FD",   "FEFEE034150101FD",         "FEFE34E01502FD",   "FEFEE03415020123FD",
      "FEFEE034FBFD",     "FEFE003400000050144501FD", "FEFE0034010501FD", "FEFEE034040502FD",
      "FEFEE034150100FD", "FEFEE03415020087FD"};
  std::mt19937 rng(11);
  std::vector<std::uint8_t> out;
  for (int i = 0; i < frames; ++i) {
    const std::string& hex = kinds[rng() % kinds.size()];
    for (std::size_t k = 0; k < hex.size(); k += 2)
      out.push_back(static_cast<std::uint8_t>(std::stoi(hex.substr(k, 2), nullptr, 16)));
  }
  return out;
}

void BM_ParserFramesPerSecond(benchmark::State& state) {
  constexpr int kFrames = 10000;
  const auto stream = ReplyStream(kFrames);
  std::mt19937 rng(5);
  std::vector<std::size_t> chunks;
  for (std::size_t at = 0; at < stream.size();) {
    const std::size_t n = std::min<std::size_t>(stream.size() - at, 1 + rng() % 64);
    chunks.push_back(n);
    at += n;
  }
  for (auto _ : state) {
    LinkHarness h;
    std::size_t at = 0;
    for (std::size_t n : chunks) {
      h.port.inbox.insert(h.port.inbox.end(), stream.begin() + at, stream.begin() + at + n);
      h.link.Comm1CommReceive(h.port.InQueue());
      at += n;
    }
    benchmark::DoNotOptimize(h.meter.SignalPeak);
  }
  state.counters["frames/s"] = benchmark::Counter(static_cast<double>(kFrames) * state.iterations(),
                                                  benchmark::Counter::kIsRate);
}
BENCHMARK(BM_ParserFramesPerSecond)->Unit(benchmark::kMillisecond);

void BM_ChannelSend(benchmark::State& state) {
  LinkHarness h;
  h.tuning.Frequency[1] = 145000000;
  for (auto _ : state) {
    h.tuning.ChannelSend();
    benchmark::DoNotOptimize(h.port.writes);
  }
}
BENCHMARK(BM_ChannelSend);

}  // namespace

BENCHMARK_MAIN();
