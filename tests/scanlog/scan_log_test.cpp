// The scan log on the virtual clock with a scripted receiver: which stops make a line, with
// what in it, and what the off switch and a failing file do. Also the file's lines read back
// and the settings section.
#include "scanlog/scan_log.h"

#include <map>

#include "base/ini_file.h"
#include "net/net_settings.h"
#include "support/scan_fixture.h"
#include "tests/stations/temp_folder.h"

namespace {

struct MemoryAppender : LineAppender {
  bool Append(const std::string& path, std::string_view header, std::string_view line,
              std::string& error) override {
    ++attempts;
    if (fail) {
      error = "No space left on device";
      return false;
    }
    std::string& file = files[path];
    if (file.empty()) (file = header) += '\n';
    (file += line) += '\n';
    return true;
  }
  std::map<std::string, std::string> files;
  bool fail = false;
  int attempts = 0;
};

struct LogViewRecorder : ScanLogView {
  void ShowLogLine(const std::string& day, const ScanLogEntry& entry) override {
    days.push_back(day);
    lines.push_back(entry);
  }
  void ShowLogWriteFailed(const std::string& message) override { failures.push_back(message); }
  std::vector<std::string> days, failures;
  std::vector<ScanLogEntry> lines;
};

constexpr std::int32_t kCarrier = 145100000;
constexpr std::int32_t kSecond = 145300000;
constexpr const char* kPath = "/logs/scanlog-2026-12-08.csv";

struct ScanLogSetup : ScanSetup {
  ScanLogSetup() {
    log.Bind(appender, logView);
    log.SetClock([] { return LocalTime{2026, 12, 8, 21, 30, 5}; });
    log.SetFolder("/logs");
    rig.scan.BindStops(log);
    rig.scan.StopTime = 1000;
    rig.tuning.Mode[1] = 5;  // "F M"
    // Levels on the carrier rise and fall; elsewhere the receiver reads 7.
    auto squelch = rig.rx.script;
    rig.rx.script = [this, squelch](const std::string& hex) -> std::optional<std::string> {
      if (hex != "FEFE34E01502FD") return squelch(hex);
      int level = 7;
      if (carriers.count(rig.rx.frequency)) {
        static constexpr int kLevels[] = {60, 190, 120};
        level = kLevels[std::min(readings++, 2)];
      }
      char text[8];
      std::snprintf(text, sizeof text, "%04d", level);
      return std::string("FEFEE0341502") + text + "FD";
    };
    open = [this](std::int32_t f, std::uint32_t now) {
      return carriers.count(f) && now < closesAt;
    };
  }
  void Scan(int ms) {
    rig.scan.UP_SC_ButtonClick();
    rig.host.Delay(ms);
  }
  std::vector<std::int32_t> LoggedFrequencies() const {
    std::vector<std::int32_t> out;
    for (const auto& e : logView.lines) out.push_back(e.frequency);
    return out;
  }

