// The block loop of OfflineProcessor.
#include "host/offline_processor.h"

#include <algorithm>
#include <string>

#include "host/host_error.h"

namespace plughost {

namespace {

template <typename T>
void pointBuffers(std::vector<T>& storage, std::vector<T*>& pointers, std::size_t channels,
                  std::size_t block) {
  storage.assign(channels * block, T{});
  pointers.resize(channels);
  for (std::size_t c = 0; c < channels; ++c) pointers[c] = storage.data() + c * block;
}

}  // namespace

OfflineProcessor::OfflineProcessor(Plugin& plugin, const ProcessSettings& settings)
    : plugin_(plugin), settings_(settings) {
  const AEffect& e = plugin.effect();
  if (settings.blockSize < 1) throw HostError(ExitCode::badOption, "block size must be at least 1");
  if (e.numOutputs < 1) throw HostError(ExitCode::cannotProcess, "the plug-in has no outputs");
  if (settings.precision == Precision::double_) {
    if (!(e.flags & effFlagsCanDoubleReplacing) || !e.processDoubleReplacing) {
      throw HostError(ExitCode::cannotProcess,
                      "the plug-in does not process in double precision");
    }
  } else if (!e.processReplacing && !e.process) {
    throw HostError(ExitCode::cannotProcess, "the plug-in has no single-precision process entry");
  }
  outputChannels_ = std::min(e.numOutputs, 2);
  block_ = static_cast<std::size_t>(settings.blockSize);
  // Many plug-ins index the first two channels whatever they declare: never hand them fewer.
  inputBuffers_ = static_cast<std::size_t>(std::max(e.numInputs, 2));
  outputBuffers_ = static_cast<std::size_t>(std::max(e.numOutputs, 2));

  interleavedIn_.assign(block_ * 2, 0.0);
  interleavedOut_.assign(block_ * static_cast<std::size_t>(outputChannels_), 0.0);
  if (settings.precision == Precision::double_) {
    pointBuffers(doubleIn_, doubleInPtrs_, inputBuffers_, block_);
    pointBuffers(doubleOut_, doubleOutPtrs_, outputBuffers_, block_);
  } else {
    pointBuffers(floatIn_, floatInPtrs_, inputBuffers_, block_);
    pointBuffers(floatOut_, floatOutPtrs_, outputBuffers_, block_);
  }
}

void OfflineProcessor::prepare(int sampleRate) {
  Host& host = plugin_.host();
  plugin_.setSampleRate(static_cast<float>(sampleRate));
  plugin_.setBlockSize(settings_.blockSize);
  plugin_.setProcessPrecision(settings_.precision);
  if (settings_.program) plugin_.setProgram(*settings_.program);
  for (const ParameterSetting& p : settings_.parameters) plugin_.setParameter(p.index, p.value);
  host.setTransport(false, 0.0);
  plugin_.setMainsOn(true);
  plugin_.startProcess();
  host.setProcessLevel(kVstProcessLevelOffline);
}

void OfflineProcessor::windDown() {
  Host& host = plugin_.host();
  host.setProcessLevel(kVstProcessLevelUser);
  host.setTransport(false, 0.0);
  if (plugin_.processing()) plugin_.stopProcess();
  if (plugin_.mainsOn()) plugin_.setMainsOn(false);
}

bool OfflineProcessor::run(AudioReader& reader, AudioWriter& writer,
                           const std::function<bool(std::int64_t)>& progress) {
  const AudioFormat& format = reader.format();
  if (format.channels > 2) {
    throw HostError(ExitCode::inputUnsupported,
                    "the input has " + std::to_string(format.channels) +
                        " channels; only mono and stereo files are processed");
  }
  prepare(format.sampleRate);
  bool completed = true;
  try {
    std::int64_t done = 0;
    for (;;) {
      const std::size_t frames = reader.read(interleavedIn_.data(), block_);
      if (frames == 0) break;
      plugin_.host().setTransport(true, static_cast<double>(done));
      processBlock(format.channels, frames);
      writer.write(interleavedOut_.data(), frames);
      done += static_cast<std::int64_t>(frames);
      if (progress && !progress(done)) {
        completed = false;
        break;
      }
    }
  } catch (...) {
    windDown();
    throw;
  }
  windDown();
  return completed;
}

void OfflineProcessor::processBlock(int fileChannels, std::size_t frames) {
  const auto channels = static_cast<std::size_t>(fileChannels);
  const auto n = static_cast<VstInt32>(frames);
  const auto outs = static_cast<std::size_t>(outputChannels_);
  // Input i takes file channel i; a mono file feeds inputs 0 and 1; the rest is silence. Every
  // buffer is refilled each block: a plug-in may have written into its inputs.
  auto source = [&](std::size_t input) -> std::ptrdiff_t {
    if (input < channels) return static_cast<std::ptrdiff_t>(input);
    if (channels == 1 && input == 1) return 0;
    return -1;
  };
  if (settings_.precision == Precision::double_) {
    for (std::size_t i = 0; i < inputBuffers_; ++i) {
      const std::ptrdiff_t c = source(i);
      double* dest = doubleInPtrs_[i];
      for (std::size_t f = 0; f < frames; ++f) {
        dest[f] = c < 0 ? 0.0 : interleavedIn_[f * channels + static_cast<std::size_t>(c)];
      }
    }
    for (double* out : doubleOutPtrs_) std::fill(out, out + frames, 0.0);
    plugin_.processDoubleReplacing(doubleInPtrs_.data(), doubleOutPtrs_.data(), n);
    for (std::size_t c = 0; c < outs; ++c) {
      for (std::size_t f = 0; f < frames; ++f) interleavedOut_[f * outs + c] = doubleOutPtrs_[c][f];
    }
  } else {
    for (std::size_t i = 0; i < inputBuffers_; ++i) {
      const std::ptrdiff_t c = source(i);
      float* dest = floatInPtrs_[i];
      for (std::size_t f = 0; f < frames; ++f) {
        dest[f] = c < 0 ? 0.0f
                        : static_cast<float>(
                              interleavedIn_[f * channels + static_cast<std::size_t>(c)]);
      }
    }
    for (float* out : floatOutPtrs_) std::fill(out, out + frames, 0.0f);
    // Replacing when the plug-in has it; the old accumulating entry onto silence otherwise.
    if (plugin_.effect().processReplacing) {
      plugin_.processReplacing(floatInPtrs_.data(), floatOutPtrs_.data(), n);
    } else {
      plugin_.processAccumulating(floatInPtrs_.data(), floatOutPtrs_.data(), n);
    }
    for (std::size_t c = 0; c < outs; ++c) {
      for (std::size_t f = 0; f < frames; ++f) interleavedOut_[f * outs + c] = floatOutPtrs_[c][f];
    }
  }
}

}  // namespace plughost
