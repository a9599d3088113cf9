#include "scan/skip_list.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <iterator>

#include "base/file_save.h"
#include "scan/identification.h"
#include "stations/station_csv.h"
#include "stations/station_file.h"

namespace {

// A file far larger than kMaxSkips lines is not ours.
constexpr std::size_t kMaxFileBytes = 4 << 20;

bool ParseHz(std::string_view text, std::int32_t& hz) {
  if (text.empty() || text.size() > 10) return false;
  std::int64_t v = 0;
  for (const char c : text) {
    if (c < '0' || c > '9') return false;
    v = v * 10 + (c - '0');
  }
  if (v <= 0 || v > INT32_MAX) return false;
  hz = static_cast<std::int32_t>(v);
  return true;
}

}  // namespace

int SkipModeNumber(std::string_view text) {
  const std::string name = NormalizeMode(text);
  for (int m = 1; m <= 7; ++m)
    if (!name.empty() && ModeText(m) == name) return m;
  return 0;
}

namespace {

// A line break inside a name would split the line when read back.
std::string OneLine(std::string_view text) {
  std::string out(text);
  std::replace_if(
      out.begin(), out.end(), [](char c) { return c == '\n' || c == '\r'; }, ' ');
  return out;
}

bool ByFrequency(const SkipEntry& a, const SkipEntry& b) { return a.frequency < b.frequency; }

}  // namespace

std::string SkipCsvText(const std::vector<SkipEntry>& entries) {
  std::string text(kSkipHeader);
  text += '\n';
  for (const SkipEntry& e : entries) {
    if (e.temporary) continue;
    text += std::to_string(e.frequency) + "," + CsvField(ModeText(e.mode)) + "," +
            CsvField(OneLine(e.name)) + "," + CsvField(OneLine(e.added)) + "\n";
  }
  return text;
}

std::vector<SkipEntry> ReadSkipCsv(std::string_view bytes) {
  std::vector<SkipEntry> out;
  if (bytes.starts_with("\xEF\xBB\xBF")) bytes.remove_prefix(3);
  // Line by line, so that one damaged line costs only itself.
  while (!bytes.empty() && out.size() < kMaxSkips) {
    const std::size_t end = bytes.find('\n');
    std::string_view line = bytes.substr(0, end);
    bytes.remove_prefix(end == std::string_view::npos ? bytes.size() : end + 1);
    if (line.ends_with('\r')) line.remove_suffix(1);
    std::vector<std::vector<std::string>> rows;
    std::string error;
    if (line.empty() || !SplitCsv(line, rows, error) || rows.size() != 1) continue;
    const auto& cells = rows[0];
    SkipEntry e;
    if (cells.empty() || !ParseHz(cells[0], e.frequency)) continue;  // the header too
    if (cells.size() > 1) e.mode = SkipModeNumber(cells[1]);
    if (cells.size() > 2) e.name = cells[2];
    if (cells.size() > 3) e.added = cells[3];
    out.push_back(std::move(e));
  }
  std::stable_sort(out.begin(), out.end(), ByFrequency);
  out.erase(std::unique(
                out.begin(), out.end(),
                [](const SkipEntry& a, const SkipEntry& b) { return a.frequency == b.frequency; }),
            out.end());
  return out;
}

std::string SkipList::Load() {
  entries_.clear();
  if (path_.empty()) return {};
  std::ifstream in(path_, std::ios::binary);
  if (!in) return errno == ENOENT ? std::string() : std::strerror(errno);
  std::string bytes(kMaxFileBytes, '\0');
  in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  bytes.resize(static_cast<std::size_t>(in.gcount()));
  entries_ = ReadSkipCsv(bytes);
  return {};
}

bool SkipList::Skips(std::int32_t channel, std::int32_t step) const {
  if (entries_.empty()) return false;
  // Skipped by s when channel - step/2 < s <= channel + step/2, in doubled hertz so a
  // half step needs no rounding; a step of 0 matches the frequency itself.
  const std::int64_t s = std::max<std::int32_t>(step, 0);
  const std::int64_t c = channel;
  const auto at = std::partition_point(entries_.begin(), entries_.end(), [&](const SkipEntry& e) {
    return s == 0 ? e.frequency < c : 2 * (e.frequency - c) <= -s;
  });
  if (at == entries_.end()) return false;
  return s == 0 ? at->frequency == c : 2 * (at->frequency - c) <= s;
}

const SkipEntry* SkipList::Find(std::int32_t frequency) const {
  const auto at =
      std::lower_bound(entries_.begin(), entries_.end(), frequency,
                       [](const SkipEntry& e, std::int32_t f) { return e.frequency < f; });
  return at != entries_.end() && at->frequency == frequency ? &*at : nullptr;
}

SkipList::Change SkipList::Add(SkipEntry entry) {
  Change change;
  if (entry.frequency <= 0) return change;
  entry.name = OneLine(entry.name);
  const auto at = std::lower_bound(entries_.begin(), entries_.end(), entry, ByFrequency);
  if (at != entries_.end() && at->frequency == entry.frequency) {
    if (!at->temporary || entry.temporary) return change;
    *at = std::move(entry);
  } else {
    if (entries_.size() >= kMaxSkips) return change;
    entries_.insert(at, std::move(entry));
  }
  change.changed = true;
  change.error = Save();
  return change;
}

SkipList::Change SkipList::Remove(std::int32_t frequency) {
  Change change;
  const auto at =
      std::lower_bound(entries_.begin(), entries_.end(), frequency,
                       [](const SkipEntry& e, std::int32_t f) { return e.frequency < f; });
  if (at == entries_.end() || at->frequency != frequency) return change;
  const bool lasting = !at->temporary;
  entries_.erase(at);
  change.changed = true;
  if (lasting) change.error = Save();
  return change;
}

std::string SkipList::Save() const {
  if (path_.empty()) return {};
  return SaveFile(ResolvedPath(path_), SkipCsvText(entries_)).error;
}
