// Writing through libsndfile, the Linux back end. The container is the input's (from
// AudioFormat::nativeFormat) or WAV; the encoding is AudioFormat::encoding.
#pragma once

#include <string>

#include "host/audio_writer.h"

struct sf_private_tag;

namespace plughost {

class SndfileWriter : public AudioWriter {
 public:
  // Throws AudioFileError (cannotOpen; unsupported when the container cannot hold the encoding).
  SndfileWriter(const std::string& path, const AudioFormat& format);
  ~SndfileWriter() override;
  SndfileWriter(const SndfileWriter&) = delete;
  SndfileWriter& operator=(const SndfileWriter&) = delete;

  void write(const double* frames, std::size_t count) override;
  void finish() override;

 private:
  sf_private_tag* file_ = nullptr;
  std::string path_;
};

}  // namespace plughost
