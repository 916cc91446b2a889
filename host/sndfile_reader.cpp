// libsndfile reader: integer formats are normalised to +-1.0, float formats read as stored.
#include "host/sndfile_reader.h"

#include <sndfile.h>

#include <cstdio>

#include "host/audio_file_error.h"

namespace plughost {

namespace {

using Kind = AudioFileError::Kind;

SampleEncoding encodingOf(int format) {
  switch (format & SF_FORMAT_SUBMASK) {
    case SF_FORMAT_PCM_16: return SampleEncoding::pcm16;
    case SF_FORMAT_PCM_24: return SampleEncoding::pcm24;
    case SF_FORMAT_FLOAT: return SampleEncoding::float32;
    default: return SampleEncoding::other;
  }
}

}  // namespace

SndfileReader::SndfileReader(const std::string& path) {
  // libsndfile says "not a sound file" for a missing one too; tell the two apart first.
  if (std::FILE* probe = std::fopen(path.c_str(), "rb")) {
    std::fclose(probe);
  } else {
    throw AudioFileError(Kind::cannotOpen, "cannot open " + path);
  }
  SF_INFO info{};
  file_ = sf_open(path.c_str(), SFM_READ, &info);
  if (!file_) {
    throw AudioFileError(Kind::notAudio, path + " is not a readable audio file (" +
                                             sf_strerror(nullptr) + ")");
  }
  if (info.channels < 1 || info.samplerate < 1) {
    sf_close(file_);
    file_ = nullptr;
    throw AudioFileError(Kind::notAudio, path + ": malformed audio header");
  }
  format_.sampleRate = info.samplerate;
  format_.channels = info.channels;
  format_.encoding = encodingOf(info.format);
  format_.nativeFormat = info.format;
  frames_ = info.frames;
}

SndfileReader::~SndfileReader() {
  if (file_) sf_close(file_);
}

std::size_t SndfileReader::read(double* dest, std::size_t frames) {
  const sf_count_t got = sf_readf_double(file_, dest, static_cast<sf_count_t>(frames));
  if (got < 0 || (got == 0 && sf_error(file_) != SF_ERR_NO_ERROR)) {
    throw AudioFileError(Kind::readFailed, std::string("read error: ") + sf_strerror(file_));
  }
  return static_cast<std::size_t>(got);
}

}  // namespace plughost
