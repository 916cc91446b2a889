// Library loading with dlopen. Symbols are only accepted from the library itself: a lookup of
// "main" must never find the host program's own main through the global scope.
#include <dlfcn.h>
#include <link.h>

#include <filesystem>
#include <system_error>

#include "host/host_error.h"
#include "host/plugin_library.h"

namespace plughost {

PluginLibrary::PluginLibrary(const std::string& path) : path_(path) {
  std::error_code ec;
  if (!std::filesystem::exists(path, ec)) {
    throw HostError(ExitCode::pluginNotFound, "plug-in not found: " + path);
  }
  if (std::filesystem::is_directory(path, ec)) {
    throw HostError(ExitCode::pluginNotLoadable, "plug-in path is a folder: " + path);
  }
  // A bare file name would make dlopen search the library path instead of the named file.
  const std::string absolute = std::filesystem::absolute(path, ec).string();
  handle_ = ::dlopen(ec ? path.c_str() : absolute.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!handle_) {
    const char* reason = ::dlerror();
    throw HostError(ExitCode::pluginNotLoadable,
                    "cannot load " + path + ": " + (reason ? reason : "unknown reason"));
  }
}

PluginLibrary::~PluginLibrary() {
  if (handle_) ::dlclose(handle_);
}

void* PluginLibrary::findSymbol(const char* name) const {
  void* symbol = ::dlsym(handle_, name);
  if (!symbol) return nullptr;
  link_map* map = nullptr;
  Dl_info info{};
  if (::dlinfo(handle_, RTLD_DI_LINKMAP, &map) != 0 || !map || ::dladdr(symbol, &info) == 0) {
    return nullptr;
  }
  if (info.dli_fbase == reinterpret_cast<void*>(map->l_addr)) return symbol;
  std::error_code ec;
  const bool same = info.dli_fname && map->l_name &&
                    std::filesystem::equivalent(info.dli_fname, map->l_name, ec);
  return same ? symbol : nullptr;
}

}  // namespace plughost
