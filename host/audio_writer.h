// Sequential writing of an audio file from interleaved double frames, the interface every file
// back end implements.
#pragma once

#include <cstddef>

#include "host/audio_format.h"

namespace plughost {

class AudioWriter {
 public:
  // Closes the file; a file that was not finished is left incomplete (PendingFile removes it).
  virtual ~AudioWriter() = default;

  // Appends `frames` interleaved frames (full scale +-1.0; PCM encodings clip). Throws
  // AudioFileError.
  virtual void write(const double* frames, std::size_t count) = 0;
  // Completes the header and closes the file. Throws AudioFileError when anything failed.
  virtual void finish() = 0;
};

}  // namespace plughost
