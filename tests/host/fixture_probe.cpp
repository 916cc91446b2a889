// A small plug-in for the host's tests, built straight on the record so that every field is
// under the test's control. The build exports fixtureEntry as "VSTPluginMain" (the probe) or as
// "main" only (the legacy build, FIXTURE_LEGACY=1: accumulating process only, no double
// precision, no indexed program names). The probe asks the host from inside its entry with a
// null record, logs every request it receives (fixtureRequests, process-wide so the log
// survives effClose), passes audio through or writes a frame counter, and makes an automated
// edit when asked through effVendorSpecific.
#include <cstring>
#include <vector>

#include "shell/aeffect.h"

#if defined(_WIN32)
#define FIXTURE_EXPORT __declspec(dllexport)
#else
#define FIXTURE_EXPORT __attribute__((visibility("default")))
#endif

namespace {

constexpr bool kLegacy = FIXTURE_LEGACY != 0;

std::vector<VstInt32> gRequests;

// What the entry was told when it asked with a null record.
struct EntryAnswers {
  VstIntPtr version, blockSize, sampleRate, canDoSizeWindow, vendorVersion;
  char vendor[64];
  char product[64];
} gEntryAnswers;

constexpr VstInt32 kVendorAutomate = qlnFourCC('a', 'u', 't', 'o');
constexpr double kCounterStep = 1.0 / 1048576.0;  // exact in float below 2^24 frames

struct Probe {
  AEffect record{};
  audioMasterCallback host = nullptr;
  float params[2] = {0.0f, 0.0f};  // 0: mode (>= 0.5: output 2 is a frame counter); 1: level
  VstInt32 program = 0;
  VstInt32 largestBlock = 0;  // largest frame count seen in one process call
  double frames = 0;          // frames processed since mains on
};

Probe* self(AEffect* e) { return static_cast<Probe*>(e->object); }

void copyText(void* ptr, const char* text, std::size_t capacity) {
  std::strncpy(static_cast<char*>(ptr), text, capacity - 1);
  static_cast<char*>(ptr)[capacity - 1] = '\0';
}

const char* const kProgramNames[3] = {"Alpha", "Beta", "Gamma"};

VstIntPtr VSTCALLBACK dispatch(AEffect* e, VstInt32 opcode, VstInt32 index, VstIntPtr value,
                               void* ptr, float opt) {
  Probe* p = self(e);
  gRequests.push_back(opcode);
  switch (opcode) {
    case effClose: delete p; return 1;
    case effMainsChanged: p->frames = 0; return 0;
    case effSetProgram: p->program = static_cast<VstInt32>(value) % 3; return 0;
    case effGetProgram: return p->program;
    case effGetProgramName: copyText(ptr, kProgramNames[p->program], 24); return 0;
    case effGetProgramNameIndexed:
      if (kLegacy || index < 0 || index >= 3) return 0;
      copyText(ptr, kProgramNames[index], 24);
      return 1;
    case effGetParamName: copyText(ptr, index == 0 ? "Mode" : "Level", 9); return 0;
    case effGetParamLabel: copyText(ptr, index == 0 ? "" : "dB", 9); return 0;
    case effGetParamDisplay:
      copyText(ptr, p->params[index & 1] >= 0.5f ? "high" : "low", 9);
      return 0;
    case effGetEffectName: copyText(ptr, "Probe", 32); return 1;
    case effGetVendorString: copyText(ptr, "Fixture \xE9t\xE9 \"q\"", 64); return 1;
    case effGetProductString: copyText(ptr, "Probe product", 64); return 1;
    case effGetVendorVersion: return 7;
    case effGetVstVersion: return 2400;
    case effGetPlugCategory: return kPlugCategEffect;
    case effCanBeAutomated: return index == 1;
    case effCanDo: return std::strcmp(static_cast<const char*>(ptr), "bypass") == 0 ? 1 : -1;
    case effVendorSpecific:
      // An edit as an editor makes it: begin, set and report, end.
      if (index == kVendorAutomate && p->host) {
        const auto param = static_cast<VstInt32>(value);
        p->host(e, audioMasterBeginEdit, param, 0, nullptr, 0.0f);
        p->params[param & 1] = opt;
        p->host(e, audioMasterAutomate, param, 0, nullptr, opt);
        p->host(e, audioMasterEndEdit, param, 0, nullptr, 0.0f);
        return 1;
      }
      return 0;
    default: return 0;
  }
}

void VSTCALLBACK setParameter(AEffect* e, VstInt32 index, float value) {
  if (index >= 0 && index < 2) self(e)->params[index] = value;
}

float VSTCALLBACK getParameter(AEffect* e, VstInt32 index) {
  return index >= 0 && index < 2 ? self(e)->params[index] : 0.0f;
}

template <typename T>
void run(AEffect* e, T** inputs, T** outputs, VstInt32 frames, bool accumulate) {
  Probe* p = self(e);
  if (frames > p->largestBlock) p->largestBlock = frames;
  const bool counter = p->params[0] >= 0.5f;
  for (VstInt32 i = 0; i < frames; ++i) {
    const T a = inputs[0][i];
    const T b = counter ? static_cast<T>(p->frames * kCounterStep) : inputs[1][i];
    outputs[0][i] = accumulate ? outputs[0][i] + a : a;
    outputs[1][i] = accumulate ? outputs[1][i] + b : b;
    p->frames += 1;
  }
}

void VSTCALLBACK processReplacing(AEffect* e, float** in, float** out, VstInt32 frames) {
  run(e, in, out, frames, false);
}
void VSTCALLBACK processAccumulating(AEffect* e, float** in, float** out, VstInt32 frames) {
  run(e, in, out, frames, true);
}
void VSTCALLBACK processDouble(AEffect* e, double** in, double** out, VstInt32 frames) {
  run(e, in, out, frames, false);
}

}  // namespace

