#include "scanlog/scan_log.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <ctime>

#include "base/ini_file.h"
#include "base/line_append.h"
#include "base/text.h"
#include "scan/identification.h"
#include "stations/cp932.h"
#include "stations/station_csv.h"

namespace {

constexpr const char* kSection = "LOG";
constexpr const char* kKey = "ScanLog";

std::string MhzText(std::int32_t hz) {
  char text[32];
  std::snprintf(text, sizeof text, "%d.%06d", hz / 1'000'000, hz % 1'000'000);
  return text;
}

// "145.500000" (up to six decimals) as hertz; nullopt for anything else.
std::optional<std::int32_t> MhzValue(std::string_view text) {
  std::int64_t whole = 0, fraction = 0;
  int decimals = -1;
  if (text.empty()) return std::nullopt;
  for (const char c : text) {
    if (c == '.' && decimals < 0) {
      decimals = 0;
    } else if (c >= '0' && c <= '9') {
      if (decimals < 0) {
        whole = whole * 10 + (c - '0');
        if (whole > 2'147) return std::nullopt;
      } else if (++decimals <= 6) {
        fraction = fraction * 10 + (c - '0');
      } else {
        return std::nullopt;
      }
    } else {
      return std::nullopt;
    }
  }
  for (int d = std::max(decimals, 0); d < 6; ++d) fraction *= 10;
  const std::int64_t hz = whole * 1'000'000 + fraction;
  if (hz > INT32_MAX) return std::nullopt;
  return static_cast<std::int32_t>(hz);
}

}  // namespace

LocalTime LocalNow() {
  const std::time_t now = std::time(nullptr);
  std::tm tm{};
  localtime_r(&now, &tm);
  return {tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec};
}

std::string DayText(const LocalTime& t) {
  char text[32];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d", t.year, t.month, t.day);
  return text;
}

std::string TimeText(const LocalTime& t) {
  char text[32];
  std::snprintf(text, sizeof text, " %02d:%02d:%02d", t.hour, t.minute, t.second);
  return DayText(t) + text;
}

std::string ScanLogFileName(std::string_view day) { return "scanlog-" + std::string(day) + ".csv"; }

std::string ScanLogLine(const ScanLogEntry& e) {
  std::string line = CsvField(e.time) + "," + MhzText(e.frequency) + "," + CsvField(e.band) + "," +
                     CsvField(e.station) + "," + CsvField(e.mode) + "," +
                     (e.level >= 0 ? std::to_string(e.level) : std::string());
  if (e.held > 0 || e.priority)
    line += "," + (e.held > 0 ? std::to_string(e.held) : std::string()) + (e.priority ? ",P" : "");
  return line;
}

namespace {

// Days since 1970-01-01 of a civil date (proleptic Gregorian).
std::int64_t DaysFromCivil(std::int64_t y, int m, int d) {
  y -= m <= 2;
  const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
  const std::int64_t yoe = y - era * 400;
  const std::int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const std::int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;
}

std::int64_t Seconds(const LocalTime& t) {
  return DaysFromCivil(t.year, t.month, t.day) * 86400 + t.hour * 3600 + t.minute * 60 + t.second;
}

}  // namespace

std::int64_t SecondsBetween(const LocalTime& from, const LocalTime& to) {
  return Seconds(to) - Seconds(from);
}

std::vector<ActivityRow> Activity(const std::vector<ScanLogEntry>& entries) {
  std::vector<ActivityRow> rows;
  for (const ScanLogEntry& e : entries) {
    auto at =
        std::lower_bound(rows.begin(), rows.end(), e.frequency,
                         [](const ActivityRow& r, std::int32_t f) { return r.frequency < f; });
    if (at == rows.end() || at->frequency != e.frequency) at = rows.insert(at, {e.frequency});
    ++at->stops;
    at->seconds += std::max(e.held, 0);
    at->level = std::max(at->level, e.level);
  }
  return rows;
}

std::vector<ScanLogEntry> ReadScanLog(std::string_view bytes) {
  std::vector<ScanLogEntry> out;
  if (bytes.starts_with("\xEF\xBB\xBF")) bytes.remove_prefix(3);
  std::vector<std::vector<std::string>> rows;
  std::string error;
  // A line cut short by a crash may leave a quote open: the lines before it still count.
  if (!SplitCsv(bytes, rows, error)) {
    const std::size_t last = bytes.rfind('\n');
    rows.clear();
    if (last == std::string_view::npos || !SplitCsv(bytes.substr(0, last), rows, error)) return out;
  }
  for (const auto& cells : rows) {
    if (cells.size() < 6) continue;
    const auto hz = MhzValue(cells[1]);
    if (!hz) continue;  // the header, or a damaged line
    ScanLogEntry e;
    e.time = cells[0];
    e.frequency = *hz;
    e.band = cells[2];
    e.station = cells[3];
    e.mode = cells[4];
    if (!cells[5].empty()) {
      int level = 0;
      bool digits = cells[5].size() <= 3;
      for (const char c : cells[5]) {
        if (c < '0' || c > '9') digits = false;
        if (digits) level = level * 10 + (c - '0');
      }
      if (digits) e.level = level;
    }
    // Held seconds and the priority mark, when the line has them.
    if (cells.size() > 6 && !cells[6].empty() && cells[6].size() <= 6 &&
        std::all_of(cells[6].begin(), cells[6].end(), [](char c) { return c >= '0' && c <= '9'; }))
      e.held = std::stoi(cells[6]);
    e.priority = cells.size() > 7 && cells[7] == "P";
    out.push_back(std::move(e));
  }
  return out;
}

bool FileLineAppender::Append(const std::string& path, std::string_view header,
                              std::string_view line, std::string& error) {
  return AppendWithHeader(path, header, std::string(line) + '\n', error);
}

std::string ScanLog::PathFor(std::string_view day) const {
  const std::string name = ScanLogFileName(day);
  return folder_.empty() ? name : folder_ + "/" + name;
}

void ScanLog::StopBegins(const Stop& stop) {
  pending_.reset();
  if (!Enabled) return;
  const LocalTime now = clock_();
  ScanLogEntry e;
  e.time = TimeText(now);
  e.frequency = stop.frequency;
  e.band = Cp932ToUtf8(stop.band);
  e.station = Cp932ToUtf8(stop.station);
  e.mode = ModeText(stop.mode);
  e.priority = stop.priority;
  pending_ = std::move(e);
  pendingDay_ = DayText(now);
  pendingStart_ = now;
}

void ScanLog::SignalReading(int level) {
  if (pending_) pending_->level = std::max(pending_->level, level);
}

void ScanLog::StopEnds() {
  if (!pending_) return;
  ScanLogEntry entry = std::move(*pending_);
  pending_.reset();
  // A clock set back during the stop counts nothing.
  entry.held = static_cast<int>(
      std::clamp<std::int64_t>(SecondsBetween(pendingStart_, clock_()), 0, 24 * 3600));
  // Switched off during the stop: the stop is not kept.
  if (!Enabled || !appender_) return;
  std::string error;
  if (appender_->Append(PathFor(pendingDay_), kScanLogHeader, ScanLogLine(entry), error)) {
    view_->ShowLogLine(pendingDay_, entry);
  } else if (!failureTold_) {
    failureTold_ = true;
    view_->ShowLogWriteFailed(text::Arg(
        text::Tr("ScanLog",
                 "スキャン記録を書き込めません。\n%1\n%2\n\nスキャンはそのまま続けます。"),
        {PathFor(pendingDay_), error}));
  }
}

void ReadScanLogSettings(const IniFile& ini, ScanLog& log) {
  log.Enabled = ini.ReadInteger(kSection, kKey, log.Enabled ? 1 : 0) != 0;
}

void WriteScanLogSettings(IniFile& ini, const ScanLog& log) {
  ini.WriteInteger(kSection, kKey, log.Enabled ? 1 : 0);
}
