// Opening audio files through the back end this build uses (libsndfile on Linux, the built-in
// WAV code on Windows).
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "host/audio_reader.h"
#include "host/audio_writer.h"

namespace plughost {

// Throws AudioFileError (cannotOpen, notAudio, unsupported).
std::unique_ptr<AudioReader> openAudioReader(const std::string& path);
// Creates (or replaces) the file. `format.nativeFormat` from a reader of the same back end keeps
// the input's container. Throws AudioFileError (cannotOpen, unsupported).
std::unique_ptr<AudioWriter> createAudioWriter(const std::string& path, const AudioFormat& format);
// "libsndfile 1.2.0", "built-in WAV", for --version.
std::string audioBackendName();

}  // namespace plughost
