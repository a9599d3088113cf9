// The scan engine on the virtual clock: the resume rules with their timings, the range ends,
// band-scan wrap, single scan over the list, reversal, the demonstration off line, and the
// polling that a lost reply must not stop.
#include "scan/scan_engine.h"

#include <algorithm>
#include <utility>

#include "support/scan_fixture.h"

namespace {

using Freqs = std::vector<std::int32_t>;

using ScanTest = ScanFixture;

struct Pause {
  int start, length;  // ms; start from the given time
};

// Pauses of a scan: gaps of more than `longer` ms between the frequencies sent.
std::vector<Pause> Pauses(const ScanSetup& s, std::uint32_t from, std::uint32_t longer = 150) {
  std::vector<Pause> out;
  const auto sent = s.FrequenciesSent();
  for (std::size_t i = 1; i < sent.size(); ++i)
    if (sent[i].at - sent[i - 1].at > longer)
      out.push_back(
          {static_cast<int>(sent[i - 1].at - from), static_cast<int>(sent[i].at - sent[i - 1].at)});
  return out;
}

// Signals in time only (the squelch opens wherever the scan is), so that each rule's clock
// can be read off the pauses between frequencies sent. Times from the scan's start.
TEST_F(ScanTest, ResumeRulesHoldForTheirTimes) {
  struct Window {
    int from, to;
  };
  struct Case {
    const char* name;
    std::int16_t rule;
    std::vector<Window> signal;
    std::vector<Pause> holds;  // start within 100 ms, length within 200 ms
  } cases[] = {
      // A steady signal holds about StopTime, then the scan steps on and the delay starts
      // again on the next reading.
      {"DELAY steady", ScanEngine::kDelay, {{500, 100000}}, {{500, 5000}, {5550, 5000}}},
      // Gone after 2 s: on at once; the next signal, 1 s or 4 s later, gets a full delay.
      {"DELAY 2s, back 1s later",
       ScanEngine::kDelay,
       {{500, 2500}, {3500, 100000}},
       {{500, 2000}, {3500, 5000}}},
      {"DELAY 2s, back 4s later",
       ScanEngine::kDelay,
       {{500, 2500}, {6500, 100000}},
       {{500, 2000}, {6500, 5000}}},
      // "- - -" goes on 300 ms after the first open reading whatever StopTime is.
      {"pause", ScanEngine::kPause, {{500, 100000}}, {{500, 350}, {900, 350}}},
      // "OFF" holds while the signal lasts and goes on with the first closed reading.
      {"OFF", ScanEngine::kOff, {{500, 2500}}, {{500, 2000}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ScanSetup f;
    f.rig.scan.ResumeMode = c.rule;
    f.rig.scan.StopTime = 5000;
    f.rig.rx.ClearLog();
    const std::uint32_t t0 = f.rig.host.TickCount();
    f.open = [&](std::int32_t, std::uint32_t now) {
      for (const auto& w : c.signal)
        if (now - t0 >= static_cast<std::uint32_t>(w.from) &&
            now - t0 < static_cast<std::uint32_t>(w.to))
          return true;
      return false;
    };
    f.rig.scan.UP_SC_ButtonClick();
    f.rig.host.Delay(12000);
    EXPECT_EQ(f.rig.scan.ScanState, ScanEngine::kUp);
    const auto holds = Pauses(f, t0);
    ASSERT_GE(holds.size(), c.holds.size());
    for (std::size_t k = 0; k < c.holds.size(); ++k) {
      EXPECT_NEAR(holds[k].start, c.holds[k].start, 100) << "hold " << k;
      EXPECT_NEAR(holds[k].length, c.holds[k].length, 200) << "hold " << k;
    }
  }
}

TEST_F(ScanTest, RangeEndsStopOrWrapInsideTheBand) {
  struct Case {
    const char* name;
    bool bandScan;
    bool up;
    std::int32_t start;
    Freqs expect;  // the first frequencies sent
    std::int16_t endState;
    std::int32_t carrier = 0;  // "oo" stops there
  } cases[] = {
      // Without band scan the top of the receiver's range stops the scan.
      {"top", false, true, 1999940000, {1999960000, 1999980000}, ScanEngine::kStopped},
      {"bottom", false, false, 25040000, {25020000, 25000000}, ScanEngine::kStopped},
      // The band 145.005-145.105: the wrap lands on its edge exactly, then on the grid.
      {"band up",
       true,
       true,
       145060000,
       {145080000, 145100000, 145005000, 145020000, 145040000},
       ScanEngine::kUp},
      {"band down",
       true,
       false,
       145040000,
       {145020000, 145105000, 145100000, 145080000},
       ScanEngine::kDown},
      // A carrier on the edge wrapped to is found; ranges stay inside the receiver's limits.
      // clang-format off
      {"band up, carrier", true, true, 145060000, {145080000, 145100000, 145005000}, 0, 145005000},
      {"band down, carrier", true, false, 145040000, {145020000, 145105000}, 0, 145105000},
      {"gap down", true, false, 25040000, {25020000, 25000000, 29999999, 29980000}, 2},
      {"gap up", true, true, 29960000, {29980000, 25000000, 25020000}, 1},
      {"past the top", true, true, 1999960000, {1999980000, 1990000000, 1990020000}, 1},
      // clang-format on
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ScanSetup f;
    f.Put(1, 145005000, 145105000, 20000, 5, "BAND");
    f.Put(2, 10000000, 20000000, 20000, 5, "LOW");
    f.Put(3, 30000000, 40000000, 20000, 5, "MID");
    f.Put(4, 1990000000, 2100000000, 20000, 5, "HIGH");
    f.Index();
    f.Tune(c.start);
    f.rig.scan.BandScan = c.bandScan;
    f.rig.scan.ResumeMode = ScanEngine::kInfinite;
    f.open = [&](std::int32_t at, std::uint32_t) { return at == c.carrier; };
    f.rig.rx.ClearLog();
    c.up ? f.rig.scan.UP_SC_ButtonClick() : f.rig.scan.DW_SC_ButtonClick();
    f.rig.host.Delay(1000);
    Freqs sent = f.Frequencies();
    if (sent.size() > c.expect.size()) sent.resize(c.expect.size());
    EXPECT_EQ(sent, c.expect);
    EXPECT_EQ(f.rig.scan.ScanState, c.endState);
  }
}

TEST_F(ScanTest, SingleScanVisitsEqualFrequenciesOnceAndWraps) {
  Put(1, 100000000, 0, 0, 5, "A");
  Put(2, 100000000, 0, 0, 5, "B");
  Put(3, 120000000, 0, 0, 5, "C");
  Put(4, 20000000, 0, 0, 5, "below the range");
  Index();
  rig.scan.SingleScan = true;
  Tune(100000000);
  rig.rx.ClearLog();
  rig.scan.UP_SC_ButtonClick();
  rig.host.Delay(300);
  EXPECT_EQ(rig.scan.SingleFirst, 2);  // positions 2..4 are in 25 MHz..2 GHz
  EXPECT_EQ(rig.scan.SingleLast, 4);
  Freqs sent = Frequencies();
  ASSERT_GE(sent.size(), 4u);
  EXPECT_EQ(Freqs(sent.begin(), sent.begin() + 4),
            (Freqs{120000000, 100000000, 120000000, 100000000}));
  rig.scan.ST_SC_ButtonClick();

  // Going down from 120 MHz the later of the two equal stations is the one reached; the
  // wrap goes to the top station.
  struct Case {
    bool up;
    std::int32_t from, to;
  } steps[] = {{false, 120000000, 100000000}, {false, 100000000, 120000000},
               {true, 100000000, 120000000},  {true, 120000000, 100000000},
               {true, 99999999, 100000000},   {false, 100000001, 100000000}};
  for (const auto& s : steps) {
    rig.tuning.Frequency[1] = s.from;
    rig.scan.MemScan(s.up ? ScanEngine::kUp : ScanEngine::kDown);
    EXPECT_EQ(rig.tuning.Frequency[1], s.to) << s.from << (s.up ? " up" : " down");
  }
}

TEST_F(ScanTest, TheTypeFilterGovernsTheSingleScan) {
  Put(1, 145000000, 0, 0, 5, "AIR");
  Put(2, 145100000, 0, 0, 5, "MARINE");
  Put(3, 145200000, 0, 0, 5, "AIRPORT");
  Index();
  Tune(145000000);
  rig.identification.Type_Panel_SMouseUp();  // single scan on, filter "AIR"
  ASSERT_TRUE(rig.scan.SingleScan);
  ASSERT_TRUE(rig.identification.SelectMode);
  rig.rx.ClearLog();
  rig.scan.UP_SC_ButtonClick();
  rig.host.Delay(200);
  Freqs sent = Frequencies();
  ASSERT_GE(sent.size(), 3u);
  EXPECT_EQ(Freqs(sent.begin(), sent.begin() + 3), (Freqs{145200000, 145000000, 145200000}));
}

TEST_F(ScanTest, ReversingStopsWaitsAndGoesTheOtherWay) {
  rig.scan.UP_SC_ButtonClick();
  rig.host.Delay(200);
  const std::size_t before = FrequenciesSent().size();
  const std::int32_t at = rig.tuning.Frequency[1];
  rig.scan.DW_SC_ButtonClick();
  EXPECT_EQ(rig.scan.ScanState, ScanEngine::kDown);
  EXPECT_EQ(rig.view.scanLamps, ScanEngine::kDown);
  const auto sent = FrequenciesSent();
  ASSERT_GT(sent.size(), before);
  EXPECT_LT(sent[before].frequency, at);
  EXPECT_GE(sent[before].at - sent[before - 1].at, 100u);
  // The up key during an up scan takes one step at once.
  rig.scan.UP_SC_ButtonClick();
  rig.host.Delay(100);
  const std::int32_t f = rig.tuning.Frequency[1];
  const std::size_t count = FrequenciesSent().size();
  const std::uint32_t now = rig.host.TickCount();
  rig.scan.UP_SC_ButtonClick();
  EXPECT_EQ(rig.scan.ScanState, ScanEngine::kUp);
  ASSERT_GT(FrequenciesSent().size(), count);
  EXPECT_EQ(FrequenciesSent()[count].frequency, f + 20000);
  EXPECT_EQ(FrequenciesSent()[count].at, now);
}

TEST_F(ScanTest, OffLineTheReadoutSweepsAndNothingIsSent) {
  rig.link.OnLine_ButtonClick();  // off line
  ASSERT_FALSE(rig.rx.IsOpen());
  rig.rx.ClearLog();
  const std::int32_t from = rig.tuning.Frequency[1];
  rig.scan.UP_SC_ButtonClick();
  EXPECT_EQ(rig.host.TimerInterval(), ScanEngine::kDemoTickMs);
  rig.host.Delay(1000);
  // One step per ScanTime + 10 ms.
  const std::int32_t steps = (rig.tuning.Frequency[1] - from) / 20000;
  EXPECT_GE(steps, 20);
  EXPECT_LE(steps, 40);
  EXPECT_TRUE(rig.rx.Frames().empty());
}

TEST_F(ScanTest, ALostReplyDoesNotStopTheScan) {
  struct Case {
    const char* name;
    int lost;  // which squelch request of the scan gets no answer
    int atLeast, atMost;
  } cases[] = {
      // The first step's request goes out with the polling stopped: only the look-out for
      // unanswered requests starts it again, after max(IntTime, 500) ms.
      {"first step", 1, 500, 800},
      // Later requests go out from inside a reply, after which the polling runs: the next
      // poll brings the reading.
      {"later step", 5, 100, 300},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ScanSetup f;
    f.rig.host.Delay(500);  // settle the start-up polling
    const int first = f.squelchRequests;
    f.dropSquelch = [&](int n) { return n == first + c.lost; };
    const std::uint32_t t0 = f.rig.host.TickCount();
    f.rig.scan.UP_SC_ButtonClick();
    f.rig.host.Delay(3000);
    const auto pauses = Pauses(f, t0, 90);
    ASSERT_EQ(pauses.size(), 1u);
    EXPECT_GE(pauses[0].length, c.atLeast);
    EXPECT_LE(pauses[0].length, c.atMost);
    EXPECT_EQ(f.rig.scan.ScanState, ScanEngine::kUp);
    EXPECT_GT(f.FrequenciesSent().size(), 40u);
  }
}

// A reading counts only for its own channel, and one chain of requests runs.
TEST_F(ScanTest, EachReadingBelongsToItsChannelAndOneChainRuns) {
  enum Press { kNone, kOnSquelchAtCarrier, kOnTuneToCarrier, kOnPollBeforeStart };
  struct Case {
    const char* name;
    int scanTime, replyDelay;
    Press press;  // when the up key is pressed
    bool stopsOnCarrier;
  } cases[] = {
      {"up key while the carrier's reply is on the line", 30, 40, kOnSquelchAtCarrier, false},
      {"up key inside the wait after tuning the carrier", 30, 5, kOnTuneToCarrier, false},
      {"a poll on the line when the scan starts", 30, 40, kOnPollBeforeStart, false},
      {"the look-out inside a long wait", 700, 5, kNone, true},
  };
  constexpr std::int32_t kCarrier = 145060000;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ScanSetup f;
    f.rig.scan.ResumeMode = ScanEngine::kInfinite;
    f.rig.scan.ScanTime = c.scanTime;
    f.rig.rx.replyDelayMs = c.replyDelay;
    f.open = [](std::int32_t at, std::uint32_t) { return at == kCarrier; };
    if (c.press == kOnPollBeforeStart) f.Tune(kCarrier);
    f.rig.host.Delay(300);
    bool pressed = c.press == kNone;
    auto answer = f.rig.rx.script;
    f.rig.rx.script = [&](const std::string& hex) {
      const bool tune = hex.size() == 22;
      const bool atCarrier =
          (tune ? civ::BcdTextToFrequency(hex.substr(10, 10)) : f.rig.rx.frequency) == kCarrier;
      const bool squelch = hex == "FEFE34E01501FD";
      if (!pressed && atCarrier && (c.press == kOnTuneToCarrier ? tune : squelch) &&
          (c.press == kOnPollBeforeStart) == (f.rig.scan.ScanState == 0)) {
        pressed = true;
        f.rig.host.Post([&] { f.rig.scan.UP_SC_ButtonClick(); });
      }
      return answer(hex);
    };
    f.rig.rx.ClearLog();
    if (c.press != kOnPollBeforeStart) f.rig.scan.UP_SC_ButtonClick();
    f.rig.host.Delay(3000);
    ASSERT_TRUE(pressed);
    EXPECT_EQ(f.rig.scan.ScanState, c.stopsOnCarrier ? ScanEngine::kStopped : ScanEngine::kUp);
    if (c.stopsOnCarrier) {
      EXPECT_EQ(f.rig.tuning.Frequency[1], kCarrier);
    }
    // While it scans: one squelch request per channel, ScanTime after tuning it.
    std::uint32_t tunedAt = 0;
    bool asked = false;
    for (const auto& w : f.rig.rx.Log()) {
      if (w.hex.size() == 22) tunedAt = w.at, asked = false;
      if (w.hex != "FEFE34E01501FD" || tunedAt == 0 || f.rig.scan.ScanState == 0) continue;
      EXPECT_GE(w.at - tunedAt, static_cast<std::uint32_t>(c.scanTime)) << "at " << w.at;
      EXPECT_FALSE(std::exchange(asked, true)) << "a second request at " << w.at;
    }
  }
}

// A hold ended by the stop key leaves no deadline: the next scan's signal is held in full.
TEST_F(ScanTest, AStoppedHoldLeavesNoDeadline) {
  rig.scan.ResumeMode = ScanEngine::kDelay;
  const std::uint32_t t0 = rig.host.TickCount();
  open = [&](std::int32_t at, std::uint32_t now) { return now - t0 < 1000 || at == 145100000; };
  rig.scan.UP_SC_ButtonClick();
  rig.host.Delay(500);
  rig.scan.ST_SC_ButtonClick();  // during the hold at 145.020
  rig.host.Delay(6000);
  rig.scan.UP_SC_ButtonClick();
  rig.host.Delay(3000);  // the carrier at 145.100 is held, not passed
  EXPECT_EQ(rig.tuning.Frequency[1], 145100000);
  EXPECT_EQ(rig.scan.ScanState, ScanEngine::kUp);
}

// A type filter no station passes: flash and stop where it was.
TEST_F(ScanTest, AFilterMatchingNothingIsNothingToScan) {
  Put(1, 145000000, 0, 0, 5, "AIR");
  Put(2, 145100000, 0, 0, 5, "MARINE");
  Index();
  Tune(145050000);
  rig.scan.SingleScan = true;
  rig.identification.SelectMode = true;
  rig.identification.SelectType = "RAIL";
  rig.scan.UP_SC_ButtonClick();
  EXPECT_EQ(rig.scan.ScanState, ScanEngine::kStopped);
  EXPECT_EQ(rig.view.flashes, std::vector<FlashLamp>{FlashLamp::SingleScan});
  EXPECT_EQ(rig.tuning.Frequency[1], 145050000);
}

// A stored mode or step of 0 sends no frame (the receiver would refuse it).
TEST_F(ScanTest, AStoredZeroModeOrStepSendsNoFrame) {
  Put(1, 144000000, 146000000, 20000, 0, "BAND");
  Put(2, 145500000, 0, 0, 0, "NONE");
  rig.tuning.Mode[1] = 5;
  rig.rx.ClearLog();
  Index();  // 145.000 is in the band
  rig.identification.FreqStepModeOut(2);
  rig.host.Delay(200);
  for (const auto& hex : rig.rx.Frames()) {
    EXPECT_NE(hex.substr(0, 10), "FEFE34E006") << hex;
    EXPECT_NE(hex.substr(0, 10), "FEFE34E010") << hex;
  }
  EXPECT_EQ(rig.tuning.Mode[1], 5);
  EXPECT_EQ(rig.tuning.Step[1], 20000);
}

}  // namespace
