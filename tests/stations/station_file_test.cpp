// Loading and saving ICLIST.DAT: creation, damaged files, and saves that must never lose the
// old list.
#include "stations/station_file.h"

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <set>

#include "stations/station_index.h"
#include "stations/station_list.h"
#include "tests/stations/temp_folder.h"

namespace {

MemoRecord Station(std::int32_t frequency, std::string_view name) {
  MemoRecord r;
  r.Frequency = frequency;
  r.Name.Assign(name);
  return r;
}

MemoRecord EveryField(std::int32_t seed) {
  MemoRecord r;
  r.Reserved = seed ^ 0x5A5A5A5A;
  r.Frequency = seed;
  r.Frequency2 = seed + 1000;
  r.Mode = 7;
  r.Step = 6250;
  r.Shift = -seed % 1000;
  r.Select = 5;
  r.Name.Assign("\x93\x8C\x8B\x9E name");  // CP932 bytes stay as they are
  r.Address.Assign("address");
  r.Type.Assign("type");
  r.Etc.Assign(std::string(50, 'e'));
  return r;
}

TEST(StationFileRead, MissingFileIsCreatedEmptyWithProgressToTen) {
  TempFolder dir;
  StationFile file(dir / "ICLIST.DAT");
  MemoData data;
  data[5].Frequency = 1;  // loading replaces whatever was there
  std::vector<int> progress;
  const auto result = file.DataRead(data, [&](int v) { progress.push_back(v); });

  EXPECT_EQ(result.outcome, StationLoadResult::kCreated);
  EXPECT_TRUE(result.message.empty());
  EXPECT_EQ(progress, (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10}));
  EXPECT_EQ(data, MemoData{});
  EXPECT_EQ(ReadFileBytes(dir / "ICLIST.DAT"), std::string(1481628, '\0'));
}

TEST(StationFileRead, OneStationAtRecordOneIsTheOnlyListedOne) {
  TempFolder dir;
  std::string image(kStationFileSize, '\0');
  const std::int32_t f = 145000000;
  for (int i = 0; i < 4; ++i) image[148 + 4 + i] = static_cast<char>(f >> (8 * i));
  image[148 + 28] = 40;  // a damaged Name length byte
  WriteFileBytes(dir / "ICLIST.DAT", image);

  StationFile file(dir / "ICLIST.DAT");
  MemoData data;
  const auto result = file.DataRead(data);
  EXPECT_EQ(result.outcome, StationLoadResult::kLoaded);
  EXPECT_EQ(result.recordsRead, kMemoCount);
  EXPECT_EQ(data[1].Frequency, f);
  EXPECT_EQ(data[1].Name.View().size(), 30u);

  StationIndexes indexes;
  indexes.AutoMode_IdxInit(data);
  EXPECT_EQ(indexes.AllIndex.Count(), 1);
  EXPECT_EQ(indexes.AllIndex[1], 1);
  EXPECT_EQ(indexes.SingleIndex.Count(), 1);
  EXPECT_EQ(indexes.SingleIndex[1], 1);
  EXPECT_EQ(indexes.BandIndex.Count(), 0);
}

TEST(StationFileWrite, WritesOnlyWhenChangedAndSaveWasChosen) {
  TempFolder dir;
  StationFile file(dir / "ICLIST.DAT");
  MemoData data;
  file.DataRead(data);
  data[1] = Station(145000000, "A");
  for (const auto& [changed, choice] : {std::pair{false, 1}, {true, 0}, {true, 2}}) {
    EXPECT_EQ(file.DataWrite(data, changed, choice).outcome, StationSaveResult::kNotNeeded);
    EXPECT_EQ(ReadFileBytes(dir / "ICLIST.DAT"), std::string(kStationFileSize, '\0'));
  }
  EXPECT_EQ(file.DataWrite(data, true, 1).outcome, StationSaveResult::kSaved);
  EXPECT_NE(ReadFileBytes(dir / "ICLIST.DAT"), std::string(kStationFileSize, '\0'));
}

