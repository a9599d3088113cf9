// The station list as CSV: our own export (UTF-8, one header line), and the lists listeners
// already keep elsewhere read in: CHIRP's CSV export and gqrx's bookmarks.csv. Reading never
// touches the table; a plan says which free records the rows would fill, the user sees its
// summary, and only then is it applied.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "stations/station_file.h"
#include "stations/station_index.h"

enum class CsvFormat { kFennix, kChirp, kGqrx };

// Why a line does not become a station.
enum class CsvSkip : int {
  kNone = 0,
  kNoFrequency,     // empty, or not a number
  kOutOfRange,      // outside what the receiver tunes, 25..2000 MHz
  kListFull,        // no free record left among 1..10000
  kMemoryKeyInUse,  // a memory key row whose key already holds a frequency
};
inline constexpr int kCsvSkipKinds = 5;

// The receiver's range; lines outside it are skipped.
inline constexpr std::int64_t kCsvLowestHz = 25'000'000;
inline constexpr std::int64_t kCsvHighestHz = 2'000'000'000;
// A file larger than these is refused as a whole.
inline constexpr std::size_t kCsvMaxBytes = 8u << 20;
inline constexpr int kCsvMaxLines = 50'000;
// How many problems the summary lists by line.
inline constexpr std::size_t kCsvProblemsShown = 5;

// Our own header, in the column order written.
inline constexpr std::array<std::string_view, 11> kCsvHeader = {
    "Type",        "Name",        "Frequency (MHz)", "Frequency2 (MHz)", "Step (kHz)", "Mode",
    "Shift (kHz)", "Sensitivity", "Location",        "Remarks",          "Memory"};

// One data line as read: the record it would become (texts in CP932, cut to their widths).
struct CsvRow {
  int line = 0;       // line of the file where the row starts, from 1
  MemoRecord record;  //
  int memoryKey = 0;  // 1..8 for a memory key row of our own export
  CsvSkip skip = CsvSkip::kNone;
  std::string detail;  // UTF-8: the text that made the row fail, for the problem list
};

struct CsvReadResult {
  bool ok = false;
  std::string error;  // UTF-8, shown as it is when !ok
  CsvFormat format = CsvFormat::kFennix;
  std::vector<CsvRow> rows;
};

// Reads a whole file's bytes. A malformed file (not UTF-8, no known header, a column missing,
// a quote left open, too large) gives ok = false and a message.
CsvReadResult ReadStationCsv(std::string_view bytes);

struct CsvPlacement {
  int memoNo = 0;
  MemoRecord record;
};

struct CsvImportPlan {
  CsvFormat format = CsvFormat::kFennix;
  std::vector<CsvPlacement> placements;  // free records only, in file order
  int stations = 0;                      // placements among 1..10000
  int memoryKeys = 0;                    // placements among 10001..10008
  std::array<int, kCsvSkipKinds> skipped{};
  std::vector<std::string> problems;  // the first few, UTF-8, "12 行目: ..."

  int Skipped() const;
  bool Empty() const { return placements.empty(); }
};

// Gives each usable row a free record (FindNull order); nothing that is in use is touched.
CsvImportPlan PlanCsvImport(const CsvReadResult& read, const MemoData& data);
// What the user confirms: how many lines become stations, how many are skipped and why.
std::string CsvImportSummary(const CsvImportPlan& plan);
void ApplyCsvImport(const CsvImportPlan& plan, MemoData& data);

// The stations of `allIndex` in its order, then (optionally) the memory keys that hold a
// frequency, as UTF-8 CSV with the header line.
std::string WriteStationCsv(const MemoData& data, const StationIndex& allIndex,
                            bool withMemoryKeys);

// The nearest of the seven modes for a mode name of CHIRP or gqrx (or one of ours); 0 when
// there is none. A bandwidth in Hz (0 = unknown) tells narrow from normal FM and AM.
int NearestMode(std::string_view name, std::int64_t bandwidthHz = 0);

// One cell of a CSV line: quoted when it holds a comma, a quote, a line break or edge blanks.
std::string CsvField(std::string_view text);
// The rows of comma-separated text, cells unquoted; false with a message (UTF-8) in `error`
// for a quote left open.
bool SplitCsv(std::string_view text, std::vector<std::vector<std::string>>& rows,
              std::string& error);
