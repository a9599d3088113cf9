// Identification and memo mode on the virtual clock: the two rows for frequencies in and
// between bands, step and mode on entering a band, stepping, shift, the mode keys and the
// type filter.
#include "scan/identification.h"

#include <algorithm>
#include <functional>
#include <random>

#include "scan/scan_engine.h"
#include "support/scan_fixture.h"

namespace {

struct IdentificationTest : ScanFixture {
  IdentificationTest() {
    Put(1, 144000000, 146000000, 0, 5, "AMATEUR", "2m", 600);
    Put(2, 430000000, 440000000, 25000, 4, "AMATEUR", "70cm");
    Put(3, 145500000, 0, 12500, 6, "CALL", "S20");
    Put(4, 145500000, 0, 10000, 5, "CALL", "S21", -600);
    Put(5, 433000000, 0, 6250, 3, "REPEATER", "R1");
    Put(6, 118100000, 0, 100, 4, "AIR", "TOWER");
    Index();
  }
  Identification& id = rig.identification;
  Tuning& t = rig.tuning;
};

TEST_F(IdentificationTest, RowsForFrequenciesInAndBetweenBands) {
  struct Case {
    std::int32_t f;
    StationRow band;  // no, type, name, frequency, step, mode, shift
    StationRow station;
  } cases[] = {
      {145000000, {"1", "AMATEUR", "2m", "144.000.0-146.000.0", "", "", true}, {}},
      // Of two stations on one frequency the later in index order shows.
      {145500000,
       {"1", "AMATEUR", "2m", "144.000.0-146.000.0", "", "", true},
       {"3", "CALL", "S21", "145.500.0", " 10.0", "F M", true}},
      {200000000, {"", "", "", "146.000.0-429.999.9", "", "", false}, {}},
      // Below the first band: from the lower limit.
      {20000000, {"", "", "", "25.000.0-143.999.9", "", "", false}, {}},
      {118100000,
       {"", "", "", "25.000.0-143.999.9", "", "", false},
       {"1", "AIR", "TOWER", "118.100.0", "   .1", "A M", false}},
      {433000000,
       {"2", "AMATEUR", "70cm", "430.000.0-440.000.0", "", "", false},
       {"4", "REPEATER", "R1", "433.000.0", "  6.2", "AMW", false}},
      // After the last band: up to the upper limit.
      {500000000, {"", "", "", "440.000.0-1999.999.9", "", "", false}, {}},
  };
  for (const auto& c : cases) {
    Tune(c.f);
    EXPECT_EQ(rig.view.bandRow, c.band) << c.f;
    EXPECT_EQ(rig.view.stationRow, c.station) << c.f;
  }
}

TEST_F(IdentificationTest, EnteringABandSetsItsStepAndModeOnce) {
  rig.tuning.Step[1] = 12500;
  rig.tuning.Mode[1] = 2;
  Tune(300000000);
  rig.rx.ClearLog();
  Tune(431000000);
  EXPECT_EQ(t.Step[1], 25000);
  EXPECT_EQ(t.Mode[1], 4);
  // Frequency, then the band's step and mode (the polling may come in between).
  std::vector<std::string> sent;
  for (const auto& frame : rig.rx.Frames())
    if (frame.substr(0, 10) != "FEFE34E015") sent.push_back(frame);
  EXPECT_EQ(sent, (std::vector<std::string>{"FEFE34E0000000003104FD", "FEFE34E01006FD",
                                            "FEFE34E0060202FD"}));
  // A step chosen by hand inside the band stays while tuning inside it.
  t.StepButtonClick(2);  // 5 kHz
  t.DialUp();
  t.ChannelSend();
  EXPECT_EQ(t.Step[1], 5000);
  EXPECT_EQ(t.Frequency[1], 431005000);
  // Leaving and entering again sets the band's step again; a band step of 0 gives 20 kHz.
  Tune(441000000);
  Tune(436000000);
  EXPECT_EQ(t.Step[1], 25000);
  Tune(145000000);
  EXPECT_EQ(t.Step[1], 20000);
  EXPECT_EQ(t.Mode[1], 5);
}

TEST_F(IdentificationTest, HalvingFindsTheLastEntryAtOrBelowAsTheFullLoopDoes) {
  // The literal loop: lo, hi halving until they meet or n rounds were made.
  auto literal = [](const std::vector<int>& v, int f) {
    const int n = static_cast<int>(v.size());
    if (n < 1) return 0;
    int lo = 1, hi = n + 1, mid = 0, rounds = 0;
    do {
      mid = lo + (hi - lo) / 2;
      if (f >= v[static_cast<std::size_t>(mid - 1)])
        lo = mid;
      else
        hi = mid;
      ++rounds;
    } while (lo != hi && rounds < n);
    return mid;
  };
  std::mt19937 rng(11);
  for (int n = 0; n <= 70; ++n) {
    for (int trial = 0; trial < 20; ++trial) {
      std::vector<int> v(static_cast<std::size_t>(n));
      for (auto& x : v) x = static_cast<int>(rng() % 40);
      std::sort(v.begin(), v.end());
      for (int f = -1; f <= 41; ++f) {
        const int fast = LastAtOrBelow(n, f, [&](int p) {
          return static_cast<std::int32_t>(v[static_cast<std::size_t>(p - 1)]);
        });
        ASSERT_EQ(fast, literal(v, f)) << "n " << n << " f " << f;
      }
    }
  }
}

TEST_F(IdentificationTest, BandAndStationStepping) {
  struct Case {
    const char* key;
    std::int32_t from, to;  // to = from: refused
  } cases[] = {
      {"band up", 100000000, 144000000},      {"band up", 144000000, 430000000},
      {"band up", 431000000, 431000000},      {"band down", 500000000, 430000000},
      {"band down", 144000000, 144000000},    {"station up", 118100000, 145500000},
      {"station up", 145500000, 433000000},   {"station up", 433000000, 433000000},
      {"station down", 433000000, 145500000}, {"station down", 100000000, 100000000},
  };
  for (const auto& c : cases) {
    Tune(c.from);
    rig.view.flashes.clear();
    const std::string key = c.key;
    if (key == "band up") id.Mem_Up_BitBtnClick();
    if (key == "band down") id.Mem_Dw_BitBtnClick();
    if (key == "station up") id.MemS_Up_BitBtnClick();
    if (key == "station down") id.MemS_Dw_BitBtnClick();
    EXPECT_EQ(t.Frequency[1], c.to) << key << " from " << c.from;
    EXPECT_EQ(rig.view.flashes.empty(), c.to != c.from) << key << " from " << c.from;
    if (!rig.view.flashes.empty()) {
      EXPECT_EQ(rig.view.flashes[0],
                key.rfind("band", 0) == 0 ? FlashLamp::AutoMode : FlashLamp::MemoMode);
    }
  }
  // A station reached copies its mode and step as stored.
  Tune(118000000);
  id.MemS_Up_BitBtnClick();
  EXPECT_EQ(t.Frequency[1], 118100000);
  EXPECT_EQ(t.Mode[1], 4);
  EXPECT_EQ(t.Step[1], 100);
  EXPECT_EQ(id.SingleNo, 1);
}

TEST_F(IdentificationTest, ModeKeysAndTheirLamps) {
  Tune(145000000);
  rig.scan.BandScan = true;
  id.AutoMode_ButtonClick();  // off: the whole range, band scan off with it
  EXPECT_FALSE(id.AutoMode);
  EXPECT_FALSE(rig.scan.BandScan);
  EXPECT_FALSE(rig.view.autoLamp);
  EXPECT_FALSE(rig.view.bandScanLamp);
  EXPECT_EQ(rig.view.bandRow, (StationRow{"", "", "", "25.000.0-1999.999.9", "", "", false}));
  // Band scan on switches identification on again.
  id.BandScan_ButtonClick();
  EXPECT_TRUE(id.AutoMode);
  EXPECT_TRUE(rig.scan.BandScan);
  EXPECT_TRUE(rig.view.autoLamp);
  EXPECT_EQ(rig.view.bandRow.no, "1");
  EXPECT_EQ(rig.scan.SingleFirst, 2);  // the band's single stations: 145.5 twice
  EXPECT_EQ(rig.scan.SingleLast, 3);

  Tune(145500000);
  id.MemoMode_ButtonClick();  // off: the row clears, single scan off with it
  EXPECT_FALSE(rig.view.memoLamp);
  EXPECT_EQ(rig.view.stationRow, StationRow{});
  id.SingleScan_ButtonClick();  // single scan on switches memo mode on
  EXPECT_TRUE(id.MemoMode);
  EXPECT_TRUE(rig.scan.SingleScan);
  EXPECT_TRUE(rig.view.singleScanLamp);
  EXPECT_EQ(rig.view.stationRow.name, "S21");
}

TEST_F(IdentificationTest, TheTypeFilter) {
  Put(8, 146500000, 0, 0, 5, "CALLSIGN", "S22");
  Put(9, 147000000, 0, 0, 5, "MARINE", "M1");
  Index();
  Tune(145500000);
  id.Type_Panel_SMouseUp();
  EXPECT_TRUE(rig.scan.SingleScan);
  EXPECT_TRUE(id.SelectMode);
  EXPECT_EQ(id.SelectType, "CALL");
  EXPECT_TRUE(rig.view.typeFilter);
  // Stepping skips types that do not contain "CALL".
  id.MemS_Up_BitBtnClick();
  EXPECT_EQ(t.Frequency[1], 146500000);
  rig.view.flashes.clear();
  id.MemS_Up_BitBtnClick();
  EXPECT_EQ(t.Frequency[1], 146500000);
  EXPECT_EQ(rig.view.flashes, std::vector<FlashLamp>{FlashLamp::MemoMode});
  // Band stepping, manual tuning and a receiver's own report switch it off.
  struct Off {
    const char* by;
    std::function<void()> act;
  } offs[] = {
      {"band step", [&] { id.Mem_Dw_BitBtnClick(); }},
      {"track bar", [&] { t.TrackBar1Change(1455); }},
      {"transceive", [&] { rig.rx.Send("FEFE0034000000504501FD"); }},
      {"single scan off", [&] { id.SingleScan_ButtonClick(); }},
      {"on-line key", [&] { rig.link.OnLine_ButtonClick(); }},
  };
  for (const auto& off : offs) {
    Tune(145500000);
    if (!rig.scan.SingleScan) id.SingleScan_ButtonClick();
    if (!id.SelectMode) id.SelectIdxMode();
    ASSERT_TRUE(id.SelectMode) << off.by;
    off.act();
    rig.host.Delay(50);
    EXPECT_FALSE(id.SelectMode) << off.by;
    EXPECT_FALSE(rig.view.typeFilter) << off.by;
    EXPECT_EQ(id.SelectType, "") << off.by;
  }
}

}  // namespace
