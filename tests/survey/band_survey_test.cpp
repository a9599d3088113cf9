// The band survey on the virtual clock: range arithmetic at the receiver's limits, a sweep as
// frames on the wire, the keys that end it, and the day file's lines.
#include "survey/band_survey.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>

#include "support/scope_rig.h"

namespace {

struct NoView : SurveyView {
  void ShowPoint(int, int) override {}
  void ShowRowAdded() override { ++rows; }
  void ShowCleared() override {}
  void ShowRunning(bool) override {}
  void ShowWriteFailed(const std::string& m) override { failures.push_back(m); }
  int rows = 0;
  std::vector<std::string> failures;
};

struct SurveyRig : ScopeRig {
  SurveyRig() {
    survey.Bind(host, tuning, link, bandScope, stations, view);
    survey.SetClock([this] { return LocalTime{2026, 12, 8, 21, 30, second++}; });
    survey.SetAppend([this](const std::string& path, const std::string& text, std::string& e) {
      if (failWrites) e = "No space left on device";
      if (failWrites) return false;
      files[path] += text;
      return true;
    });
    OnLine();
    Carriers([](std::int32_t f) { return f == 145100000 ? 200 : 10; });
  }
  bool Ends(int ms = 60000) {
    for (int waited = 0; waited < ms && survey.Running(); waited += 10) host.Delay(10);
    return !survey.Running();
  }
  BandSurvey survey;
  NoView view;
  std::map<std::string, std::string> files;
  bool failWrites = false;
  int second = 0;
};

TEST(SurveyRange, KeptInsideTheLimitsOnTheGridAndUnderTheCap) {
  constexpr std::int32_t lo = 25000000, hi = 1999999900;
  struct Case {
    std::int64_t start, end, step;
    RangeCheck check;
    SurveyRange range;
  } cases[] = {
      {144000000, 146000000, 12500, RangeCheck::Ok, {144000000, 146000000, 12500}},
      {146000000, 144000000, 12500, RangeCheck::Ok, {144000000, 146000000, 12500}},
      {144000000, 144010000, 3000, RangeCheck::Ok, {144000000, 144009000, 3000}},
      {20000000, 25100000, 50000, RangeCheck::Ok, {lo, 25100000, 50000}},
      {1999000000, 2100000000, 100000, RangeCheck::Ok, {1999000000, 1999900000, 100000}},
      {0, INT32_MAX + 10LL, 1000000, RangeCheck::Ok, {lo, 1999000000, 1000000}},
      {10000000, 20000000, 1000, RangeCheck::OutOfLimits, {}},
      {144000000, 146000000, 0, RangeCheck::NoStep, {}},
      {144000000, 144000000 + 4999LL * 1000, 1000, RangeCheck::Ok, {144000000, 148999000, 1000}},
      {144000000, 144000000 + 5000LL * 1000, 1000, RangeCheck::TooManyPoints, {}},
      {145000000, 145000000, 5000, RangeCheck::Ok, {145000000, 145000000, 5000}},
  };
  for (const auto& c : cases) {
    SurveyRange r;
    EXPECT_EQ(MakeSurveyRange(c.start, c.end, c.step, lo, hi, r), c.check) << c.start;
    if (c.check == RangeCheck::Ok) {
      EXPECT_EQ(r, c.range) << c.start;
    }
  }
}

TEST(SurveySweep, EachPointIsTunedThenReadAndTheTunedFrequencyComesBack) {
  SurveyRig rig;
  ASSERT_EQ(rig.survey.SetRange(145000000, 145200000, 50000), RangeCheck::Ok);
  ASSERT_TRUE(rig.survey.Start());
  ASSERT_TRUE(rig.Ends());
  const auto frames = rig.rx.Frames();
  const std::string signal = civ::FrameText(civ::ReadSignalFrame(0x34));
  std::vector<std::int32_t> tuned;
  for (std::size_t i = 0; i < frames.size(); ++i) {
    if (frames[i].rfind("FEFE34E000", 0) != 0) continue;
    tuned.push_back(civ::BcdTextToFrequency(frames[i].substr(10, 10)));
    if (tuned.size() <= 5) {
      EXPECT_EQ(frames.at(i + 1), signal) << tuned.size();
    }
  }
  EXPECT_EQ(tuned, (std::vector<std::int32_t>{145000000, 145050000, 145100000, 145150000, 145200000,
                                              145000000}));
  ASSERT_EQ(rig.survey.Rows().size(), 1u);
  EXPECT_EQ(rig.survey.Rows()[0].levels, (std::vector<std::uint8_t>{10, 10, 200, 10, 10}));
  EXPECT_FALSE(rig.bandScope.Sweeping());
  EXPECT_TRUE(rig.host.TimerEnabled());
}

TEST(SurveySweep, EveryKeyThatEndsTheScopesSweepEndsTheSurvey) {
  const std::pair<const char*, std::function<void(SurveyRig&)>> keys[] = {
      {"stop key", [](SurveyRig& r) { r.survey.Stop(); }},
      {"tune by hand", [](SurveyRig& r) { r.tuning.TuneManually(146000000); }},
      {"scan up", [](SurveyRig& r) { r.scan.UP_SC_ButtonClick(); }},
      {"scope run key", [](SurveyRig& r) { r.bandScope.BandRun_BitBtnClick(); }},
      {"scope width", [](SurveyRig& r) { r.bandScope.BandWH_ButtonClick(); }},
      {"scope loop", [](SurveyRig& r) { r.bandScope.BandLoop_BitBtnClick(); }},
      {"up key", [](SurveyRig& r) { r.tuning.UpDown1Click(true); }},
      {"scope marker", [](SurveyRig& r) { r.bandScope.BandTrackBarChange(3); }},
  };
  for (const auto& [name, press] : keys) {
    SurveyRig rig;
    rig.survey.Repeat = true;
    ASSERT_EQ(rig.survey.SetRange(144000000, 146000000, 10000), RangeCheck::Ok);
    ASSERT_TRUE(rig.survey.Start());
    rig.host.Delay(1000);
    ASSERT_TRUE(rig.survey.Running()) << name;
    press(rig);
    rig.host.Delay(300);
    EXPECT_FALSE(rig.survey.Running()) << name;
    EXPECT_EQ(rig.bandScope.Client(), nullptr) << name;
  }
}

TEST(SurveyFile, AHeaderBeforeEachRangeThenOneLinePerSweep) {
  SurveyRig rig;
  ASSERT_EQ(rig.survey.SetRange(145000000, 145100000, 50000), RangeCheck::Ok);
  rig.survey.Repeat = true;
  rig.survey.Start();
  for (int i = 0; i < 400 && rig.view.rows < 2; ++i) rig.host.Delay(10);
  rig.survey.Stop();
  ASSERT_EQ(rig.survey.SetRange(145000000, 145050000, 50000), RangeCheck::Ok);
  rig.survey.Repeat = false;
  rig.survey.Start();
  ASSERT_TRUE(rig.Ends());
  EXPECT_EQ(rig.files["survey-2026-12-08.csv"],
            "# 145000000-145100000 Hz, step 50000 Hz, 3 points\n"
            "2026-12-08 21:30:00,10,10,200\n"
            "2026-12-08 21:30:01,10,10,200\n"
            "# 145000000-145050000 Hz, step 50000 Hz, 2 points\n"
            "2026-12-08 21:30:02,10,10\n");
  // A failed write is told once; the sweeps go on.
  rig.failWrites = true;
  rig.survey.Start();
  ASSERT_TRUE(rig.Ends());
  rig.survey.Start();
  ASSERT_TRUE(rig.Ends());
  EXPECT_EQ(rig.view.failures.size(), 1u);
  EXPECT_EQ(rig.survey.Rows().size(), 3u);
}

}  // namespace
