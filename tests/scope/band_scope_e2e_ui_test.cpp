// End to end: a band scope sweep from the main window through its real serial component to
// fennix-sim, checked against the frames the simulator logged and the bars drawn.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QPushButton>
#include <QSlider>
#include <QTest>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "app/main_form.h"
#include "civ/civ.h"
#include "scope/band_scope.h"
#include "scope/band_scope_widget.h"
#include "support/sim_e2e.h"

namespace {

namespace fs = std::filesystem;

class SweepEndToEnd : public SimEndToEnd {
 protected:
  void SetUp() override {
    StartSim({}, "145.100 200 12000 always\n144.800 120 12000 always\n");
    StartProgram();
  }
};

TEST_F(SweepEndToEnd, EveryPointIsTunedAndReadThenTheTunedFrequencyIsSentLast) {
  TMainForm& f = *form_;
  ASSERT_TRUE(f.Comm1.IsOpen());
  ASSERT_EQ(f.tuning.Frequency[1], 145000000);
  f.identification.AutoMode = false;
  f.tuning.StepButtonClick(6);  // 20 kHz: the window is 144.700 .. 145.300
  ASSERT_TRUE(WaitFor([&] { return f.link.AckState == 1; }, 2000));
  const std::size_t before = ReceivedHex().size();

  QTest::mouseClick(f.BandRun_BitBtn, Qt::LeftButton);
  ASSERT_TRUE(WaitFor([&] { return !f.bandScope.SweepRunning; }, 15000));
  form_->host.Delay(200);

  const auto rx = ReceivedHex();
  const std::string tune = "FEFE34E000";
  const std::string signal = civ::FrameText(civ::ReadSignalFrame(0x34));
  std::vector<std::int32_t> tuned;
  for (std::size_t i = before; i < rx.size(); ++i) {
    if (rx[i].rfind(tune, 0) != 0) continue;
    tuned.push_back(civ::BcdTextToFrequency(rx[i].substr(10, 10)));
    // Point by point: after each point's frequency its level is asked for before the next.
    if (tuned.size() <= 31) {
      ASSERT_LT(i + 1, rx.size());
      EXPECT_EQ(rx[i + 1], signal) << "point " << tuned.size();
    }
  }
  ASSERT_EQ(tuned.size(), 32u);
  for (int k = 0; k < 31; ++k) EXPECT_EQ(tuned[static_cast<std::size_t>(k)], 144700000 + 20000 * k);
  EXPECT_EQ(tuned.back(), 145000000);  // the tuned frequency last
  EXPECT_EQ(f.BandTrackBar->value(), 16);

  // The carriers' bars stand tall, the empty points' low.
  auto height = [&](int k) {
    const ScopeBar bar = BandScopeBar(k, 0, 31, f.BandTrackBar->width(), 54, 1, 1, false);
    int h = 0;
    for (int y = 0; y < 54; ++y)
      if (f.BandImage->Image().pixelColor(bar.x, y) == QColor(Qt::black)) ++h;
    return h;
  };
  EXPECT_GE(height(21), 45);  // 145.100, level about 200
  EXPECT_GE(height(6), 30);   // 144.800, level about 120
  EXPECT_LE(height(11), 12);  // noise
}

}  // namespace
