// The built-in WAV reader: RIFF/WAVE with PCM 16-bit, PCM 24-bit or 32-bit float samples (plain
// or extensible format chunk), any channel count. Malformed headers are refused; a data chunk
// cut short by the end of the file yields the whole frames that are there.
#pragma once

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "host/audio_reader.h"

namespace plughost {

class WavReader : public AudioReader {
 public:
  // Opens and checks the file. Throws AudioFileError (cannotOpen, notAudio, unsupported).
  explicit WavReader(const std::string& path);

  const AudioFormat& format() const override { return format_; }
  std::int64_t frameCount() const override { return frames_; }
  std::size_t read(double* dest, std::size_t frames) override;

 private:
  struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
  };

  void parseHeader(const std::string& path);

  std::unique_ptr<std::FILE, FileCloser> file_;
  AudioFormat format_;
  int bytesPerSample_ = 0;
  int blockAlign_ = 0;
  std::int64_t frames_ = 0;
  std::int64_t framesLeft_ = 0;
  std::vector<unsigned char> raw_;
};

}  // namespace plughost
