// Library loading with LoadLibraryA; GetProcAddress only ever searches the module itself.
#include <windows.h>

#include <filesystem>
#include <system_error>

#include "host/host_error.h"
#include "host/plugin_library.h"

namespace plughost {

namespace {

std::string lastErrorText() {
  const DWORD code = ::GetLastError();
  char buffer[512] = {};
  const DWORD n = ::FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                                   nullptr, code, 0, buffer, sizeof buffer, nullptr);
  std::string text(buffer, n);
  while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == ' ')) {
    text.pop_back();
  }
  return text.empty() ? "error " + std::to_string(code) : text;
}

}  // namespace

PluginLibrary::PluginLibrary(const std::string& path) : path_(path) {
  std::error_code ec;
  if (!std::filesystem::exists(path, ec)) {
    throw HostError(ExitCode::pluginNotFound, "plug-in not found: " + path);
  }
  if (std::filesystem::is_directory(path, ec)) {
    throw HostError(ExitCode::pluginNotLoadable, "plug-in path is a folder: " + path);
  }
  // A bare name would be searched on the DLL path; a full path loads exactly this file.
  std::string absolute = std::filesystem::absolute(path, ec).string();
  if (ec) absolute = path;
  // No error dialog boxes for a file that is not a DLL.
  const UINT oldMode = ::SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
  HMODULE module = ::LoadLibraryA(absolute.c_str());
  ::SetErrorMode(oldMode);
  if (!module) {
    throw HostError(ExitCode::pluginNotLoadable, "cannot load " + path + ": " + lastErrorText());
  }
  handle_ = module;
}

PluginLibrary::~PluginLibrary() {
  if (handle_) ::FreeLibrary(static_cast<HMODULE>(handle_));
}

void* PluginLibrary::findSymbol(const char* name) const {
  return reinterpret_cast<void*>(::GetProcAddress(static_cast<HMODULE>(handle_), name));
}

}  // namespace plughost
