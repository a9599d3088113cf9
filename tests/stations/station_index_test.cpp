// The three station indexes: membership, the four key orders and the exact sort.
#include "stations/station_index.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

MemoRecord Rec(std::int32_t f, std::int32_t f2, std::string_view type, std::string_view name,
               std::string_view address = "") {
  MemoRecord r;
  r.Frequency = f;
  r.Frequency2 = f2;
  r.Type.Assign(type);
  r.Name.Assign(name);
  r.Address.Assign(address);
  return r;
}

std::vector<int> Items(const StationIndex& index) {
  std::vector<int> v;
  for (int i = 1; i <= index.Count(); ++i) v.push_back(index[i]);
  return v;
}

TEST(StationIndex, MembershipByKind) {
  MemoData data;
  data[1] = Rec(145000000, 0, "", "single");
  data[2] = Rec(144000000, 146000000, "", "band");
  data[3] = Rec(150000000, -1, "", "negative upper edge");
  data[4] = Rec(0, 146000000, "", "no frequency");
  data[5] = Rec(-5, 0, "", "negative frequency");
  data[10000] = Rec(1, 0, "", "last station");
  data[10001] = Rec(80000000, 0, "", "memory key");  // never listed
  StationIndexes idx;
  idx.BandLow = 1;
  idx.BandHigh = 2;
  idx.AutoMode_IdxInit(data);
  EXPECT_EQ(Items(idx.AllIndex), (std::vector<int>{10000, 2, 1, 3}));
  EXPECT_EQ(Items(idx.SingleIndex), (std::vector<int>{10000, 1}));
  EXPECT_EQ(Items(idx.BandIndex), (std::vector<int>{2}));
  EXPECT_EQ(idx.BandLow, 0);
  EXPECT_EQ(idx.BandHigh, 0);
}

TEST(StationIndex, EmptyListLeavesElementsBeyondTheCount) {
  MemoData data;
  StationIndexes idx;
  idx.AllIndex.Item[1] = 77;
  idx.AutoMode_IdxInit(data);
  EXPECT_EQ(idx.AllIndex.Count(), 0);
  EXPECT_EQ(idx.SingleIndex.Count(), 0);
  EXPECT_EQ(idx.BandIndex.Count(), 0);
  EXPECT_EQ(idx.AllIndex.Item[1], 77);
}

TEST(StationIndex, EachKeyModeOrder) {
  MemoData data;
  data[1] = Rec(300, 0, "B", "x", "tokyo");
  data[2] = Rec(100, 0, "B", "y", "osaka");
  data[3] = Rec(200, 0, "A", "y", "tokyo");
  data[4] = Rec(100, 0, "A", "z", "nagoya");
  data[5] = Rec(50, 0, "A", "y", "osaka");
  StationIndexes idx;
  const std::pair<int, std::vector<int>> cases[] = {
      {kKeyFrequency, {5, 4, 2, 3, 1}},  // frequency, then type
      {kKeyType, {5, 3, 4, 1, 2}},       // type, name, then frequency
      {kKeyName, {1, 5, 3, 2, 4}},       // name, type, then frequency
      {kKeyAddress, {4, 5, 2, 3, 1}},    // address, type, then name
  };
  for (const auto& [mode, order] : cases) {
    idx.AutoMode_IdxInitSub(data, mode, kAllKind);
    EXPECT_EQ(Items(idx.AllIndex), order) << "key mode " << mode;
  }
  // Re-sorting one kind leaves the others as they were.
  idx.AutoMode_IdxInit(data);
  idx.AutoMode_IdxInitSub(data, kKeyName, kSingleKind);
  EXPECT_EQ(Items(idx.AllIndex), (std::vector<int>{5, 4, 2, 3, 1}));
}

TEST(StationIndex, EqualStartFrequenciesByTypeThenName) {
  MemoData data;
  data[1] = Rec(430000000, 440000000, "ham", "b");
  data[2] = Rec(430000000, 435000000, "ham", "a");
  data[3] = Rec(430000000, 431000000, "biz", "z");
  StationIndexes idx;
  idx.AutoMode_IdxInit(data);
  EXPECT_EQ(Items(idx.BandIndex), (std::vector<int>{3, 2, 1}));
}

TEST(StationIndex, TextsCompareAsUnsignedBytesShorterPrefixFirst) {
  EXPECT_LT(CompareStationText("A", "\x82\xA0"), 0);  // CP932 kana after ASCII
  EXPECT_LT(CompareStationText("ab", "abc"), 0);
  EXPECT_GT(CompareStationText("b", "abc"), 0);
  EXPECT_LT(CompareStationText("B", "a"), 0);  // no case folding
  EXPECT_EQ(CompareStationText("", ""), 0);
}

TEST(StationIndex, EqualKeysEndWhereTheGapSortLeavesThem) {
  // Records 1 and 4 are equal in every key; the gap-2 pass swaps them past each other.
  MemoData data;
  data[1] = Rec(200, 0, "", "");
  data[2] = Rec(300, 0, "", "");
  data[3] = Rec(100, 0, "", "");
  data[4] = Rec(200, 0, "", "");
  StationIndexes idx;
  idx.AutoMode_IdxInit(data);
  EXPECT_EQ(Items(idx.AllIndex), (std::vector<int>{3, 4, 1, 2}));
}

TEST(StationIndex, FullListIsSorted) {
  auto data = std::make_unique<MemoData>();
  std::uint32_t x = 12345;
  for (int j = 1; j <= kStationCount; ++j) {
    x = x * 1103515245 + 12345;
    (*data)[j] =
        Rec(static_cast<std::int32_t>(x % 1000) * 1000 + 1, 0, "t", std::to_string(x % 97));
  }
  StationIndexes idx;
  for (const int mode : {1, 2, 3, 4}) {
    idx.AutoMode_IdxInitSub(*data, mode, kAllKind);
    ASSERT_EQ(idx.AllIndex.Count(), kStationCount);
    for (int i = 1; i < kStationCount; ++i) {
      ASSERT_FALSE(StationGreater((*data)[idx.AllIndex[i]], (*data)[idx.AllIndex[i + 1]], mode))
          << "mode " << mode << " at " << i;
    }
  }
}

}  // namespace
