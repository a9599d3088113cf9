// SDR++'s frequency lists with arbitrary bytes: the JSON reader must stay inside the text and
// within its nesting limit, a failure must come with a message, and every station it places
// must lie in the receiver's range and export and read back as a usable line.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "stations/station_csv.h"
#include "stations/station_csv_json.h"
#include "stations/station_index.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
  static MemoData data;
  static StationIndexes indexes;
  const std::string_view text(reinterpret_cast<const char*>(bytes), size);
  JsonValue value;
  std::string error;
  if (ParseJson(text, value, error) != error.empty()) std::abort();
  const CsvReadResult read = ReadSdrppJson(text);
  if (read.ok != read.error.empty()) std::abort();
  if (!read.ok) return 0;

  data.Clear();
  const CsvImportPlan plan = PlanCsvImport(read, data);
  ApplyCsvImport(plan, data);
  for (const CsvPlacement& p : plan.placements) {
    const MemoRecord& r = data[p.memoNo];
    if (r.Frequency < kCsvLowestHz || r.Frequency > kCsvHighestHz || r.Frequency2 != 0)
      std::abort();
  }
  indexes.AutoMode_IdxInit(data);
  const CsvReadResult again = ReadStationCsv(WriteStationCsv(data, indexes.AllIndex, false));
  if (!again.ok || again.rows.size() != plan.placements.size()) std::abort();
  for (const CsvRow& row : again.rows)
    if (row.skip != CsvSkip::kNone) std::abort();
  return 0;
}
