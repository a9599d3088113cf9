// Serial throughput over a pseudo-terminal, both directions.
#include <benchmark/benchmark.h>

#include <atomic>
#include <thread>

#include "comm/comm.h"
#include "tests/comm/pty_pair.h"

// The far end sends, the watcher announces, the handler reads.
static void BM_ReceiveThroughput(benchmark::State& state) {
  PtyPair pty;
  TComm comm;
  comm.SetDevice(pty.SlavePath());
  std::atomic<std::size_t> received{0};
  comm.OnCommReceive = [&](TComm& sender, std::uint16_t size) {
    unsigned char buffer[65536];
    received += sender.Read(buffer, size);
  };
  comm.Open();
  const std::vector<unsigned char> block(4096, 0x5A);
  const std::size_t perIteration = 64 * block.size();
  std::size_t target = 0;
  for (auto _ : state) {
    for (int i = 0; i < 64; ++i) pty.Send(block);
    target += perIteration;
    while (received.load() < target) std::this_thread::yield();
  }
  comm.Close();
  state.SetBytesProcessed(static_cast<std::int64_t>(target));
}
BENCHMARK(BM_ReceiveThroughput)->UseRealTime();

// Write of whole OutQueueSize blocks while the far end drains.
static void BM_WriteThroughput(benchmark::State& state) {
  PtyPair pty;
  TComm comm;
  comm.SetDevice(pty.SlavePath());
  comm.Open();
  std::atomic<bool> stop{false};
  std::thread drain([&] {
    unsigned char buffer[65536];
    while (!stop.load()) {
      pollfd p{pty.Master(), POLLIN, 0};
      if (::poll(&p, 1, 10) > 0 && ::read(pty.Master(), buffer, sizeof buffer) <= 0) break;
    }
  });
  const std::vector<unsigned char> block(comm.OutQueueSize(), 0xA5);
  std::size_t written = 0;
  for (auto _ : state) written += comm.Write(block.data(), block.size());
  stop = true;
  drain.join();
  comm.Close();
  state.SetBytesProcessed(static_cast<std::int64_t>(written));
}
BENCHMARK(BM_WriteThroughput)->UseRealTime();

BENCHMARK_MAIN();
