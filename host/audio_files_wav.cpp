// The built-in WAV back end behind openAudioReader / createAudioWriter.
#include "host/audio_files.h"
#include "host/wav_reader.h"
#include "host/wav_writer.h"

namespace plughost {

std::unique_ptr<AudioReader> openAudioReader(const std::string& path) {
  return std::make_unique<WavReader>(path);
}

std::unique_ptr<AudioWriter> createAudioWriter(const std::string& path, const AudioFormat& format) {
  return std::make_unique<WavWriter>(path, format);
}

std::string audioBackendName() { return "built-in WAV"; }

}  // namespace plughost
