// Helpers of the delay effect tests: making either effect, running blocks through either
// precision with chosen buffer layouts, test signals, and the reference delay model.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "effects/delay_effect.h"
#include "effects/dravimo.h"
#include "effects/lunivex.h"

namespace delaytest {

enum class Kind { Lunivex, Dravimo };
enum class Precision { Single, Double };

inline const char* kindName(Kind kind) { return kind == Kind::Lunivex ? "Lunivex" : "Dravimo"; }
inline const char* precisionName(Precision p) { return p == Precision::Single ? "Single" : "Double"; }

// Readable parameters in test failure messages.
inline void PrintTo(Kind kind, std::ostream* os) { *os << kindName(kind); }
inline void PrintTo(Precision p, std::ostream* os) { *os << precisionName(p); }

inline std::unique_ptr<DelayEffect> makeEffect(Kind kind, audioMasterCallback host = nullptr) {
  if (kind == Kind::Lunivex) return std::make_unique<Lunivex>(host);
  return std::make_unique<Dravimo>(host);
}

// Two channels of samples, kept as doubles; the single-precision path gets them narrowed, so
// test signals are chosen to be exact floats.
struct Stereo {
  std::vector<double> ch1;
  std::vector<double> ch2;
  std::size_t frames() const { return ch1.size(); }
  Stereo slice(std::size_t begin, std::size_t count) const {
    return {std::vector<double>(ch1.begin() + begin, ch1.begin() + begin + count),
            std::vector<double>(ch2.begin() + begin, ch2.begin() + begin + count)};
  }
  void append(const Stereo& more) {
    ch1.insert(ch1.end(), more.ch1.begin(), more.ch1.end());
    ch2.insert(ch2.end(), more.ch2.begin(), more.ch2.end());
  }
};

// Every sample differs from every other one on both channels (exact in float), so an output
// sample tells which input frame it came from.
inline Stereo rampSignal(std::size_t frames, std::size_t start = 0) {
  Stereo s;
  for (std::size_t t = start; t < start + frames; ++t) {
    s.ch1.push_back(static_cast<double>(t + 1));
    s.ch2.push_back(-static_cast<double>(t + 1) - 0.5);
  }
  return s;
}

// Host buffer layouts a block can be processed with.
enum class Layout {
  Separate,  // four distinct buffers
  InPlace,   // output i is input i's buffer
  Crossed,   // output 1 is input 2's buffer, output 2 is input 1's buffer
};

inline const char* layoutName(Layout l) {
  switch (l) {
    case Layout::Separate: return "Separate";
    case Layout::InPlace: return "InPlace";
    case Layout::Crossed: return "Crossed";
  }
  return "?";
}

// Runs one call of the chosen process entry and answers the two output channels.
template <class Sample>
Stereo runTyped(DelayEffect& effect, const Stereo& in, Layout layout) {
  const std::size_t n = in.frames();
  std::vector<Sample> a(in.ch1.begin(), in.ch1.end());
  std::vector<Sample> b(in.ch2.begin(), in.ch2.end());
  // Outputs that are not inputs start as garbage, to show that the call replaces them.
  std::vector<Sample> c(n, Sample(12345)), d(n, Sample(-12345));
  Sample* inputs[2] = {a.data(), b.data()};
  Sample* outputs[2] = {c.data(), d.data()};
  if (layout == Layout::InPlace) {
    outputs[0] = a.data();
    outputs[1] = b.data();
  } else if (layout == Layout::Crossed) {
    outputs[0] = b.data();
    outputs[1] = a.data();
  }
  const auto frames = static_cast<VstInt32>(n);
  if constexpr (sizeof(Sample) == sizeof(float)) {
    effect.processReplacing(inputs, outputs, frames);
  } else {
    effect.processDoubleReplacing(inputs, outputs, frames);
  }
  return {std::vector<double>(outputs[0], outputs[0] + n),
          std::vector<double>(outputs[1], outputs[1] + n)};
}

inline Stereo run(DelayEffect& effect, const Stereo& in, Precision p,
                  Layout layout = Layout::Separate) {
  return p == Precision::Single ? runTyped<float>(effect, in, layout)
                                : runTyped<double>(effect, in, layout);
}

// Runs `in` in consecutive blocks of the given sizes (cycled until the signal is used up).
inline Stereo runBlocks(DelayEffect& effect, const Stereo& in, Precision p,
                        const std::vector<std::size_t>& sizes) {
  Stereo out;
  std::size_t pos = 0;
  for (std::size_t k = 0; pos < in.frames(); ++k) {
    const std::size_t size = std::min(sizes[k % sizes.size()], in.frames() - pos);
    out.append(run(effect, in.slice(pos, size), p));
    pos += size;
  }
  return out;
}

// The expected output of a freshly reset effect: y(t) = x(t - delay), silence before the
// first input frame. delay is the effective delay in samples (0 = pass-through).
inline std::vector<double> delayed(const std::vector<double>& x, std::size_t delay) {
  std::vector<double> y(x.size(), 0.0);
  for (std::size_t t = delay; t < x.size(); ++t) y[t] = x[t - delay];
  return y;
}

// The line input that feeds output 2 in each effect.
inline const std::vector<double>& secondSource(Kind kind, const Stereo& in) {
  return kind == Kind::Lunivex ? in.ch2 : in.ch1;
}

// Index of the first differing sample, or -1.
inline long firstMismatch(const std::vector<double>& a, const std::vector<double>& b) {
  if (a.size() != b.size()) return 0;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (!(a[i] == b[i]) && !(std::isnan(a[i]) && std::isnan(b[i]))) return static_cast<long>(i);
  }
  return -1;
}

}  // namespace delaytest
