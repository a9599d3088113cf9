#include "record/recorder.h"

#include <signal.h>
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <filesystem>

#include "base/ini_file.h"
#include "support/scan_fixture.h"

namespace {

namespace fs = std::filesystem;
constexpr std::int32_t kCarrier = 145100000;
constexpr int kRate = 16000;

struct Told : RecorderView {
  void ShowRecordingSaved(const std::string& path) override { saved.push_back(path); }
  void ShowRecordingFailed(const std::string& message) override { failures.push_back(message); }
  void ShowRecordingByHand(bool on) override { byHand = on; }
  std::vector<std::string> saved, failures;
  bool byHand = false;
};

// Notes when each stop began and ended on the virtual clock, and tells the recorder.
struct Stops : ScanStopObserver {
  Stops(Recorder& r, Host& h) : recorder(r), host(h) {}
  void StopBegins(const Stop& s) override {
    begins.push_back(host.TickCount());
    recorder.StopBegins(s);
  }
  void SignalReading(int level) override { recorder.SignalReading(level); }
  void StopEnds() override {
    ends.push_back(host.TickCount());
    recorder.StopEnds();
  }
  Recorder& recorder;
  Host& host;
  std::vector<std::uint32_t> begins, ends;
};

// The scan on the virtual clock with a carrier whose audio is a tone and silence elsewhere,
// 16 samples per millisecond into the recorder.
struct RecordSetup : ScanSetup {
  explicit RecordSetup(int maxSeconds = 300) {
    fs::remove_all(folder);
    recorder.MaxSeconds = maxSeconds;
    recorder.Bind(rig.host, told);
    recorder.SetFolder(folder.string());
    recorder.SetClock([] { return LocalTime{2026, 12, 8, 21, 30, 5}; });
    recorder.Attach(kRate);
    rig.scan.BindStops(stops);
    rig.tuning.Mode[1] = 5;
    auto squelch = rig.rx.script;
    rig.rx.script = [squelch, this](const std::string& hex) -> std::optional<std::string> {
      if (hex == "FEFE34E01502FD") return std::string("FEFEE03415020190FD");
      return squelch(hex);
    };
    open = [this](std::int32_t f, std::uint32_t now) {
      return (f == kCarrier || f == kCarrier + 100000) && now < closesAt;
    };
    auto receiver = rig.host.onTime;
    rig.host.onTime = [this, receiver](std::uint32_t now) {
      receiver(now);
      std::int16_t block[kRate / 1000];
      for (int i = 0; i < kRate / 1000; ++i)
        block[i] = open(rig.rx.frequency, now)
                       ? static_cast<std::int16_t>(8000 * std::sin(0.3 * (now * 16 + i)))
                       : 0;
      recorder.Samples(block, std::size(block));
    };
    rig.host.Delay(1000);  // the pre-roll fills
  }
  ~RecordSetup() { fs::remove_all(folder); }
  void Settle() {
    recorder.Flush();
    rig.host.Delay(1);
  }