TEST(StationFileWrite, RoundTripKeepsEveryFieldAndTheBytesAfterTheRecords) {
  TempFolder dir;
  WriteFileBytes(dir / "ICLIST.DAT", std::string(kStationFileSize, '\0') + "TRAILER");
  StationFile file(dir / "ICLIST.DAT");
  MemoData data;
  ASSERT_EQ(file.DataRead(data).outcome, StationLoadResult::kLoaded);
  for (const int n : {0, 1, 5000, 10000, 10001, 10008, 10009, 10010}) data[n] = EveryField(n + 7);

  ASSERT_TRUE(file.DataWrite(data, true, 1).ok());
  const std::string bytes = ReadFileBytes(dir / "ICLIST.DAT");
  ASSERT_EQ(bytes.size(), kStationFileSize + 7);
  EXPECT_EQ(bytes.substr(kStationFileSize), "TRAILER");
  EXPECT_EQ(dir.Names(), std::vector<std::string>{"ICLIST.DAT"});

  MemoData back;
  StationFile again(dir / "ICLIST.DAT");
  EXPECT_EQ(again.DataRead(back).outcome, StationLoadResult::kLoaded);
  EXPECT_EQ(back, data);
}

class StationFileFailedSave : public ::testing::Test {
 protected:
  void SetUp() override {
    path = dir / "ICLIST.DAT";
    MemoData old;
    old[1] = Station(145000000, "OLD");
    WriteFileBytes(path, std::string(reinterpret_cast<const char*>(EncodeMemoData(old).data()),
                                     kStationFileSize));
    oldBytes = ReadFileBytes(path);
    ASSERT_EQ(file.DataRead(data).outcome, StationLoadResult::kLoaded);
    data[1] = Station(433000000, "NEW");
  }
  void ExpectOldFileKept(const StationSaveResult& result) {
    EXPECT_EQ(result.outcome, StationSaveResult::kFailed);
    EXPECT_NE(result.message.find(path + " に書き込めません"), std::string::npos) << result.message;
    EXPECT_NE(result.message.find("保存されていません"), std::string::npos);
    EXPECT_EQ(ReadFileBytes(path), oldBytes);
    EXPECT_EQ(dir.Names(), std::vector<std::string>{"ICLIST.DAT"});
  }
  TempFolder dir;
  std::string path;
  std::string oldBytes;
  StationFile file{dir / "ICLIST.DAT"};
  MemoData data;
};

TEST_F(StationFileFailedSave, WriterFailingHalfWayLeavesTheOldFile) {
  std::size_t written = 0;
  AtomicWriteOptions options;
  options.write = [&](int fd, const void* p, std::size_t n) -> ssize_t {
    if (written > kStationFileSize / 2) {
      errno = EIO;
      return -1;
    }
    const std::size_t part = std::min<std::size_t>(n, 4096);  // short writes are retried
    written += part;
    return ::write(fd, p, part);
  };
  ExpectOldFileKept(file.DataWrite(data, true, 1, options));
}

TEST_F(StationFileFailedSave, FullDiskLeavesTheOldFile) {
  struct rlimit saved;
  ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
  const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
  struct rlimit small = saved;
  small.rlim_cur = 100000;
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
  const auto result = file.DataWrite(data, true, 1);
  setrlimit(RLIMIT_FSIZE, &saved);
  std::signal(SIGXFSZ, oldHandler);
  ExpectOldFileKept(result);
  EXPECT_NE(result.message.find(std::strerror(EFBIG)), std::string::npos) << result.message;
}

// A folder the user may not write to: no new file can be made beside the list. (Made by a
// seam, since a test run as root could write into any folder.)
AtomicWriteOptions NoNewFiles() {
  AtomicWriteOptions options;
  options.openTemp = [](const char*, int, mode_t) {
    errno = EACCES;
    return -1;
  };
  return options;
}

