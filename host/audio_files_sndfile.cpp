// The libsndfile back end behind openAudioReader / createAudioWriter.
#include <sndfile.h>

#include "host/audio_files.h"
#include "host/sndfile_reader.h"
#include "host/sndfile_writer.h"

namespace plughost {

std::unique_ptr<AudioReader> openAudioReader(const std::string& path) {
  return std::make_unique<SndfileReader>(path);
}

std::unique_ptr<AudioWriter> createAudioWriter(const std::string& path, const AudioFormat& format) {
  return std::make_unique<SndfileWriter>(path, format);
}

std::string audioBackendName() { return sf_version_string(); }

}  // namespace plughost
