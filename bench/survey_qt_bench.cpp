// The band survey's cost: a 1,000-point sweep against fennix-sim at 9,600 bit/s beside its
// bound (1,000 times the dwell plus the wire time of a frequency frame, a signal query, their
// echoes and the reply), one new waterfall row of 5,000 points drawn with the window
// repainted, and the memory 1,000 rows of 5,000 points hold.
// With FENNIX_SURVEY_SHOT=file.png it saves the window after ten sweeps of a busy range.
#include <benchmark/benchmark.h>
#include <malloc.h>
#include <unistd.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "app/application_qt.h"
#include "app/main_form.h"
#include "sim/sim_harness.h"
#include "survey/band_survey_form.h"

namespace {

TMainForm* form = nullptr;

TBandSurveyForm& Window() {
  form->surveyUi->Open();
  return *form->surveyUi->Form();
}

void Sweep(double startMhz, double endMhz, double stepKhz, int dwell) {
  TBandSurveyForm& w = Window();
  w.Start_Edit->setText(QString::number(startMhz, 'f', 6));
  w.End_Edit->setText(QString::number(endMhz, 'f', 6));
  w.Step_Edit->setText(QString::number(stepKhz, 'f', 3));
  w.Dwell_SpinBox->setValue(dwell);
  w.Start_ButtonClick();
  QElapsedTimer clock;
  clock.start();
  while (form->survey.Running() && clock.elapsed() < 600000) form->host.Delay(1);
}

void BM_Sweep1000Points(benchmark::State& state) {
  const int dwell = static_cast<int>(state.range(0));
  const double bound = 1000 * (dwell + SurveyWireMs(9600));
  if (!form->Comm1.IsOpen()) {
    state.SkipWithError("the simulator is not on line");
    return;
  }
  form->identification.AutoMode = false;
  for (auto _ : state) {
    QElapsedTimer clock;
    clock.start();
    Sweep(140.0, 140.0 + 999 * 0.025, 25, dwell);
    const double ms = static_cast<double>(clock.nsecsElapsed()) / 1e6;
    state.SetIterationTime(ms / 1000.0);
    state.counters["bound_ms"] = bound;
    state.counters["of_bound_pct"] = 100.0 * ms / bound;
  }
}
BENCHMARK(BM_Sweep1000Points)
    ->Arg(20)
    ->Arg(100)
    ->UseManualTime()
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

// One finished sweep of 5,000 points: its waterfall row drawn and the window painted.
void BM_NewRow5000AndRepaint(benchmark::State& state) {
  TBandSurveyForm& w = Window();
  form->survey.SetRange(100000000, 100000000 + 4999LL * 10000, 10000);
  std::vector<std::uint8_t> levels(5000);
  int shift = 0;
  for (auto _ : state) {
    ++shift;
    for (std::size_t i = 0; i < levels.size(); ++i)
      levels[i] = static_cast<std::uint8_t>((i * 7 + static_cast<std::size_t>(shift) * 13) % 256);
    form->survey.AddRow(LocalTime{2026, 12, 8, 12, 0, shift % 60}, levels);
    // grab() renders the whole window whether or not a screen shows it.
    benchmark::DoNotOptimize(w.grab());
  }
}
BENCHMARK(BM_NewRow5000AndRepaint)->Unit(benchmark::kMillisecond);

// The heap the survey holds for 1,000 rows of 5,000 points.
void BM_Memory1000Rows(benchmark::State& state) {
  BandSurvey survey;
  struct Quiet : SurveyView {
    void ShowPoint(int, int) override {}
    void ShowRowAdded() override {}
    void ShowCleared() override {}
    void ShowRunning(bool) override {}
    void ShowWriteFailed(const std::string&) override {}
  } quiet;
  survey.Bind(form->host, form->tuning, form->link, form->bandScope, form->stations, quiet);
  for (auto _ : state) {
    const std::size_t before = mallinfo2().uordblks;
    survey.SetRange(100000000, 100000000 + 4999LL * 10000, 10000);
    for (int r = 0; r < BandSurvey::kMaxRows; ++r)
      survey.AddRow({}, std::vector<std::uint8_t>(5000, static_cast<std::uint8_t>(r)));
    const std::size_t after = mallinfo2().uordblks;
    state.counters["held_MB"] = static_cast<double>(after - before) / (1024.0 * 1024.0);
  }
}
BENCHMARK(BM_Memory1000Rows)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  namespace fs = std::filesystem;
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  const fs::path folder =
      fs::temp_directory_path() / ("fennix-survey-bench-" + std::to_string(getpid()));
  fs::create_directories(folder);
  fs::current_path(folder);
  const fs::path link = folder / "tty";
  simtest::Sim sim({"--link", link.string(), "--seed", "1"});
  setenv("FENNIX_COM1", link.c_str(), 1);
  setenv("FENNIX_INI", (folder / "fennix.ini").c_str(), 1);
  setenv("FENNIX_DATA", folder.c_str(), 1);
  FennixApplication app(argc, argv);
  {
    TMainForm main;
    main.ReleaseSplash();
    main.show();
    form = &main;
    if (const char* shot = std::getenv("FENNIX_SURVEY_SHOT")) {
      main.identification.AutoMode = false;
      TBandSurveyForm& w = Window();
      w.resize(900, 600);
      for (int i = 0; i < 10; ++i) Sweep(144.0, 146.0, 12.5, 20);
      w.grab().save(shot, "PNG");
    } else {
      benchmark::Initialize(&argc, argv);
      benchmark::RunSpecifiedBenchmarks();
      benchmark::Shutdown();
    }
  }
  fs::current_path("/");
  fs::remove_all(folder);
  return 0;
}
