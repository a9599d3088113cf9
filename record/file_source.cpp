#include "record/file_source.h"

#include <algorithm>
#include <chrono>

#include "base/text.h"

FileAudioSource::FileAudioSource(const std::string& path, Pace pace) : pace_(pace) {
  if (ReadSoundFile(path, file_, error_) && file_.samples.empty())
    error_ = text::Tr("FileAudioSource", "音声ファイルが空です。");
  if (!error_.empty()) error_ += "\n" + path;
}

bool FileAudioSource::Start(AudioSink& sink, std::string& error) {
  Stop();
  if (!error_.empty()) {
    error = error_;
    return false;
  }
  sink_ = &sink;
  if (pace_ == Pace::kPumped) return true;
  running_ = true;
  thread_ = std::thread([this] {
    // 20 ms blocks on a steady clock, as a sound card hands them over.
    const std::size_t block = static_cast<std::size_t>(file_.rate) / 50;
    auto next = std::chrono::steady_clock::now();
    while (running_) {
      Pump(block);
      next += std::chrono::milliseconds(20);
      std::this_thread::sleep_until(next);
    }
  });
  return true;
}

void FileAudioSource::Stop() {
  running_ = false;
  if (thread_.joinable()) thread_.join();
}

void FileAudioSource::Pump(std::size_t count) {
  if (!sink_ || file_.samples.empty()) return;
  while (count > 0) {
    const std::size_t n = std::min(count, file_.samples.size() - at_);
    sink_->Samples(file_.samples.data() + at_, n);
    at_ = (at_ + n) % file_.samples.size();
    count -= n;
  }
}
