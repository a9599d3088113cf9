// End to end: the main window's scan keys against fennix-sim, checked in the simulator's log.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QPushButton>
#include <QSlider>
#include <QTest>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "app/application_qt.h"
#include "app/main_form.h"
#include "panel/lamp_widget.h"
#include "sim/sim_harness.h"

namespace {

namespace fs = std::filesystem;

class ScanEndToEnd : public ::testing::Test {
 protected:
  void SetUp() override {
    const std::string base = "fennix-scan-e2e-" + std::to_string(getpid());
    link_ = fs::temp_directory_path() / base;
    log_ = fs::temp_directory_path() / (base + ".log");
    carriers_ = fs::temp_directory_path() / (base + ".txt");
    // One steady carrier at 146.000 MHz, 12 kHz wide.
    std::ofstream(carriers_) << "146.000 200 12000 always\n";
    sim_ = std::make_unique<simtest::Sim>(
        std::vector<std::string>{"--stations", carriers_.string(), "--link", link_.string(),
                                 "--log", log_.string(), "--seed", "1"});
    ASSERT_FALSE(sim_->slave().empty()) << "the simulator did not start";
    setenv("FENNIX_COM1", link_.c_str(), 1);
    form_ = std::make_unique<TMainForm>();
    form_->ReleaseSplash();
    form_->show();
  }
  void TearDown() override {
    form_.reset();
    sim_.reset();
    fs::remove(log_);
    fs::remove(carriers_);
  }
  // Frequencies the simulator was told to tune, in order.
  std::vector<std::int32_t> Tuned() const {
    std::vector<std::int32_t> out;
    std::ifstream file(log_);
    std::string line;
    while (std::getline(file, line)) {
      std::istringstream in(line);
      int ms;
      std::string direction, byte, hex;
      in >> ms >> direction;
      while (in >> byte) hex += byte;
      if (direction == "RX" && hex.size() == 22 && hex.rfind("FEFE34E000", 0) == 0)
        out.push_back(civ::BcdTextToFrequency(hex.substr(10, 10)));
    }
    return out;
  }
  template <typename F>
  bool WaitFor(F done, int ms) {
    for (int waited = 0; waited < ms; waited += 20) {
      if (done()) return true;
      form_->host.Delay(20);
    }
    return done();
  }

  fs::path link_, log_, carriers_;
  std::unique_ptr<simtest::Sim> sim_;
  std::unique_ptr<TMainForm> form_;
};

TEST_F(ScanEndToEnd, InfiniteStopsOnTheCarrier) {
  ASSERT_TRUE(form_->Comm1.IsOpen());
  form_->scan.ResumeMode = ScanEngine::kInfinite;
  form_->tuning.Step[1] = 20000;
  form_->tuning.TrackBar1Change(1459);  // 145.900 MHz
  form_->host.Delay(300);
  QTest::mouseClick(form_->UP_SC_Button, Qt::LeftButton);
  EXPECT_EQ(form_->ScanUP_Panel->Color(), QColor(0, 255, 0));
  ASSERT_TRUE(WaitFor([&] { return form_->scan.ScanState == 0; }, 5000));
  EXPECT_EQ(form_->tuning.Frequency[1], 146000000);
  EXPECT_EQ(form_->ScanUP_Panel->Color(), QColor(192, 192, 192));
  form_->host.Delay(500);
  // The receiver went up step by step and was left on the carrier.
  const auto tuned = Tuned();
  ASSERT_GE(tuned.size(), 5u);
  EXPECT_EQ(std::vector<std::int32_t>(tuned.end() - 5, tuned.end()),
            (std::vector<std::int32_t>{145920000, 145940000, 145960000, 145980000, 146000000}));
}

}  // namespace
