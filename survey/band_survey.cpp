#include "survey/band_survey.h"

#include <algorithm>
#include <array>
#include <cstdio>

#include "base/host.h"
#include "base/ini_file.h"
#include "base/text.h"
#include "civ/civ.h"
#include "civ/link.h"
#include "panel/tuning.h"
#include "stations/cp932.h"
#include "stations/station_list.h"

namespace {

constexpr const char* kSection = "SURVEY";

std::uint8_t Byte(int level) { return static_cast<std::uint8_t>(std::clamp(level, 0, 255)); }

}  // namespace

RangeCheck MakeSurveyRange(std::int64_t start, std::int64_t end, std::int64_t step,
                           std::int32_t lower, std::int32_t upper, SurveyRange& out) {
  if (step < 1) return RangeCheck::NoStep;
  if (start > end) std::swap(start, end);
  if (end < lower || start > upper) return RangeCheck::OutOfLimits;
  start = std::max<std::int64_t>(start, lower);
  end = std::min<std::int64_t>(end, upper);
  const std::int64_t points = (end - start) / step + 1;
  if (points > kSurveyMaxPoints) return RangeCheck::TooManyPoints;
  out.start = static_cast<std::int32_t>(start);
  out.step = static_cast<std::int32_t>(std::min<std::int64_t>(step, INT32_MAX));
  out.end = static_cast<std::int32_t>(start + (points - 1) * step);
  return RangeCheck::Ok;
}

std::string RangeCheckText(RangeCheck check) {
  switch (check) {
    case RangeCheck::Ok:
      return {};
    case RangeCheck::NoStep:
      return text::Tr("BandSurvey", "ステップは 1 Hz 以上にしてください。");
    case RangeCheck::OutOfLimits:
      return text::Tr("BandSurvey", "範囲が受信機の受信範囲の外です。");
    case RangeCheck::TooManyPoints:
      return text::Tr("BandSurvey",
                      "点の数が 5,000 を超えます。範囲を狭めるかステップを広げてください。");
    case RangeCheck::NoBand:
      return text::Tr("BandSurvey", "同調中の周波数を含むバンドがリストにありません。");
  }
  return {};
}

double SurveyWireMs(std::int32_t baudRate) {
  // Frequency frame 11, signal query 7, their echoes 11 + 7, the reply 9.
  constexpr int kBytes = 11 + 7 + 11 + 7 + 9;
  return baudRate > 0 ? kBytes * 10.0 * 1000.0 / baudRate : 0.0;
}

std::uint32_t SurveyColour(int level) {
  // viridis at 0, 0.1, ... 1.0, interpolated between.
  static constexpr std::array<std::uint32_t, 11> kStops = {0x440154, 0x482475, 0x414487, 0x355F8D,
                                                           0x2A788E, 0x21918C, 0x22A884, 0x44BF70,
                                                           0x7AD151, 0xBDDF26, 0xFDE725};
  const int x = std::clamp(level, 0, 255) * 10;  // in 255ths of a stop
  const int i = std::min(x / 255, 9);
  const int f = x - i * 255;  // 0..255 of the way to the next stop
  const std::uint32_t a = kStops[static_cast<std::size_t>(i)];
  const std::uint32_t b = kStops[static_cast<std::size_t>(i) + 1];
  std::uint32_t out = 0;
  for (int shift : {16, 8, 0}) {
    const int ca = static_cast<int>((a >> shift) & 0xFF),
              cb = static_cast<int>((b >> shift) & 0xFF);
    out |= static_cast<std::uint32_t>(ca + (cb - ca) * f / 255) << shift;
  }
  return out;
}

std::string BandSurvey::PathFor(const std::string& day) const {
  const std::string name = "survey-" + day + ".csv";
  return folder_.empty() ? name : folder_ + "/" + name;
}

SurveyRange BandSurvey::Proposed() const {
  if (RangeKnown) return Range;
  SurveyRange r;
  r.start = scope_->SweepStart;
  r.end = scope_->SweepEnd;
  r.step = r.end > r.start ? (r.end - r.start) / (scope_->BandPoints - 1) : civ::DefaultStep;
  return r;
}

RangeCheck BandSurvey::SetRange(std::int64_t start, std::int64_t end, std::int64_t step) {
  SurveyRange r;
  const RangeCheck check =
      MakeSurveyRange(start, end, step, tuning_->LowerLimit, tuning_->UpperLimit, r);
  if (check != RangeCheck::Ok || running_) return check;
  const bool changed = !(r == Range) || latest_.size() != static_cast<std::size_t>(r.Points());
  Range = r;
  RangeKnown = true;
  if (changed) Clear();
  return check;
}

