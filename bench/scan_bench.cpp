// One scan step's work on the panel with a full list of 10,000 (half bands, half single
// stations): ChannelSend with its identification, stepping through a range as a scan does
// and jumping to random frequencies, where every call looks the band up afresh.
#include <benchmark/benchmark.h>

#include <random>

#include "fuzz/link_harness.h"

namespace {

struct FullList : LinkHarness {
  FullList() {
    std::mt19937 rng(7100);
    MemoData& data = stations.Data;
    // 5,000 bands of 50 kHz to 2 MHz, one after the other with gaps, from 25 MHz up.
    std::int32_t at = 25000000;
    for (int j = 1; j <= 5000; ++j) {
      MemoRecord& r = data[j];
      r.Frequency = at;
      r.Frequency2 = at + 50000 + static_cast<std::int32_t>(rng() % 1950000);
      r.Step = 12500;
      r.Mode = 5;
      r.Type.Assign("BAND");
      at = r.Frequency2 + 10000 + static_cast<std::int32_t>(rng() % 200000);
    }
    // 5,000 single stations anywhere in the range, on a 12.5 kHz grid.
    for (int j = 5001; j <= kStationCount; ++j) {
      MemoRecord& r = data[j];
      r.Frequency = 25000000 + static_cast<std::int32_t>(rng() % 100000) * 12500;
      r.Step = 12500;
      r.Mode = 5;
      r.Type.Assign("STATION");
    }
    stations.AutoMode_IdxInit();
    tuning.Frequency[1] = 145000000;
    tuning.Step[1] = 12500;
    tuning.Mode[1] = 5;
    identification.AutoMode_IdxChk();
  }
};

// A scan's ChannelSend: the next step up, named; band changes come as the bands do.
void BM_ChannelSendScanning(benchmark::State& state) {
  FullList h;
  Tuning& t = h.tuning;
  for (auto _ : state) {
    t.Frequency[1] += 12500;
    if (t.Frequency[1] > t.UpperLimit) t.Frequency[1] = t.LowerLimit;
    t.ChannelSend();
    benchmark::DoNotOptimize(h.identification.SingleNo);
  }
}
BENCHMARK(BM_ChannelSendScanning);

// The worst case: every frequency in another band or gap, so the band lookup runs each time.
void BM_ChannelSendJumping(benchmark::State& state) {
  FullList h;
  Tuning& t = h.tuning;
  std::mt19937 rng(3);
  std::vector<std::int32_t> targets(4096);
  for (auto& f : targets) f = 25000000 + static_cast<std::int32_t>(rng() % 1274999900u) / 100 * 100;
  std::size_t k = 0;
  for (auto _ : state) {
    t.Frequency[1] = targets[k++ & 4095];
    t.ChannelSend();
    benchmark::DoNotOptimize(h.identification.BandNo);
  }
}
BENCHMARK(BM_ChannelSendJumping);

}  // namespace

BENCHMARK_MAIN();
