// The demo's delay measurement finds the input an output follows and the lag.
#include <gtest/gtest.h>

#include "host/delay_estimate.h"
#include "host/demo_signal.h"

namespace hosttest {
namespace {

std::vector<double> delayed(const std::vector<double>& x, int d) {
  std::vector<double> y(x.size(), 0.0);
  for (std::size_t i = static_cast<std::size_t>(d); i < x.size(); ++i) y[i] = x[i - d];
  return y;
}

TEST(DelayEstimate, FindsInputAndLagOfTheDemoSignal) {
  const plughost::DemoSignal s = plughost::makeDemoSignal(44100);
  const std::vector<std::vector<double>> inputs{s.left, s.right};
  struct Case {
    std::size_t input;
    int delay;
  };
  for (const Case c : {Case{0, 0}, Case{0, 110}, Case{1, 308}, Case{0, 441}, Case{1, 1}}) {
    SCOPED_TRACE(::testing::Message() << "input " << c.input << " delay " << c.delay);
    const auto e = plughost::estimateDelay(delayed(inputs[c.input], c.delay), inputs, 882,
                                           s.clickSectionFrames);
    ASSERT_TRUE(e);
    EXPECT_EQ(e->input, c.input);
    EXPECT_EQ(e->delay, c.delay);
    EXPECT_NEAR(e->correlation, 1.0, 1e-9);
  }
}

TEST(DelayEstimate, SilenceHasNoEstimate) {
  const plughost::DemoSignal s = plughost::makeDemoSignal(44100);
  EXPECT_FALSE(plughost::estimateDelay(std::vector<double>(s.left.size(), 0.0), {s.left}, 100,
                                       s.clickSectionFrames));
}

TEST(DemoSignal, ClicksDifferPerChannelAndTonesFollow) {
  const plughost::DemoSignal s = plughost::makeDemoSignal(48000);
  ASSERT_EQ(s.left.size(), 72000u);
  EXPECT_EQ(s.clickSectionFrames, 36000u);
  int leftClicks = 0, rightClicks = 0;
  for (std::size_t i = 0; i < s.clickSectionFrames; ++i) {
    leftClicks += s.left[i] != 0.0;
    rightClicks += s.right[i] != 0.0;
    EXPECT_FALSE(s.left[i] != 0.0 && s.right[i] != 0.0) << "shared click at " << i;
  }
  EXPECT_EQ(leftClicks, 4);
  EXPECT_EQ(rightClicks, 4);
  double peak = 0.0;
  for (std::size_t i = s.clickSectionFrames; i < s.left.size(); ++i) {
    peak = std::max(peak, std::abs(s.left[i]));
  }
  EXPECT_NEAR(peak, 0.25, 1e-3);
  EXPECT_EQ(s.left.back(), 0.0);  // faded out
}

}  // namespace
}  // namespace hosttest
