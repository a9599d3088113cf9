// End to end against fennix-sim: a carrier on a skipped frequency is passed unread, and one
// on the priority frequency stops the scan at the first check.
#include <gtest/gtest.h>

#include <algorithm>

#include "app/main_form.h"
#include "support/sim_e2e.h"

namespace {

TEST_F(SimEndToEnd, SkippedCarrierIsPassedAndThePriorityCarrierStops) {
  StartSim({}, "146.000 200 12000 always\n147.000 200 12000 always\n");
  StartProgram();
  ASSERT_TRUE(form_->Comm1.IsOpen());
  form_->skips.Add({146000000, 5, "", "", true});  // temporary: nothing written
  form_->scan.Priority = 147000000;
  form_->scan.PriorityInterval = 1000;
  form_->scan.ResumeMode = ScanEngine::kInfinite;
  form_->tuning.Step[1] = 20000;
  form_->tuning.TrackBar1Change(1459);  // 145.900 MHz
  form_->host.Delay(300);
  form_->scan.UP_SC_ButtonClick();
  ASSERT_TRUE(WaitFor([&] { return form_->scan.ScanState == 0; }, 5000));
  EXPECT_EQ(form_->tuning.Frequency[1], 147000000);
  const auto tuned = Tuned();
  EXPECT_EQ(std::count(tuned.begin(), tuned.end(), 146000000), 0);
  EXPECT_GT(std::count(tuned.begin(), tuned.end(), 146020000), 0);
}

}  // namespace
