// The ICLIST.DAT decoder and the station indexes on arbitrary bytes, in memory: decoding
// stays inside the image and takes whole records only, every record reads back the same
// through the encoder, and every index build gives each member once, in order.
#include <algorithm>
#include <cstdint>
#include <cstdlib>

#include "stations/station_file.h"
#include "stations/station_index.h"

namespace {

bool Member(const MemoRecord& r, int kind) {
  if (r.Frequency < 1) return false;
  if (kind == kSingleKind) return r.Frequency2 == 0;
  if (kind == kBandKind) return r.Frequency2 >= 1;
  return true;
}

// The index of `kind` holds exactly its members, each once, ordered under `keyMode`. Only
// the first `whole` records can be members: the decoder clears the rest.
void CheckIndex(const MemoData& data, const StationIndexes& indexes, int kind, int keyMode,
                int whole) {
  const StationIndex& index = indexes.Index(kind);
  const int last = std::min(whole - 1, kStationCount);
  static bool seen[kStationCount + 1];
  int members = 0;
  for (int j = 1; j <= last; ++j) {
    seen[j] = false;
    members += Member(data[j], kind);
  }
  if (index.Count() != members) std::abort();
  for (int p = 1; p <= index.Count(); ++p) {
    const int j = index[p];
    if (j < 1 || j > last || seen[j] || !Member(data[j], kind)) std::abort();
    seen[j] = true;
    if (p > 1 && StationGreater(data[index[p - 1]], data[j], keyMode)) std::abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
  static MemoData data;
  static StationIndexes indexes;

  const int whole = DecodeMemoData(bytes, size, data);
  if (whole != static_cast<int>(std::min<std::size_t>(size / kMemoRecordSize, kMemoCount))) {
    std::abort();
  }
  std::uint8_t image[kMemoRecordSize];
  for (int n = 0; n < whole; ++n) {
    EncodeMemoRecord(data[n], image);
    if (!(DecodeMemoRecord(image) == data[n])) std::abort();
  }

  // One index build per input, of the kind and in the key mode the input picks: the main
  // window builds kinds 1, 2 and 0 by frequency, the list window any kind by any of its
  // columns (modes outside 1..4 sort by frequency).
  const int keyMode = size > 0 ? bytes[size - 1] % 6 : kKeyFrequency;
  const int kind = size > 1 ? bytes[size - 2] % 3 : kAllKind;
  indexes.AutoMode_IdxInitSub(data, keyMode, kind);
  CheckIndex(data, indexes, kind, keyMode, whole);
  return 0;
}