RangeCheck BandSurvey::CurrentBand(SurveyRange& out) const {
  const std::int32_t f = tuning_->CurrentFrequency();
  const MemoRecord* best = nullptr;
  for (int no = 1; no <= kStationCount; ++no) {
    const MemoRecord& r = stations_->Data[no];
    if (r.Frequency == 0 || r.Frequency2 == 0) continue;
    const std::int32_t lo = std::min(r.Frequency, r.Frequency2);
    const std::int32_t hi = std::max(r.Frequency, r.Frequency2);
    if (f < lo || f > hi) continue;
    if (!best || static_cast<std::int64_t>(hi) - lo <
                     static_cast<std::int64_t>(std::abs(best->Frequency2 - best->Frequency)))
      best = &r;
  }
  if (!best) return RangeCheck::NoBand;
  std::int32_t step = best->Step > 0 ? best->Step : tuning_->CurrentStep();
  if (step <= 0) step = civ::DefaultStep;
  return MakeSurveyRange(best->Frequency, best->Frequency2, step, tuning_->LowerLimit,
                         tuning_->UpperLimit, out);
}

void BandSurvey::SetDwell(int ms) { Dwell = std::clamp(ms, kMinDwell, kMaxDwell); }

void BandSurvey::Clear() {
  const auto n = static_cast<std::size_t>(Range.Points());
  latest_.assign(n, -1);
  pass_.assign(n, 0);
  rows_.clear();
  index_ = 0;
  ResetHolds();
  view_->ShowCleared();
}

void BandSurvey::ResetHolds() {
  peak_.assign(static_cast<std::size_t>(Range.Points()), 0);
  minimum_.assign(static_cast<std::size_t>(Range.Points()), 255);
  holdsValid_ = false;
}

bool BandSurvey::Start() {
  if (running_ || Range.Points() < 1) return false;
  if (latest_.size() != static_cast<std::size_t>(Range.Points())) Clear();
  SetDwell(Dwell);
  index_ = 0;
  running_ = true;
  view_->ShowRunning(true);
  if (!scope_->StartClientSweep(*this, {Range.start, Range.step, Range.Points(), Dwell})) {
    running_ = false;
    view_->ShowRunning(false);
    return false;
  }
  return running_;
}

void BandSurvey::Stop() {
  if (scope_->Client() == this) scope_->BandLoop_Stop();
}

double BandSurvey::MsLeft() const {
  if (!running_) return 0;
  return (Range.Points() - index_) * (Dwell + SurveyWireMs(link_->BaudRate()));
}

void BandSurvey::SweepReading(int index, int level) {
  if (index < 0 || static_cast<std::size_t>(index) >= pass_.size()) return;
  const auto i = static_cast<std::size_t>(index);
  const std::uint8_t b = Byte(level);
  pass_[i] = b;
  latest_[i] = b;
  peak_[i] = std::max(peak_[i], b);
  minimum_[i] = std::min(minimum_[i], b);
  holdsValid_ = true;
  index_ = index + 1;
  view_->ShowPoint(index, b);
}

bool BandSurvey::SweepPassDone() {
  AddRow(clock_(), pass_);
  AppendToDayFile(rows_.front());
  index_ = 0;
  return Repeat && running_;
}

void BandSurvey::SweepEnded() {
  running_ = false;
  index_ = 0;
  view_->ShowRunning(false);
}

void BandSurvey::AddRow(const LocalTime& time, std::vector<std::uint8_t> levels) {
  if (rows_.size() >= static_cast<std::size_t>(kMaxRows)) rows_.pop_back();
  rows_.push_front({time, std::move(levels)});
  view_->ShowRowAdded();
}

std::string BandSurvey::FileHeader() const {
  char text[128];
  std::snprintf(text, sizeof text, "# %d-%d Hz, step %d Hz, %d points", Range.start, Range.end,
                Range.step, Range.Points());
  return text;
}

