// A WAV file standing in for the sound input, played in a loop: for tests, demonstrations and
// the simulator (FENNIX_AUDIO_FILE). Either its own thread delivers the audio in real time, or
// the caller pumps it on a clock of its own.
#pragma once

#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "record/recorder.h"

class FileAudioSource : public AudioSource {
 public:
  enum class Pace { kRealTime, kPumped };
  FileAudioSource(const std::string& path, Pace pace);
  ~FileAudioSource() override { Stop(); }

  bool Start(AudioSink& sink, std::string& error) override;
  void Stop() override;
  int SampleRate() const override { return file_.rate; }

  // Pumped: the next `count` samples of the loop go to the sink.
  void Pump(std::size_t count);

 private:
  SoundFile file_;
  std::string error_;
  Pace pace_;
  AudioSink* sink_ = nullptr;
  std::size_t at_ = 0;
  std::atomic<bool> running_{false};
  std::thread thread_;
};
