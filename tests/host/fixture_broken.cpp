// Entries of broken plug-ins for the host's error tests. Each fixture library exports one of
// them as "VSTPluginMain" (the build decides which); the one that exports none of them under
// that name is the library without an entry.
#include "shell/aeffect.h"

#if defined(_WIN32)
#define FIXTURE_EXPORT __declspec(dllexport)
#else
#define FIXTURE_EXPORT __attribute__((visibility("default")))
#endif

namespace {
AEffect gRecord{};
}

extern "C" {

FIXTURE_EXPORT AEffect* VSTCALLBACK entryNull(audioMasterCallback host) {
  host(nullptr, audioMasterVersion, 0, 0, nullptr, 0.0f);
  return nullptr;
}

FIXTURE_EXPORT AEffect* VSTCALLBACK entryBadMagic(audioMasterCallback) {
  gRecord = AEffect{};
  gRecord.magic = qlnFourCC('X', 'X', 'X', 'X');
  return &gRecord;
}

FIXTURE_EXPORT AEffect* VSTCALLBACK entryBadRecord(audioMasterCallback) {
  gRecord = AEffect{};
  gRecord.magic = kEffectMagic;  // right magic, but no dispatcher
  return &gRecord;
}

}  // extern "C"
