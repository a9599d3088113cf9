// fennix-list: the station list's import, export and check from the command line, with the
// same reading, summary and writing as the program's file menu. Exit statuses are in Usage()
// and in the manual page resources/linux/fennix-list.1.
#include <cstdio>
#include <fstream>
#include <iostream>
#include <iterator>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/file_save.h"
#include "base/instance_lock.h"
#include "settings/settings.h"
#include "stations/station_csv.h"
#include "stations/station_file.h"
#include "stations/station_index.h"

namespace {

enum Exit : int {
  kOk = 0,
  kFound = 1,    // check found damaged records, duplicates or out-of-range frequencies
  kUsage = 2,    // a wrong command line
  kFailed = 3,   // a file could not be read or written, or the input was refused
  kRunning = 4,  // a running Fennix holds the list
};

constexpr std::string_view kHelp =
    "使い方:\n"
    "  fennix-list import FILE [--list ICLIST.DAT] [--dry-run] [--with-duplicates]\n"
    "      FILE (Fennix・CHIRP の CSV、gqrx の bookmarks.csv、SDR++ の JSON) の局を\n"
    "      リストの空いた記録に加えます。先に読み込みの要約を表示します。\n"
    "      --dry-run          要約だけを表示し、リストは変えません。\n"
    "      --with-duplicates  既にある局と同じ行も加えます。\n"
    "  fennix-list export --format fennix|chirp|gqrx [--encoding utf-8|utf-8-bom|shift-jis]\n"
    "                     [--memory] [--list ICLIST.DAT] OUT\n"
    "      リストを OUT に書き出します (OUT が - なら標準出力)。--encoding と --memory\n"
    "      (メモリー F1～F8 も書く) は fennix 形式だけのものです。\n"
    "  fennix-list check [ICLIST.DAT]\n"
    "      壊れた記録、重複した局、受信範囲 (25～2000 MHz) の外の周波数を報告します。\n"
    "  fennix-list --help\n"
    "\n"
    "--list を省くと、データフォルダー (FENNIX_DATA、なければ ~/.local/share/fennix) の\n"
    "ICLIST.DAT を使います。Fennix が動いている間は import しません。\n"
    "\n"
    "終了ステータス: 0 成功、1 check が問題を見つけた、2 コマンドラインの誤り、\n"
    "3 ファイルを読めない・書けない・読み込めない形式、4 Fennix が動いている。\n";

int Usage(const std::string& problem) {
  std::cerr << "fennix-list: " << problem << "\n\n" << kHelp;
  return kUsage;
}

std::optional<std::string> ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  std::string bytes;
  // One byte past the import limit is enough to refuse a file that is too large.
  bytes.resize(kCsvMaxBytes + 1);
  in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  bytes.resize(static_cast<std::size_t>(in.gcount()));
  return bytes;
}

std::string DefaultList() { return DataFolder() + "/" + kStationFileName; }

// The list as the program would load it; false with a message when there is no file.
bool LoadList(const std::string& path, MemoData& data) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    std::cerr << "fennix-list: " << path << " を開けません。\n";
    return false;
  }
  const std::vector<char> bytes((std::istreambuf_iterator<char>(in)),
                                std::istreambuf_iterator<char>());
  DecodeMemoData(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size(), data);
  return true;
}

int Import(const std::string& file, const std::string& list, bool dryRun, bool withDuplicates) {
  const auto bytes = ReadAll(file);
  if (!bytes) {
    std::cerr << "fennix-list: " << file << " を開けません。\n";
    return kFailed;
  }
  const CsvReadResult read = ReadStationCsv(*bytes);
  if (!read.ok) {
    std::cerr << "fennix-list: " << read.error << "\n";
    return kFailed;
  }
  // The lock is held from reading the list to writing it, so Fennix cannot start between.
  InstanceLock lock;
  if (!dryRun &&
      lock.Acquire(InstanceLock::DefaultPath("SampleMutex"), 0) != InstanceLock::Result::Acquired) {
    std::cerr << "fennix-list: Fennix が動いています。局のリストは Fennix を終えてから読み込んで"
                 "ください。\n";
    return kRunning;
  }
  MemoData data;
  StationFile station(list);
  if (!dryRun) {
    const StationLoadResult load = station.DataRead(data);
    if (load.outcome == StationLoadResult::kCreateFailed) {
      std::cerr << "fennix-list: " << list << " を作れません。\n";
      return kFailed;
    }
  } else if (std::ifstream(list, std::ios::binary) && !LoadList(list, data)) {
    return kFailed;
  }
  const CsvImportPlan plan = PlanCsvImport(read, data, withDuplicates);
  std::cout << CsvImportSummary(plan);
  if (dryRun) {
    std::cout << "\n--dry-run: 局のリストは変えていません。\n";
    return kOk;
  }
  if (plan.Empty()) {
    std::cout << "\n追加できる行はありません。\n";
    return kOk;
  }
  ApplyCsvImport(plan, data);
  const StationSaveResult saved = station.DataWrite(data, true, 1);
  if (!saved.ok()) {
    std::cerr << "fennix-list: " << list << " に書き込めません (" << saved.message << ")。\n";
    return kFailed;
  }
  std::cout << "\n" << list << " に " << plan.placements.size() << " 件を加えました。\n";
  return kOk;
}

