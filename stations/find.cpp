#include "stations/find.h"

#include <cstdlib>
#include <string_view>

#include "civ/civ.h"
#include "stations/cp932.h"
#include "stations/decimal.h"

namespace {

constexpr int kNoneApplied = 999;  // no condition applied yet to the record

std::string ConditionBytes(std::string bytes) {
  if (bytes.size() > 255) bytes.resize(255);
  return bytes;
}

std::int32_t ModeIndex(const std::string& text) {
  const std::string name = NormalizeMode(text);
  for (int i = 7; i >= 0; --i)
    if (civ::ModeName[static_cast<std::size_t>(i)] == name) return i;
  return 0;
}

std::int32_t Sensitivity(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  return DecimalValue(text).value_or(0);
}

// 1-based position of `what` in `in`, 0 when it does not occur.
int Occurs(std::string_view what, std::string_view in) {
  const std::size_t at = in.find(what);
  return at == std::string_view::npos ? 0 : static_cast<int>(at) + 1;
}

FindConditions ReadConditions(const FindTexts& t, bool utf8) {
  const auto text = [utf8](const std::string& s) {
    return ConditionBytes(utf8 ? Utf8ToCp932(s) : s);
  };
  FindConditions c;
  c.Type = text(t[kFindType]);
  c.Name = text(t[kFindName]);
  c.Frequency = TextToFreq(t[kFindFrequency]);
  c.Frequency2 = TextToFreq(t[kFindFrequency2]);
  c.Step = TextToStep(t[kFindStep]);
  c.Mode = ModeIndex(t[kFindMode]);
  c.Shift = TextToStep(t[kFindShift]);
  c.Select = Sensitivity(t[kFindSelect]);
  c.Address = text(t[kFindAddress]);
  c.Etc = text(t[kFindEtc]);
  return c;
}

}  // namespace

FindConditions ReadFindConditions(const FindTexts& texts) { return ReadConditions(texts, true); }

FindConditions ReadFindConditionsCp932(const FindTexts& texts) {
  return ReadConditions(texts, false);
}

FindResult Find_Sub(const FindConditions& c, int andOrFlag, const MemoData& data,
                    const StationIndex& index, int start, int step,
                    const std::function<void()>& eachRecord) {
  const int n = index.Count();
  int b = 0;
  int p = start;
  while (p + step >= 1 && p + step <= n && b == 0) {
    p += step;
    const int memoNo = index[p];
    if (memoNo < 0 || memoNo >= kMemoCount) continue;  // a damaged index is skipped, not read
    const MemoRecord& r = data[memoNo];
    b = kNoneApplied;
    // A given condition is applied while the outcome is open.
    const auto open = [&] { return andOrFlag == kFindOr ? (b == 0 || b == kNoneApplied) : b > 0; };
    const auto text = [&](const std::string& what, std::string_view in) {
      if (!what.empty() && open()) b = Occurs(what, in);
    };
    const auto number = [&](bool given, bool holds) {
      if (given && open()) b = holds ? 1 : 0;
    };
    text(c.Type, r.Type.View());
    text(c.Name, r.Name.View());
    number(c.Frequency >= 1, r.Frequency == c.Frequency);
    number(c.Frequency2 >= 1, r.Frequency2 == c.Frequency2);
    number(c.Step >= 1, r.Step == c.Step);
    number(c.Mode >= 1, r.Mode == c.Mode);
    number(c.Shift >= 1, std::llabs(std::int64_t{r.Shift}) == c.Shift);
    number(c.Select >= 1, r.Select == c.Select);
    text(c.Address, r.Address.View());
    text(c.Etc, r.Etc.View());
    if (eachRecord) eachRecord();
  }
  if (b > 0 && b != kNoneApplied) return {FindResult::kFound, p};
  if (b == kNoneApplied) return {FindResult::kNoCondition, start};
  return {FindResult::kNotFound, start};
}

StationIndex FindAll(const FindConditions& conditions, int andOrFlag, const MemoData& data,
                     const StationIndex& index) {
  StationIndex found;
  for (FindResult r = Find_Sub(conditions, andOrFlag, data, index, 0, 1);
       r.outcome == FindResult::kFound;
       r = Find_Sub(conditions, andOrFlag, data, index, r.position, 1))
    found.Item[static_cast<std::size_t>(++found.Item[0])] = index[r.position];
  return found;
}
