// The built-in WAV writer: PCM 16-bit, PCM 24-bit or 32-bit float, any channel count. The header
// is completed by finish(); data that would pass the format's 4 GiB limit is refused rather
// than written with a wrapped size.
#pragma once

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "host/audio_writer.h"

namespace plughost {

class WavWriter : public AudioWriter {
 public:
  // Creates the file and writes a provisional header. Throws AudioFileError (cannotOpen;
  // unsupported for SampleEncoding::other).
  WavWriter(const std::string& path, const AudioFormat& format);

  void write(const double* frames, std::size_t count) override;
  void finish() override;

 private:
  struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
  };

  void writeHeader();

  std::unique_ptr<std::FILE, FileCloser> file_;
  std::string path_;
  AudioFormat format_;
  int bytesPerSample_ = 0;
  std::uint32_t headerBytes_ = 0;
  std::uint64_t dataBytes_ = 0;
  std::uint64_t frames_ = 0;
  std::vector<unsigned char> raw_;
};

}  // namespace plughost
