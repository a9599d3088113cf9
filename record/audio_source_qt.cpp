#include "record/audio_source_qt.h"

#include <QAudioDevice>
#include <QAudioSource>
#include <QCoreApplication>
#include <QIODevice>
#include <QMediaDevices>
#include <QThread>
#include <algorithm>
#include <vector>

namespace {

constexpr int kWantedRate = 16000;

// Mono 16-bit from whatever the device gives.
void ToMono16(const QAudioFormat& f, const char* bytes, qsizetype size,
              std::vector<std::int16_t>& out) {
  const int channels = std::max(f.channelCount(), 1);
  const int frameBytes = f.bytesPerFrame();
  out.clear();
  if (frameBytes <= 0) return;
  for (qsizetype at = 0; at + frameBytes <= size; at += frameBytes) {
    int sum = 0;
    for (int c = 0; c < channels; ++c) {
      const char* p = bytes + at + c * f.bytesPerSample();
      switch (f.sampleFormat()) {
        case QAudioFormat::UInt8:
          sum += (static_cast<unsigned char>(*p) - 128) << 8;
          break;
        case QAudioFormat::Int16:
          sum += *reinterpret_cast<const std::int16_t*>(p);
          break;
        case QAudioFormat::Int32:
          sum += *reinterpret_cast<const std::int32_t*>(p) >> 16;
          break;
        case QAudioFormat::Float:
          sum += static_cast<int>(std::clamp(*reinterpret_cast<const float*>(p), -1.0f, 1.0f) *
                                  32767.0f);
          break;
        default:
          break;
      }
    }
    out.push_back(static_cast<std::int16_t>(sum / channels));
  }
}

}  // namespace

QtAudioSource::QtAudioSource(QByteArray deviceId) : id_(std::move(deviceId)) {}

QtAudioSource::~QtAudioSource() { Stop(); }

bool QtAudioSource::Start(AudioSink& sink, std::string& error) {
  Stop();
  QAudioDevice device;
  for (const QAudioDevice& d : QMediaDevices::audioInputs())
    if (d.id() == id_) device = d;
  if (device.isNull()) {
    error =
        QCoreApplication::translate("QtAudioSource", "録音の入力が見つかりません。").toStdString() +
        "\n" + id_.toStdString();
    return false;
  }
  QAudioFormat format;
  format.setSampleRate(kWantedRate);
  format.setChannelCount(1);
  format.setSampleFormat(QAudioFormat::Int16);
  if (!device.isFormatSupported(format)) {
    format = device.preferredFormat();
    format.setSampleRate(
        std::clamp(kWantedRate, device.minimumSampleRate(), device.maximumSampleRate()));
    format.setChannelCount(std::max(device.minimumChannelCount(), 1));
  }
  rate_ = format.sampleRate();

  // Capture runs on its own thread: the window thread never waits for the sound card, and a
  // busy window thread loses no audio.
  thread_ = new QThread;
  thread_->setObjectName("Capture");
  worker_ = new QObject;
  worker_->moveToThread(thread_);
  thread_->start();
  bool started = false;
  AudioSink* target = &sink;
  QMetaObject::invokeMethod(
      worker_,
      [&] {
        source_ = new QAudioSource(device, format);
        source_->setBufferSize(rate_ / 5 * format.bytesPerFrame());  // 200 ms
        QIODevice* io = source_->start();
        started = io && source_->error() == QAudio::NoError;
        if (!started) return;
        QObject::connect(io, &QIODevice::readyRead, worker_, [io, format, target] {
          std::vector<std::int16_t> mono;
          const QByteArray bytes = io->readAll();
          ToMono16(format, bytes.constData(), bytes.size(), mono);
          if (!mono.empty()) target->Samples(mono.data(), mono.size());
        });
      },
      Qt::BlockingQueuedConnection);
  if (!started) {
    error = QCoreApplication::translate("QtAudioSource", "録音の入力を開けません。").toStdString() +
            "\n" + device.description().toStdString();
    Stop();
    return false;
  }
  return true;
}

void QtAudioSource::Stop() {
  if (!thread_) return;
  QMetaObject::invokeMethod(
      worker_,
      [this] {
        if (source_) source_->stop();
        delete source_;
        source_ = nullptr;
        delete worker_;
        worker_ = nullptr;
      },
      Qt::BlockingQueuedConnection);
  thread_->quit();
  thread_->wait();
  delete thread_;
  thread_ = nullptr;
}
