// Reading lists: degenerate files of nothing but commas (8 MiB), and a full list of 10,000
// stations exported, read back and planned against a full list (every line a duplicate).
// Goals on the development machine: each comma file < 150 ms, the full list < 150 ms.
// Peak memory is measured apart: `station_csv_bench --memory line|lines` prints ru_maxrss.
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

#define FENNIX_MAKE_ICLIST_NO_MAIN
#include "stations/station_csv.h"
#include "stations/station_index.h"
#include "tools/make_iclist.cpp"

namespace {

// One line of commas after our own header, as a spreadsheet saves an empty sheet.
std::string CommaLine() {
  std::string s =
      "Type,Name,Frequency (MHz),Frequency2 (MHz),Step (kHz),Mode,Shift (kHz),"
      "Sensitivity,Location,Remarks,Memory\n";
  s.append(kCsvMaxBytes - s.size(), ',');
  return s;
}

// Lines of 160 commas each, up to the line limit.
std::string CommaLines() {
  std::string s =
      "Type,Name,Frequency (MHz),Frequency2 (MHz),Step (kHz),Mode,Shift (kHz),"
      "Sensitivity,Location,Remarks,Memory\n";
  const std::string line = std::string(160, ',') + "\n";
  while (s.size() + line.size() <= kCsvMaxBytes && s.size() / line.size() < kCsvMaxLines - 2)
    s += line;
  return s;
}

void ReadAll(benchmark::State& state, const std::string& bytes) {
  for (auto _ : state) {
    const CsvReadResult read = ReadStationCsv(bytes);
    benchmark::DoNotOptimize(read.rows.size());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}

void BM_ReadEightMiBOfCommasOnOneLine(benchmark::State& state) { ReadAll(state, CommaLine()); }
BENCHMARK(BM_ReadEightMiBOfCommasOnOneLine)->Unit(benchmark::kMillisecond);

void BM_ReadEightMiBOfCommaLines(benchmark::State& state) { ReadAll(state, CommaLines()); }
BENCHMARK(BM_ReadEightMiBOfCommaLines)->Unit(benchmark::kMillisecond);

void BM_ReadAndPlanAFullList(benchmark::State& state) {
  auto data = std::make_unique<MemoData>();
  iclist_gen::MakeStationList(*data);
  auto indexes = std::make_unique<StationIndexes>();
  indexes->AutoMode_IdxInit(*data);
  const std::string bytes = WriteStationCsv(*data, indexes->AllIndex, true);
  for (auto _ : state) {
    const CsvImportPlan plan = PlanCsvImport(ReadStationCsv(bytes), *data);
    if (plan.duplicates != indexes->AllIndex.Count()) state.SkipWithError("not all duplicates");
  }
}
BENCHMARK(BM_ReadAndPlanAFullList)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  if (argc == 3 && std::strcmp(argv[1], "--memory") == 0) {
    const std::string bytes = std::strcmp(argv[2], "line") == 0 ? CommaLine() : CommaLines();
    benchmark::DoNotOptimize(ReadStationCsv(bytes).rows.size());
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("peak resident memory: %ld KiB\n", usage.ru_maxrss);
    return 0;
  }
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  return 0;
}
