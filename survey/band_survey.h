// The band survey: any range of up to 5,000 points swept through the band scope's own chain
// (one owner of the receiver, a reading belongs to its frequency, every key that ends the
// scope's sweep ends this one), the latest sweep with peak and minimum hold, a history of
// sweeps kept as bytes, and each finished sweep appended to the day's CSV file.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "scanlog/scan_log.h"
#include "scope/band_scope.h"

class Host;
class IniFile;
class Link;
class StationList;
class Tuning;

// Start, end and step of a survey in Hz; the end lies on the step's grid.
struct SurveyRange {
  std::int32_t start = 0;
  std::int32_t end = 0;
  std::int32_t step = 0;
  int Points() const { return step > 0 ? static_cast<int>((end - start) / step) + 1 : 0; }
  std::int32_t At(int index) const {
    return static_cast<std::int32_t>(start + static_cast<std::int64_t>(index) * step);
  }
  bool operator==(const SurveyRange&) const = default;
};

enum class RangeCheck { Ok, NoStep, OutOfLimits, TooManyPoints, NoBand };

inline constexpr int kSurveyMaxPoints = 5000;

// A range from what the user typed: ends in either order, both kept inside the receiver's
// limits, the end brought down onto the step's grid, at most kSurveyMaxPoints points.
RangeCheck MakeSurveyRange(std::int64_t start, std::int64_t end, std::int64_t step,
                           std::int32_t lower, std::int32_t upper, SurveyRange& out);
// The message for a range refused.
std::string RangeCheckText(RangeCheck check);

// Bytes on the line per point at the given speed: the frequency frame, the signal query,
// their echoes and the reply, 10 bits a byte.
double SurveyWireMs(std::int32_t baudRate);

// The perceptual colour map (viridis) of a level 0..255, as 0xRRGGBB.
std::uint32_t SurveyColour(int level);

// One finished sweep.
struct SurveyRow {
  LocalTime time;
  std::vector<std::uint8_t> levels;
};

// A station or band of the list inside the range, to be marked by name.
struct SurveyMark {
  std::int32_t from = 0;
  std::int32_t to = 0;  // = from for a single station
  std::string name;     // UTF-8
  bool band = false;
};

// What the survey shows.
class SurveyView {
 public:
  virtual ~SurveyView() = default;
  virtual void ShowPoint(int index, int level) = 0;
  // A sweep finished and became the newest row.
  virtual void ShowRowAdded() = 0;
  // The range changed: the picture starts empty.
  virtual void ShowCleared() = 0;
  virtual void ShowRunning(bool running) = 0;
  // Appending to the day's file failed; told once a run, the survey goes on.
  virtual void ShowWriteFailed(const std::string& message) = 0;
};

// Appends text to a file; the real one is AppendToFile (base/line_append.h).
using SurveyAppend =
    std::function<bool(const std::string& path, const std::string& text, std::string& error)>;

class BandSurvey : public SweepClient {
 public:
  static constexpr int kMaxRows = 1000;
  static constexpr int kMinDwell = 20, kMaxDwell = 1000;

  // Kept in the settings file.
  SurveyRange Range;
  bool RangeKnown = false;  // false until a range was used: the scope's window is offered
  int Dwell = 100;
  bool Repeat = false;
  bool Bars = false;
  bool PeakHold = true;
  bool MinHold = false;
  int WindowWidth = 0, WindowHeight = 0;  // 0: the window's own size
  int SpectrumHeight = 0, WaterfallHeight = 0;

  void Bind(Host& host, Tuning& tuning, Link& link, BandScopeEngine& scope, StationList& stations,
            SurveyView& view) {
    host_ = &host;
    tuning_ = &tuning;
    link_ = &link;
    scope_ = &scope;
    stations_ = &stations;
    view_ = &view;
  }
  void SetAppend(SurveyAppend append) { append_ = std::move(append); }
  void SetClock(std::function<LocalTime()> clock) { clock_ = std::move(clock); }
  void SetFolder(std::string folder) { folder_ = std::move(folder); }
  // "survey-2026-12-08.csv" in the data folder.
  std::string PathFor(const std::string& day) const;

  // The range to show when the window opens: the one last used, else the scope's window.
  SurveyRange Proposed() const;
  // A new range; a different one clears the picture and the holds. Refused while running.
  RangeCheck SetRange(std::int64_t start, std::int64_t end, std::int64_t step);
  // The band of the station list the tuned frequency lies in (the narrowest), at its step.
  RangeCheck CurrentBand(SurveyRange& out) const;
  void SetDwell(int ms);

  // "開始": one sweep, or sweeps again and again with Repeat. False when the port is closed.
  bool Start();
  // The stop key: as the scope's own keys stop it, at once.
  void Stop();
  bool Running() const { return running_; }
  // Points read in the pass under way, and the time left for the rest of it.
  int PointsDone() const { return index_; }
  double MsLeft() const;

  // The pass under way over the last one: each point's latest level; -1 not read yet.
  const std::vector<int>& Latest() const { return latest_; }
  const std::vector<std::uint8_t>& Peak() const { return peak_; }
  const std::vector<std::uint8_t>& Minimum() const { return minimum_; }
  bool HoldsValid() const { return holdsValid_; }
  void ResetHolds();
  // Finished sweeps, newest first, at most kMaxRows.
  const std::deque<SurveyRow>& Rows() const { return rows_; }
  // Stations and bands of the list in the range.
  std::vector<SurveyMark> Marks() const;
  // The shown sweeps as CSV: "Time" and each point's frequency in Hz, then one line per row,
  // oldest first.
  std::string RowsCsv() const;
  // The day file's header for the current range.
  std::string FileHeader() const;

  // SweepClient.
  void SweepReading(int index, int level) override;
  bool SweepPassDone() override;
  void SweepEnded() override;

  // Adds a finished row as a sweep does (the benchmarks fill the history with it).
  void AddRow(const LocalTime& time, std::vector<std::uint8_t> levels);

 private:
  void Clear();
  void AppendToDayFile(const SurveyRow& row);

  Host* host_ = nullptr;
  Tuning* tuning_ = nullptr;
  Link* link_ = nullptr;
  BandScopeEngine* scope_ = nullptr;
  StationList* stations_ = nullptr;
  SurveyView* view_ = nullptr;
  SurveyAppend append_;
  std::function<LocalTime()> clock_ = LocalNow;
  std::string folder_;

  bool running_ = false;
  int index_ = 0;
  std::vector<int> latest_;
  std::vector<std::uint8_t> pass_;  // the pass under way
  std::vector<std::uint8_t> peak_, minimum_;
  bool holdsValid_ = false;
  std::deque<SurveyRow> rows_;
  // The file and header the last line went under, so a header precedes each run of sweeps of
  // one range.
  std::string headerPath_, headerText_;
  bool failureTold_ = false;
};

// Section "SURVEY" of the settings file.
void ReadSurveySettings(const IniFile& ini, BandSurvey& survey);
void WriteSurveySettings(IniFile& ini, const BandSurvey& survey);