int Export(const std::string& out, const std::string& list, std::string_view format,
           std::string_view encoding, bool withMemoryKeys) {
  CsvEncoding enc = CsvEncoding::kUtf8;
  if (encoding == "utf-8-bom")
    enc = CsvEncoding::kUtf8Bom;
  else if (encoding == "shift-jis")
    enc = CsvEncoding::kShiftJis;
  else if (encoding != "utf-8")
    return Usage("--encoding は utf-8、utf-8-bom、shift-jis です。");
  if (format != "fennix" && format != "chirp" && format != "gqrx")
    return Usage("--format は fennix、chirp、gqrx です。");
  MemoData data;
  if (!LoadList(list, data)) return kFailed;
  StationIndexes indexes;
  indexes.AutoMode_IdxInit(data);
  std::string bytes;
  if (format == "fennix") {
    bytes = WriteStationCsv(data, indexes.AllIndex, withMemoryKeys, enc);
  } else {
    CsvExport written = WriteOtherProgramCsv(
        data, indexes.AllIndex, format == "chirp" ? CsvFormat::kChirp : CsvFormat::kGqrx);
    bytes = std::move(written.bytes);
    if (written.bandsLeftOut > 0)
      std::cerr << "fennix-list: 帯域 (PROG) の " << written.bandsLeftOut
                << " 件は書き出していません。\n";
  }
  if (out == "-") {
    std::cout << bytes;
    return std::cout.good() ? kOk : kFailed;
  }
  if (const std::string reason = WriteFileAtomically(out, bytes); !reason.empty()) {
    std::cerr << "fennix-list: " << out << " に書き込めません (" << reason << ")。\n";
    return kFailed;
  }
  return kOk;
}

int Check(const std::string& list) {
  const auto bytes = [&]() -> std::optional<std::string> {
    std::ifstream in(list, std::ios::binary);
    if (!in) return std::nullopt;
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  }();
  if (!bytes) {
    std::cerr << "fennix-list: " << list << " を開けません。\n";
    return kFailed;
  }
  const StationFileCheck check = CheckStationFile(*bytes);
  for (const auto* group : {&check.damaged, &check.duplicates, &check.outOfRange})
    for (const std::string& line : *group) std::cout << line << "\n";
  std::cout << "壊れた記録: " << check.damaged.size() << "、重複した局: " << check.duplicates.size()
            << "、受信範囲の外: " << check.outOfRange.size() << "\n";
  return check.Clean() ? kOk : kFound;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string_view> args(argv + 1, argv + argc);
  if (args.empty()) return Usage("コマンドがありません。");
  if (args[0] == "--help" || args[0] == "-h") {
    std::cout << kHelp;
    return kOk;
  }
  const std::string_view command = args[0];
  std::vector<std::string> positional;
  std::string list, format, encoding = "utf-8";
  bool dryRun = false, withDuplicates = false, memory = false;
  for (std::size_t i = 1; i < args.size(); ++i) {
    const std::string_view a = args[i];
    auto value = [&](std::string& into) {
      if (i + 1 >= args.size()) return false;
      into = args[++i];
      return true;
    };
    if (a == "--help") {
      std::cout << kHelp;
      return kOk;
    } else if (a == "--list") {
      if (!value(list)) return Usage("--list に続くファイル名がありません。");
    } else if (a == "--format") {
      if (!value(format)) return Usage("--format に続く形式がありません。");
    } else if (a == "--encoding") {
      if (!value(encoding)) return Usage("--encoding に続く文字コードがありません。");
    } else if (a == "--dry-run") {
      dryRun = true;
    } else if (a == "--with-duplicates") {
      withDuplicates = true;
    } else if (a == "--memory") {
      memory = true;
    } else if (a.starts_with("--")) {
      return Usage("知らないオプション " + std::string(a) + " です。");
    } else {
      positional.emplace_back(a);
    }
  }
  // The data folder is looked up (and made) only when no list is named.
  if (list.empty() && !(command == "check" && !positional.empty())) list = DefaultList();
  if (command == "import") {
    if (positional.size() != 1) return Usage("import には読み込むファイルを一つ指定します。");
    return Import(positional[0], list, dryRun, withDuplicates);
  }
  if (command == "export") {
    if (positional.size() != 1) return Usage("export には書き出すファイルを一つ指定します。");
    if (format.empty()) return Usage("export には --format が要ります。");
    return Export(positional[0], list, format, encoding, memory);
  }
  if (command == "check") {
    if (positional.size() > 1) return Usage("check に指定するリストは一つです。");
    return Check(positional.empty() ? list : positional[0]);
  }
  return Usage("知らないコマンド " + std::string(command) + " です。");
}
