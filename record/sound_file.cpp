#include "record/sound_file.h"

#include <sndfile.h>

#include <cstdio>

const char* RecordingExtension(RecordFormat format) {
  return format == RecordFormat::kOpus ? ".opus" : ".flac";
}

std::string RecordingMhz(std::int32_t hz) {
  char text[32];
  std::snprintf(text, sizeof text, "%d.%04d", hz / 1'000'000, hz % 1'000'000 / 100);
  return text;
}

bool OpusTakesRate(int rate) {
  return rate == 8000 || rate == 12000 || rate == 16000 || rate == 24000 || rate == 48000;
}

bool WriteSoundFile(const std::string& path, RecordFormat format, int rate,
                    const std::vector<std::int16_t>& samples, const RecordTags& tags,
                    std::string& error) {
  SF_INFO info{};
  info.samplerate = rate;
  info.channels = 1;
  info.format = format == RecordFormat::kOpus ? (SF_FORMAT_OGG | SF_FORMAT_OPUS)
                                              : (SF_FORMAT_FLAC | SF_FORMAT_PCM_16);
  SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
  if (!file) {
    error = sf_strerror(nullptr);
    return false;
  }
  // Tags go before the audio: both formats write them with the header.
  const std::string mhz = RecordingMhz(tags.frequency) + " MHz";
  std::string comment = "frequency=" + std::to_string(tags.frequency) + ";mode=" + tags.mode;
  if (tags.level >= 0) comment += ";level=" + std::to_string(tags.level);
  if (!tags.station.empty()) comment += ";station=" + tags.station;
  sf_set_string(file, SF_STR_TITLE, (mhz + " " + tags.mode).c_str());
  if (!tags.station.empty()) sf_set_string(file, SF_STR_ARTIST, tags.station.c_str());
  if (!tags.band.empty()) sf_set_string(file, SF_STR_ALBUM, tags.band.c_str());
  sf_set_string(file, SF_STR_GENRE, tags.mode.c_str());
  sf_set_string(file, SF_STR_DATE, tags.time.c_str());
  sf_set_string(file, SF_STR_COMMENT, comment.c_str());
  sf_set_string(file, SF_STR_SOFTWARE, "Fennix");
  const auto count = static_cast<sf_count_t>(samples.size());
  const sf_count_t written = sf_write_short(file, samples.data(), count);
  if (written != count) error = sf_strerror(file);
  // Closing flushes the encoder's last block, which can fail on a full disk too.
  const int closed = sf_close(file);
  if (written != count) return false;
  if (closed != 0) {
    error = sf_error_number(closed);
    return false;
  }
  return true;
}

bool ReadSoundFile(const std::string& path, SoundFile& out, std::string& error) {
  SF_INFO info{};
  SNDFILE* file = sf_open(path.c_str(), SFM_READ, &info);
  if (!file) {
    error = sf_strerror(nullptr);
    return false;
  }
  auto tag = [file](int which) {
    const char* s = sf_get_string(file, which);
    return s ? std::string(s) : std::string();
  };
  out.rate = info.samplerate;
  out.title = tag(SF_STR_TITLE);
  out.artist = tag(SF_STR_ARTIST);
  out.album = tag(SF_STR_ALBUM);
  out.comment = tag(SF_STR_COMMENT);
  out.date = tag(SF_STR_DATE);
  out.genre = tag(SF_STR_GENRE);
  out.samples.clear();
  const int channels = info.channels > 0 ? info.channels : 1;
  std::vector<std::int16_t> block(static_cast<std::size_t>(4096 * channels));
  for (;;) {
    const sf_count_t frames = sf_readf_short(file, block.data(), 4096);
    if (frames <= 0) break;
    for (sf_count_t f = 0; f < frames; ++f) {
      int sum = 0;
      for (int c = 0; c < channels; ++c) sum += block[static_cast<std::size_t>(f * channels + c)];
      out.samples.push_back(static_cast<std::int16_t>(sum / channels));
    }
  }
  sf_close(file);
  return true;
}
