// Header layout and sample encoding of the built-in WAV writer. PCM files carry the 16-byte
// format chunk; float files the 18-byte one and a fact chunk, as the format asks of non-PCM data.
#include "host/wav_writer.h"

#include <cerrno>
#include <cstring>
#include <system_error>

#include "host/audio_file_error.h"
#include "host/wav_layout.h"

namespace plughost {

namespace {

using Kind = AudioFileError::Kind;

constexpr std::uint32_t kPcmHeaderBytes = 44;
constexpr std::uint32_t kFloatHeaderBytes = 58;

}  // namespace

WavWriter::WavWriter(const std::string& path, const AudioFormat& format)
    : path_(path), format_(format) {
  switch (format.encoding) {
    case SampleEncoding::pcm16: bytesPerSample_ = 2; break;
    case SampleEncoding::pcm24: bytesPerSample_ = 3; break;
    case SampleEncoding::float32: bytesPerSample_ = 4; break;
    case SampleEncoding::other:
      throw AudioFileError(Kind::unsupported, "WAV output supports pcm16, pcm24 and float only");
  }
  if (format.channels < 1 || format.channels > 0xFFFF / bytesPerSample_ || format.sampleRate < 1 ||
      static_cast<std::uint32_t>(format.sampleRate) > wav::kMaxSampleRate) {
    throw AudioFileError(Kind::unsupported, "WAV output cannot hold this channel count or rate");
  }
  headerBytes_ = format.encoding == SampleEncoding::float32 ? kFloatHeaderBytes : kPcmHeaderBytes;
  file_.reset(std::fopen(path.c_str(), "wb"));
  if (!file_) {
    throw AudioFileError(Kind::cannotOpen,
                         "cannot create " + path + ": " + std::generic_category().message(errno));
  }
  writeHeader();
}

void WavWriter::writeHeader() {
  const bool isFloat = format_.encoding == SampleEncoding::float32;
  const auto blockAlign = static_cast<std::uint32_t>(format_.channels * bytesPerSample_);
  const std::uint64_t pad = dataBytes_ & 1u;
  unsigned char h[kFloatHeaderBytes] = {};
  unsigned char* p = h;
  std::memcpy(p, "RIFF", 4);
  wav::putU32(p + 4, static_cast<std::uint32_t>(headerBytes_ - 8 + dataBytes_ + pad));
  std::memcpy(p + 8, "WAVE", 4);
  std::memcpy(p + 12, "fmt ", 4);
  wav::putU32(p + 16, isFloat ? 18 : 16);
  wav::putU16(p + 20, isFloat ? wav::kFormatFloat : wav::kFormatPcm);
  wav::putU16(p + 22, static_cast<std::uint32_t>(format_.channels));
  wav::putU32(p + 24, static_cast<std::uint32_t>(format_.sampleRate));
  wav::putU32(p + 28, static_cast<std::uint32_t>(format_.sampleRate) * blockAlign);
  wav::putU16(p + 32, blockAlign);
  wav::putU16(p + 34, static_cast<std::uint32_t>(bytesPerSample_ * 8));
  p += 36;
  if (isFloat) {
    wav::putU16(p, 0);  // no extension bytes
    std::memcpy(p + 2, "fact", 4);
    wav::putU32(p + 6, 4);
    wav::putU32(p + 10, static_cast<std::uint32_t>(frames_));
    p += 14;
  }
  std::memcpy(p, "data", 4);
  wav::putU32(p + 4, static_cast<std::uint32_t>(dataBytes_));
  if (std::fwrite(h, 1, headerBytes_, file_.get()) != headerBytes_) {
    throw AudioFileError(Kind::writeFailed, "cannot write " + path_);
  }
}

void WavWriter::write(const double* frames, std::size_t count) {
  if (!file_) throw AudioFileError(Kind::writeFailed, "write after finish: " + path_);
  if (count == 0) return;
  const std::size_t samples = count * static_cast<std::size_t>(format_.channels);
  const std::uint64_t bytes = samples * static_cast<std::uint64_t>(bytesPerSample_);
  // The RIFF size field must hold header, data and the pad byte.
  if (dataBytes_ + bytes + headerBytes_ + 1 > 0xFFFFFFFFull) {
    throw AudioFileError(Kind::writeFailed, path_ + ": output passes the 4 GiB limit of WAV files");
  }
  raw_.resize(static_cast<std::size_t>(bytes));
  unsigned char* p = raw_.data();
  switch (format_.encoding) {
    case SampleEncoding::pcm16:
      for (std::size_t i = 0; i < samples; ++i, p += 2) wav::encodePcm16(p, frames[i]);
      break;
    case SampleEncoding::pcm24:
      for (std::size_t i = 0; i < samples; ++i, p += 3) wav::encodePcm24(p, frames[i]);
      break;
    case SampleEncoding::float32:
    case SampleEncoding::other:
      for (std::size_t i = 0; i < samples; ++i, p += 4) wav::encodeFloat32(p, frames[i]);
      break;
  }
  if (std::fwrite(raw_.data(), 1, raw_.size(), file_.get()) != raw_.size()) {
    throw AudioFileError(Kind::writeFailed, "cannot write " + path_ + ": " +
                                                std::generic_category().message(errno));
  }
  dataBytes_ += bytes;
  frames_ += count;
}

void WavWriter::finish() {
  if (!file_) return;
  std::FILE* f = file_.get();
  bool ok = true;
  if (dataBytes_ & 1u) ok = std::fputc(0, f) != EOF;
  ok = ok && std::fseek(f, 0, SEEK_SET) == 0;
  if (ok) {
    try {
      writeHeader();
    } catch (const AudioFileError&) {
      ok = false;
    }
  }
  ok = std::fflush(f) == 0 && ok;
  // fclose reports what the buffered writes could not do (a full disk, for one).
  ok = std::fclose(file_.release()) == 0 && ok;
  if (!ok) throw AudioFileError(Kind::writeFailed, "cannot complete " + path_);
}

}  // namespace plughost