TEST_F(StationFileFailedSave, AFolderThatTakesNoNewFileGetsTheListWrittenInPlace) {
  // A longer old file is cut to the new length; its tail is carried over as usual.
  WriteFileBytes(path, oldBytes + "TAIL");
  ASSERT_TRUE(file.DataWrite(data, true, 1, NoNewFiles()).ok());
  EXPECT_EQ(dir.Names(), std::vector<std::string>{"ICLIST.DAT"});
  const std::string bytes = ReadFileBytes(path);
  ASSERT_EQ(bytes.size(), kStationFileSize + 4);
  MemoData back;
  StationFile(path).DataRead(back);
  EXPECT_EQ(back[1].Frequency, 433000000);
}

TEST_F(StationFileFailedSave, AWriteInPlaceThatFailsSaysTheFileMayBeChanged) {
  AtomicWriteOptions options = NoNewFiles();
  options.write = [](int fd, const void* p, std::size_t n) -> ssize_t {
    if (lseek(fd, 0, SEEK_CUR) >= 4096) {
      errno = ENOSPC;
      return -1;
    }
    return ::write(fd, p, std::min<std::size_t>(n, 4096));
  };
  const auto result = file.DataWrite(data, true, 1, options);
  EXPECT_EQ(result.outcome, StationSaveResult::kFailed);
  EXPECT_NE(result.message.find(path + " に書き込めません"), std::string::npos);
  EXPECT_NE(result.message.find("書き換わっている可能性"), std::string::npos) << result.message;
}

TEST(StationFileWrite, NoNewFileAndNoOldOneIsReportedAsBefore) {
  TempFolder dir;
  const FileSaveResult saved = SaveFile(dir / "ICLIST.DAT", "abc", NoNewFiles());
  EXPECT_EQ(saved.error, std::strerror(EACCES));  // the first reason stands
  EXPECT_FALSE(saved.oldFileChanged);
  EXPECT_TRUE(dir.Names().empty());
}

TEST(StationFileWrite, UnwritableFolderIsReported) {
  TempFolder dir;
  StationFile file(dir / "missing/ICLIST.DAT");
  MemoData data;
  const auto loaded = file.DataRead(data);
  EXPECT_EQ(loaded.outcome, StationLoadResult::kCreateFailed);
  EXPECT_FALSE(loaded.message.empty());
  const auto saved = file.DataWrite(data, true, 1);
  EXPECT_EQ(saved.outcome, StationSaveResult::kFailed);
  EXPECT_NE(saved.message.find("に書き込めません"), std::string::npos);
}

TEST(StationFileDamaged, ShortFileLoadsWholeRecordsAndIsKeptBeforeTheFirstSave) {
  TempFolder dir;
  MemoData full;
  for (int n = 1; n <= 3; ++n) full[n] = Station(100000000 * n, "S");
  const auto image = EncodeMemoData(full);
  // Two whole records and a part of the third.
  const std::string shortImage(reinterpret_cast<const char*>(image.data()), 148 * 3 + 60);
  WriteFileBytes(dir / "ICLIST.DAT", shortImage);

  StationFile file(dir / "ICLIST.DAT");
  MemoData data;
  std::vector<int> progress;
  const auto result = file.DataRead(data, [&](int v) { progress.push_back(v); });
  EXPECT_EQ(result.outcome, StationLoadResult::kDamaged);
  EXPECT_EQ(result.recordsRead, 3);
  EXPECT_NE(result.message.find("ICLIST.DAT.bak"), std::string::npos);
  EXPECT_EQ(progress.back(), 10);
  EXPECT_EQ(data[1].Frequency, 100000000);
  EXPECT_EQ(data[2].Frequency, 200000000);
  EXPECT_EQ(data[3].Frequency, 0);  // only partly in the file

  ASSERT_TRUE(file.DataWrite(data, true, 1).ok());
  EXPECT_EQ(ReadFileBytes(dir / "ICLIST.DAT.bak"), shortImage);
  EXPECT_EQ(ReadFileBytes(dir / "ICLIST.DAT").size(), kStationFileSize);

  // Later saves write over a sound file and leave the backup alone.
  data[4] = Station(1, "X");
  ASSERT_TRUE(file.DataWrite(data, true, 1).ok());
  EXPECT_EQ(ReadFileBytes(dir / "ICLIST.DAT.bak"), shortImage);
}

