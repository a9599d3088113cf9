// The station table MemoData, its file ICLIST.DAT (10,011 records of 148 bytes, no header),
// and the text forms of the record's numeric fields.
#pragma once

#include <sys/types.h>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "base/file_save.h"
#include "stations/memo_record.h"

inline constexpr int kMemoCount = 10011;      // records 0..10010
inline constexpr int kStationCount = 10000;   // records 1..10000 are stations
inline constexpr int kMemoryKeyBase = 10000;  // key Fk uses record 10000 + k
inline constexpr std::size_t kStationFileSize = kMemoCount * kMemoRecordSize;  // 1,481,628
inline constexpr const char* kStationFileName = "ICLIST.DAT";

// The 10,011 records, numbered by MemoNo 0..10010. Kept on the heap: 1.5 MB.
class MemoData {
 public:
  MemoData() : records_(kMemoCount) {}
  MemoRecord& operator[](int memoNo) { return records_[static_cast<std::size_t>(memoNo)]; }
  const MemoRecord& operator[](int memoNo) const {
    return records_[static_cast<std::size_t>(memoNo)];
  }
  static constexpr int size() { return kMemoCount; }
  void Clear() { records_.assign(kMemoCount, MemoRecord{}); }
  bool operator==(const MemoData&) const = default;

 private:
  std::vector<MemoRecord> records_;
};

// The file image of the table, and the table read back from an image of any length: whole
// records are taken, the rest stay zero. Returns the number of whole records taken.
std::vector<std::uint8_t> EncodeMemoData(const MemoData& data);
int DecodeMemoData(const std::uint8_t* bytes, std::size_t size, MemoData& data);

struct StationLoadResult {
  enum Outcome {
    kLoaded,        // the whole file was read
    kCreated,       // there was no file; an empty one was written
    kCreateFailed,  // there was no file and none could be made; the list starts empty
    kDamaged,       // short or unreadable: what could be read is loaded
  };
  Outcome outcome = kLoaded;
  int recordsRead = 0;
  std::string message;  // shown once by the window program when not empty
};

struct StationSaveResult {
  enum Outcome { kNotNeeded, kSaved, kFailed };
  Outcome outcome = kNotNeeded;
  std::string message;  // the reason when the save failed, shown by the window program
  bool ok() const { return outcome != kFailed; }
};

// ICLIST.DAT in the working folder (or another path, for tests and tools). Remembers from
// loading whether the file on disk was damaged, so the first save keeps it as ".bak".
class StationFile {
 public:
  explicit StationFile(std::string path = kStationFileName) : path_(std::move(path)) {}
  const std::string& Path() const { return path_; }

  // Fills `data` from the file, creating an empty file when there is none. `progress` gets
  // trunc(n / 10010 * 10) as record n is read (0..10), each value once.
  StationLoadResult DataRead(MemoData& data, const std::function<void(int)>& progress = {});

  // Writes the whole table only when it changed and the user chose to save (ExitChoice 1).
  // Bytes after the last record of the old file are carried over.
  StationSaveResult DataWrite(const MemoData& data, bool dataChanged, int exitChoice,
                              const AtomicWriteOptions& options = {});

  // The recovery file "<list>.unsaved": a changed list that could not be saved (the session
  // ended with no one to ask, or the save failed), offered at the next start.
  std::string RecoveryPath() const { return path_ + ".unsaved"; }
  // Writes the whole table there; an empty text on success, else the reason.
  std::string WriteRecovery(const MemoData& data, const AtomicWriteOptions& options = {}) const;
  // At start, before the list is used: the temporary files of a save that died are removed,
  // the newest complete one becoming the recovery file when it is newer than the one there.
  // A recovery file that holds what the list file holds is removed too. Returns true when a
  // recovery file is left to offer.
  bool PrepareRecovery() const;
  // The recovery file into `data` (left as it was on failure); the reason on failure.
  std::string ReadRecovery(MemoData& data) const;
  void DropRecovery() const;

 private:
  std::string path_;
  bool keepBackup_ = false;
};

// Text forms of the numeric fields. An underscore in the comments stands for a space.
// FreqToText(145000000) = "_145.0000"; StepToText(12500) = "__12.50".
std::string FreqToText(std::int32_t value);
std::string StepToText(std::int32_t value);
// MHz text to Hz and kHz text to Hz (or MHz to kHz for a shift); 0 when no valid number.
std::int32_t TextToFreq(std::string_view text);
std::int32_t TextToStep(std::string_view text);
// Any typed mode text to one of the seven mode names, or the empty text.
std::string NormalizeMode(std::string_view text);
