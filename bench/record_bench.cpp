// Recording while scanning: the CPU the recorder takes at 16 kHz FLAC (capture hand-off, the
// pre-roll ring and the writer thread's encoding), and the time from the squelch opening to
// the stop's beginning, which the one-second pre-roll must cover.
#include <benchmark/benchmark.h>
#include <time.h>
#include <unistd.h>

#include <cmath>
#include <filesystem>
#include <random>

#include "record/recorder.h"
#include "support/scan_fixture.h"

namespace {

namespace fs = std::filesystem;
constexpr int kRate = 16000;

struct Quiet : RecorderView {
  void ShowRecordingSaved(const std::string&) override { ++saved; }
  void ShowRecordingFailed(const std::string&) override {}
  void ShowRecordingByHand(bool) override {}
  int saved = 0;
};

double CpuSeconds() {
  timespec t{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
  return t.tv_sec + t.tv_nsec / 1e9;
}

// A minute of audio in 20 ms blocks, a 3 s stop every 5 s as a "DELAY" scan makes them; the
// CPU of the whole process (the writer thread included) against the minute.
void BM_RecordingCpuShare(benchmark::State& state) {
  const fs::path folder =
      fs::temp_directory_path() / ("fennix-record-bench-" + std::to_string(getpid()));
  std::mt19937 rng(7);
  std::normal_distribution<double> noise(0, 800);
  std::vector<std::int16_t> audio(kRate * 60);
  for (std::size_t i = 0; i < audio.size(); ++i)
    audio[i] = static_cast<std::int16_t>(5000 * std::sin(i * 0.2) + noise(rng));
  double cpu = 0;
  int files = 0;
  for (auto _ : state) {
    VirtualHost host;
    Quiet quiet;
    Recorder recorder;
    recorder.Bind(host, quiet);
    recorder.SetFolder(folder.string());
    recorder.Attach(kRate);
    const double start = CpuSeconds();
    for (std::size_t at = 0, block = kRate / 50; at < audio.size(); at += block) {
      const std::size_t ms = at * 1000 / kRate;
      if (ms % 5000 == 1000) recorder.StopBegins({145100000, "", "", 5});
      if (ms % 5000 == 4000) recorder.StopEnds();
      recorder.Samples(audio.data() + at, block);
    }
    recorder.Flush();
    cpu += CpuSeconds() - start;
    host.Delay(1);
    files += quiet.saved;
    fs::remove_all(folder);
  }
  const double runs = static_cast<double>(state.iterations());
  state.counters["cpu_percent_of_a_core"] = cpu / runs / 60.0 * 100.0;
  state.counters["files_per_minute"] = files / runs;
}
BENCHMARK(BM_RecordingCpuShare)->Unit(benchmark::kMillisecond)->Iterations(5);

// A scan up onto a carrier: from the receiver being tuned there (its squelch opens) to the
// stop's beginning, on the virtual clock with the scan's own timing; the pre-roll must reach
// further back than that.
void BM_SquelchOpenToStop(benchmark::State& state) {
  struct Notes : ScanStopObserver {
    void StopBegins(const Stop&) override { begun = host->TickCount(); }
    void SignalReading(int) override {}
    void StopEnds() override {}
    Host* host = nullptr;
    std::uint32_t begun = 0;
  };
  double delays = 0, worst = 0;
  for (auto _ : state) {
    ScanSetup s;
    s.rig.link.IntTime = static_cast<int>(state.range(0));
    Notes notes;
    notes.host = &s.rig.host;
    s.rig.scan.BindStops(notes);
    s.rig.scan.ResumeMode = ScanEngine::kOff;
    s.open = [](std::int32_t f, std::uint32_t) { return f == 145300000; };
    s.rig.scan.UP_SC_ButtonClick();
    s.rig.host.Delay(2000);
    std::uint32_t tuned = 0;
    for (const auto& sent : s.FrequenciesSent())
      if (sent.frequency == 145300000 && !tuned) tuned = sent.at;
    const double delay = static_cast<double>(notes.begun - tuned);
    delays += delay;
    worst = std::max(worst, delay);
  }
  state.counters["open_to_stop_ms"] = delays / static_cast<double>(state.iterations());
  state.counters["worst_ms"] = worst;
  state.counters["preroll_margin_ms"] = Recorder::kPreRollMs - worst;
}
BENCHMARK(BM_SquelchOpenToStop)->Arg(200)->Arg(100)->Iterations(3);

}  // namespace

BENCHMARK_MAIN();
