#include "record/recorder.h"

#include <sys/statvfs.h>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <filesystem>

#include "base/host.h"
#include "base/ini_file.h"
#include "base/text.h"
#include "scan/identification.h"
#include "stations/cp932.h"

namespace fs = std::filesystem;

namespace {

constexpr const char* kSection = "RECORD";

std::uint64_t FreeBytes(const std::string& folder) {
  struct statvfs st {};
  if (::statvfs(folder.c_str(), &st) != 0) return UINT64_MAX;  // the write will tell
  return static_cast<std::uint64_t>(st.f_bavail) * st.f_frsize;
}

}  // namespace

std::string RecordingsFolder(const std::string& dataFolder) {
  return dataFolder.empty() ? "recordings" : dataFolder + "/recordings";
}

std::string RecordingStem(const LocalTime& t, std::int32_t frequency) {
  char time[16];
  std::snprintf(time, sizeof time, "/%02d%02d%02d_", t.hour, t.minute, t.second);
  return DayText(t) + time + RecordingMhz(frequency);
}

std::string FindRecording(const std::string& folder, const std::string& time,
                          std::int32_t frequency) {
  std::tm tm{};
  if (std::sscanf(time.c_str(), "%d-%d-%d %d:%d:%d", &tm.tm_year, &tm.tm_mon, &tm.tm_mday,
                  &tm.tm_hour, &tm.tm_min, &tm.tm_sec) != 6)
    return {};
  tm.tm_year -= 1900;
  tm.tm_mon -= 1;
  tm.tm_isdst = -1;
  const std::time_t at = std::mktime(&tm);
  // The log and the recorder each read the clock as the stop begins: a second may tick between.
  for (std::time_t t = at; t <= at + 1; ++t) {
    std::tm local{};
    localtime_r(&t, &local);
    const LocalTime lt{local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
                       local.tm_hour,        local.tm_min,     local.tm_sec};
    for (const RecordFormat f : {RecordFormat::kFlac, RecordFormat::kOpus}) {
      const std::string path = folder + "/" + RecordingStem(lt, frequency) + RecordingExtension(f);
      std::error_code ec;
      if (fs::is_regular_file(path, ec)) return path;
    }
  }
  return {};
}

Recorder::Recorder() : writer_([this] { Writer(); }) {}

Recorder::~Recorder() {
  {
    const std::lock_guard hold(lock_);
    quit_ = true;
  }
  wake_.notify_all();
  writer_.join();
}

void Recorder::Attach(int sampleRate) {
  const std::lock_guard hold(lock_);
  if (take_) Finish();
  rate_ = std::max(sampleRate, 0);
  ring_.assign(static_cast<std::size_t>(rate_) * kPreRollMs / 1000, 0);
  ringAt_ = 0;
  ringFull_ = false;
  if (rate_ > 0) {
    failed_ = false;
    failureTold_ = false;
  }
}

void Recorder::Begin(const Stop& stop, bool byHand) {
  Take take;
  take.start = clock_();
  take.tags.time = TimeText(take.start);
  take.tags.frequency = stop.frequency;
  take.tags.mode = ModeText(stop.mode);
  take.tags.band = Cp932ToUtf8(stop.band);
  take.tags.station = Cp932ToUtf8(stop.station);
  take.byHand = byHand;
  // A stop begins after the squelch has opened: the ring holds the start of the signal. By
  // hand, what came before belongs to no one.
  if (!byHand) {
    auto at = ring_.begin() + static_cast<std::ptrdiff_t>(ringAt_);
    if (ringFull_) take.audio.insert(take.audio.end(), at, ring_.end());
    take.audio.insert(take.audio.end(), ring_.begin(), at);
  }
  take.preRoll = take.audio.size();
  take_ = std::move(take);
}

void Recorder::Finish() {
  Take take = std::move(*take_);
  take_.reset();
  const std::size_t minimum = static_cast<std::size_t>(rate_) * kMinimumMs / 1000;
  if (take.audio.size() - take.preRoll < minimum) return;
  RecordFormat format = Format;
  if (format == RecordFormat::kOpus && !OpusTakesRate(rate_)) format = RecordFormat::kFlac;
  jobs_.push_back({std::move(take), format, rate_});
  wake_.notify_one();
}

void Recorder::StopBegins(const Stop& stop) {
  const std::lock_guard hold(lock_);
  if (!On() || (take_ && take_->byHand)) return;
  if (take_) Finish();
  Begin(stop, false);
}

void Recorder::SignalReading(int level) {
  const std::lock_guard hold(lock_);
  if (take_ && !take_->byHand) take_->tags.level = std::max(take_->tags.level, level);
}

void Recorder::StopEnds() {
  const std::lock_guard hold(lock_);
  if (take_ && !take_->byHand) Finish();
}

