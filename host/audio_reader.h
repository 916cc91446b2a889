// Sequential reading of an audio file in interleaved double frames, the interface every file
// back end implements.
#pragma once

#include <cstddef>
#include <cstdint>

#include "host/audio_format.h"

namespace plughost {

class AudioReader {
 public:
  virtual ~AudioReader() = default;

  virtual const AudioFormat& format() const = 0;
  // Whole frames the file holds (a truncated file counts only what is there).
  virtual std::int64_t frameCount() const = 0;
  // Reads up to `frames` frames into `dest` (room for frames * channels values, interleaved,
  // full scale +-1.0). Answers the frames read; 0 at the end. Throws AudioFileError.
  virtual std::size_t read(double* dest, std::size_t frames) = 0;
};

}  // namespace plughost