  fs::path folder = fs::temp_directory_path() / ("fennix-record-" + std::to_string(getpid()));
  Recorder recorder;
  Told told;
  Stops stops{recorder, rig.host};
  std::uint32_t closesAt = UINT32_MAX;
};

TEST(Recorder, EachStopGivesOneFileWithItsPreRollTagsAndLimits) {
  struct Case {
    const char* name;
    std::int16_t rule;
    int carrierMs, runMs, maxSeconds;
    int files;
    int seconds;  // of audio after the stop began; the pre-roll comes on top
  } cases[] = {
      {"a stop of 3 s", ScanEngine::kOff, 3000, 4000, 300, 1, 3},
      {"a pause of 300 ms is too short", ScanEngine::kPause, 0, 1000, 300, 0, 0},
      {"a long signal is cut at the longest", ScanEngine::kOff, 0, 13000, 10, 1, 10},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    RecordSetup s(c.maxSeconds);
    s.rig.scan.ResumeMode = c.rule;
    if (c.carrierMs) s.closesAt = s.rig.host.TickCount() + c.carrierMs;
    s.rig.scan.UP_SC_ButtonClick();
    s.rig.host.Delay(c.runMs);
    s.rig.scan.ST_SC_ButtonClick();
    s.rig.host.Delay(100);
    s.Settle();
    EXPECT_TRUE(s.told.failures.empty());
    ASSERT_EQ(static_cast<int>(s.told.saved.size()), c.files);
    if (!c.files) continue;
    SoundFile f;
    std::string error;
    ASSERT_TRUE(ReadSoundFile(s.told.saved[0], f, error)) << error;
    EXPECT_EQ(s.told.saved[0], s.recorder.Folder() + "/2026-12-08/213005_145.1000.flac");
    EXPECT_EQ(f.rate, kRate);
    const double held = c.carrierMs ? (s.stops.ends[0] - s.stops.begins[0]) / 1000.0 : c.seconds;
    EXPECT_NEAR(f.samples.size() / double(kRate), held + 1.0, 0.05);
    EXPECT_NEAR(held, c.seconds, 0.3);
    // The squelch opened before the stop began: the pre-roll holds the signal's start, and
    // silence before it.
    const auto first = std::ranges::find_if(f.samples, [](std::int16_t v) { return v != 0; });
    EXPECT_GT(first - f.samples.begin(), 0);
    EXPECT_LT(first - f.samples.begin(), kRate);
    EXPECT_EQ(f.title, "145.1000 MHz F M");
    EXPECT_EQ(f.date, "2026-12-08 21:30:05");
    EXPECT_EQ(f.comment, "frequency=145100000;mode=F M;level=190");
    EXPECT_EQ(FindRecording(s.recorder.Folder(), "2026-12-08 21:30:04", kCarrier), s.told.saved[0]);
    EXPECT_EQ(FindRecording(s.recorder.Folder(), "2026-12-08 21:30:06", kCarrier), "");
  }
}

TEST(Recorder, ByHandRecordsTheTunedFrequencyWithoutPreRoll) {
  RecordSetup s;
  s.recorder.Format = RecordFormat::kOpus;
  s.rig.host.Delay(1500);
  s.recorder.ByHand({kCarrier, "", "\x83\x65\x83\x58\x83\x67", 2});  // "テスト" in CP932
  EXPECT_TRUE(s.told.byHand);
  s.rig.host.Delay(2000);
  s.recorder.ByHand({});
  EXPECT_FALSE(s.told.byHand);
  s.Settle();
  ASSERT_EQ(s.told.saved.size(), 1u);
  EXPECT_TRUE(s.told.saved[0].ends_with("_145.1000.opus"));
  SoundFile f;
  std::string error;
  ASSERT_TRUE(ReadSoundFile(s.told.saved[0], f, error)) << error;
  EXPECT_EQ(f.artist, "テスト");
  EXPECT_EQ(f.title, "145.1000 MHz USB");
  EXPECT_NEAR(f.samples.size() / double(f.rate), 2.0, 0.1);
}

// A full disk, a folder that cannot be made or too little room: told once, recording stops,
// the scan goes on.
TEST(Recorder, AFailureIsToldOnceAndStopsRecordingNotTheScan) {
  struct Case {
    const char* name;
    bool fullDisk, badFolder;
    std::uint64_t freeBytes;
    const char* says;
  } cases[] = {
      {"the disk fills", true, false, UINT64_MAX, "録音を書き込めません"},
      {"the folder cannot be made", false, true, UINT64_MAX, "録音のフォルダーを作れません"},
      {"under 500 MB free", false, false, 400ull << 20, "500 MB"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    RecordSetup s;
    s.recorder.SetFreeSpace([&c](const std::string&) { return c.freeBytes; });
    if (c.badFolder) s.recorder.SetFolder("/proc/no-such-folder");
    rlimit old{};
    getrlimit(RLIMIT_FSIZE, &old);
    const auto previous = signal(SIGXFSZ, SIG_IGN);
    if (c.fullDisk) {
      rlimit small = old;
      small.rlim_cur = 2000;
      setrlimit(RLIMIT_FSIZE, &small);
    }
    s.rig.scan.ResumeMode = ScanEngine::kDelay;
    s.rig.scan.StopTime = 2000;
    s.rig.scan.UP_SC_ButtonClick();
    for (int stop = 0; stop < 3; ++stop) {
      s.rig.host.Delay(2600);
      s.Settle();
    }
    setrlimit(RLIMIT_FSIZE, &old);
    signal(SIGXFSZ, previous);
    EXPECT_EQ(s.rig.scan.ScanState, ScanEngine::kUp);
    EXPECT_GE(s.stops.begins.size(), 2u);
    ASSERT_EQ(s.told.failures.size(), 1u);
    EXPECT_NE(s.told.failures[0].find(c.says), std::string::npos) << s.told.failures[0];
    EXPECT_FALSE(s.recorder.On());
    EXPECT_TRUE(s.told.saved.empty());
    std::error_code ec;
    for (const auto& e : fs::recursive_directory_iterator(s.folder, ec))
      EXPECT_FALSE(e.is_regular_file()) << "left behind: " << e.path();
  }
}

TEST(RecordSettings, KeptInTheirOwnSection) {
  IniFile ini;
  Recorder r;
  r.Input = "alsa_input.usb-1";
  r.Format = RecordFormat::kOpus;
  r.MaxSeconds = 120;
  WriteRecordSettings(ini, r);
  EXPECT_EQ(ini.ReadString("RECORD", "Format", ""), "OPUS");
  Recorder back;
  ReadRecordSettings(ini, back);
  EXPECT_EQ(back.Input, "alsa_input.usb-1");
  EXPECT_EQ(back.Format, RecordFormat::kOpus);
  EXPECT_EQ(back.MaxSeconds, 120);
  ini.WriteInteger("RECORD", "MaxSeconds", 99999);
  ReadRecordSettings(ini, back);
  EXPECT_EQ(back.MaxSeconds, 3600);
}

}  // namespace
