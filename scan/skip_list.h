// Frequencies the scan steps over without reading the squelch: channels the listener found
// always busy. Kept in the data folder's skip.csv (frequency in Hz, mode, name, date added;
// UTF-8 with a header), read at start and written whole after every change. A temporary skip
// lasts until the program ends and is never written.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

struct SkipEntry {
  std::int32_t frequency = 0;  // Hz
  int mode = 0;                // 1..7, 0 = none
  std::string name;            // UTF-8
  std::string added;           // "2026-12-08"
  bool temporary = false;
  bool operator==(const SkipEntry&) const = default;
};

inline constexpr std::string_view kSkipFileName = "skip.csv";
inline constexpr std::string_view kSkipHeader = "Frequency (Hz),Mode,Name,Added";
// More than this many skips is not a list a listener keeps; the rest of a file is not read.
inline constexpr std::size_t kMaxSkips = 10000;

// The mode number (1..7) of a mode name as the scan log writes it; 0 for none.
int SkipModeNumber(std::string_view text);

// The file's text: the header and the lasting skips, one a line.
std::string SkipCsvText(const std::vector<SkipEntry>& entries);
// The skips of a file's bytes, sorted by frequency, one per frequency; damaged lines (a
// frequency that is not a positive whole number of hertz, a quote left open) are left out.
std::vector<SkipEntry> ReadSkipCsv(std::string_view bytes);

class SkipList {
 public:
  // Where the list lives; empty keeps it in memory only.
  void SetPath(std::string path) { path_ = std::move(path); }
  const std::string& Path() const { return path_; }
  // Reads the file; a missing file is an empty list. The reason when it cannot be read.
  std::string Load();

  const std::vector<SkipEntry>& Entries() const { return entries_; }
  bool Empty() const { return entries_.empty(); }
  // Whether the channel lies within half a step of a skipped frequency: one channel of any
  // grid of that step per skip, the lower one when a skip lies halfway between two.
  bool Skips(std::int32_t channel, std::int32_t step) const;
  const SkipEntry* Find(std::int32_t frequency) const;

  struct Change {
    bool changed = false;  // false: already there (add) or not there (remove), or full
    std::string error;     // the file could not be written; the list has the change anyway
  };
  // A skip at a frequency already listed is not added again (a temporary one made lasting is).
  Change Add(SkipEntry entry);
  Change Remove(std::int32_t frequency);

 private:
  std::string Save() const;

  std::string path_;
  std::vector<SkipEntry> entries_;  // by frequency
};
