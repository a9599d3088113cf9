// make_iclist [--] [PATH]: writes a full station list (10,000 entries: bands and single stations
// with Japanese names and places in CP932, plus the F1..F8 memory keys) for benchmarks and
// manual tests. The same seed always gives the same file.
// make_iclist --sample [PATH]: writes a small list of bands and stations that matches the
// carriers fennix-sim hears by default, for trying the panel against the simulator.
#include <cstdint>
#include <cstdio>
#include <string>

#include "civ/civ.h"
#include "stations/cp932.h"
#include "stations/station_file.h"

namespace iclist_gen {

struct Service {
  const char* type;  // 種類
  std::int32_t low, high, step;
  int mode;
  const char* names[4];
};

inline constexpr Service kServices[] = {
    {"アマチュア", 144000000, 146000000, 20000, 5, {"呼出", "レピータ", "ローカル", "移動"}},
    {"アマチュア", 430000000, 440000000, 20000, 5, {"呼出", "レピータ", "衛星", "移動"}},
    {"航空", 118000000, 136975000, 25000, 4, {"管制塔", "進入管制", "地上管制", "飛行場情報"}},
    {"消防", 148000000, 150000000, 12500, 6, {"消防本部", "署活動", "救急", "指令"}},
    {"鉄道", 150000000, 170000000, 12500, 6, {"列車無線", "駅構内", "保線", "指令"}},
    {"業務", 350000000, 360000000, 12500, 6, {"タクシー", "警備", "運送", "工事"}},
    {"船舶", 156000000, 162000000, 25000, 5, {"海岸局", "港務", "漁業", "遊漁船"}},
    {"放送", 76000000, 95000000, 100000, 7, {"ＦＭ放送", "コミュニティ", "中継局", "臨時局"}},
    {"簡易無線", 465000000, 469000000, 12500, 6, {"イベント", "建設", "農協", "学校"}},
    {"特小", 421000000, 440000000, 12500, 6, {"インカム", "店舗", "ガイド", "スキー場"}},
};

struct Place {
  const char* address;  // 所在地
  const char* city;     // used in station names
};

inline constexpr Place kPlaces[] = {
    {"東京都千代田区", "千代田"}, {"東京都新宿区", "新宿"},     {"神奈川県横浜市", "横浜"},
    {"大阪府大阪市", "大阪"},     {"愛知県名古屋市", "名古屋"}, {"北海道札幌市", "札幌"},
    {"福岡県福岡市", "福岡"},     {"宮城県仙台市", "仙台"},     {"広島県広島市", "広島"},
    {"京都府京都市", "京都"},     {"兵庫県神戸市", "神戸"},     {"静岡県浜松市", "浜松"},
    {"新潟県新潟市", "新潟"},     {"沖縄県那覇市", "那覇"},     {"長野県松本市", "松本"},
    {"千葉県成田市", "成田"},
};

inline constexpr const char* kRemarks[] = {
    "",         "夜間のみ",   "平日昼間に多い", "弱い",     "ＦＭ復調で明瞭",
    "混信あり", "週末に運用", "要確認",         "定時放送", "ロングアンテナで受信",
};

inline void Put(auto& field, const std::string& utf8) {
  const std::string cp932 = Utf8ToCp932(utf8);
  field.Assign(Cp932Cut(cp932, field.kMax));
}

// A fixed, portable generator so every build makes the same list.
class Random {
 public:
  explicit Random(std::uint32_t seed) : x_(seed) {}
  std::uint32_t Next() {
    x_ ^= x_ << 13;
    x_ ^= x_ >> 17;
    x_ ^= x_ << 5;
    return x_;
  }
  int Below(int n) { return static_cast<int>(Next() % static_cast<std::uint32_t>(n)); }

