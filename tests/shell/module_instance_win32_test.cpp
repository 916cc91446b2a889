// Where the module handle comes from on Windows: the loader's attach routine keeps the handle it
// is given, for every notification.
#include <windows.h>

#include <gtest/gtest.h>

#include "shell/module_instance.h"

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved);

namespace {

TEST(ModuleInstance, AttachRoutineKeepsTheHandleForEveryReason) {
  void* const before = gModuleInstance;
  char handles[4];
  const DWORD reasons[] = {DLL_PROCESS_ATTACH, DLL_THREAD_ATTACH, DLL_THREAD_DETACH,
                           DLL_PROCESS_DETACH};
  for (int i = 0; i < 4; ++i) {
    SCOPED_TRACE(reasons[i]);
    auto* handle = reinterpret_cast<HINSTANCE>(&handles[i]);
    EXPECT_EQ(DllMain(handle, reasons[i], nullptr), TRUE);
    EXPECT_EQ(gModuleInstance, static_cast<void*>(handle));
  }
  gModuleInstance = before;
}

}  // namespace
