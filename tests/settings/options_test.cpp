// The options dialog's rules for typed texts, the converter edits and the resume condition.
#include "settings/options.h"

#include <gtest/gtest.h>

#include "stations/decimal.h"

namespace {

struct TextCase {
  const char* text;
  int before;
  int after;
  bool error;
};

void Check(OptionEffect (*rule)(int&, std::string_view), const std::vector<TextCase>& cases) {
  for (const TextCase& c : cases) {
    int value = c.before;
    const OptionEffect effect = rule(value, c.text);
    EXPECT_EQ(value, c.after) << '"' << c.text << '"';
    EXPECT_EQ(effect.error.has_value(), c.error) << '"' << c.text << '"';
    EXPECT_FALSE(effect.editText);
  }
}

TEST(OptionRules, ScanTimeIsStoredAsTypedWhenItPassesCheckA) {
  Check(ScanComboBoxChange, {
                                {"50", 30, 50, false},
                                {"0", 30, 0, false},
                                {"12a", 30, 30, false},  // short and not digits: kept, silent
                                {"-5", 30, 30, false},
                                {"", 30, 30, true},  // nothing to convert
                                {"99999", 30, 99999, false},
                                {"-1000", 30, -1000, false},  // long texts are converted, no bounds
                                {"12345a", 30, 30, true},
                                {"99999999999", 30, 30, true},  // beyond 32 bits
                            });
}

TEST(OptionRules, ResumeDelayIsSecondsWithinOneToThirty) {
  Check(StopTimeComboBoxChange, {
                                    {"0", 5000, 1000, false},
                                    {"45", 5000, 30000, false},
                                    {"3", 5000, 3000, false},
                                    {"30", 5000, 30000, false},
                                    {"12a", 5000, 5000, true},  // converted first: the error shows
                                    {"", 5000, 5000, true},
                                    {"-5", 5000, 5000, false},  // a number, but not all digits
                                    {"-0005", 5000, 1000, false},
                                    {"2147483", 5000, 30000, false},  // x1000 beyond 32 bits
                                });
}

TEST(OptionRules, PollingIntervalIsWithinTenToAThousand) {
  Check(ComTimeComboBoxChange, {
                                   {"2000", 200, 1000, false},
                                   {"5", 200, 10, false},
                                   {"250", 200, 250, false},
                                   {"+50", 200, 200, false},
                                   {"x", 200, 200, true},
                               });
}

TEST(OptionRules, ConverterEditsStoreKilohertzAsHertzOrShowTheStoredValueAgain) {
  struct Case {
    const char* text;
    std::int32_t before;
    std::int32_t after;
    std::optional<std::string> shown;
  };
  const Case cases[] = {
      {"60000", 0, 60000000, std::nullopt},
      {"-20", 0, -20000, std::nullopt},
      {"", 60000000, 0, "0"},               // an emptied edit becomes 0
      {"6a", 60000000, 60000000, "60000"},  // any other bad text shows the stored value
      {"-", 20000, 20000, "20"},
      {"2147484", 20000, 20000, "20"},  // beyond 32 bits once in Hz
      {"2147483", 0, 2147483000, std::nullopt},
      {"x", 999, 999, "1"},  // shown as trunc((value + 1) / 1000)
  };
  for (const Case& c : cases) {
    std::int32_t value = c.before;
    const OptionEffect effect = ConvFreqEditChange(value, c.text);
    EXPECT_EQ(value, c.after) << '"' << c.text << '"';
    EXPECT_EQ(effect.editText, c.shown) << '"' << c.text << '"';
    EXPECT_FALSE(effect.error);
  }
}

TEST(OptionRules, StoredValuesAsTheDialogShowsThem) {
  EXPECT_EQ(StopTimeText(5000), "5");
  EXPECT_EQ(StopTimeText(30000), "30");
  EXPECT_EQ(StopTimeText(1999), "1");
  EXPECT_EQ(ConverterText(60000000), "60000");
  EXPECT_EQ(ConverterText(20000), "20");
  EXPECT_EQ(ConverterText(0), "0");
  EXPECT_EQ(ConverterText(INT32_MAX), "2147483");
}

TEST(OptionRules, TheRadioGroupSetsBothResumeConditionsAndRestoreBringsAllFifteenBack) {
  OptionValues live;
  OptionRefs refs{live.ScanTime,     live.S_Color,    live.IntTime,      live.ScanMode,
                  live.ResumeMode,   live.StopTime,   live.StartMode,    live.ModeListA,
                  live.ModeListB,    live.TypeListA,  live.TypeListB,    live.ConvertShift,
                  live.ConvertStart, live.ConvertEnd, live.ReceiverModel};
  const OptionValues before = refs.Snapshot();
  ScanStopRadioGroupClick(refs, 2);
  EXPECT_EQ(live.ScanMode, 2);
  EXPECT_EQ(live.ResumeMode, 2);
  live = OptionValues{1, true, 2, 3, 1, 4, false, false, false, false, false, 5, 6, 7, 8};
  refs.Restore(before);
  EXPECT_EQ(live, OptionValues{});
}

TEST(DecimalValue, SignedDecimalsWithin32Bits) {
  EXPECT_EQ(DecimalValue("0"), 0);
  EXPECT_EQ(DecimalValue("-2147483648"), INT32_MIN);
  EXPECT_EQ(DecimalValue("+2147483647"), INT32_MAX);
  for (const char* bad : {"", "-", "+", "2147483648", "-2147483649", " 1", "1 ", "1.0", "0x10"})
    EXPECT_FALSE(DecimalValue(bad)) << bad;
}

}  // namespace
