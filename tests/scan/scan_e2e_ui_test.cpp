// End to end: the main window's scan keys against fennix-sim, checked in the simulator's log.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QPushButton>
#include <QSlider>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <utility>

#include "app/application_qt.h"
#include "app/main_form.h"
#include "panel/lamp_widget.h"
#include "support/sim_e2e.h"

namespace {

namespace fs = std::filesystem;

class ScanEndToEnd : public SimEndToEnd {
 protected:
  void SetUp() override {
    // One steady carrier at 146.000 MHz, 12 kHz wide.
    StartSim({}, "146.000 200 12000 always\n");
    StartProgram();
    form_->show();
  }
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

// Readings held back 150 ms: a scan started while a poll on the carrier is on the line, and
// restarted inside a later step, never stops on an empty channel and asks once per channel.
TEST_F(SimEndToEnd, StaleReadingsNeverStopTheScan) {
  StartSim({"--delay", "15=150"}, "146.000 200 12000 always\n");
  StartProgram();
  ASSERT_TRUE(form_->Comm1.IsOpen());
  form_->scan.ResumeMode = ScanEngine::kInfinite;
  form_->scan.ScanTime = 300;
  form_->tuning.Step[1] = 20000;
  form_->tuning.TrackBar1Change(1460);  // on the carrier
  ASSERT_TRUE(
      WaitFor([&] { return Received().size() > 4 && ReceivedHex().back() == "FEFE34E01501FD"; }));
  const std::size_t from = Received().size();
  form_->scan.UP_SC_ButtonClick();
  QTimer::singleShot(600, form_.get(), [&] { form_->scan.UP_SC_ButtonClick(); });
  Wait(2500);
  EXPECT_EQ(form_->scan.ScanState, ScanEngine::kUp);
  EXPECT_GT(form_->tuning.Frequency[1], 146040000);
  const auto rx = ReceivedHex();
  bool asked = false;
  for (std::size_t i = from; i < rx.size(); ++i) {
    if (rx[i].size() == 22) asked = false;
    if (rx[i] == "FEFE34E01501FD") {
      EXPECT_FALSE(std::exchange(asked, true)) << "frame " << i;
    }
  }
}

}  // namespace