void Recorder::ByHand(const Stop& what) {
  bool on = false;
  {
    const std::lock_guard hold(lock_);
    if (take_ && take_->byHand) {
      Finish();
    } else if (On()) {
      if (take_) Finish();
      Begin(what, true);
      on = true;
    }
  }
  if (view_) view_->ShowRecordingByHand(on);
}

bool Recorder::RecordingByHand() const {
  const std::lock_guard hold(lock_);
  return take_ && take_->byHand;
}

bool Recorder::Recording() const {
  const std::lock_guard hold(lock_);
  return take_.has_value();
}

void Recorder::Samples(const std::int16_t* samples, std::size_t count) {
  bool byHandEnded = false;
  {
    const std::lock_guard hold(lock_);
    if (rate_ == 0 || ring_.empty()) return;
    for (std::size_t i = 0; i < count; ++i) {
      ring_[ringAt_] = samples[i];
      if (++ringAt_ == ring_.size()) {
        ringAt_ = 0;
        ringFull_ = true;
      }
    }
    if (!take_) return;
    if (failed_) {
      take_.reset();
      return;
    }
    const std::size_t most =
        take_->preRoll + static_cast<std::size_t>(rate_) * static_cast<std::size_t>(MaxSeconds);
    const std::size_t room = most > take_->audio.size() ? most - take_->audio.size() : 0;
    take_->audio.insert(take_->audio.end(), samples, samples + std::min(count, room));
    // A file is complete at its longest; the rest of a long signal is not kept.
    if (take_->audio.size() >= most) {
      byHandEnded = take_->byHand;
      Finish();
    }
  }
  if (byHandEnded && host_)
    host_->Post([this] {
      if (view_) view_->ShowRecordingByHand(RecordingByHand());
    });
}

void Recorder::Flush() {
  std::unique_lock hold(lock_);
  idle_.wait(hold, [this] { return jobs_.empty() && !writing_; });
}

void Recorder::Fail(const std::string& message) {
  failed_ = true;
  if (!host_) return;
  host_->Post([this, message] {
    if (failureTold_ || !view_) return;
    failureTold_ = true;
    view_->ShowRecordingFailed(message);
    view_->ShowRecordingByHand(false);
  });
}

void Recorder::Writer() {
  std::unique_lock hold(lock_);
  for (;;) {
    wake_.wait(hold, [this] { return quit_ || !jobs_.empty(); });
    if (jobs_.empty()) break;  // quit, with everything written
    Job job = std::move(jobs_.front());
    jobs_.pop_front();
    writing_ = true;
    const std::string folder = folder_;
    hold.unlock();

    if (!failed_) {
      const std::string stem =
          folder + "/" + RecordingStem(job.take.start, job.take.tags.frequency);
      const fs::path day = fs::path(stem).parent_path();
      std::error_code ec;
      fs::create_directories(day, ec);
      const bool made = fs::is_directory(day, ec);
      const std::uint64_t free = !made ? 0 : freeSpace_ ? freeSpace_(folder) : FreeBytes(folder);
      std::string path = stem + RecordingExtension(job.format), error;
      // Two stops on one frequency within a second keep both.
      for (int n = 2; made && fs::exists(path, ec); ++n)
        path = stem + "-" + std::to_string(n) + RecordingExtension(job.format);
      if (!made) {
        Fail(
            text::Tr("Recorder",
                     "録音のフォルダーを作れません。録音を止めます。スキャンはそのまま続けます。") +
            "\n" + day.string());
      } else if (free < kMinimumFreeBytes) {
        Fail(
            text::Tr("Recorder",
                     "空き容量が 500 MB を切ったので録音を止めます。スキャンはそのまま続けます。") +
            "\n" + folder);
      } else if (!WriteSoundFile(path, job.format, job.rate, job.take.audio, job.take.tags,
                                 error)) {
        fs::remove(path, ec);  // a half-written file is no recording
        Fail(text::Tr("Recorder",
                      "録音を書き込めません。録音を止めます。スキャンはそのまま続けます。") +
             "\n" + path + "\n" + error);
      } else if (host_) {
        host_->Post([this, path] {
          if (view_) view_->ShowRecordingSaved(path);
        });
      }
    }

    hold.lock();
    writing_ = false;
    idle_.notify_all();
  }
}

void ReadRecordSettings(const IniFile& ini, Recorder& r) {
  r.Input = ini.ReadString(kSection, "Input", r.Input);
  r.Format = ini.ReadString(kSection, "Format", "FLAC") == "OPUS" ? RecordFormat::kOpus
                                                                  : RecordFormat::kFlac;
  r.MaxSeconds = std::clamp(ini.ReadInteger(kSection, "MaxSeconds", r.MaxSeconds), 10, 3600);
}

void WriteRecordSettings(IniFile& ini, const Recorder& r) {
  ini.WriteString(kSection, "Input", r.Input);
  ini.WriteString(kSection, "Format", r.Format == RecordFormat::kOpus ? "OPUS" : "FLAC");
  ini.WriteInteger(kSection, "MaxSeconds", r.MaxSeconds);
}
