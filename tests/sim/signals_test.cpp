#include "sim/signals.h"

#include <gtest/gtest.h>

#include "sim/options.h"

namespace {

using sim::ParseMhz;
using sim::SignalModel;
using sim::Station;

TEST(ParseMhz, WholeHertzTruncated) {
  EXPECT_EQ(ParseMhz("145.5"), 145'500'000);
  EXPECT_EQ(ParseMhz("145"), 145'000'000);
  EXPECT_EQ(ParseMhz("1295.0000019"), 1'295'000'001);  // below 1 Hz is cut off
  EXPECT_EQ(ParseMhz(".5"), 500'000);
  for (const char* bad : {"", ".", "-1", "14a", "1.2.3", "99999", "1e6", " 145"})
    EXPECT_FALSE(ParseMhz(bad)) << bad;
}

TEST(ParseStations, ReadsCarriersAndNamesTheBadLine) {
  std::string error;
  const auto s = sim::ParseStations(
      "# comment\n\n145.5 200 12000\n118.1 90 8000 2000/6000  # tower\n433 10 100 always\n", error);
  ASSERT_TRUE(s) << error;
  ASSERT_EQ(s->size(), 3u);
  EXPECT_EQ((*s)[1].frequency, 118'100'000);
  EXPECT_EQ((*s)[1].level, 90);
  EXPECT_EQ((*s)[1].onMs, 2000);
  EXPECT_EQ((*s)[1].offMs, 6000);
  EXPECT_EQ((*s)[2].offMs, 0);

  for (const char* bad : {"145.5 256 12000", "145.5 20", "x 20 100", "145.5 20 0",
                          "145.5 20 100 5/", "145.5 20 100 0/5", "145.5 20 100 on 1"}) {
    error.clear();
    EXPECT_FALSE(sim::ParseStations(std::string("# ok\n") + bad + "\n", error)) << bad;
    EXPECT_EQ(error.rfind("line 2:", 0), 0u) << error;
  }
}

TEST(ParseStations, BuiltInListHasSteadyAndIntermittentCarriers) {
  std::string error;
  const auto s = sim::ParseStations(sim::DefaultStationsText(), error);
  ASSERT_TRUE(s) << error;
  int intermittent = 0, aboveGhz = 0;
  for (const Station& st : *s) {
    intermittent += st.offMs > 0;
    aboveGhz += st.frequency >= 1'000'000'000;
  }
  EXPECT_GE(s->size(), 8u);
  EXPECT_GE(intermittent, 2);
  EXPECT_GE(aboveGhz, 1);
}

TEST(SignalModel, LevelFallsOffAcrossTheWidthOverTheNoise) {
  SignalModel m({Station{145'500'000, 200, 12'000, 0, 0}}, 1);
  for (int i = 0; i < 50; ++i) {
    const int centre = m.Level(145'500'000, 0);
    const int half = m.Level(145'503'000, 0);  // a quarter width off: half the level
    const int off = m.Level(145'506'000, 0);   // at the edge: only noise
    EXPECT_GE(centre, 197);
    EXPECT_LE(centre, 203);
    EXPECT_GE(half, 97);
    EXPECT_LE(half, 103);
    EXPECT_GE(off, SignalModel::kNoiseFloor);
    EXPECT_LE(off, SignalModel::kNoiseFloor + 6);
  }
}

TEST(SignalModel, DutyPatternAndPanelCarriers) {
  SignalModel m({Station{100'000'000, 150, 10'000, 1000, 3000}}, 1);
  int on = 0;
  for (int t = 0; t < 40'000; t += 100) on += m.Level(100'000'000, t) > 100;
  EXPECT_EQ(on, 100);  // a quarter of the time

  m.SetCarrier(100'000'000, 60);  // replaces the intermittent one, steady
  EXPECT_EQ(m.stations().size(), 1u);
  for (int t = 0; t < 4000; t += 500) EXPECT_GE(m.Level(100'000'000, t), 57);
  m.SetCarrier(100'000'000, 0);
  EXPECT_TRUE(m.stations().empty());
}

TEST(SignalModel, SameSeedSameNoise) {
  SignalModel a({}, 42), b({}, 42);
  for (int i = 0; i < 100; ++i) EXPECT_EQ(a.Level(145'000'000, i), b.Level(145'000'000, i));
}

TEST(Options, RejectsBadValues) {
  for (const std::vector<std::string>& args :
       std::vector<std::vector<std::string>>{{"--address", "E0"},
                                             {"--address", "FE"},
                                             {"--address", "0"},
                                             {"--address", "1FF"},
                                             {"--baud", "-1"},
                                             {"--baud", "fast"},
                                             {"--band-edges", "200-100"},
                                             {"--band-edges", "1-99999999999"},
                                             {"--band-edges", "100"},
                                             {"--squelch", "256"},
                                             {"--garbage", "1.5"},
                                             {"--drop", "nan"},
                                             {"--ng"},
                                             {"--hangup-after", "-1"},
                                             {"--check-line", "--baud", "0"},
                                             {"--bogus"},
                                             {"--link"}}) {
    std::string error;
    EXPECT_FALSE(sim::ParseOptions(args, error)) << args[0];
    EXPECT_FALSE(error.empty());
  }
  std::string error;
  const auto o = sim::ParseOptions({"--address", "2a", "--band-edges", "100000000-1300000000",
                                    "--no-echo", "--baud", "0", "--seed", "9"},
                                   error);
  ASSERT_TRUE(o) << error;
  EXPECT_EQ(o->receiver.address, 0x2A);
  EXPECT_EQ(o->receiver.upperEdge, 1'300'000'000);
  EXPECT_FALSE(o->echo);
  EXPECT_EQ(o->baud, 0);
}

}  // namespace
