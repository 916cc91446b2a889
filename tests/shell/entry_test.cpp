// The exported entry and the record it hands out: the version question, the factory, the record's
// values and entries, and the end of an effect through effClose.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "shell/module_instance.h"
#include "shell_test_support.h"

extern "C" AEffect* VSTCALLBACK VSTPluginMain(audioMasterCallback audioMaster);

namespace shelltest {

// What this binary's factory does; the entry is its only caller.
int gFactoryCalls = 0;
bool gFactoryMakesNothing = false;
bool gFactoryAttachesEditor = true;

}  // namespace shelltest

AudioEffect* createEffect(audioMasterCallback audioMaster) {
  using namespace shelltest;
  ++gFactoryCalls;
  if (gFactoryMakesNothing) return nullptr;
  auto* effect = new RecordingEffect(audioMaster);
  if (gFactoryAttachesEditor) new RecordingEditor(effect);
  return effect;
}

namespace shelltest {
namespace {

class EntryTest : public ::testing::Test {
protected:
  void SetUp() override {
    gFactoryCalls = 0;
    gFactoryMakesNothing = false;
    gFactoryAttachesEditor = true;
    gJournal.clear();
  }
  void TearDown() override { gJournal.clear(); }

  static void closeEffect(AEffect* record) {
    record->dispatcher(record, effClose, 0, 0, nullptr, 0.0f);
  }

