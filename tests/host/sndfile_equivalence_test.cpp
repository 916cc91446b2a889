// The two file back ends must agree: what one writes the other reads back sample for sample,
// and both read odd files (truncated, extensible) the same way.
#include <gtest/gtest.h>

#include "host/audio_file_error.h"
#include "host/sndfile_reader.h"
#include "host/sndfile_writer.h"
#include "host/wav_reader.h"
#include "host_test_support.h"
#include "wav_bytes.h"

namespace hosttest {
namespace {

using plughost::SampleEncoding;

Channels readAll(plughost::AudioReader& reader) {
  const auto c = static_cast<std::size_t>(reader.format().channels);
  Channels channels(c);
  std::vector<double> block(333 * c);
  while (const std::size_t n = reader.read(block.data(), 333)) {
    for (std::size_t i = 0; i < n; ++i) {
      for (std::size_t k = 0; k < c; ++k) channels[k].push_back(block[i * c + k]);
    }
  }
  return channels;
}

Channels codes(SampleEncoding encoding, std::size_t channels, std::size_t frames) {
  Channels result(channels, std::vector<double>(frames));
  const double scale = encoding == SampleEncoding::pcm24 ? 8388608.0 : 32768.0;
  for (std::size_t k = 0; k < channels; ++k) {
    for (std::size_t i = 0; i < frames; ++i) {
      const long code = static_cast<long>((i * 2654435761u + k * 40503u) % 65536u) - 32768;
      result[k][i] = (encoding == SampleEncoding::pcm24 ? code * 256 + 5 : code) / scale;
    }
  }
  return result;
}

class BackEnds : public ScratchDir, public ::testing::WithParamInterface<SampleEncoding> {};

TEST_P(BackEnds, EachReadsWhatTheOtherWrites) {
  const SampleEncoding encoding = GetParam();
  const Channels original = codes(encoding, 2, 1234);

  writeWav(path("builtin.wav"), original, 48000, encoding);
  plughost::SndfileReader sndfile(path("builtin.wav").string());
  EXPECT_EQ(sndfile.format().encoding, encoding);
  EXPECT_EQ(sndfile.format().sampleRate, 48000);
  EXPECT_EQ(sndfile.frameCount(), 1234);
  EXPECT_EQ(readAll(sndfile), original);

  {
    std::vector<double> interleaved;
    for (std::size_t i = 0; i < 1234; ++i) {
      interleaved.push_back(original[0][i]);
      interleaved.push_back(original[1][i]);
    }
    plughost::SndfileWriter writer(path("sndfile.wav").string(), {48000, 2, encoding, 0});
    writer.write(interleaved.data(), 1234);
    writer.finish();
  }
  plughost::WavReader builtin(path("sndfile.wav").string());
  EXPECT_EQ(builtin.format().encoding, encoding);
  EXPECT_EQ(readAll(builtin), original);
}

INSTANTIATE_TEST_SUITE_P(Encodings, BackEnds,
                         ::testing::Values(SampleEncoding::pcm16, SampleEncoding::pcm24,
                                           SampleEncoding::float32));

TEST_F(BackEnds, AgreeOnTruncatedFiles) {
  WavBytes().riff().fmt(1, 2, 44100, 16).dataHeader(4000).zeros(4 * 25 + 3).save(path("t.wav"));
  plughost::WavReader builtin(path("t.wav").string());
  plughost::SndfileReader sndfile(path("t.wav").string());
  EXPECT_EQ(builtin.frameCount(), 25);
  EXPECT_EQ(readAll(builtin).at(0).size(), readAll(sndfile).at(0).size());
}

TEST_F(BackEnds, SndfileTellsMissingFromNonAudio) {
  using Kind = plughost::AudioFileError::Kind;
  WavBytes().text("plain text").save(path("text.wav"));
  try {
    plughost::SndfileReader reader(path("missing.wav").string());
    FAIL();
  } catch (const plughost::AudioFileError& e) {
    EXPECT_EQ(e.kind(), Kind::cannotOpen);
  }
  try {
    plughost::SndfileReader reader(path("text.wav").string());
    FAIL();
  } catch (const plughost::AudioFileError& e) {
    EXPECT_EQ(e.kind(), Kind::notAudio);
  }
}

}  // namespace
}  // namespace hosttest
