// fennix-sim as a controller sees it, over the pseudo-terminal.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdio>
#include <fstream>
#include <random>
#include <sstream>

#include "civ/civ.h"
#include "sim_harness.h"

namespace {

using simtest::Bytes;
using simtest::Clock;
using simtest::ReadCount;
using simtest::ReadFor;
using simtest::ReadFrames;
using simtest::Sim;

// Quiet, fast and repeatable unless a test asks otherwise.
std::vector<std::string> Args(std::vector<std::string> extra = {}) {
  std::vector<std::string> a = {"--baud", "0", "--stations", "/dev/null", "--seed", "1"};
  a.insert(a.end(), extra.begin(), extra.end());
  return a;
}

Bytes Req(std::uint8_t cmd, std::initializer_list<std::uint8_t> data = {}, std::uint8_t to = 0x34) {
  return civ::BuildFrame(to, cmd, data);
}
Bytes Ans(std::uint8_t cmd, Bytes data = {}, std::uint8_t to = 0xE0, std::uint8_t from = 0x34) {
  data.insert(data.begin(), {0xFE, 0xFE, to, from, cmd});
  data.push_back(0xFD);
  return data;
}
Bytes Bcd(std::int64_t f) {
  const auto b = civ::FrequencyToBcd(f);
  return Bytes(b.begin(), b.end());
}
Bytes SetFreq(std::uint8_t cmd, std::int64_t f) {
  const auto b = civ::FrequencyToBcd(f);
  return civ::BuildFrame(0x34, cmd, b.data(), b.size());
}
Bytes Cat(Bytes a, const Bytes& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}
const Bytes kOk = Ans(0xFB);
const Bytes kNg = Ans(0xFA);

std::string Hex(const Bytes& b) { return civ::FrameText(b); }

// Sends the request and expects its echo followed by exactly the answer.
void ExpectAnswer(Sim& s, const Bytes& request, const Bytes& answer) {
  const Bytes want = Cat(request, answer);
  EXPECT_EQ(Hex(s.Exchange(request, want.size())), Hex(want)) << "request " << Hex(request);
}

class SimReplies : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_GE(sim.Open(), 0) << "slave " << sim.slave(); }
  Sim sim{Args()};
};

