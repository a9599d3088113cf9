// The sound input as the recorder's source: Qt Multimedia's QAudioSource on a thread of its
// own, mono 16-bit at 16 kHz or the device's nearest rate.
#pragma once

#include <QByteArray>
#include <memory>

#include "record/recorder.h"

class QThread;
class QObject;
class QAudioSource;

class QtAudioSource : public AudioSource {
 public:
  // `deviceId` is a QAudioDevice's id.
  explicit QtAudioSource(QByteArray deviceId);
  ~QtAudioSource() override;

  bool Start(AudioSink& sink, std::string& error) override;
  void Stop() override;
  int SampleRate() const override { return rate_; }

 private:
  QByteArray id_;
  int rate_ = 0;
  QThread* thread_ = nullptr;
  QObject* worker_ = nullptr;       // lives on thread_
  QAudioSource* source_ = nullptr;  // made and ended on thread_
};
