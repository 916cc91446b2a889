// The value-to-text conversions and the bounded copies behind every text written for a host.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstring>
#include <limits>
#include <string>

#include "shell/text_copy.h"
#include "shell_test_support.h"

namespace shelltest {
namespace {

constexpr float kInf = std::numeric_limits<float>::infinity();
constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
constexpr char kFill = '#';

enum class Conv { Float, Int, Db, Hz, Ms };

struct TextCase {
  const char* name;
  Conv conversion;
  double value;
  VstInt32 maxLen;
  const char* expected;
  float sampleRate = 44100.0f;
};

void PrintTo(const TextCase& c, std::ostream* os) { *os << c.name; }

// Runs the conversion into a buffer pre-filled with a marker and checks that nothing past the
// maxLen + 1 bytes it may use was touched.
std::string convert(const TextCase& c) {
  PlainEffect effect(nullptr);
  effect.setSampleRate(c.sampleRate);
  char buffer[64];
  std::memset(buffer, kFill, sizeof buffer);
  const auto v = static_cast<float>(c.value);
  switch (c.conversion) {
    case Conv::Float: effect.floatToText(v, buffer, c.maxLen); break;
    case Conv::Int: effect.intToText(static_cast<VstInt32>(c.value), buffer, c.maxLen); break;
    case Conv::Db: effect.dbToText(v, buffer, c.maxLen); break;
    case Conv::Hz: effect.hzToText(v, buffer, c.maxLen); break;
    case Conv::Ms: effect.msToText(v, buffer, c.maxLen); break;
  }
  if (c.maxLen < 0) {
    for (char ch : buffer) EXPECT_EQ(ch, kFill) << "a negative maxLen must write nothing";
    return "(untouched)";
  }
  const std::size_t length = strnlen(buffer, sizeof buffer);
  EXPECT_LE(length, static_cast<std::size_t>(c.maxLen));
  for (std::size_t i = static_cast<std::size_t>(c.maxLen) + 1; i < sizeof buffer; ++i)
    EXPECT_EQ(buffer[i], kFill) << "byte " << i << " lies past the buffer";
  return std::string(buffer, length);
}

class ValueTextTest : public ::testing::TestWithParam<TextCase> {};

TEST_P(ValueTextTest, ProducesTheTextWithinTheLimit) {
  const TextCase& c = GetParam();
  EXPECT_EQ(convert(c), c.expected);
}

// clang-format off
const TextCase kTextCases[] = {
  // Fixed eight characters, digits truncated.
  {"FloatZero", Conv::Float, 0.0, 8, "0.000000"},
  {"FloatNegativeZero", Conv::Float, -0.0, 8, "0.000000"},
  {"FloatOneAndAHalf", Conv::Float, 1.5, 8, "1.500000"},
  {"FloatQuarter", Conv::Float, 0.25, 8, "0.250000"},
  {"FloatThreeIntegerDigits", Conv::Float, 123.456, 8, "123.4560"},
  {"FloatFourIntegerDigits", Conv::Float, 1234.5, 8, "1234.500"},
  {"FloatNegative", Conv::Float, -1.5, 8, "-1.50000"},
  {"FloatTruncatesNotRounds", Conv::Float, 0.7, 8, "0.699999"},
  {"FloatSevenIntegerDigitsEndWithThePoint", Conv::Float, 1234567.5, 8, "1234567."},
  {"FloatNegativeSixIntegerDigits", Conv::Float, -123456.5, 8, "-123456."},
  // Integer parts that fill all eight characters keep every digit and drop the point.
  {"FloatEightIntegerDigits", Conv::Float, 16777216.0, 8, "16777216"},
  {"FloatLargestShown", Conv::Float, 99999992.0, 8, "99999992"},
  {"FloatNegativeSevenIntegerDigits", Conv::Float, -1234567.0, 8, "-1234567"},
  {"FloatNegativeLowestShown", Conv::Float, -9999999.0, 8, "-9999999"},
  // Out of range.
  {"FloatHundredMillion", Conv::Float, 100000000.0, 8, "Huge!"},
  {"Float99999999RoundsToHundredMillion", Conv::Float, 99999999.0, 8, "Huge!"},
  {"FloatMinusTenMillion", Conv::Float, -10000000.0, 8, "Huge!"},
  {"FloatInfinity", Conv::Float, kInf, 8, "Huge!"},
  {"FloatMinusInfinity", Conv::Float, -kInf, 8, "Huge!"},
  {"FloatNaN", Conv::Float, kNaN, 8, "Huge!"},
  {"FloatLargestFloat", Conv::Float, std::numeric_limits<float>::max(), 8, "Huge!"},
  {"FloatSmallestSubnormal", Conv::Float, std::numeric_limits<float>::denorm_min(), 8, "0.000000"},
  // Every length from none to more than the text needs.
  {"FloatMaxLen0", Conv::Float, 1.5, 0, ""},
  {"FloatMaxLen1", Conv::Float, 1.5, 1, "1"},
  {"FloatMaxLen2", Conv::Float, 1.5, 2, "1."},
  {"FloatMaxLen3", Conv::Float, 1.5, 3, "1.5"},
  {"FloatMaxLen4", Conv::Float, 1.5, 4, "1.50"},
  {"FloatMaxLen5", Conv::Float, 1.5, 5, "1.500"},
  {"FloatMaxLen6", Conv::Float, 1.5, 6, "1.5000"},
  {"FloatMaxLen7", Conv::Float, 1.5, 7, "1.50000"},
  {"FloatMaxLen9", Conv::Float, 1.5, 9, "1.500000"},
  {"FloatMaxLen32", Conv::Float, 1.5, 32, "1.500000"},
  {"FloatHugeMaxLen3", Conv::Float, kInf, 3, "Hug"},
  {"FloatNegativeMaxLen", Conv::Float, 1.5, -1, "(untouched)"},

  {"IntZero", Conv::Int, 0, 8, "0"},
  {"IntNegative", Conv::Int, -42, 8, "-42"},
  {"IntInnerZeros", Conv::Int, 1005, 8, "1005"},
  {"IntTrailingZeros", Conv::Int, 100000, 8, "100000"},
  {"IntLargestShown", Conv::Int, 99999999, 8, "99999999"},
  {"IntHundredMillion", Conv::Int, 100000000, 8, "Huge!"},
  {"IntLargest", Conv::Int, INT32_MAX, 8, "Huge!"},
  {"IntNineNegativeDigits", Conv::Int, -999999999, 10, "-999999999"},
  {"IntTenNegativeDigits", Conv::Int, -1000000000, 10, "Huge!"},
  {"IntLowest", Conv::Int, INT32_MIN, 10, "Huge!"},
  {"IntCutToMaxLen", Conv::Int, -999999999, 8, "-9999999"},
  {"IntMaxLen0", Conv::Int, 7, 0, ""},
  {"IntNegativeMaxLen", Conv::Int, 7, -5, "(untouched)"},

  {"DbUnity", Conv::Db, 1.0, 8, "0.000000"},
  {"DbTen", Conv::Db, 10.0, 8, "20.00000"},
  {"DbHalf", Conv::Db, 0.5, 8, "-6.02059"},
  {"DbZero", Conv::Db, 0.0, 8, "-oo"},
  {"DbNegative", Conv::Db, -1.0, 8, "-oo"},
  {"DbMinusInfinityMaxLen2", Conv::Db, 0.0, 2, "-o"},
  {"DbNaN", Conv::Db, kNaN, 8, "Huge!"},
  {"DbInfinity", Conv::Db, kInf, 8, "Huge!"},
  {"DbSmallestSubnormal", Conv::Db, std::numeric_limits<float>::denorm_min(), 8, "-897.069"},

  {"HzPeriodZero", Conv::Hz, 0.0, 8, "0.000000"},
  {"HzHundred", Conv::Hz, 441.0, 8, "100.0000"},
  {"HzNegativePeriod", Conv::Hz, -441.0, 8, "-100.000"},
  {"HzTinyPeriod", Conv::Hz, 1e-30, 8, "Huge!"},
  {"HzNaNPeriod", Conv::Hz, kNaN, 8, "Huge!"},
  {"HzRateZero", Conv::Hz, 441.0, 8, "0.000000", 0.0f},

  {"MsTen", Conv::Ms, 441.0, 8, "10.00000"},
  {"MsZero", Conv::Ms, 0.0, 8, "0.000000"},
  {"MsRateZero", Conv::Ms, 441.0, 8, "Huge!", 0.0f},
  {"MsRateZeroNoDuration", Conv::Ms, 0.0, 8, "Huge!", 0.0f},
  {"MsHugeDuration", Conv::Ms, 3e38, 8, "Huge!"},
  {"MsInfiniteDuration", Conv::Ms, kInf, 8, "Huge!"},
  {"MsTinyRate", Conv::Ms, 441.0, 8, "Huge!", 1e-30f},
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(Conversions, ValueTextTest, ::testing::ValuesIn(kTextCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ValueText, NullBuffersAreIgnored) {
  PlainEffect effect(nullptr);
  effect.floatToText(1.5f, nullptr, 8);
  effect.intToText(5, nullptr, 8);
  effect.dbToText(0.0f, nullptr, 8);
  effect.hzToText(441.0f, nullptr, 8);
  effect.msToText(441.0f, nullptr, 8);
}

// Equivalence: hz and ms go through floatToText of the same quotient.
TEST(ValueText, FrequencyAndDurationAgreeWithTheirQuotient) {
  PlainEffect effect(nullptr);
  effect.setSampleRate(48000.0f);
  for (float samples : {1.0f, 7.0f, 480.0f, 1234.5f, 48000.0f}) {
    SCOPED_TRACE(samples);
    char viaHz[16], viaMs[16], direct[16];
    effect.hzToText(samples, viaHz, 8);
    effect.floatToText(48000.0f / samples, direct, 8);
    EXPECT_STREQ(viaHz, direct);
    effect.msToText(samples, viaMs, 8);
    effect.floatToText(samples * 1000.0f / 48000.0f, direct, 8);
    EXPECT_STREQ(viaMs, direct);
  }
}

// Bounded copies used for every text a host buffer receives.
struct CopyCase {
  const char* name;
  const char* initial;  // contents of the target before, for appends
  const char* source;
  std::size_t maxLen;
  bool append;
  const char* expected;
};

void PrintTo(const CopyCase& c, std::ostream* os) { *os << c.name; }

class TextCopyTest : public ::testing::TestWithParam<CopyCase> {};

TEST_P(TextCopyTest, KeepsWithinMaxLenAndTerminates) {
  const CopyCase& c = GetParam();
  char buffer[40];
  std::memset(buffer, kFill, sizeof buffer);
  if (c.initial != nullptr) std::memcpy(buffer, c.initial, std::strlen(c.initial) + 1);
  char* answer = c.append ? textAppend(buffer, c.source, c.maxLen)
                          : textCopy(buffer, c.source, c.maxLen);
  EXPECT_EQ(answer, buffer);
  EXPECT_STREQ(buffer, c.expected);
  const std::size_t used = std::max(c.maxLen + 1,
                                    c.initial != nullptr ? std::strlen(c.initial) + 1 : 0);
  for (std::size_t i = used; i < sizeof buffer; ++i) EXPECT_EQ(buffer[i], kFill) << i;
}

// clang-format off
const CopyCase kCopyCases[] = {
  {"Fits", nullptr, "Delay", 8, false, "Delay"},
  {"ExactlyMaxLen", nullptr, "12345678", 8, false, "12345678"},
  {"Cut", nullptr, "123456789", 8, false, "12345678"},
  {"MaxLenZero", nullptr, "abc", 0, false, ""},
  {"NullSource", nullptr, nullptr, 8, false, ""},
  {"EmptySource", nullptr, "", 8, false, ""},
  {"Append", "Left", " Right", 16, true, "Left Right"},
  {"AppendCut", "Left", " Right", 6, true, "Left R"},
  {"AppendToFull", "12345678", "9", 8, true, "12345678"},
  {"AppendToTooLong", "1234567890", "x", 8, true, "12345678"},
  {"AppendNull", "Left", nullptr, 8, true, "Left"},
  {"AppendToEmpty", "", "abc", 2, true, "ab"},
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(TextCopy, TextCopyTest, ::testing::ValuesIn(kCopyCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(TextCopy, NullTargetIsIgnored) {
  EXPECT_EQ(textCopy(nullptr, "abc", 8), nullptr);
  EXPECT_EQ(textAppend(nullptr, "abc", 8), nullptr);
  EXPECT_EQ(copyParamText(nullptr, "abc"), nullptr);
}

// Each request's form fills exactly the host buffer of that request and no more.
TEST(TextCopy, RequestFormsFitTheirHostBuffers) {
  const std::string longText(200, 'x');
  struct Form {
    const char* name;
    char* (*copy)(char*, const char*);
    std::size_t bufferBytes;
  };
  const Form forms[] = {
      {"param", copyParamText, kVstMaxParamStrLen + 1},
      {"program", copyProgramName, kVstMaxProgNameLen},
      {"effect", copyEffectName, kVstMaxEffectNameLen},
      {"vendor", copyVendorString, kVstMaxVendorStrLen},
      {"product", copyProductString, kVstMaxProductStrLen},
  };
  for (const Form& form : forms) {
    SCOPED_TRACE(form.name);
    char buffer[128];
    std::memset(buffer, kFill, sizeof buffer);
    form.copy(buffer, longText.c_str());
    EXPECT_EQ(std::strlen(buffer), form.bufferBytes - 1);
    EXPECT_EQ(buffer[form.bufferBytes], kFill);
  }
}

}  // namespace
}  // namespace shelltest
