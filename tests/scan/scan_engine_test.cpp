// The scan engine on the virtual clock: the resume rules with their timings, the range ends,
// band-scan wrap, single scan over the list, reversal, the demonstration off line, and the
// polling that a lost reply must not stop.
#include "scan/scan_engine.h"

#include <algorithm>

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
      // Gone after 2 s: on at once. Back 1 s later: held only until the old deadline (2 s).
      // After that deadline a step clears it and the signal after that is held 5 s again.
      {"DELAY 2s, back 1s later",
       ScanEngine::kDelay,
       {{500, 2500}, {3500, 100000}},
       {{500, 2000}, {3500, 2000}, {5550, 5000}}},
      // Back 4 s later, after the old deadline: passed with one step and no hold; the next
      // reading starts a new delay.
      {"DELAY 2s, back 4s later",
       ScanEngine::kDelay,
       {{500, 2500}, {6500, 100000}},
       {{500, 2000}, {6550, 5000}}},
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
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ScanSetup f;
    f.Put(1, 145005000, 145105000, 20000, 5, "BAND");
    f.Index();
    f.Tune(c.start);
    f.rig.scan.BandScan = c.bandScan;
    f.rig.rx.ClearLog();
    c.up ? f.rig.scan.UP_SC_ButtonClick() : f.rig.scan.DW_SC_ButtonClick();
    f.rig.host.Delay(1000);
    Freqs sent = f.Frequencies();
    if (sent.size() > c.expect.size()) sent.resize(c.expect.size());
    EXPECT_EQ(sent, c.expect);
    EXPECT_EQ(f.rig.scan.ScanState, c.endState);
  }
}

TEST_F(ScanTest, TheWrapAsksForTheSquelchBeforeTheNewFrequency) {
  Put(1, 145005000, 145105000, 20000, 5, "BAND");
  Index();
  Tune(145060000);
  rig.scan.BandScan = true;
  rig.rx.ClearLog();
  rig.scan.UP_SC_ButtonClick();
  rig.host.Delay(300);
  const auto frames = rig.rx.Frames();
  const auto wrap = std::find(frames.begin(), frames.end(), "FEFE34E0000050004501FD");
  ASSERT_NE(wrap, frames.end());  // 145,005,000
  EXPECT_EQ(*(wrap - 1), "FEFE34E01501FD");
  EXPECT_EQ(*(wrap - 3), "FEFE34E0000000104501FD");  // 145,100,000 and its squelch request
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
    s.up ? rig.scan.MemScanUp() : rig.scan.MemScanDown();
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

}  // namespace
