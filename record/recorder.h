// Recording what the scan hears: one sound file per stop on a signal, with a second of the
// audio from before the squelch opened, and recording by hand on the tuned frequency.
//
// The audio arrives on the capture thread and is kept in a one-second ring; a stop's audio
// is gathered in memory while the stop lasts and handed, when it ends, to a writer thread that
// encodes the file and hands the outcome back to the window thread through Host::Post. The
// window thread and the scan never wait for a disk.
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "record/sound_file.h"
#include "scanlog/scan_log.h"

class Host;

// Takes the audio of a source.
class AudioSink {
 public:
  virtual ~AudioSink() = default;
  // Mono 16-bit samples at the source's rate, from the capture thread.
  virtual void Samples(const std::int16_t* samples, std::size_t count) = 0;
};

// The sound input, or a file standing in for it.
class AudioSource {
 public:
  virtual ~AudioSource() = default;
  // Starts delivering to `sink`; false with a reason in `error` when it cannot.
  virtual bool Start(AudioSink& sink, std::string& error) = 0;
  // No delivery after it returns.
  virtual void Stop() = 0;
  virtual int SampleRate() const = 0;
};

// "recordings" in the data folder.
std::string RecordingsFolder(const std::string& dataFolder);
// "2026-12-08/213005_145.0000": the day's folder and the file's name without extension.
std::string RecordingStem(const LocalTime& t, std::int32_t frequency);
// The recording of a scan log line ("2026-12-08 21:30:05" at `frequency`) in `folder`, or ""
// when it has none. The line's time and the file's may be a second apart.
std::string FindRecording(const std::string& folder, const std::string& time,
                          std::int32_t frequency);

// What the recorder tells the window.
class RecorderView {
 public:
  virtual ~RecorderView() = default;
  virtual void ShowRecordingSaved(const std::string& path) = 0;
  // Told once; recording has stopped, the scan goes on.
  virtual void ShowRecordingFailed(const std::string& message) = 0;
  virtual void ShowRecordingByHand(bool on) = 0;
};

class Recorder : public ScanStopObserver, public AudioSink {
 public:
  static constexpr int kPreRollMs = 1000;
  static constexpr int kMinimumMs = 1000;  // shorter stops are not kept
  static constexpr std::uint64_t kMinimumFreeBytes = 500ull << 20;

  // Settings, section "RECORD".
  std::string Input;  // the chosen input's id; empty: no recording
  RecordFormat Format = RecordFormat::kFlac;
  int MaxSeconds = 300;  // per file; 10..3600

  Recorder();
  ~Recorder() override;
  Recorder(const Recorder&) = delete;
  Recorder& operator=(const Recorder&) = delete;

  void Bind(Host& host, RecorderView& view) {
    host_ = &host;
    view_ = &view;
  }
  void SetFolder(std::string dataFolder) { folder_ = RecordingsFolder(dataFolder); }
  const std::string& Folder() const { return folder_; }
  void SetClock(std::function<LocalTime()> clock) { clock_ = std::move(clock); }
  // Free bytes where the recordings go (tests put their own there).
  void SetFreeSpace(std::function<std::uint64_t(const std::string&)> freeSpace) {
    freeSpace_ = std::move(freeSpace);
  }

  // Recording on with audio at `sampleRate` (a source has started), or off with 0. Switching
  // on again after a failure tries again.
  void Attach(int sampleRate);
  bool On() const { return rate_ > 0 && !failed_; }

  // ScanStopObserver: a stop's audio from a second before it began until it ends.
  void StopBegins(const Stop& stop) override;
  void SignalReading(int level) override;
  void StopEnds() override;

  // Recording by hand of `what` (the tuned frequency) starts, or stops when it runs.
  void ByHand(const Stop& what);
  bool RecordingByHand() const;
  bool Recording() const;

  void Samples(const std::int16_t* samples, std::size_t count) override;

  // Waits until every file handed to the writer is written.
  void Flush();

 private:
  struct Take {
    RecordTags tags;
    LocalTime start;
    std::vector<std::int16_t> audio;
    std::size_t preRoll = 0;
    bool byHand = false;
  };
  struct Job {
    Take take;
    RecordFormat format;
    int rate;
  };
  void Begin(const Stop& stop, bool byHand);
  // Hands the take under way to the writer, or drops it when too short. Lock held.
  void Finish();
  void Writer();
  void Fail(const std::string& message);

  Host* host_ = nullptr;
  RecorderView* view_ = nullptr;
  std::string folder_ = "recordings";
  std::function<LocalTime()> clock_ = LocalNow;
  std::function<std::uint64_t(const std::string&)> freeSpace_;

  mutable std::mutex lock_;
  std::condition_variable wake_, idle_;
  int rate_ = 0;
  std::vector<std::int16_t> ring_;  // the last second, `ringAt_` the oldest
  std::size_t ringAt_ = 0;
  bool ringFull_ = false;
  std::optional<Take> take_;
  std::deque<Job> jobs_;
  bool writing_ = false, quit_ = false;
  std::atomic<bool> failed_{false};
  bool failureTold_ = false;  // window thread only
  std::thread writer_;
};

// Section "RECORD" of the settings file: "Input", "Format" (FLAC or OPUS), "MaxSeconds".
class IniFile;
void ReadRecordSettings(const IniFile& ini, Recorder& recorder);
void WriteRecordSettings(IniFile& ini, const Recorder& recorder);

// The scan's stops told to two observers: the scan log and the recorder.
class StopFanOut : public ScanStopObserver {
 public:
  StopFanOut(ScanStopObserver& first, ScanStopObserver& second) : a_(first), b_(second) {}
  void StopBegins(const Stop& stop) override {
    a_.StopBegins(stop);
    b_.StopBegins(stop);
  }
  void SignalReading(int level) override {
    a_.SignalReading(level);
    b_.SignalReading(level);
  }
  void StopEnds() override {
    a_.StopEnds();
    b_.StopEnds();
  }

 private:
  ScanStopObserver& a_;
  ScanStopObserver& b_;
};
