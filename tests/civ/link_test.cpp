// The link on the virtual clock: start-up against a scripted receiver, polling, the reply
// parser byte for byte, NG handling and the on-line key.
#include "civ/link.h"

#include <gtest/gtest.h>

#include <random>

#include "comm/comm_error.h"
#include "support/control_calls.h"
#include "support/rig.h"

namespace {

using Frames = std::vector<std::string>;

TEST(LinkStartUp, OnLineLearnsTheRangeSelectsWindowAAndReadsTheReceiver) {
  Rig rig;
  rig.rx.lower = 25000000;
  rig.rx.upper = 1999999900;
  rig.rx.frequency = 433920000;
  rig.rx.mode = "0202";
  rig.StartUp();
  EXPECT_EQ(rig.tuning.LowerLimit, 25000000);
  EXPECT_EQ(rig.tuning.UpperLimit, 1999999900);
  EXPECT_EQ(rig.view.trackBarMax, 19999);
  EXPECT_EQ(rig.tuning.Frequency[1], 433920000);
  EXPECT_EQ(rig.tuning.Mode[1], 4);
  const Frames sent = rig.rx.Frames();
  ASSERT_GE(sent.size(), 8u);
  EXPECT_EQ(
      Frames(sent.begin(), sent.begin() + 8),
      (Frames{"FEFE34E002FD", "FEFE34E007E000FD", "FEFE34E01100FD", "FEFE34E003FD", "FEFE34E004FD",
              // StartMode reads the receiver again, then polling begins
              "FEFE34E003FD", "FEFE34E004FD", "FEFE34E01501FD"}));
  EXPECT_TRUE(rig.view.onLineLamp);
  EXPECT_TRUE(rig.view.lampA);
}

TEST(LinkStartUp, PollingRunsAtTheIntervalWhileRepliesArrive) {
  Rig rig;
  rig.link.IntTime = 100;
  rig.StartUp();
  rig.rx.ClearLog();
  rig.host.Delay(1000);
  const auto& log = rig.rx.Log();
  ASSERT_GE(log.size(), 12u);
  // Each tick asks for squelch and signal; the next tick comes IntTime after the reply.
  for (std::size_t i = 0; i + 1 < log.size(); i += 2) {
    EXPECT_EQ(log[i].hex, "FEFE34E01501FD");
    EXPECT_EQ(log[i + 1].hex, "FEFE34E01502FD");
  }
  const std::uint32_t gap = log[2].at - log[0].at;
  EXPECT_GE(gap, 100u);
  EXPECT_LE(gap, 120u);
}

TEST(LinkStartUp, WritesThePanelToTheReceiverWhenTheProgramTakesPrecedence) {
  Rig rig;
  rig.link.StartMode = false;
  rig.rx.mode = "0502";
  rig.StartUp();
  // After the window read, the panel's frequency, mode and step are written back.
  const Frames sent = rig.rx.Frames();
  EXPECT_EQ(Frames(sent.begin() + 5, sent.begin() + 8),
            (Frames{"FEFE34E0000000004501FD", "FEFE34E0060502FD", "FEFE34E01004FD"}));
}

TEST(LinkStartUp, SilentReceiverLeavesTheProgramOffLineWithDefaultLimits) {
  Rig rig;
  rig.rx.silent = true;
  rig.StartUp();
  EXPECT_EQ(rig.tuning.LowerLimit, 25000000);
  EXPECT_EQ(rig.tuning.UpperLimit, 1299999900);
  EXPECT_FALSE(rig.rx.IsOpen());
  EXPECT_TRUE(rig.host.TimerEnabled());
  EXPECT_EQ(rig.rx.Frames(), Frames{"FEFE34E002FD"});
  // Off line the timer still ticks and sends nothing; the lamps stay silver.
  rig.host.Delay(1000);
  EXPECT_EQ(rig.rx.Frames().size(), 1u);
  EXPECT_FALSE(rig.view.onLineLamp);
}

TEST(LinkStartUp, NoUsablePortKeepsTheTimerStoppedEvenThroughTheKey) {
  Rig rig;
  rig.rx.openFails = true;
  rig.tuning.Frequency[2] = 430000000;
  rig.StartUp();
  EXPECT_EQ(rig.tuning.Frequency[1], 25000000);
  EXPECT_EQ(rig.tuning.Frequency[2], 25000000);
  EXPECT_FALSE(rig.host.TimerEnabled());
  rig.link.OnLine_ButtonClick();
  EXPECT_FALSE(rig.host.TimerEnabled());
  EXPECT_TRUE(rig.scope.demoText);
  EXPECT_EQ(rig.scope.bars.size(), 10u);
}

TEST(LinkStartUp, BandEdgeReplyWithoutSeparatorFallsBackOffLine) {
  Rig rig;
  rig.rx.script = [](const std::string& hex) -> std::optional<std::string> {
    if (hex == "FEFE34E002FD") return "FEFEE034020000002500990000991912FD";
    return std::nullopt;
  };
  rig.StartUp();
  EXPECT_FALSE(rig.rx.IsOpen());
  EXPECT_EQ(rig.tuning.UpperLimit, 1299999900);
}

TEST(LinkStartUp, ALineThatFailsOnTheBandEdgeRequestLeavesTheProgramOffLine) {
  Rig rig;
  rig.rx.script = [](const std::string&) -> std::optional<std::string> {
    throw ECommReadWriteError(5);
  };
  rig.link.ComOpen();
  EXPECT_THROW(rig.link.ComStartRead(), ECommReadWriteError);
  EXPECT_EQ(rig.tuning.LowerLimit, 25000000);
  EXPECT_EQ(rig.tuning.UpperLimit, 1299999900);
  EXPECT_FALSE(rig.rx.IsOpen());
  EXPECT_TRUE(rig.host.TimerEnabled());
  EXPECT_EQ(rig.view.scaleInterval, 200);
}

TEST(LinkStartUp, TheComPortAndSpeedComeFromTheSettings) {
  Rig rig;
  rig.link.ComPort = 3;
  rig.link.BaudIndex = 1;
  rig.link.ComOpen();
  EXPECT_EQ(rig.rx.lastComPort, 3);
  EXPECT_EQ(rig.rx.lastBaudRate, 1200);
}

// The parser on its own: bytes put on the line while the port is open.
struct ParserTest : ::testing::Test {
  ParserTest() {
    rig.rx.Open(1, 9600);
    rig.tuning.LowerLimit = Tuning::kFallbackLower;
    rig.tuning.UpperLimit = Tuning::kFallbackUpper;
  }
  void Feed(const std::string& hex) {
    rig.rx.Send(hex);
    rig.host.Delay(1);
  }
  Rig rig;
};

TEST_F(ParserTest, OneChunkWithTwoReplies) {
  Feed(
      "FEFEE034150201"
      "23FDFEFEE034FBFD");
  EXPECT_EQ(rig.meter.SignalPeak, 123);
  EXPECT_EQ(rig.link.AckState, 1);
  EXPECT_EQ(rig.view.signalsDrawn.size(), 1u);
  EXPECT_EQ(rig.meter.SignalLevel, 0);  // a reading is used once
  EXPECT_TRUE(rig.link.ReceiveText.empty());
  EXPECT_TRUE(rig.host.TimerEnabled());
  EXPECT_EQ(rig.host.TimerInterval(), 200);
}

TEST_F(ParserTest, AFrameSplitAcrossChunksWaitsForItsEnd) {
  Feed("FEFEE0341501");
  EXPECT_EQ(rig.link.ReceiveText, "FEFEE0341501");
  EXPECT_FALSE(rig.view.squelchLabel);
  Feed("01FD");
  EXPECT_EQ(rig.meter.SquelchStatus, 1);
  EXPECT_TRUE(rig.view.squelchLabel);
  EXPECT_TRUE(rig.link.ReceiveText.empty());
}

TEST_F(ParserTest, GarbageIsDroppedAndTheTextStaysBounded) {
  Feed("0102030405FEFEE034FBFD");
  EXPECT_EQ(rig.link.AckState, 1);
  // Text that never holds a preamble waits, until a chunk would take it to 250 characters.
  std::string noise;
  for (int i = 0; i < 60; ++i) noise += "1A";
  Feed(noise);
  EXPECT_EQ(rig.link.ReceiveText.size(), 120u);
  const std::string more = noise + "0B0B0B0B0B";
  Feed(more);  // 120 + 130 characters would reach 250: what was kept is dropped
  EXPECT_EQ(rig.link.ReceiveText, more);
  // A burst larger than the bound arrives at once: it is taken in bounded pieces.
  std::string burst;
  for (int i = 0; i < 1000; ++i) burst += "77";
  rig.rx.silent = true;
  Feed(burst + "FEFEE034FAFD");
  rig.host.Delay(20);  // the rest of the burst is taken a piece at a time
  EXPECT_LT(rig.link.ReceiveText.size(), Link::kReceiveTextLimit);
  EXPECT_EQ(rig.link.AckState, 2);
}

TEST_F(ParserTest, RepliesAreTakenOnlyFromTheReceiverToUsOrToAll) {
  rig.tuning.Frequency[1] = 145000000;
  Feed("FEFE34E0000000004501FD");  // our own frame echoed on the line
  Feed(
      "FEFEE0080300000045"
      "01FD");  // another model's address
  Feed(
      "FEFE00340300000045"
      "01FD");  // a command-03 reply to all is no transceive report
  EXPECT_EQ(rig.tuning.Frequency[1], 145000000);
  EXPECT_EQ(rig.view.frequencyDraws, 0);
}

TEST_F(ParserTest, FrequencyRepliesAndTheConverter) {
  rig.tuning.ConvertOn = true;
  rig.tuning.ConvertShift = 60000000;
  ControlCalls calls;
  rig.link.BindIdentification(calls);
  auto checks = [&] { return calls.Count("AutoMode_IdxChk"); };
  Feed(
      "FEFE003400000005670"
      "0FD");  // transceive: 67,050,000 at the receiver
  EXPECT_EQ(rig.tuning.Frequency[1], 7050000);
  EXPECT_EQ(checks(), 1);
  Feed("FEFEE034030000056700FD");  // a read reply is not corrected
  EXPECT_EQ(rig.tuning.Frequency[1], 67050000);
  EXPECT_EQ(checks(), 1);
  Feed("FEFEE03403000005670AFD");  // not all digits: ignored whole
  EXPECT_EQ(rig.tuning.Frequency[1], 67050000);
  Feed("FEFEE03403000005FD");  // digits, but not ten of them: 0
  EXPECT_EQ(rig.tuning.Frequency[1], 0);
  EXPECT_EQ(rig.view.trackBarPosition, 0);
}

TEST_F(ParserTest, ModesSquelchAndSignal) {
  Feed(
      "FEFEE0340405"
      "02FD");
  EXPECT_EQ(rig.tuning.Mode[1], 6);
  Feed(
      "FEFE00340100"
      "00FD");
  EXPECT_EQ(rig.tuning.Mode[1], 10);
  Feed(
      "FEFEE0340499"
      "99FD");  // no match: unchanged, still redrawn
  EXPECT_EQ(rig.tuning.Mode[1], 10);
  EXPECT_EQ(rig.view.modeDraws, 3);
  Feed("FEFEE034150101FD");
  EXPECT_EQ(rig.meter.SquelchStatus, 1);
  Feed("FEFEE034150201FD");  // sub-command 02 with one byte
  EXPECT_TRUE(rig.view.signalsDrawn.empty());
  Feed("FEFEE03415020255FD");
  EXPECT_EQ(rig.meter.SignalPeak, 255);
  Feed("FEFEE0341502025AFD");
  EXPECT_EQ(rig.meter.SignalPeak, 255);
  Feed("FEFEE03402000000250099999919122DFD");  // band edges with the separator misplaced
  Feed(
      "FEFEE034020000002500"
      "2D"
      "0099999919FD");
  EXPECT_EQ(rig.tuning.LowerLimit, 25000000);
  EXPECT_EQ(rig.tuning.UpperLimit, 1999999900);
}

TEST_F(ParserTest, NgWritesFrequencyModeAndStepAgain) {
  rig.tuning.Frequency[1] = 145000000;
  rig.rx.ClearLog();
  rig.rx.silent = true;
  Feed("FEFEE034FAFD");
  EXPECT_EQ(rig.link.AckState, 2);
  EXPECT_TRUE(rig.view.ngLamp);
  const Frames sent = rig.rx.Frames();
  ASSERT_GE(sent.size(), 3u);
  EXPECT_EQ(Frames(sent.begin(), sent.begin() + 3),
            (Frames{"FEFE34E0000000004501FD", "FEFE34E0060501FD", "FEFE34E01004FD"}));
  Feed("FEFEE034FBFD");
  EXPECT_FALSE(rig.view.ngLamp);
}

TEST_F(ParserTest, RepliesArrivingInsideAWaitOfTheParserAreNotLost) {
  // The NG handler waits 150 ms in all; the receiver's own frequency report lands in the
  // middle of it.
  rig.rx.silent = true;
  const std::uint32_t start = rig.host.TickCount();
  std::size_t framesBefore = 0;
  std::uint32_t when = 0;
  ControlCalls calls;
  rig.link.BindIdentification(calls);
  calls.onCall = [&](const std::string&) {
    framesBefore = rig.rx.Frames().size();
    when = rig.host.TickCount();
  };
  rig.rx.Send("FEFEE034FAFD");
  rig.rx.Send("FEFE0034000000504501FD", 60);
  rig.host.Delay(300);
  EXPECT_EQ(rig.tuning.Frequency[1], 145500000);
  EXPECT_EQ(framesBefore, 3u);  // handled once the NG handler had finished its writes
  EXPECT_GE(when - start, 150u);
  EXPECT_LT(when - start, 200u);  // at once, not at the next arrival of bytes
  EXPECT_FALSE(rig.link.ReceiveBusy);
}

TEST_F(ParserTest, AnErrorInsideAParseNeitherShutsTheParserNorStopsPolling) {
  // An NG answer whose rewrite fails, then a read that fails: each error reaches the caller
  // (the application's handler), and the next reply is parsed as usual.
  rig.rx.script = [](const std::string& hex) -> std::optional<std::string> {
    if (hex.substr(0, 10) == "FEFE34E000") throw ECommReadWriteError(5);
    return std::nullopt;
  };
  rig.rx.Send("FEFEE034FAFDFEFEE0341501");
  EXPECT_THROW(rig.host.Delay(1), ECommReadWriteError);
  EXPECT_FALSE(rig.link.ReceiveBusy);
  EXPECT_TRUE(rig.host.TimerEnabled());
  EXPECT_EQ(rig.link.ReceiveText, "FEFEE0341501");  // the NG frame is used up, the rest waits
  rig.rx.script = nullptr;
  rig.rx.silent = true;
  Feed("01FD");
  EXPECT_EQ(rig.meter.SquelchStatus, 1);

  rig.rx.readFails = true;
  rig.rx.Send("FEFEE034150100FD");
  rig.host.TimerStop();
  EXPECT_THROW(rig.host.Delay(1), ECommReadWriteError);
  EXPECT_FALSE(rig.link.ReceiveBusy);
  EXPECT_TRUE(rig.host.TimerEnabled());
  rig.rx.readFails = false;
  Feed("");  // the bytes still queued are parsed at the next notification
  rig.host.Delay(2);
  EXPECT_EQ(rig.meter.SquelchStatus, 0);
}

// The same stream whole, a byte at a time and in random chunks gives the same replies.
TEST(ParserChunking, TheSameRepliesInTheSameOrder) {
  const std::string stream =
      "FEFE34E01501FD"
      "FEFEE034150101FD"
      "FEFE34E01502FD"
      "FEFEE03415020087FD"
      "FEFE003400000050144501FD"
      "FEFEE034FBFD"
      "FEFE00340106"
      "01FD"
      "FEFEE034030000002012FD"
      "FEFEE034FAFD"
      "FEFEE03404"
      "0202FD"
      "FEFEE034150100FD";
  auto run = [&](const std::vector<std::size_t>& cuts) {
    Rig rig;
    rig.rx.Open(1, 9600);
    rig.rx.silent = true;
    rig.tuning.LowerLimit = Tuning::kFallbackLower;
    rig.tuning.UpperLimit = Tuning::kFallbackUpper;
    std::vector<std::string> seen;
    ControlCalls calls;
    rig.meter.BindScan(calls);
    rig.meter.BindBandScope(calls);
    rig.link.BindIdentification(calls);
    rig.tuning.BindScan(rig.scan, calls);
    calls.onCall = [&](const std::string& name) {
      if (name == "PrintSquelch") seen.push_back("SQ" + std::to_string(rig.meter.SquelchStatus));
      if (name == "AutoMode_IdxChk") seen.push_back("F" + std::to_string(rig.tuning.Frequency[1]));
      if (name == "PrintSignal") seen.push_back("SIG" + std::to_string(rig.meter.SignalPeak));
    };
    std::size_t at = 0;
    for (std::size_t cut : cuts) {
      rig.rx.Send(stream.substr(at, cut - at));
      rig.host.Delay(1);
      at = cut;
    }
    rig.host.Delay(300);
    seen.push_back("M" + std::to_string(rig.tuning.Mode[1]) + " F" +
                   std::to_string(rig.tuning.Frequency[1]) + " A" +
                   std::to_string(rig.link.AckState));
    return seen;
  };
  const auto whole = run({stream.size()});
  // The last squelch reading comes after the NG's rewrite has tuned the receiver: dropped.
  ASSERT_EQ(whole.size(), 5u);
  std::vector<std::size_t> bytes;
  for (std::size_t i = 2; i <= stream.size(); i += 2) bytes.push_back(i);
  EXPECT_EQ(run(bytes), whole);
  std::mt19937 rng(3);
  for (int trial = 0; trial < 50; ++trial) {
    std::vector<std::size_t> cuts;
    for (std::size_t at = 0; at < stream.size();) {
      at = std::min(stream.size(), at + 2 * (1 + rng() % 12));
      cuts.push_back(at);
    }
    EXPECT_EQ(run(cuts), whole) << "trial " << trial;
  }
}

TEST(LinkOnLineKey, OffAndOnAgain) {
  Rig rig;
  rig.StartUp();
  ASSERT_TRUE(rig.rx.IsOpen());
  const int clears = rig.scope.clears;
  rig.meter.SignalLevel = 50;
  rig.link.OnLine_ButtonClick();
  EXPECT_FALSE(rig.rx.IsOpen());
  EXPECT_TRUE(rig.host.TimerEnabled());
  EXPECT_EQ(rig.meter.SignalLevel, 0);
  EXPECT_EQ(rig.scope.clears, clears + 1);
  EXPECT_TRUE(rig.view.onLineLamp);  // the lamps follow within one tick
  rig.host.Delay(250);
  EXPECT_FALSE(rig.view.onLineLamp);
  rig.rx.ClearLog();
  rig.link.OnLine_ButtonClick();
  EXPECT_TRUE(rig.rx.IsOpen());
  EXPECT_EQ(rig.rx.Frames().front(), "FEFE34E002FD");
  rig.host.Delay(300);
  EXPECT_TRUE(rig.view.onLineLamp);
}

TEST(LinkOnLineKey, GoingOnLineFromWindowBMakesWindowACurrent) {
  Rig rig;
  rig.StartUp();
  rig.tuning.Win_Button0_Click();
  rig.host.Delay(300);
  ASSERT_EQ(rig.tuning.Window, 2);
  rig.tuning.Frequency[2] = 430000000;
  rig.tuning.Mode[2] = 2;
  rig.link.OnLine_ButtonClick();
  rig.rx.frequency = 80000000;
  rig.link.OnLine_ButtonClick();
  rig.host.Delay(300);
  EXPECT_EQ(rig.tuning.Window, 1);
  EXPECT_EQ(rig.tuning.Frequency[1], 80000000);   // the receiver's window A ...
  EXPECT_EQ(rig.tuning.Frequency[2], 430000000);  // ... leaves window B as it was
  EXPECT_EQ(rig.tuning.Mode[2], 2);
  EXPECT_TRUE(rig.view.lampA);
  EXPECT_FALSE(rig.view.lampB);
}

TEST(LinkOnLineKey, APartOfAFrameLeftWhenThePortClosedIsNotGluedToTheNextLine) {
  Rig rig;
  rig.StartUp();
  rig.rx.Send("FEFEE0341501");
  rig.host.Delay(1);
  ASSERT_FALSE(rig.link.ReceiveText.empty());
  rig.link.OnLine_ButtonClick();
  rig.link.OnLine_ButtonClick();
  EXPECT_TRUE(rig.rx.IsOpen());
  EXPECT_EQ(rig.tuning.UpperLimit, 1999999900);  // the band-edge reply was understood
}

TEST(LinkOnLineKey, APortLostGoesOffLineAndKeepsTicking) {
  Rig rig;
  rig.StartUp();
  rig.link.PortLost();
  EXPECT_FALSE(rig.rx.IsOpen());
  EXPECT_TRUE(rig.host.TimerEnabled());
  EXPECT_FALSE(rig.view.onLineLamp);
  rig.link.PortLost();  // a second report changes nothing
  EXPECT_TRUE(rig.host.TimerEnabled());
}

}  // namespace

