// The rigctld protocol as request and response lines against a recorded panel, no socket.
#include "net/rigctl_protocol.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/ini_file.h"
#include "net/net_settings.h"
#include "net/tune_queue.h"

namespace {

using net::Execute;

// A panel that keeps its state and records what the protocol asked of it.
class FakePanel : public net::RigPanel {
 public:
  std::int32_t frequency = 145000000, lower = 25000000, upper = 1299999900, other = 430000000;
  std::uint32_t signals = 0, squelches = 0;
  int mode = 5, window = 1, reading = 0, af = 31;
  bool squelch = false, att = false, online = true;
  std::vector<std::string> calls;

  std::int32_t Frequency() const override { return frequency; }
  std::int32_t LowerLimit() const override { return lower; }
  std::int32_t UpperLimit() const override { return upper; }
  void TuneTo(std::int32_t hz) override {
    frequency = hz;
    calls.push_back("tune " + std::to_string(hz));
  }
  int Mode() const override { return mode; }
  void SetMode(int m) override {
    mode = m;
    calls.push_back("mode " + std::to_string(m));
  }
  int Window() const override { return window; }
  std::int32_t WindowFrequency(int w) const override { return w == window ? frequency : other; }
  int WindowMode(int) const override { return mode; }
  bool OnLine() const override { return online; }
  std::uint32_t ReadingsTaken(bool squelch) const override { return squelch ? squelches : signals; }
  void AskReading(bool squelch) override {
    calls.push_back(squelch ? "ask squelch" : "ask signal");
  }
  bool SelectWindow(int w) override {
    if (!online) return false;
    window = w;
    calls.push_back("window " + std::to_string(w));
    return true;
  }
  int SignalReading() const override { return reading; }
  bool SquelchOpen() const override { return squelch; }
  int AfPosition() const override { return af; }
  void SetAfPosition(int p) override {
    af = p;
    calls.push_back("af " + std::to_string(p));
  }
  bool AttOn() const override { return att; }
  bool SetAtt(bool on) override {
    if (!online) return false;
    att = on;
    calls.push_back(on ? "att on" : "att off");
    return true;
  }
};

struct Exchange {
  const char* request;
  const char* response;
  const char* call;  // what the panel was asked to do, or "" for nothing
};

void RunTable(const std::vector<Exchange>& table, FakePanel& panel) {
  for (const Exchange& e : table) {
    panel.calls.clear();
    const net::Reply reply = Execute(e.request, panel);
    EXPECT_EQ(reply.text, e.response) << "request: " << e.request;
    EXPECT_FALSE(reply.close) << e.request;
    const std::string call = panel.calls.empty() ? "" : panel.calls.back();
    EXPECT_EQ(call, e.call) << "request: " << e.request;
    EXPECT_LE(panel.calls.size(), 1u) << e.request;
  }
}

TEST(RigctlProtocol, DefaultProtocolGetsAndSets) {
  FakePanel panel;
  RunTable(
      {
          {"f", "145000000\n", ""},
          {"\\get_freq", "145000000\n", ""},
          {"F 145500000", "RPRT 0\n", "tune 145500000"},
          {"F 145500000.000000", "RPRT 0\n", "tune 145500000"},  // Hamlib's own client
          {"F 145500000.9", "RPRT 0\n", "tune 145500000"},       // truncated toward zero
          {"\\set_freq 433920000", "RPRT 0\n", "tune 433920000"},
          {"f", "433920000\n", ""},
          {"F 25000000", "RPRT 0\n", "tune 25000000"},  // the limits themselves
          {"F 1299999900", "RPRT 0\n", "tune 1299999900"},
          {"  F   145000000  \r", "RPRT 0\n", "tune 145000000"},
          {"m", "FM\n15000\n", ""},
          {"v", "VFOA\n", ""},
          {"\\get_vfo", "VFOA\n", ""},
          {"t", "0\n", ""},
          {"\\get_ptt", "0\n", ""},
          {"\\get_dcd", "0\n", ""},
          {"\\get_powerstat", "1\n", ""},
          {"\\chk_vfo", "0\n", ""},
          {"\\get_lock_mode", "0\n", ""},
          {"l ATT", "0\n", ""},
          {"l AF", "0.027451\n", ""},  // the bottom of the slider: level 7 of 255
          {"", "", ""},
          {"   ", "", ""},
      },
      panel);
}

TEST(RigctlProtocol, ModesMapOntoTheSevenPanelModesByPassband) {
  FakePanel panel;
  RunTable(
      {
          {"M LSB 0", "RPRT 0\n", "mode 1"},
          {"m", "LSB\n2400\n", ""},
          {"M USB 2400", "RPRT 0\n", "mode 2"},
          {"M AM 15000", "RPRT 0\n", "mode 3"},  // AMW
          {"m", "AM\n15000\n", ""},
          {"M AM 6000", "RPRT 0\n", "mode 4"},  // A M
          {"m", "AM\n6000\n", ""},
          {"M AM 10499", "RPRT 0\n", "mode 4"},  // nearer 6 kHz
          {"M AM 10500", "RPRT 0\n", "mode 3"},  // from half way up, the wide one
          {"M AM 0", "RPRT 0\n", "mode 4"},      // the usual AM
          {"M AM -1", "RPRT 0\n", "mode 4"},     // no change of width: stays A M
          {"M AM 15000", "RPRT 0\n", "mode 3"},
          {"M AM", "RPRT 0\n", "mode 3"},        // no passband: keeps AMW
          {"M FM 15000", "RPRT 0\n", "mode 5"},  // F M
          {"M FM 6000", "RPRT 0\n", "mode 6"},   // FMN
          {"m", "FM\n6000\n", ""},
          {"M FM -1", "RPRT 0\n", "mode 6"},
          {"M FM 0", "RPRT 0\n", "mode 5"},  // the usual FM
          {"M WFM 0", "RPRT 0\n", "mode 7"},
          {"m", "WFM\n150000\n", ""},
          {"M AM -1", "RPRT 0\n", "mode 4"},  // from another family: the usual one
          {"\\set_mode fm 15000", "RPRT 0\n", "mode 5"},
          {"M CW 500", "RPRT -1\n", ""},
          {"M FM wide", "RPRT -1\n", ""},
          {"M", "RPRT -1\n", ""},
          {"M FM 15000 7", "RPRT 0\nRPRT -11\n", "mode 5"},  // "7" is a command of its own
      },
      panel);
  panel.mode = 10;  // the receiver reported 00 00: a mode without a name
  RunTable({{"m", "None\n0\n", ""}}, panel);
}

TEST(RigctlProtocol, WindowsLevelsAndReadings) {
  FakePanel panel;
  panel.reading = 89;
  panel.squelch = true;
  RunTable(
      {
          {"V VFOB", "RPRT 0\n", "window 2"},
          {"v", "VFOB\n", ""},
          {"V VFOB", "RPRT 0\n", ""},  // already there: nothing is sent
          {"V currVFO", "RPRT 0\n", ""},
          {"\\set_vfo VFOA", "RPRT 0\n", "window 1"},
          {"V MEM", "RPRT -1\n", ""},
          {"V", "RPRT -1\n", ""},
          {"l STRENGTH", "0\n", ""},
          {"l RAWSTR", "89\n", ""},
          {"\\get_level STRENGTH", "0\n", ""},
          {"\\get_dcd", "1\n", ""},
          {"L AF 1", "RPRT 0\n", "af 0"},
          {"l AF", "1.000000\n", ""},
          {"L AF 0.5", "RPRT 0\n", "af 16"},  // level 127 is 0.498
          {"l AF", "0.498039\n", ""},
          {"\\set_level AF 0", "RPRT 0\n", "af 31"},
          {"L AF 1.5", "RPRT -1\n", ""},
          {"L AF -0.1", "RPRT -1\n", ""},
          {"L AF loud", "RPRT -1\n", ""},
          {"L ATT 20", "RPRT 0\n", "att on"},
          {"l ATT", "20\n", ""},
          {"L ATT 20", "RPRT 0\n", ""},  // already on
          {"L ATT 0", "RPRT 0\n", "att off"},
          {"L ATT -5", "RPRT -1\n", ""},
          {"l SQL", "RPRT -11\n", ""},
          {"L RF 0.5", "RPRT -11\n", ""},
          {"l", "RPRT -1\n", ""},
          {"L AF", "RPRT -1\n", ""},
      },
      panel);
  panel.online = false;
  RunTable({{"V VFOB", "RPRT -9\n", ""}, {"L ATT 20", "RPRT -9\n", ""}, {"v", "VFOA\n", ""}},
           panel);
}

TEST(RigctlProtocol, BadFrequenciesAndUnknownCommands) {
  FakePanel panel;
  RunTable(
      {
          {"F 24999999", "RPRT -1\n", ""},
          {"F 1299999901", "RPRT -1\n", ""},
          {"F -145000000", "RPRT -1\n", ""},
          {"F abc", "RPRT -1\n", ""},
          {"F 145e6x", "RPRT -1\n", ""},
          {"F nan", "RPRT -1\n", ""},
          {"F inf", "RPRT -1\n", ""},
          {"F 1e300", "RPRT -1\n", ""},
          {"F", "RPRT -1\n", ""},
          {"F 145000000 9", "RPRT 0\nRPRT -11\n", "tune 145000000"},
          {"f now", "145000000\nRPRT -11\n", ""},
          {"x", "RPRT -11\n", ""},
          {"\\frobnicate 1 2", "RPRT -11\n", ""},
          {"\\", "RPRT -11\n", ""},
          {"#", "RPRT -11\n", ""},
          {"\x01\x02\xff", "RPRT -11\n", ""},
      },
      panel);
  EXPECT_EQ(panel.frequency, 145000000);
}

TEST(RigctlProtocol, ExtendedProtocolAndWhatRigctldAnswersForThisReceiver) {
  FakePanel panel;
  panel.reading = 255;
  RunTable(
      {
          // What rigctld answers for this receiver.
          {"s", "0\nVFOA\n", ""},
          {"+s", "get_split_vfo:\nSplit: 0\nTX VFO: VFOA\nRPRT 0\n", ""},
          {"\\get_vfo_info VFOB", "430000000\nFM\n15000\n0\n0\n", ""},
          {"+\\get_vfo_info",
           "get_vfo_info:\nFreq: 145000000\nMode: FM\nWidth: 15000\nSplit: 0\nSatMode: 0\nRPRT 0\n",
           ""},
          {"u FAGC", "RPRT -11\n", ""},
          {"+f", "get_freq:\nFrequency: 145000000\nRPRT 0\n", ""},
          {"+\\get_freq", "get_freq:\nFrequency: 145000000\nRPRT 0\n", ""},
          {"+F 145500000", "set_freq: 145500000\nRPRT 0\n", "tune 145500000"},
          {"+F abc", "set_freq: abc\nRPRT -1\n", ""},
          {"+m", "get_mode:\nMode: FM\nPassband: 15000\nRPRT 0\n", ""},
          {"+M AM 6000", "set_mode: AM 6000\nRPRT 0\n", "mode 4"},
          {";m", "get_mode:;Mode: AM;Passband: 6000;RPRT 0\n", ""},
          {"|M FM 15000", "set_mode: FM 15000|RPRT 0\n", "mode 5"},
          {"+v", "get_vfo:\nVFO: VFOA\nRPRT 0\n", ""},
          {"+V VFOB", "set_vfo: VFOB\nRPRT 0\n", "window 2"},
          {"+l STRENGTH", "get_level: STRENGTH\n60\nRPRT 0\n", ""},
          {"+l RAWSTR", "get_level: RAWSTR\n255\nRPRT 0\n", ""},
          {"+l SQL", "get_level: SQL\nRPRT -11\n", ""},
          {"+L ATT 20", "set_level: ATT 20\nRPRT 0\n", "att on"},
          {"+\\get_dcd", "get_dcd:\nDCD: 0\nRPRT 0\n", ""},
          {"+t", "get_ptt:\nPTT: 0\nRPRT 0\n", ""},
          {"+\\get_powerstat", "get_powerstat:\nPower Status: 1\nRPRT 0\n", ""},
          {"+\\chk_vfo", "ChkVFO: 0\n", ""},
          {"+x", "RPRT -11\n", ""},
          {"+", "RPRT -11\n", ""},
          {"V Main", "RPRT 0\n", "window 1"},
          {"V Sub", "RPRT 0\n", "window 2"},
      },
      panel);
  const std::string info = Execute("\\get_rig_info", panel).text;
  EXPECT_EQ(info.rfind("VFO=VFOA Freq=430000000 Mode=FM Width=15000 RX=0 TX=0\n"
                       "VFO=VFOB Freq=145500000 Mode=FM Width=15000 RX=1 TX=0\nSplit=0 SatMode=0\n",
                       0),
            0u)
      << info;
  EXPECT_NE(info.find("\nCRC=0x"), std::string::npos);
  EXPECT_EQ(Execute("\\get_modes", panel).text.rfind("AM USB LSB FM WFM\nBandwidths:\n", 0), 0u);
  EXPECT_NE(Execute("\\dump_state", panel).text.find("targetable_vfo=0x0\n"), std::string::npos);
}

TEST(RigctlProtocol, SeveralCommandsToALineEachWithItsOwnArgumentsAndPrefix) {
  FakePanel panel;
  panel.reading = 130;
  RunTable(
      {
          {"f m v", "145000000\nFM\n15000\nVFOA\n", ""},
          {"+f +m +v",
           "get_freq:\nFrequency: 145000000\nRPRT 0\nget_mode:\nMode: FM\nPassband: 15000\nRPRT "
           "0\nget_vfo:\nVFO: VFOA\nRPRT 0\n",
           ""},
          {"+f m", "get_freq:\nFrequency: 145000000\nRPRT 0\nFM\n15000\n", ""},
          {"F 145100000 f", "RPRT 0\n145100000\n", "tune 145100000"},
          {"f\\get_mode", "145100000\nFM\n15000\n", ""},
          {"fv", "145100000\nVFOA\n", ""},
          {";f;v", "get_freq:;Frequency: 145100000;RPRT 0\nget_vfo:;VFO: VFOA;RPRT 0\n", ""},
          {"|f ,v", "get_freq:|Frequency: 145100000|RPRT 0\nget_vfo:,VFO: VFOA,RPRT 0\n", ""},
          {"M FM 6000 m", "RPRT 0\nFM\n6000\n", "mode 6"},
          {"M FM m", "RPRT 0\nFM\n6000\n", "mode 6"},  // "m" is no passband
          {"l STRENGTH l RAWSTR \\get_dcd", "20\n130\n0\n", ""},
          {"x f", "RPRT -11\n", ""},  // what follows an unknown command is not guessed at
      },
      panel);
  const net::Reply r = Execute("f q f", panel);
  EXPECT_EQ(r.text, "145100000\nRPRT 0\n");
  EXPECT_TRUE(r.close);
}

TEST(TuneQueue, NewestTuneOnlyFreshReadingsAndAHeldWindow) {
  FakePanel panel;
  net::TuneQueue q(panel);
  EXPECT_TRUE(q.Fresh(net::Reading::kSignal));
  q.TuneTo(145100000);
  q.TuneTo(145200000);
  EXPECT_EQ(q.Frequency(), 145200000);  // answered as asked, before it goes out
  EXPECT_TRUE(panel.calls.empty());
  EXPECT_FALSE(q.Fresh(net::Reading::kSignal));
  q.Flush();
  EXPECT_EQ(panel.calls, std::vector<std::string>{"tune 145200000"});
  // The receiver is asked once for a reading at the new frequency.
  EXPECT_FALSE(q.Fresh(net::Reading::kSignal));
  EXPECT_FALSE(q.Fresh(net::Reading::kSignal));
  EXPECT_EQ(panel.calls, (std::vector<std::string>{"tune 145200000", "ask signal"}));
  panel.calls.clear();
  ++panel.signals;
  EXPECT_TRUE(q.Fresh(net::Reading::kSignal));
  EXPECT_FALSE(q.Fresh(net::Reading::kSquelch));
  ++panel.squelches;
  EXPECT_TRUE(q.Fresh(net::Reading::kSquelch));
  // A mode goes after the tune asked for before it.
  q.TuneTo(145300000);
  q.SetMode(6);
  EXPECT_EQ(panel.calls, (std::vector<std::string>{"ask squelch", "tune 145300000", "mode 6"}));
  // Off line nothing new will come: the reading is answered as it stands.
  q.TuneTo(145400000);
  panel.online = false;
  EXPECT_TRUE(q.Fresh(net::Reading::kSignal));

  // Hamlib's opening reads window B without pressing the window key.
  FakePanel fresh;
  net::TuneQueue w(fresh);
  EXPECT_TRUE(w.SelectWindow(2));
  EXPECT_EQ(w.Window(), 2);
  EXPECT_EQ(w.Frequency(), 430000000);
  EXPECT_TRUE(w.SelectWindow(1));
  EXPECT_FALSE(w.Pending());
  EXPECT_TRUE(fresh.calls.empty());
  // Held, it goes before anything that needs the receiver in that window.
  w.SelectWindow(2);
  w.TuneTo(433000000);
  EXPECT_EQ(fresh.calls, std::vector<std::string>{"window 2"});
  w.Flush();
  EXPECT_EQ(fresh.calls.back(), "tune 433000000");
}

TEST(RigctlProtocol, QuitClosesAfterItsAnswer) {
  FakePanel panel;
  for (const char* q : {"q", "Q", "+q", "\\quit"}) {
    const net::Reply r = Execute(q, panel);
    EXPECT_TRUE(r.close) << q;
    EXPECT_EQ(r.text, "RPRT 0\n") << q;
  }
}

TEST(RigctlProtocol, DumpStateDescribesTheReceiverForHamlibsClient) {
  FakePanel panel;
  panel.lower = 30000000;
  panel.upper = 1300000000;
  const std::string s = Execute("\\dump_state", panel).text;
  // Protocol 1, then the receive range from the band edges with the five mode families and
  // both windows, no transmitter, every step, and the end marker Hamlib waits for.
  EXPECT_EQ(s.rfind("1\n2\n0\n30000000.000000 1300000000.000000 0x6d -1 -1 0x3 0x1\n"
                    "0 0 0 0 0 0 0\n0 0 0 0 0 0 0\n0x6d 100\n0x6d 1000\n",
                    0),
            0u)
      << s;
  EXPECT_NE(s.find("0x6d 1000000\n0 0\n"), std::string::npos);
  EXPECT_NE(s.find("\n0x4400000a\n0xa\n"), std::string::npos);  // levels read, levels set
  EXPECT_NE(s.find("has_get_vfo=1\n"), std::string::npos);
  EXPECT_EQ(s.substr(s.size() - 5), "done\n");
  EXPECT_EQ(s.find("RPRT"), std::string::npos);

  const std::string ext = Execute("+\\dump_state", panel).text;
  EXPECT_EQ(ext, "dump_state:\n" + s + "RPRT 0\n");
  const std::string caps = Execute("\\dump_caps", panel).text;
  EXPECT_NE(caps.find("30000000Hz - 1300000000Hz"), std::string::npos);
  EXPECT_EQ(caps.substr(caps.size() - 7), "RPRT 0\n");
}

TEST(RigctlProtocol, StrengthFollowsThePanelsSMeterMarks) {
  const struct {
    int level, db;
  } table[] = {{-3, -54}, {0, -54},  {1, -53},  {10, -48}, {30, -36}, {50, -24}, {70, -12}, {89, 0},
               {90, 0},   {110, 10}, {130, 20}, {165, 38}, {206, 60}, {207, 60}, {255, 60}};
  for (const auto& row : table) EXPECT_EQ(net::StrengthOverS9(row.level), row.db) << row.level;
}

TEST(RigctlProtocol, AfFractionRoundTripsEverySliderPosition) {
  for (int p = 0; p <= 31; ++p) EXPECT_EQ(net::AfPositionOf(net::AfFraction(p)), p) << p;
  EXPECT_EQ(net::AfPositionOf(0.0), 31);
  EXPECT_EQ(net::AfPositionOf(1.0), 0);
}

TEST(LineBuffer, SplitsLinesAcrossChunksAndRefusesEndlessOnes) {
  net::LineBuffer b;
  std::string line;
  ASSERT_TRUE(b.Feed("f\nF 14"));
  ASSERT_TRUE(b.NextLine(line));
  EXPECT_EQ(line, "f");
  EXPECT_FALSE(b.NextLine(line));
  ASSERT_TRUE(b.Feed("5000000\r\n\n"));
  ASSERT_TRUE(b.NextLine(line));
  EXPECT_EQ(line, "F 145000000");
  ASSERT_TRUE(b.NextLine(line));
  EXPECT_EQ(line, "");
  EXPECT_EQ(b.Pending(), 0u);

  net::LineBuffer flood;
  EXPECT_TRUE(flood.Feed(std::string(net::LineBuffer::kMaxLine, 'x')));
  EXPECT_FALSE(flood.Feed("y"));  // one past the limit, across chunks
  net::LineBuffer many;
  std::string lines;
  for (int i = 0; i < 1000; ++i) lines += std::string(100, 'f') + "\n";
  EXPECT_TRUE(many.Feed(lines));  // many short lines are fine
}

TEST(NetSettings, DefaultsAndTheSectionWrittenAfterTheOthers) {
  net::NetSettings s;
  IniFile ini = IniFile::Parse("[Model]\nAddress=0\n");
  net::ReadNetSettings(ini, s);
  EXPECT_FALSE(s.Enable);
  EXPECT_EQ(s.Address, "127.0.0.1");
  EXPECT_EQ(s.Port, 4532);
  net::WriteNetSettings(ini, s);
  EXPECT_EQ(ini.Text(), "[Model]\nAddress=0\n[NET]\nEnable=0\nAddress=127.0.0.1\nPort=4532\n");

  IniFile mine = IniFile::Parse("[NET]\nEnable=2\nAddress=0.0.0.0\nPort=0x11B6\n");
  net::ReadNetSettings(mine, s);
  EXPECT_TRUE(s.Enable);
  EXPECT_EQ(s.Address, "0.0.0.0");
  EXPECT_EQ(s.Port, 4534);
  IniFile bad = IniFile::Parse("[net]\nPort=70000\nAddress=\n");
  net::NetSettings d;
  net::ReadNetSettings(bad, d);
  EXPECT_EQ(d.Port, 4532);
  EXPECT_EQ(d.Address, "127.0.0.1");
}

}  // namespace
