// The library's one way in: the exported entry the host calls with its callback, and the load-time
// routine that records the library's module handle. The entry is exported as "VSTPluginMain";
// the build exports the same address a second time as "main" (a module-definition alias on
// Windows, a linker-defined symbol on Linux), so no C++ function here is called main.
#include "shell/aeffect.h"
#include "shell/audio_effect.h"
#include "shell/module_instance.h"

#if defined(_WIN32)
#include <windows.h>
#define QLN_ENTRY_EXPORT
#else
#include <dlfcn.h>
#define QLN_ENTRY_EXPORT __attribute__((visibility("default")))
#endif

// Answers the record of a new effect, or null when the host answers 0 to the version question,
// when there is no callback to ask, or when the factory makes nothing. The host owns the effect
// from then on and ends it with effClose.
extern "C" QLN_ENTRY_EXPORT AEffect* VSTCALLBACK VSTPluginMain(audioMasterCallback audioMaster) {
  // Without a callback there is no host to ask; calling through null would crash it.
  if (audioMaster == nullptr) return nullptr;
  if (audioMaster(nullptr, audioMasterVersion, 0, 0, nullptr, 0.0f) == 0) return nullptr;
  AudioEffect* effect = createEffect(audioMaster);
  if (effect == nullptr) return nullptr;
  return effect->getEffectRecord();
}

#if defined(_WIN32)

// The loader's notification for this library: keeps the module handle for every reason.
extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD /*reason*/, LPVOID /*reserved*/) {
  gModuleInstance = instance;
  return TRUE;
}

#else

namespace {

// Linux has no attach notification that hands over a handle: ask the dynamic loader which
// object holds the entry and keep its load address. Runs while the library is being loaded,
// before the host can reach the entry or open an editor.
[[gnu::constructor]] void recordModuleInstance() {
  Dl_info info{};
  if (dladdr(reinterpret_cast<void*>(&VSTPluginMain), &info) != 0 && info.dli_fbase != nullptr)
    gModuleInstance = info.dli_fbase;
}

}  // namespace

#endif
