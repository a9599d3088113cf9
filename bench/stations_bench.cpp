// The station list with a full generated list: load, save, the index builds and a re-sort by
// name. Goals on the development machine: load < 20 ms, save without fsync < 60 ms, all three
// builds < 10 ms, name re-sort < 10 ms.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdlib>
#include <memory>
#include <string>

#define FENNIX_MAKE_ICLIST_NO_MAIN
#include "stations/station_index.h"
#include "tools/make_iclist.cpp"

namespace {

struct Fixture {
  Fixture() {
    char pattern[] = "/tmp/fennix-bench-XXXXXX";
    folder = mkdtemp(pattern);
    path = folder + "/ICLIST.DAT";
    iclist_gen::MakeStationList(data);
    StationFile(path).DataWrite(data, true, 1);
  }
  ~Fixture() {
    unlink(path.c_str());
    rmdir(folder.c_str());
  }
  std::string folder;
  std::string path;
  MemoData data;
};

Fixture& Shared() {
  static Fixture fixture;
  return fixture;
}

void BM_Load(benchmark::State& state) {
  StationFile file(Shared().path);
  MemoData data;
  int last = 0;
  for (auto _ : state) {
    const auto result = file.DataRead(data, [&](int v) { last = v; });
    benchmark::DoNotOptimize(result.recordsRead);
  }
  if (last != 10 || !(data == Shared().data)) state.SkipWithError("load differs");
}
BENCHMARK(BM_Load)->Unit(benchmark::kMillisecond);

void BM_SaveWithoutFsync(benchmark::State& state) {
  StationFile file(Shared().path);
  AtomicWriteOptions options;
  options.sync = false;
  for (auto _ : state) {
    if (!file.DataWrite(Shared().data, true, 1, options).ok()) state.SkipWithError("save failed");
  }
}
BENCHMARK(BM_SaveWithoutFsync)->Unit(benchmark::kMillisecond);

void BM_SaveWithFsync(benchmark::State& state) {
  StationFile file(Shared().path);
  for (auto _ : state) {
    if (!file.DataWrite(Shared().data, true, 1).ok()) state.SkipWithError("save failed");
  }
}
BENCHMARK(BM_SaveWithFsync)->Unit(benchmark::kMillisecond)->Iterations(20);

void BM_AllThreeIndexBuilds(benchmark::State& state) {
  auto indexes = std::make_unique<StationIndexes>();
  for (auto _ : state) {
    indexes->AutoMode_IdxInit(Shared().data);
    benchmark::DoNotOptimize(indexes->AllIndex.Count());
  }
  if (indexes->AllIndex.Count() != kStationCount) state.SkipWithError("not a full list");
}
BENCHMARK(BM_AllThreeIndexBuilds)->Unit(benchmark::kMillisecond);

void BM_ResortByName(benchmark::State& state) {
  auto indexes = std::make_unique<StationIndexes>();
  indexes->AutoMode_IdxInit(Shared().data);
  for (auto _ : state) {
    indexes->AutoMode_IdxInitSub(Shared().data, kKeyName, kAllKind);
    benchmark::DoNotOptimize(indexes->AllIndex.Count());
  }
}
BENCHMARK(BM_ResortByName)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
