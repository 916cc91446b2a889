// Where the module handle comes from on Linux: the loader is asked, while the binary holding the
// entry loads, which object contains the entry; its load address is the handle.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include "shell/aeffect.h"
#include "shell/module_instance.h"

extern "C" AEffect* VSTCALLBACK VSTPluginMain(audioMasterCallback audioMaster);

namespace {

TEST(ModuleInstance, IsTheLoadAddressOfTheObjectHoldingTheEntry) {
  Dl_info info{};
  ASSERT_NE(dladdr(reinterpret_cast<void*>(&VSTPluginMain), &info), 0);
  ASSERT_NE(gModuleInstance, nullptr) << "set before any test ran";
  EXPECT_EQ(gModuleInstance, info.dli_fbase);
}

}  // namespace
