#include "stations/station_file.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <utility>

#include "base/text.h"

namespace {

std::string ErrorText(int error) { return std::strerror(error); }

// Reads up to `limit` bytes from `offset` on; returns false with errno set on a read error.
bool ReadFrom(int fd, off_t offset, std::size_t limit, std::vector<std::uint8_t>& out) {
  std::array<std::uint8_t, 65536> chunk;
  while (out.size() < limit) {
    const std::size_t want = std::min(chunk.size(), limit - out.size());
    const ssize_t got = pread(fd, chunk.data(), want, offset);
    if (got < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    if (got == 0) break;
    out.insert(out.end(), chunk.data(), chunk.data() + got);
    offset += got;
  }
  return true;
}

// The whole content of a file, for the copy that keeps a damaged original.
bool ReadWhole(const std::string& path, std::vector<std::uint8_t>& out, int& error) {
  const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) {
    error = errno;
    return false;
  }
  const bool ok = ReadFrom(fd, 0, SIZE_MAX, out);
  error = errno;
  close(fd);
  return ok;
}

std::string_view AsText(const std::vector<std::uint8_t>& bytes) {
  return {reinterpret_cast<const char*>(bytes.data()), bytes.size()};
}

// Keeps the file at `path` as `backup`: a hard link where the file system allows it (no copy,
// works on an unreadable file), otherwise a copy. Returns the reason on failure.
std::string KeepBackup(const std::string& path, const std::string& backup) {
  struct stat st;
  if (stat(path.c_str(), &st) != 0) return errno == ENOENT ? "" : ErrorText(errno);
  const std::string linkName = backup + ".new";
  unlink(linkName.c_str());
  if (link(path.c_str(), linkName.c_str()) == 0) {
    if (rename(linkName.c_str(), backup.c_str()) == 0) return "";
    const int error = errno;
    unlink(linkName.c_str());
    return ErrorText(error);
  }
  std::vector<std::uint8_t> bytes;
  int error = 0;
  if (!ReadWhole(path, bytes, error)) return ErrorText(error);
  return WriteFileAtomically(backup, AsText(bytes));
}

}  // namespace

std::vector<std::uint8_t> EncodeMemoData(const MemoData& data) {
  std::vector<std::uint8_t> image(kStationFileSize);
  for (int n = 0; n < kMemoCount; ++n)
    EncodeMemoRecord(data[n], image.data() + n * kMemoRecordSize);
  return image;
}

int DecodeMemoData(const std::uint8_t* bytes, std::size_t size, MemoData& data) {
  data.Clear();
  const std::size_t whole = std::min<std::size_t>(size / kMemoRecordSize, kMemoCount);
  for (std::size_t n = 0; n < whole; ++n) {
    data[static_cast<int>(n)] = DecodeMemoRecord(bytes + n * kMemoRecordSize);
  }
  return static_cast<int>(whole);
}

StationLoadResult StationFile::DataRead(MemoData& data, const std::function<void(int)>& progress) {
  StationLoadResult result;
  keepBackup_ = false;
  std::vector<std::uint8_t> image;
  image.reserve(kStationFileSize);
  int openError = 0;
  bool readFailed = false;
  int readError = 0;

  const int fd = open(path_.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) {
    openError = errno;
  } else {
    readFailed = !ReadFrom(fd, 0, kStationFileSize, image);
    readError = errno;
    close(fd);
  }
  result.recordsRead = DecodeMemoData(image.data(), image.size(), data);

  // The splash bar moves as record n is taken, each step once.
  if (progress) {
    int shown = -1;
    for (int n = 0; n < kMemoCount; ++n) {
      const int value = n * 10 / (kMemoCount - 1);
      if (value != shown) progress(shown = value);
    }
  }

  if (fd < 0 && openError == ENOENT) {
    const std::string reason = WriteFileAtomically(path_, AsText(EncodeMemoData(data)));
    if (reason.empty()) {
      result.outcome = StationLoadResult::kCreated;
    } else {
      result.outcome = StationLoadResult::kCreateFailed;
      result.message = text::Arg(text::Tr("StationFile",
                                          "%1 を作成できません（%2）。局リストは空で始まります。"
                                          "終了時の保存もできない可能性があります。"),
                                 {path_, reason});
    }
    return result;
  }
  if (fd < 0 || readFailed) {
    result.outcome = StationLoadResult::kDamaged;
    keepBackup_ = true;
    result.message = text::Arg(
        text::Tr("StationFile",
                 "%1 を読み込めません（%2）。読めた %3 件だけで続けます。"
                 "保存の前に元のファイルを %1.bak として残します。"),
        {path_, ErrorText(fd < 0 ? openError : readError), std::to_string(result.recordsRead)});
    return result;
  }
  if (image.size() < kStationFileSize) {
    result.outcome = StationLoadResult::kDamaged;
    keepBackup_ = true;
    result.message = text::Arg(
        text::Tr("StationFile",
                 "%1 が壊れています（%2 バイト、%3 件のうち %4 件を読み込みました）。"
                 "読めた分だけで続けます。保存の前に元のファイルを %1.bak として残します。"),
        {path_, std::to_string(image.size()), std::to_string(kMemoCount),
         std::to_string(result.recordsRead)});
    return result;
  }
  result.outcome = StationLoadResult::kLoaded;
  return result;
}

