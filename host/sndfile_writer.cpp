// libsndfile writer with clipping on, so that PCM output saturates instead of wrapping.
#include "host/sndfile_writer.h"

#include <sndfile.h>

#include <cstdio>

#include "host/audio_file_error.h"

namespace plughost {

namespace {

using Kind = AudioFileError::Kind;

int sndfileFormat(const AudioFormat& format) {
  const int container =
      format.nativeFormat != 0 ? (format.nativeFormat & SF_FORMAT_TYPEMASK) : SF_FORMAT_WAV;
  switch (format.encoding) {
    case SampleEncoding::pcm16: return container | SF_FORMAT_PCM_16;
    case SampleEncoding::pcm24: return container | SF_FORMAT_PCM_24;
    case SampleEncoding::float32: return container | SF_FORMAT_FLOAT;
    case SampleEncoding::other: break;
  }
  return format.nativeFormat;
}

}  // namespace

SndfileWriter::SndfileWriter(const std::string& path, const AudioFormat& format) : path_(path) {
  SF_INFO info{};
  info.samplerate = format.sampleRate;
  info.channels = format.channels;
  info.format = sndfileFormat(format);
  if (!sf_format_check(&info)) {
    throw AudioFileError(Kind::unsupported,
                         "the output format cannot hold " +
                             std::string(sampleEncodingName(format.encoding)) + " samples");
  }
  file_ = sf_open(path.c_str(), SFM_WRITE, &info);
  if (!file_) {
    throw AudioFileError(Kind::cannotOpen,
                         "cannot create " + path + " (" + sf_strerror(nullptr) + ")");
  }
  sf_command(file_, SFC_SET_CLIPPING, nullptr, SF_TRUE);
}

SndfileWriter::~SndfileWriter() {
  if (file_) sf_close(file_);
}

void SndfileWriter::write(const double* frames, std::size_t count) {
  if (!file_) throw AudioFileError(Kind::writeFailed, "write after finish: " + path_);
  const auto want = static_cast<sf_count_t>(count);
  if (sf_writef_double(file_, frames, want) != want) {
    throw AudioFileError(Kind::writeFailed,
                         "cannot write " + path_ + " (" + sf_strerror(file_) + ")");
  }
}

void SndfileWriter::finish() {
  if (!file_) return;
  sf_write_sync(file_);
  const int error = sf_error(file_);
  const int closed = sf_close(file_);
  file_ = nullptr;
  if (error != SF_ERR_NO_ERROR || closed != 0) {
    throw AudioFileError(Kind::writeFailed, "cannot complete " + path_);
  }
}

}  // namespace plughost
