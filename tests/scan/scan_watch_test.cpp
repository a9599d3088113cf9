// Skips and the priority watch on the virtual clock: skipped channels are never read, the
// priority check comes on time, stops on an open squelch under the rule in force, and
// otherwise gives the scan back where it was.
#include <algorithm>

#include "scan/skip_list.h"
#include "support/scan_fixture.h"

namespace {

using Freqs = std::vector<std::int32_t>;

struct Stops : ScanStopObserver {
  void StopBegins(const Stop& s) override { begun.push_back(s); }
  void SignalReading(int) override {}
  void StopEnds() override { ++ended; }
  std::vector<Stop> begun;
  int ended = 0;
};

struct WatchSetup : ScanSetup {
  WatchSetup() {
    rig.scan.BindSkips(skips);
    rig.scan.BindStops(stops);
    rig.scan.ResumeMode = ScanEngine::kDelay;
    rig.scan.StopTime = 1000;
  }
  void Skip(std::int32_t f, bool temporary = false) {
    skips.Add({f, 5, "", "2026-01-01", temporary});
  }
  SkipList skips;
  Stops stops;
};

TEST(SkipList, OneChannelPerSkipOnAnyGrid) {
  SkipList list;
  list.Add({145010000});
  list.Add({145100000});
  struct Case {
    std::int32_t channel, step;
    bool skipped;
  } cases[] = {
      // Halfway between two channels: the lower one.
      {145000000, 20000, true},  {145020000, 20000, false}, {144990000, 20000, false},
      {145100000, 20000, true},  {145080000, 20000, false}, {145110000, 20000, false},
      {145112500, 12500, false}, {145093750, 12500, true},  {145100000, 0, true},
      {145100100, 0, false},     {145005000, 5000, false},  {145010000, 5000, true},
  };
  for (const auto& c : cases)
    EXPECT_EQ(list.Skips(c.channel, c.step), c.skipped) << c.channel << " step " << c.step;
}

TEST(SkipList, ReadsWhatItWritesAndToleratesDamage) {
  const std::vector<SkipEntry> entries = {{80000000, 7, "FM \"A\", 東京", "2026-01-02"},
                                          {145500000, 0, "", ""}};
  std::vector<SkipEntry> back = ReadSkipCsv(SkipCsvText(entries));
  EXPECT_EQ(back, entries);
  // Temporary skips are not written; damaged lines cost only themselves.
  EXPECT_EQ(ReadSkipCsv(SkipCsvText({{1, 0, "", "", true}})), std::vector<SkipEntry>{});
  back = ReadSkipCsv(
      "\xEF\xBB\xBFFrequency (Hz),Mode,Name,Added\r\n-5,F M\n\"open,\n145500000,F M,\"x\n"
      "abc\n99999999999\n430000000,ZZ,N,d\n120000000\n120000000,A M\n");
  ASSERT_EQ(back.size(), 2u);
  EXPECT_EQ(back[0].frequency, 120000000);
  EXPECT_EQ(back[1].frequency, 430000000);
  EXPECT_EQ(back[1].mode, 0);
}

using WatchTest = ::testing::Test;

TEST(WatchTest, SkippedChannelsAreNeverRead) {
  WatchSetup f;
  f.Tune(145000000);
  f.Skip(145040000);
  f.Skip(145070000, true);  // off the grid: 145.060 is its channel
  f.rig.rx.ClearLog();
  f.squelchRequests = 0;
  f.rig.scan.UP_SC_ButtonClick();
  f.rig.host.Delay(150);
  const Freqs sent = f.Frequencies();
  ASSERT_GE(sent.size(), 3u);
  EXPECT_EQ(Freqs(sent.begin(), sent.begin() + 3), (Freqs{145020000, 145080000, 145100000}));
  EXPECT_LE(f.squelchRequests, static_cast<int>(sent.size()));
  // A band all skipped has nothing to scan: the scan stops instead of running round.
  WatchSetup all;
  all.Put(1, 145000000, 145040000, 20000, 5, "BAND");
  all.Index();
  all.Tune(145000000);
  for (std::int32_t c = 145000000; c <= 145040000; c += 20000) all.Skip(c);
  all.rig.scan.BandScan = true;
  all.rig.scan.UP_SC_ButtonClick();
  all.rig.host.Delay(200);
  EXPECT_EQ(all.rig.scan.ScanState, ScanEngine::kStopped);
}

// Where the priority frequency went out, with the frequencies on either side.
struct Check {
  std::uint32_t at;
  std::int32_t before, after;
};
std::vector<Check> Checks(const ScanSetup& s, std::int32_t priority, std::uint32_t t0) {
  std::vector<Check> out;
  const auto sent = s.FrequenciesSent();
  for (std::size_t i = 1; i + 1 < sent.size(); ++i)
    if (sent[i].frequency == priority)
      out.push_back({sent[i].at - t0, sent[i - 1].frequency, sent[i + 1].frequency});
  return out;
}

TEST(WatchTest, PriorityComesOnTimeAndGivesTheScanBack) {
  constexpr std::int32_t kPriority = 150000000;
  struct Case {
    const char* name;
    std::int32_t carrier;  // where the squelch is open
    std::int16_t rule;
    int checks;        // priority frames in 5 s
    bool held;         // the scan stood on a signal elsewhere meanwhile
    int priorityHold;  // ms the scan stays on the priority frequency, about
  } cases[] = {
      {"quiet", 0, ScanEngine::kDelay, 2, false, 0},
      // Held on 145.100 with OFF: the watch goes on and comes back to the same stop.
      {"holding", 145100000, ScanEngine::kOff, 2, true, 0},
      // The priority frequency busy: a stop there under DELAY, then on from where it was.
      {"busy DELAY", kPriority, ScanEngine::kDelay, 2, false, 1000},
      {"busy oo", kPriority, ScanEngine::kInfinite, 1, false, -1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    WatchSetup f;
    f.Tune(145000000);
    f.rig.scan.Priority = kPriority;
    f.rig.scan.ResumeMode = c.rule;
    bool after = false;  // the carrier at the priority comes on after the first check
    f.open = [&](std::int32_t at, std::uint32_t) {
      return at == c.carrier && (after || at != kPriority);
    };
    f.rig.rx.ClearLog();
    const std::uint32_t t0 = f.rig.host.TickCount();
    f.rig.scan.UP_SC_ButtonClick();
    f.rig.host.Delay(2500);
    after = true;
    f.rig.host.Delay(3000);
    const auto checks = Checks(f, kPriority, t0);
    if (c.priorityHold < 0) {
      // "oo" ends the scan on the priority frequency.
      EXPECT_EQ(f.rig.scan.ScanState, ScanEngine::kStopped);
      EXPECT_EQ(f.rig.tuning.CurrentFrequency(), kPriority);
      ASSERT_FALSE(f.stops.begun.empty());
      EXPECT_TRUE(f.stops.begun.back().priority);
      continue;
    }
    ASSERT_EQ(static_cast<int>(checks.size()), c.checks);
    EXPECT_NEAR(checks[0].at, 2000, 100);
    // Back where it was: the next channel, or the signal held.
    EXPECT_EQ(checks[0].after, c.held ? checks[0].before : checks[0].before + 20000);
    if (c.priorityHold > 0) {
      const auto sent = f.FrequenciesSent();
      auto at = std::find_if(sent.begin(), sent.end(), [&](const auto& s) {
        return s.frequency == kPriority && s.at - t0 > 3000;
      });
      ASSERT_NE(at, sent.end());
      ASSERT_NE(at + 1, sent.end());
      EXPECT_NEAR((at + 1)->at - at->at, c.priorityHold, 200);
      EXPECT_TRUE(std::any_of(f.stops.begun.begin(), f.stops.begun.end(),
                              [](const auto& s) { return s.priority; }));
    }
    if (c.held) EXPECT_EQ(f.stops.begun.size(), 1u);
    EXPECT_EQ(f.rig.scan.ScanState, ScanEngine::kUp);
  }
}

TEST(WatchTest, TheSkipKeyStepsOnFromAHold) {
  WatchSetup f;
  f.Tune(145000000);
  f.open = [](std::int32_t at, std::uint32_t) { return at == 145040000; };
  f.rig.scan.UP_SC_ButtonClick();
  f.rig.host.Delay(300);
  ASSERT_EQ(f.rig.tuning.CurrentFrequency(), 145040000);
  f.rig.scan.SkipHeld();
  f.rig.host.Delay(100);
  EXPECT_NE(f.skips.Find(145040000), nullptr);
  EXPECT_GT(f.rig.tuning.CurrentFrequency(), 145040000);
}

}  // namespace
