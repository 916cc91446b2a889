// Implementation of the shared test helpers.
#include "host_test_support.h"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <random>
#include <sstream>

#include "host/plughost_tool.h"
#include "host/wav_reader.h"
#include "host/wav_writer.h"

namespace hosttest {

void ScratchDir::SetUp() {
  const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
  std::string name = std::string(info->test_suite_name()) + "-" + info->name();
  std::replace_if(name.begin(), name.end(), [](char c) { return !std::isalnum(c) && c != '-'; },
                  '_');
  std::random_device random;
  dir_ = std::filesystem::temp_directory_path() /
         ("plughost-test-" + name + "-" + std::to_string(random() % 1000000));
  std::filesystem::remove_all(dir_);
  std::filesystem::create_directories(dir_);
}

void ScratchDir::TearDown() {
  std::error_code ec;
  std::filesystem::remove_all(dir_, ec);
}

std::vector<std::string> ScratchDir::files() const {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(dir_)) {
    names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

void writeWav(const std::filesystem::path& path, const Channels& channels, int sampleRate,
              plughost::SampleEncoding encoding) {
  const std::size_t n = channels.empty() ? 0 : channels[0].size();
  const std::size_t c = channels.size();
  std::vector<double> interleaved(n * c);
  for (std::size_t i = 0; i < n; ++i) {
    for (std::size_t k = 0; k < c; ++k) interleaved[i * c + k] = channels[k][i];
  }
  plughost::WavWriter writer(path.string(),
                             {sampleRate, static_cast<int>(c), encoding, 0});
  writer.write(interleaved.data(), n);
  writer.finish();
}

WavContents readWav(const std::filesystem::path& path) {
  plughost::WavReader reader(path.string());
  WavContents contents;
  contents.format = reader.format();
  const auto c = static_cast<std::size_t>(contents.format.channels);
  contents.channels.resize(c);
  std::vector<double> block(1000 * c);
  while (const std::size_t n = reader.read(block.data(), 1000)) {
    for (std::size_t i = 0; i < n; ++i) {
      for (std::size_t k = 0; k < c; ++k) contents.channels[k].push_back(block[i * c + k]);
    }
  }
  return contents;
}

Channels impulse(std::size_t channels, std::size_t frames, std::size_t frame, double amplitude) {
  Channels result(channels, std::vector<double>(frames, 0.0));
  for (auto& channel : result) channel[frame] = amplitude;
  return result;
}

long firstAbove(const std::vector<double>& samples, double threshold) {
  for (std::size_t i = 0; i < samples.size(); ++i) {
    if (std::fabs(samples[i]) > threshold) return static_cast<long>(i);
  }
  return -1;
}

ToolResult runTool(const std::vector<std::string>& args) {
  std::ostringstream out, err;
  ToolResult result;
  result.code = plughost::runPlughost(args, out, err);
  result.out = out.str();
  result.err = err.str();
  return result;
}

std::string readFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

}  // namespace hosttest
