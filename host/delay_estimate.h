// Finds which input channel an output channel follows and by how many samples, from the
// normalised cross-correlation over a window of the signal.
#pragma once

#include <cstddef>
#include <optional>
#include <vector>

namespace plughost {

struct DelayEstimate {
  std::size_t input = 0;  // index into the inputs searched
  int delay = 0;          // samples, output later than input
  double correlation = 0.0;  // 1.0 for an exact delayed copy
};

// Searches lags 0..maxLag of `output` against each of `inputs` over frames [0, window).
// nullopt when nothing correlates at all (silent output or inputs). Sparse inputs (clicks) cost
// only their non-zero samples.
std::optional<DelayEstimate> estimateDelay(const std::vector<double>& output,
                                           const std::vector<std::vector<double>>& inputs,
                                           int maxLag, std::size_t window);

}  // namespace plughost