TEST(StationFileDamaged, UnreadableFileStartsEmptyAndIsKept) {
  TempFolder dir;
  ASSERT_EQ(mkdir((dir / "ICLIST.DAT").c_str(), 0755), 0);  // a folder cannot be read as a list
  StationFile file(dir / "ICLIST.DAT");
  MemoData data;
  const auto result = file.DataRead(data);
  EXPECT_EQ(result.outcome, StationLoadResult::kDamaged);
  EXPECT_FALSE(result.message.empty());
  EXPECT_EQ(data, MemoData{});
}

TEST(StationFileWrite, FollowsASymbolicLinkAndKeepsPermissions) {
  TempFolder dir;
  ASSERT_EQ(mkdir((dir / "real").c_str(), 0755), 0);
  WriteFileBytes(dir / "real/ICLIST.DAT", std::string(kStationFileSize, '\0'));
  ASSERT_EQ(chmod((dir / "real/ICLIST.DAT").c_str(), 0640), 0);
  ASSERT_EQ(symlink((dir / "real/ICLIST.DAT").c_str(), (dir / "ICLIST.DAT").c_str()), 0);

  StationFile file(dir / "ICLIST.DAT");
  MemoData data;
  file.DataRead(data);
  data[1] = Station(1000000, "L");
  ASSERT_TRUE(file.DataWrite(data, true, 1).ok());
  struct stat st;
  ASSERT_EQ(lstat((dir / "ICLIST.DAT").c_str(), &st), 0);
  EXPECT_TRUE(S_ISLNK(st.st_mode));
  ASSERT_EQ(stat((dir / "real/ICLIST.DAT").c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0640u);
  MemoData back;
  StationFile(dir / "real/ICLIST.DAT").DataRead(back);
  EXPECT_EQ(back[1].Frequency, 1000000);
}

TEST(StationFileRecovery, LeftOverSavesAreClearedAndTheNewestWholeOneIsOffered) {
  TempFolder dir;
  StationFile file(dir / "ICLIST.DAT");
  MemoData edited;
  edited[1] = Station(145000000, "A");
  const auto image = EncodeMemoData(edited);
  const std::string whole(reinterpret_cast<const char*>(image.data()), image.size());
  const std::string running = "ICLIST.DAT.tmp-" + std::to_string(getppid()) + "-0";
  WriteFileBytes(dir / "ICLIST.DAT.tmp-999999999-3", whole.substr(0, 1000));  // cut short
  WriteFileBytes(dir / ("ICLIST.DAT.tmp-" + std::to_string(getpid()) + "-1"), whole);
  WriteFileBytes(dir / running, "x");               // a save under way elsewhere
  WriteFileBytes(dir / "ICLIST.DAT.tmp-x-1", "x");  // not a name of ours
  EXPECT_TRUE(file.PrepareRecovery());
  const auto names = dir.Names();
  EXPECT_EQ(std::set<std::string>(names.begin(), names.end()),
            (std::set<std::string>{"ICLIST.DAT.tmp-x-1", "ICLIST.DAT.unsaved", running}));
  MemoData back;
  EXPECT_EQ(file.ReadRecovery(back), "");
  EXPECT_EQ(back, edited);
  ASSERT_TRUE(file.DataWrite(edited, true, 1).ok());
  EXPECT_FALSE(file.PrepareRecovery());
  EXPECT_NE(access(file.RecoveryPath().c_str(), F_OK), 0);
}

TEST(StationListExit, AFailedSaveKeepsTheEditsForTheNextStart) {
  TempFolder dir;
  StationList list;
  list.File = StationFile(dir / "ICLIST.DAT");
  list.DataChanged = true;
  const auto result = list.SaveOnExit(1, NoNewFiles());
  EXPECT_NE(result.message.find(list.File.RecoveryPath() + " に残しました"), std::string::npos);
  EXPECT_TRUE(list.File.PrepareRecovery());
}

}  // namespace
