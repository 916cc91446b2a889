// Parameters, programs, names and displays of both delay effects as the host sees them through
// the dispatcher and the record, including the values and texts hosts get wrong.
#include <gtest/gtest.h>

#include <cstring>
#include <limits>

#include "delay_test_support.h"
#include "editor/aeff_editor.h"
#include "effects/delay_state.h"

using namespace delaytest;

namespace {

constexpr std::size_t kN = 441;

// A host buffer much larger than any request may fill, so writes past the request's limit show.
struct GuardedBuffer {
  static constexpr unsigned char kFill = 0x5A;
  char bytes[256];
  GuardedBuffer() { std::memset(bytes, kFill, sizeof bytes); }
  bool untouched() const {
    for (unsigned char b : bytes) {
      if (b != kFill) return false;
    }
    return true;
  }
  // True when the text is terminated within limit bytes and nothing beyond them was written.
  bool holdsTextWithin(std::size_t limit) const {
    const void* end = std::memchr(bytes, '\0', limit);
    if (end == nullptr) return false;
    for (std::size_t i = limit; i < sizeof bytes; ++i) {
      if (static_cast<unsigned char>(bytes[i]) != kFill) return false;
    }
    return true;
  }
  std::string text() const { return std::string(bytes, strnlen(bytes, sizeof bytes)); }
};

std::string request(DelayEffect& effect, VstInt32 opcode, VstInt32 index, std::size_t limit,
                    VstIntPtr* answer = nullptr) {
  GuardedBuffer buffer;
  const VstIntPtr result = effect.dispatcher(opcode, index, 0, buffer.bytes, 0.0f);
  if (answer != nullptr) *answer = result;
  EXPECT_TRUE(buffer.holdsTextWithin(limit)) << "opcode " << opcode << " index " << index;
  return buffer.text();
}

class DelayEffectTest : public ::testing::TestWithParam<Kind> {
protected:
  Kind kind() const { return GetParam(); }
  std::unique_ptr<DelayEffect> effect = makeEffect(GetParam());
};

TEST_P(DelayEffectTest, RecordAndIdentityAfterConstruction) {
  const AEffect& record = *effect->getEffectRecord();
  EXPECT_EQ(record.magic, kEffectMagic);
  EXPECT_EQ(record.object, effect.get());
  EXPECT_EQ(record.numInputs, 2);
  EXPECT_EQ(record.numOutputs, 2);
  EXPECT_EQ(record.numPrograms, 16);
  EXPECT_EQ(record.numParams, 2);
  EXPECT_EQ(record.flags, 0x1010);  // replacing and double replacing; no editor yet
  EXPECT_EQ(record.uniqueID,
            static_cast<VstInt32>(kind() == Kind::Lunivex ? 0xFF222002u : 0xFF222001u));
  EXPECT_EQ(record.version, 1);
  EXPECT_EQ(record.initialDelay, 0);
  EXPECT_EQ(record.ioRatio, 1.0f);

  const std::string name = kindName(kind());
  VstIntPtr answer = 0;
  EXPECT_EQ(request(*effect, effGetEffectName, 0, kVstMaxEffectNameLen, &answer), name);
  EXPECT_EQ(answer, 1);
  EXPECT_EQ(request(*effect, effGetProductString, 0, kVstMaxProductStrLen, &answer), name);
  EXPECT_EQ(answer, 1);
  EXPECT_EQ(request(*effect, effGetVendorString, 0, kVstMaxVendorStrLen, &answer), "Quellin");
  EXPECT_EQ(answer, 1);
  EXPECT_EQ(effect->dispatcher(effGetVendorVersion, 0, 0, nullptr, 0.0f), 2000);
  EXPECT_EQ(effect->dispatcher(effGetPlugCategory, 0, 0, nullptr, 0.0f), 5);
  EXPECT_EQ(effect->dispatcher(effGetVstVersion, 0, 0, nullptr, 0.0f), 2400);
  EXPECT_EQ(effect->dispatcher(effCanDo, 0, 0, const_cast<char*>("bypass"), 0.0f), 0);
  EXPECT_EQ(effect->getEditor(), nullptr);

  EXPECT_EQ(gSampleRate.load(), 44100.0f);
  EXPECT_EQ(gMaxDelaySamples.load(), 441);
  EXPECT_EQ(effect->lineLength(), 441);
}

TEST_P(DelayEffectTest, FreshInstanceParametersAndPrograms) {
  EXPECT_EQ(effect->dispatcher(effGetProgram, 0, 0, nullptr, 0.0f), 0);
  for (VstInt32 p = 0; p < 16; ++p) {
    SCOPED_TRACE(p);
    VstIntPtr answer = 0;
    EXPECT_EQ(request(*effect, effGetProgramNameIndexed, p, kVstMaxProgNameLen, &answer),
              "Default");
    EXPECT_EQ(answer, 1);
    EXPECT_EQ(effect->programAt(p).delayLeft, 0.0f);
    EXPECT_EQ(effect->programAt(p).delayRight, 0.0f);
  }
  EXPECT_EQ(request(*effect, effGetProgramName, 0, kVstMaxProgNameLen), "Default");
  EXPECT_EQ(request(*effect, effGetParamName, 0, kVstMaxParamStrLen + 1), "Left");
  EXPECT_EQ(request(*effect, effGetParamName, 1, kVstMaxParamStrLen + 1), "Right");
  EXPECT_EQ(request(*effect, effGetParamLabel, 0, kVstMaxParamStrLen + 1), "");
  EXPECT_EQ(request(*effect, effGetParamLabel, 1, kVstMaxParamStrLen + 1), "");
  EXPECT_EQ(request(*effect, effGetParamDisplay, 0, kVstMaxParamStrLen + 1), "0");
  EXPECT_EQ(request(*effect, effGetParamDisplay, 1, kVstMaxParamStrLen + 1), "0");
  EXPECT_EQ(effect->getParameter(0), 0.0f);
  EXPECT_EQ(effect->getParameter(1), 0.0f);
}

// Text requests for parameters that do not exist leave the host's buffer as it was.
TEST_P(DelayEffectTest, UnknownParameterIndicesLeaveBuffersUntouched) {
  for (VstInt32 index : {2, -1, 99, std::numeric_limits<VstInt32>::min()}) {
    SCOPED_TRACE(index);
    for (VstInt32 opcode : {effGetParamName, effGetParamLabel, effGetParamDisplay}) {
      GuardedBuffer buffer;
      effect->dispatcher(opcode, index, 0, buffer.bytes, 0.0f);
      EXPECT_TRUE(buffer.untouched()) << "opcode " << opcode;
    }
    GuardedBuffer buffer;
    EXPECT_EQ(effect->dispatcher(effGetProgramNameIndexed, index == 2 ? 16 : index, 0,
                                 buffer.bytes, 0.0f),
              0);
    EXPECT_TRUE(buffer.untouched());
    EXPECT_EQ(effect->getParameter(index), 0.0f);
    effect->setParameter(index, 0.5f);  // changes nothing
    EXPECT_EQ(effect->getParameter(0), 0.0f);
    EXPECT_EQ(effect->getParameter(1), 0.0f);
  }
}

// Hosts send values outside 0..1. The value is clamped before it is stored, so what the host
// reads back, what the program keeps, the display and the delay all agree.
struct ValueCase {
  const char* name;
  float value;
  float stored;
  std::size_t delay;  // effective delay at 441 samples
  const char* display;
};
void PrintTo(const ValueCase& c, std::ostream* os) { *os << c.name; }

const ValueCase kValueCases[] = {
    {"Quarter", 0.25f, 0.25f, 110, "110"},   // 110.25
    {"NearlyOne", 0.999f, 0.999f, 440, "441"},  // 440.56: the display rounds, the delay truncates
    {"One", 1.0f, 1.0f, kN, "441"},
    {"AboveOne", 1.5f, 1.0f, kN, "441"},
    {"Huge", std::numeric_limits<float>::max(), 1.0f, kN, "441"},
    {"PlusInfinity", std::numeric_limits<float>::infinity(), 1.0f, kN, "441"},
    {"Negative", -0.5f, 0.0f, 0, "0"},
    {"MinusInfinity", -std::numeric_limits<float>::infinity(), 0.0f, 0, "0"},
    {"NotANumber", std::numeric_limits<float>::quiet_NaN(), 0.0f, 0, "0"},
    {"Denormal", std::numeric_limits<float>::denorm_min(), std::numeric_limits<float>::denorm_min(),
     kN, "0"},
};

using ValueParam = std::tuple<Kind, ValueCase>;
class ParameterValueTest : public ::testing::TestWithParam<ValueParam> {};

TEST_P(ParameterValueTest, ValueIsClampedIntoEffect) {
  const auto [kind, c] = GetParam();
  auto effect = makeEffect(kind);
  const Stereo in = rampSignal(2 * kN + 50);
  run(*effect, in.slice(0, 123), Precision::Single);  // write position away from 0

  // Through the record, as a host does.
  AEffect* record = effect->getEffectRecord();
  record->setParameter(record, 0, c.value);
  record->setParameter(record, 1, c.value);
  EXPECT_EQ(record->getParameter(record, 0), c.stored);
  EXPECT_EQ(record->getParameter(record, 1), c.stored);
  EXPECT_EQ(effect->programAt(0).delayLeft, c.stored);
  EXPECT_EQ(effect->programAt(0).delayRight, c.stored);
  EXPECT_EQ(request(*effect, effGetParamDisplay, 0, kVstMaxParamStrLen + 1), c.display);
  EXPECT_EQ(request(*effect, effGetParamDisplay, 1, kVstMaxParamStrLen + 1), c.display);

  // The read position trails the write position by d (d = 0 and d = n read where the next
  // sample is written).
  const auto n = static_cast<VstInt32>(kN);
  for (VstInt32 channel : {0, 1}) {
    const VstInt32 r = effect->readPosition(channel);
    ASSERT_GE(r, 0);
    ASSERT_LT(r, n);
    EXPECT_EQ((effect->writePosition() - r + n) % n, static_cast<VstInt32>(c.delay % kN));
  }

  // A fresh stream shows the delay itself.
  auto fresh = makeEffect(kind);
  fresh->setParameter(0, c.value);
  fresh->setParameter(1, c.value);
  const Stereo out = runBlocks(*fresh, in, Precision::Single, {100});
  EXPECT_EQ(firstMismatch(out.ch1, delayed(in.ch1, c.delay)), -1);
  EXPECT_EQ(firstMismatch(out.ch2, delayed(secondSource(kind, in), c.delay)), -1);
}

INSTANTIATE_TEST_SUITE_P(Values, ParameterValueTest,
                         ::testing::Combine(::testing::Values(Kind::Lunivex, Kind::Dravimo),
                                            ::testing::ValuesIn(kValueCases)),
                         [](const ::testing::TestParamInfo<ValueParam>& info) {
                           return std::string(kindName(std::get<0>(info.param))) +
                                  std::get<1>(info.param).name;
                         });

TEST_P(DelayEffectTest, ParameterChangesEditTheCurrentProgram) {
  effect->setParameter(0, 0.5f);
  effect->dispatcher(effSetProgram, 0, 3, nullptr, 0.0f);
  EXPECT_EQ(effect->dispatcher(effGetProgram, 0, 0, nullptr, 0.0f), 3);
  EXPECT_EQ(effect->programAt(0).delayLeft, 0.5f);
  EXPECT_EQ(effect->getParameter(0), 0.0f);  // program 3's value
  EXPECT_EQ(effect->readPosition(0), effect->writePosition());

  effect->setParameter(1, 0.75f);
  EXPECT_EQ(effect->programAt(3).delayRight, 0.75f);
  EXPECT_EQ(effect->programAt(0).delayRight, 0.0f);

  effect->dispatcher(effSetProgram, 0, 0, nullptr, 0.0f);
  EXPECT_EQ(effect->getParameter(0), 0.5f);
  EXPECT_EQ(effect->getParameter(1), 0.0f);
  EXPECT_EQ(request(*effect, effGetParamDisplay, 0, kVstMaxParamStrLen + 1), "220");

  // The delay follows the program: program 3 has the right channel at 0.75 (330 samples).
  effect->dispatcher(effSetProgram, 0, 3, nullptr, 0.0f);
  const Stereo in = rampSignal(1000);
  auto check = makeEffect(kind());
  check->setParameter(1, 0.75f);
  const Stereo expected = run(*check, in, Precision::Single);
  const Stereo out = run(*effect, in, Precision::Single);
  EXPECT_EQ(firstMismatch(out.ch2, expected.ch2), -1);
}

TEST_P(DelayEffectTest, ProgramNumbersOutsideTheBankAreIgnored) {
  effect->dispatcher(effSetProgram, 0, 5, nullptr, 0.0f);
  for (VstInt32 program : {16, -1, 1000, std::numeric_limits<VstInt32>::min()}) {
    SCOPED_TRACE(program);
    effect->setProgram(program);  // a direct call skips the dispatcher's check
    effect->dispatcher(effSetProgram, 0, program, nullptr, 0.0f);
    EXPECT_EQ(effect->getProgram(), 5);
  }
}

struct NameCase {
  const char* name;
  std::string given;
  std::string kept;
};

const NameCase kNameCases[] = {
    {"FourLetters", "Room", "Room"},
    {"Empty", "", ""},
    {"TwentyThree", std::string(23, 'a'), std::string(23, 'a')},
    {"TwentyFour", std::string(24, 'b'), std::string(23, 'b')},
    {"VeryLong", std::string(300, 'c'), std::string(23, 'c')},
};

TEST_P(DelayEffectTest, ProgramNamesAreCutToTheHostLimit) {
  effect->dispatcher(effSetProgram, 0, 7, nullptr, 0.0f);
  for (const NameCase& c : kNameCases) {
    SCOPED_TRACE(c.name);
    std::string given = c.given;
    effect->dispatcher(effSetProgramName, 0, 0, given.data(), 0.0f);
    EXPECT_EQ(request(*effect, effGetProgramName, 0, kVstMaxProgNameLen), c.kept);
    VstIntPtr answer = 0;
    EXPECT_EQ(request(*effect, effGetProgramNameIndexed, 7, kVstMaxProgNameLen, &answer), c.kept);
    EXPECT_EQ(answer, 1);
    EXPECT_EQ(request(*effect, effGetProgramNameIndexed, 6, kVstMaxProgNameLen), "Default");
  }
  effect->dispatcher(effSetProgramName, 0, 0, nullptr, 0.0f);  // ignored
  EXPECT_EQ(request(*effect, effGetProgramName, 0, kVstMaxProgNameLen), std::string(23, 'c'));
  effect->dispatcher(effGetProgramName, 0, 0, nullptr, 0.0f);  // nowhere to write: ignored
  effect->dispatcher(effGetParamDisplay, 0, 0, nullptr, 0.0f);
  effect->dispatcher(effGetEffectName, 0, 0, nullptr, 0.0f);
}

// The wheel request reaches an editor only; without one every vendor request answers 0.
TEST_P(DelayEffectTest, VendorSpecificWithoutEditorAnswersZero) {
  EXPECT_EQ(effect->dispatcher(effVendorSpecific, 0x73744341, 0x57686565, nullptr, 1.0f), 0);
  EXPECT_EQ(effect->dispatcher(effVendorSpecific, 0, 0, nullptr, 0.0f), 0);
}

// Stands in for the delay editor: records the wheel distances it is given.
class WheelEditor : public AEffEditor {
public:
  WheelEditor(AudioEffect* effect, std::vector<float>& log) : AEffEditor(effect), log(log) {}
  bool onWheel(float distance) override {
    log.push_back(distance);
    return distance > 0.0f;
  }
  std::vector<float>& log;
};

TEST_P(DelayEffectTest, WheelRequestReachesTheEditor) {
  std::vector<float> wheel;
  effect->setEditor(new WheelEditor(effect.get(), wheel));  // owned by the effect
  EXPECT_EQ(effect->getEffectRecord()->flags, 0x1011);

  EXPECT_EQ(effect->dispatcher(effVendorSpecific, 0x73744341, 0x57686565, nullptr, 1.0f), 1);
  EXPECT_EQ(effect->dispatcher(effVendorSpecific, 0x73744341, 0x57686565, nullptr, -2.0f), 0);
  EXPECT_EQ(wheel, (std::vector<float>{1.0f, -2.0f}));

  // Any other index or value is not the wheel.
  EXPECT_EQ(effect->dispatcher(effVendorSpecific, 0x73744342, 0x57686565, nullptr, 1.0f), 0);
  EXPECT_EQ(effect->dispatcher(effVendorSpecific, 0x73744341, 0x57686566, nullptr, 1.0f), 0);
  EXPECT_EQ(effect->dispatcher(effVendorSpecific, 0, 0, nullptr, 1.0f), 0);
  EXPECT_EQ(wheel.size(), 2u);
}

INSTANTIATE_TEST_SUITE_P(Effects, DelayEffectTest,
                         ::testing::Values(Kind::Lunivex, Kind::Dravimo),
                         [](const ::testing::TestParamInfo<Kind>& info) {
                           return std::string(kindName(info.param));
                         });

}  // namespace