  RecordingHost host;
};

TEST_F(EntryTest, AsksTheHostVersionFirstWithoutARecord) {
  AEffect* record = VSTPluginMain(&RecordingHost::callback);
  ASSERT_NE(record, nullptr);
  ASSERT_EQ(host.calls.size(), 1u);
  EXPECT_EQ(host.calls[0].effect, nullptr);
  EXPECT_EQ(host.calls[0].opcode, audioMasterVersion);
  EXPECT_EQ(host.calls[0].index, 0);
  EXPECT_EQ(host.calls[0].value, 0);
  EXPECT_EQ(host.calls[0].ptr, nullptr);
  EXPECT_EQ(host.calls[0].opt, 0.0f);
  EXPECT_EQ(gFactoryCalls, 1);
  closeEffect(record);
}

TEST_F(EntryTest, HostVersionZeroGivesNullAndMakesNothing) {
  host.versionAnswer = 0;
  EXPECT_EQ(VSTPluginMain(&RecordingHost::callback), nullptr);
  EXPECT_EQ(gFactoryCalls, 0);
}

TEST_F(EntryTest, NoCallbackGivesNullAndMakesNothing) {
  EXPECT_EQ(VSTPluginMain(nullptr), nullptr);
  EXPECT_EQ(gFactoryCalls, 0);
}

TEST_F(EntryTest, FactoryMakingNothingGivesNull) {
  gFactoryMakesNothing = true;
  EXPECT_EQ(VSTPluginMain(&RecordingHost::callback), nullptr);
  EXPECT_EQ(gFactoryCalls, 1);
}

TEST_F(EntryTest, RecordCarriesTheMagicAndPointsBackAtItsObject) {
  AEffect* record = VSTPluginMain(&RecordingHost::callback);
  ASSERT_NE(record, nullptr);
  unsigned char bytes[4];
  std::memcpy(bytes, record, 4);
  EXPECT_EQ(bytes[0], 0x50);
  EXPECT_EQ(bytes[1], 0x74);
  EXPECT_EQ(bytes[2], 0x73);
  EXPECT_EQ(bytes[3], 0x56);
  auto* effect = static_cast<AudioEffect*>(record->object);
  ASSERT_NE(effect, nullptr);
  EXPECT_EQ(effect->getEffectRecord(), record);
  // The record lies inside its object.
  const auto object = reinterpret_cast<std::uintptr_t>(effect);
  const auto at = reinterpret_cast<std::uintptr_t>(record);
  EXPECT_GT(at, object);
  EXPECT_LE(at + sizeof(AEffect), object + sizeof(RecordingEffect));
  closeEffect(record);
}

TEST_F(EntryTest, EveryCallMakesAnIndependentEffect) {
  AEffect* first = VSTPluginMain(&RecordingHost::callback);
  AEffect* second = VSTPluginMain(&RecordingHost::callback);
  ASSERT_NE(first, nullptr);
  ASSERT_NE(second, nullptr);
  EXPECT_NE(first, second);
  EXPECT_NE(first->object, second->object);
  EXPECT_EQ(gFactoryCalls, 2);
  gJournal.clear();  // the version questions
  first->dispatcher(first, effSetProgram, 0, 3, nullptr, 0.0f);
  EXPECT_EQ(gJournal, std::vector<std::string>{"setProgram(3)"});
  closeEffect(first);
  gJournal.clear();
  // The second lives on after the first is gone.
  EXPECT_EQ(second->dispatcher(second, effIdentify, 0, 0, nullptr, 0.0f), 0x4E764566);
  closeEffect(second);
}

TEST_F(EntryTest, CloseRunsCloseThenDestroysEffectAndEditor) {
  AEffect* record = VSTPluginMain(&RecordingHost::callback);
  ASSERT_NE(record, nullptr);
  gJournal.clear();  // the version question
  EXPECT_EQ(record->dispatcher(record, effClose, 0, 0, nullptr, 0.0f), 1);
  EXPECT_EQ(gJournal, (std::vector<std::string>{"close", "~effect", "~editor"}));
}

TEST_F(EntryTest, CloseWithoutAnEditorDestroysTheEffect) {
  gFactoryAttachesEditor = false;
  AEffect* record = VSTPluginMain(&RecordingHost::callback);
  ASSERT_NE(record, nullptr);
  gJournal.clear();  // the version question
  EXPECT_EQ(record->dispatcher(record, effClose, 0, 0, nullptr, 0.0f), 1);
  EXPECT_EQ(gJournal, (std::vector<std::string>{"close", "~effect"}));
}

TEST_F(EntryTest, RecordEntriesReachTheObject) {
  AEffect* record = VSTPluginMain(&RecordingHost::callback);
  ASSERT_NE(record, nullptr);
  gJournal.clear();  // the version question
  auto* inputs = reinterpret_cast<float**>(gBufferA);
  auto* outputs = reinterpret_cast<float**>(gBufferB);
  record->setParameter(record, 1, 0.5f);
  EXPECT_EQ(record->getParameter(record, 1), 0.75f);
  record->process(record, inputs, outputs, 32);
  record->processReplacing(record, inputs, outputs, 64);
  record->processDoubleReplacing(record, reinterpret_cast<double**>(gBufferA),
                                 reinterpret_cast<double**>(gBufferB), 0);
  EXPECT_EQ(gJournal, (std::vector<std::string>{
                          "setParameter(1,0.5)", "getParameter(1)", "process(A,B,32)",
                          "processReplacing(A,B,64)", "processDoubleReplacing(A,B,0)"}));
  closeEffect(record);
}

// A record the host made up or already closed has no owner; its entries do nothing.
TEST(RecordEntries, RecordWithoutOwnerIsIgnored) {
  PlainEffect effect(nullptr);
  AEffect orphan = *effect.getEffectRecord();
  orphan.object = nullptr;
  EXPECT_EQ(orphan.dispatcher(&orphan, effClose, 0, 0, nullptr, 0.0f), 0);
  EXPECT_EQ(orphan.dispatcher(&orphan, effIdentify, 0, 0, nullptr, 0.0f), 0);
  EXPECT_EQ(orphan.getParameter(&orphan, 0), 0.0f);
  orphan.setParameter(&orphan, 0, 1.0f);
  orphan.processReplacing(&orphan, nullptr, nullptr, 16);
  EXPECT_EQ(orphan.dispatcher(nullptr, effIdentify, 0, 0, nullptr, 0.0f), 0);
}

TEST(RecordEntries, AccumulatingProcessLeavesTheOutputsAlone) {
  PlainEffect effect(nullptr);
  float in[2][4] = {{1, 2, 3, 4}, {5, 6, 7, 8}};
  float out[2][4] = {{9, 9, 9, 9}, {9, 9, 9, 9}};
  float* inputs[2] = {in[0], in[1]};
  float* outputs[2] = {out[0], out[1]};
  AEffect* record = effect.getEffectRecord();
  record->process(record, inputs, outputs, 4);
  record->processDoubleReplacing(record, nullptr, nullptr, 4);  // the default does nothing
  for (auto& channel : out)
    for (float sample : channel) EXPECT_EQ(sample, 9.0f);
}

TEST(Record, ConstructorFillsTheRecord) {
  PlainEffect effect(nullptr, 16, 2);
  const AEffect& r = *effect.getEffectRecord();
  EXPECT_EQ(r.magic, 0x56737450);
  EXPECT_NE(r.dispatcher, nullptr);
  EXPECT_NE(r.process, nullptr);
  EXPECT_NE(r.setParameter, nullptr);
  EXPECT_NE(r.getParameter, nullptr);
  EXPECT_NE(r.processReplacing, nullptr);
  EXPECT_NE(r.processDoubleReplacing, nullptr);
  EXPECT_EQ(r.numPrograms, 16);
  EXPECT_EQ(r.numParams, 2);
  EXPECT_EQ(r.numInputs, 1);
  EXPECT_EQ(r.numOutputs, 2);
  EXPECT_EQ(r.flags, effFlagsCanReplacing);
  EXPECT_EQ(r.resvd1, 0);
  EXPECT_EQ(r.resvd2, 0);
  EXPECT_EQ(r.initialDelay, 0);
  EXPECT_EQ(r.realQualities, 0);
  EXPECT_EQ(r.offQualities, 0);
  std::uint32_t ratioBits;
  std::memcpy(&ratioBits, &r.ioRatio, 4);
  EXPECT_EQ(ratioBits, 0x3F800000u);
  EXPECT_EQ(r.object, static_cast<AudioEffect*>(&effect));
  EXPECT_EQ(r.user, nullptr);
  EXPECT_EQ(r.uniqueID, 0x4E6F4566);
  EXPECT_EQ(r.version, 1);
  for (char byte : r.future) EXPECT_EQ(byte, 0);
  EXPECT_EQ(effect.getEditor(), nullptr);
  EXPECT_EQ(effect.getProgram(), 0);
}

TEST(Record, SettersStoreIntoTheRecord) {
  PlainEffect effect(nullptr);
  effect.setUniqueId(static_cast<VstInt32>(0xFF222002u));
  effect.setNumInputs(2);
  effect.setNumOutputs(6);
  effect.setInitialDelay(128);
  effect.setRealtimeQualities(3);
  effect.setOfflineQualities(4);
  const AEffect& r = *effect.getEffectRecord();
  EXPECT_EQ(static_cast<std::uint32_t>(r.uniqueID), 0xFF222002u);
  EXPECT_EQ(r.numInputs, 2);
  EXPECT_EQ(r.numOutputs, 6);
  EXPECT_EQ(r.initialDelay, 128);
  EXPECT_EQ(r.realQualities, 3);
  EXPECT_EQ(r.offQualities, 4);
}

// Each flag setter sets and clears its own bit and no other.
TEST(Record, FlagSettersChangeOnlyTheirBit) {
  struct Setter {
    const char* name;
    void (*set)(AudioEffectX&, bool);
    VstInt32 flag;
  };
  const Setter setters[] = {
      {"HasClip", [](AudioEffectX& e, bool s) { e.setHasClip(s); }, effFlagsHasClip},
      {"HasVu", [](AudioEffectX& e, bool s) { e.setHasVu(s); }, effFlagsHasVu},
      {"CanMono", [](AudioEffectX& e, bool s) { e.setCanMono(s); }, effFlagsCanMono},
      {"CanReplacing", [](AudioEffectX& e, bool s) { e.setCanReplacing(s); }, effFlagsCanReplacing},
      {"ProgramChunks", [](AudioEffectX& e, bool s) { e.setProgramChunks(s); },
       effFlagsProgramChunks},
      {"IsSynth", [](AudioEffectX& e, bool s) { e.setIsSynth(s); }, effFlagsIsSynth},
      {"NoSoundInStop", [](AudioEffectX& e, bool s) { e.setNoSoundInStop(s); },
       effFlagsNoSoundInStop},
      {"ExtIsAsync", [](AudioEffectX& e, bool s) { e.setExtIsAsync(s); }, effFlagsExtIsAsync},
      {"ExtHasBuffer", [](AudioEffectX& e, bool s) { e.setExtHasBuffer(s); },
       effFlagsExtHasBuffer},
      {"CanDoubleReplacing", [](AudioEffectX& e, bool s) { e.setCanDoubleReplacing(s); },
       effFlagsCanDoubleReplacing},
  };
  for (const Setter& setter : setters) {
    SCOPED_TRACE(setter.name);
    for (VstInt32 start : {0, ~0}) {
      PlainEffect effect(nullptr);
      AEffect& r = *effect.getEffectRecord();
      r.flags = start;
      setter.set(effect, true);
      EXPECT_EQ(r.flags, start | setter.flag);
      setter.set(effect, false);
      EXPECT_EQ(r.flags, start & ~setter.flag);
    }
  }
}

TEST(Record, SetEditorKeepsTheEditorFlagInStep) {
  PlainEffect effect(nullptr);
  AEffect& r = *effect.getEffectRecord();
  auto* editor = new RecordingEditor(&effect);
  EXPECT_EQ(effect.getEditor(), editor);
  EXPECT_EQ(r.flags, effFlagsCanReplacing | effFlagsHasEditor);
  effect.setEditor(nullptr);
  EXPECT_EQ(r.flags, effFlagsCanReplacing);
  effect.setEditor(editor);
  EXPECT_EQ(r.flags & effFlagsHasEditor, effFlagsHasEditor);
}

TEST(Record, SpareQueriesGiveTheirFixedAnswers) {
  PlainEffect effect(nullptr);
  EXPECT_EQ(effect.spareFloatQuery(), 0.0f);
  EXPECT_EQ(effect.spareQuery1(), 0);
  EXPECT_EQ(effect.spareQuery2(), 0);
  EXPECT_EQ(effect.spareQuery3(), 1);
  EXPECT_EQ(effect.spareQuery4(5), 0);
  EXPECT_EQ(effect.spareQuery5(), 0);
  EXPECT_EQ(effect.spareQuery6(), 0);
  EXPECT_EQ(effect.spareQuery7(5), 0);
  EXPECT_EQ(effect.spareQuery8(), 0);
  EXPECT_EQ(effect.spareQuery9(5, 6), 0);
  EXPECT_EQ(effect.spareQuery10(), 0);
  EXPECT_EQ(effect.spareQuery11(), 0);
}

}  // namespace
}  // namespace shelltest
