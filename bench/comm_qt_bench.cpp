// Latency from a byte written at the far end of a pseudo-terminal to the receive callback on
// the window thread, through the watcher and the queued notifier.
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>
#include <algorithm>
#include <chrono>

#include "comm/comm_notifier_qt.h"
#include "tests/comm/pty_pair.h"

static void BM_ReceiveLatencyToWindowThread(benchmark::State& state) {
  using Clock = std::chrono::steady_clock;
  PtyPair pty;
  TComm comm;
  comm.SetDevice(pty.SlavePath());
  CommNotifier notifier(comm);
  QEventLoop loop;
  Clock::time_point arrived;
  notifier.onReceive = [&](int size) {
    arrived = Clock::now();
    unsigned char buffer[256];
    comm.Read(buffer, static_cast<std::size_t>(std::min(size, 256)));
    loop.quit();
  };
  comm.Open();
  std::vector<double> samples;
  for (auto _ : state) {
    QTimer guard;  // a lost byte ends the wait instead of hanging the run
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, &loop, &QEventLoop::quit);
    guard.start(1000);
    arrived = {};
    auto sent = Clock::now();
    pty.Send({0x42});
    loop.exec();
    double us = std::chrono::duration<double, std::micro>(arrived - sent).count();
    if (arrived == Clock::time_point{}) us = 1e6;
    samples.push_back(us);
    state.SetIterationTime(us / 1e6);
  }
  comm.Close();
  std::sort(samples.begin(), samples.end());
  state.counters["median_us"] = samples[samples.size() / 2];
  state.counters["p99_us"] = samples[std::min(samples.size() - 1, samples.size() * 99 / 100)];
  state.counters["max_us"] = samples.back();
}
BENCHMARK(BM_ReceiveLatencyToWindowThread)->Iterations(1000)->UseManualTime();

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
