// The demo's stereo test signal: a section of single-sample clicks at irregular times (different
// in each channel, so that a delay and the channel an output follows can both be read off), then
// a section of steady tones (440 Hz left, 660 Hz right) to listen to.
#pragma once

#include <cstddef>
#include <vector>

namespace plughost {

struct DemoSignal {
  int sampleRate = 0;
  std::vector<double> left;
  std::vector<double> right;
  std::size_t clickSectionFrames = 0;  // the clicks lie in [0, clickSectionFrames)
};

// 1.5 s at `sampleRate` Hz (>= 1000).
DemoSignal makeDemoSignal(int sampleRate);

}  // namespace plughost
