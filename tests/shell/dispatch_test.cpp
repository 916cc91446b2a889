// The request dispatchers, driven through the record as a host drives them: which operation each
// opcode reaches, with which arguments, and what the host gets back.
#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "shell_test_support.h"

namespace shelltest {
namespace {

using Journal = std::vector<std::string>;

enum class Ptr { Null, A };

// Stands for "the address of buffer B" in the value column.
constexpr VstIntPtr kValueB = INTPTR_MIN;

struct DispatchCase {
  const char* name;
  VstInt32 opcode;
  VstInt32 index;
  VstIntPtr value;
  Ptr ptr;
  float opt;
  VstIntPtr result;
  Journal journal;  // what the request reached, in order
};

void PrintTo(const DispatchCase& c, std::ostream* os) { *os << c.name; }

VstIntPtr dispatchThroughRecord(AudioEffect& effect, const DispatchCase& c) {
  AEffect* record = effect.getEffectRecord();
  const VstIntPtr value = c.value == kValueB ? reinterpret_cast<VstIntPtr>(gBufferB) : c.value;
  void* ptr = c.ptr == Ptr::A ? gBufferA : nullptr;
  return record->dispatcher(record, c.opcode, c.index, value, ptr, c.opt);
}

// An effect standing in for a concrete one, with an editor attached.
class DispatchTest : public ::testing::TestWithParam<DispatchCase> {
protected:
  void SetUp() override {
    gJournal.clear();
    std::strcpy(gBufferA, "bypass");
    effect = std::make_unique<RecordingEffect>(&RecordingHost::callback);
    new RecordingEditor(effect.get());  // owned by the effect
    gJournal.clear();
  }
  void TearDown() override {
    effect.reset();
    gJournal.clear();
  }

