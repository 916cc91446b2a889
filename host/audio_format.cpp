// Names of the sample encodings as the command line spells them.
#include "host/audio_format.h"

namespace plughost {

std::optional<SampleEncoding> parseSampleEncoding(std::string_view text) {
  if (text == "float") return SampleEncoding::float32;
  if (text == "pcm16") return SampleEncoding::pcm16;
  if (text == "pcm24") return SampleEncoding::pcm24;
  return std::nullopt;
}

std::string_view sampleEncodingName(SampleEncoding encoding) {
  switch (encoding) {
    case SampleEncoding::pcm16: return "pcm16";
    case SampleEncoding::pcm24: return "pcm24";
    case SampleEncoding::float32: return "float";
    case SampleEncoding::other: break;
  }
  return "other";
}

}  // namespace plughost
