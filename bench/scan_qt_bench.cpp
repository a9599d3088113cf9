// Scan rate of the whole program against fennix-sim at 9,600 bit/s with no carriers: steps
// per second beside the bound the line allows. Each step puts on the wire the frequency frame
// (11 bytes), the squelch query (7) and the reply (8), 10 bits a byte; the receiver's echo is
// our own bytes heard back and costs no time of its own. Bound = 1 / (26 byte times +
// ScanTime). Since the frequency frame's bytes pass while the program waits ScanTime, the
// line itself allows up to 1 / (max(ScanTime, 11 byte times) + 15 byte times), also shown.
// The rate is measured again with the priority watch reading a quiet frequency every 2 s.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <algorithm>
#include <chrono>
#include <filesystem>

#include "app/main_form.h"
#include "ser2net_front.h"
#include "tests/sim/sim_harness.h"

namespace {

constexpr double kByteMs = 10.0 * 1000.0 / 9600.0;

// `priority`: the priority watch on a quiet frequency, checked every 2 s.
void ScanRate(benchmark::State& state, bool priority) {
  const int scanTime = static_cast<int>(state.range(0));
  const std::string link =
      (std::filesystem::temp_directory_path() / ("fennix-scan-bench-" + std::to_string(getpid())))
          .string();
  simtest::Sim sim({"--stations", "/dev/null", "--baud", "9600", "--link", link});
  if (sim.slave().empty()) {
    state.SkipWithError("the simulator did not start");
    return;
  }
  Ser2netFront front;
  setenv("FENNIX_COM1", front.Device(link).c_str(), 1);
  TMainForm form;
  form.ReleaseSplash();
  if (!form.Comm1.IsOpen()) {
    state.SkipWithError("the program did not go on line");
    return;
  }
  form.scan.ScanTime = scanTime;
  form.scan.Priority = priority ? 150000000 : 0;
  form.scan.PriorityInterval = 2000;
  form.tuning.Step[1] = 12500;
  form.tuning.TrackBar1Change(300);  // 30 MHz: room for thousands of steps
  form.host.Delay(500);
  constexpr int kSeconds = 10;
  double steps = 0, seconds = 0;
  for (auto _ : state) {
    form.scan.UP_SC_ButtonClick();
    form.host.Delay(1000);  // settle into the chain
    const std::int32_t from = form.tuning.Frequency[1];
    const auto t0 = std::chrono::steady_clock::now();
    form.host.Delay(kSeconds * 1000);
    const std::int32_t to = form.tuning.Frequency[1];
    const double s = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
    form.scan.ST_SC_ButtonClick();
    form.host.Delay(300);
    steps += (to - from) / 12500.0;
    seconds += s;
    state.SetIterationTime(s);
  }
  const double rate = steps / seconds;
  const double bound = 1000.0 / (26 * kByteMs + scanTime);
  const double lineBound = 1000.0 / (std::max<double>(scanTime, 11 * kByteMs) + 15 * kByteMs);
  state.counters["steps/s"] = rate;
  state.counters["bound/s"] = bound;
  state.counters["%bound"] = 100.0 * rate / bound;
  state.counters["line/s"] = lineBound;
  state.counters["%line"] = 100.0 * rate / lineBound;
}
void BM_ScanRate(benchmark::State& state) { ScanRate(state, false); }
BENCHMARK(BM_ScanRate)
    ->Arg(10)
    ->Arg(30)
    ->Iterations(1)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

// The same with the priority watch: the steps per second it leaves the scan (goal: 90% of
// the rate above).
void BM_ScanRatePriority(benchmark::State& state) { ScanRate(state, true); }
BENCHMARK(BM_ScanRatePriority)
    ->Arg(10)
    ->Arg(30)
    ->Iterations(1)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  // No settings file or station list of the user's is read or written.
  QTemporaryDir folder;
  if (!folder.isValid() || !QDir::setCurrent(folder.path())) return 2;
  qputenv("FENNIX_INI", QFile::encodeName(folder.filePath("fennix.ini")));
  qputenv("FENNIX_DATA", QFile::encodeName(folder.path()));
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