namespace {

// Going on line without a receiver is told once per attempt, never by the polling, and the
// line's name stays the one in use while the dialog picks another.
TEST(LinkNoAnswer, ToldOncePerAttemptWithWhetherThePortOpened) {
  const struct {
    const char* name;
    bool openFails, silent;
    std::vector<bool> told;  // after start-up, a second of polling, then the key
  } cases[] = {
      {"answering", false, false, {}},  // the key takes it off line: nothing to tell
      {"silent", false, true, {true, true}},
      {"no port", true, false, {false, false}},
  };
  for (const auto& c : cases) {
    Rig rig;
    rig.rx.openFails = c.openFails;
    rig.rx.silent = c.silent;
    rig.link.ComPort = 3;
    rig.link.BaudIndex = 1;
    rig.StartUp();
    rig.host.Delay(1000);
    EXPECT_EQ(rig.view.noAnswers.size(), c.told.empty() ? 0u : 1u) << c.name;
    rig.link.ComPort = 2;
    EXPECT_EQ(rig.link.LineComPort, 3) << c.name;
    EXPECT_EQ(rig.link.LineBaudRate, 1200) << c.name;
    rig.link.OnLine_ButtonClick();
    EXPECT_EQ(rig.view.noAnswers, c.told) << c.name;
  }
}

}  // namespace