 private:
  std::uint32_t x_;
};

// Fills records 1..10000 (about one in twenty-five a band) and the eight memory keys.
inline void MakeStationList(MemoData& data, std::uint32_t seed = 7100) {
  data.Clear();
  Random random(seed);
  constexpr int kServiceCount = static_cast<int>(sizeof kServices / sizeof kServices[0]);
  constexpr int kPlaceCount = static_cast<int>(sizeof kPlaces / sizeof kPlaces[0]);
  for (int j = 1; j <= kStationCount; ++j) {
    const Service& s = kServices[random.Below(kServiceCount)];
    const Place& place = kPlaces[random.Below(kPlaceCount)];
    const std::int32_t channels = (s.high - s.low) / s.step;
    MemoRecord& r = data[j];
    r.Mode = s.mode;
    r.Step = s.step;
    r.Select = random.Below(6);
    Put(r.Type, s.type);
    Put(r.Address, place.address);
    Put(r.Etc, kRemarks[random.Below(10)]);
    if (random.Below(25) == 0) {
      // A band: a stretch of the service's allocation.
      const std::int32_t first = random.Below(channels / 2);
      r.Frequency = s.low + first * s.step;
      r.Frequency2 = r.Frequency + (1 + random.Below(channels / 2)) * s.step;
      Put(r.Name, std::string(s.type) + "バンド");
    } else {
      r.Frequency = s.low + random.Below(channels + 1) * s.step;
      r.Shift = random.Below(8) == 0 ? -5000 : 0;
      Put(r.Name, std::string(place.city) + " " + s.names[random.Below(4)] + " " +
                      std::to_string(1 + random.Below(20)) + "波");
    }
  }
  for (int k = 1; k <= 8; ++k) {
    MemoRecord& key = data[kMemoryKeyBase + k];
    key.Frequency = 145000000 + k * 20000;
    key.Mode = 5;
    key.Step = civ::DefaultStep;
  }
}

struct SampleEntry {
  std::int32_t low, high;  // high 0: a single station
  std::int32_t step;
  int mode;
  std::int32_t shiftKHz;
  const char* type;
  const char* name;
  const char* address;
  const char* remark;
};

// Bands and stations around the simulator's default carriers (resources/sim-stations.txt).
inline constexpr SampleEntry kSample[] = {
    {76000000, 95000000, 100000, 7, 0, "放送", "ＦＭ放送バンド", "", ""},
    {80000000, 0, 100000, 7, 0, "放送", "ＦＭ東京", "東京都港区", "定時放送"},
    {82500000, 0, 100000, 7, 0, "放送", "ＮＨＫ ＦＭ", "東京都渋谷区", ""},
    {118000000, 136975000, 25000, 4, 0, "航空", "エアーバンド", "", ""},
    {118100000, 0, 25000, 4, 0, "航空", "東京 タワー", "東京都大田区", "管制塔"},
    {120500000, 0, 25000, 4, 0, "航空", "成田 タワー", "千葉県成田市", ""},
    {124350000, 0, 25000, 4, 0, "航空", "東京 アプローチ", "東京都大田区", "進入管制"},
    {126200000, 0, 25000, 4, 0, "航空", "東京 グランド", "東京都大田区", "地上管制"},
    {144000000, 146000000, 20000, 5, 600, "アマチュア", "２ｍバンド", "", ""},
    {144490000, 0, 1000, 2, 0, "アマチュア", "ビーコン", "", "弱い"},
    {145000000, 0, 20000, 5, 0, "アマチュア", "呼出周波数", "", ""},
    {145500000, 0, 20000, 5, 0, "アマチュア", "ローカル 1", "神奈川県横浜市", "週末に運用"},
    {145500000, 0, 20000, 5, 0, "アマチュア", "ローカル 2", "東京都新宿区", ""},
    {145600000, 0, 20000, 5, 0, "アマチュア", "ローカル 3", "東京都千代田区", ""},
    {156000000, 162000000, 25000, 5, 0, "船舶", "国際ＶＨＦ", "", ""},
    {156800000, 0, 25000, 5, 0, "船舶", "１６ｃｈ 遭難・呼出", "", ""},
    {156650000, 0, 25000, 5, 0, "船舶", "１３ｃｈ 船舶間", "", ""},
    {430000000, 440000000, 20000, 5, 5000, "アマチュア", "４３０ＭＨｚバンド", "", ""},
    {433000000, 0, 20000, 5, 0, "アマチュア", "呼出周波数", "", ""},
    {439500000, 0, 20000, 5, -5000, "レピータ", "横浜 レピータ", "神奈川県横浜市", ""},
    {465000000, 469000000, 12500, 6, 0, "簡易無線", "簡易無線バンド", "", ""},
    {465012500, 0, 12500, 6, 0, "簡易無線", "イベント 1ch", "", "混信あり"},
    {470000000, 710000000, 100000, 7, 0, "放送", "地デジ", "", ""},
    {557142857, 0, 100000, 7, 0, "放送", "地デジ ２７ｃｈ", "東京都墨田区", ""},
    {1260000000, 1300000000, 20000, 5, 0, "アマチュア", "１２００ＭＨｚバンド", "", ""},
    {1295000000, 0, 20000, 5, 0, "アマチュア", "呼出周波数", "", ""},
    {1293000000, 0, 20000, 5, 0, "アマチュア", "ローカル", "", "静か"},
};

// A small list for the simulator: the entries above from record 1 on, and the memory keys.
inline void MakeSampleList(MemoData& data) {
  data.Clear();
  int j = 0;
  for (const SampleEntry& e : kSample) {
    MemoRecord& r = data[++j];
    r.Frequency = e.low;
    r.Frequency2 = e.high;
    r.Step = e.step;
    r.Mode = e.mode;
    r.Shift = e.shiftKHz;
    Put(r.Type, e.type);
    Put(r.Name, e.name);
    Put(r.Address, e.address);
    Put(r.Etc, e.remark);
  }
  constexpr std::int32_t kKeys[] = {80000000,  118100000, 145000000, 156800000,
                                    433000000, 439500000, 465012500, 1295000000};
  constexpr int kKeyModes[] = {7, 4, 5, 5, 5, 5, 6, 5};
  for (int k = 1; k <= 8; ++k) {
    MemoRecord& key = data[kMemoryKeyBase + k];
    key.Frequency = kKeys[k - 1];
    key.Mode = kKeyModes[k - 1];
    key.Step = civ::DefaultStep;
  }
}

inline constexpr const char* kUsage =
    "usage: make_iclist [--sample] [--] [PATH]\n"
    "Writes a full example station list to PATH (default ICLIST.DAT); with --sample, a small\n"
    "list of bands and stations around the carriers fennix-sim hears.\n";

// The tool itself: 0 when the list was written or help was asked for, 1 when writing failed,
// 2 for an unknown option or too many arguments. An argument that starts with "-" is an
// option unless it comes after "--", so that a mistyped option never becomes a file name.
inline int Run(int argc, const char* const* argv, std::FILE* out, std::FILE* err) {
  std::string path = kStationFileName;
  int paths = 0;
  bool options = true;
  bool sample = false;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (options && arg == "--") {
      options = false;
    } else if (options && arg == "--sample") {
      sample = true;
    } else if (options && (arg == "-h" || arg == "--help")) {
      std::fputs(kUsage, out);
      return 0;
    } else if (options && arg.size() > 1 && arg[0] == '-') {
      std::fprintf(err, "make_iclist: unknown option %s\n%s", arg.c_str(), kUsage);
      return 2;
    } else if (++paths > 1) {
      std::fprintf(err, "make_iclist: one path only\n%s", kUsage);
      return 2;
    } else {
      path = arg;
    }
  }
  MemoData data;
  if (sample)
    MakeSampleList(data);
  else
    MakeStationList(data);
  StationFile file(path);
  const StationSaveResult result = file.DataWrite(data, true, 1);
  if (!result.ok()) {
    std::fprintf(err, "%s\n", result.message.c_str());
    return 1;
  }
  int count = 0;
  for (int j = 1; j <= kStationCount; ++j) count += data[j].Frequency != 0;
  std::fprintf(out, "%s: %d stations\n", path.c_str(), count);
  return 0;
}

}  // namespace iclist_gen

#ifndef FENNIX_MAKE_ICLIST_NO_MAIN
int main(int argc, char** argv) { return iclist_gen::Run(argc, argv, stdout, stderr); }
#endif
