// The demo: makes a stereo test signal, runs it through each plug-in given (both parameters at
// 0.25 and 0.7) with the host library, writes input and outputs as WAV files and prints, for
// each plug-in and output channel, the input channel it follows and the delay measured in the
// output next to the expected one. Exits with 1 when a measurement differs from what is
// expected of one of this project's plug-ins.
//
//   qln_demo OUTDIR PLUGIN...
#include <cctype>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <set>
#include <string>
#include <vector>

#include "host/delay_estimate.h"
#include "host/demo_signal.h"
#include "host/host_error.h"
#include "host/offline_processor.h"
#include "host/pending_file.h"
#include "host/plugin.h"
#include "host/wav_reader.h"
#include "host/wav_writer.h"

namespace {

using namespace plughost;

constexpr int kSampleRate = 44100;
constexpr float kParameters[2] = {0.25f, 0.7f};
constexpr VstInt32 kPerChannelDelayId = static_cast<VstInt32>(0xFF222002u);
constexpr VstInt32 kSplitDelayId = static_cast<VstInt32>(0xFF222001u);

// What each output of one of our plug-ins should be: the input it follows and the delay, in
// samples, the parameter gives at the demo's rate (the maximum delay is a hundredth of a second).
struct Expectation {
  std::size_t input;
  int delay;
};

std::vector<Expectation> expectationsFor(VstInt32 uniqueId) {
  const int maxDelay = kSampleRate / 100;
  auto delayOf = [&](float value) {
    return static_cast<int>(static_cast<double>(value) * maxDelay);
  };
  if (uniqueId == kPerChannelDelayId) {
    return {{0, delayOf(kParameters[0])}, {1, delayOf(kParameters[1])}};
  }
  if (uniqueId == kSplitDelayId) {
    return {{0, delayOf(kParameters[0])}, {0, delayOf(kParameters[1])}};
  }
  return {};
}

void writeStereo(const std::filesystem::path& path, const std::vector<double>& left,
                 const std::vector<double>& right) {
  PendingFile pending(path);
  {
    WavWriter writer(pending.temporary().string(),
                     AudioFormat{kSampleRate, 2, SampleEncoding::float32, 0});
    std::vector<double> frames(left.size() * 2);
    for (std::size_t i = 0; i < left.size(); ++i) {
      frames[2 * i] = left[i];
      frames[2 * i + 1] = right[i];
    }
    writer.write(frames.data(), left.size());
    writer.finish();
  }
  pending.commit();
}

std::vector<std::vector<double>> readChannels(const std::filesystem::path& path) {
  WavReader reader(path.string());
  const auto channels = static_cast<std::size_t>(reader.format().channels);
  std::vector<std::vector<double>> result(channels);
  std::vector<double> block(4096 * channels);
  while (const std::size_t n = reader.read(block.data(), 4096)) {
    for (std::size_t i = 0; i < n; ++i) {
      for (std::size_t c = 0; c < channels; ++c) result[c].push_back(block[i * channels + c]);
    }
  }
  return result;
}

std::string fileNameFor(const std::string& effectName, const std::string& pluginPath,
                        std::set<std::string>& used) {
  std::string base;
  for (char c : effectName) {
    if (std::isalnum(static_cast<unsigned char>(c)) || c == '-' || c == '_') base += c;
  }
  if (base.empty()) base = std::filesystem::path(pluginPath).stem().string();
  if (base.empty() || base == "input") base = "plugin";
  std::string name = base;
  for (int n = 2; !used.insert(name).second; ++n) name = base + "-" + std::to_string(n);
  return name + ".wav";
}

// Processes one plug-in and prints its lines. Answers false when a measurement is off.
bool runPlugin(const std::string& pluginPath, const std::filesystem::path& inputPath,
               const std::filesystem::path& outDir, const DemoSignal& signal,
               std::set<std::string>& used) {
  Host host;
  Plugin plugin(pluginPath, host);
  plugin.open();
  const std::string name = plugin.effectName();
  const std::filesystem::path outPath = outDir / fileNameFor(name, pluginPath, used);

  ProcessSettings settings;
  settings.blockSize = 512;
  for (VstInt32 i = 0; i < 2 && i < plugin.effect().numParams; ++i) {
    settings.parameters.push_back({i, kParameters[i]});
  }
  OfflineProcessor processor(plugin, settings);
  {
    WavReader reader(inputPath.string());
    PendingFile pending(outPath);
    {
      WavWriter writer(pending.temporary().string(),
                       AudioFormat{kSampleRate, processor.outputChannels(),
                                   SampleEncoding::float32, 0});
      processor.run(reader, writer);
      writer.finish();
    }
    pending.commit();
  }

  std::cout << (name.empty() ? pluginPath : name) << " (" << pluginPath << ") -> "
            << outPath.string() << "\n";
  const auto outputs = readChannels(outPath);
  const std::vector<std::vector<double>> inputs{signal.left, signal.right};
  const auto expected = expectationsFor(plugin.effect().uniqueID);
  bool ok = true;
  for (std::size_t c = 0; c < outputs.size(); ++c) {
    const auto estimate =
        estimateDelay(outputs[c], inputs, kSampleRate / 50, signal.clickSectionFrames);
    std::cout << "  output " << c + 1 << ": ";
    if (estimate && estimate->correlation > 0.5) {
      std::cout << "input " << estimate->input + 1 << " delayed by " << estimate->delay
                << " samples";
    } else {
      std::cout << "no delayed copy of an input found";
    }
    if (c < expected.size()) {
      const bool match = estimate && estimate->correlation > 0.5 &&
                         estimate->input == expected[c].input &&
                         estimate->delay == expected[c].delay;
      ok = ok && match;
      std::cout << "  (expected: input " << expected[c].input + 1 << " delayed by "
                << expected[c].delay << ")  " << (match ? "ok" : "MISMATCH");
    }
    std::cout << "\n";
  }
  return ok;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::cerr << "usage: qln_demo OUTDIR PLUGIN...\n";
    return 2;
  }
  const std::filesystem::path outDir = argv[1];
  try {
    std::filesystem::create_directories(outDir);
    const DemoSignal signal = makeDemoSignal(kSampleRate);
    const std::filesystem::path inputPath = outDir / "input.wav";
    writeStereo(inputPath, signal.left, signal.right);
    std::cout << "Test signal: " << kSampleRate << " Hz stereo, clicks then a 440/660 Hz tone -> "
              << inputPath.string() << "\n"
              << "Parameters: 0 = " << kParameters[0] << ", 1 = " << kParameters[1] << "\n\n";

    bool ok = true;
    std::set<std::string> used{"input"};
    for (int i = 2; i < argc; ++i) ok = runPlugin(argv[i], inputPath, outDir, signal, used) && ok;
    return ok ? 0 : 1;
  } catch (const HostError& e) {
    std::cerr << "qln_demo: error: " << e.what() << "\n";
    return toInt(e.code());
  } catch (const std::exception& e) {
    std::cerr << "qln_demo: error: " << e.what() << "\n";
    return 1;
  }
}
