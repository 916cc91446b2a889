// Loads each built plug-in binary as a host would and drives it through the effect record only:
// the exports, the record's values, names, a parameter and a delayed block, and effClose.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "library_loader.h"
#include "shell/aeffect.h"

namespace {

using PluginEntry = AEffect*(VSTCALLBACK*)(audioMasterCallback);

struct PluginCase {
  const char* name;
  const char* path;
  std::uint32_t uniqueID;
};

const PluginCase kPlugins[] = {
    {"Lunivex", QLN_LUNIVEX_PATH, 0xFF222002u},
    {"Dravimo", QLN_DRAVIMO_PATH, 0xFF222001u},
};

// The host side: answers the version question, counts every call.
VstIntPtr versionAnswer = 2400;
int hostCalls = 0;

VstIntPtr VSTCALLBACK host(AEffect*, VstInt32 opcode, VstInt32, VstIntPtr, void*, float) {
  ++hostCalls;
  return opcode == audioMasterVersion ? versionAnswer : 0;
}

class PluginLoadTest : public ::testing::TestWithParam<PluginCase> {
protected:
  void SetUp() override {
    library = openLibrary(GetParam().path);
    ASSERT_NE(library, nullptr) << GetParam().path << ": " << loaderError();
    entry = reinterpret_cast<PluginEntry>(findSymbol(library, "VSTPluginMain"));
    ASSERT_NE(entry, nullptr);
    versionAnswer = 2400;
    hostCalls = 0;
  }
  void TearDown() override {
    if (library != nullptr) closeLibrary(library);
  }

  static VstIntPtr dispatch(AEffect* e, VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0,
                            void* ptr = nullptr, float opt = 0.0f) {
    return e->dispatcher(e, opcode, index, value, ptr, opt);
  }

  void* library = nullptr;
  PluginEntry entry = nullptr;
};

TEST_P(PluginLoadTest, ExportsTheEntryUnderBothNamesOnly) {
  EXPECT_EQ(findSymbol(library, "main"), reinterpret_cast<void*>(entry));
  EXPECT_EQ(findSymbol(library, "createEffect"), nullptr);
}

TEST_P(PluginLoadTest, HostAnsweringVersionZeroGetsNothing) {
  versionAnswer = 0;
  EXPECT_EQ(entry(host), nullptr);
  EXPECT_EQ(hostCalls, 1);
}

TEST_P(PluginLoadTest, RecordDrivesTheEffect) {
  AEffect* e = entry(host);
  ASSERT_NE(e, nullptr);
  EXPECT_EQ(e->magic, 0x56737450);
  EXPECT_EQ(e->numPrograms, 16);
  EXPECT_EQ(e->numParams, 2);
  EXPECT_EQ(e->numInputs, 2);
  EXPECT_EQ(e->numOutputs, 2);
  EXPECT_EQ(e->flags, 0x1010);
  EXPECT_EQ(static_cast<std::uint32_t>(e->uniqueID), GetParam().uniqueID);
  EXPECT_EQ(e->version, 1);

  AEffect* second = entry(host);
  ASSERT_NE(second, nullptr);
  EXPECT_NE(second, e);
  EXPECT_NE(second->object, e->object);
  EXPECT_EQ(dispatch(second, effClose), 1);

  char name[kVstMaxEffectNameLen];
  std::memset(name, 'x', sizeof name);
  EXPECT_EQ(dispatch(e, effGetEffectName, 0, 0, name), 1);
  EXPECT_STREQ(name, GetParam().name);

  dispatch(e, effSetSampleRate, 0, 0, nullptr, 48000.0f);
  dispatch(e, effMainsChanged, 0, 1);
  e->setParameter(e, 0, 0.5f);  // 240 samples at 48000 Hz
  e->setParameter(e, 1, 0.25f);  // 120
  EXPECT_EQ(e->getParameter(e, 0), 0.5f);
  char display[kVstMaxParamStrLen + 1];
  dispatch(e, effGetParamDisplay, 0, 0, display);
  EXPECT_STREQ(display, "240");

  // Impulses on input 1 at frames 0 and 500, on input 2 at frame 1.
  constexpr int kFrames = 512;
  std::vector<float> in1(kFrames), in2(kFrames), out1(kFrames, 9.0f), out2(kFrames, 9.0f);
  in1[0] = 1.0f;
  in1[500] = 0.25f;
  in2[1] = 0.5f;
  float* inputs[2] = {in1.data(), in2.data()};
  float* outputs[2] = {out1.data(), out2.data()};
  e->processReplacing(e, inputs, outputs, kFrames);
  const bool split = std::string(GetParam().name) == "Dravimo";
  for (int t = 0; t < kFrames; ++t) {
    ASSERT_EQ(out1[t], t == 240 ? 1.0f : 0.0f) << t;
    const float expected2 = split ? (t == 120 ? 1.0f : 0.0f) : (t == 121 ? 0.5f : 0.0f);
    ASSERT_EQ(out2[t], expected2) << t;
  }

  std::vector<double> d1(kFrames), d2(kFrames), o1(kFrames), o2(kFrames);
  double* dIn[2] = {d1.data(), d2.data()};
  double* dOut[2] = {o1.data(), o2.data()};
  // Silence in; the double path continues the lines: frame 500 comes out at 740 and 620.
  e->processDoubleReplacing(e, dIn, dOut, kFrames);
  for (int t = 0; t < kFrames; ++t) {
    ASSERT_EQ(o1[t], t == 740 - kFrames ? 0.25 : 0.0) << t;
    ASSERT_EQ(o2[t], split && t == 620 - kFrames ? 0.25 : 0.0) << t;
  }

  dispatch(e, effMainsChanged, 0, 0);
  EXPECT_EQ(dispatch(e, effClose), 1);
}

INSTANTIATE_TEST_SUITE_P(Plugins, PluginLoadTest, ::testing::ValuesIn(kPlugins),
                         [](const ::testing::TestParamInfo<PluginCase>& info) {
                           return std::string(info.param.name);
                         });

}  // namespace
