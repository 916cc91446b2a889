// The calls back into the host: which opcode and arguments each wrapper sends, how the host's
// answer is turned into the result, and what each answers when there is no host callback.
#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <functional>
#include <string>

#include "shell_test_support.h"

namespace shelltest {
namespace {

template <typename T>
T* bufferA() {
  return reinterpret_cast<T*>(gBufferA);
}

VstIntPtr asInt(const void* p) { return reinterpret_cast<VstIntPtr>(p); }

enum class Ptr { Null, A };

struct WrapperCase {
  const char* name;
  std::function<VstIntPtr(AudioEffectX&)> call;  // the wrapper, its result as an integer
  VstInt32 opcode;
  VstInt32 index;
  VstIntPtr value;
  Ptr ptr;
  float opt;
  VstIntPtr hostAnswer;
  VstIntPtr result;          // with the host answering hostAnswer
  VstIntPtr resultWithout;   // without a host callback
};

void PrintTo(const WrapperCase& c, std::ostream* os) { *os << c.name; }

class HostWrapperTest : public ::testing::TestWithParam<WrapperCase> {};

TEST_P(HostWrapperTest, SendsItsOpcodeAndConvertsTheAnswer) {
  const WrapperCase& c = GetParam();
  RecordingHost host;
  host.answer = c.hostAnswer;
  PlainEffect effect(&RecordingHost::callback);

  EXPECT_EQ(c.call(effect), c.result);

  ASSERT_EQ(host.calls.size(), 1u);
  const HostCall& call = host.calls[0];
  EXPECT_EQ(call.effect, effect.getEffectRecord());
  EXPECT_EQ(call.opcode, c.opcode);
  EXPECT_EQ(call.index, c.index);
  EXPECT_EQ(call.value, c.value);
  EXPECT_EQ(call.ptr, c.ptr == Ptr::A ? static_cast<void*>(gBufferA) : nullptr);
  EXPECT_EQ(call.opt, c.opt);
}

TEST_P(HostWrapperTest, AnswersTheFallbackWithoutACallback) {
  const WrapperCase& c = GetParam();
  PlainEffect effect(nullptr);
  EXPECT_EQ(c.call(effect), c.resultWithout);
}

VstIntPtr b(bool v) { return v ? 1 : 0; }

// clang-format off
const WrapperCase kWrapperCases[] = {
  {"GetVersion", [](AudioEffectX& e) { return VstIntPtr{e.hostGetVersion()}; }, audioMasterVersion, 0, 0, Ptr::Null, 0.0f, 0, 2400, 1},
  {"GetCurrentId", [](AudioEffectX& e) { return VstIntPtr{e.hostGetCurrentId()}; }, audioMasterCurrentId, 0, 0, Ptr::Null, 0.0f, 1234, 1234, 0},
  {"Idle", [](AudioEffectX& e) { e.hostIdle(); return VstIntPtr{0}; }, audioMasterIdle, 0, 0, Ptr::Null, 0.0f, 1, 0, 0},
  {"InputConnected", [](AudioEffectX& e) { return b(e.isInputConnected(3)); }, audioMasterPinConnected, 3, 0, Ptr::Null, 0.0f, 0, 1, 1},
  {"InputNotConnected", [](AudioEffectX& e) { return b(e.isInputConnected(3)); }, audioMasterPinConnected, 3, 0, Ptr::Null, 0.0f, 1, 0, 1},
  {"OutputConnected", [](AudioEffectX& e) { return b(e.isOutputConnected(1)); }, audioMasterPinConnected, 1, 1, Ptr::Null, 0.0f, 0, 1, 1},
  {"OutputNotConnected", [](AudioEffectX& e) { return b(e.isOutputConnected(1)); }, audioMasterPinConnected, 1, 1, Ptr::Null, 0.0f, -1, 0, 1},
  {"WantEvents", [](AudioEffectX& e) { return VstIntPtr{e.hostWantEvents(1)}; }, audioMasterWantMidi, 0, 1, Ptr::Null, 0.0f, 1, 1, 0},
  {"GetTime", [](AudioEffectX& e) { return asInt(e.hostGetTime(0x0F00)); }, audioMasterGetTime, 0, 0x0F00, Ptr::Null, 0.0f, asInt(gBufferB), asInt(gBufferB), 0},
  {"ProcessEventsTaken", [](AudioEffectX& e) { return b(e.hostProcessEvents(bufferA<VstEvents>())); }, audioMasterProcessEvents, 0, 0, Ptr::A, 0.0f, 1, 1, 0},
  {"ProcessEventsOtherAnswer", [](AudioEffectX& e) { return b(e.hostProcessEvents(bufferA<VstEvents>())); }, audioMasterProcessEvents, 0, 0, Ptr::A, 0.0f, 2, 0, 0},
  {"TempoAt", [](AudioEffectX& e) { return VstIntPtr{e.hostTempoAt(44100)}; }, audioMasterTempoAt, 0, 44100, Ptr::Null, 0.0f, 1200000, 1200000, 0},
  {"GetNumAutomatableParameters", [](AudioEffectX& e) { return VstIntPtr{e.hostGetNumAutomatableParameters()}; }, audioMasterGetNumAutomatableParameters, 0, 0, Ptr::Null, 0.0f, 12, 12, 0},
  {"GetParameterQuantization", [](AudioEffectX& e) { return VstIntPtr{e.hostGetParameterQuantization()}; }, audioMasterGetParameterQuantization, 0, 0, Ptr::Null, 0.0f, 127, 127, 0},
  {"IOChanged", [](AudioEffectX& e) { return b(e.hostIOChanged()); }, audioMasterIOChanged, 0, 0, Ptr::Null, 0.0f, 5, 1, 0},
  {"IOChangedRefused", [](AudioEffectX& e) { return b(e.hostIOChanged()); }, audioMasterIOChanged, 0, 0, Ptr::Null, 0.0f, 0, 0, 0},
  {"NeedIdle", [](AudioEffectX& e) { return b(e.hostNeedIdle()); }, audioMasterNeedIdle, 0, 0, Ptr::Null, 0.0f, 1, 1, 0},
  {"SizeWindow", [](AudioEffectX& e) { return b(e.hostSizeWindow(752, 80)); }, audioMasterSizeWindow, 752, 80, Ptr::Null, 0.0f, 1, 1, 0},
  {"SizeWindowRefused", [](AudioEffectX& e) { return b(e.hostSizeWindow(752, 80)); }, audioMasterSizeWindow, 752, 80, Ptr::Null, 0.0f, 0, 0, 0},
  {"GetInputLatency", [](AudioEffectX& e) { return VstIntPtr{e.hostGetInputLatency()}; }, audioMasterGetInputLatency, 0, 0, Ptr::Null, 0.0f, 256, 256, 0},
  {"GetOutputLatency", [](AudioEffectX& e) { return VstIntPtr{e.hostGetOutputLatency()}; }, audioMasterGetOutputLatency, 0, 0, Ptr::Null, 0.0f, 512, 512, 0},
  {"GetPreviousPlug", [](AudioEffectX& e) { return asInt(e.hostGetPreviousPlug(3)); }, audioMasterGetPreviousPlug, 0, 0, Ptr::Null, 0.0f, asInt(gBufferB), asInt(gBufferB), 0},
  {"GetNextPlug", [](AudioEffectX& e) { return asInt(e.hostGetNextPlug(3)); }, audioMasterGetNextPlug, 0, 0, Ptr::Null, 0.0f, asInt(gBufferB), asInt(gBufferB), 0},
  {"WillReplaceOrAccumulate", [](AudioEffectX& e) { return VstIntPtr{e.hostWillReplaceOrAccumulate()}; }, audioMasterWillReplaceOrAccumulate, 0, 0, Ptr::Null, 0.0f, 1, 1, 0},
  {"GetCurrentProcessLevel", [](AudioEffectX& e) { return VstIntPtr{e.hostGetCurrentProcessLevel()}; }, audioMasterGetCurrentProcessLevel, 0, 0, Ptr::Null, 0.0f, kVstProcessLevelRealtime, kVstProcessLevelRealtime, 0},
  {"GetAutomationState", [](AudioEffectX& e) { return VstIntPtr{e.hostGetAutomationState()}; }, audioMasterGetAutomationState, 0, 0, Ptr::Null, 0.0f, kVstAutomationRead, kVstAutomationRead, 0},
  {"OfflineStart", [](AudioEffectX& e) { return b(e.hostOfflineStart(bufferA<VstAudioFile>(), 3, 2)); }, audioMasterOfflineStart, 2, 3, Ptr::A, 0.0f, 1, 1, 0},
  {"OfflineReadSource", [](AudioEffectX& e) { return b(e.hostOfflineRead(bufferA<VstOfflineTask>(), 4, true)); }, audioMasterOfflineRead, 1, 4, Ptr::A, 0.0f, 1, 1, 0},
  {"OfflineReadDestination", [](AudioEffectX& e) { return b(e.hostOfflineRead(bufferA<VstOfflineTask>(), 4, false)); }, audioMasterOfflineRead, 0, 4, Ptr::A, 0.0f, 1, 1, 0},
  {"OfflineWrite", [](AudioEffectX& e) { return b(e.hostOfflineWrite(bufferA<VstOfflineTask>(), 5)); }, audioMasterOfflineWrite, 0, 5, Ptr::A, 0.0f, 0, 0, 0},
  {"OfflineGetCurrentPass", [](AudioEffectX& e) { return b(e.hostOfflineGetCurrentPass()); }, audioMasterOfflineGetCurrentPass, 0, 0, Ptr::Null, 0.0f, 2, 1, 0},
  {"OfflineGetCurrentMetaPass", [](AudioEffectX& e) { return b(e.hostOfflineGetCurrentMetaPass()); }, audioMasterOfflineGetCurrentMetaPass, 0, 0, Ptr::Null, 0.0f, 1, 1, 0},
  {"SetOutputSampleRate", [](AudioEffectX& e) { return VstIntPtr{e.hostSetOutputSampleRate(48000.0f)}; }, audioMasterSetOutputSampleRate, 0, 0, Ptr::Null, 48000.0f, 1, 1, 0},
  {"GetOutputSpeakerArrangement", [](AudioEffectX& e) { return asInt(e.hostGetOutputSpeakerArrangement()); }, audioMasterGetOutputSpeakerArrangement, 0, 0, Ptr::Null, 0.0f, asInt(gBufferB), asInt(gBufferB), 0},
  {"GetVendorString", [](AudioEffectX& e) { return b(e.hostGetVendorString(gBufferA)); }, audioMasterGetVendorString, 0, 0, Ptr::A, 0.0f, 1, 1, 0},
  {"GetProductString", [](AudioEffectX& e) { return b(e.hostGetProductString(gBufferA)); }, audioMasterGetProductString, 0, 0, Ptr::A, 0.0f, 1, 1, 0},
  {"GetVendorVersion", [](AudioEffectX& e) { return VstIntPtr{e.hostGetVendorVersion()}; }, audioMasterGetVendorVersion, 0, 0, Ptr::Null, 0.0f, 3100, 3100, 0},
  {"VendorSpecific", [](AudioEffectX& e) { return e.hostVendorSpecific(9, -3, gBufferA, 2.5f); }, audioMasterVendorSpecific, 9, -3, Ptr::A, 2.5f, INTPTR_MAX, INTPTR_MAX, 0},
  {"CanDo", [](AudioEffectX& e) { return b(e.hostCanDo(gBufferA)); }, audioMasterCanDo, 0, 0, Ptr::A, 0.0f, 1, 1, 0},
  {"CanDoUndecided", [](AudioEffectX& e) { return b(e.hostCanDo(gBufferA)); }, audioMasterCanDo, 0, 0, Ptr::A, 0.0f, 0, 0, 0},
  {"CanDoCannot", [](AudioEffectX& e) { return b(e.hostCanDo(gBufferA)); }, audioMasterCanDo, 0, 0, Ptr::A, 0.0f, -1, 1, 0},
  {"GetLanguage", [](AudioEffectX& e) { return VstIntPtr{e.hostGetLanguage()}; }, audioMasterGetLanguage, 0, 0, Ptr::Null, 0.0f, 2, 2, 0},
  {"OpenWindow", [](AudioEffectX& e) { return asInt(e.hostOpenWindow(bufferA<VstWindow>())); }, audioMasterOpenWindow, 0, 0, Ptr::A, 0.0f, asInt(gBufferB), asInt(gBufferB), 0},
  {"CloseWindow", [](AudioEffectX& e) { return b(e.hostCloseWindow(bufferA<VstWindow>())); }, audioMasterCloseWindow, 0, 0, Ptr::A, 0.0f, 1, 1, 0},
  {"GetDirectory", [](AudioEffectX& e) { return asInt(e.hostGetDirectory()); }, audioMasterGetDirectory, 0, 0, Ptr::Null, 0.0f, asInt(gBufferB), asInt(gBufferB), 0},
  {"UpdateDisplay", [](AudioEffectX& e) { return b(e.hostUpdateDisplay()); }, audioMasterUpdateDisplay, 0, 0, Ptr::Null, 0.0f, 1, 1, 0},
  {"BeginEdit", [](AudioEffectX& e) { return b(e.hostBeginEdit(1)); }, audioMasterBeginEdit, 1, 0, Ptr::Null, 0.0f, 1, 1, 0},
  {"EndEdit", [](AudioEffectX& e) { return b(e.hostEndEdit(1)); }, audioMasterEndEdit, 1, 0, Ptr::Null, 0.0f, 1, 1, 0},
  {"OpenFileSelector", [](AudioEffectX& e) { return b(e.hostOpenFileSelector(bufferA<VstFileSelect>())); }, audioMasterOpenFileSelector, 0, 0, Ptr::A, 0.0f, 1, 1, 0},
  {"CloseFileSelector", [](AudioEffectX& e) { return b(e.hostCloseFileSelector(bufferA<VstFileSelect>())); }, audioMasterCloseFileSelector, 0, 0, Ptr::A, 0.0f, 1, 1, 0},
  {"GetChunkFile", [](AudioEffectX& e) { return b(e.hostGetChunkFile(gBufferA)); }, audioMasterGetChunkFile, 0, 0, Ptr::A, 0.0f, 1, 1, 0},
  {"GetInputSpeakerArrangement", [](AudioEffectX& e) { return asInt(e.hostGetInputSpeakerArrangement()); }, audioMasterGetInputSpeakerArrangement, 0, 0, Ptr::Null, 0.0f, asInt(gBufferB), asInt(gBufferB), 0},
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(Wrappers, HostWrapperTest, ::testing::ValuesIn(kWrapperCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(HostWrappers, NullSelectorsAndPathsAreNotSentToTheHost) {
  RecordingHost host;
  host.answer = 1;
  PlainEffect effect(&RecordingHost::callback);
  EXPECT_FALSE(effect.hostOpenFileSelector(nullptr));
  EXPECT_FALSE(effect.hostCloseFileSelector(nullptr));
  EXPECT_FALSE(effect.hostGetChunkFile(nullptr));
  EXPECT_TRUE(host.calls.empty());
}

TEST(HostWrappers, AutomateRunsSetParameterFirstThenTellsTheHost) {
  gJournal.clear();
  RecordingHost host;
  RecordingEffect effect(&RecordingHost::callback);
  effect.setParameterAndAutomate(1, 0.25f);
  EXPECT_EQ(gJournal, (std::vector<std::string>{"setParameter(1,0.25)", "host(0)"}));
  ASSERT_EQ(host.calls.size(), 1u);
  EXPECT_EQ(host.calls[0].effect, effect.getEffectRecord());
  EXPECT_EQ(host.calls[0].opcode, audioMasterAutomate);
  EXPECT_EQ(host.calls[0].index, 1);
  EXPECT_EQ(host.calls[0].value, 0);
  EXPECT_EQ(host.calls[0].ptr, nullptr);
  EXPECT_EQ(host.calls[0].opt, 0.25f);
  gJournal.clear();
}

TEST(HostWrappers, AutomateWithoutAHostStillSetsTheParameter) {
  gJournal.clear();
  RecordingEffect effect(nullptr);
  effect.setParameterAndAutomate(0, 1.0f);
  EXPECT_EQ(gJournal, (std::vector<std::string>{"setParameter(0,1)"}));
  gJournal.clear();
}

// The two wrappers that also update the object: a positive answer is kept, anything else leaves
// the stored value in place.
struct StoredAnswerCase {
  const char* name;
  VstIntPtr answer;
  float sampleRate;  // expected after hostGetSampleRate
  VstInt32 blockSize;  // expected after hostGetBlockSize
};

class StoredAnswerTest : public ::testing::TestWithParam<StoredAnswerCase> {};

TEST_P(StoredAnswerTest, PositiveAnswersReplaceTheStoredValue) {
  const StoredAnswerCase& c = GetParam();
  RecordingHost host;
  host.answer = c.answer;
  PlainEffect effect(&RecordingHost::callback);
  EXPECT_EQ(effect.hostGetSampleRate(), c.sampleRate);
  EXPECT_EQ(effect.getSampleRate(), c.sampleRate);
  EXPECT_EQ(effect.hostGetBlockSize(), c.blockSize);
  EXPECT_EQ(effect.getBlockSize(), c.blockSize);
  ASSERT_EQ(host.calls.size(), 2u);
  EXPECT_EQ(host.calls[0].opcode, audioMasterGetSampleRate);
  EXPECT_EQ(host.calls[1].opcode, audioMasterGetBlockSize);
}

const StoredAnswerCase kStoredAnswerCases[] = {
    {"Positive", 48000, 48000.0f, 48000},
    {"Zero", 0, 44100.0f, 1024},
    {"Negative", -5, 44100.0f, 1024},
    // Only the sample rate can take an answer beyond 32 bits (64-bit builds).
    {"Widest", INTPTR_MAX, static_cast<float>(INTPTR_MAX),
     sizeof(VstIntPtr) == 4 ? INT32_MAX : 1024},
};

INSTANTIATE_TEST_SUITE_P(HostWrappers, StoredAnswerTest, ::testing::ValuesIn(kStoredAnswerCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(HostWrappers, StoredValuesAnswerWithoutAHost) {
  PlainEffect effect(nullptr);
  effect.setSampleRate(96000.0f);
  effect.setBlockSize(256);
  EXPECT_EQ(effect.hostGetSampleRate(), 96000.0f);
  EXPECT_EQ(effect.hostGetBlockSize(), 256);
}

// resume asks the host for events only for synths and effects that take MIDI events.
struct ResumeCase {
  const char* name;
  bool synth;
  VstInt32 canDoAnswer;
  bool asksForEvents;
};

class ResumeTest : public ::testing::TestWithParam<ResumeCase> {};

class MidiAwareEffect : public PlainEffect {
public:
  using PlainEffect::PlainEffect;
  VstInt32 canDo(const char* text) override {
    asked = text;
    return answer;
  }
  VstInt32 answer = 0;
  std::string asked;
};

TEST_P(ResumeTest, AsksForEventsOnlyWhenItTakesThem) {
  const ResumeCase& c = GetParam();
  RecordingHost host;
  MidiAwareEffect effect(&RecordingHost::callback);
  effect.setIsSynth(c.synth);
  effect.answer = c.canDoAnswer;
  AEffect* record = effect.getEffectRecord();
  EXPECT_EQ(record->dispatcher(record, effMainsChanged, 0, 1, nullptr, 0.0f), 0);
  if (c.asksForEvents) {
    ASSERT_EQ(host.calls.size(), 1u);
    EXPECT_EQ(host.calls[0].opcode, audioMasterWantMidi);
    EXPECT_EQ(host.calls[0].value, 1);
  } else {
    EXPECT_TRUE(host.calls.empty());
  }
  if (!c.synth) {
    EXPECT_EQ(effect.asked, "receiveVstMidiEvent");
  }
}

const ResumeCase kResumeCases[] = {
    {"PlainEffect", false, 0, false},
    {"CannotTakeEvents", false, -1, false},
    {"TakesEvents", false, 1, true},
    {"OtherAnswer", false, 2, false},
    {"Synth", true, 0, true},
};

INSTANTIATE_TEST_SUITE_P(HostWrappers, ResumeTest, ::testing::ValuesIn(kResumeCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace shelltest