extern "C" {

FIXTURE_EXPORT const std::vector<VstInt32>* fixtureRequests() { return &gRequests; }
FIXTURE_EXPORT const EntryAnswers* fixtureEntryAnswers() { return &gEntryAnswers; }
FIXTURE_EXPORT VstInt32 fixtureLargestBlock(AEffect* e) { return self(e)->largestBlock; }

FIXTURE_EXPORT AEffect* VSTCALLBACK fixtureEntry(audioMasterCallback host) {
  // Real plug-ins ask for the rate and block size before they have a record to pass.
  gEntryAnswers.version = host(nullptr, audioMasterVersion, 0, 0, nullptr, 0.0f);
  gEntryAnswers.blockSize = host(nullptr, audioMasterGetBlockSize, 0, 0, nullptr, 0.0f);
  gEntryAnswers.sampleRate = host(nullptr, audioMasterGetSampleRate, 0, 0, nullptr, 0.0f);
  gEntryAnswers.canDoSizeWindow =
      host(nullptr, audioMasterCanDo, 0, 0, const_cast<char*>("sizeWindow"), 0.0f);
  gEntryAnswers.vendorVersion = host(nullptr, audioMasterGetVendorVersion, 0, 0, nullptr, 0.0f);
  host(nullptr, audioMasterGetVendorString, 0, 0, gEntryAnswers.vendor, 0.0f);
  host(nullptr, audioMasterGetProductString, 0, 0, gEntryAnswers.product, 0.0f);

  Probe* p = new Probe;
  p->host = host;
  AEffect& r = p->record;
  r.magic = kEffectMagic;
  r.dispatcher = dispatch;
  r.setParameter = setParameter;
  r.getParameter = getParameter;
  r.numPrograms = 3;
  r.numParams = 2;
  r.numInputs = 2;
  r.numOutputs = 2;
  r.object = p;
  r.uniqueID = qlnFourCC('P', 'r', 'b', 'e');
  r.version = 3;
  r.ioRatio = 1.0f;
  r.initialDelay = 5;
  r.process = processAccumulating;
  if (!kLegacy) {
    r.flags = effFlagsCanReplacing | effFlagsCanDoubleReplacing;
    r.processReplacing = processReplacing;
    r.processDoubleReplacing = processDouble;
  }
  return &r;
}

}  // extern "C"