TEST_F(SimReplies, ReadsAndSetsFrequencyInsideTheBandEdges) {
  ExpectAnswer(sim, Req(0x02), Ans(0x02, Cat(Cat(Bcd(25'000'000), {0x2D}), Bcd(1'999'999'900))));
  ExpectAnswer(sim, Req(0x03), Ans(0x03, Bcd(145'000'000)));
  ExpectAnswer(sim, SetFreq(0x05, 145'500'000), kOk);
  ExpectAnswer(sim, Req(0x03), Ans(0x03, Bcd(145'500'000)));
  // Out of band, or not decimal: refused, and the frequency stays.
  ExpectAnswer(sim, SetFreq(0x05, 24'999'999), kNg);
  ExpectAnswer(sim, SetFreq(0x05, 2'000'000'000), kNg);
  ExpectAnswer(sim, Req(0x05, {0x00, 0x0A, 0x50, 0x45, 0x01}), kNg);
  ExpectAnswer(sim, Req(0x05, {0x00, 0x50, 0x45}), kNg);
  ExpectAnswer(sim, Req(0x03), Ans(0x03, Bcd(145'500'000)));
  // Above 1 GHz, with the tenth digit.
  ExpectAnswer(sim, SetFreq(0x05, 1'999'999'900), kOk);
  ExpectAnswer(sim, Req(0x03), Ans(0x03, {0x00, 0x99, 0x99, 0x99, 0x19}));
  ExpectAnswer(sim, SetFreq(0x05, 1'295'012'500), kOk);
  ExpectAnswer(sim, Req(0x03), Ans(0x03, {0x00, 0x25, 0x01, 0x95, 0x12}));

  // 00 sets the frequency without a word: only the echo comes back.
  const Bytes set00 = SetFreq(0x00, 146'000'000);
  EXPECT_EQ(Hex(sim.Exchange(set00, set00.size())), Hex(set00));
  ExpectAnswer(sim, Req(0x03), Ans(0x03, Bcd(146'000'000)));
  const Bytes out00 = SetFreq(0x00, 10'000'000);
  EXPECT_EQ(Hex(sim.Exchange(out00, out00.size())), Hex(out00));
  ExpectAnswer(sim, Req(0x03), Ans(0x03, Bcd(146'000'000)));
  EXPECT_TRUE(ReadFor(sim.fd(), 100).empty());
}

TEST_F(SimReplies, ModesAndWindowsEachKeepTheirOwn) {
  ExpectAnswer(sim, Req(0x04), Ans(0x04, {0x05, 0x01}));
  for (int m = 1; m <= 7; ++m) {
    const auto code = civ::ModeCodeBytes(civ::ModeCode[static_cast<std::size_t>(m)]);
    ExpectAnswer(sim, civ::SetModeFrame(0x34, m), kOk);
    ExpectAnswer(sim, Req(0x04), Ans(0x04, {code[0], code[1]}));
  }
  for (const Bytes& bad : {Req(0x06, {0x05, 0x03}), Req(0x06, {0x03, 0x01}),
                           Req(0x06, {0x00, 0x00}), Req(0x06), Req(0x06, {0x07})})
    ExpectAnswer(sim, bad, kNg);
  // A mode byte without filter takes the mode's normal filter.
  ExpectAnswer(sim, Req(0x06, {0x05}), kOk);
  ExpectAnswer(sim, Req(0x04), Ans(0x04, {0x05, 0x01}));

  // Window B has its own frequency and mode; both forms of 07 select.
  ExpectAnswer(sim, Req(0x07, {0xE0, 0x01}), kOk);
  ExpectAnswer(sim, Req(0x03), Ans(0x03, Bcd(433'000'000)));
  ExpectAnswer(sim, SetFreq(0x05, 430'000'000), kOk);
  ExpectAnswer(sim, Req(0x06, {0x02, 0x02}), kOk);
  ExpectAnswer(sim, Req(0x07, {0xE0, 0x00}), kOk);
  ExpectAnswer(sim, Req(0x03), Ans(0x03, Bcd(145'000'000)));
  ExpectAnswer(sim, Req(0x04), Ans(0x04, {0x05, 0x01}));
  ExpectAnswer(sim, Req(0x07, {0x01}), kOk);
  ExpectAnswer(sim, Req(0x03), Ans(0x03, Bcd(430'000'000)));
  ExpectAnswer(sim, Req(0x04), Ans(0x04, {0x02, 0x02}));
  ExpectAnswer(sim, Req(0x07, {0x00}), kOk);
  ExpectAnswer(sim, Req(0x03), Ans(0x03, Bcd(145'000'000)));
  for (const Bytes& bad :
       {Req(0x07, {0xE0, 0x02}), Req(0x07, {0x02}), Req(0x07), Req(0x07, {0x12, 0x00})})
    ExpectAnswer(sim, bad, kNg);
}

TEST_F(SimReplies, SetCommandsAcceptTheirCodesAndRefuseTheRest) {
  for (std::uint8_t c = 0; c <= 7; ++c) ExpectAnswer(sim, Req(0x10, {c}), kOk);
  ExpectAnswer(sim, Req(0x10), Ans(0x10, {0x07}));  // the step reads back
  for (std::uint8_t c : {0x08, 0x10, 0xFF}) ExpectAnswer(sim, Req(0x10, {c}), kNg);
  ExpectAnswer(sim, Req(0x11, {0x20}), kOk);
  ExpectAnswer(sim, Req(0x11, {0x00}), kOk);
  ExpectAnswer(sim, Req(0x11, {0x10}), kNg);
  ExpectAnswer(sim, civ::AfGainFrame(0x34, 255), kOk);
  ExpectAnswer(sim, civ::AfGainFrame(0x34, 7), kOk);
  ExpectAnswer(sim, Req(0x14, {0x01, 0x02, 0x56}), kNg);  // above 255
  ExpectAnswer(sim, Req(0x14, {0x01, 0x0A, 0x00}), kNg);  // not BCD
  ExpectAnswer(sim, Req(0x14, {0x02, 0x01, 0x00}), kNg);
  ExpectAnswer(sim, Req(0x14, {0x01, 0x01}), kNg);
  ExpectAnswer(sim, civ::SpeechFrame(), kOk);
  ExpectAnswer(sim, Req(0x13, {0x01}), kNg);
  // Everything else gets FA, so that a peer never waits for a time-out.
  for (const Bytes& other : {Req(0x1A, {0x03}), Req(0x25, {0x00}), Req(0x08), Req(0x03, {0x01}),
                             Req(0x15, {0x03}), Req(0x15), Req(0x02, {0x00})})
    ExpectAnswer(sim, other, kNg);
  // A frame for another address is echoed by the line and not answered.
  const Bytes other = Req(0x03, {}, 0x35);
  EXPECT_EQ(Hex(sim.Exchange(other, other.size())), Hex(other));
  EXPECT_TRUE(ReadFor(sim.fd(), 100).empty());
}

// Reads the level and squelch at the tuned frequency.
std::pair<int, int> Meter(Sim& s) {
  const Bytes sq = s.Exchange(civ::ReadSquelchFrame(0x34), 7 + 8);
  const Bytes sig = s.Exchange(civ::ReadSignalFrame(0x34), 7 + 9);
  if (sq.size() != 15 || sig.size() != 16) return {-1, -1};
  EXPECT_EQ(Hex(Bytes(sig.begin() + 7, sig.begin() + 13)), "FEFEE0341502");
  const int level = civ::DigitsValue(civ::FrameText(sig.data() + 13, 2));
  return {level, sq[13]};
}

TEST(SimSignals, LevelAndSquelchFollowTheCarriers) {
  Sim sim(Args({"--squelch", "150"}));
  ASSERT_GE(sim.Open(), 0);
  EXPECT_EQ(sim.Command("signal 145.5 200"), "ok signal 145500000 200");
  for (const auto& [mhz, lo, hi, open] :
       std::vector<std::tuple<std::string, int, int, int>>{{"145.5", 197, 203, 1},
                                                           {"145.503", 97, 103, 0},
                                                           {"145.506", 8, 14, 0},
                                                           {"150", 8, 14, 0}}) {
    ASSERT_EQ(sim.Command("tune " + mhz).rfind("ok", 0), 0u);
    ReadFrames(sim.fd(), 1);  // the transceive report
    const auto [level, squelch] = Meter(sim);
    EXPECT_GE(level, lo) << mhz;
    EXPECT_LE(level, hi) << mhz;
    EXPECT_EQ(squelch, open) << mhz;
  }
  EXPECT_EQ(sim.Command("signal 145.5 0"), "ok signal 145500000 0");
  ASSERT_EQ(sim.Command("tune 145.5").rfind("ok", 0), 0u);
  ReadFrames(sim.fd(), 1);
  EXPECT_LE(Meter(sim).first, 14);
}

TEST(SimSignals, DefaultSquelchOpensAboveForty) {
  std::ofstream("sim_two_carriers.txt") << "145.0 45 12000\n146.0 38 12000\n";
  Sim sim({"--baud", "0", "--stations", "sim_two_carriers.txt", "--seed", "3"});
  ASSERT_GE(sim.Open(), 0);
  // 45 +- 3 is always above 40, 38 +- 3 never.
  for (int i = 0; i < 5; ++i) EXPECT_EQ(Meter(sim).second, 1);
  ASSERT_EQ(sim.Command("tune 146"), "ok frequency 146000000");
  ReadFrames(sim.fd(), 1);
  for (int i = 0; i < 5; ++i) EXPECT_EQ(Meter(sim).second, 0);
}

TEST(SimOptions, NoEchoAddressBandEdgesAndAck00) {
  {
    Sim sim(Args({"--no-echo"}));
    ASSERT_GE(sim.Open(), 0);
    EXPECT_EQ(Hex(sim.Exchange(Req(0x03), 11)), Hex(Ans(0x03, Bcd(145'000'000))));
    sim.Send(SetFreq(0x00, 146'000'000));
    EXPECT_EQ(Hex(sim.Exchange(Req(0x03), 11)), Hex(Ans(0x03, Bcd(146'000'000))));
    EXPECT_TRUE(ReadFor(sim.fd(), 100).empty());
  }
  {
    Sim sim(Args({"--address", "2A", "--band-edges", "100000000-1300000000", "--ack-00"}));
    ASSERT_GE(sim.Open(), 0);
    const Bytes to34 = Req(0x03);
    EXPECT_EQ(Hex(sim.Exchange(to34, to34.size())), Hex(to34));
    ExpectAnswer(sim, Req(0x02, {}, 0x2A),
                 Ans(0x02, Cat(Cat(Bcd(100'000'000), {0x2D}), Bcd(1'300'000'000)), 0xE0, 0x2A));
    const auto set = [&](std::uint8_t cmd, std::int64_t f) {
      const auto b = civ::FrequencyToBcd(f);
      return civ::BuildFrame(0x2A, cmd, b.data(), b.size());
    };
    ExpectAnswer(sim, set(0x00, 1'300'000'000), Ans(0xFB, {}, 0xE0, 0x2A));
    ExpectAnswer(sim, set(0x00, 1'300'000'100), Ans(0xFA, {}, 0xE0, 0x2A));
    ExpectAnswer(sim, set(0x05, 99'999'999), Ans(0xFA, {}, 0xE0, 0x2A));
    ExpectAnswer(sim, Req(0x03, {}, 0x2A), Ans(0x03, Bcd(1'300'000'000), 0xE0, 0x2A));
    EXPECT_EQ(sim.Command("tune 50"),
              "error: 50000000 Hz is outside the band 100000000-1300000000");
    EXPECT_EQ(sim.Command("mode WFM"), "ok mode WFM");
    EXPECT_EQ(Hex(ReadFrames(sim.fd(), 1)), Hex(Ans(0x01, {0x06, 0x01}, 0x00, 0x2A)));
  }
}

TEST(SimPanel, StdinCommandsSendTransceiveReports) {
  Sim sim(Args());
  ASSERT_GE(sim.Open(), 0);
  EXPECT_EQ(sim.Command("tune 145.5"), "ok frequency 145500000");
  EXPECT_EQ(Hex(ReadFrames(sim.fd(), 1)),
            "FEFE003400"
            "0000504501"
            "FD");
  EXPECT_EQ(sim.Command("tune 1295.0125"), "ok frequency 1295012500");
  EXPECT_EQ(Hex(ReadFrames(sim.fd(), 1)),
            "FEFE003400"
            "0025019512"
            "FD");
  EXPECT_EQ(sim.Command("mode FM N"), "ok mode FMN");
  EXPECT_EQ(Hex(ReadFrames(sim.fd(), 1)), "FEFE0034010502FD");
  EXPECT_EQ(sim.Command("mode usb"), "ok mode USB");
  EXPECT_EQ(Hex(ReadFrames(sim.fd(), 1)), "FEFE0034010101FD");
  ExpectAnswer(sim, Req(0x03), Ans(0x03, Bcd(1'295'012'500)));
  ExpectAnswer(sim, Req(0x04), Ans(0x04, {0x01, 0x01}));
  // Refused commands change nothing and send nothing.
  for (const char* bad : {"tune", "tune 3000", "tune 145,5", "mode XM", "signal 145.5 300",
                          "signal 145.5", "frobnicate", "tune 145.5 146"})
    EXPECT_EQ(sim.Command(bad).rfind("error:", 0), 0u) << bad;
  EXPECT_EQ(sim.Command(std::string(5000, 'x')), "error: line too long");
  EXPECT_TRUE(ReadFor(sim.fd(), 100).empty());
  EXPECT_EQ(sim.Command("quit"), "ok quit");
  EXPECT_EQ(sim.Wait(), 0);
}

TEST(SimFaults, SilentDropAndNg) {
  for (const char* fault : {"--silent", "--drop"}) {
    std::vector<std::string> extra = {fault};
    if (std::string(fault) == "--drop") extra.push_back("1");
    Sim sim(Args(extra));
    ASSERT_GE(sim.Open(), 0);
    const Bytes req = Req(0x03);
    EXPECT_EQ(Hex(sim.Exchange(req, req.size())), Hex(req)) << fault;  // the line still echoes
    EXPECT_TRUE(ReadFor(sim.fd(), 150).empty()) << fault;
  }
  Sim sim(Args({"--ng", "1"}));
  ASSERT_GE(sim.Open(), 0);
  ExpectAnswer(sim, SetFreq(0x05, 145'500'000), kNg);
  ExpectAnswer(sim, Req(0x03), Ans(0x03, Bcd(145'500'000)));  // reads are untouched
}

TEST(SimFaults, GarbageComesBetweenFramesOnly) {
  Sim sim(Args({"--garbage", "1"}));
  ASSERT_GE(sim.Open(), 0);
  for (int i = 0; i < 10; ++i) {
    const Bytes req = Req(0x03);
    sim.Send(req);
    const Bytes got = ReadFrames(sim.fd(), 2);
    const Bytes answer = Ans(0x03, Bcd(145'000'000));
    ASSERT_GT(got.size(), req.size() + answer.size());
    EXPECT_EQ(Hex(Bytes(got.begin(), got.begin() + 6)), Hex(req));
    EXPECT_EQ(Hex(Bytes(got.end() - 11, got.end())), Hex(answer));
    for (auto it = got.begin() + 6; it != got.end() - 11; ++it) {
      EXPECT_NE(*it, 0xFE);
      EXPECT_NE(*it, 0xFD);
    }
  }
}

TEST(SimFaults, SplitAnswersArriveInPieces) {
  Sim sim(Args({"--split", "--no-echo"}));
  ASSERT_GE(sim.Open(), 0);
  const Bytes answer = Ans(0x02, Cat(Cat(Bcd(25'000'000), {0x2D}), Bcd(1'999'999'900)));
  int reads = 0;
  for (int i = 0; i < 5; ++i) {
    sim.Send(Req(0x02));
    Bytes got;
    while (got.size() < answer.size()) {
      pollfd p{sim.fd(), POLLIN, 0};
      if (poll(&p, 1, simtest::kTimeoutMs) <= 0) break;
      std::uint8_t buf[64];
      const ssize_t n = read(sim.fd(), buf, sizeof buf);
      if (n <= 0) break;
      got.insert(got.end(), buf, buf + n);
      ++reads;
    }
    EXPECT_EQ(Hex(got), Hex(answer));
  }
  EXPECT_GT(reads, 5);
}

TEST(SimFaults, WrongLineSpeedGivesGarbageUntilItMatches) {
  Sim sim({"--check-line", "--baud", "9600", "--stations", "/dev/null"});
  ASSERT_GE(sim.Open(4800), 0);
  sim.Send(Req(0x03));
  const Bytes noise = ReadFor(sim.fd(), 400);
  EXPECT_FALSE(noise.empty());
  for (auto b : noise) EXPECT_NE(b, 0xFD);
  ASSERT_GE(sim.Open(9600), 0);
  ExpectAnswer(sim, Req(0x03), Ans(0x03, Bcd(145'000'000)));
}

TEST(SimFaults, HangupClosesTheTerminalAndEnds) {
  Sim sim(Args({"--hangup-after", "0.3"}));
  ASSERT_GE(sim.Open(), 0);
  ExpectAnswer(sim, Req(0x03), Ans(0x03, Bcd(145'000'000)));
  pollfd p{sim.fd(), POLLIN, 0};
  ASSERT_EQ(poll(&p, 1, simtest::kTimeoutMs), 1);
  EXPECT_TRUE(p.revents & (POLLHUP | POLLERR));
  EXPECT_EQ(sim.Line(), "hangup");
  EXPECT_EQ(sim.Wait(), 0);
}

TEST(SimLog, RecordsFramesWithTimeAndDirection) {
  const std::string path = "sim_test.log";
  std::remove(path.c_str());
  {
    Sim sim(Args({"--log", path}));
    ASSERT_GE(sim.Open(), 0);
    ExpectAnswer(sim, Req(0x03), Ans(0x03, Bcd(145'000'000)));
    EXPECT_EQ(sim.Command("mode AM"), "ok mode AM");
    ReadFrames(sim.fd(), 1);
    EXPECT_EQ(sim.Command("quit"), "ok quit");
    EXPECT_EQ(sim.Wait(), 0);
  }
  std::ifstream in(path);
  std::vector<std::pair<long, std::string>> lines;
  for (std::string line; std::getline(in, line);) {
    std::istringstream f(line);
    long ms = -1;
    f >> ms;
    std::string rest;
    std::getline(f, rest);
    lines.emplace_back(ms, rest);
  }
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_EQ(lines[0].second, " RX FE FE 34 E0 03 FD");
  EXPECT_EQ(lines[1].second, " EC FE FE 34 E0 03 FD");
  EXPECT_EQ(lines[2].second, " TX FE FE E0 34 03 00 00 00 45 01 FD");
  EXPECT_EQ(lines[3].second, " TX FE FE 00 34 01 02 02 FD");
  for (std::size_t i = 0; i < lines.size(); ++i) {
    EXPECT_GE(lines[i].first, 0);
    if (i > 0) {
      EXPECT_GE(lines[i].first, lines[i - 1].first);
    }
  }
}

// Wall time from sending `requests` frequency reads in one write to the last answer byte.
double ExchangeMs(Sim& s, int requests) {
  Bytes batch;
  for (int i = 0; i < requests; ++i) batch = Cat(batch, Req(0x03));
  const auto start = Clock::now();
  s.Send(batch);
  const Bytes got = ReadCount(s.fd(), static_cast<std::size_t>(requests) * 17, 10000);
  EXPECT_EQ(got.size(), static_cast<std::size_t>(requests) * 17);
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

TEST(SimTiming, TenBitsPerByteOnTheLine) {
  for (const auto& [baud, requests] : std::vector<std::pair<int, int>>{{9600, 10}, {1200, 2}}) {
    Sim sim({"--baud", std::to_string(baud), "--stations", "/dev/null"});
    ASSERT_GE(sim.Open(baud), 0);
    // Each exchange puts 6 bytes of request and 11 of answer on the line; the echo is the
    // request itself and takes no extra time. Load only ever makes it slower, so the best
    // of a few runs is the line's own time.
    const double want = requests * 17 * 10 * 1000.0 / baud;
    double best = 1e9;
    for (int run = 0; run < 3; ++run) best = std::min(best, ExchangeMs(sim, requests));
    EXPECT_GE(best, want * 0.9) << baud;
    EXPECT_LE(best, want * 1.1) << baud;
  }
}

std::vector<std::string> Words(const std::string& text) {
  std::istringstream in(text);
  std::vector<std::string> out;
  for (std::string line; std::getline(in, line);) out.push_back(line);
  return out;
}

TEST(SimRobustness, GarbageFloodsNeverStopTheAnswers) {
  Sim sim(Args({"--no-echo"}));
  ASSERT_GE(sim.Open(), 0);
  std::mt19937 rng(5);
  std::uniform_int_distribution<int> byte(0, 255);
  Bytes flood(20000);
  for (auto& b : flood) b = static_cast<std::uint8_t>(byte(rng));
  sim.Send(flood);
  // A frame that never ends: a preamble and 10,000 bytes without an end byte.
  Bytes endless = {0xFE, 0xFE, 0x34, 0xE0, 0x05};
  endless.insert(endless.end(), 10000, 0x11);
  sim.Send(endless);
  sim.Send({0xFD});
  ReadFor(sim.fd(), 300);  // whatever the noise happened to address to the receiver
  EXPECT_EQ(Hex(sim.Exchange(Req(0x03), 11)), Hex(Ans(0x03, Bcd(145'000'000))));
}

long CpuTicks(pid_t pid) {
  std::ifstream in("/proc/" + std::to_string(pid) + "/stat");
  std::string all((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  std::istringstream f(all.substr(all.rfind(')') + 2));
  std::string field;
  long utime = 0, stime = 0;
  for (int i = 3; i <= 15 && f >> field; ++i) {
    if (i == 14) utime = std::stol(field);
    if (i == 15) stime = std::stol(field);
  }
  return utime + stime;
}

TEST(SimRobustness, PeerClosingAndReopeningTheLine) {
  Sim sim(Args());
  ASSERT_GE(sim.Open(), 0);
  ExpectAnswer(sim, Req(0x03), Ans(0x03, Bcd(145'000'000)));
  close(sim.fd());
  // Reports made while nobody listens are not delivered to the next peer.
  EXPECT_EQ(sim.Command("mode LSB"), "ok mode LSB");
  const long before = CpuTicks(sim.pid());
  usleep(500'000);
  EXPECT_LE(CpuTicks(sim.pid()) - before, 10);  // at most 100 ms of CPU: no spinning
  ASSERT_GE(sim.Open(), 0);
  ExpectAnswer(sim, Req(0x04), Ans(0x04, {0x00, 0x01}));
  // stdin at its end: the simulator keeps serving.
  sim.CloseStdin();
  for (int i = 0; i < 3; ++i) ExpectAnswer(sim, Req(0x03), Ans(0x03, Bcd(145'000'000)));
}

TEST(SimRobustness, LinkIsMadeAndRemovedOnSignals) {
  const std::string link = "sim_test_link";
  for (int sig : {SIGTERM, SIGINT}) {
    unlink(link.c_str());
    ASSERT_EQ(symlink("/nonexistent", link.c_str()), 0);  // a stale link is replaced
    Sim sim(Args({"--link", link}));
    char target[256] = {};
    ASSERT_GT(readlink(link.c_str(), target, sizeof target - 1), 0);
    EXPECT_EQ(std::string(target), sim.slave());
    const int fd = simtest::OpenRaw(link);
    ASSERT_GE(fd, 0);
    simtest::WriteAll(fd, Req(0x04));
    EXPECT_EQ(ReadCount(fd, 14).size(), 14u);
    close(fd);
    sim.Signal(sig);
    EXPECT_EQ(sim.Wait(), 0);
    struct stat st {};
    EXPECT_NE(lstat(link.c_str(), &st), 0) << "signal " << sig;
  }
  // A real file in the way is not clobbered.
  std::ofstream(link) << "keep";
  Sim sim(Args({"--link", link}));
  EXPECT_EQ(sim.Wait(), 1);
  std::ifstream in(link);
  std::string text;
  in >> text;
  EXPECT_EQ(text, "keep");
  unlink(link.c_str());
}

TEST(SimRigctl, HamlibPeerReadsWhatItSet) {
  Sim sim({"--stations", "/dev/null", "--seed", "1"});  // the real 9,600 bit/s line
  ASSERT_EQ(sim.Command("signal 145.5 200"), "ok signal 145500000 200");
  const std::string cmd = "timeout 60 rigctl -m 3041 -r " + sim.slave() +
                          " -s 9600 F 145500000 f M FM 0 m l RAWSTR get_dcd 'L' AF 0.5 "
                          "L ATT 20 N 25000 n 2>&1";
  std::FILE* p = popen(cmd.c_str(), "r");
  ASSERT_NE(p, nullptr);
  std::string out;
  char buf[512];
  while (std::fgets(buf, sizeof buf, p)) out += buf;
  ASSERT_EQ(pclose(p), 0) << out;
  const auto lines = Words(out);
  ASSERT_EQ(lines.size(), 6u) << out;
  EXPECT_EQ(lines[0], "145500000");
  EXPECT_EQ(lines[1], "FM");
  EXPECT_GT(std::stoi(lines[2]), 0);  // the passband Hamlib reports for FM
  EXPECT_GE(std::stoi(lines[3]), 197);
  EXPECT_LE(std::stoi(lines[3]), 203);
  EXPECT_EQ(lines[4], "1");
  EXPECT_EQ(lines[5], "25000");
}

}  // namespace