StationSaveResult StationFile::DataWrite(const MemoData& data, bool dataChanged, int exitChoice,
                                         const AtomicWriteOptions& options) {
  StationSaveResult result;
  if (!dataChanged || exitChoice != 1) return result;

  auto failed = [&](const std::string& reason) {
    result.outcome = StationSaveResult::kFailed;
    result.message = text::Arg(text::Tr("StationFile",
                                        "%1 に書き込めません（%2）。変更は保存されていません。"
                                        "元のファイルはそのまま残っています。"),
                               {path_, reason});
    return result;
  };

  std::vector<std::uint8_t> image = EncodeMemoData(data);
  // Whatever followed the records in the old file is carried over.
  const int fd = open(path_.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd >= 0) {
    const bool ok = ReadFrom(fd, kStationFileSize, SIZE_MAX, image);
    const int error = errno;
    close(fd);
    if (!ok) {
      // Without the tail the new file would lose bytes; only a kept backup makes that safe.
      if (!keepBackup_) return failed(ErrorText(error));
      image.resize(kStationFileSize);
    }
  } else if (errno != ENOENT && !keepBackup_) {
    return failed(ErrorText(errno));
  }

  if (keepBackup_) {
    const std::string reason = KeepBackup(ResolvedPath(path_), path_ + ".bak");
    if (!reason.empty())
      return failed(text::Arg(text::Tr("StationFile", "%1.bak を作れません: %2"), {path_, reason}));
  }
  const FileSaveResult saved = SaveFile(path_, AsText(image), options);
  if (saved.oldFileChanged && !saved.ok()) {
    result.outcome = StationSaveResult::kFailed;
    result.message = text::Arg(text::Tr("StationFile",
                                        "%1 に書き込めません（%2）。変更は保存されていません。"
                                        "ファイルが途中まで書き換わっている可能性があります。"),
                               {path_, saved.error});
    return result;
  }
  if (!saved.ok()) return failed(saved.error);
  keepBackup_ = false;
  result.outcome = StationSaveResult::kSaved;
  return result;
}

std::string StationFile::WriteRecovery(const MemoData& data,
                                       const AtomicWriteOptions& options) const {
  return WriteFileAtomically(RecoveryPath(), AsText(EncodeMemoData(data)), options);
}

namespace {

// "<name>.tmp-<pid>-<n>" as the atomic save names its temporary file; the pid, or 0 when the
// name is not one of those.
long TempFilePid(std::string_view entry, std::string_view name) {
  const std::string prefix = std::string(name) + ".tmp-";
  if (!entry.starts_with(prefix)) return 0;
  entry.remove_prefix(prefix.size());
  const auto dash = entry.find('-');
  if (dash == 0 || dash == std::string_view::npos || dash + 1 == entry.size()) return 0;
  long pid = 0;
  for (std::size_t i = 0; i < entry.size(); ++i) {
    const char c = entry[i];
    if (i == dash) continue;
    if (c < '0' || c > '9') return 0;
    if (i < dash && pid < 1'000'000'000) pid = pid * 10 + (c - '0');
  }
  return pid;
}

// A temporary file is left over when the program that made it is gone; this run has saved
// nothing yet, so a file under its own pid is left over too.
bool LeftOver(long pid) {
  if (pid == getpid()) return true;
  return kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH;
}

bool SameContent(const std::string& a, const std::string& b) {
  std::vector<std::uint8_t> x, y;
  int error = 0;
  return ReadWhole(a, x, error) && ReadWhole(b, y, error) && x == y;
}

bool Newer(const struct stat& a, const struct stat& b) {
  return a.st_mtim.tv_sec != b.st_mtim.tv_sec ? a.st_mtim.tv_sec > b.st_mtim.tv_sec
                                              : a.st_mtim.tv_nsec > b.st_mtim.tv_nsec;
}

}  // namespace

bool StationFile::PrepareRecovery() const {
  const std::string target = ResolvedPath(path_);
  const auto slash = target.rfind('/');
  const std::string folder = slash == std::string::npos ? "." : target.substr(0, slash + 1);
  const std::string name = slash == std::string::npos ? target : target.substr(slash + 1);
  const std::string recovery = RecoveryPath();

  std::string newest;
  struct stat newestStat {};
  std::vector<std::string> leftOver;
  if (DIR* dir = opendir(folder.c_str())) {
    while (const dirent* entry = readdir(dir)) {
      const long pid = TempFilePid(entry->d_name, name);
      if (pid <= 0 || !LeftOver(pid)) continue;
      const std::string path = (slash == std::string::npos ? "" : folder) + entry->d_name;
      leftOver.push_back(path);
      struct stat st;
      // Only a complete image holds the whole list; a cut one would lose the stations after
      // the cut if it were restored.
      if (stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) &&
          static_cast<std::size_t>(st.st_size) >= kStationFileSize &&
          (newest.empty() || Newer(st, newestStat))) {
        newest = path;
        newestStat = st;
      }
    }
    closedir(dir);
  }
  if (!newest.empty()) {
    struct stat kept;
    if (stat(recovery.c_str(), &kept) != 0 || Newer(newestStat, kept)) {
      // Should the rename fail, the file stays: it may be the only copy of the edits.
      rename(newest.c_str(), recovery.c_str());
      leftOver.erase(std::find(leftOver.begin(), leftOver.end(), newest));
    }
  }
  for (const std::string& path : leftOver) unlink(path.c_str());