  RecordingHost host;
  std::unique_ptr<RecordingEffect> effect;
};

TEST_P(DispatchTest, ReachesTheOperationAndAnswersItsResult) {
  const DispatchCase& c = GetParam();
  EXPECT_EQ(dispatchThroughRecord(*effect, c), c.result);
  EXPECT_EQ(gJournal, c.journal);
  EXPECT_TRUE(host.calls.empty()) << "a request must not call back into the host";
}

constexpr float k0 = 0.0f;

// clang-format off
const DispatchCase kCoreCases[] = {
  {"Open", effOpen, 0, 0, Ptr::Null, k0, 0, {"open"}},
  {"SetProgramLast", effSetProgram, 0, 15, Ptr::Null, k0, 0, {"setProgram(15)"}},
  {"SetProgramFirst", effSetProgram, 0, 0, Ptr::Null, k0, 0, {"setProgram(0)"}},
  {"SetProgramPastTheEnd", effSetProgram, 0, 16, Ptr::Null, k0, 0, {}},
  {"SetProgramNegative", effSetProgram, 0, -1, Ptr::Null, k0, 0, {}},
  {"SetProgramBeyond32Bits", effSetProgram, 0, INTPTR_MAX, Ptr::Null, k0, 0, {}},
  {"GetProgram", effGetProgram, 0, 0, Ptr::Null, k0, RecordingEffect::kIntAnswer, {"getProgram"}},
  {"SetProgramName", effSetProgramName, 0, 0, Ptr::A, k0, 0, {"setProgramName(A)"}},
  {"SetProgramNameNoText", effSetProgramName, 0, 0, Ptr::Null, k0, 0, {}},
  {"GetProgramName", effGetProgramName, 0, 0, Ptr::A, k0, 0, {"getProgramName(A)"}},
  {"GetProgramNameNoBuffer", effGetProgramName, 0, 0, Ptr::Null, k0, 0, {}},
  {"GetParamLabel", effGetParamLabel, 1, 0, Ptr::A, k0, 0, {"getParamLabel(1,A)"}},
  {"GetParamLabelNoBuffer", effGetParamLabel, 1, 0, Ptr::Null, k0, 0, {}},
  {"GetParamDisplay", effGetParamDisplay, 1, 0, Ptr::A, k0, 0, {"getParamDisplay(1,A)"}},
  {"GetParamDisplayNoBuffer", effGetParamDisplay, 1, 0, Ptr::Null, k0, 0, {}},
  {"GetParamName", effGetParamName, 0, 0, Ptr::A, k0, 0, {"getParamName(0,A)"}},
  {"GetParamNameNoBuffer", effGetParamName, 0, 0, Ptr::Null, k0, 0, {}},
  {"GetVu", effGetVu, 0, 0, Ptr::Null, k0, 0, {}},
  {"SetSampleRate", effSetSampleRate, 0, 0, Ptr::Null, 48000.0f, 0, {"setSampleRate(48000)"}},
  {"SetBlockSize", effSetBlockSize, 0, 512, Ptr::Null, k0, 0, {"setBlockSize(512)"}},
  {"MainsOff", effMainsChanged, 0, 0, Ptr::Null, k0, 0, {"suspend"}},
  {"MainsOn", effMainsChanged, 0, 1, Ptr::Null, k0, 0, {"resume"}},
  {"MainsOnAnyNonZero", effMainsChanged, 0, -7, Ptr::Null, k0, 0, {"resume"}},
  {"EditGetRect", effEditGetRect, 0, 0, Ptr::A, k0, 1, {"editor.getRect(A)"}},
  {"EditGetRectNoAddress", effEditGetRect, 0, 0, Ptr::Null, k0, 0, {}},
  {"EditOpen", effEditOpen, 0, 0, Ptr::A, k0, 1, {"editor.open(A)"}},
  {"EditClose", effEditClose, 0, 0, Ptr::Null, k0, 0, {"editor.close"}},
  {"EditDraw", effEditDraw, 0, 0, Ptr::A, k0, 0, {}},
  {"EditMouse", effEditMouse, 0, 0, Ptr::Null, k0, 0, {}},
  {"EditKey", effEditKey, 0, 0, Ptr::Null, k0, 0, {}},
  {"EditIdle", effEditIdle, 0, 0, Ptr::Null, k0, 0, {"editor.idle"}},
  {"EditTop", effEditTop, 0, 0, Ptr::Null, k0, 0, {}},
  {"EditSleep", effEditSleep, 0, 0, Ptr::Null, k0, 0, {}},
  {"Identify", effIdentify, 0, 0, Ptr::Null, k0, 0x4E764566, {}},
  {"GetChunkBank", effGetChunk, 0, 0, Ptr::A, k0, 33, {"getChunk(A,false)"}},
  {"GetChunkProgram", effGetChunk, 1, 0, Ptr::A, k0, 33, {"getChunk(A,true)"}},
  {"GetChunkNoAddress", effGetChunk, 1, 0, Ptr::Null, k0, 0, {}},
  {"SetChunk", effSetChunk, 0, 100, Ptr::A, k0, 44, {"setChunk(A,100,false)"}},
  {"SetChunkProgram", effSetChunk, 3, 100, Ptr::A, k0, 44, {"setChunk(A,100,true)"}},
  {"MinusOne", -1, 0, 0, Ptr::A, k0, 0, {}},
  {"MostNegative", INT32_MIN, 0, 0, Ptr::A, k0, 0, {}},
};

const DispatchCase kExtendedCases[] = {
  {"ProcessEvents", effProcessEvents, 0, 0, Ptr::A, k0, RecordingEffect::kIntAnswer, {"processEvents(A)"}},
  {"CanBeAutomated", effCanBeAutomated, 3, 0, Ptr::Null, k0, 1, {"canBeAutomated(3)"}},
  {"String2Parameter", effString2Parameter, 1, 0, Ptr::A, k0, 1, {"string2Parameter(1,A)"}},
  {"String2ParameterNoText", effString2Parameter, 1, 0, Ptr::Null, k0, 0, {}},
  {"GetProgramNameIndexed", effGetProgramNameIndexed, 5, 2, Ptr::A, k0, 1, {"getProgramNameIndexed(2,5,A)"}},
  {"GetProgramNameIndexedNoBuffer", effGetProgramNameIndexed, 5, 2, Ptr::Null, k0, 0, {}},
  {"GetInputProperties", effGetInputProperties, 1, 0, Ptr::A, k0, 1, {"getInputProperties(1,A)"}},
  {"GetOutputProperties", effGetOutputProperties, 1, 0, Ptr::A, k0, 1, {"getOutputProperties(1,A)"}},
  {"GetPlugCategory", effGetPlugCategory, 0, 0, Ptr::Null, k0, kPlugCategRoomFx, {"getPlugCategory"}},
  {"OfflineNotifyStart", effOfflineNotify, 1, 3, Ptr::A, k0, 1, {"offlineNotify(A,3,true)"}},
  {"OfflineNotifyEnd", effOfflineNotify, 0, 3, Ptr::A, k0, 1, {"offlineNotify(A,3,false)"}},
  {"OfflinePrepare", effOfflinePrepare, 0, 4, Ptr::A, k0, 1, {"offlinePrepare(A,4)"}},
  {"OfflineRun", effOfflineRun, 0, 4, Ptr::A, k0, 1, {"offlineRun(A,4)"}},
  {"ProcessVarIo", effProcessVarIo, 0, 0, Ptr::A, k0, 1, {"processVarIo(A)"}},
  {"SetSpeakerArrangement", effSetSpeakerArrangement, 0, kValueB, Ptr::A, k0, 1, {"setSpeakerArrangement(B,A)"}},
  {"SetBypassOn", effSetBypass, 0, 1, Ptr::Null, k0, 1, {"setBypass(true)"}},
  {"SetBypassOff", effSetBypass, 0, 0, Ptr::Null, k0, 1, {"setBypass(false)"}},
  {"GetEffectName", effGetEffectName, 0, 0, Ptr::A, k0, 1, {"getEffectName(A)"}},
  {"GetEffectNameNoBuffer", effGetEffectName, 0, 0, Ptr::Null, k0, 0, {}},
  {"GetVendorString", effGetVendorString, 0, 0, Ptr::A, k0, 1, {"getVendorString(A)"}},
  {"GetVendorStringNoBuffer", effGetVendorString, 0, 0, Ptr::Null, k0, 0, {}},
  {"GetProductString", effGetProductString, 0, 0, Ptr::A, k0, 1, {"getProductString(A)"}},
  {"GetProductStringNoBuffer", effGetProductString, 0, 0, Ptr::Null, k0, 0, {}},
  {"GetVendorVersion", effGetVendorVersion, 0, 0, Ptr::Null, k0, RecordingEffect::kIntAnswer, {"getVendorVersion"}},
  {"VendorSpecificWheel", effVendorSpecific, 0x73744341, 0x57686565, Ptr::A, 1.5f, RecordingEffect::kWideAnswer, {"vendorSpecific(1936999233,1466459493,A,1.5)"}},
  {"CanDoFullAnswer", effCanDo, 0, 0, Ptr::A, k0, -1, {"canDo(bypass)"}},
  {"CanDoNoText", effCanDo, 0, 0, Ptr::Null, k0, 0, {}},
  {"GetTailSize", effGetTailSize, 0, 0, Ptr::Null, k0, RecordingEffect::kIntAnswer, {"getTailSize"}},
  {"GetParameterProperties", effGetParameterProperties, 1, 0, Ptr::A, k0, 1, {"getParameterProperties(1,A)"}},
  {"GetVstVersion", effGetVstVersion, 0, 0, Ptr::Null, k0, RecordingEffect::kIntAnswer, {"getVstVersion"}},
  {"EditKeyDown", effEditKeyDown, 65, 0, Ptr::Null, k0, 1, {"editor.onKeyDown(65,0,0)"}},
  {"EditKeyDownVirtualAndModifier", effEditKeyDown, 0, 0x10B, Ptr::Null, 3.7f, 1, {"editor.onKeyDown(0,11,3)"}},
  {"EditKeyUp", effEditKeyUp, 0, VKEY_TAB, Ptr::Null, 1.0f, 1, {"editor.onKeyUp(0,2,1)"}},
  {"SetEditKnobMode", effSetEditKnobMode, 0, 2, Ptr::Null, k0, 1, {"editor.setKnobMode(2)"}},
  {"GetMidiProgramName", effGetMidiProgramName, 3, 0, Ptr::A, k0, RecordingEffect::kIntAnswer, {"getMidiProgramName(3,A)"}},
  {"GetCurrentMidiProgram", effGetCurrentMidiProgram, 3, 0, Ptr::A, k0, RecordingEffect::kIntAnswer, {"getCurrentMidiProgram(3,A)"}},
  {"GetMidiProgramCategory", effGetMidiProgramCategory, 3, 0, Ptr::A, k0, RecordingEffect::kIntAnswer, {"getMidiProgramCategory(3,A)"}},
  {"HasMidiProgramsChanged", effHasMidiProgramsChanged, 2, 0, Ptr::Null, k0, 1, {"hasMidiProgramsChanged(2)"}},
  {"GetMidiKeyName", effGetMidiKeyName, 2, 0, Ptr::A, k0, 1, {"getMidiKeyName(2,A)"}},
  {"BeginSetProgram", effBeginSetProgram, 0, 0, Ptr::Null, k0, 1, {"beginSetProgram"}},
  {"EndSetProgram", effEndSetProgram, 0, 0, Ptr::Null, k0, 1, {"endSetProgram"}},
  {"GetSpeakerArrangement", effGetSpeakerArrangement, 0, kValueB, Ptr::A, k0, 1, {"getSpeakerArrangement(B,A)"}},
  {"ShellGetNextPlugin", effShellGetNextPlugin, 0, 0, Ptr::A, k0, RecordingEffect::kIntAnswer, {"shellGetNextPlugin(A)"}},
  {"ShellGetNextPluginNoBuffer", effShellGetNextPlugin, 0, 0, Ptr::Null, k0, 0, {}},
  {"StartProcess", effStartProcess, 0, 0, Ptr::Null, k0, RecordingEffect::kIntAnswer, {"startProcess"}},
  {"StopProcess", effStopProcess, 0, 0, Ptr::Null, k0, RecordingEffect::kIntAnswer, {"stopProcess"}},
  {"SetTotalSampleToProcess", effSetTotalSampleToProcess, 0, 4096, Ptr::Null, k0, RecordingEffect::kIntAnswer, {"setTotalSampleToProcess(4096)"}},
  {"SetPanLaw", effSetPanLaw, 0, kEqualPowerPanLaw, Ptr::Null, 0.5f, 1, {"setPanLaw(1,0.5)"}},
  {"BeginLoadBank", effBeginLoadBank, 0, 0, Ptr::A, k0, RecordingEffect::kIntAnswer, {"beginLoadBank(A)"}},
  {"BeginLoadProgram", effBeginLoadProgram, 0, 0, Ptr::A, k0, RecordingEffect::kIntAnswer, {"beginLoadProgram(A)"}},
  {"SetProcessPrecision", effSetProcessPrecision, 0, kVstProcessPrecision64, Ptr::Null, k0, 1, {"setProcessPrecision(1)"}},
  {"GetNumMidiInputChannels", effGetNumMidiInputChannels, 0, 0, Ptr::Null, k0, RecordingEffect::kIntAnswer, {"getNumMidiInputChannels"}},
  {"GetNumMidiOutputChannels", effGetNumMidiOutputChannels, 0, 0, Ptr::Null, k0, RecordingEffect::kIntAnswer, {"getNumMidiOutputChannels"}},
  // Retired opcodes inside the extended range go to the basic dispatcher, which answers 0.
  {"GetNumProgramCategories", effGetNumProgramCategories, 0, 0, Ptr::A, k0, 0, {}},
  {"CopyProgram", effCopyProgram, 1, 0, Ptr::Null, k0, 0, {}},
  {"ConnectInput", effConnectInput, 0, 1, Ptr::Null, k0, 0, {}},
  {"ConnectOutput", effConnectOutput, 0, 1, Ptr::Null, k0, 0, {}},
  {"GetCurrentPosition", effGetCurrentPosition, 0, 0, Ptr::Null, k0, 0, {}},
  {"GetDestinationBuffer", effGetDestinationBuffer, 0, 0, Ptr::Null, k0, 0, {}},
  {"SetBlockSizeAndSampleRate", effSetBlockSizeAndSampleRate, 0, 512, Ptr::Null, 48000.0f, 0, {}},
  {"GetErrorText", effGetErrorText, 0, 0, Ptr::A, k0, 0, {}},
  {"Idle", effIdle, 0, 0, Ptr::Null, k0, 0, {}},
  {"GetIcon", effGetIcon, 0, 0, Ptr::Null, k0, 0, {}},
  {"SetViewPosition", effSetViewPosition, 10, 20, Ptr::Null, k0, 0, {}},
  {"KeysRequired", effKeysRequired, 0, 0, Ptr::Null, k0, 0, {}},
  // Past the end.
  {"Opcode80", 80, 0, 0, Ptr::A, k0, 0, {}},
  {"MostPositive", INT32_MAX, 0, 0, Ptr::A, k0, 0, {}},
};
// clang-format on

std::string caseName(const ::testing::TestParamInfo<DispatchCase>& info) { return info.param.name; }

INSTANTIATE_TEST_SUITE_P(Core, DispatchTest, ::testing::ValuesIn(kCoreCases), caseName);
INSTANTIATE_TEST_SUITE_P(Extended, DispatchTest, ::testing::ValuesIn(kExtendedCases), caseName);

// Without an editor every editor request answers 0 and reaches nothing.
class NoEditorTest : public ::testing::TestWithParam<DispatchCase> {};

TEST_P(NoEditorTest, AnswersZeroAndCallsNothing) {
  const DispatchCase& c = GetParam();
  gJournal.clear();
  RecordingEffect effect(nullptr);
  ASSERT_EQ(effect.getEditor(), nullptr);
  EXPECT_EQ(dispatchThroughRecord(effect, c), 0);
  EXPECT_EQ(gJournal, Journal{});
  gJournal.clear();
}

// clang-format off
const DispatchCase kEditorCases[] = {
  {"EditGetRect", effEditGetRect, 0, 0, Ptr::A, k0, 0, {}},
  {"EditOpen", effEditOpen, 0, 0, Ptr::A, k0, 0, {}},
  {"EditClose", effEditClose, 0, 0, Ptr::Null, k0, 0, {}},
  {"EditIdle", effEditIdle, 0, 0, Ptr::Null, k0, 0, {}},
  {"EditKeyDown", effEditKeyDown, 65, 0, Ptr::Null, k0, 0, {}},
  {"EditKeyUp", effEditKeyUp, 65, 0, Ptr::Null, k0, 0, {}},
  {"SetEditKnobMode", effSetEditKnobMode, 0, 2, Ptr::Null, k0, 0, {}},
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(Editor, NoEditorTest, ::testing::ValuesIn(kEditorCases), caseName);

// The defaults an effect gets for every request it does not take over.
struct DefaultCase {
  const char* name;
  VstInt32 opcode;
  VstInt32 index;
  VstIntPtr value;
  VstIntPtr result;
};

void PrintTo(const DefaultCase& c, std::ostream* os) { *os << c.name; }

class DefaultAnswerTest : public ::testing::TestWithParam<DefaultCase> {};

TEST_P(DefaultAnswerTest, AnswersTheDefaultAndLeavesTheBufferAlone) {
  const DefaultCase& c = GetParam();
  PlainEffect effect(nullptr);
  std::strcpy(gBufferA, "bypass");
  AEffect* record = effect.getEffectRecord();
  EXPECT_EQ(record->dispatcher(record, c.opcode, c.index, c.value, gBufferA, 0.0f), c.result);
  EXPECT_STREQ(gBufferA, "bypass");
  EXPECT_EQ(effect.getProgram(), 0);
}

// clang-format off
const DefaultCase kDefaultCases[] = {
  {"GetProgram", effGetProgram, 0, 0, 0},
  {"GetVu", effGetVu, 0, 0, 0},
  {"Identify", effIdentify, 0, 0, 0x4E764566},
  {"GetChunk", effGetChunk, 0, 0, 0},
  {"SetChunk", effSetChunk, 0, 6, 0},
  {"ProcessEvents", effProcessEvents, 0, 0, 0},
  {"CanBeAutomated0", effCanBeAutomated, 0, 0, 1},
  {"CanBeAutomated1", effCanBeAutomated, 1, 0, 1},
  {"CanBeAutomated99", effCanBeAutomated, 99, 0, 1},
  {"String2Parameter", effString2Parameter, 0, 0, 0},
  {"GetProgramNameIndexed", effGetProgramNameIndexed, 0, 0, 0},
  {"GetInputProperties", effGetInputProperties, 0, 0, 0},
  {"GetOutputProperties", effGetOutputProperties, 0, 0, 0},
  {"GetPlugCategory", effGetPlugCategory, 0, 0, kPlugCategUnknown},
  {"OfflineNotify", effOfflineNotify, 1, 1, 0},
  {"OfflinePrepare", effOfflinePrepare, 0, 1, 0},
  {"OfflineRun", effOfflineRun, 0, 1, 0},
  {"ProcessVarIo", effProcessVarIo, 0, 0, 0},
  {"SetBypass", effSetBypass, 0, 1, 0},
  {"GetEffectName", effGetEffectName, 0, 0, 0},
  {"GetVendorString", effGetVendorString, 0, 0, 0},
  {"GetProductString", effGetProductString, 0, 0, 0},
  {"GetVendorVersion", effGetVendorVersion, 0, 0, 0},
  {"VendorSpecific", effVendorSpecific, 0x73744341, 0x57686565, 0},
  {"CanDoBypass", effCanDo, 0, 0, 0},
  {"GetTailSize", effGetTailSize, 0, 0, 0},
  {"GetParameterProperties", effGetParameterProperties, 0, 0, 0},
  {"GetVstVersion", effGetVstVersion, 0, 0, 2400},
  {"GetMidiProgramName", effGetMidiProgramName, 0, 0, 0},
  {"GetCurrentMidiProgram", effGetCurrentMidiProgram, 0, 0, -1},
  {"GetMidiProgramCategory", effGetMidiProgramCategory, 0, 0, 0},
  {"HasMidiProgramsChanged", effHasMidiProgramsChanged, 0, 0, 0},
  {"GetMidiKeyName", effGetMidiKeyName, 0, 0, 0},
  {"BeginSetProgram", effBeginSetProgram, 0, 0, 0},
  {"EndSetProgram", effEndSetProgram, 0, 0, 0},
  {"ShellGetNextPlugin", effShellGetNextPlugin, 0, 0, 0},
  {"StartProcess", effStartProcess, 0, 0, 0},
  {"StopProcess", effStopProcess, 0, 0, 0},
  {"SetTotalSampleToProcess", effSetTotalSampleToProcess, 0, 4096, 4096},
  {"SetPanLaw", effSetPanLaw, 0, 1, 0},
  {"BeginLoadBank", effBeginLoadBank, 0, 0, 0},
  {"BeginLoadProgram", effBeginLoadProgram, 0, 0, 0},
  {"SetProcessPrecision32", effSetProcessPrecision, 0, 0, 0},
  {"SetProcessPrecision64", effSetProcessPrecision, 0, 1, 0},
  {"GetNumMidiInputChannels", effGetNumMidiInputChannels, 0, 0, 0},
  {"GetNumMidiOutputChannels", effGetNumMidiOutputChannels, 0, 0, 0},
  {"Opcode46", effGetErrorText, 0, 0, 0},
  {"Opcode80", 80, 0, 0, 0},
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(PlainEffect, DefaultAnswerTest, ::testing::ValuesIn(kDefaultCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(DefaultOperations, TextRequestsWriteTheEmptyText) {
  PlainEffect effect(nullptr);
  AEffect* record = effect.getEffectRecord();
  for (VstInt32 opcode : {effGetProgramName, effGetParamLabel, effGetParamDisplay,
                          effGetParamName}) {
    SCOPED_TRACE(opcode);
    std::strcpy(gBufferA, "leftover");
    EXPECT_EQ(record->dispatcher(record, opcode, 0, 0, gBufferA, 0.0f), 0);
    EXPECT_STREQ(gBufferA, "");
  }
}

TEST(DefaultOperations, ProgramChangesStayInsideTheBank) {
  PlainEffect effect(nullptr);
  AEffect* record = effect.getEffectRecord();
  record->dispatcher(record, effSetProgram, 0, 15, nullptr, 0.0f);
  EXPECT_EQ(record->dispatcher(record, effGetProgram, 0, 0, nullptr, 0.0f), 15);
  record->dispatcher(record, effSetProgram, 0, 16, nullptr, 0.0f);
  record->dispatcher(record, effSetProgram, 0, -1, nullptr, 0.0f);
  EXPECT_EQ(effect.getProgram(), 15);
  // The operation itself does not check: only requests from the host are checked.
  effect.setProgram(40);
  EXPECT_EQ(effect.getProgram(), 40);
}

TEST(DefaultOperations, RateAndBlockSizeRequestsAreStored) {
  PlainEffect effect(nullptr);
  EXPECT_EQ(effect.getSampleRate(), 44100.0f);
  EXPECT_EQ(effect.getBlockSize(), 1024);
  AEffect* record = effect.getEffectRecord();
  record->dispatcher(record, effSetSampleRate, 0, 0, nullptr, 96000.0f);
  record->dispatcher(record, effSetBlockSize, 0, 64, nullptr, 0.0f);
  EXPECT_EQ(effect.getSampleRate(), 96000.0f);
  EXPECT_EQ(effect.getBlockSize(), 64);
  effect.setBlockSizeAndSampleRate(128, 22050.0f);
  EXPECT_EQ(effect.getSampleRate(), 22050.0f);
  EXPECT_EQ(effect.getBlockSize(), 128);
}

TEST(DefaultOperations, GetSpeakerArrangementStoresNullInBothAddresses) {
  PlainEffect effect(nullptr);
  AEffect* record = effect.getEffectRecord();
  VstSpeakerArrangement dummy{};
  VstSpeakerArrangement* input = &dummy;
  VstSpeakerArrangement* output = &dummy;
  EXPECT_EQ(record->dispatcher(record, effGetSpeakerArrangement, 0,
                               reinterpret_cast<VstIntPtr>(&input), &output, 0.0f),
            0);
  EXPECT_EQ(input, nullptr);
  EXPECT_EQ(output, nullptr);
  // A host that passes no addresses gets the same answer and nothing written.
  EXPECT_EQ(record->dispatcher(record, effGetSpeakerArrangement, 0, 0, nullptr, 0.0f), 0);
}

TEST(DefaultOperations, SynthsReportTheSynthCategory) {
  PlainEffect effect(nullptr);
  AEffect* record = effect.getEffectRecord();
  effect.setIsSynth(true);
  EXPECT_EQ(record->dispatcher(record, effGetPlugCategory, 0, 0, nullptr, 0.0f), kPlugCategSynth);
  effect.setIsSynth(false);
  EXPECT_EQ(record->dispatcher(record, effGetPlugCategory, 0, 0, nullptr, 0.0f),
            kPlugCategUnknown);
}

// The basic dispatcher alone knows nothing of the extended set.
class BasicOnlyEffect : public AudioEffect {
public:
  BasicOnlyEffect() : AudioEffect(nullptr, 1, 1) {}
  void processReplacing(float**, float**, VstInt32) override {}
};

TEST(BasicDispatcher, AnswersZeroToEveryExtendedOpcode) {
  BasicOnlyEffect effect;
  AEffect* record = effect.getEffectRecord();
  std::strcpy(gBufferA, "bypass");
  for (VstInt32 opcode = effNumOpcodes; opcode <= 80; ++opcode) {
    SCOPED_TRACE(opcode);
    EXPECT_EQ(record->dispatcher(record, opcode, 1, 4096, gBufferA, 1.0f), 0);
  }
  EXPECT_STREQ(gBufferA, "bypass");
}

}  // namespace
}  // namespace shelltest