void BandSurvey::AppendToDayFile(const SurveyRow& row) {
  if (!append_) return;
  const std::string path = PathFor(DayText(row.time));
  const std::string header = FileHeader();
  std::string text;
  const bool newHeader = path != headerPath_ || header != headerText_;
  if (newHeader) (text = header) += '\n';
  text += TimeText(row.time);
  for (const std::uint8_t b : row.levels) (text += ',') += std::to_string(b);
  text += '\n';
  std::string error;
  if (append_(path, text, error)) {
    headerPath_ = path;
    headerText_ = header;
  } else if (!failureTold_) {
    failureTold_ = true;
    view_->ShowWriteFailed(
        text::Tr("BandSurvey", "バンド調査の記録を書き込めません。調査はそのまま続けます。") +
        "\n" + path + "\n" + error);
  }
}

std::vector<SurveyMark> BandSurvey::Marks() const {
  std::vector<SurveyMark> out;
  for (int no = 1; no <= kStationCount; ++no) {
    const MemoRecord& r = stations_->Data[no];
    if (r.Frequency == 0) continue;
    SurveyMark m;
    m.band = r.Frequency2 != 0;
    m.from = m.band ? std::min(r.Frequency, r.Frequency2) : r.Frequency;
    m.to = m.band ? std::max(r.Frequency, r.Frequency2) : r.Frequency;
    if (m.to < Range.start || m.from > Range.end) continue;
    m.name = Cp932ToUtf8(r.Name.View());
    out.push_back(std::move(m));
  }
  std::sort(out.begin(), out.end(),
            [](const SurveyMark& a, const SurveyMark& b) { return a.from < b.from; });
  return out;
}

std::string BandSurvey::RowsCsv() const {
  std::string out = "Time";
  for (int i = 0; i < Range.Points(); ++i) (out += ',') += std::to_string(Range.At(i));
  out += '\n';
  for (auto row = rows_.rbegin(); row != rows_.rend(); ++row) {
    out += TimeText(row->time);
    for (const std::uint8_t b : row->levels) (out += ',') += std::to_string(b);
    out += '\n';
  }
  return out;
}

void ReadSurveySettings(const IniFile& ini, BandSurvey& s) {
  const std::int32_t start = ini.ReadInteger(kSection, "Start", 0);
  const std::int32_t end = ini.ReadInteger(kSection, "End", 0);
  const std::int32_t step = ini.ReadInteger(kSection, "Step", 0);
  // The limits are not known yet: the range is checked again when it is used.
  if (step > 0 && start > 0 && end >= start &&
      (static_cast<std::int64_t>(end) - start) / step < kSurveyMaxPoints) {
    s.Range = {start, end, step};
    s.Range.end = s.Range.At(s.Range.Points() - 1);
    s.RangeKnown = true;
  }
  s.SetDwell(ini.ReadInteger(kSection, "Dwell", s.Dwell));
  s.Repeat = ini.ReadInteger(kSection, "Repeat", s.Repeat) != 0;
  s.Bars = ini.ReadInteger(kSection, "Bars", s.Bars) != 0;
  s.PeakHold = ini.ReadInteger(kSection, "PeakHold", s.PeakHold) != 0;
  s.MinHold = ini.ReadInteger(kSection, "MinHold", s.MinHold) != 0;
  s.WindowWidth = std::max(0, ini.ReadInteger(kSection, "Width", 0));
  s.WindowHeight = std::max(0, ini.ReadInteger(kSection, "Height", 0));
  s.SpectrumHeight = std::max(0, ini.ReadInteger(kSection, "SpectrumHeight", 0));
  s.WaterfallHeight = std::max(0, ini.ReadInteger(kSection, "WaterfallHeight", 0));
}

void WriteSurveySettings(IniFile& ini, const BandSurvey& s) {
  if (s.RangeKnown) {
    ini.WriteInteger(kSection, "Start", s.Range.start);
    ini.WriteInteger(kSection, "End", s.Range.end);
    ini.WriteInteger(kSection, "Step", s.Range.step);
  }
  ini.WriteInteger(kSection, "Dwell", s.Dwell);
  ini.WriteInteger(kSection, "Repeat", s.Repeat);
  ini.WriteInteger(kSection, "Bars", s.Bars);
  ini.WriteInteger(kSection, "PeakHold", s.PeakHold);
  ini.WriteInteger(kSection, "MinHold", s.MinHold);
  ini.WriteInteger(kSection, "Width", s.WindowWidth);
  ini.WriteInteger(kSection, "Height", s.WindowHeight);
  ini.WriteInteger(kSection, "SpectrumHeight", s.SpectrumHeight);
  ini.WriteInteger(kSection, "WaterfallHeight", s.WaterfallHeight);
}
