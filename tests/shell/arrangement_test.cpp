// The speaker-arrangement utilities and the key record built from key requests.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>
#include <string>

#include "shell_test_support.h"

namespace shelltest {
namespace {

// Speakers past the declared eight lie in the same block; reach them by address.
VstSpeakerProperties& speaker(VstSpeakerArrangement* arrangement, int i) {
  auto* base = reinterpret_cast<unsigned char*>(arrangement) +
               offsetof(VstSpeakerArrangement, speakers);
  return *reinterpret_cast<VstSpeakerProperties*>(base + i * sizeof(VstSpeakerProperties));
}

class ArrangementTest : public ::testing::Test {
protected:
  void TearDown() override {
    effect.deallocateArrangement(&a);
    effect.deallocateArrangement(&b);
  }
  PlainEffect effect{nullptr};
  VstSpeakerArrangement* a = nullptr;
  VstSpeakerArrangement* b = nullptr;
};

TEST_F(ArrangementTest, AllocateGivesAZeroedArrangementOfTheCount) {
  for (VstInt32 channels : {0, 1, 2, 8, 24}) {
    SCOPED_TRACE(channels);
    ASSERT_TRUE(effect.allocateArrangement(&a, channels));  // replaces the previous one
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a->numChannels, channels);
    EXPECT_EQ(a->type, 0);
    for (int i = 0; i < std::max(channels, 8); ++i) {
      const VstSpeakerProperties& s = speaker(a, i);
      EXPECT_EQ(s.azimuth, 0.0f);
      EXPECT_EQ(s.type, 0);
      EXPECT_EQ(s.name[0], '\0');
    }
    // The whole block is writable, the declared eight speakers at least.
    std::memset(&speaker(a, std::max(channels, 8) - 1), 0x55, sizeof(VstSpeakerProperties));
  }
}

TEST_F(ArrangementTest, ImpossibleRequestsChangeNothing) {
  ASSERT_TRUE(effect.allocateArrangement(&a, 2));
  VstSpeakerArrangement* const before = a;
  EXPECT_FALSE(effect.allocateArrangement(&a, -1));
  EXPECT_EQ(a, before);
  EXPECT_FALSE(effect.allocateArrangement(nullptr, 2));
  EXPECT_FALSE(effect.deallocateArrangement(nullptr));
}

TEST_F(ArrangementTest, DeallocateClearsTheAddress) {
  ASSERT_TRUE(effect.allocateArrangement(&a, 2));
  EXPECT_TRUE(effect.deallocateArrangement(&a));
  EXPECT_EQ(a, nullptr);
  EXPECT_TRUE(effect.deallocateArrangement(&a));  // nothing there: still fine
  EXPECT_EQ(a, nullptr);
}

TEST_F(ArrangementTest, CopySpeakerCopiesEveryFieldAndTerminatesTheName) {
  VstSpeakerProperties from{};
  from.azimuth = 0.5f;
  from.elevation = -0.25f;
  from.radius = 2.0f;
  from.reserved = 3.0f;
  std::memset(from.name, 'n', sizeof from.name);  // no terminator in the source
  from.type = kSpeakerLs;
  for (std::size_t i = 0; i < sizeof from.future; ++i) from.future[i] = static_cast<char>(i + 1);

  VstSpeakerProperties to;
  std::memset(&to, 0x7F, sizeof to);
  ASSERT_TRUE(effect.copySpeaker(&to, &from));
  EXPECT_EQ(to.azimuth, 0.5f);
  EXPECT_EQ(to.elevation, -0.25f);
  EXPECT_EQ(to.radius, 2.0f);
  EXPECT_EQ(to.reserved, 3.0f);
  EXPECT_EQ(to.type, kSpeakerLs);
  EXPECT_EQ(std::string(to.name), std::string(63, 'n'));
  EXPECT_EQ(std::memcmp(to.future, from.future, sizeof to.future), 0);

  EXPECT_FALSE(effect.copySpeaker(nullptr, &from));
  EXPECT_FALSE(effect.copySpeaker(&to, nullptr));
}

TEST_F(ArrangementTest, MatchMakesAFullCopyOfTheSource) {
  for (VstInt32 channels : {2, 12}) {
    SCOPED_TRACE(channels);
    ASSERT_TRUE(effect.allocateArrangement(&b, channels));
    b->type = kSpeakerArr51;
    for (int i = 0; i < channels; ++i) {
      speaker(b, i).type = kSpeakerL + i;
      speaker(b, i).azimuth = static_cast<float>(i);
      std::snprintf(speaker(b, i).name, sizeof speaker(b, i).name, "speaker %d", i);
    }
    ASSERT_TRUE(effect.allocateArrangement(&a, 1));  // replaced by the match
    ASSERT_TRUE(effect.matchArrangement(&a, b));
    ASSERT_NE(a, b);
    EXPECT_EQ(a->type, kSpeakerArr51);
    EXPECT_EQ(a->numChannels, channels);
    for (int i = 0; i < channels; ++i) {
      EXPECT_EQ(speaker(a, i).type, kSpeakerL + i);
      EXPECT_EQ(speaker(a, i).azimuth, static_cast<float>(i));
      EXPECT_STREQ(speaker(a, i).name, speaker(b, i).name);
    }
  }
}

TEST_F(ArrangementTest, MatchWithoutSourceFailsAndMatchWithItselfKeepsIt) {
  EXPECT_FALSE(effect.matchArrangement(&a, nullptr));
  EXPECT_FALSE(effect.matchArrangement(nullptr, b));
  ASSERT_TRUE(effect.allocateArrangement(&a, 2));
  a->type = kSpeakerArrStereo;
  std::strcpy(speaker(a, 1).name, "R");
  EXPECT_TRUE(effect.matchArrangement(&a, a));
  EXPECT_EQ(a->numChannels, 2);
  EXPECT_EQ(a->type, kSpeakerArrStereo);
  EXPECT_STREQ(speaker(a, 1).name, "R");
}

// Key requests: character from index, virtual key from the low byte of value, modifiers from the
// low byte of opt truncated towards zero.
struct KeyCase {
  const char* name;
  VstInt32 index;
  VstIntPtr value;
  float opt;
  VstInt32 character;
  int virt;
  int modifier;
};

void PrintTo(const KeyCase& c, std::ostream* os) { *os << c.name; }

class KeyCodeTest : public ::testing::TestWithParam<KeyCase> {};

TEST_P(KeyCodeTest, BuildsTheRecord) {
  const KeyCase& c = GetParam();
  const VstKeyCode key = makeVstKeyCode(c.index, c.value, c.opt);
  EXPECT_EQ(key.character, c.character);
  EXPECT_EQ(key.virt, c.virt);
  EXPECT_EQ(key.modifier, c.modifier);
}

constexpr float kInf = std::numeric_limits<float>::infinity();

// clang-format off
const KeyCase kKeyCases[] = {
  {"Character", 65, 0, 0.0f, 65, 0, 0},
  {"VirtualKey", 0, VKEY_LEFT, 0.0f, 0, VKEY_LEFT, 0},
  {"VirtualKeyLowByteOnly", 0, 0x1FF, 0.0f, 0, 0xFF, 0},
  {"NegativeValue", 0, -1, 0.0f, 0, 0xFF, 0},
  {"Shift", 0, VKEY_TAB, 1.0f, 0, VKEY_TAB, MODIFIER_SHIFT},
  {"AllModifiers", 0, 0, 15.0f, 0, 0, 15},
  {"ModifierTruncated", 0, 0, 3.9f, 0, 0, 3},
  {"ModifierLowByte", 0, 0, 300.0f, 0, 0, 44},
  {"ModifierNegative", 0, 0, -1.0f, 0, 0, 0xFF},
  {"ModifierSmallNegativeTruncatesToZero", 0, 0, -0.5f, 0, 0, 0},
  {"ModifierHuge", 0, 0, 1e30f, 0, 0, 0},
  {"ModifierInfinite", 0, 0, kInf, 0, 0, 0},
  {"ModifierNaN", 0, 0, std::numeric_limits<float>::quiet_NaN(), 0, 0, 0},
  {"NegativeCharacter", -3, 0, 0.0f, -3, 0, 0},
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(Keys, KeyCodeTest, ::testing::ValuesIn(kKeyCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace shelltest
