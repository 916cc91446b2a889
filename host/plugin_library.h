// A loaded plug-in library (dlopen on POSIX, LoadLibraryA on Windows), unloaded on destruction.
#pragma once

#include <string>

namespace plughost {

class PluginLibrary {
 public:
  // Loads the file. Throws HostError: pluginNotFound when there is no such file,
  // pluginNotLoadable (with the loader's reason) when it is not a library for this platform.
  explicit PluginLibrary(const std::string& path);
  ~PluginLibrary();
  PluginLibrary(const PluginLibrary&) = delete;
  PluginLibrary& operator=(const PluginLibrary&) = delete;

  // The address of the function this library itself exports as `name`, or null.
  void* findSymbol(const char* name) const;
  const std::string& path() const { return path_; }

 private:
  std::string path_;
  void* handle_ = nullptr;
};

}  // namespace plughost
