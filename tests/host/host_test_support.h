// Helpers shared by the host's tests: a scratch folder per test, WAV files made and read back
// through the built-in WAV code, and running the tool in process.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "host/audio_format.h"

namespace hosttest {

// A fresh, empty folder for one test, removed afterwards.
class ScratchDir : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
  std::filesystem::path path(const std::string& name) const { return dir_ / name; }
  // Names of the files in the folder, sorted.
  std::vector<std::string> files() const;

  std::filesystem::path dir_;
};

// Planar audio: channels[c][frame].
using Channels = std::vector<std::vector<double>>;

void writeWav(const std::filesystem::path& path, const Channels& channels, int sampleRate,
              plughost::SampleEncoding encoding = plughost::SampleEncoding::float32);
struct WavContents {
  plughost::AudioFormat format;
  Channels channels;
};
WavContents readWav(const std::filesystem::path& path);

// An impulse of `amplitude` at `frame` in every channel, silence elsewhere.
Channels impulse(std::size_t channels, std::size_t frames, std::size_t frame,
                 double amplitude = 0.5);

// Index of the first sample whose magnitude exceeds `threshold`, or -1.
long firstAbove(const std::vector<double>& samples, double threshold = 1e-9);

struct ToolResult {
  int code = 0;
  std::string out;
  std::string err;
};
ToolResult runTool(const std::vector<std::string>& args);

std::string readFile(const std::filesystem::path& path);

}  // namespace hosttest
