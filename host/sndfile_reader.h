// Reading any file format libsndfile knows (WAV, AIFF, FLAC, ...), the Linux back end.
#pragma once

#include <string>

#include "host/audio_reader.h"

struct sf_private_tag;

namespace plughost {

class SndfileReader : public AudioReader {
 public:
  // Throws AudioFileError (cannotOpen, notAudio).
  explicit SndfileReader(const std::string& path);
  ~SndfileReader() override;
  SndfileReader(const SndfileReader&) = delete;
  SndfileReader& operator=(const SndfileReader&) = delete;

  const AudioFormat& format() const override { return format_; }
  std::int64_t frameCount() const override { return frames_; }
  std::size_t read(double* dest, std::size_t frames) override;

 private:
  sf_private_tag* file_ = nullptr;
  AudioFormat format_;
  std::int64_t frames_ = 0;
};

}  // namespace plughost
