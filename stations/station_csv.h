// The station list as CSV: our own export (UTF-8, UTF-8 with a byte order mark, or Shift-JIS),
// and the lists listeners already keep elsewhere read in and written out: CHIRP's CSV, gqrx's
// bookmarks.csv and (read only) SDR++'s frequency manager JSON. Reading never touches the
// table; a plan says which free records the rows would fill, the user sees its summary, and
// only then is it applied. The windows and the fennix-list tool share all of it.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "stations/station_file.h"
#include "stations/station_index.h"

enum class CsvFormat { kFennix, kChirp, kGqrx, kSdrpp };
// How our own CSV is written; CHIRP's and gqrx's files are always UTF-8.
enum class CsvEncoding { kUtf8, kUtf8Bom, kShiftJis };

// Why a line does not become a station.
enum class CsvSkip : int {
  kNone = 0,
  kNoFrequency,     // empty, or not a number
  kOutOfRange,      // outside what the receiver tunes, 25..2000 MHz
  kListFull,        // no free record left among 1..10000
  kMemoryKeyInUse,  // a memory key row whose key already holds a frequency
  kBadValue,        // a field the station editor would not take (a negative step, ...)
  kDuplicate,       // equal to a station already in the list (frequencies, mode, name)
};
inline constexpr int kCsvSkipKinds = 7;

// The receiver's range: other programs' lines outside it are skipped. Our own CSV keeps
// whatever the list holds (converter frequencies too); the range only limits tuning.
inline constexpr std::int64_t kCsvLowestHz = 25'000'000;
inline constexpr std::int64_t kCsvHighestHz = 2'000'000'000;
// What the editor's fields can hold: frequencies in Hz, the step in Hz (999.99 kHz), the
// shift in kHz (-999.99..9999.99 MHz).
inline constexpr std::int64_t kListHighestHz = 2'147'483'647;
inline constexpr std::int64_t kHighestStepHz = 999'990;
inline constexpr std::int64_t kLowestShiftKhz = -999'990;
inline constexpr std::int64_t kHighestShiftKhz = 9'999'990;
// A file larger than these is refused as a whole.
inline constexpr std::size_t kCsvMaxBytes = 8u << 20;
inline constexpr int kCsvMaxLines = 50'000;
// How many problems (and changed texts) the summary lists by line.
inline constexpr std::size_t kCsvProblemsShown = 5;
// Files above this size are read with a progress bar, off the window thread.
inline constexpr std::size_t kCsvLargeBytes = 256u << 10;

// Our own header, in the column order written.
inline constexpr std::array<std::string_view, 11> kCsvHeader = {
    "Type",        "Name",        "Frequency (MHz)", "Frequency2 (MHz)", "Step (kHz)", "Mode",
    "Shift (kHz)", "Sensitivity", "Location",        "Remarks",          "Memory"};

// A text that did not go into its field as written: letters Shift-JIS cannot hold were
// replaced, or it was cut to the field's width.
struct CsvTextChange {
  std::string field;  // "局名", "所在地", "種類", "備考", in the user's language
  std::string from;   // UTF-8, as in the file
  std::string to;     // UTF-8, as stored
};

// One data line as read: the record it would become (texts in CP932, cut to their widths).
struct CsvRow {
  int line = 0;       // line of the file where the row starts, from 1
  MemoRecord record;  //
  int memoryKey = 0;  // 1..8 for a memory key row of our own export
  CsvSkip skip = CsvSkip::kNone;
  std::string detail;  // UTF-8: the text that made the row fail, for the problem list
  // Letters replaced by the nearest Shift-JIS letter, and by "?" where there is none.
  int approximated = 0;
  int placeholders = 0;
  std::vector<CsvTextChange> replaced;  // fields with letters replaced
  std::vector<CsvTextChange> cut;       // fields cut to their width
};

struct CsvReadResult {
  bool ok = false;
  std::string error;  // UTF-8, shown as it is when !ok
  CsvFormat format = CsvFormat::kFennix;
  std::vector<CsvRow> rows;
};

// Told the bytes read so far; returning false stops the reading.
using CsvProgress = std::function<bool(std::size_t done, std::size_t total)>;

// Reads a whole file's bytes: our own CSV (UTF-8, or Shift-JIS as we write it), CHIRP's CSV,
// gqrx's bookmarks or SDR++'s JSON. Lines may end in CR, LF or CRLF. A malformed file (not
// UTF-8, no known header, a column missing, a quote left open, too large) gives ok = false and
// a message.
CsvReadResult ReadStationCsv(std::string_view bytes, const CsvProgress& progress = {});
// SDR++'s frequency manager lists (stations/station_csv_json.cpp).
CsvReadResult ReadSdrppJson(std::string_view bytes);

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
  int duplicates = 0;                 // rows equal to a station already in the list
  bool withDuplicates = false;        // ... placed all the same
  // Over the rows placed: fields whose letters were replaced, letters by kind, fields cut.
  int replacedFields = 0;
  int approximated = 0;
  int placeholders = 0;
  int cutFields = 0;
  std::vector<std::string> replacedExamples;  // the first few, "3 行目 備考: a → b"
  std::vector<std::string> cutExamples;

  int Skipped() const;  // every row not placed, duplicates included
  bool Empty() const { return placements.empty(); }
};

// Gives each usable row a free record (FindNull order); nothing that is in use is touched.
// Rows equal to a station in the list are left out unless `withDuplicates`.
CsvImportPlan PlanCsvImport(const CsvReadResult& read, const MemoData& data,
                            bool withDuplicates = false);
// What the user confirms: how many lines become stations, how many are skipped and why.
std::string CsvImportSummary(const CsvImportPlan& plan);
void ApplyCsvImport(const CsvImportPlan& plan, MemoData& data);

// The stations of `allIndex` in its order, then (optionally) the memory keys that hold a
// frequency, as UTF-8 CSV with the header line.
std::string WriteStationCsv(const MemoData& data, const StationIndex& allIndex, bool withMemoryKeys,
                            CsvEncoding encoding = CsvEncoding::kUtf8);

struct CsvExport {
  std::string bytes;
  int written = 0;
  int bandsLeftOut = 0;  // CHIRP and gqrx hold single frequencies only
};
// The stations of `index` (the list, or a find result) for another program: CHIRP's CSV
// (format kChirp) or gqrx's bookmarks.csv (kGqrx), both UTF-8.
CsvExport WriteOtherProgramCsv(const MemoData& data, const StationIndex& index, CsvFormat format);

// What a list file holds that it should not: damaged records (a text length past its field,
// values the editor cannot write, the wrong file size), stations equal to an earlier one, and
// stations outside the receiver's range. One UTF-8 line each, "記録 12: ...".
struct StationFileCheck {
  std::vector<std::string> damaged;
  std::vector<std::string> duplicates;
  std::vector<std::string> outOfRange;
  bool Clean() const { return damaged.empty() && duplicates.empty() && outOfRange.empty(); }
};
StationFileCheck CheckStationFile(std::string_view bytes);

// The nearest of the seven modes for a mode name of CHIRP or gqrx (or one of ours); 0 when
// there is none. A bandwidth in Hz (0 = unknown) tells narrow from normal FM and AM.
int NearestMode(std::string_view name, std::int64_t bandwidthHz = 0);

// One cell of a CSV line: quoted when it holds a comma, a quote, a line break or edge blanks.
std::string CsvField(std::string_view text);
// The rows of comma-separated text, cells unquoted; false with a message (UTF-8) in `error`
// for a quote left open.
bool SplitCsv(std::string_view text, std::vector<std::vector<std::string>>& rows,
              std::string& error);
