// The scan log: every stop of a scan on a signal becomes one line of a CSV file per day in
// the user's data folder: when, where, what the identification rows named there, the mode,
// and the strongest signal level read while the scan held on it. A line is appended and
// flushed when its stop ends, so a crash loses at most the stop under way.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class IniFile;

// What the scan engine tells about a stop on a signal.
class ScanStopObserver {
 public:
  virtual ~ScanStopObserver() = default;
  // The squelch opened during a scan. Texts are the identification rows' CP932 bytes.
  struct Stop {
    std::int32_t frequency = 0;
    std::string band, station;
    int mode = 0;
    bool priority = false;  // on the priority frequency
  };
  virtual void StopBegins(const Stop& stop) = 0;
  // A signal level reading (0..255) while the stop holds.
  virtual void SignalReading(int level) = 0;
  // The scan stepped on, stopped, or the squelch closed.
  virtual void StopEnds() = 0;
};

// A wall-clock moment in local time.
struct LocalTime {
  int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
};
LocalTime LocalNow();
// "2026-12-08" and "2026-12-08 21:30:05".
std::string DayText(const LocalTime& t);
std::string TimeText(const LocalTime& t);

// One line of the log. Texts in UTF-8.
struct ScanLogEntry {
  std::string time;
  std::int32_t frequency = 0;  // Hz
  std::string band, station, mode;
  int level = -1;         // strongest reading; -1 when none came
  int held = 0;           // seconds the stop lasted, as the wall clock counts them
  bool priority = false;  // a stop on the priority frequency
  bool operator==(const ScanLogEntry&) const = default;
};

// The last two cells are written only when they are not empty ("P" marks priority), so a
// line of a plain short stop reads as the six-cell lines of earlier files.
inline constexpr std::string_view kScanLogHeader =
    "Time,Frequency (MHz),Band,Station,Mode,Level,Held (s),Priority";
// The day's file name in the log folder: "scanlog-2026-12-08.csv".
std::string ScanLogFileName(std::string_view day);
std::string ScanLogLine(const ScanLogEntry& entry);
// The entries of a log file's bytes in file order; lines that cannot be read are left out.
std::vector<ScanLogEntry> ReadScanLog(std::string_view bytes);

// The activity on each frequency of some log lines: stops, seconds held, strongest level
// (-1 when none was read), by frequency.
struct ActivityRow {
  std::int32_t frequency = 0;
  int stops = 0;
  int seconds = 0;
  int level = -1;
  bool operator==(const ActivityRow&) const = default;
};
std::vector<ActivityRow> Activity(const std::vector<ScanLogEntry>& entries);
// Seconds from `from` to `to` (whole days counted from the calendar).
std::int64_t SecondsBetween(const LocalTime& from, const LocalTime& to);

// Appends lines to files.
class LineAppender {
 public:
  virtual ~LineAppender() = default;
  // Appends `line` and a line feed to the file at `path`, with `header` first when the file
  // is new or empty, and a line feed first when the file ends in a partial line, and flushes
  // it. False with a reason in `error` when it fails.
  virtual bool Append(const std::string& path, std::string_view header, std::string_view line,
                      std::string& error) = 0;
};

// The appender for real files: one open, write and close per line, so nothing waits in a
// buffer of ours and a file removed meanwhile is made again.
class FileLineAppender : public LineAppender {
 public:
  bool Append(const std::string& path, std::string_view header, std::string_view line,
              std::string& error) override;
};

// What the log shows.
class ScanLogView {
 public:
  virtual ~ScanLogView() = default;
  // A line was written to the file of `day`.
  virtual void ShowLogLine(const std::string& day, const ScanLogEntry& entry) = 0;
  // Writing failed; told once a run, the scan goes on.
  virtual void ShowLogWriteFailed(const std::string& message) = 0;
};

class ScanLog : public ScanStopObserver {
 public:
  bool Enabled = true;  // "ScanLog" in the settings

  void Bind(LineAppender& appender, ScanLogView& view) {
    appender_ = &appender;
    view_ = &view;
  }
  // The clock (tests put a fixed one there).
  void SetClock(std::function<LocalTime()> clock) { clock_ = std::move(clock); }
  void SetFolder(std::string folder) { folder_ = std::move(folder); }
  const std::string& Folder() const { return folder_; }
  std::string PathFor(std::string_view day) const;
  std::string Today() const { return DayText(clock_()); }

  // ScanStopObserver.
  void StopBegins(const Stop& stop) override;
  void SignalReading(int level) override;
  void StopEnds() override;

  bool Holding() const { return pending_.has_value(); }

 private:
  LineAppender* appender_ = nullptr;
  ScanLogView* view_ = nullptr;
  std::function<LocalTime()> clock_ = LocalNow;
  std::string folder_;
  std::optional<ScanLogEntry> pending_;
  std::string pendingDay_;
  LocalTime pendingStart_;
  bool failureTold_ = false;
};

// Section "LOG" of the settings file, after the others: "ScanLog" 0 or 1.
void ReadScanLogSettings(const IniFile& ini, ScanLog& log);
void WriteScanLogSettings(IniFile& ini, const ScanLog& log);
