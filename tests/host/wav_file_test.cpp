// The built-in WAV reader and writer: exact round trips, the header the writer lays down, the
// PCM quantisation, and every kind of broken file the reader must refuse or survive.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "host/audio_file_error.h"
#include "host/wav_layout.h"
#include "host/wav_reader.h"
#include "host/wav_writer.h"
#include "host_test_support.h"
#include "wav_bytes.h"

namespace hosttest {
namespace {

using plughost::AudioFileError;
using plughost::SampleEncoding;
using Kind = AudioFileError::Kind;

// Samples every encoding holds exactly: PCM codes, and for float a value past full scale.
double exactSample(SampleEncoding encoding, std::size_t channel, std::size_t frame) {
  const long code = static_cast<long>((frame * 7919 + channel * 104729) % 60000) - 30000;
  switch (encoding) {
    case SampleEncoding::pcm16: return code / 32768.0;
    case SampleEncoding::pcm24: return (code * 256 + 17) / 8388608.0;
    default: return static_cast<float>(code / 12000.0);  // up to +-2.5: float is not clipped
  }
}

struct RoundTripCase {
  const char* name;
  SampleEncoding encoding;
  int channels;
  std::size_t frames;
};

class WavRoundTrip : public ScratchDir, public ::testing::WithParamInterface<RoundTripCase> {};

TEST_P(WavRoundTrip, ReadsBackExactlyWhatWasWritten) {
  const RoundTripCase& c = GetParam();
  Channels channels(static_cast<std::size_t>(c.channels), std::vector<double>(c.frames));
  for (std::size_t k = 0; k < channels.size(); ++k) {
    for (std::size_t i = 0; i < c.frames; ++i) channels[k][i] = exactSample(c.encoding, k, i);
  }
  writeWav(path("a.wav"), channels, 48000, c.encoding);

  plughost::WavReader reader(path("a.wav").string());
  EXPECT_EQ(reader.format().sampleRate, 48000);
  EXPECT_EQ(reader.format().channels, c.channels);
  EXPECT_EQ(reader.format().encoding, c.encoding);
  EXPECT_EQ(reader.frameCount(), static_cast<std::int64_t>(c.frames));
  EXPECT_EQ(readWav(path("a.wav")).channels, channels);
}

INSTANTIATE_TEST_SUITE_P(
    Encodings, WavRoundTrip,
    ::testing::Values(RoundTripCase{"pcm16_mono_empty", SampleEncoding::pcm16, 1, 0},
                      RoundTripCase{"pcm16_stereo", SampleEncoding::pcm16, 2, 1001},
                      RoundTripCase{"pcm24_mono_odd_bytes", SampleEncoding::pcm24, 1, 1001},
                      RoundTripCase{"pcm24_three_channels", SampleEncoding::pcm24, 3, 77},
                      RoundTripCase{"float_mono_one_frame", SampleEncoding::float32, 1, 1},
                      RoundTripCase{"float_stereo", SampleEncoding::float32, 2, 1001}),
    [](const auto& info) { return std::string(info.param.name); });

class WavHeader : public ScratchDir {};

TEST_F(WavHeader, PcmHeaderAndPadByte) {
  // 3 frames of 24-bit mono: 9 data bytes, so a pad byte follows and counts in the RIFF size.
  writeWav(path("a.wav"), Channels{{0.0, 0.5, -0.5}}, 44100, SampleEncoding::pcm24);
  const std::string b = readFile(path("a.wav"));
  ASSERT_EQ(b.size(), 44u + 9u + 1u);
  auto u32 = [&](std::size_t at) {
    return plughost::wav::getU32(reinterpret_cast<const unsigned char*>(b.data()) + at);
  };
  auto u16 = [&](std::size_t at) {
    return plughost::wav::getU16(reinterpret_cast<const unsigned char*>(b.data()) + at);
  };
  EXPECT_EQ(b.substr(0, 4), "RIFF");
  EXPECT_EQ(u32(4), 44u - 8u + 10u);
  EXPECT_EQ(b.substr(8, 8), "WAVEfmt ");
  EXPECT_EQ(u32(16), 16u);
  EXPECT_EQ(u16(20), 1u);      // PCM
  EXPECT_EQ(u16(22), 1u);      // channels
  EXPECT_EQ(u32(24), 44100u);  // rate
  EXPECT_EQ(u32(28), 44100u * 3u);
  EXPECT_EQ(u16(32), 3u);   // block align
  EXPECT_EQ(u16(34), 24u);  // bits
  EXPECT_EQ(b.substr(36, 4), "data");
  EXPECT_EQ(u32(40), 9u);
  EXPECT_EQ(b[53], '\0');
}

TEST_F(WavHeader, FloatHeaderCarriesFactChunk) {
  writeWav(path("a.wav"), Channels{{0.1, 0.2}, {0.3, 0.4}}, 96000, SampleEncoding::float32);
  const std::string b = readFile(path("a.wav"));
  ASSERT_EQ(b.size(), 58u + 16u);
  const auto* u = reinterpret_cast<const unsigned char*>(b.data());
  EXPECT_EQ(plughost::wav::getU32(u + 16), 18u);  // format chunk with its extension size
  EXPECT_EQ(plughost::wav::getU16(u + 20), 3u);   // IEEE float
  EXPECT_EQ(b.substr(38, 4), "fact");
  EXPECT_EQ(plughost::wav::getU32(u + 46), 2u);  // frames
  EXPECT_EQ(b.substr(50, 4), "data");
  EXPECT_EQ(plughost::wav::getU32(u + 54), 16u);
}

TEST(WavQuantize, ScalesClipsAndRounds) {
  struct Case {
    double x;
    int bits;
    std::int32_t code;
  };
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const Case cases[] = {
      {0.5, 16, 16384},          {-1.0, 16, -32768},       {1.0, 16, 32767},
      {7.0, 16, 32767},          {-7.0, 16, -32768},       {nan, 16, 0},
      {0.5 / 32768, 16, 0},      {1.5 / 32768, 16, 2},     {-1.5 / 32768, 16, -2},
      {1.0, 24, 8388607},        {-1.0, 24, -8388608},     {0.25, 24, 2097152},
      {std::numeric_limits<double>::infinity(), 24, 8388607},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.x << " at " << c.bits << " bits");
    EXPECT_EQ(plughost::wav::quantize(c.x, c.bits), c.code);
  }
}

// Files the reader must refuse, with the kind of refusal.
struct BrokenCase {
  const char* name;
  WavBytes bytes;
  Kind kind;
};

class WavBroken : public ScratchDir, public ::testing::WithParamInterface<BrokenCase> {};

TEST_P(WavBroken, IsRefused) {
  GetParam().bytes.save(path("broken.wav"));
  try {
    plughost::WavReader reader(path("broken.wav").string());
    FAIL() << "accepted";
  } catch (const AudioFileError& e) {
    EXPECT_EQ(e.kind(), GetParam().kind) << e.what();
  }
}

std::vector<std::uint8_t> extensibleFmt(int channels, int bits, std::uint8_t guidByte) {
  WavBytes b;
  const int align = channels * bits / 8;
  b.text("fmt ").u32(40).u16(0xFFFE).u16(channels).u32(44100).u32(44100 * align).u16(align);
  b.u16(bits).u16(22).u16(bits).u32(3).u16(1);  // cbSize, valid bits, mask, sub-format tag PCM
  b.raw({0x00, 0x00, 0x00, 0x00, 0x10, 0x00, 0x80, 0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, guidByte});
  return b.bytes();
}

INSTANTIATE_TEST_SUITE_P(
    Files, WavBroken,
    ::testing::Values(
        BrokenCase{"empty", WavBytes(), Kind::notAudio},
        BrokenCase{"text", WavBytes().text("just some text, not audio at all"), Kind::notAudio},
        BrokenCase{"big_endian_riff", WavBytes().text("RIFXxxxxWAVE"), Kind::notAudio},
        BrokenCase{"no_format", WavBytes().riff().dataHeader(4).zeros(4), Kind::notAudio},
        BrokenCase{"no_data", WavBytes().riff().fmt(1, 1, 44100, 16), Kind::notAudio},
        BrokenCase{"short_format",
                   WavBytes().riff().text("fmt ").u32(10).zeros(10).dataHeader(0),
                   Kind::notAudio},
        BrokenCase{"format_past_end", WavBytes().riff().text("fmt ").u32(100).zeros(16),
                   Kind::notAudio},
        BrokenCase{"zero_channels", WavBytes().riff().fmt(1, 0, 44100, 16, 2).dataHeader(0),
                   Kind::notAudio},
        BrokenCase{"zero_rate", WavBytes().riff().fmt(1, 1, 0, 16).dataHeader(0),
                   Kind::notAudio},
        BrokenCase{"block_align_mismatch",
                   WavBytes().riff().fmt(1, 2, 44100, 16, 3).dataHeader(0), Kind::notAudio},
        BrokenCase{"bad_extensible_guid",
                   WavBytes().riff().raw(extensibleFmt(1, 16, 0x00)).dataHeader(0),
                   Kind::notAudio},
        BrokenCase{"pcm8", WavBytes().riff().fmt(1, 1, 44100, 8).dataHeader(0),
                   Kind::unsupported},
        BrokenCase{"float64", WavBytes().riff().fmt(3, 1, 44100, 64).dataHeader(0),
                   Kind::unsupported},
        BrokenCase{"alaw", WavBytes().riff().fmt(6, 1, 8000, 8).dataHeader(0),
                   Kind::unsupported}),
    [](const auto& info) { return std::string(info.param.name); });

// Files that are odd but readable, with the frames and first sample they must give.
struct OddCase {
  const char* name;
  WavBytes bytes;
  std::int64_t frames;
  double first;
};

class WavOdd : public ScratchDir, public ::testing::WithParamInterface<OddCase> {};

TEST_P(WavOdd, IsReadAsFarAsItGoes) {
  const OddCase& c = GetParam();
  c.bytes.save(path("odd.wav"));
  plughost::WavReader reader(path("odd.wav").string());
  EXPECT_EQ(reader.frameCount(), c.frames);
  std::vector<double> samples(static_cast<std::size_t>(c.frames + 8) * 2, 99.0);
  EXPECT_EQ(reader.read(samples.data(), static_cast<std::size_t>(c.frames + 8)),
            static_cast<std::size_t>(c.frames));
  if (c.frames > 0) {
    EXPECT_EQ(samples[0], c.first);
  }
  EXPECT_EQ(reader.read(samples.data(), 8), 0u);
}

INSTANTIATE_TEST_SUITE_P(
    Files, WavOdd,
    ::testing::Values(
        // The header promises 100 frames; 10 whole frames and half of one are there.
        OddCase{"truncated_data",
                WavBytes().riff().fmt(1, 1, 44100, 16).dataHeader(200).u16(0x4000).zeros(19), 10,
                0.5},
        // An odd-sized chunk before the format, with its pad byte.
        OddCase{"odd_chunk_first",
                WavBytes().riff().text("LIST").u32(3).zeros(4).fmt(1, 1, 44100, 16).dataHeader(
                    2).u16(0xC000),
                1, -0.5},
        OddCase{"data_before_format",
                WavBytes().riff().dataHeader(2).u16(0x2000).fmt(1, 1, 44100, 16), 1, 0.25},
        OddCase{"extensible_pcm16",
                WavBytes().riff().raw(extensibleFmt(1, 16, 0x71)).dataHeader(2).u16(0x4000), 1,
                0.5},
        OddCase{"empty_data", WavBytes().riff().fmt(3, 2, 44100, 32).dataHeader(0), 0, 0.0}),
    [](const auto& info) { return std::string(info.param.name); });

class WavErrors : public ScratchDir {};

TEST_F(WavErrors, MissingFileAndUnwritablePathAndUnknownEncoding) {
  try {
    plughost::WavReader reader(path("missing.wav").string());
    FAIL();
  } catch (const AudioFileError& e) {
    EXPECT_EQ(e.kind(), Kind::cannotOpen);
  }
  try {
    plughost::WavWriter writer(path("no-such-folder/out.wav").string(),
                               {44100, 2, SampleEncoding::pcm16, 0});
    FAIL();
  } catch (const AudioFileError& e) {
    EXPECT_EQ(e.kind(), Kind::cannotOpen);
  }
  try {
    plughost::WavWriter writer(path("out.wav").string(), {44100, 2, SampleEncoding::other, 0});
    FAIL();
  } catch (const AudioFileError& e) {
    EXPECT_EQ(e.kind(), Kind::unsupported);
  }
}

}  // namespace
}  // namespace hosttest
