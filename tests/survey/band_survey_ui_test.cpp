// The survey window: three sweeps against the scripted receiver drawn as waterfall rows in
// the colour of their levels; and end to end, a sweep of fennix-sim through the main window.
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "support/scope_rig.h"
#include "support/sim_e2e.h"
#include "survey/band_survey_form.h"

namespace {

TEST(SurveyWindow, ThreeSweepsMakeThreeRowsColouredByLevelAtTheCarriers) {
  ScopeRig rig;
  BandSurvey survey;
  BandSurveyUi ui(nullptr, survey, [](std::int32_t) {});
  survey.Bind(rig.host, rig.tuning, rig.link, rig.bandScope, rig.stations, ui);
  rig.OnLine();
  // A carrier that grows each sweep at 145.100 and a steady one at 145.300.
  int sweep = 0;
  rig.Carriers([&](std::int32_t f) {
    return f == 145100000 ? 100 + 50 * sweep : f == 145300000 ? 250 : 5;
  });
  ui.Open();
  TBandSurveyForm& form = *ui.Form();
  form.Start_Edit->setText("145");
  form.End_Edit->setText("145.4");
  form.Step_Edit->setText("50");
  for (sweep = 0; sweep < 3; ++sweep) {
    form.Start_ButtonClick();
    for (int i = 0; i < 500 && survey.Running(); ++i) rig.host.Delay(10);
    ASSERT_FALSE(survey.Running());
  }
  ASSERT_EQ(survey.Rows().size(), 3u);
  const QImage& image = form.Waterfall->Image();
  const qreal dpr = image.devicePixelRatio();
  auto pixel = [&](int point, int row) {
    const int x = static_cast<int>((form.Waterfall->XOf(point) - survey_ui::kLeftMargin) * dpr);
    const int y = static_cast<int>((row * survey_ui::kRowHeight + 1) * dpr);
    return image.pixel(x, y) & 0xFFFFFFu;
  };
  // Newest on top: rows 0, 1, 2 are sweeps 3, 2, 1.
  for (int row = 0; row < 3; ++row) {
    EXPECT_EQ(pixel(2, row), SurveyColour(100 + 50 * (2 - row))) << row;
    EXPECT_EQ(pixel(6, row), SurveyColour(250)) << row;
    EXPECT_EQ(pixel(4, row), SurveyColour(5)) << row;
  }
  EXPECT_EQ(survey.Peak()[2], 200);
  EXPECT_EQ(survey.Minimum()[2], 100);
}

class SurveyEndToEnd : public SimEndToEnd {};

TEST_F(SurveyEndToEnd, EveryPointIsTunedAndReadThenTheTunedFrequencyIsSentLast) {
  StartSim({}, "145.100 200 12000 always\n");
  StartProgram();
  TMainForm& f = *form_;
  ASSERT_TRUE(f.Comm1.IsOpen());
  f.identification.AutoMode = false;
  f.surveyUi->Open();
  TBandSurveyForm& form = *f.surveyUi->Form();
  form.Start_Edit->setText("145");
  form.End_Edit->setText("145.2");
  form.Step_Edit->setText("20");
  const std::size_t before = ReceivedHex().size();
  QTest::mouseClick(form.Start_Button, Qt::LeftButton);
  ASSERT_TRUE(WaitFor([&] { return !f.survey.Running(); }, 15000));
  Wait(200);
  const auto rx = ReceivedHex();
  const std::string signal = civ::FrameText(civ::ReadSignalFrame(0x34));
  std::vector<std::int32_t> tuned;
  for (std::size_t i = before; i < rx.size(); ++i) {
    if (rx[i].rfind("FEFE34E000", 0) != 0) continue;
    tuned.push_back(civ::BcdTextToFrequency(rx[i].substr(10, 10)));
    if (tuned.size() <= 11) {
      ASSERT_LT(i + 1, rx.size());
      EXPECT_EQ(rx[i + 1], signal) << tuned.size();
    }
  }
  ASSERT_EQ(tuned.size(), 12u);
  for (int k = 0; k < 11; ++k) EXPECT_EQ(tuned[static_cast<std::size_t>(k)], 145000000 + 20000 * k);
  EXPECT_EQ(tuned.back(), f.tuning.CurrentFrequency());
  ASSERT_EQ(f.survey.Rows().size(), 1u);
  EXPECT_GE(f.survey.Rows()[0].levels[5], 150);  // 145.100
  EXPECT_LE(f.survey.Rows()[0].levels[0], 60);
}

}  // namespace
