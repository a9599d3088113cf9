#include "stations/station_index.h"

#include <algorithm>
#include <cstring>
#include <utility>

int CompareStationText(std::string_view a, std::string_view b) {
  const std::size_t n = std::min(a.size(), b.size());
  if (n > 0) {
    // memcmp compares as unsigned char, which is the order CP932 bytes need.
    const int c = std::memcmp(a.data(), b.data(), n);
    if (c != 0) return c < 0 ? -1 : 1;
  }
  if (a.size() == b.size()) return 0;
  return a.size() < b.size() ? -1 : 1;
}

namespace {

int CompareFrequency(const MemoRecord& a, const MemoRecord& b) {
  return a.Frequency < b.Frequency ? -1 : (a.Frequency > b.Frequency ? 1 : 0);
}
int CompareType(const MemoRecord& a, const MemoRecord& b) {
  return CompareStationText(a.Type.View(), b.Type.View());
}
int CompareName(const MemoRecord& a, const MemoRecord& b) {
  return CompareStationText(a.Name.View(), b.Name.View());
}
int CompareAddress(const MemoRecord& a, const MemoRecord& b) {
  return CompareStationText(a.Address.View(), b.Address.View());
}

bool Member(const MemoRecord& r, int kind) {
  if (r.Frequency < 1) return false;
  switch (kind) {
    case kSingleKind:
      return r.Frequency2 == 0;
    case kBandKind:
      return r.Frequency2 >= 1;
    default:
      return true;
  }
}

}  // namespace

namespace {

// The three keys of each mode, resolved at compile time: the sort compares some 300,000
// times for a full list.
template <int Mode>
bool Greater(const MemoRecord& a, const MemoRecord& b) {
  int c = 0;
  if constexpr (Mode == kKeyType) {
    if ((c = CompareType(a, b)) == 0 && (c = CompareName(a, b)) == 0) c = CompareFrequency(a, b);
  } else if constexpr (Mode == kKeyName) {
    if ((c = CompareName(a, b)) == 0 && (c = CompareType(a, b)) == 0) c = CompareFrequency(a, b);
  } else if constexpr (Mode == kKeyAddress) {
    if ((c = CompareAddress(a, b)) == 0 && (c = CompareType(a, b)) == 0) c = CompareName(a, b);
  } else {
    if ((c = CompareFrequency(a, b)) == 0 && (c = CompareType(a, b)) == 0) c = CompareName(a, b);
  }
  return c > 0;
}

// Gap-halving insertion sort of item[1..n]. Equal keys end in the order this exact sequence
// of swaps leaves them, which the station numbers shown on the panel depend on, so it stays
// as is rather than becoming a library sort.
template <int Mode>
void ShellSort(std::array<std::int32_t, kStationCount + 1>& item, int n, const MemoData& data) {
  for (int g = n / 2; g >= 1; g /= 2) {
    for (int d = 1; d <= n - g; ++d) {
      int e = d;
      do {
        auto& left = item[static_cast<std::size_t>(e)];
        auto& right = item[static_cast<std::size_t>(e + g)];
        if (!Greater<Mode>(data[left], data[right])) break;
        std::swap(left, right);
        e -= g;
      } while (e >= 1);
    }
  }
}

}  // namespace

bool StationGreater(const MemoRecord& a, const MemoRecord& b, int keyMode) {
  switch (keyMode) {
    case kKeyType:
      return Greater<kKeyType>(a, b);
    case kKeyName:
      return Greater<kKeyName>(a, b);
    case kKeyAddress:
      return Greater<kKeyAddress>(a, b);
    default:
      return Greater<kKeyFrequency>(a, b);
  }
}

StationIndex& StationIndexes::Index(int kind) {
  return kind == kSingleKind ? SingleIndex : (kind == kBandKind ? BandIndex : AllIndex);
}

const StationIndex& StationIndexes::Index(int kind) const {
  return kind == kSingleKind ? SingleIndex : (kind == kBandKind ? BandIndex : AllIndex);
}

void StationIndexes::AutoMode_IdxInit(const MemoData& data) {
  AutoMode_IdxInitSub(data, kKeyFrequency, kSingleKind);
  AutoMode_IdxInitSub(data, kKeyFrequency, kBandKind);
  AutoMode_IdxInitSub(data, kKeyFrequency, kAllKind);
}

void StationIndexes::AutoMode_IdxInitSub(const MemoData& data, int keyMode, int kind) {
  auto& item = Index(kind).Item;
  int n = 0;
  for (int j = 1; j <= kStationCount; ++j) {
    if (Member(data[j], kind)) item[static_cast<std::size_t>(++n)] = j;
  }
  item[0] = n;

  switch (keyMode) {
    case kKeyType:
      ShellSort<kKeyType>(item, n, data);
      break;
    case kKeyName:
      ShellSort<kKeyName>(item, n, data);
      break;
    case kKeyAddress:
      ShellSort<kKeyAddress>(item, n, data);
      break;
    default:
      ShellSort<kKeyFrequency>(item, n, data);
      break;
  }
  BandLow = 0;
  BandHigh = 0;
}
