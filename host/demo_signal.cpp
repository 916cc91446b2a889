// Generation of the demo signal.
#include "host/demo_signal.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace plughost {

DemoSignal makeDemoSignal(int sampleRate) {
  DemoSignal signal;
  signal.sampleRate = sampleRate;
  const auto rate = static_cast<double>(sampleRate);
  const auto frames = static_cast<std::size_t>(1.5 * rate);
  signal.clickSectionFrames = static_cast<std::size_t>(0.75 * rate);
  signal.left.assign(frames, 0.0);
  signal.right.assign(frames, 0.0);

  // Irregular spacing: no lag but the true one lines up more than one click.
  constexpr double kLeftClicks[] = {0.050, 0.170, 0.310, 0.520};
  constexpr double kRightClicks[] = {0.090, 0.230, 0.440, 0.610};
  for (double t : kLeftClicks) signal.left[static_cast<std::size_t>(t * rate)] = 0.8;
  for (double t : kRightClicks) signal.right[static_cast<std::size_t>(t * rate)] = -0.8;

  // Tones with 10 ms fades, so that the tone section adds no clicks of its own.
  const std::size_t start = signal.clickSectionFrames;
  const std::size_t length = frames - start;
  const double fade = 0.010 * rate;
  for (std::size_t i = 0; i < length; ++i) {
    const double t = static_cast<double>(i) / rate;
    const double edge = std::min(static_cast<double>(i), static_cast<double>(length - 1 - i));
    const double gain = 0.25 * std::min(1.0, edge / fade);
    signal.left[start + i] = gain * std::sin(2.0 * std::numbers::pi * 440.0 * t);
    signal.right[start + i] = gain * std::sin(2.0 * std::numbers::pi * 660.0 * t);
  }
  return signal;
}

}  // namespace plughost
