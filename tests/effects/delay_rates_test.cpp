// Sample rates: line sizes and the library-wide values for sane and absurd rates, silence after
// a rate change, and instances that keep their own lines while another instance changes the
// library-wide values.
#include <gtest/gtest.h>

#include <cstring>
#include <limits>

#include "delay_test_support.h"
#include "effects/delay_state.h"

using namespace delaytest;

namespace {

constexpr float kInf = std::numeric_limits<float>::infinity();

struct RateCase {
  const char* name;
  float rate;
  float storedRate;       // object's and library-wide rate afterwards
  VstInt32 length;        // line length and gMaxDelaySamples
  std::size_t halfDelay;  // effective delay of the value 0.5
  std::size_t fullDelay;  // effective delay of the value 1.0
  const char* fullDisplay;
};
void PrintTo(const RateCase& c, std::ostream* os) { *os << c.name; }

const RateCase kRateCases[] = {
    {"Rate48000", 48000.0f, 48000.0f, 480, 240, 480, "480"},
    {"Rate22050", 22050.0f, 22050.0f, 220, 110, 220, "220"},  // 220.5 truncated
    {"Rate96000", 96000.0f, 96000.0f, 960, 480, 960, "960"},
    {"Rate100", 100.0f, 100.0f, 1, 1, 1, "1"},  // 0.5 x 1 truncates to 0: the longest delay
    {"Rate199", 199.0f, 199.0f, 1, 1, 1, "1"},
    {"Below100", 99.99f, 99.99f, 0, 0, 0, "0"},  // no line: audio passes through
    {"Zero", 0.0f, 0.0f, 0, 0, 0, "0"},
    {"Negative", -44100.0f, 0.0f, 0, 0, 0, "0"},
    {"NotANumber", std::numeric_limits<float>::quiet_NaN(), 0.0f, 0, 0, 0, "0"},
    {"MinusInfinity", -kInf, 0.0f, 0, 0, 0, "0"},
    {"AtTheCap", 768000.0f, 768000.0f, 7680, 3840, 7680, "7680"},
    {"PlusInfinity", kInf, 768000.0f, 7680, 3840, 7680, "7680"},
    {"Absurd", 1e30f, 768000.0f, 7680, 3840, 7680, "7680"},
};

using RateParam = std::tuple<Kind, RateCase>;
class SampleRateTest : public ::testing::TestWithParam<RateParam> {};

TEST_P(SampleRateTest, LinesFollowTheRateAndStaySafe) {
  const auto [kind, c] = GetParam();
  auto effect = makeEffect(kind);
  effect->setParameter(0, 0.5f);
  effect->setParameter(1, 1.0f);
  run(*effect, rampSignal(300), Precision::Double);  // history that the rate change discards

  effect->dispatcher(effSetSampleRate, 0, 0, nullptr, c.rate);
  EXPECT_EQ(gMaxDelaySamples.load(), c.length);
  EXPECT_EQ(gSampleRate.load(), c.storedRate);
  EXPECT_EQ(effect->getSampleRate(), c.storedRate);
  EXPECT_EQ(effect->lineLength(), c.length);
  EXPECT_EQ(effect->writePosition(), 0);
  EXPECT_EQ(effect->getParameter(0), 0.5f);  // the rate changes no parameter
  EXPECT_EQ(effect->getParameter(1), 1.0f);

  char text[64];
  std::memset(text, 'x', sizeof text);
  effect->getParamDisplay(1, text);
  EXPECT_STREQ(text, c.fullDisplay);
  EXPECT_EQ(text[9], 'x');

  // Silent lines of the new length: the delayed outputs start with silence, however long.
  const std::size_t frames = 3 * static_cast<std::size_t>(c.length) + 50;
  const Stereo in = rampSignal(frames);
  for (Precision p : {Precision::Single, Precision::Double}) {
    SCOPED_TRACE(precisionName(p));
    auto again = makeEffect(kind);
    again->setSampleRate(c.rate);
    again->setParameter(0, 0.5f);
    again->setParameter(1, 1.0f);
    const Stereo out = runBlocks(*again, in, p, {64});
    EXPECT_EQ(firstMismatch(out.ch1, delayed(in.ch1, c.halfDelay)), -1);
    EXPECT_EQ(firstMismatch(out.ch2, delayed(secondSource(kind, in), c.fullDelay)), -1);
  }
  const Stereo out = runBlocks(*effect, in, Precision::Single, {64});
  EXPECT_EQ(firstMismatch(out.ch1, delayed(in.ch1, c.halfDelay)), -1);
}

INSTANTIATE_TEST_SUITE_P(Rates, SampleRateTest,
                         ::testing::Combine(::testing::Values(Kind::Lunivex, Kind::Dravimo),
                                            ::testing::ValuesIn(kRateCases)),
                         [](const ::testing::TestParamInfo<RateParam>& info) {
                           return std::string(kindName(std::get<0>(info.param))) +
                                  std::get<1>(info.param).name;
                         });

// An instance processes inside its own lines, with its own delays, whatever another instance
// of the library does to the library-wide values in between.
struct NeighbourCase {
  const char* name;
  void (*act)(Kind kind, std::unique_ptr<DelayEffect>& other);
  VstInt32 sharedLength;  // gMaxDelaySamples afterwards
};
void PrintTo(const NeighbourCase& c, std::ostream* os) { *os << c.name; }

const NeighbourCase kNeighbourCases[] = {
    {"NewInstance", [](Kind kind, std::unique_ptr<DelayEffect>& other) { other = makeEffect(kind); },
     441},
    {"OtherRateHigher",
     [](Kind kind, std::unique_ptr<DelayEffect>& other) {
       other = makeEffect(kind);
       other->setSampleRate(192000.0f);
     },
     1920},
    {"OtherRateLower",
     [](Kind kind, std::unique_ptr<DelayEffect>& other) {
       other = makeEffect(kind);
       other->setSampleRate(8000.0f);
     },
     80},
    {"OtherRateZero",
     [](Kind kind, std::unique_ptr<DelayEffect>& other) {
       other = makeEffect(kind);
       other->setSampleRate(0.0f);
     },
     0},
};

using NeighbourParam = std::tuple<Kind, NeighbourCase>;
class NeighbourTest : public ::testing::TestWithParam<NeighbourParam> {};

TEST_P(NeighbourTest, InstanceKeepsItsOwnLines) {
  const auto [kind, c] = GetParam();
  auto effect = makeEffect(kind);
  effect->setSampleRate(48000.0f);
  effect->setParameter(0, 0.5f);
  effect->setParameter(1, 1.0f);

  const Stereo in = rampSignal(3000);
  Stereo out = run(*effect, in.slice(0, 700), Precision::Single);
  std::unique_ptr<DelayEffect> other;
  c.act(kind, other);
  EXPECT_EQ(gMaxDelaySamples.load(), c.sharedLength);

  // Parameter changes made after the neighbour's change still use this instance's lines.
  effect->setParameter(0, 0.25f);
  effect->setParameter(0, 0.5f);
  out.append(runBlocks(*effect, in.slice(700, 2300), Precision::Double, {100}));
  EXPECT_EQ(effect->lineLength(), 480);
  EXPECT_EQ(firstMismatch(out.ch1, delayed(in.ch1, 240)), -1);
  EXPECT_EQ(firstMismatch(out.ch2, delayed(secondSource(kind, in), 480)), -1);
  char text[16];
  effect->getParamDisplay(0, text);
  EXPECT_STREQ(text, "240");
  for (VstInt32 channel : {0, 1}) {
    EXPECT_GE(effect->readPosition(channel), 0);
    EXPECT_LT(effect->readPosition(channel), 480);
  }
}

INSTANTIATE_TEST_SUITE_P(Neighbours, NeighbourTest,
                         ::testing::Combine(::testing::Values(Kind::Lunivex, Kind::Dravimo),
                                            ::testing::ValuesIn(kNeighbourCases)),
                         [](const ::testing::TestParamInfo<NeighbourParam>& info) {
                           return std::string(kindName(std::get<0>(info.param))) +
                                  std::get<1>(info.param).name;
                         });

TEST(SampleRate, ConstructionResetsTheLibraryWideValues) {
  Lunivex first(nullptr);
  first.setSampleRate(96000.0f);
  EXPECT_EQ(gMaxDelaySamples.load(), 960);
  Dravimo second(nullptr);  // both classes share one copy inside one binary
  EXPECT_EQ(gMaxDelaySamples.load(), 441);
  EXPECT_EQ(gSampleRate.load(), 44100.0f);
  EXPECT_EQ(first.lineLength(), 960);
  EXPECT_EQ(first.getSampleRate(), 96000.0f);
}

}  // namespace
