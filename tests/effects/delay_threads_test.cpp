// The hand-over between a thread that sets parameters and the thread that processes. The setter
// works in rounds, each ending on a delay of its own, and moves to the next round only once the
// processing thread has started a block after it; so while a block runs, only the last two
// rounds' delays (and the passing values of the current round) may appear. An older delay in
// any frame means a change was lost, and an unknown one a torn or stray read position. The
// checks hold for every interleaving of the two threads, so the test does not depend on timing.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "delay_test_support.h"

using namespace delaytest;

namespace {

constexpr int kN = 441;
constexpr int kBlock = 64;
constexpr int kRounds = 10000;
// Input samples count frames modulo this, so that they stay exact floats however long it runs.
constexpr long kCycle = 1L << 20;

// The round's final delays in samples, different from one round to the next and from the
// passing values; (d + 0.5) / n truncates to d whatever the float rounding.
int roundDelay(int round, int channel) { return 1 + (round * (channel ? 11 : 7)) % 400; }
float valueFor(int delay) { return (static_cast<float>(delay) + 0.5f) / kN; }
// Passing values the setter stores on the way to each round's final one.
constexpr int kPassing[] = {420, 425, 430, 435};

class ParameterThreadTest : public ::testing::TestWithParam<Kind> {};

TEST_P(ParameterThreadTest, ChangesAreNeverLostOrTorn) {
  auto effect = makeEffect(GetParam());
  const bool split = GetParam() == Kind::Dravimo;
  // Input frame t carries c + 1 on input 1 and -(c + 1) on input 2, c = t modulo kCycle, so an
  // output sample names the frame it was written in, and so its delay.
  long t = 0;
  auto sampleAt = [](long frame) { return static_cast<float>(frame % kCycle + 1); };
  std::vector<float> in1(kBlock), in2(kBlock), out1(kBlock), out2(kBlock);
  float* inputs[2] = {in1.data(), in2.data()};
  float* outputs[2] = {out1.data(), out2.data()};
  auto processBlock = [&] {
    for (int i = 0; i < kBlock; ++i) {
      in1[i] = sampleAt(t + i);
      in2[i] = -sampleAt(t + i);
    }
    effect->processReplacing(inputs, outputs, kBlock);
  };
  auto delayAt = [&](int channel, int i) {
    const float y = channel == 0 ? out1[i] : (split ? out2[i] : -out2[i]);
    const long d = static_cast<long>(sampleAt(t + i)) - static_cast<long>(y);
    return static_cast<int>(d < 0 ? d + kCycle : d);
  };
  effect->setParameter(0, valueFor(roundDelay(0, 0)));
  effect->setParameter(1, valueFor(roundDelay(0, 1)));
  while (t < 2 * kN) {  // history for every delay
    processBlock();
    t += kBlock;
  }

  std::atomic<int> roundsDone{1};     // round 0 was set above
  std::atomic<int> blockStartedAt{0};  // roundsDone seen by the latest block
  std::thread setter([&] {
    for (int k = 1; k < kRounds; ++k) {
      while (blockStartedAt.load(std::memory_order_acquire) < k) std::this_thread::yield();
      for (int d : kPassing) {
        effect->setParameter(0, valueFor(d));
        effect->setParameter(1, valueFor(d));
      }
      effect->setParameter(0, valueFor(roundDelay(k, 0)));
      effect->setParameter(1, valueFor(roundDelay(k, 1)));
      roundsDone.store(k + 1, std::memory_order_release);
    }
  });

  long bad = 0;
  for (int done = 1, previous = 0; done < kRounds; previous = done) {
    done = roundsDone.load(std::memory_order_acquire);
    if (done == previous) std::this_thread::yield();  // let the setter on a shared core run
    blockStartedAt.store(done, std::memory_order_release);
    processBlock();
    // Rounds done - 1 (complete when the block began) and done (possibly under way).
    for (int channel : {0, 1}) {
      const int settled = roundDelay(done - 1, channel);
      const int next = roundDelay(done, channel);
      for (int i = 0; i < kBlock; ++i) {
        const int d = delayAt(channel, i);
        bool known = d == settled || (done < kRounds && d == next);
        for (int p : kPassing) known = known || (done < kRounds && d == p);
        if (!known) ++bad;
      }
      const VstInt32 r = effect->readPosition(channel);
      if (r < 0 || r >= kN) ++bad;
    }
    t += kBlock;
  }
  setter.join();
  EXPECT_EQ(bad, 0);

  // The last change is the one in effect, for the host and for the audio.
  EXPECT_EQ(effect->getParameter(0), valueFor(roundDelay(kRounds - 1, 0)));
  processBlock();
  for (int i = 0; i < kBlock; ++i) {
    ASSERT_EQ(delayAt(0, i), roundDelay(kRounds - 1, 0)) << i;
    ASSERT_EQ(delayAt(1, i), roundDelay(kRounds - 1, 1)) << i;
  }
}

INSTANTIATE_TEST_SUITE_P(Effects, ParameterThreadTest,
                         ::testing::Values(Kind::Lunivex, Kind::Dravimo),
                         [](const ::testing::TestParamInfo<Kind>& info) {
                           return std::string(kindName(info.param));
                         });

}  // namespace