  ScanLog log;
  MemoryAppender appender;
  LogViewRecorder logView;
  std::map<std::int32_t, bool> carriers{{kCarrier, true}};
  std::uint32_t closesAt = UINT32_MAX;
  int readings = 0;
};

struct ScanLogTest : ::testing::Test, ScanLogSetup {};

// Each way a stop ends gives one line with the strongest reading of the hold.
TEST_F(ScanLogTest, EachWayAStopEndsGivesOneLine) {
  struct Case {
    const char* name;
    std::int16_t rule;
    int stopKeyAfterMs;  // 0: no stop key
    int closeAfterMs;    // the carrier goes off this long after the scan's start; 0 never
    int runMs;
    int scanStateAfter;
  } cases[] = {
      // The delay runs out and the scan steps on although the signal is there.
      {"DELAY runs out", ScanEngine::kDelay, 0, 0, 2500, ScanEngine::kUp},
      // OFF holds while the signal lasts: the closed reading ends the stop.
      {"OFF, the signal goes", ScanEngine::kOff, 0, 2500, 3000, ScanEngine::kUp},
      // The user stops the scan during the hold.
      {"stop key in the hold", ScanEngine::kDelay, 700, 0, 1500, ScanEngine::kStopped},
      // "oo" ends the scan on the signal; the stop lasts until the squelch closes.
      {"oo, then the signal goes", ScanEngine::kInfinite, 0, 2500, 3000, ScanEngine::kStopped},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ScanLogSetup s;
    s.rig.scan.ResumeMode = c.rule;
    const std::uint32_t start = s.rig.host.TickCount();
    if (c.closeAfterMs) s.closesAt = start + static_cast<std::uint32_t>(c.closeAfterMs);
    s.rig.scan.UP_SC_ButtonClick();
    if (c.stopKeyAfterMs) {
      s.rig.host.Delay(c.stopKeyAfterMs);
      EXPECT_TRUE(s.log.Holding());
      s.rig.scan.ST_SC_ButtonClick();
      s.rig.host.Delay(c.runMs - c.stopKeyAfterMs);
    } else {
      s.rig.host.Delay(c.runMs);
    }
    EXPECT_EQ(s.rig.scan.ScanState, c.scanStateAfter);
    ASSERT_EQ(s.logView.lines.size(), 1u);
    EXPECT_EQ(s.logView.lines[0].frequency, kCarrier);
    EXPECT_EQ(s.logView.lines[0].level, 190);
    EXPECT_EQ(s.logView.lines[0].mode, "F M");
    EXPECT_EQ(s.logView.lines[0].time, "2026-12-08 21:30:05");
    EXPECT_FALSE(s.log.Holding());
    EXPECT_EQ(s.appender.files[kPath],
              std::string(kScanLogHeader) + "\n2026-12-08 21:30:05,145.100000,,,F M,190\n");
  }
}

TEST_F(ScanLogTest, TheRowsNameTheBandAndTheStationInUtf8) {
  Put(1, 145000000, 146000000, 20000, 5, "\x83\x6f\x83\x93\x83\x68", "2m, \x83\x41\x83\x7d");
  Put(2, kCarrier, 0, 20000, 5, "ATC", "\x93\x8c\x8b\x9e \"APP\"");
  Index();
  rig.scan.ResumeMode = ScanEngine::kDelay;
  Scan(2500);
  ASSERT_EQ(logView.lines.size(), 1u);
  EXPECT_EQ(logView.lines[0].band, "2m, アマ");
  EXPECT_EQ(logView.lines[0].station, "東京 \"APP\"");
  // Quoted where the text needs it, and read back as it was.
  const std::string& file = appender.files[kPath];
  EXPECT_NE(file.find(",\"2m, アマ\",\"東京 \"\"APP\"\"\","), std::string::npos) << file;
  EXPECT_EQ(ReadScanLog(file), logView.lines);
}

TEST_F(ScanLogTest, NoLineWithoutAScanOrWithTheLogOff) {
  // The squelch open at the tuned frequency while the panel only polls.
  Tune(kCarrier);
  rig.host.Delay(2000);
  EXPECT_FALSE(log.Holding());
  EXPECT_TRUE(logView.lines.empty());

  ScanLogSetup off;
  off.log.Enabled = false;
  off.rig.scan.ResumeMode = ScanEngine::kDelay;
  off.Scan(2500);
  EXPECT_GT(off.rig.tuning.Frequency[1], kCarrier);  // the scan held and went on
  EXPECT_EQ(off.appender.attempts, 0);
  EXPECT_TRUE(off.logView.lines.empty());
}

TEST_F(ScanLogTest, AFailingFileIsToldOnceAndTheScanGoesOn) {
  carriers[kSecond] = true;
  appender.fail = true;
  rig.scan.ResumeMode = ScanEngine::kDelay;
  Scan(5000);
  EXPECT_EQ(appender.attempts, 2);
  ASSERT_EQ(logView.failures.size(), 1u);
  EXPECT_NE(logView.failures[0].find(kPath), std::string::npos);
  EXPECT_NE(logView.failures[0].find("No space left on device"), std::string::npos);
  EXPECT_GT(rig.tuning.Frequency[1], kSecond);
  EXPECT_EQ(rig.scan.ScanState, ScanEngine::kUp);
}

TEST(ScanLogFile, LinesReadBack) {
  struct Case {
    const char* name;
    std::string bytes;
    std::vector<ScanLogEntry> entries;
  } cases[] = {
      {"header and two lines",
       "Time,Frequency (MHz),Band,Station,Mode,Level\n"
       "2026-12-08 21:30:05,145.100000,2m,,F M,190\n"
       "2026-12-08 21:31:00,1299.999900,\"a,b\",\"x\"\"y\",WFM,\n",
       {{"2026-12-08 21:30:05", 145100000, "2m", "", "F M", 190},
        {"2026-12-08 21:31:00", 1299999900, "a,b", "x\"y", "WFM", -1}}},
      // A crash in the middle of a line: the lines before it count.
      {"a line cut short",
       "Time,Frequency (MHz),Band,Station,Mode,Level\r\n"
       "2026-12-08 21:30:05,145.100000,,,F M,190\r\n2026-12-08 21:31:00,146.0,\"cut",
       {{"2026-12-08 21:30:05", 145100000, "", "", "F M", 190}}},
      {"damaged lines are left out",
       "2026-12-08 21:30:05,145.1x,,,F M,190\nshort,line\n"
       "2026-12-08 21:30:06,145.1,,,F M,9999\n",
       {{"2026-12-08 21:30:06", 145100000, "", "", "F M", -1}}},
      {"empty", "", {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(ReadScanLog(c.bytes), c.entries);
  }
}

TEST(ScanLogFile, ALineCutShortIsEndedBeforeTheNextOne) {
  TempFolder dir;
  std::string error;
  for (const std::string old : {"", "H\nhalf", "H\nwhole\n"}) {
    WriteFileBytes(dir / "log.csv", old);
    ASSERT_TRUE(FileLineAppender().Append(dir / "log.csv", "H", "next", error)) << error;
    const std::string start = old.empty() ? "H\n" : old.back() == '\n' ? old : old + "\n";
    EXPECT_EQ(ReadFileBytes(dir / "log.csv"), start + "next\n");
  }
}

TEST(ScanLogSettings, OnByDefaultInItsOwnSectionAfterTheOthers) {
  struct Case {
    const char* file;
    bool before, after;
  } cases[] = {
      {"", true, true},
      {"[LOG]\nScanLog=0\n", true, false},
      {"[LOG]\nScanLog=1\n", false, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file);
    ScanLog log;
    log.Enabled = c.before;
    ReadScanLogSettings(IniFile::Parse(c.file), log);
    EXPECT_EQ(log.Enabled, c.after);
  }
  IniFile ini = IniFile::Parse("[OPTION]\nScanTime=30\n");
  net::WriteNetSettings(ini, {});
  ScanLog log;
  log.Enabled = false;
  WriteScanLogSettings(ini, log);
  const std::string text = ini.Text();
  EXPECT_LT(text.find("[NET]"), text.find("[LOG]\nScanLog=0"));
  EXPECT_EQ(text.find("[OPTION]\nScanTime=30\n"), 0u);
}

}  // namespace

// Held time and the priority mark come back from the line; the activity sums per frequency.
TEST(ScanLogFile, HeldTimeAndPriorityMakeTheActivity) {
  const std::vector<ScanLogEntry> entries = {
      {"2026-12-08 21:30:05", 145100000, "", "", "F M", 190, 12, true},
      {"2026-12-08 21:31:05", 80000000, "", "", "WFM", -1, 0, false},
      {"2026-12-08 21:32:05", 145100000, "", "", "F M", 200, 3, false},
      {"2026-12-08 21:33:05", 80000000, "", "", "WFM", 40, 0, true}};
  std::string file(kScanLogHeader);
  for (const auto& e : entries) file += "\n" + ScanLogLine(e);
  EXPECT_EQ(ReadScanLog(file), entries);
  // A plain short stop keeps the six cells of earlier files.
  EXPECT_EQ(ScanLogLine(entries[1]), "2026-12-08 21:31:05,80.000000,,,WFM,");
  EXPECT_EQ(Activity(entries),
            (std::vector<ActivityRow>{{80000000, 2, 0, 40}, {145100000, 2, 15, 200}}));
  EXPECT_EQ(SecondsBetween({2026, 12, 31, 23, 59, 50}, {2027, 1, 1, 0, 0, 5}), 15);
}
