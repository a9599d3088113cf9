// The CSV reader with arbitrary bytes: it must stay inside the text, never place another
// program's station outside the receiver's range (ours outside what the list holds) or into a
// record in use, never place a step or shift the editor cannot hold, and what it imports must
// export and read back as the same number of usable lines.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "stations/cp932.h"
#include "stations/station_csv.h"
#include "stations/station_index.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
  static MemoData data;
  static StationIndexes indexes;
  const CsvReadResult read =
      ReadStationCsv(std::string_view(reinterpret_cast<const char*>(bytes), size));
  if (read.ok != read.error.empty()) std::abort();
  if (!read.ok) return 0;

  data.Clear();
  data[3].Frequency = 1;  // in use: never a target
  const CsvImportPlan plan = PlanCsvImport(read, data);
  if (plan.placements.size() + static_cast<std::size_t>(plan.Skipped()) != read.rows.size())
    std::abort();
  ApplyCsvImport(plan, data);
  if (data[3].Frequency != 1) std::abort();
  for (const CsvPlacement& p : plan.placements) {
    const MemoRecord& r = data[p.memoNo];
    const bool own = read.format == CsvFormat::kFennix;
    if (p.memoNo <= kStationCount &&
        (r.Frequency < (own ? 1 : kCsvLowestHz) || (!own && r.Frequency > kCsvHighestHz) ||
         (r.Frequency2 != 0 && r.Frequency2 < r.Frequency)))
      std::abort();
    if (r.Step < 0 || r.Step > kHighestStepHz || r.Shift < kLowestShiftKhz ||
        r.Shift > kHighestShiftKhz || r.Frequency < 1)
      std::abort();
    // Texts are cut on character boundaries.
    if (Cp932Cut(r.Name.View(), 30).size() != r.Name.View().size()) std::abort();
    if (Cp932Cut(r.Etc.View(), 50).size() != r.Etc.View().size()) std::abort();
  }

  indexes.AutoMode_IdxInit(data);
  data[3] = MemoRecord{};
  indexes.AutoMode_IdxInit(data);
  const CsvReadResult again = ReadStationCsv(WriteStationCsv(data, indexes.AllIndex, true));
  if (!again.ok || again.rows.size() != plan.placements.size()) std::abort();
  for (const CsvRow& row : again.rows)
    if (row.skip != CsvSkip::kNone) std::abort();
  return 0;
}
