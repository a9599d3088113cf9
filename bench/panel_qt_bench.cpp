// The cost of redrawing the front panel: a full Print_DATA_Sub and a one-digit readout
// change, with a check that an unchanged readout reaches the screen not at all and a
// one-digit change only with that digit's cell.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <cstdlib>

#include "app/application_qt.h"
#include "app/main_form.h"
#include "panel/readout_widget.h"

namespace {

TMainForm* form = nullptr;

void BM_PrintDataSub(benchmark::State& state) {
  for (auto _ : state) {
    // Forget what was drawn so that every position is drawn again.
    form->readout = Readout();
    form->Print_DATA_Sub();
  }
}
BENCHMARK(BM_PrintDataSub);

void BM_OneDigitChange(benchmark::State& state) {
  std::int32_t f = 145125000;
  form->tuning.Frequency[1] = f;
  form->tuning.PrintDial();
  for (auto _ : state) {
    f = f == 145125000 ? 145225000 : 145125000;  // the 100 kHz digit only
    form->tuning.Frequency[1] = f;
    form->Image1->ClearChanges();
    form->tuning.PrintDial();
  }
  // What reaches the screen: one change, the 100 kHz cell.
  const auto& changes = form->Image1->Changes();
  const QRect cell(20 + 33 * 4 + 6, 20, 33, 46);
  state.counters["rects"] = static_cast<double>(changes.size());
  if (changes.size() != 1 || changes[0] != cell) state.SkipWithError("more than the cell redrawn");
  // And an unchanged value: nothing.
  form->Image1->ClearChanges();
  form->tuning.PrintDial();
  if (!form->Image1->Changes().empty()) state.SkipWithError("an unchanged readout drew");
}
BENCHMARK(BM_OneDigitChange);

}  // namespace

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  setenv("FENNIX_COM1", "/nonexistent", 0);
  setenv("FENNIX_INI", "/tmp/fennix-bench.ini", 0);
  setenv("FENNIX_DATA", "/tmp/fennix-bench-data", 0);
  FennixApplication app(argc, argv);
  TMainForm main;
  main.ReleaseSplash();
  form = &main;
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
