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
#include "scan/band_scope.h"
#include "scan/band_scope_widget.h"
#include "sim/sim_harness.h"

namespace {

namespace fs = std::filesystem;

class SweepEndToEnd : public ::testing::Test {
 protected:
  void SetUp() override {
    std::ofstream(stations_) << "145.100 200 12000 always\n144.800 120 12000 always\n";
    sim_ = std::make_unique<simtest::Sim>(
        std::vector<std::string>{"--link", link_.string(), "--log", log_.string(), "--seed", "1",
                                 "--stations", stations_.string()});
    ASSERT_FALSE(sim_->slave().empty()) << "the simulator did not start";
    setenv("FENNIX_COM1", link_.c_str(), 1);
    form_ = std::make_unique<TMainForm>();
    form_->ReleaseSplash();
  }
  void TearDown() override {
    form_.reset();
    sim_.reset();
    setenv("FENNIX_COM1", "/nonexistent", 1);
    fs::remove(log_);
    fs::remove(stations_);
  }
  // Frames the simulator received, as hex text.
  std::vector<std::string> Received() const {
    std::vector<std::string> out;
    std::ifstream file(log_);
    std::string line;
    while (std::getline(file, line)) {
      std::istringstream in(line);
      int ms;
      std::string direction, byte, hex;
      in >> ms >> direction;
      while (in >> byte) hex += byte;
      if (direction == "RX") out.push_back(hex);
    }
    return out;
  }
  template <typename F>
  bool WaitFor(F done, int ms) {
    for (int waited = 0; waited < ms && !done(); waited += 20) form_->host.Delay(20);
    return done();
  }

  std::string tag_ = std::to_string(getpid());
  fs::path link_ = fs::temp_directory_path() / ("fennix-scope-" + tag_);
  fs::path log_ = fs::temp_directory_path() / ("fennix-scope-" + tag_ + ".log");
  fs::path stations_ = fs::temp_directory_path() / ("fennix-scope-" + tag_ + ".txt");
  std::unique_ptr<simtest::Sim> sim_;
  std::unique_ptr<TMainForm> form_;
};

TEST_F(SweepEndToEnd, EveryPointIsTunedAndReadThenTheTunedFrequencyIsSentLast) {
  TMainForm& f = *form_;
  ASSERT_TRUE(f.Comm1.IsOpen());
  ASSERT_EQ(f.tuning.Frequency[1], 145000000);
  f.identification.AutoMode = false;
  f.tuning.StepButtonClick(6);  // 20 kHz: the window is 144.700 .. 145.300
  ASSERT_TRUE(WaitFor([&] { return f.link.AckState == 1; }, 2000));
  const std::size_t before = Received().size();

  QTest::mouseClick(f.BandRun_BitBtn, Qt::LeftButton);
  ASSERT_TRUE(WaitFor([&] { return !f.bandScope.SweepRunning; }, 15000));
  form_->host.Delay(200);

  const auto rx = Received();
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
