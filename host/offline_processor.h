// Streams an audio file through a plug-in block by block in constant memory: every buffer is
// sized once for the block size, whatever the length of the file. Mono input feeds the first
// two plug-in inputs; further inputs get silence; the output file gets the plug-in's first one
// or two outputs. The plug-in is prepared the way hosts do it: sample rate of the file, block
// size, precision, program, parameters, mains on, start; and wound down after the last block.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "host/audio_reader.h"
#include "host/audio_writer.h"
#include "host/plugin.h"

namespace plughost {

struct ParameterSetting {
  VstInt32 index = 0;
  float value = 0.0f;  // normalised, 0 to 1
};

struct ProcessSettings {
  VstInt32 blockSize = 1024;  // frames, > 0
  Precision precision = Precision::single;
  std::optional<VstInt32> program;        // selected before the parameters are set
  std::vector<ParameterSetting> parameters;  // in order; a later one wins
};

class OfflineProcessor {
 public:
  // Checks that the plug-in can process as asked and allocates every buffer. Throws HostError
  // (cannotProcess; badOption for a block size below 1).
  OfflineProcessor(Plugin& plugin, const ProcessSettings& settings);

  // Channels of the output file: the plug-in's outputs, one or two.
  int outputChannels() const { return outputChannels_; }

  // Processes the whole input into `writer` (which must have outputChannels() channels). After
  // each block `progress` (if any) gets the frames done and answers whether to go on. Answers
  // false when stopped that way. Throws HostError (inputUnsupported for more than two channels)
  // and AudioFileError.
  bool run(AudioReader& reader, AudioWriter& writer,
           const std::function<bool(std::int64_t)>& progress = {});

 private:
  void prepare(int sampleRate);
  void windDown();
  void processBlock(int fileChannels, std::size_t frames);

  Plugin& plugin_;
  ProcessSettings settings_;
  int outputChannels_ = 0;
  std::size_t block_ = 0;
  std::size_t inputBuffers_ = 0;   // plug-in inputs, at least two
  std::size_t outputBuffers_ = 0;  // plug-in outputs, at least two

  std::vector<double> interleavedIn_;
  std::vector<double> interleavedOut_;
  std::vector<float> floatIn_, floatOut_;     // planar, one block per channel
  std::vector<double> doubleIn_, doubleOut_;
  std::vector<float*> floatInPtrs_, floatOutPtrs_;
  std::vector<double*> doubleInPtrs_, doubleOutPtrs_;
};

}  // namespace plughost
