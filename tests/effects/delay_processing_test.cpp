// The frame loops of both delay effects: the delay rules, wrapping, buffer layouts, block and
// precision equivalences, empty and negative blocks, and which input feeds which line.
#include <gtest/gtest.h>

#include <climits>
#include <limits>

#include "delay_test_support.h"

using namespace delaytest;

namespace {

constexpr std::size_t kN = 441;  // line length at the constructor's 44100 Hz

struct DelayCase {
  const char* name;
  float left, right;                     // parameter values
  std::size_t delayLeft, delayRight;     // expected effective delays in samples
};
void PrintTo(const DelayCase& c, std::ostream* os) { *os << c.name; }

const DelayCase kDelayCases[] = {
    {"BothZeroPassThrough", 0.0f, 0.0f, 0, 0},
    {"TenAndTruncatedThree", 10.0f / 441.0f, 3.0f / 441.0f, 10, 2},  // 3/441f x 441 = 2.99..
    {"HalfAndFull", 0.5f, 1.0f, 220, kN},
    {"BelowOneSampleIsLongest", 0.001f, 1e-30f, kN, kN},
    {"NegativeZeroPassesThrough", -0.0f, 0.25f, 0, 110},
    {"OneShortOfFull", 0.998f, 1.0f / 441.0f, 440, 1},
};

using RuleParam = std::tuple<Kind, Precision, DelayCase>;

class DelayRuleTest : public ::testing::TestWithParam<RuleParam> {};

// Three and a bit line lengths in blocks of 100 frames, so the write position wraps at different
// offsets inside a block.
TEST_P(DelayRuleTest, OutputIsInputDelayedByTheEffectiveDelay) {
  const auto [kind, precision, c] = GetParam();
  auto effect = makeEffect(kind);
  effect->setParameter(0, c.left);
  effect->setParameter(1, c.right);

  const Stereo in = rampSignal(3 * kN + 17);
  const Stereo out = runBlocks(*effect, in, precision, {100});

  EXPECT_EQ(firstMismatch(out.ch1, delayed(in.ch1, c.delayLeft)), -1);
  EXPECT_EQ(firstMismatch(out.ch2, delayed(secondSource(kind, in), c.delayRight)), -1);
}

INSTANTIATE_TEST_SUITE_P(
    Delays, DelayRuleTest,
    ::testing::Combine(::testing::Values(Kind::Lunivex, Kind::Dravimo),
                       ::testing::Values(Precision::Single, Precision::Double),
                       ::testing::ValuesIn(kDelayCases)),
    [](const ::testing::TestParamInfo<RuleParam>& info) {
      return std::string(kindName(std::get<0>(info.param))) +
             precisionName(std::get<1>(info.param)) + std::get<2>(info.param).name;
    });

// Per effect and precision.
class EffectPathTest : public ::testing::TestWithParam<std::tuple<Kind, Precision>> {
protected:
  Kind kind() const { return std::get<0>(GetParam()); }
  Precision precision() const { return std::get<1>(GetParam()); }
};

TEST_P(EffectPathTest, BlockSizesDoNotChangeTheOutput) {
  const Stereo in = rampSignal(2 * kN + 31);
  auto reference = makeEffect(kind());
  reference->setParameter(0, 0.3f);
  reference->setParameter(1, 0.7f);
  const Stereo whole = run(*reference, in, precision());

  const std::vector<std::vector<std::size_t>> splits = {{1}, {64}, {7, 64, 1, 300}, {kN}};
  for (const auto& sizes : splits) {
    SCOPED_TRACE("first block size " + std::to_string(sizes[0]));
    auto effect = makeEffect(kind());
    effect->setParameter(0, 0.3f);
    effect->setParameter(1, 0.7f);
    const Stereo pieces = runBlocks(*effect, in, precision(), sizes);
    EXPECT_EQ(firstMismatch(pieces.ch1, whole.ch1), -1);
    EXPECT_EQ(firstMismatch(pieces.ch2, whole.ch2), -1);
  }
}

// In place and crossed buffers must give what separate buffers give, in particular when one
// channel passes through and would overwrite the other channel's input before it is read.
TEST_P(EffectPathTest, BufferLayoutsAgreeWithSeparateBuffers) {
  const float pairs[][2] = {{0.0f, 0.0f}, {0.0f, 0.25f}, {0.25f, 0.0f}, {0.5f, 1.0f}};
  const Stereo in = rampSignal(2 * kN + 3);
  for (const auto& pair : pairs) {
    auto separate = makeEffect(kind());
    separate->setParameter(0, pair[0]);
    separate->setParameter(1, pair[1]);
    std::vector<std::size_t> sizes = {128};
    const Stereo expected = runBlocks(*separate, in, precision(), sizes);
    for (Layout layout : {Layout::InPlace, Layout::Crossed}) {
      SCOPED_TRACE(std::string(layoutName(layout)) + " delays " + std::to_string(pair[0]) + " " +
                   std::to_string(pair[1]));
      auto effect = makeEffect(kind());
      effect->setParameter(0, pair[0]);
      effect->setParameter(1, pair[1]);
      Stereo out;
      for (std::size_t pos = 0; pos < in.frames(); pos += 128) {
        out.append(run(*effect, in.slice(pos, std::min<std::size_t>(128, in.frames() - pos)),
                       precision(), layout));
      }
      EXPECT_EQ(firstMismatch(out.ch1, expected.ch1), -1);
      EXPECT_EQ(firstMismatch(out.ch2, expected.ch2), -1);
    }
  }
}

TEST_P(EffectPathTest, EmptyAndNegativeBlocksTouchNothing) {
  auto effect = makeEffect(kind());
  effect->setParameter(0, 0.5f);
  run(*effect, rampSignal(100), precision());
  const VstInt32 write = effect->writePosition();

  for (VstInt32 frames : {0, -1, -64, INT_MIN}) {
    SCOPED_TRACE(frames);
    float f[4][4] = {{1, 2, 3, 4}, {5, 6, 7, 8}, {9, 9, 9, 9}, {7, 7, 7, 7}};
    double d[4][4] = {{1, 2, 3, 4}, {5, 6, 7, 8}, {9, 9, 9, 9}, {7, 7, 7, 7}};
    float* fin[2] = {f[0], f[1]};
    float* fout[2] = {f[2], f[3]};
    double* din[2] = {d[0], d[1]};
    double* dout[2] = {d[2], d[3]};
    if (precision() == Precision::Single) {
      effect->processReplacing(fin, fout, frames);
      effect->processReplacing(nullptr, nullptr, frames);  // hosts may pass nothing with 0
    } else {
      effect->processDoubleReplacing(din, dout, frames);
      effect->processDoubleReplacing(nullptr, nullptr, frames);
    }
    for (int i = 0; i < 4; ++i) {
      EXPECT_EQ(f[2][i], 9.0f);
      EXPECT_EQ(f[3][i], 7.0f);
      EXPECT_EQ(d[2][i], 9.0);
      EXPECT_EQ(d[3][i], 7.0);
    }
    EXPECT_EQ(effect->writePosition(), write);
  }
  // The history is intact: the next block continues the same stream.
  auto reference = makeEffect(kind());
  reference->setParameter(0, 0.5f);
  const Stereo whole = run(*reference, rampSignal(400), precision());
  const Stereo rest = run(*effect, rampSignal(300, 100), precision());
  EXPECT_EQ(firstMismatch(rest.ch1, whole.slice(100, 300).ch1), -1);
}

TEST_P(EffectPathTest, SuspendAndResumeKeepTheLines) {
  const Stereo in = rampSignal(1000);
  auto reference = makeEffect(kind());
  reference->setParameter(0, 0.5f);
  reference->setParameter(1, 1.0f);
  const Stereo whole = run(*reference, in, precision());

  auto effect = makeEffect(kind());
  effect->setParameter(0, 0.5f);
  effect->setParameter(1, 1.0f);
  Stereo out = run(*effect, in.slice(0, 600), precision());
  effect->dispatcher(effMainsChanged, 0, 0, nullptr, 0.0f);
  effect->dispatcher(effMainsChanged, 0, 1, nullptr, 0.0f);
  out.append(run(*effect, in.slice(600, 400), precision()));
  EXPECT_EQ(firstMismatch(out.ch1, whole.ch1), -1);
  EXPECT_EQ(firstMismatch(out.ch2, whole.ch2), -1);
}

INSTANTIATE_TEST_SUITE_P(
    Paths, EffectPathTest,
    ::testing::Combine(::testing::Values(Kind::Lunivex, Kind::Dravimo),
                       ::testing::Values(Precision::Single, Precision::Double)),
    [](const ::testing::TestParamInfo<std::tuple<Kind, Precision>>& info) {
      return std::string(kindName(std::get<0>(info.param))) +
             precisionName(std::get<1>(info.param));
    });

// Per effect, across precisions.
class EffectTest : public ::testing::TestWithParam<Kind> {};

TEST_P(EffectTest, SingleAndDoublePathsGiveTheSameSamples) {
  const Stereo in = rampSignal(2 * kN + 5);
  auto single = makeEffect(GetParam());
  auto dbl = makeEffect(GetParam());
  for (DelayEffect* e : {single.get(), dbl.get()}) {
    e->setParameter(0, 0.0f);
    e->setParameter(1, 0.6f);
  }
  const Stereo a = runBlocks(*single, in, Precision::Single, {100});
  const Stereo b = runBlocks(*dbl, in, Precision::Double, {100});
  EXPECT_EQ(firstMismatch(a.ch1, b.ch1), -1);
  EXPECT_EQ(firstMismatch(a.ch2, b.ch2), -1);
}

// Both precisions share the lines: a host switching between calls loses no history.
TEST_P(EffectTest, SwitchingPrecisionBetweenCallsContinuesTheLines) {
  const Stereo in = rampSignal(3 * kN);
  auto effect = makeEffect(GetParam());
  effect->setParameter(0, 0.25f);
  effect->setParameter(1, 1.0f);
  Stereo out;
  for (std::size_t pos = 0, k = 0; pos < in.frames(); pos += 37, ++k) {
    const std::size_t size = std::min<std::size_t>(37, in.frames() - pos);
    out.append(run(*effect, in.slice(pos, size), k % 2 ? Precision::Single : Precision::Double));
  }
  EXPECT_EQ(firstMismatch(out.ch1, delayed(in.ch1, 110)), -1);
  EXPECT_EQ(firstMismatch(out.ch2, delayed(secondSource(GetParam(), in), kN)), -1);
}

// The lines hold doubles: a sample from the double path keeps its precision there and is
// rounded to the nearest float only when the single path sends it out.
TEST_P(EffectTest, SinglePathRoundsDoubleHistoryOnTheWayOut) {
  auto effect = makeEffect(GetParam());
  effect->setParameter(0, 1.0f / 441.0f);  // one sample
  effect->setParameter(1, 1.0f / 441.0f);
  const double third = 1.0 / 3.0;
  const Stereo written = run(*effect, Stereo{{third}, {third}}, Precision::Double);
  const Stereo read = run(*effect, Stereo{{0.0}, {0.0}}, Precision::Single);
  EXPECT_EQ(read.ch1[0], static_cast<double>(static_cast<float>(third)));
  EXPECT_EQ(read.ch2[0], static_cast<double>(static_cast<float>(third)));
  EXPECT_EQ(written.ch1[0], 0.0);
}

INSTANTIATE_TEST_SUITE_P(Effects, EffectTest, ::testing::Values(Kind::Lunivex, Kind::Dravimo),
                         [](const ::testing::TestParamInfo<Kind>& info) {
                           return std::string(kindName(info.param));
                         });

// Input 2 is not part of the split delay: its pointer is never read, so neither its samples
// (here not-a-number) nor a null pointer can reach the outputs.
TEST(DravimoInput, SecondInputIsNeverRead) {
  Dravimo effect(nullptr);
  effect.setParameter(0, 0.0f);
  effect.setParameter(1, 0.5f);
  const Stereo in = rampSignal(600);
  std::vector<float> a(in.ch1.begin(), in.ch1.end());
  std::vector<float> nan(600, std::numeric_limits<float>::quiet_NaN());
  std::vector<float> c(600), d(600);
  float* inputs[2] = {a.data(), nan.data()};
  float* outputs[2] = {c.data(), d.data()};
  effect.processReplacing(inputs, outputs, 300);
  inputs[1] = nullptr;
  inputs[0] = a.data() + 300;
  outputs[0] = c.data() + 300;
  outputs[1] = d.data() + 300;
  effect.processReplacing(inputs, outputs, 300);

  const std::vector<double> expected2 = delayed(in.ch1, 220);
  for (std::size_t t = 0; t < 600; ++t) {
    ASSERT_EQ(c[t], in.ch1[t]) << t;
    ASSERT_EQ(d[t], expected2[t]) << t;
  }
}

TEST(DravimoInput, SignalOnInputTwoAloneGivesSilence) {
  Dravimo effect(nullptr);
  effect.setParameter(1, 0.3f);
  Stereo in = rampSignal(1000);
  std::fill(in.ch1.begin(), in.ch1.end(), 0.0);
  const Stereo out = run(effect, in, Precision::Double);
  EXPECT_EQ(firstMismatch(out.ch1, std::vector<double>(1000, 0.0)), -1);
  EXPECT_EQ(firstMismatch(out.ch2, std::vector<double>(1000, 0.0)), -1);
}

TEST(LunivexInput, EachChannelKeepsItsOwnInput) {
  Lunivex effect(nullptr);
  effect.setParameter(1, 0.3f);
  Stereo in = rampSignal(1000);
  std::fill(in.ch1.begin(), in.ch1.end(), 0.0);
  const Stereo out = run(effect, in, Precision::Double);
  EXPECT_EQ(firstMismatch(out.ch1, std::vector<double>(1000, 0.0)), -1);
  EXPECT_EQ(firstMismatch(out.ch2, delayed(in.ch2, 132)), -1);  // 0.3f x 441 = 132.3
}

}  // namespace
