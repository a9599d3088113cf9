// Find over a shown index: AND and OR, numbers exact, the shift's magnitude, conditions
// not given, the ends of the list.
#include "stations/find.h"

#include <gtest/gtest.h>

#include "stations/cp932.h"

namespace {

struct Station {
  const char* type;
  const char* name;
  std::int32_t frequency;
  std::int32_t mode;
  std::int32_t shift = 0;
  std::int32_t select = 0;
  const char* address = "";
  const char* etc = "";
};

class Find : public ::testing::Test {
 protected:
  void SetUp() override {
    const Station stations[] = {
        {"消防", "東京消防", 154250000, 4},                           // 1: A M
        {"航空", "羽田", 118100000, 5, -5000},                        // 2: F M
        {"消防", "横浜消防", 145000050, 5, 5000, 3, "横浜"},          // 3: F M
        {"アマ", "レピータ", 145000000, 5, 4000, 0, "", "145.0000"},  // 4
        {"消防", "千葉消防", 148000000, 5},                           // 5: F M
    };
    int position = 0;
    for (const Station& s : stations) {
      // Records lie apart from their positions, as a sorted index has them.
      const int memoNo = 100 + 7 * position;
      MemoRecord& r = data[memoNo];
      r.Type.Assign(Utf8ToCp932(s.type));
      r.Name.Assign(Utf8ToCp932(s.name));
      r.Address.Assign(Utf8ToCp932(s.address));
      r.Etc.Assign(Utf8ToCp932(s.etc));
      r.Frequency = s.frequency;
      r.Mode = s.mode;
      r.Shift = s.shift;
      r.Select = s.select;
      index.Item[static_cast<std::size_t>(++position)] = memoNo;
    }
    index.Item[0] = position;
  }
  FindResult Search(std::initializer_list<std::pair<FindField, const char*>> conditions, int andOr,
                    int start, int step) {
    FindTexts texts;
    for (const auto& [field, text] : conditions) texts[static_cast<std::size_t>(field)] = text;
    return Find_Sub(texts, andOr, data, index, start, step);
  }
  MemoData data;
  StationIndex index;
};

constexpr auto kFound = FindResult::kFound;
constexpr auto kNotFound = FindResult::kNotFound;
constexpr auto kNoCondition = FindResult::kNoCondition;

TEST_F(Find, Conditions) {
  struct Case {
    const char* what;
    std::initializer_list<std::pair<FindField, const char*>> conditions;
    int andOr, start, step;
    FindResult::Outcome outcome;
    int position;
  };
  const Case cases[] = {
      {"AND: 消防 in F M, the A M one skipped",
       {{kFindName, "消防"}, {kFindMode, "F M"}},
       kFindAnd,
       0,
       1,
       kFound,
       3},
      {"AND: typed mode forms count",
       {{kFindName, "消防"}, {kFindMode, "fm"}},
       kFindAnd,
       3,
       1,
       kFound,
       5},
      {"OR: 消防 suffices", {{kFindName, "消防"}, {kFindMode, "F M"}}, kFindOr, 0, 1, kFound, 1},
      {"OR: F M suffices", {{kFindName, "消防"}, {kFindMode, "F M"}}, kFindOr, 1, 1, kFound, 2},
      {"upwards", {{kFindName, "消防"}, {kFindMode, "F M"}}, kFindAnd, 5, -1, kFound, 3},
      {"the current row is never tested", {{kFindName, "千葉"}}, kFindAnd, 5, 1, kNotFound, 5},
      {"shift 5.00 matches -5,000", {{kFindShift, "___5.00"}}, kFindAnd, 0, 1, kFound, 2},
      {"shift 5.00 matches +5,000", {{kFindShift, "5.00"}}, kFindAnd, 2, 1, kFound, 3},
      {"a shift with a minus is not applied",
       {{kFindShift, "-5.00"}},
       kFindAnd,
       0,
       1,
       kNoCondition,
       0},
      {"sensitivity 0 is not applied", {{kFindSelect, "0"}}, kFindAnd, 0, 1, kNoCondition, 0},
      {"sensitivity 3", {{kFindSelect, " 3"}}, kFindAnd, 0, 1, kFound, 3},
      {"sensitivity that is no number", {{kFindSelect, "x"}}, kFindAnd, 0, 1, kNoCondition, 0},
      {"145.0000 is 145,000,000 exactly",
       {{kFindFrequency, "_145.0000"}},
       kFindAnd,
       0,
       1,
       kFound,
       4},
      {"145.0000 never matches 145,000,050",
       {{kFindFrequency, "145.0000"}},
       kFindAnd,
       4,
       1,
       kNotFound,
       4},
      {"145.0000 upwards from 4 skips 145,000,050",
       {{kFindFrequency, "145.0000"}},
       kFindAnd,
       4,
       -1,
       kNotFound,
       4},
      {"AND: the last applied decides",
       {{kFindType, "消防"}, {kFindAddress, "横浜"}},
       kFindAnd,
       0,
       1,
       kFound,
       3},
      {"remarks are text, not numbers", {{kFindEtc, "145.0000"}}, kFindAnd, 0, 1, kFound, 4},
      {"a part of the name", {{kFindName, "防"}}, kFindAnd, 0, 1, kFound, 1},
      {"no condition", {}, kFindAnd, 0, 1, kNoCondition, 0},
      {"no condition with OR", {}, kFindOr, 2, -1, kNoCondition, 2},
      {"the last row downwards: not found at once", {}, kFindAnd, 5, 1, kNotFound, 5},
      {"the first row upwards", {{kFindName, "消防"}}, kFindOr, 1, -1, kNotFound, 1},
      {"nothing matches to the end", {{kFindName, "大阪"}}, kFindAnd, 0, 1, kNotFound, 0},
      {"OR with nothing holding",
       {{kFindName, "大阪"}, {kFindMode, "USB"}},
       kFindOr,
       0,
       1,
       kNotFound,
       0},
  };
  for (const Case& c : cases) {
    const FindResult r = Search(c.conditions, c.andOr, c.start, c.step);
    EXPECT_EQ(r.outcome, c.outcome) << c.what;
    EXPECT_EQ(r.position, c.position) << c.what;
  }
}

TEST_F(Find, ConditionsAsRead) {
  FindTexts texts;
  texts[kFindFrequency] = "_145.0000";
  texts[kFindFrequency2] = "____.____";
  texts[kFindStep] = "__12.50";
  texts[kFindMode] = "nfm";
  texts[kFindShift] = "-__5.00";
  texts[kFindName] = std::string(300, 'a');
  const FindConditions c = ReadFindConditions(texts);
  EXPECT_EQ(c.Frequency, 145000000);
  EXPECT_EQ(c.Frequency2, 0);
  EXPECT_EQ(c.Step, 12500);
  EXPECT_EQ(c.Mode, 6);
  EXPECT_EQ(c.Shift, -5000);
  EXPECT_EQ(c.Name.size(), 255u);
  EXPECT_TRUE(c.Type.empty());
}

TEST_F(Find, EveryTestedRecordLetsTheWindowBreathe) {
  int calls = 0;
  FindTexts texts;
  texts[kFindName] = "大阪";
  const FindResult r = Find_Sub(texts, kFindAnd, data, index, 1, 1, [&] { ++calls; });
  EXPECT_EQ(r.outcome, kNotFound);
  EXPECT_EQ(calls, 4);
}

TEST_F(Find, ADamagedIndexEntryIsSkipped) {
  index.Item[2] = 99999;
  EXPECT_EQ(Search({{kFindMode, "F M"}}, kFindAnd, 0, 1).position, 3);
}

}  // namespace
