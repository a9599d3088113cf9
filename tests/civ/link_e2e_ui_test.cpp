// End to end: the main window with its real serial component against fennix-sim, checked
// against the frames the simulator logged.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "app/application_qt.h"
#include "app/com_option_form.h"
#include "app/main_form.h"
#include "support/sim_e2e.h"

namespace {

namespace fs = std::filesystem;

using EndToEnd = SimEndToEnd;

TEST_F(EndToEnd, StartUpOnLineThenPollingAtTheInterval) {
  StartSim({"--band-edges", "30000000-1300000000"});
  StartProgram();
  EXPECT_TRUE(form_->Comm1.IsOpen());
  EXPECT_EQ(form_->tuning.LowerLimit, 30000000);
  EXPECT_EQ(form_->tuning.UpperLimit, 1300000000);
  EXPECT_EQ(form_->tuning.Frequency[1], 145000000);  // the receiver's, read at start
  EXPECT_EQ(form_->tuning.Mode[1], 5);
  Wait(1200);
  const auto rx = Received();
  const std::vector<std::string> start = {"FEFE34E002FD", "FEFE34E007E000FD", "FEFE34E01100FD",
                                          "FEFE34E003FD", "FEFE34E004FD"};
  ASSERT_GE(rx.size(), start.size() + 6);
  for (std::size_t i = 0; i < start.size(); ++i) EXPECT_EQ(rx[i].hex, start[i]) << i;
  // Then squelch and signal in turn, one pair a tick.
  std::vector<int> squelchTimes;
  for (const auto& f : rx)
    if (f.hex == "FEFE34E01501FD") squelchTimes.push_back(f.ms);
  ASSERT_GE(squelchTimes.size(), 4u);
  for (std::size_t i = 1; i < squelchTimes.size(); ++i) {
    const int gap = squelchTimes[i] - squelchTimes[i - 1];
    EXPECT_GE(gap, 200);  // IntTime after the reply
    EXPECT_LE(gap, 700);  // generous: the machine may be loaded
  }
  EXPECT_EQ(messages_, 0);
}

TEST_F(EndToEnd, FollowsTheReceiversOwnPanelAndSkipsEchoes) {
  StartSim({});  // the line echoes every frame, as a CI-V bus does
  StartProgram();
  EXPECT_EQ(sim_->Command("tune 433.92"), "ok frequency 433920000");
  EXPECT_TRUE(WaitFor([&] { return form_->tuning.Frequency[1] == 433920000; }));
  EXPECT_EQ(sim_->Command("mode AM"), "ok mode AM");
  EXPECT_TRUE(WaitFor([&] { return form_->tuning.Mode[1] == 4; }));
  // Our own frames coming back never move the panel.
  form_->tuning.StepButtonClick(7);
  form_->tuning.TrackBar1Change(1450);
  Wait(300);
  EXPECT_EQ(form_->tuning.Frequency[1], 145000000);
  EXPECT_EQ(form_->link.AckState, 1);
}

TEST_F(EndToEnd, NgMakesTheProgramWriteItsStateAgain) {
  StartSim({"--ng", "1"});
  StartProgram();
  EXPECT_EQ(form_->link.AckState, 2);
  const auto rx = ReceivedHex();
  // The window select was refused: frequency, mode and step follow.
  const auto at = std::find(rx.begin(), rx.end(), "FEFE34E007E000FD");
  ASSERT_NE(at, rx.end());
  const std::vector<std::string> expected = {"FEFE34E0060501FD", "FEFE34E01004FD"};
  bool sawFrequency = false;
  for (auto it = at; it != rx.end(); ++it)
    if (it->rfind("FEFE34E000", 0) == 0) sawFrequency = true;
  EXPECT_TRUE(sawFrequency);
  for (const auto& frame : expected) EXPECT_NE(std::find(at, rx.end(), frame), rx.end()) << frame;
}

TEST_F(EndToEnd, ASilentReceiverLeavesTheProgramOffLineWithDefaultLimits) {
  StartSim({"--silent", "--no-echo"});
  StartProgram();
  EXPECT_FALSE(form_->Comm1.IsOpen());
  EXPECT_EQ(form_->tuning.LowerLimit, 25000000);
  EXPECT_EQ(form_->tuning.UpperLimit, 1299999900);
  EXPECT_TRUE(form_->host.TimerEnabled());
  EXPECT_EQ(ReceivedHex(), std::vector<std::string>{"FEFE34E002FD"});
  EXPECT_EQ(messages_, 0);
}

TEST_F(EndToEnd, HangUpGivesOneMessageAndTheKeyBringsItBack) {
  StartSim({"--hangup-after", "2.5"});
  StartProgram();
  ASSERT_TRUE(form_->Comm1.IsOpen());
  ASSERT_TRUE(WaitFor([&] { return !form_->Comm1.IsOpen(); }, 5000));
  Wait(500);
  EXPECT_EQ(messages_, 1);
  EXPECT_TRUE(form_->host.TimerEnabled());  // off line, still running
  EXPECT_EQ(sim_->Wait(), 0);

  StartSim({});
  form_->link.OnLine_ButtonClick();
  EXPECT_TRUE(form_->Comm1.IsOpen());
  EXPECT_TRUE(WaitFor([&] { return form_->link.AckState == 1; }));
  EXPECT_EQ(messages_, 1);
}

// The communication dialog sends the squelch query again after it closes while a scan runs,
// so that the scan goes on; without a scan it sends nothing.
TEST_F(EndToEnd, CommunicationDialogKeepsARunningScanGoing) {
  StartSim({});
  StartProgram();
  TComOptionForm dialog(form_.get());
  form_->AttachForms({&dialog, nullptr, nullptr, nullptr, nullptr});
  Wait(300);
  const auto squelchQueries = [&] {
    int n = 0;
    for (const auto& f : Received()) n += f.hex == "FEFE34E01501FD";
    return n;
  };
  for (const int scanState : {0, 1}) {
    // Polling stopped and every answer in.
    form_->host.TimerStop();
    Wait(300);
    form_->host.TimerStop();
    Wait(100);
    const int before = squelchQueries();
    form_->scan.ScanState = static_cast<std::int16_t>(scanState);
    QTimer::singleShot(50, [&] { dialog.Op_OK_Button->click(); });
    form_->MenuComOption->trigger();
    Wait(100);
    // With a scan running its query goes out, and the scan steps on from the answer.
    if (scanState == 0)
      EXPECT_EQ(squelchQueries(), before);
    else
      EXPECT_GT(squelchQueries(), before);
  }
  form_->scan.ScanState = 0;
}

}  // namespace
