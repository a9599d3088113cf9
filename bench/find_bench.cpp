// Find over a full list of 10,000 stations: the worst case walks the whole index.
#include <benchmark/benchmark.h>

#include <string>

#include "stations/cp932.h"
#include "stations/find.h"

namespace {

struct FullList {
  FullList() {
    for (int n = 1; n <= kStationCount; ++n) {
      MemoRecord& r = data[n];
      r.Frequency = 100000000 + n * 12500;
      r.Mode = 1 + n % 7;
      r.Step = 12500;
      r.Shift = (n % 3 - 1) * 5000;
      r.Select = n % 6;
      r.Type.Assign(Utf8ToCp932(n % 2 ? "消防" : "航空"));
      r.Name.Assign(Utf8ToCp932("局名" + std::to_string(n) + "番の無線局"));
      r.Address.Assign(Utf8ToCp932("東京都千代田区"));
      r.Etc.Assign(Utf8ToCp932("備考の欄に少し長めの説明を書いておく"));
      index.Item[static_cast<std::size_t>(n)] = n;
    }
    index.Item[0] = kStationCount;
  }
  MemoData data;
  StationIndex index;
};

const FullList& List() {
  static const FullList list;
  return list;
}

// Nothing matches: every entry is tested, the name, the mode and the remarks with AND.
void BM_FindNoMatchAnd(benchmark::State& state) {
  FindTexts texts;
  texts[kFindName] = "無線局";
  texts[kFindMode] = "F M";
  texts[kFindEtc] = "大阪";
  for (auto _ : state) {
    const FindResult r = Find_Sub(texts, kFindAnd, List().data, List().index, 0, 1);
    benchmark::DoNotOptimize(r);
  }
}
BENCHMARK(BM_FindNoMatchAnd)->Unit(benchmark::kMillisecond);

// Nothing matches with OR: every condition is applied to every entry.
void BM_FindNoMatchOr(benchmark::State& state) {
  FindTexts texts;
  texts[kFindType] = "海上";
  texts[kFindName] = "大阪";
  texts[kFindFrequency] = "9999.0000";
  texts[kFindShift] = "7.00";
  texts[kFindAddress] = "大阪";
  texts[kFindEtc] = "大阪";
  for (auto _ : state) {
    const FindResult r = Find_Sub(texts, kFindOr, List().data, List().index, 0, 1);
    benchmark::DoNotOptimize(r);
  }
}
BENCHMARK(BM_FindNoMatchOr)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
