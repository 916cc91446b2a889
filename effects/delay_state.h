// The library-wide delay values shared by every delay effect instance of one plug-in library and
// by its editor: the maximum delay in samples and the last sample rate given to any instance.
// Also the rule that turns a host's sample rate into a line length.
#pragma once

#include <atomic>

#include "shell/aeffect.h"

// Samples: trunc(gSampleRate / 100), also the length of delay lines allocated since it was last
// set; 0 until the first instance is constructed. Written on the user-interface thread by any
// instance's constructor or setSampleRate; read anywhere with relaxed loads. An instance's own
// lines keep the length they were allocated with (DelayEffect::lineLength).
extern std::atomic<VstInt32> gMaxDelaySamples;

// Hz: the rate most recently given to any instance (44100 from every constructor), after
// sanitizeSampleRate. Written and read like gMaxDelaySamples.
extern std::atomic<float> gSampleRate;

// The highest rate lines are sized for; hosts asking for more get lines for this rate, so a
// garbage rate cannot turn into a huge allocation.
inline constexpr float kMaxSampleRate = 768000.0f;

// Not-a-number, zero and negative rates become 0 (lines of length 0: audio passes through);
// rates above kMaxSampleRate, infinity included, become kMaxSampleRate.
inline float sanitizeSampleRate(float rate) {
  if (!(rate > 0.0f)) return 0.0f;
  return rate < kMaxSampleRate ? rate : kMaxSampleRate;
}

// The maximum delay for a rate, in samples: 10 ms truncated towards zero (441 at 44100 Hz,
// 0 below 100 Hz). rate: as returned by sanitizeSampleRate.
inline VstInt32 maxDelayForRate(float rate) {
  return static_cast<VstInt32>(static_cast<double>(rate) / 100.0);
}
