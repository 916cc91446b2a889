// Writes small WAV files for the process-level tests of the tool, an impulse at frame 10 of
// every channel, 16-bit PCM; several files in one run, since every process start is slow under
// an emulator:
//   host_make_test_wav OUT CHANNELS RATE FRAMES [OUT CHANNELS RATE FRAMES]...
#include <cstdlib>
#include <iostream>
#include <vector>

#include "host/wav_writer.h"

int main(int argc, char** argv) {
  if (argc < 5 || (argc - 1) % 4 != 0) {
    std::cerr << "usage: host_make_test_wav OUT CHANNELS RATE FRAMES...\n";
    return 2;
  }
  for (int a = 1; a < argc; a += 4) {
    const int channels = std::atoi(argv[a + 1]);
    const int rate = std::atoi(argv[a + 2]);
    const auto frames = static_cast<std::size_t>(std::atol(argv[a + 3]));
    std::vector<double> samples(frames * static_cast<std::size_t>(channels), 0.0);
    for (int c = 0; c < channels && frames > 10; ++c) {
      samples[10 * static_cast<std::size_t>(channels) + static_cast<std::size_t>(c)] = 0.5;
    }
    try {
      plughost::WavWriter writer(argv[a], {rate, channels, plughost::SampleEncoding::pcm16, 0});
      writer.write(samples.data(), frames);
      writer.finish();
    } catch (const std::exception& e) {
      std::cerr << e.what() << "\n";
      return 1;
    }
  }
  return 0;
}
