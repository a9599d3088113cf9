// The station list as CSV: our own export and its round trip, CHIRP's and gqrx's files read
// in, free records only, and malformed files that must change nothing.
#include "stations/station_csv.h"

#include <gtest/gtest.h>

#include <functional>

#include "stations/cp932.h"
#include "stations/find_null.h"
#include "stations/station_csv_json.h"
#include "stations/station_index.h"
#include "tests/stations/temp_folder.h"

namespace {

std::string TestData(const std::string& name) {
  return ReadFileBytes(std::string(FENNIX_SOURCE_DIR) + "/tests/stations/data/" + name);
}

MemoRecord Station(std::int32_t f1, std::int32_t f2, int mode, std::int32_t step,
                   std::int32_t shift, int select, std::string_view utf8Name,
                   std::string_view utf8Type = "", std::string_view address = "",
                   std::string_view etc = "") {
  MemoRecord r;
  r.Frequency = f1;
  r.Frequency2 = f2;
  r.Mode = mode;
  r.Step = step;
  r.Shift = shift;
  r.Select = select;
  r.Name.Assign(Utf8ToCp932(utf8Name));
  r.Type.Assign(Utf8ToCp932(utf8Type));
  r.Address.Assign(Utf8ToCp932(address));
  r.Etc.Assign(Utf8ToCp932(etc));
  return r;
}

std::string Utf8(std::string_view cp932) { return Cp932ToUtf8(cp932); }

// What one data line should become.
struct Expected {
  int line;
  CsvSkip skip;
  std::int32_t frequency;
  int mode;
  std::int32_t step;
  std::int32_t shift;
  std::string name;
  std::string type;
  std::string etc;
};

void ExpectRows(const CsvReadResult& read, const std::vector<Expected>& expected) {
  ASSERT_TRUE(read.ok) << read.error;
  ASSERT_EQ(read.rows.size(), expected.size());
  for (std::size_t i = 0; i < expected.size(); ++i) {
    const CsvRow& row = read.rows[i];
    const Expected& e = expected[i];
    SCOPED_TRACE("line " + std::to_string(e.line));
    EXPECT_EQ(row.line, e.line);
    EXPECT_EQ(row.skip, e.skip);
    EXPECT_EQ(Utf8(row.record.Name.View()), e.name);
    if (e.skip != CsvSkip::kNone) continue;
    EXPECT_EQ(row.record.Frequency, e.frequency);
    EXPECT_EQ(row.record.Frequency2, 0);
    EXPECT_EQ(row.record.Mode, e.mode);
    EXPECT_EQ(row.record.Step, e.step);
    EXPECT_EQ(row.record.Shift, e.shift);
    EXPECT_EQ(Utf8(row.record.Type.View()), e.type);
    EXPECT_EQ(Utf8(row.record.Etc.View()), e.etc);
  }
}

TEST(StationCsvRead, ChirpExportWrittenByHand) {
  const CsvReadResult read = ReadStationCsv(TestData("chirp.csv"));
  EXPECT_EQ(read.format, CsvFormat::kChirp);
  using enum CsvSkip;
  ExpectRows(read, {
                       {2, kNone, 146520000, 5, 5000, 0, "CALL 2M", "", "National calling"},
                       {3, kNone, 146940000, 5, 5000, -600, "W1AW RPT", "", ""},
                       {4, kNone, 439500000, 6, 12500, 5000, "JR1 RPT", "", "レピーター, 東京"},
                       {5, kNone, 118100000, 4, 25000, 0, "AIR TWR", "", ""},
                       {6, kNone, 145000000, 6, 6250, -5000, "SPLIT", "", ""},
                       {7, kOutOfRange, 0, 0, 0, 0, "40M", "", ""},
                       {8, kNoFrequency, 0, 0, 0, 0, "EMPTY", "", ""},
                       {9, kNone, 145670000, 6, 5000, 0, "DSTAR", "", ""},
                       {10, kNone, 156800000, 5, 25000, 0, "MARINE 16", "", ""},
                       {11, kNone, 80000000, 7, 100000, 0, "FM BCAST", "", ""},
                   });
}

TEST(StationCsvRead, GqrxBookmarksWithTheirTagLines) {
  const CsvReadResult read = ReadStationCsv(TestData("gqrx_bookmarks.csv"));
  EXPECT_EQ(read.format, CsvFormat::kGqrx);
  using enum CsvSkip;
  ExpectRows(read, {
                       {7, kNone, 118100000, 4, 0, 0, "Tower", "Air", ""},
                       {8, kNone, 80000000, 7, 0, 0, "NHK FM", "Broadcast", ""},
                       {9, kNone, 145000000, 5, 0, 0, "Calling", "", ""},
                       {10, kNone, 154000000, 6, 0, 0, "Narrow", "Air", ""},
                       {11, kOutOfRange, 0, 0, 0, 0, "40m", "", ""},
                       {12, kOutOfRange, 0, 0, 0, 0, "Wifi", "", ""},
                       {13, kNone, 120000000, 3, 0, 0, "広い AM", "Air", ""},
                   });
}

TEST(StationCsvRead, OwnFormatFieldsBandsAndCuts) {
  const std::string file =
      "\xEF\xBB\xBF"  // a byte order mark from a spreadsheet is passed over
      "Type,Name,Frequency (MHz),Frequency2 (MHz),Step (kHz),Mode,Shift (kHz),Sensitivity,"
      "Location,Remarks,Memory\n"
      "航空無線,\"Tower, \"\"A\"\"\",118.1,,25,am,0,3,羽田,\"two\nlines\",\n"
      "Band,エアバンド,136.0,118.0,8.33,A M,0,0,,,\n"
      "x,あああああああああああああああああああああ,145.0000009,,0.0125,fm,-5000,5,"
      "a123456789012345678901234567890,,\n"
      "x,no number,abc,,,,,,,,\n"
      "x,too high,2147.483648,,,,,,,,\n"
      "x,band too high,1000,2200,,,,,,,\n";
  const CsvReadResult read = ReadStationCsv(file);
  ASSERT_TRUE(read.ok) << read.error;
  EXPECT_EQ(read.format, CsvFormat::kFennix);
  ASSERT_EQ(read.rows.size(), 6u);

  const MemoRecord& tower = read.rows[0].record;
  EXPECT_EQ(read.rows[0].line, 2);
  EXPECT_EQ(Utf8(tower.Type.View()), "航空無線");
  EXPECT_EQ(Utf8(tower.Name.View()), "Tower, \"A\"");
  EXPECT_EQ(tower.Frequency, 118100000);
  EXPECT_EQ(tower.Mode, 4);
  EXPECT_EQ(tower.Step, 25000);
  EXPECT_EQ(tower.Select, 3);
  EXPECT_EQ(Utf8(tower.Address.View()), "羽田");
  EXPECT_EQ(Utf8(tower.Etc.View()), "two lines");  // a line break inside is a blank

  // A band given upper edge first is kept lower edge first; the row after a quoted line
  // break is counted from the file's own lines.
  EXPECT_EQ(read.rows[1].line, 4);
  EXPECT_EQ(read.rows[1].record.Frequency, 118000000);
  EXPECT_EQ(read.rows[1].record.Frequency2, 136000000);
  EXPECT_EQ(read.rows[1].record.Step, 8330);

  // Texts are cut to their width in bytes, never through a double-byte character; digits
  // past the hertz are cut off.
  const MemoRecord& cut = read.rows[2].record;
  EXPECT_EQ(cut.Name.Length, 30);
  EXPECT_EQ(Utf8(cut.Name.View()), "あああああああああああああああ");
  EXPECT_EQ(cut.Address.View(), "a1234567890123456789");
  EXPECT_EQ(cut.Frequency, 145000000);
  EXPECT_EQ(cut.Step, 12);
  EXPECT_EQ(cut.Shift, -5000);
  EXPECT_EQ(cut.Mode, 5);

  EXPECT_EQ(read.rows[3].skip, CsvSkip::kNoFrequency);
  EXPECT_EQ(read.rows[3].detail, "abc");
  // Our own rows keep what the list holds; only what it cannot hold is refused.
  EXPECT_EQ(read.rows[4].skip, CsvSkip::kBadValue);
  EXPECT_EQ(read.rows[5].skip, CsvSkip::kBadValue);
}

TEST(StationCsvRead, LineEndsUpToTheLastLineAndBlankLinesBeforeTheHeader) {
  std::string csv(kCsvHeader[0]);
  for (std::size_t i = 1; i < kCsvHeader.size(); ++i) csv += "," + std::string(kCsvHeader[i]);
  const CsvReadResult read = ReadStationCsv(csv + "\r\n,a,145,,,,,,,x,\r\n\r\n,b,146,,,,,,,,F2\r");
  ASSERT_TRUE(read.ok) << read.error;
  ASSERT_EQ(read.rows.size(), 2u);
  EXPECT_EQ(read.rows[0].record.Etc.View(), "x");
  EXPECT_EQ(read.rows[1].line, 4);
  EXPECT_EQ(read.rows[1].memoryKey, 2);
  // Blank lines before the header, in each kind of line end, let it tell the format.
  for (const std::string end : {"\n", "\r\n", "\r"}) {
    const CsvReadResult read = ReadStationCsv(end + end + "# Frequency ; Name ; Modulation" + end +
                                              "145000000; a; AM" + end);
    ASSERT_TRUE(read.ok) << read.error;
    EXPECT_EQ(read.format, CsvFormat::kGqrx);
    ASSERT_EQ(read.rows.size(), 1u);
    EXPECT_EQ(read.rows[0].line, 4);
  }
}

TEST(StationCsvRead, MalformedFilesGiveAMessageAndNoRows) {
  const std::string header =
      "Type,Name,Frequency (MHz),Frequency2 (MHz),Step (kHz),Mode,Shift (kHz),Sensitivity,"
      "Location,Remarks\n";
  std::string manyLines = header;
  for (int i = 0; i < 100000; ++i) manyLines += ",x,145.0,,,,,,,\n";
  std::string manyValues = "{\"bookmarks\": [0";
  for (int i = 0; i < kJsonMaxValues; ++i) manyValues += ",0";
  manyValues += "]}";
  struct Case {
    std::string name;
    std::string bytes;
    std::string message;  // a part of the message
  };
  const std::vector<Case> cases = {
      {"Shift-JIS text of another program",
       "Location,Name,Frequency,Duplex,Offset,Mode\n0,\x93\x8C\x8B\x9E,145.0,,,FM\n",
       "2 行目が UTF-8"},
      {"NUL bytes", header + std::string("x\0y,z,145,,,,,,,\n", 18), "UTF-8"},
      {"a column missing",
       "Type,Name,Frequency (MHz),Frequency2 (MHz),Step (kHz),Shift (kHz),"
       "Sensitivity,Location,Remarks\nx,y,145,,,,,,\n",
       "\"Mode\""},
      {"CHIRP without Duplex and Offset", "Location,Name,Frequency,Mode\n0,a,145,FM\n",
       "\"Duplex\"、\"Offset\""},
      {"a quote left open", header + "x,y,145,,,,,,,ok\nx,\"open,145,,,,,,,\nx,y,146,,,,,,,\n",
       "3 行目の引用符"},
      {"100,000 lines", manyLines, "行が多すぎます (100,001 行)"},
      {"too many bytes", std::string(kCsvMaxBytes + 1, 'a'), "大きすぎます"},
      {"an unknown header", "Freq,Label\n145,a\n", "見出しがわかりません"},
      {"gqrx without its header", "# Tag name ; color\nUntagged ; #c0c0c0\n145000000; a; FM\n",
       "見出し行"},
      {"empty", "", "空です"},
      // SDR++ files are refused whole, with the line.
      {"SDR++ trailing comma",
       "{\n\"lists\": {\n\"a\": {\"bookmarks\": {\"x\": {\"frequency\": 1e8,}}}}}", "3 行目"},
      {"SDR++ lone surrogate", "{\"bookmarks\": {\"x\": {\"frequency\": \"\\ud800\"}}}", "1 行目"},
      {"SDR++ text after", "{\"bookmarks\": {}} x", "余分な文字"},
      {"SDR++ too deep", "{\"a\": " + std::string(5000, '[') + std::string(5000, ']') + "}",
       "JSON として読めません"},
      {"SDR++ no bookmarks", "{\"selectedList\": \"General\"}", "\"bookmarks\" がありません"},
      {"SDR++ too many values", manyValues, "JSON の値が多すぎます"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const CsvReadResult read = ReadStationCsv(c.bytes);
    EXPECT_FALSE(read.ok);
    EXPECT_NE(read.error.find(c.message), std::string::npos) << read.error;
    EXPECT_TRUE(read.rows.empty());
    // A plan of a failed read adds nothing.
    EXPECT_TRUE(PlanCsvImport(read, MemoData{}).Empty());
  }
}

TEST(StationCsvMode, NearestOfTheSeven) {
  struct Case {
    std::string_view name;
    std::int64_t bandwidth;
    int mode;
  };
  const Case cases[] = {
      {"FM", 0, 5},           {"NFM", 0, 6},           {"WFM", 0, 7},
      {"AM", 0, 4},           {"AM", 15000, 3},        {"NAM", 0, 4},
      {"USB", 0, 2},          {"LSB", 0, 1},           {"CW", 0, 2},
      {"CWR", 0, 1},          {"CW-L", 0, 1},          {"DV", 0, 6},
      {"DMR", 0, 6},          {"Auto", 0, 0},          {"Narrow FM", 0, 5},
      {"Narrow FM", 5000, 6}, {"Narrow FM", 12500, 5}, {"WFM (oirt)", 0, 7},
      {"Raw I/Q", 0, 0},      {" F M ", 0, 5},         {"AMW", 0, 3},
      {"FMN", 0, 6},          {"nonsense", 0, 0},      {"", 0, 0},
  };
  for (const Case& c : cases) EXPECT_EQ(NearestMode(c.name, c.bandwidth), c.mode) << c.name;
}

TEST(StationCsvWrite, HeaderAndRowsInAllIndexOrderWithMemoryKeys) {
  MemoData data;
  data[7] =
      Station(145000000, 0, 5, 12500, -600, 2, "東京, \"局\"", "アマチュア無線", "東京", " 備考 ");
  data[3] = Station(118000000, 136000000, 4, 25000, 0, 0, "Air");
  data[10003] = Station(80000000, 0, 7, 100000, 0, 0, "");
  StationIndexes indexes;
  indexes.AutoMode_IdxInit(data);

  const std::string header =
      "Type,Name,Frequency (MHz),Frequency2 (MHz),Step (kHz),Mode,Shift (kHz),Sensitivity,"
      "Location,Remarks,Memory\n";
  const std::string stations =
      ",Air,118.000000,136.000000,25.000,A M,0,0,,,\n"
      "アマチュア無線,\"東京, \"\"局\"\"\",145.000000,,12.500,F M,-600,2,東京,\" 備考 \",\n";
  EXPECT_EQ(WriteStationCsv(data, indexes.AllIndex, false), header + stations);
  EXPECT_EQ(WriteStationCsv(data, indexes.AllIndex, true),
            header + stations + ",,80.000000,,100.000,WFM,0,0,,,F3\n");
}

// Fills `data` with a varied list at scattered record numbers.
void VariedList(MemoData& data) {
  int n = 5;
  for (int i = 0; i < 300; ++i, n += 7) {
    data[n] = Station(25000000 + i * 6250001, i % 3 == 0 ? 30000000 + i * 6250001 : 0, i % 8,
                      i * 10, (i % 5 - 2) * 600, i % 6, "局" + std::to_string(i) + ",\"x\"",
                      i % 2 ? "航空無線" : "", "所在地 " + std::to_string(i),
                      std::string(static_cast<std::size_t>(i % 50), 'e'));
  }
  data[9000] = Station(1999999999, 0, 7, 0, 0, 0, std::string(30, 'n'));
  data[9001] = Station(25000000, 2000000000, 0, 0, 0, 0, "あいうえおかきくけこさしすせそ");
  for (int k = 1; k <= 8; ++k)
    data[kMemoryKeyBase + k] = Station(10000000 * k, 0, k % 8, 5000, 0, 0, "");
}

TEST(StationCsvRoundTrip, ExportClearImportGivesTheSameRecords) {
  MemoData data;
  VariedList(data);
  StationIndexes before;
  before.AutoMode_IdxInit(data);
  const std::string csv = WriteStationCsv(data, before.AllIndex, true);

  MemoData fresh;
  const CsvReadResult read = ReadStationCsv(csv);
  const CsvImportPlan plan = PlanCsvImport(read, fresh);
  EXPECT_EQ(plan.stations, before.AllIndex.Count());
  EXPECT_EQ(plan.memoryKeys, 8);
  EXPECT_EQ(plan.Skipped(), 0) << CsvImportSummary(plan);
  ApplyCsvImport(plan, fresh);

  StationIndexes after;
  after.AutoMode_IdxInit(fresh);
  ASSERT_EQ(after.AllIndex.Count(), before.AllIndex.Count());
  for (int pos = 1; pos <= before.AllIndex.Count(); ++pos)
    ASSERT_EQ(fresh[after.AllIndex[pos]], data[before.AllIndex[pos]]) << "position " << pos;
  // The stations fill records 1.. in the order written.
  EXPECT_EQ(FindNull(fresh), before.AllIndex.Count() + 1);
  for (int k = 1; k <= 8; ++k) EXPECT_EQ(fresh[kMemoryKeyBase + k], data[kMemoryKeyBase + k]);
  // And the file written again is the same file.
  EXPECT_EQ(WriteStationCsv(fresh, after.AllIndex, true), csv);
}

TEST(StationCsvPlan, FreeRecordsOnlyAndAFullList) {
  MemoData data;
  for (int n = 1; n <= kStationCount; ++n) data[n].Frequency = 100000000;
  data[2] = MemoRecord{};  // free
  data[2].Name.Assign("old text");
  data[9999].Frequency = 0;  // free
  data[9999].Frequency2 = 0;
  data[5].Frequency = 0;  // not free: a second frequency without a first
  data[5].Frequency2 = -1;
  data[10001].Frequency = 1;  // memory key F1 in use

  std::string csv(kCsvHeader[0]);
  for (std::size_t i = 1; i < kCsvHeader.size(); ++i) csv += "," + std::string(kCsvHeader[i]);
  csv +=
      "\n,A,145,,,,,,,,\n,B,146,,,,,,,,\n,C,147,,,,,,,,\n,D,148,,,,,,,,\n"
      ",M1,50,,,,,,,,F1\n,M2,50,,,,,,,,F2\n,M2 again,51,,,,,,,,F2\n,,-10,,,,,,,,\n";
  const CsvImportPlan plan = PlanCsvImport(ReadStationCsv(csv), data);
  ASSERT_EQ(plan.placements.size(), 3u);
  EXPECT_EQ(plan.placements[0].memoNo, 2);
  EXPECT_EQ(plan.placements[1].memoNo, 9999);
  EXPECT_EQ(plan.placements[2].memoNo, 10002);
  EXPECT_EQ(plan.stations, 2);
  EXPECT_EQ(plan.memoryKeys, 1);
  EXPECT_EQ(plan.skipped[static_cast<int>(CsvSkip::kListFull)], 2);
  EXPECT_EQ(plan.skipped[static_cast<int>(CsvSkip::kMemoryKeyInUse)], 2);
  EXPECT_EQ(plan.skipped[static_cast<int>(CsvSkip::kBadValue)], 1);
  EXPECT_EQ(plan.problems.size(), kCsvProblemsShown);
  EXPECT_EQ(plan.problems[0], "4 行目: 局のリストが一杯です (10,000 局)");
  EXPECT_EQ(plan.problems[2], "6 行目: メモリー F1 は使用中です");

  MemoData after = data;
  ApplyCsvImport(plan, after);
  for (int n = 1; n <= 10010; ++n) {
    if (n == 2 || n == 9999 || n == 10002) continue;
    ASSERT_EQ(after[n], data[n]) << "record " << n << " was overwritten";
  }
  EXPECT_EQ(Utf8(after[2].Name.View()), "A");  // the old text is gone with the rest
  EXPECT_EQ(after[9999].Frequency, 146000000);
  EXPECT_EQ(after[10002].Frequency, 50000000);

  const std::string summary = CsvImportSummary(plan);
  EXPECT_NE(summary.find("局として追加する行: 2"), std::string::npos) << summary;
  EXPECT_NE(summary.find("メモリーに入れる行: 1"), std::string::npos);
  EXPECT_NE(summary.find("読み込まない行: 5 (受け付けられない値 1、リストが一杯 2、"
                         "メモリーが使用中 2)"),
            std::string::npos)
      << summary;
  EXPECT_NE(summary.find("4 行目: 局のリストが一杯です"), std::string::npos);
  EXPECT_EQ(summary.find("11 行目"), std::string::npos);  // past the first few
}

TEST(StationCsvText, CharactersCp932CannotHoldBecomeOnePlaceholder) {
  EXPECT_EQ(Utf8ToCp932("a\xF0\x9F\x98\x80"
                        "b"),
            "a?b");
  EXPECT_EQ(Utf8ToCp932("\xE2\x82\xAC"), "?");  // the euro sign
}

// Sample files of each format: what an import adds, refuses and changes; a second import of
// the same file finds the duplicates.
TEST(StationCsvSamples, ImportCountsAndASecondImportFindsTheDuplicates) {
  struct Case {
    std::string file;
    CsvFormat format;
    int stations, memoryKeys, outOfRange, badValue, noFrequency;
    int replacedFields, approximated, placeholders, cutFields;
    int line;  // one station's line, name and frequency
    std::string name;
    std::int32_t frequency;
  };
  const std::vector<Case> cases = {
      {"chirp_polish.csv", CsvFormat::kChirp, 5, 0, 2, 1, 0, 5, 10, 2, 1, 5, "Zolw ?", 145500000},
      {"fennix_mac_sjis.csv", CsvFormat::kFennix, 5, 1, 0, 6, 0, 0, 0, 0, 0, 3, "ラジオNIKKEI",
       3925000},
      {"gqrx_2014.csv", CsvFormat::kGqrx, 3, 0, 1, 0, 0, 1, 2, 0, 0, 5, "Cesky", 433500000},
      {"sdrpp_frequency_manager.json", CsvFormat::kSdrpp, 3, 0, 1, 0, 1, 1, 1, 0, 0, 26,
       "Calling A", 145500000},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file);
    const CsvReadResult read = ReadStationCsv(TestData(c.file));
    ASSERT_TRUE(read.ok) << read.error;
    EXPECT_EQ(read.format, c.format);
    MemoData data;
    const CsvImportPlan plan = PlanCsvImport(read, data);
    EXPECT_EQ(plan.stations, c.stations);
    EXPECT_EQ(plan.memoryKeys, c.memoryKeys);
    EXPECT_EQ(plan.skipped[static_cast<int>(CsvSkip::kOutOfRange)], c.outOfRange);
    EXPECT_EQ(plan.skipped[static_cast<int>(CsvSkip::kBadValue)], c.badValue);
    EXPECT_EQ(plan.skipped[static_cast<int>(CsvSkip::kNoFrequency)], c.noFrequency);
    EXPECT_EQ(plan.replacedFields, c.replacedFields);
    EXPECT_EQ(plan.approximated, c.approximated);
    EXPECT_EQ(plan.placeholders, c.placeholders);
    EXPECT_EQ(plan.cutFields, c.cutFields);
    const auto row = std::find_if(read.rows.begin(), read.rows.end(),
                                  [&](const CsvRow& r) { return r.line == c.line; });
    ASSERT_NE(row, read.rows.end());
    EXPECT_EQ(Utf8(row->record.Name.View()), c.name);
    EXPECT_EQ(row->record.Frequency, c.frequency);

    ApplyCsvImport(plan, data);
    const CsvImportPlan again = PlanCsvImport(read, data);
    EXPECT_EQ(again.stations, 0);
    EXPECT_EQ(again.duplicates, c.stations);
    EXPECT_NE(CsvImportSummary(again).find("既にある局: " + std::to_string(c.stations)),
              std::string::npos);
    EXPECT_EQ(PlanCsvImport(read, data, true).stations, c.stations);  // imported anyway
  }
}

// Every export reads back the same stations: all in our own CSV (below 25 MHz too), the
// receiver's single stations in CHIRP's and gqrx's.
TEST(StationCsvRoundTrip, EveryExportReadsBackIntoAnEmptyList) {
  MemoData list;
  list[1] = Station(3925000, 0, 2, 1000, 0, 2, "ラジオNIKKEI", "短波", "東京", "コンバーター");
  list[2] = Station(20000, 0, 4, 9000, 0, 0, "長波");
  list[3] = Station(1000000, 0, 0, 0, 0, 0, "");  // both frequencies left empty in the editor
  list[4] = Station(118000000, 136975000, 4, 25000, 0, 0, "エアバンド", "バンド");
  list[5] = Station(145000000, 0, 6, 12500, -600, 5, "Calling; \"A\", B", "アマチュア無線");
  list[6] = Station(439500000, 0, 5, 20000, 5000, 1, "JR1 レピーター");
  list[7] = Station(80000000, 0, 7, 100000, 0, 0, "NHK FM", "放送");
  list[kMemoryKeyBase + 1] = Station(25050000, 0, 5, 12500, 0, 0, "");
  StationIndexes indexes;
  indexes.AutoMode_IdxInit(list);
  struct Case {
    std::string name;
    std::string bytes;
    std::vector<int> records;  // the records that come back
  };
  const std::vector<int> all = {1, 2, 3, 4, 5, 6, 7, 10001};
  const std::vector<Case> cases = {
      {"UTF-8", WriteStationCsv(list, indexes.AllIndex, true), all},
      {"UTF-8 with BOM", WriteStationCsv(list, indexes.AllIndex, true, CsvEncoding::kUtf8Bom), all},
      {"Shift-JIS", WriteStationCsv(list, indexes.AllIndex, true, CsvEncoding::kShiftJis), all},
      {"CHIRP", WriteOtherProgramCsv(list, indexes.AllIndex, CsvFormat::kChirp).bytes, {5, 6, 7}},
      {"gqrx", WriteOtherProgramCsv(list, indexes.AllIndex, CsvFormat::kGqrx).bytes, {5, 6, 7}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const CsvReadResult read = ReadStationCsv(c.bytes);
    ASSERT_TRUE(read.ok) << read.error;
    MemoData back;
    ApplyCsvImport(PlanCsvImport(read, back), back);
    std::vector<MemoRecord> expected, got;
    for (const int n : c.records) expected.push_back(list[n]);
    for (int n = 1; n < kMemoCount; ++n)
      if (back[n].Frequency != 0) got.push_back(back[n]);
    auto byFrequency = [](const MemoRecord& a, const MemoRecord& b) {
      return std::tuple(a.Frequency, a.Frequency2, a.Name.View()) <
             std::tuple(b.Frequency, b.Frequency2, b.Name.View());
    };
    std::sort(expected.begin(), expected.end(), byFrequency);
    std::sort(got.begin(), got.end(), byFrequency);
    ASSERT_EQ(got.size(), expected.size());
    for (std::size_t i = 0; i < got.size(); ++i) {
      SCOPED_TRACE(Utf8(expected[i].Name.View()));
      if (c.records.size() > 3) {
        EXPECT_EQ(got[i], expected[i]);
        continue;
      }
      // gqrx has no semicolons in names.
      std::string name = Utf8(expected[i].Name.View());
      if (c.name == "gqrx") std::replace(name.begin(), name.end(), ';', ',');
      EXPECT_EQ(got[i].Frequency, expected[i].Frequency);
      EXPECT_EQ(got[i].Mode, expected[i].Mode);
      EXPECT_EQ(Utf8(got[i].Name.View()), name);
      if (c.name == "CHIRP") EXPECT_EQ(got[i].Shift, expected[i].Shift);
      if (c.name == "gqrx") EXPECT_EQ(got[i].Type, expected[i].Type);
    }
  }
  EXPECT_EQ(WriteOtherProgramCsv(list, indexes.AllIndex, CsvFormat::kGqrx).bandsLeftOut, 1);
}

// A list file with one fault each: the check names it in its group.
TEST(StationFileCheck, EachFaultInItsGroup) {
  struct Case {
    std::string name;
    std::function<void(MemoData&)> change;
    std::size_t damaged, duplicates, outOfRange;
  };
  const std::vector<Case> cases = {
      {"clean", [](MemoData&) {}, 0, 0, 0},
      {"a station copied", [](MemoData& d) { d[9] = d[1]; }, 0, 1, 0},
      {"a converter frequency", [](MemoData& d) { d[2].Frequency = 7100000; }, 0, 0, 1},
      {"a negative step", [](MemoData& d) { d[2].Step = -12500; }, 1, 0, 0},
      {"a mode past the table", [](MemoData& d) { d[2].Mode = 9; }, 1, 0, 0},
      {"a band upside down", [](MemoData& d) { d[2].Frequency2 = 100000000; }, 1, 0, 0},
      {"a memory key's step", [](MemoData& d) { d[10001].Step = -12500; }, 1, 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    MemoData data;
    data[1] = Station(145000000, 0, 5, 20000, 0, 0, "A");
    data[2] = Station(430000000, 0, 5, 20000, 0, 0, "B");
    data[10001] = Station(25050000, 0, 5, 12500, 0, 0, "");
    c.change(data);
    const std::vector<std::uint8_t> image = EncodeMemoData(data);
    const StationFileCheck check = CheckStationFile(
        std::string_view(reinterpret_cast<const char*>(image.data()), image.size()));
    EXPECT_EQ(check.damaged.size(), c.damaged);
    EXPECT_EQ(check.duplicates.size(), c.duplicates);
    EXPECT_EQ(check.outOfRange.size(), c.outOfRange);
  }
  // A length byte past its field and a short file are damage too; 1 Hz is only out of range.
  std::vector<std::uint8_t> image = EncodeMemoData(MemoData{});
  image[kMemoRecordSize * 3 + memo_layout::kFrequency] = 1;
  image[kMemoRecordSize * 3 + memo_layout::kName] = 40;
  image.pop_back();
  const StationFileCheck check =
      CheckStationFile(std::string_view(reinterpret_cast<const char*>(image.data()), image.size()));
  EXPECT_EQ(check.damaged.size(), 2u);
  EXPECT_EQ(check.outOfRange.size(), 1u);
}

}  // namespace
