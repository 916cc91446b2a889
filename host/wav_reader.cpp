// Header parsing and sample decoding of the built-in WAV reader.
#include "host/wav_reader.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "host/audio_file_error.h"
#include "host/wav_layout.h"

namespace plughost {

namespace {

using Kind = AudioFileError::Kind;

// Seeks to an absolute offset in steps a 32-bit `long` can hold, so that files past 2 GiB work
// with the plain C runtime on every platform.
bool seekAbsolute(std::FILE* file, std::uint64_t offset) {
  std::rewind(file);
  while (offset > 0) {
    const std::uint64_t step = std::min<std::uint64_t>(offset, 1u << 30);
    if (std::fseek(file, static_cast<long>(step), SEEK_CUR) != 0) return false;
    offset -= step;
  }
  return true;
}

bool readExact(std::FILE* file, void* dest, std::size_t bytes) {
  return std::fread(dest, 1, bytes, file) == bytes;
}

}  // namespace

WavReader::WavReader(const std::string& path) {
  file_.reset(std::fopen(path.c_str(), "rb"));
  if (!file_) {
    throw AudioFileError(Kind::cannotOpen,
                         "cannot open " + path + ": " + std::generic_category().message(errno));
  }
  parseHeader(path);
}

void WavReader::parseHeader(const std::string& path) {
  std::error_code ec;
  const std::uint64_t fileSize = std::filesystem::file_size(path, ec);
  if (ec) throw AudioFileError(Kind::cannotOpen, "cannot read " + path + ": " + ec.message());

  unsigned char riff[12];
  if (fileSize < 12 || !readExact(file_.get(), riff, 12) || !wav::hasId(riff, "RIFF") ||
      !wav::hasId(riff + 8, "WAVE")) {
    throw AudioFileError(Kind::notAudio, path + " is not a WAV file");
  }

  bool haveFormat = false;
  bool haveData = false;
  std::uint64_t dataOffset = 0;
  std::uint64_t dataBytes = 0;
  int formatTag = 0;
  int channels = 0;
  std::uint32_t sampleRate = 0;
  int blockAlign = 0;
  int bits = 0;

  // Walk the chunk list; a bounded count keeps a crafted file from spinning here.
  std::uint64_t pos = 12;
  for (int chunk = 0; chunk < 100000 && pos + 8 <= fileSize; ++chunk) {
    unsigned char header[8];
    if (!seekAbsolute(file_.get(), pos) || !readExact(file_.get(), header, 8)) break;
    const std::uint32_t size = wav::getU32(header + 4);
    const std::uint64_t body = pos + 8;
    const std::uint64_t available = fileSize - body;

    if (wav::hasId(header, "fmt ")) {
      if (size < 16 || size > available) {
        throw AudioFileError(Kind::notAudio, path + ": malformed format chunk");
      }
      unsigned char fmt[40] = {};
      const std::size_t want = std::min<std::size_t>(size, sizeof fmt);
      if (!readExact(file_.get(), fmt, want)) {
        throw AudioFileError(Kind::notAudio, path + ": malformed format chunk");
      }
      formatTag = wav::getU16(fmt);
      channels = wav::getU16(fmt + 2);
      sampleRate = wav::getU32(fmt + 4);
      blockAlign = wav::getU16(fmt + 12);
      bits = wav::getU16(fmt + 14);
      if (formatTag == wav::kFormatExtensible) {
        if (want < 40 || wav::getU16(fmt + 16) < 22 ||
            std::memcmp(fmt + 26, wav::kSubFormatTail, sizeof wav::kSubFormatTail) != 0) {
          throw AudioFileError(Kind::notAudio, path + ": malformed extensible format chunk");
        }
        formatTag = wav::getU16(fmt + 24);
      }
      haveFormat = true;
    } else if (wav::hasId(header, "data")) {
      dataOffset = body;
      dataBytes = std::min<std::uint64_t>(size, available);  // cut short: keep what is there
      haveData = true;
    }
    if (haveFormat && haveData) break;
    pos = body + size + (size & 1u);
  }

  if (!haveFormat) throw AudioFileError(Kind::notAudio, path + ": no format chunk");
  if (!haveData) throw AudioFileError(Kind::notAudio, path + ": no data chunk");
  if (channels < 1 || sampleRate < 1 || sampleRate > wav::kMaxSampleRate) {
    throw AudioFileError(Kind::notAudio, path + ": malformed format chunk");
  }

  SampleEncoding encoding;
  if (formatTag == wav::kFormatPcm && bits == 16) {
    encoding = SampleEncoding::pcm16;
  } else if (formatTag == wav::kFormatPcm && bits == 24) {
    encoding = SampleEncoding::pcm24;
  } else if (formatTag == wav::kFormatFloat && bits == 32) {
    encoding = SampleEncoding::float32;
  } else {
    throw AudioFileError(Kind::unsupported,
                         path + ": unsupported sample format (tag " + std::to_string(formatTag) +
                             ", " + std::to_string(bits) + " bits); 16/24-bit PCM and 32-bit "
                             "float are supported");
  }
  bytesPerSample_ = bits / 8;
  if (blockAlign != channels * bytesPerSample_) {
    throw AudioFileError(Kind::notAudio, path + ": inconsistent format chunk");
  }
  blockAlign_ = blockAlign;

  format_.sampleRate = static_cast<int>(sampleRate);
  format_.channels = channels;
  format_.encoding = encoding;
  format_.nativeFormat = 0;
  frames_ = static_cast<std::int64_t>(dataBytes / static_cast<std::uint64_t>(blockAlign_));
  framesLeft_ = frames_;

  if (!seekAbsolute(file_.get(), dataOffset)) {
    throw AudioFileError(Kind::readFailed, path + ": cannot seek to the samples");
  }
}

std::size_t WavReader::read(double* dest, std::size_t frames) {
  const std::size_t want = static_cast<std::size_t>(
      std::min<std::int64_t>(static_cast<std::int64_t>(frames), framesLeft_));
  if (want == 0) return 0;
  raw_.resize(want * static_cast<std::size_t>(blockAlign_));
  const std::size_t got = std::fread(raw_.data(), 1, raw_.size(), file_.get());
  const std::size_t whole = got / static_cast<std::size_t>(blockAlign_);
  if (whole < want && std::ferror(file_.get())) {
    throw AudioFileError(Kind::readFailed, "read error in WAV data");
  }
  const std::size_t samples = whole * static_cast<std::size_t>(format_.channels);
  const unsigned char* p = raw_.data();
  switch (format_.encoding) {
    case SampleEncoding::pcm16:
      for (std::size_t i = 0; i < samples; ++i, p += 2) dest[i] = wav::decodePcm16(p);
      break;
    case SampleEncoding::pcm24:
      for (std::size_t i = 0; i < samples; ++i, p += 3) dest[i] = wav::decodePcm24(p);
      break;
    case SampleEncoding::float32:
    case SampleEncoding::other:
      for (std::size_t i = 0; i < samples; ++i, p += 4) dest[i] = wav::decodeFloat32(p);
      break;
  }
  // A file that shrank under us ends early instead of yielding garbage.
  framesLeft_ = whole < want ? 0 : framesLeft_ - static_cast<std::int64_t>(whole);
  return whole;
}

}  // namespace plughost
