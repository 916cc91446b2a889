// What an audio file holds: rate, channel count and how each sample is stored. Shared by the
// file back ends and the tool, which writes its output in the input's format unless told
// otherwise.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace plughost {

// Sample encodings the tool can be asked for; `other` is anything else a back end can read
// (its native description travels in AudioFormat::nativeFormat).
enum class SampleEncoding { pcm16, pcm24, float32, other };

struct AudioFormat {
  int sampleRate = 0;  // Hz, > 0
  int channels = 0;    // > 0
  SampleEncoding encoding = SampleEncoding::pcm16;
  int nativeFormat = 0;  // back-end specific container/encoding code; 0 when there is none
};

// "float", "pcm16", "pcm24" -> encoding; anything else -> nullopt.
std::optional<SampleEncoding> parseSampleEncoding(std::string_view text);
std::string_view sampleEncodingName(SampleEncoding encoding);

}  // namespace plughost
