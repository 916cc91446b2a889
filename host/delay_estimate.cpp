// Cross-correlation search of estimateDelay.
#include "host/delay_estimate.h"

#include <algorithm>
#include <cmath>

namespace plughost {

std::optional<DelayEstimate> estimateDelay(const std::vector<double>& output,
                                           const std::vector<std::vector<double>>& inputs,
                                           int maxLag, std::size_t window) {
  std::optional<DelayEstimate> best;
  for (std::size_t c = 0; c < inputs.size(); ++c) {
    const std::vector<double>& input = inputs[c];
    const std::size_t n = std::min({window, input.size(), output.size()});
    std::vector<std::size_t> active;
    for (std::size_t t = 0; t < n; ++t) {
      if (input[t] != 0.0) active.push_back(t);
    }
    // tail[k]: output energy of frames [k, n), for every lag at once.
    std::vector<double> tail(n + 1, 0.0);
    for (std::size_t t = n; t-- > 0;) tail[t] = tail[t + 1] + output[t] * output[t];
    for (int lag = 0; lag <= maxLag && static_cast<std::size_t>(lag) < n; ++lag) {
      const auto shift = static_cast<std::size_t>(lag);
      double cross = 0.0, inEnergy = 0.0;
      for (std::size_t t : active) {
        if (t + shift >= n) break;
        cross += input[t] * output[t + shift];
        inEnergy += input[t] * input[t];
      }
      const double outEnergy = tail[shift];
      if (inEnergy <= 0.0 || outEnergy <= 0.0) continue;
      const double r = cross / std::sqrt(inEnergy * outEnergy);
      if (!best || r > best->correlation) best = DelayEstimate{c, lag, r};
    }
  }
  if (best && best->correlation <= 0.0) return std::nullopt;
  return best;
}

}  // namespace plughost