  if (access(recovery.c_str(), F_OK) != 0) return false;
  if (SameContent(recovery, path_)) {
    DropRecovery();
    return false;
  }
  return true;
}

std::string StationFile::ReadRecovery(MemoData& data) const {
  std::vector<std::uint8_t> bytes;
  int error = 0;
  if (!ReadWhole(RecoveryPath(), bytes, error)) return ErrorText(error);
  if (bytes.size() < kStationFileSize) return text::Tr("StationFile", "ファイルが短すぎます");
  DecodeMemoData(bytes.data(), bytes.size(), data);
  return "";
}

void StationFile::DropRecovery() const { unlink(RecoveryPath().c_str()); }

std::string FreqToText(std::int32_t value) {
  const std::string s = std::string(9, ' ') + std::to_string(value);
  const std::string last = s.substr(s.size() - 10);
  return last.substr(0, 4) + "." + last.substr(4, 4);
}

std::string StepToText(std::int32_t value) {
  const std::string s = std::string(9, ' ') + std::to_string(value);
  const std::string last = s.substr(s.size() - 7);
  return last.substr(0, 4) + "." + last.substr(4, 2);
}

namespace {

// Digits are gathered behind a leading "0", the point remembers the digit position, any "-"
// makes the value negative and every other byte is ignored; then `decimals` places are kept.
std::int32_t TextToScaled(std::string_view text, std::size_t decimals) {
  std::string digits = "0";
  std::size_t point = 0;
  bool negative = false;
  for (const char c : text) {
    if (c >= '0' && c <= '9') {
      digits.push_back(c);
    } else if (c == '.') {
      point = digits.size();
    } else if (c == '-') {
      negative = true;
    }
  }
  digits.append(decimals, '0');
  const std::size_t keep = point + decimals;
  std::int64_t value = 0;
  for (std::size_t i = 0; i < keep; ++i) {
    value = value * 10 + (digits[i] - '0');
    if (value > std::int64_t{INT32_MAX} + 1) return 0;
  }
  if (negative) value = -value;
  if (value > INT32_MAX || value < INT32_MIN) return 0;
  return static_cast<std::int32_t>(value);
}

}  // namespace

std::int32_t TextToFreq(std::string_view text) { return TextToScaled(text, 6); }

std::int32_t TextToStep(std::string_view text) { return TextToScaled(text, 3); }

std::string NormalizeMode(std::string_view text) {
  static constexpr std::pair<std::string_view, std::string_view> kKeys[] = {
      {"LSBlsb", "LSB"},     {"USBusb", "USB"},   {"A Ma mAMam", "A M"}, {"AMWamwam", "AMW"},
      {"F Mf mFMfm", "F M"}, {"NFMNnfmn", "FMN"}, {"WFMWwfmw", "WFM"},
  };
  while (!text.empty() && static_cast<unsigned char>(text.front()) <= ' ') text.remove_prefix(1);
  while (!text.empty() && static_cast<unsigned char>(text.back()) <= ' ') text.remove_suffix(1);
  if (text.empty()) return "";
  for (const auto& [key, name] : kKeys) {
    if (key.find(text) != std::string_view::npos) return std::string(name);
  }
  return "";
}
