// Sound files through libsndfile: the recordings (FLAC or Ogg Opus, with their tags) and the
// WAV files that stand in for the sound input.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

enum class RecordFormat { kFlac, kOpus };

// ".flac" or ".opus".
const char* RecordingExtension(RecordFormat format);

// What a recording's tags tell. Texts in UTF-8.
struct RecordTags {
  std::string time;  // "2026-12-08 21:30:05"
  std::int32_t frequency = 0;
  std::string mode, band, station;
  int level = -1;  // strongest reading; -1 when none came
};

// "145.0000".
std::string RecordingMhz(std::int32_t hz);

// Writes mono 16-bit `samples` at `rate` to `path` with the tags; false with a reason.
// Ogg Opus takes only 8, 12, 16, 24 and 48 kHz: other rates are written as FLAC by the caller.
bool WriteSoundFile(const std::string& path, RecordFormat format, int rate,
                    const std::vector<std::int16_t>& samples, const RecordTags& tags,
                    std::string& error);
bool OpusTakesRate(int rate);

// A sound file read whole, mixed down to mono 16-bit.
struct SoundFile {
  int rate = 0;
  std::vector<std::int16_t> samples;
  std::string title, artist, album, comment, date, genre;
};
bool ReadSoundFile(const std::string& path, SoundFile& out, std::string& error);
